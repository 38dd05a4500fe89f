#include "DialogControls.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinBars.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/controls/WindowChoice.h"
#include "skin/engine/WindowFacts.h"
#include "support/BitmapPixels.h"

namespace {

// The class of skinner each choice names.
const wchar_t* SkinnerClassName(TSkinnerClass skinner) {
  switch (skinner) {
    case scButton: return L"TSkinButton";
    case scCheckBox: return L"TSkinCheckBox";
    case scRadioButton: return L"TSkinRadioButton";
    case scGroupBox: return L"TSkinGroupBox";
    case scTab: return L"TSkinTab";
    case scProgress: return L"TSkinProgress";
    case scUpDown: return L"TSkinUpDown";
    case scEdit: return L"TSkinEdit";
    case scComBox: return L"TSkinComBox";
    case scSizer: return L"TSkinSizer";
    case scScControl: return L"TSkinScControl";
    case scScrollbar: return L"TSkinScrollbar";
    case scListView: return L"TSkinListView";
    case scDialogPage: return L"TSkinDialogPage";
    case scToolBar: return L"TSkinToolBar";
    case scTrackBar: return L"TSkinTrackBar";
    default: return L"another skinner";
  }
}

std::wstring Describe(HWND wnd) {
  return ClassNameOf(wnd) + L" " + std::to_wstring(GetDlgCtrlID(wnd)) + L" \"" + CaptionTextOf(wnd) + L"\"";
}

// What the screen shows of wnd, its frame and bars included, in rows.
std::vector<COLORREF> ScreenPixels(HWND wnd) {
  RECT area;
  GetWindowRect(wnd, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  TBitmap copy;
  copy.SetSize(width, height);
  HDC screen = GetDC(nullptr);
  BitBlt(copy.Canvas().Handle(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(PixelAt(copy, x, y));
  return pixels;
}

// Wine shows what was drawn on a window when the thread next waits for
// messages: a wait that takes none lets the screen catch up.
void ShowDrawing() {
  for (int i = 0; i < 3; ++i) MsgWaitForMultipleObjectsEx(0, nullptr, 20, 0, 0);
}

bool Scrolls(HWND wnd) { return (GetWindowLongPtrW(wnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0; }

COLORREF ScreenPixel(HWND wnd, POINT client) {
  ClientToScreen(wnd, &client);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, client.x, client.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

class TControlCheck {
 public:
  explicit TControlCheck(TSkinData& skin) : FSkin(skin) {}
  void Walk(HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const auto style = uint32_t(GetWindowLongPtrW(child, GWL_STYLE));
      if (!IsOfferedChildWindow(style)) continue;
      const TWindowChoice choice = ChooseWindowSkinner(ClassNameOf(child), style);
      HWND target = choice.OnFirstChild ? GetWindow(child, GW_CHILD) : child;
      if (choice.Skinner != scNone && target) Check(target, choice.Skinner);
      if (choice.OfferChildren || choice.Skinner == scDialogPage) Walk(child);
    }
  }
  TDialogControls Found;

 private:
  TSkinData& FSkin;
  void Check(HWND target, TSkinnerClass wanted) {
    TSkinControl* skinner = TSkinControl::ForWindow(target);
    const std::wstring name = SkinnerClassName(wanted);
    if (!skinner || skinner->ClassName() != name)
      return Found.Faults.push_back(Describe(target) + L" has " + (skinner ? skinner->ClassName() : L"no skinner") +
                              L", wants " + name);
    Found.Skinners.insert(skinner->ClassName());
    if (auto* list = dynamic_cast<TSkinListView*>(skinner)) CheckHeader(target, *list);
    if (!IsWindowVisible(target)) return;
    if (Scrolls(target)) CheckRepaintedAlike(target);
    if (dynamic_cast<TSkinToolBar*>(skinner)) CheckHotButton(target);
    if (dynamic_cast<TSkinTrackBar*>(skinner)) CheckThumb(target);
  }

  // The first button of a tool bar, made hot, shows the skin's hot face: its
  // left edge halfway down is the button image's frame 4 there.
  void CheckHotButton(HWND bar) {
    const int count = int(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    int index = 0;
    for (TBBUTTON button{}; index < count; ++index) {
      SendMessageW(bar, TB_GETBUTTON, WPARAM(index), reinterpret_cast<LPARAM>(&button));
      if (!(button.fsStyle & BTNS_SEP) && (button.fsState & TBSTATE_ENABLED)) break;
    }
    if (index == count) return;
    RECT item{};
    SendMessageW(bar, TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    SendMessageW(bar, TB_SETHOTITEM, WPARAM(index), 0);
    UpdateWindow(bar);
    ShowDrawing();
    TBitmap& image = FSkin.Buttons.Image;
    const COLORREF wanted = PixelAt(image, 3 * image.Width() / 5, image.Height() / 2);
    const COLORREF shown = ScreenPixel(bar, {item.left, (item.top + item.bottom) / 2});
    SendMessageW(bar, TB_SETHOTITEM, WPARAM(-1), 0);
    if (shown != wanted) Found.Faults.push_back(Describe(bar) + L": a hot button's face is not the skin's");
  }

  // A track bar's thumb is the skin's: its middle is the middle of the thumb image's second cell.
  void CheckThumb(HWND bar) {
    RECT thumb{};
    SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    TBitmap& image = FSkin.TrackbarThumbHorz->Image;
    const COLORREF wanted = PixelAt(image, image.Width() / 5 + image.Width() / 10, image.Height() / 2);
    if (ScreenPixel(bar, {(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2}) != wanted)
      Found.Faults.push_back(Describe(bar) + L": its thumb is not the skin's");
  }

  void CheckHeader(HWND list, TSkinListView& skinner) {
    auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    if (!header || !IsWindowVisible(header)) return;
    if (!skinner.Header() || TSkinControl::ForWindow(header) != skinner.Header())
      return Found.Faults.push_back(Describe(list) + L": its column header is not skinned");
    Found.Skinners.insert(skinner.Header()->ClassName());
  }

  // What the screen shows of it, its bars included, must be what painting it
  // again gives; the fault names the rectangle (window coordinates) where
  // the looks differ.
  void CheckRepaintedAlike(HWND wnd) {
    const std::vector<COLORREF> shown = ScreenPixels(wnd);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    ShowDrawing();
    const std::vector<COLORREF> painted = ScreenPixels(wnd);
    RECT area;
    GetWindowRect(wnd, &area);
    const LONG width = area.right - area.left;
    RECT differs{width, LONG(shown.size()), -1, -1};
    for (size_t i = 0; i < shown.size() && i < painted.size(); ++i) {
      if (shown[i] == painted[i]) continue;
      const LONG x = LONG(i) % width, y = LONG(i) / width;
      differs = {std::min(differs.left, x), std::min(differs.top, y), std::max(differs.right, x + 1),
                 std::max(differs.bottom, y + 1)};
    }
    if (differs.right < 0) return;
    Found.Faults.push_back(Describe(wnd) + L" shows other than its own painting gives, at (" +
                     std::to_wstring(differs.left) + L"," + std::to_wstring(differs.top) + L")-(" +
                     std::to_wstring(differs.right) + L"," + std::to_wstring(differs.bottom) + L") of " +
                     std::to_wstring(width) + L"x" + std::to_wstring(area.bottom - area.top));
  }
};

}  // namespace

TDialogControls CheckDialogControls(HWND parent, TSkinData& skin) {
  TControlCheck check(skin);
  check.Walk(parent);
  return check.Found;
}
