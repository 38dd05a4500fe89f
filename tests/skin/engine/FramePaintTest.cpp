// What a skinned frame shows, read back from the screen: the title icon's
// soft edge over the title, a message box's long caption in front of its
// close button from the first paint on, an "&" in a caption, the client area
// a window was laid out with through any number of skin switches, the least
// size a window can be dragged to, and the styles a window gets back.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "SkinnedWindows.h"
#include "skin/engine/CaptionLayout.h"
#include "skin/engine/WinSysButton.h"
#include "skin/engine/WindowFacts.h"
#include "toolkit/platform/OwnedHandle.h"

namespace {

std::vector<COLORREF> ScreenPixels(const RECT& area) {
  std::vector<COLORREF> pixels;
  TWindowDC screen(nullptr);
  for (LONG y = area.top; y < area.bottom; ++y)
    for (LONG x = area.left; x < area.right; ++x) pixels.push_back(GetPixel(screen.Get(), x, y));
  return pixels;
}

RECT OnScreen(HWND wnd, const TSkinRect& bounds) {
  const RECT window = WindowBounds(wnd);
  return {window.left + bounds.Left, window.top + bounds.Top, window.left + bounds.Right, window.top + bounds.Bottom};
}

TWinSysButton* ButtonOfAction(TWinSkinForm& skinner, int action) {
  for (auto& button : skinner.SysButtons)
    if (button->Visible && button->Element.Action == action) return button.get();
  return nullptr;
}

// A 16 x 16 icon in straight alpha: a blue disc whose edge fades out over
// three pixels, or (opacity 0) nothing at all.
constexpr int kIconSize = 16;
uint8_t DiscAlpha(int x, int y) {
  const double dx = x - 7.5, dy = y - 7.5, distance = std::sqrt(dx * dx + dy * dy);
  return static_cast<uint8_t>(255 * std::clamp((7.5 - distance) / 3, 0.0, 1.0));
}

TIconHandle DiscIcon(bool visible) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kIconSize;
  info.bmiHeader.biHeight = -kIconSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  TWindowDC screen(nullptr);
  TBitmapHandle colour(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < kIconSize; ++y)
    for (int x = 0; x < kIconSize; ++x)
      pixels[y * kIconSize + x] = visible ? (static_cast<uint32_t>(DiscAlpha(x, y)) << 24) | 0x0000FF : 0;
  // Without any alpha the mask decides: all transparent.
  std::vector<uint8_t> maskBits(2 * kIconSize, visible ? 0x00 : 0xFF);
  TBitmapHandle mask(CreateBitmap(kIconSize, kIconSize, 1, 1, maskBits.data()));
  ICONINFO icon{TRUE, 0, 0, mask.Get(), colour.Get()};
  return TIconHandle(CreateIconIndirect(&icon));
}

// The icon button's pixels on screen, in a skinned form carrying icon.
std::vector<COLORREF> IconOnScreen(HICON icon, bool hot) {
  auto* form = Application.CreateForm<TMenuForm>();
  SendMessageW(form->Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  EXPECT_TRUE(ShowSkinned(*form));
  Pump(100);
  HWND wnd = form->Handle();
  TWinSysButton* button = ButtonOfAction(*SkinnerOf(wnd), 3);
  EXPECT_NE(button, nullptr);
  if (!button) return {};
  if (hot) {
    MoveMouse(CentreOf(button->Bounds, wnd));
    EXPECT_TRUE(PumpUntil([&] { return button->State == nsHot; }));
    Pump(50);
  }
  std::vector<COLORREF> pixels = ScreenPixels(OnScreen(wnd, button->Bounds));
  MoveMouse({WindowBounds(wnd).right + 50, WindowBounds(wnd).bottom + 50});
  form->Free();
  Pump(50);
  return pixels;
}

int Channel(COLORREF colour, int channel) { return (colour >> (8 * channel)) & 0xFF; }

}  // namespace

// The same form twice, first with an icon that shows nothing (so the title
// under the icon shows), then with the soft disc: every pixel of the disc is
// the title blended with blue by the disc's alpha, in the title as composed
// and when the button is redrawn alone as the mouse moves onto it.
TEST(SkinnedTitle, TheIconsSoftEdgeBlendsWithTheTitleUnderIt) {
  TSkinnedSession session;
  TIconHandle nothing = DiscIcon(false), disc = DiscIcon(true);
  const std::vector<COLORREF> title = IconOnScreen(nothing.Get(), false);
  ASSERT_EQ(title.size(), size_t(kIconSize * kIconSize));
  for (bool hot : {false, true}) {
    const std::vector<COLORREF> shown = IconOnScreen(disc.Get(), hot);
    ASSERT_EQ(shown.size(), title.size());
    int worst = 0;
    for (int y = 0; y < kIconSize; ++y)
      for (int x = 0; x < kIconSize; ++x) {
        const int alpha = DiscAlpha(x, y), at = y * kIconSize + x;
        const int blue[3] = {0, 0, 255};  // red, green, blue
        for (int c = 0; c < 3; ++c) {
          const int expected = (blue[c] * alpha + Channel(title[at], c) * (255 - alpha) + 127) / 255;
          worst = std::max(worst, std::abs(Channel(shown[at], c) - expected));
        }
      }
    EXPECT_LE(worst, 3) << (hot ? "the hot icon" : "the icon in the title") << " is off the blend by " << worst;
  }
}
