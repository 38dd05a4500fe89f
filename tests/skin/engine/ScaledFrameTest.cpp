// A skinned frame at other display scales: the window is told of a new DPI
// as the platform tells it when it moves to another monitor, and its frame,
// title buttons, region and client area follow the skin taken to that scale;
// the buttons still answer the mouse where they are drawn, and going back
// and forth between scales leaves no GDI or USER object behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "SkinnedWindows.h"
#include "support/GuiObjects.h"
#include "toolkit/core/DisplayScale.h"

namespace {

struct TCloseCounter {
  void FormClose(TComponent*, TCloseAction& action) {
    ++Count;
    action = caNone;
  }
  int Count = 0;
};

// Tells the window it is now shown at dpi, with the place the platform would
// suggest: the window rectangle scaled about its top-left corner.
void ChangeDpi(HWND wnd, int fromDpi, int toDpi) {
  RECT now = WindowBounds(wnd);
  RECT suggested{now.left, now.top, now.left + MulDivRound(now.right - now.left, toDpi, fromDpi),
                 now.top + MulDivRound(now.bottom - now.top, toDpi, fromDpi)};
  SendMessageW(wnd, WM_DPICHANGED, MAKEWPARAM(toDpi, toDpi), reinterpret_cast<LPARAM>(&suggested));
  Pump(30);
}

std::map<int, TSkinRect> ButtonPlaces(TWinSkinForm& skinner) {
  std::map<int, TSkinRect> places;
  for (auto& button : skinner.SysButtons)
    if (button->Visible) places[button->Element.Action] = button->Bounds;
  return places;
}

// The window's region in the corner of side × side pixels at the top left and
// at the top right, one flag a pixel (window coordinates).
std::vector<bool> CornerPixels(HWND wnd, int side, int scaledFrom96, int dpi) {
  TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  bool has = GetWindowRgn(wnd, region.Get()) != ERROR;
  const int width = WindowBounds(wnd).right - WindowBounds(wnd).left;
  std::vector<bool> inside;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      // The centre of the 96-DPI pixel (x, y), taken to dpi.
      int sx = scaledFrom96 ? (2 * x + 1) * dpi / (2 * kLayoutDpi) : x;
      int sy = scaledFrom96 ? (2 * y + 1) * dpi / (2 * kLayoutDpi) : y;
      inside.push_back(!has || PtInRegion(region.Get(), sx, sy));
      inside.push_back(!has || PtInRegion(region.Get(), width - 1 - sx, sy));
    }
  return inside;
}

void ExpectNear(int actual, int expected, int slack, const std::string& what) {
  EXPECT_LE(std::abs(actual - expected), slack) << what << ": " << actual << " for " << expected;
}

}  // namespace

TEST(ScaledFrame, FrameButtonsRegionAndClientFollowTheScaleAndBackAgain) {
  TSkinnedSession session;
  TCloseCounter closes;
  auto* form = Application.CreateForm<TMenuForm>();
  form->SetEvent(L"OnClose", std::any(TCloseEvent::Of<&TCloseCounter::FormClose>(closes)));
  ASSERT_TRUE(ShowSkinned(*form));
  HWND wnd = form->Handle();
  TWinSkinForm& skinner = *SkinnerOf(wnd);
  const TFrameSizes frame96 = skinner.FrameSizes();
  const auto buttons96 = ButtonPlaces(skinner);
  const SIZE client96 = ClientSize(wnd);
  const RECT window96 = WindowBounds(wnd);
  const std::vector<bool> corners96 = CornerPixels(wnd, 8, false, kLayoutDpi);
  ASSERT_GE(buttons96.size(), 2u);
  ASSERT_NE(std::count(corners96.begin(), corners96.end(), false), 0) << "the skin's corners are not cut";

  int dpi = kLayoutDpi;
  for (int next : {120, 144, 192}) {
    ChangeDpi(wnd, dpi, next);
    dpi = next;
    const TDpiScale scale(dpi);
    const std::string at = " at " + std::to_string(dpi);
    ASSERT_EQ(skinner.Dpi, dpi);
    TFrameSizes frame = skinner.FrameSizes();
    ExpectNear(frame.Left, scale.Scale(frame96.Left), 1, "left frame" + at);
    ExpectNear(frame.Top, scale.Scale(frame96.Top), 1, "title bar" + at);
    ExpectNear(frame.Right, scale.Scale(frame96.Right), 1, "right frame" + at);
    ExpectNear(frame.Bottom, scale.Scale(frame96.Bottom), 1, "bottom frame" + at);
    SIZE client = ClientSize(wnd);
    ExpectNear(client.cx, scale.Scale(client96.cx), 1, "client width" + at);
    ExpectNear(client.cy, scale.Scale(client96.cy), 1, "client height" + at);

    // Buttons placed from the right follow the scaled window's right edge.
    const int width = WindowBounds(wnd).right - WindowBounds(wnd).left;
    const int width96 = window96.right - window96.left;
    auto places = ButtonPlaces(skinner);
    ASSERT_EQ(places.size(), buttons96.size()) << at;
    for (const auto& [action, bounds96] : buttons96) {
      const TSkinRect& bounds = places[action];
      const std::string what = "button " + std::to_string(action) + at;
      ExpectNear(bounds.Width(), scale.Scale(bounds96.Width()), 1, what + " width");
      ExpectNear(bounds.Height(), scale.Scale(bounds96.Height()), 1, what + " height");
      ExpectNear(bounds.Top, scale.Scale(bounds96.Top), 1, what + " top");
      bool fromRight = bounds96.Left > width96 / 2;
      if (fromRight)
        ExpectNear(width - bounds.Left, scale.Scale(width96 - bounds96.Left), 2, what + " from the right");
      else
        ExpectNear(bounds.Left, scale.Scale(bounds96.Left), 1, what + " left");
    }

    // The cut corners are the 96-DPI ones, grown: the centre of each pixel
    // the skin cut (or kept) at 96 DPI is cut (or kept) at this scale.
    std::vector<bool> corners = CornerPixels(wnd, 8, true, dpi);
    EXPECT_EQ(corners, corners96) << "the region's corners" << at;

    // A click on the scaled close button closes, and only there.
    TWinSysButton* close = ButtonOfAction(skinner, 0);
    ASSERT_NE(close, nullptr);
    const int before = closes.Count;
    const POINT onButton = CentreOf(close->Bounds, wnd);
    MoveMouse(onButton);
    PressLeft(onButton);
    ReleaseLeft(onButton);
    EXPECT_TRUE(PumpUntil([&] { return closes.Count == before + 1; })) << "the close button" << at;
    MoveMouse({WindowBounds(wnd).right + 40, WindowBounds(wnd).bottom + 40});
    Pump(300);
  }

  // Back at 96 DPI the frame is the skin's own again, to the pixel.
  ChangeDpi(wnd, dpi, kLayoutDpi);
  dpi = kLayoutDpi;
  EXPECT_EQ(skinner.FrameSizes(), frame96);
  EXPECT_EQ(ClientSize(wnd).cx, client96.cx);
  EXPECT_EQ(ClientSize(wnd).cy, client96.cy);
  auto places = ButtonPlaces(skinner);
  for (const auto& [action, bounds] : buttons96) EXPECT_EQ(places[action], bounds) << "button " << action;
  EXPECT_EQ(CornerPixels(wnd, 8, false, kLayoutDpi), corners96);

  // Fifty changes more leave the object counts where one round left them.
  const int cycle[] = {120, 144, 192, 96};
  for (int next : cycle) ChangeDpi(wnd, dpi, next), dpi = next;
  Pump(100);
  FreeBitmapContexts();
  const TGuiObjects settled = CountGuiObjects();
  for (int i = 0; i < 48; ++i) {
    int next = cycle[i % 4];
    ChangeDpi(wnd, dpi, next);
    dpi = next;
  }
  Pump(100);
  FreeBitmapContexts();
  const TGuiObjects after = CountGuiObjects();
  EXPECT_EQ(after.Gdi, settled.Gdi);
  EXPECT_EQ(after.User, settled.User);
}
