// What a skinned frame shows, read back from the screen: the title icon's
// soft edge over the title, a message box's long caption in front of its
// close button from the first paint on, an "&" in a caption, the client area
// a window was laid out with through any number of skin switches, the least
// size a window can be dragged to, the styles a window gets back, and a
// drop-down's bold default item.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "SkinnedWindows.h"
#include "skin/engine/CaptionLayout.h"
#include "skin/engine/WinSkinMenu.h"
#include "skin/engine/WinSysButton.h"
#include "skin/engine/WindowFacts.h"
#include "toolkit/platform/OwnedHandle.h"

namespace {

RECT OnScreen(HWND wnd, const TSkinRect& bounds) {
  const RECT window = WindowBounds(wnd);
  return {window.left + bounds.Left, window.top + bounds.Top, window.left + bounds.Right, window.top + bounds.Bottom};
}

// A 16 x 16 icon in straight alpha: a blue disc whose edge fades out over
// three pixels, or (opacity 0) nothing at all.
constexpr int kIconSize = 16;
uint8_t DiscAlpha(int x, int y) {
  const double dx = x - 7.5, dy = y - 7.5, distance = std::sqrt(dx * dx + dy * dy);
  return static_cast<uint8_t>(255 * std::clamp((7.5 - distance) / 3, 0.0, 1.0));
}

TIconHandle DiscIcon(bool visible) {
  TBitmap colour;
  colour.SetSize(kIconSize, kIconSize, pf32bit);
  for (int y = 0; y < kIconSize; ++y)
    for (int x = 0; x < kIconSize; ++x) {
      uint8_t* p = colour.ScanLine(y) + 4 * x;
      p[0] = visible ? 0xFF : 0, p[1] = p[2] = 0, p[3] = visible ? DiscAlpha(x, y) : 0;
    }
  // Without any alpha the mask decides: all transparent.
  std::vector<uint8_t> maskBits(2 * kIconSize, visible ? 0x00 : 0xFF);
  TBitmapHandle mask(CreateBitmap(kIconSize, kIconSize, 1, 1, maskBits.data()));
  ICONINFO icon{TRUE, 0, 0, mask.Get(), colour.Handle()};
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

namespace {

// A bare popup window with a caption and a menu bar, its client area as given.
HWND BarePopupWithMenu(int clientWidth, int clientHeight) {
  HMENU menu = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 11, L"&Open");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT outer{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&outer, style, TRUE, 0);
  OffsetRect(&outer, 140 - outer.left, 120 - outer.top);
  return BareWindow(style, outer, menu);
}

}  // namespace

// A dialog-framed form laid out 481 x 245 (as the about window is) and a bare
// popup with a menu bar, skinned and given back five times over: skinned or
// not, each shows the client area it was laid out with, to the pixel.
TEST(SkinnedFrame, AWindowKeepsTheClientAreaItWasLaidOutWithThroughEverySwitch) {
  TSkinnedSession session(false);
  auto* dialog = Application.CreateForm<TForm>();
  dialog->SetProperty(L"BorderStyle", TLayoutIdent{L"bsDialog"});
  dialog->SetProperty(L"ClientWidth", int64_t(481));
  dialog->SetProperty(L"ClientHeight", int64_t(245));
  dialog->SetText(L"关于");
  dialog->Show();
  HWND bare = BarePopupWithMenu(300, 150);
  Pump(200);
  const std::vector<std::pair<HWND, SIZE>> windows = {{dialog->Handle(), {481, 245}}, {bare, {300, 150}}};
  for (auto& [wnd, laidOut] : windows) {
    EXPECT_EQ(ClientSize(wnd).cx, laidOut.cx);
    EXPECT_EQ(ClientSize(wnd).cy, laidOut.cy) << "the platform's frame";
  }
  for (int round = 1; round <= 5; ++round) {
    session.Skin().SetActive(true);
    for (auto& [wnd, laidOut] : windows) {
      SetForegroundWindow(wnd);
      HWND shown = wnd;
      ASSERT_TRUE(PumpUntil([&] { return IsPresented(shown); })) << "round " << round;
      EXPECT_EQ(ClientSize(wnd).cx, laidOut.cx) << "skinned, round " << round;
      EXPECT_EQ(ClientSize(wnd).cy, laidOut.cy) << "skinned, round " << round;
    }
    session.Skin().SetActive(false);
    for (auto& [wnd, laidOut] : windows) {
      HWND shown = wnd;
      ASSERT_TRUE(PumpUntil([&] { return SkinnerOf(shown) == nullptr; }));
      EXPECT_EQ(ClientSize(wnd).cx, laidOut.cx) << "given back, round " << round;
      EXPECT_EQ(ClientSize(wnd).cy, laidOut.cy) << "given back, round " << round;
    }
  }
  DestroyWindow(bare);
}

namespace {

// Drags from one screen point to another with the left button, in steps.
void Drag(POINT from, POINT to) {
  TInputThread input([from, to] {
    MoveMouse(from);
    Sleep(50);
    PressLeft(from);
    for (int step = 1; step <= 6; ++step) {
      Sleep(60);
      MoveMouse({from.x + (to.x - from.x) * step / 6, from.y + (to.y - from.y) * step / 6});
    }
    Sleep(60);
    ReleaseLeft(to);
  });
  PumpUntil([&] { return input.Done(); });
  Pump(200);
}

// Light pixels, as the caption's text is drawn on the dark title.
int LightPixels(const std::vector<COLORREF>& pixels) {
  return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), [](COLORREF colour) {
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) > 3 * 200;
  }));
}

}  // namespace

// The sizeable main window dragged by its corner far past its top-left
// corner stops at a size that keeps the frame whole, the icon clear of the
// buttons and a few caption characters in the title; the corner grows it back.
TEST(SkinnedFrame, ASizeableWindowIsDraggedNoSmallerThanItsFrameButtonsAndAFewCaptionCharacters) {
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  form->SetText(L"Quillmere 3.1 recording");
  ASSERT_TRUE(ShowSkinned(*form));
  HWND wnd = form->Handle();
  TWinSkinForm& skinner = *SkinnerOf(wnd);
  RECT window = WindowBounds(wnd);
  Drag({window.right - 2, window.bottom - 2}, {window.left - 60, window.top - 60});
  window = WindowBounds(wnd);
  const LONG width = window.right - window.left, height = window.bottom - window.top;
  EXPECT_EQ(height, skinner.FrameTop + skinner.MenuHeight + skinner.FrameBottom) << "the frame is whole";
  EXPECT_LT(width, 300) << "it did shrink";

  TWinSysButton* icon = ButtonOfAction(skinner, 3);
  ASSERT_NE(icon, nullptr);
  for (auto& button : skinner.SysButtons) {
    if (!button->Visible || button->Element.Align != 1) continue;
    EXPECT_GT(button->Bounds.Left, icon->Bounds.Right) << "button " << button->Element.Action << " covers the icon";
  }
  const TSkinRect text{skinner.CaptionRect.left + session.Skin().Title.TXTBackleft, skinner.CaptionRect.top,
                       skinner.CaptionRect.right - session.Skin().Title.TXTBackRight, skinner.CaptionRect.bottom};
  EXPECT_GT(LightPixels(ScreenPixels(OnScreen(wnd, text))), 20) << "the caption shows a few characters";

  Drag({window.right - 2, window.bottom - 2}, {window.right + 118, window.bottom + 98});
  const RECT grown = WindowBounds(wnd);
  EXPECT_EQ(grown.right - grown.left, width + 120) << "the corner grows it back";
  EXPECT_EQ(grown.bottom - grown.top, height + 100);
}

// A window title is no menu caption: its "&" shows as itself. The caption's
// ink on screen ends where the whole text, "&" included, ends.
TEST(SkinnedTitle, AnAmpersandInTheCaptionShowsAsItself) {
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  form->SetText(L"Rock & Roll");
  ASSERT_TRUE(ShowSkinned(*form));
  Pump(100);
  HWND wnd = form->Handle();
  TWinSkinForm& skinner = *SkinnerOf(wnd);
  const TDataSkinTitle& title = session.Skin().Title;
  const TSkinRect text{skinner.CaptionRect.left + title.TXTBackleft, skinner.CaptionRect.top,
                       skinner.CaptionRect.right - title.TXTBackRight, skinner.CaptionRect.bottom};
  const std::vector<COLORREF> pixels = ScreenPixels(OnScreen(wnd, text));
  int inkEnd = -1;
  for (size_t i = 0; i < pixels.size(); ++i)
    if (LightPixels({pixels[i]})) inkEnd = std::max(inkEnd, static_cast<int>(i % text.Width()) + 1);
  SIZE whole{};
  {
    TWindowDC dc(wnd);
    TSelectObject font(dc.Get(), skinner.CaptionFont.Get());
    const std::wstring drawn = skinner.CaptionPrefix + L"Rock & Roll";
    GetTextExtentPoint32W(dc.Get(), drawn.c_str(), static_cast<int>(drawn.size()), &whole);
  }
  EXPECT_NEAR(inkEnd, whole.cx, 2) << "the caption's ink ends " << whole.cx - inkEnd << " pixels short of its text";
}

// A popup without a caption, and one with only a border, keep the
// platform's frame when skinned, their border included, and get back the
// styles they had, not a caption they never had.
TEST(SkinnedFrame, PopupsThatKeepThePlatformFrameKeepTheirStyles) {
  TSkinnedSession session(false);
  std::vector<HWND> windows;
  std::vector<DWORD> styles;  // as the platform made them
  for (DWORD style : {WS_POPUP | WS_SYSMENU, WS_POPUP | WS_BORDER}) {
    windows.push_back(BareWindow(style, {200, 200, 420, 330}));
    styles.push_back(static_cast<DWORD>(GetWindowLongPtrW(windows.back(), GWL_STYLE)) & ~WS_VISIBLE);
  }
  for (int round = 1; round <= 2; ++round) {
    session.Skin().SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return session.Manager().Enabled; }));
    // Each is skinned as it is activated: the last shown is in front, so the first goes first.
    for (size_t i = 0; i < windows.size(); ++i) {
      HWND wnd = windows[i];
      SetForegroundWindow(wnd);
      ASSERT_TRUE(PumpUntil([&] { return IsPresented(wnd); })) << "round " << round;
      EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU), styles[i] & (WS_CAPTION | WS_SYSMENU))
          << "style " << std::hex << styles[i] << ", skinned";
    }
    session.Skin().SetActive(false);
    for (size_t i = 0; i < windows.size(); ++i) {
      HWND wnd = windows[i];
      ASSERT_TRUE(PumpUntil([&] { return SkinnerOf(wnd) == nullptr; }));
      EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)) & ~WS_VISIBLE, styles[i])
          << "style " << std::hex << styles[i] << ", given back in round " << std::dec << round;
    }
  }
  for (HWND wnd : windows) DestroyWindow(wnd);
}

namespace {

// An item of the skinned form's drop-downs drawn through the form, as the
// menu loop has it measured and drawn; the column after its rightmost ink.
struct TDrawnItem {
  UINT Width = 0;
  int InkEnd = 0;
};

TDrawnItem DrawnItem(HWND wnd, TMenuItem& item) {
  MEASUREITEMSTRUCT measure{ODT_MENU, 0, item.Command(), 0, 0, 0};
  SendMessageW(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
  TDrawnItem drawn{measure.itemWidth, -1};
  TBitmap bitmap;
  bitmap.SetSize(static_cast<int>(measure.itemWidth), static_cast<int>(measure.itemHeight));
  DRAWITEMSTRUCT draw{ODT_MENU, 0, item.Command(), ODA_DRAWENTIRE, 0,
                      reinterpret_cast<HWND>(item.Parent()->Handle()), bitmap.Canvas().Handle(),
                      {0, 0, static_cast<LONG>(measure.itemWidth), static_cast<LONG>(measure.itemHeight)}, 0};
  SendMessageW(wnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      const uint8_t* p = bitmap.ScanLine(y) + 3 * x;
      if (p[0] + p[1] + p[2] < 3 * 128) drawn.InkEnd = std::max(drawn.InkEnd, x + 1);
    }
  return drawn;
}

}  // namespace

// A drop-down's default item is drawn in bold, so it is measured in bold and
// its caption drawn to its end, however much wider than in the regular font.
TEST(SkinnedMenuItems, TheBoldDefaultItemIsMeasuredAndDrawnWhole) {
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  ASSERT_TRUE(ShowSkinned(*form));
  HWND wnd = form->Handle();
  form->Open->SetCaption(L"Open a recording made much earlier");
  const TDrawnItem regular = DrawnItem(wnd, *form->Open);
  form->Open->SetDefault(true);
  const TDrawnItem bold = DrawnItem(wnd, *form->Open);

  int widening = 0;
  {
    TWindowDC dc(wnd);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    TFontHandle regularFont(CreateFontIndirectW(&metrics.lfMenuFont));
    metrics.lfMenuFont.lfWeight = FW_BOLD;
    TFontHandle boldFont(CreateFontIndirectW(&metrics.lfMenuFont));
    const std::wstring caption = form->Open->Caption();
    SIZE thin{}, thick{};
    TSelectObject first(dc.Get(), regularFont.Get());
    GetTextExtentPoint32W(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &thin);
    TSelectObject second(dc.Get(), boldFont.Get());
    GetTextExtentPoint32W(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &thick);
    widening = thick.cx - thin.cx;
  }
  ASSERT_GT(widening, 5) << "the bold caption is wider";
  EXPECT_EQ(static_cast<int>(bold.Width - regular.Width), widening) << "measured in bold";
  EXPECT_NEAR(bold.InkEnd - regular.InkEnd, widening, 2) << "the bold caption is cut";
}

// A bare window's drop-down is drawn by the skin while its bar is: once the
// skin lets the window go, its items are the platform's strings again (not
// owner-drawn items nobody draws), and an item the program draws itself
// stays its own.
TEST(SkinnedMenuItems, ABareWindowGetsItsMenuBackAsThePlatformDrawsIt) {
  TSkinnedSession session;
  TMenuLoopGuard guard;
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 11, L"&Open");
  AppendMenuW(file, MF_OWNERDRAW, 12, nullptr);
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  HWND wnd = BareWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, {150, 150, 450, 350}, bar);
  ASSERT_TRUE(PumpUntil([&] { return IsPresented(wnd); }));
  TWinSkinForm& skinner = *SkinnerOf(wnd);
  ASSERT_NE(skinner.SkinMenu, nullptr);
  UINT_PTR closer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  EXPECT_TRUE(skinner.SkinMenu->OpenEntry(skinner.SkinMenu->Entries.at(0).get()));
  KillTimer(nullptr, closer);

  session.Skin().SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return SkinnerOf(wnd) == nullptr; }));
  EXPECT_EQ(GetMenu(wnd), bar);
  auto type = [&](UINT id) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(file, id, FALSE, &info);
    return info.fType;
  };
  EXPECT_FALSE(type(11) & MFT_OWNERDRAW) << "the skin's owner drawing is undone";
  wchar_t text[16] = {};
  GetMenuStringW(file, 11, text, 16, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"&Open");
  EXPECT_TRUE(type(12) & MFT_OWNERDRAW) << "the program's own stays";
  DestroyWindow(wnd);
}

// A menu item made invisible is not on the platform's bar, nor on the
// skinned one: with owner-drawn items (whose captions the bar takes from the
// toolkit's items) each entry still shows, and opens, the item in its place.
TEST(SkinnedMenuItems, AnInvisibleItemIsNeitherDrawnNorClickedOnTheBar) {
  TSkinnedSession session;
  TMenuLoopGuard guard;
  auto* form = Application.CreateForm<TMenuForm>();
  form->Menu()->SetOwnerDraw(true);
  form->Edit->SetVisible(false);
  ASSERT_TRUE(ShowSkinned(*form));
  TWinSkinMenu& bar = *SkinnerOf(form->Handle())->SkinMenu;
  Pump(100);
  std::vector<std::wstring> captions;
  for (auto& entry : bar.Entries) captions.push_back(entry->Caption);
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"&File", L"&Help"}));
  ASSERT_EQ(bar.Entries.size(), 2u);
  EXPECT_EQ(bar.Entries[1]->SubMenu, form->Help->Handle()) << "the second entry opens Help";
  EXPECT_EQ(bar.HitEntry({bar.Entries[1]->Bounds.Left + 2, bar.Entries[1]->Bounds.Top + 2}), bar.Entries[1].get());
}
