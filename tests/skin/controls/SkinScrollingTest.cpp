// The skinners of scrolling controls, edits and combo boxes on real windows
// under real mouse input: a skinned memo scrolls as the platform's does, its
// thumb is dragged by the skinner to the last page, list views get their
// header skinned (a bare one shows its items), edits their outline and combo
// boxes their button.
#include "SkinnedControls.h"

#include <commctrl.h>

#include "skin/controls/ScrollBarGeometry.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/model/SkinDraw.h"
#include "toolkit/forms/ListView.h"
#include "toolkit/forms/Memo.h"
#include "toolkit/forms/RangeControls.h"
#include "toolkit/forms/StdCtrls.h"

namespace {

std::wstring ManyLines(int count) {
  std::wstring text;
  for (int i = 1; i <= count; ++i) text += L"第 " + std::to_wstring(i) + L" 行\n";
  return text;
}

class SkinScrolling : public SkinnedForm {
 protected:
  TMemo* AddMemo(int left) {
    auto* memo = Add<TMemo>(left, 20, 150, 120);
    memo->SetScrollBars(ssVertical);
    memo->SetProperty(L"Lines", ManyLines(60));
    return memo;
  }
  // The vertical bar of a window with a border, in window coordinates.
  RECT VerticalBar(HWND wnd) {
    RECT window, client;
    GetWindowRect(wnd, &window);
    GetClientRect(wnd, &client);
    const int width = window.right - window.left, height = window.bottom - window.top;
    const int t = GetSystemMetrics(SM_CXVSCROLL), border = (width - client.right - t) / 2;
    return {width - border - t, border, width - border, height - border};
  }
  int FirstLine(TMemo* memo) { return int(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
};

}  // namespace

TEST_F(SkinScrolling, ASkinnedMemoScrollsByLineAndPageAsThePlatformsDoes) {
  TMemo* skinned = AddMemo(20);
  TMemo* plain = AddMemo(200);
  (new TSkinScrollbar(skinned))->AttachScrolled(*skinned, Skin, 1, nullptr, nullptr);
  Settle();
  const RECT bar = VerticalBar(skinned->Handle());
  const int t = bar.right - bar.left;
  EXPECT_NE(ScreenPixel(skinned->Handle(), bar.left + t / 2, bar.bottom - t - 3),
            ScreenPixel(plain->Handle(), bar.left + t / 2, bar.bottom - t - 3))
      << "the skinned bar differs from the platform's";

  auto clickBoth = [&](int y) {
    for (TMemo* memo : {skinned, plain}) {
      RECT window;
      GetWindowRect(memo->Handle(), &window);
      ClickAt({window.left + bar.left + t / 2, window.top + y});
      Pump(100);
    }
  };
  clickBoth(bar.bottom - t / 2);  // the down arrow
  EXPECT_EQ(FirstLine(plain), 1);
  EXPECT_EQ(FirstLine(skinned), FirstLine(plain));
  clickBoth(bar.bottom - t - 4);  // the track below the thumb
  EXPECT_GT(FirstLine(plain), 2);
  EXPECT_EQ(FirstLine(skinned), FirstLine(plain));
  clickBoth(bar.top + t / 2);  // the up arrow
  EXPECT_EQ(FirstLine(skinned), FirstLine(plain));
}

TEST_F(SkinScrolling, DraggingTheThumbToTheEndOfAPagedRangeGivesTheLastPage) {
  TMemo* memo = AddMemo(20);
  auto* skinner = new TSkinScrollbar(memo);
  skinner->AttachScrolled(*memo, Skin, 1, nullptr, nullptr);
  Settle();
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(memo->Handle(), SB_VERT, &info);
  ASSERT_GT(info.nPage, 0u);
  const RECT bar = VerticalBar(memo->Handle());
  const int t = bar.right - bar.left;
  auto thumb = ScrollThumb(bar.bottom - bar.top, t, {info.nMin, info.nMax, int(info.nPage), info.nPos}, 8,
                           GetSystemMetrics(SM_CXHTHUMB));
  ASSERT_TRUE(thumb.has_value());
  RECT window;
  GetWindowRect(memo->Handle(), &window);
  const int x = window.left + bar.left + t / 2;
  const int y = window.top + bar.top + t + thumb->ThumbOffset + thumb->ThumbLength / 2;
  MouseTo({x, y});
  // The press starts the skinner's own modal drag; the moves and the release
  // wait in the queue for it.
  INPUT input[3] = {};
  for (INPUT& in : input) in.type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input[1].mi.dy = MulDiv(window.bottom + 20, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, input, sizeof(INPUT));
  HandleInput();
  Pump(100);
  GetScrollInfo(memo->Handle(), SB_VERT, &info);
  EXPECT_EQ(info.nPos, info.nMax - int(info.nPage) + 1);
  EXPECT_EQ(FirstLine(memo), info.nPos);
  EXPECT_EQ(skinner->PressedPart(), spNone) << "SB_ENDSCROLL came last";
}

TEST_F(SkinScrolling, AListViewsHeaderAndAStandAloneScrollBarAreSkinned) {
  auto* list = Add<TListView>(20, 20, 200, 120);
  list->AddColumn({L"设备", 120});
  for (int i = 0; i < 30; ++i) list->AddItem({L"PulseAudio " + std::to_wstring(i), {}});
  auto* skinner = new TSkinListView(list);
  skinner->AttachScrolled(*list, Skin, 0, nullptr, nullptr);
  auto* bar = Add<TScrollBar>(240, 20, 200, 17);
  (new TSkinScControl(bar))->AttachControl(nullptr, Skin, false, nullptr);
  Settle();

  auto header = reinterpret_cast<HWND>(SendMessageW(list->Handle(), LVM_GETHEADER, 0, 0));
  ASSERT_NE(skinner->Header(), nullptr);
  EXPECT_EQ(TSkinControl::ForWindow(header), skinner->Header());
  RECT item{};
  SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  const COLORREF edge = ImagePixel(Skin.Headerbar->Image, 5, 1, 0, 0);
  EXPECT_EQ(Eventually([&] { return ScreenPixel(header, item.left, item.top); }, edge), edge);
  EXPECT_EQ(Eventually([&] { return ScreenPixel(header, item.right + 30, 0); }, edge), edge)
      << "right of the last item too";

  // The bar's right arrow is cell 5 of the strip, 6 while pressed.
  const int t = GetSystemMetrics(SM_CXHSCROLL);
  auto arrowCell = [&](int cell) { return ImagePixel(Skin.Scrollbar->Image, 23, cell, 8, 8); };
  auto arrowShown = [&] { return ScreenPixel(bar->Handle(), bar->Width() - t / 2, 8); };
  ASSERT_NE(arrowCell(5), arrowCell(6));
  EXPECT_EQ(Eventually(arrowShown, arrowCell(5)), arrowCell(5));
  ClickAt(ScreenPoint(bar->Handle(), bar->Width() - t / 2, 8));
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_EQ(Eventually(arrowShown, arrowCell(5)), arrowCell(5)) << "not pressed once the press is over";
}

TEST_F(SkinScrolling, EditsWithABorderAreOutlinedAndComboBoxesGetTheSkinsButton) {
  auto* bordered = Add<TEdit>(20, 20, 150, 22, L"C:\\temp.wav");
  HWND plain = CreateWindowExW(0, L"EDIT", L"plain", WS_CHILD | WS_VISIBLE, 20, 60, 150, 22, Form->Handle(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  auto* combo = Add<TComboBox>(200, 20, 160, 22);
  combo->AddItem(L"44100Hz 16bit Mono");
  combo->SetItemIndex(0);
  (new TSkinEdit(bordered))->AttachWindow(bordered->Handle(), Skin, nullptr, nullptr);
  TComponent owner(nullptr);
  (new TSkinEdit(&owner))->AttachWindow(plain, Skin, nullptr, nullptr);
  (new TSkinComBox(combo))->AttachControl(nullptr, Skin, false, nullptr);
  Settle();
  const COLORREF shadow = ColorToRGB(Skin.Colours.ButtonShadow);
  EXPECT_EQ(Eventually([&] { return ScreenPixel(bordered->Handle(), 40, 0); }, shadow), shadow);
  EXPECT_EQ(ScreenPixel(bordered->Handle(), 40, 1), RGB(255, 255, 255));
  EXPECT_NE(ScreenPixel(plain, 40, 0), shadow) << "an edit without a border gets no outline";

  RECT window;
  GetWindowRect(combo->Handle(), &window);
  const int width = window.right - window.left, height = window.bottom - window.top;
  const int t = GetSystemMetrics(SM_CXHSCROLL);
  // The button's cell (frame = state) stretched into its place at the right.
  TBitmap& button = Skin.ComboButton->Image;
  auto buttonPixel = [&](int frame) {
    TBitmap cell;
    cell.SetSize(t + 2, height);
    DrawFrameImage(cell.Canvas().Handle(), {0, 0, t + 2, height}, button, false, 4, frame);
    return GetPixel(cell.Canvas().Handle(), 3, height / 2);
  };
  auto shown = [&] { return ScreenPixel(combo->Handle(), width - t - 2 + 3, height / 2); };
  EXPECT_EQ(Eventually(shown, buttonPixel(1)), buttonPixel(1));
  MouseTo(ScreenPoint(combo->Handle(), 20, height / 2));
  EXPECT_EQ(Eventually(shown, buttonPixel(4)), buttonPixel(4)) << "hot";
}

// A combo box with an edit field has the focus in that field, whose parent
// it is: when the focus moves on, the combo box shows its normal border
// again, as it did before it had the focus.
TEST_F(SkinScrolling, AComboBoxLosesItsFocusedBorderWhenTheFocusMovesOn) {
  // Away from where the combo box comes: a pointer that a case before left
  // there would make its border hot once the window is under it.
  MouseTo({GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2});
  auto* combo = Add<TComboBox>(20, 20, 160, 22);
  auto* next = Add<TEdit>(20, 60, 150, 22, L"C:\\temp.wav");
  (new TSkinComBox(combo))->AttachControl(nullptr, Skin, false, nullptr);
  SetFocus(next->Handle());
  Settle();
  RECT window;
  GetWindowRect(combo->Handle(), &window);
  auto border = [&] {
    std::vector<COLORREF> pixels;
    for (int x = 0; x < window.right - window.left; ++x) pixels.push_back(ScreenPixel(combo->Handle(), x, 0));
    return pixels;
  };
  const std::vector<COLORREF> normal = border();
  SetFocus(combo->Handle());
  Settle();
  ASSERT_TRUE(IsChild(combo->Handle(), GetFocus())) << "the combo box's edit field has the focus";
  EXPECT_NE(border(), normal) << "the focused border";
  SetFocus(next->Handle());
  EXPECT_EQ(Eventually(border, normal), normal);
}

// A bare list view (a file dialog's) skinned before its window shows, and
// painted again through the message queue with its frame invalid, as when a
// window that covered it goes: the frame painting that its paint brings
// about must not wipe the items it shows.
TEST_F(SkinScrolling, ABareListViewPaintedWithItsFrameShowsItsItems) {
  ShowWindow(Form->Handle(), SW_HIDE);
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, nullptr, WS_CHILD | WS_VISIBLE | LVS_LIST, 10, 10, 300,
                              150, Form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  for (int i = 0; i < 40; ++i) {
    std::wstring name = L"录音 " + std::to_wstring(i + 1) + L".wav";
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = name.data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  TComponent owner(nullptr);
  auto* skinner = new TSkinListView(&owner);
  skinner->AttachWindow(list, Skin, nullptr, nullptr);
  ShowWindow(Form->Handle(), SW_SHOW);
  Pump();
  RECT first{LVIR_LABEL, 0, 0, 0};
  SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  auto inked = [&] {
    int dark = 0;
    HDC screen = GetDC(nullptr);
    for (LONG y = first.top; y < first.bottom; ++y)
      for (LONG x = first.left; x < first.right; ++x) {
        POINT at = ScreenPoint(list, x, y);
        dark += GetRValue(GetPixel(screen, at.x, at.y)) < 128;
      }
    ReleaseDC(nullptr, screen);
    return dark;
  };
  ASSERT_GT(inked(), 0) << "the first item's text is shown";
  for (int round = 0; round < 3; ++round) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    Pump();
    EXPECT_GT(inked(), 0) << "round " << round;
  }
  DestroyWindow(list);
}
