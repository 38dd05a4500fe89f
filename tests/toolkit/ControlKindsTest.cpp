// The toolkit's further kinds of control, read from a layout into real
// common controls: their published properties, their window styles, and
// what they do under real mouse input (a scroll bar's arrows and track, a
// radio group, pages, a tab set's scroller, tool-bar buttons).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "toolkit/core/LayoutParser.h"
#include "toolkit/forms/DateTimePicker.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/LayoutResource.h"
#include "toolkit/forms/ListView.h"
#include "toolkit/forms/Memo.h"
#include "toolkit/forms/RadioButtons.h"
#include "toolkit/forms/RangeControls.h"
#include "toolkit/forms/TabSet.h"
#include "toolkit/forms/Tabs.h"
#include "toolkit/forms/ToolBar.h"
#include "toolkit/platform/Application.h"

namespace {

const char kLayout[] = R"(object Kinds: TForm
  Left = 30
  Top = 30
  ClientWidth = 520
  ClientHeight = 400
  object Group: TRadioGroup
    Left = 8
    Top = 8
    Width = 120
    Height = 80
    Caption = "声道"
    Items = "单声道\n立体声"
    ItemIndex = 0
  end
  object Bar: TScrollBar
    Left = 140
    Top = 8
    Width = 200
    Height = 17
    Max = 20
    PageSize = 5
    LargeChange = 5
  end
  object Track: TTrackBar
    Left = 140
    Top = 40
    Width = 30
    Height = 100
    Orientation = trVertical
    Max = 20
    Position = 7
  end
  object Spin: TUpDown
    Left = 180
    Top = 40
    Width = 30
    Height = 17
    Orientation = udHorizontal
  end
  object Progress: TProgressBar
    Left = 220
    Top = 40
    Width = 120
    Height = 16
    Position = 40
  end
  object Notes: TMemo
    Left = 8
    Top = 100
    Width = 120
    Height = 60
    ScrollBars = ssVertical
    Lines = "one\ntwo"
  end
  object Devices: TListView
    Left = 8
    Top = 170
    Width = 200
    Height = 80
    Columns = <
      item
        Caption = "设备"
        Width = 120
      end
    >
    Items = <
      item
        Caption = "Primary Sound Driver"
      end
      item
        Caption = "PulseAudio"
      end
    >
  end
  object Pages: TPageControl
    Left = 220
    Top = 170
    Width = 200
    Height = 100
    object First: TTabSheet
      Caption = "格式"
    end
    object Second: TTabSheet
      Caption = "设备"
    end
  end
  object Set: TTabSet
    Left = 8
    Top = 280
    Width = 120
    Height = 21
    Tabs = "一\n二"
    TabIndex = 0
  end
  object Picker: TDateTimePicker
    Left = 220
    Top = 280
    Width = 120
    Height = 21
    Kind = dtkTime
    Time = "10:20:30"
  end
  object Box: TPanel
    Left = 350
    Top = 40
    Width = 100
    Height = 60
    Caption = "面板"
    BevelOuter = bvLowered
  end
  object Tools: TToolBar
    Left = 8
    Top = 320
    Width = 300
    Height = 26
    Flat = True
    object Record: TToolButton
      Caption = "录音"
    end
    object Stop: TToolButton
      Caption = "停止"
      Enabled = False
    end
  end
end
)";

class TKindsForm : public TForm {
 public:
  explicit TKindsForm(TComponent* owner) : TForm(owner) {
    BeginLoading();
    ::ReadLayout(*this, ParseLayout(kLayout), LayoutClasses());
    EndLoading();
  }
  template <class Control>
  Control& Get(const wchar_t* name) { return *Field<Control>(name); }
  using TForm::Field;
};

DWORD StyleOf(TWinControl& control) { return DWORD(GetWindowLongPtrW(control.Handle(), GWL_STYLE)); }

void Pump(DWORD milliseconds = 50) { Application.ProcessMessagesFor(milliseconds); }

void ClickAt(HWND wnd, int x, int y) {
  POINT point{x, y};
  ClientToScreen(wnd, &point);
  INPUT input[3] = {};
  for (INPUT& in : input) in.type = INPUT_MOUSE;
  input[0].mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input[0].mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, input, sizeof(INPUT));
  for (int i = 0; i < 100 && GetQueueStatus(QS_INPUT) != 0; ++i) Pump(10);
  Pump();
}

struct TEvents {
  int Changes = 0;
  std::vector<TToolButton*> Drawn;
  void Changed(TComponent*) { ++Changes; }
  void DrawButton(TToolBar*, TToolButtonDraw& draw) { Drawn.push_back(draw.Button); }
};

class ControlKinds : public ::testing::Test {
 protected:
  void SetUp() override {
    Application.Initialize();
    Form = std::make_unique<TKindsForm>(nullptr);
    Form->Show();
    Pump();
  }
  std::unique_ptr<TKindsForm> Form;
  TEvents Events;
};

}  // namespace

TEST_F(ControlKinds, LayoutsMakeCommonControlsWithTheirProperties) {
  auto& group = Form->Get<TRadioGroup>(L"Group");
  ASSERT_EQ(group.ItemCount(), 2);
  EXPECT_EQ(group.Buttons(1)->Text(), L"立体声");
  EXPECT_TRUE(group.Buttons(0)->Checked());
  EXPECT_TRUE(group.Is(ckRadioGroup) && group.Is(ckGroupBox) && group.Is(ckContainer));

  EXPECT_TRUE(StyleOf(Form->Get<TTrackBar>(L"Track")) & TBS_VERT);
  EXPECT_EQ(SendMessageW(Form->Get<TTrackBar>(L"Track").Handle(), TBM_GETPOS, 0, 0), 7);
  EXPECT_TRUE(StyleOf(Form->Get<TUpDown>(L"Spin")) & UDS_HORZ);
  EXPECT_EQ(SendMessageW(Form->Get<TProgressBar>(L"Progress").Handle(), PBM_GETPOS, 0, 0), 40);
  EXPECT_TRUE(StyleOf(Form->Get<TMemo>(L"Notes")) & WS_VSCROLL);
  EXPECT_EQ(Form->Get<TMemo>(L"Notes").Text(), L"one\r\ntwo");
  EXPECT_TRUE(Form->Get<TMemo>(L"Notes").Is(ckMemo) && Form->Get<TMemo>(L"Notes").Is(ckEdit));

  auto& list = Form->Get<TListView>(L"Devices");
  EXPECT_EQ(SendMessageW(list.Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_NE(reinterpret_cast<HWND>(SendMessageW(list.Handle(), LVM_GETHEADER, 0, 0)), nullptr);
  EXPECT_TRUE((StyleOf(list) & LVS_TYPEMASK) == LVS_REPORT);

  EXPECT_TRUE(StyleOf(Form->Get<TDateTimePicker>(L"Picker")) & DTS_UPDOWN) << "a time steps with an up-down";
  SYSTEMTIME time{};
  SendMessageW(Form->Get<TDateTimePicker>(L"Picker").Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  EXPECT_EQ(time.wMinute, 20);

  auto& tools = Form->Get<TToolBar>(L"Tools");
  EXPECT_EQ(SendMessageW(tools.Handle(), TB_BUTTONCOUNT, 0, 0), 2);
  EXPECT_TRUE(SendMessageW(tools.Handle(), TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
  EXPECT_EQ(std::get<TLayoutIdent>(*tools.GetProperty(L"Transparent")).Name, L"False");
  tools.SetProperty(L"Transparent", TLayoutIdent{L"True"});
  EXPECT_TRUE(SendMessageW(tools.Handle(), TB_GETSTYLE, 0, 0) & TBSTYLE_TRANSPARENT);

  // Controls follow their parent's colour down the tree, unless they have their own.
  Form->Get<TPanel>(L"Box").SetColor(clWhite);
  Form->SetColor(clBlue);
  EXPECT_EQ(group.Buttons(0)->Color(), clBlue) << "through the radio group";
  EXPECT_EQ(Form->Get<TPanel>(L"Box").Color(), clWhite);
  EXPECT_EQ(Form->Get<TMemo>(L"Notes").Color(), clWindow);
  Form->Get<TPanel>(L"Box").SetParentColor(true);
  EXPECT_EQ(Form->Get<TPanel>(L"Box").Color(), clBlue);
}

TEST_F(ControlKinds, AScrollBarMovesByItsChangesAndStopsAPageBeforeItsMax) {
  auto& bar = Form->Get<TScrollBar>(L"Bar");
  bar.SetOnChange(TNotifyEvent::Of<&TEvents::Changed>(Events));
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  ClickAt(bar.Handle(), bar.Width() - arrow / 2, 8);
  EXPECT_EQ(bar.Position(), 1);
  ClickAt(bar.Handle(), bar.Width() - arrow - 4, 8);
  EXPECT_EQ(bar.Position(), 6) << "the track pages by LargeChange";
  for (int i = 0; i < 4; ++i) ClickAt(bar.Handle(), bar.Width() - arrow - 4, 8);
  EXPECT_EQ(bar.Position(), 16) << "Max - PageSize + 1";
  EXPECT_EQ(GetScrollPos(bar.Handle(), SB_CTL), 16);
  EXPECT_EQ(Events.Changes, 4);
}

TEST_F(ControlKinds, RadioGroupsPagesAndTabSetsFollowTheirChoice) {
  auto& group = Form->Get<TRadioGroup>(L"Group");
  RECT second;
  GetWindowRect(group.Buttons(1)->Handle(), &second);
  MapWindowPoints(nullptr, group.Buttons(1)->Handle(), reinterpret_cast<POINT*>(&second), 2);
  ClickAt(group.Buttons(1)->Handle(), 6, (second.bottom - second.top) / 2);
  EXPECT_EQ(group.ItemIndex(), 1);
  EXPECT_FALSE(group.Buttons(0)->Checked());

  auto& pages = Form->Get<TPageControl>(L"Pages");
  ASSERT_EQ(pages.PageCount(), 2);
  pages.SetTabIndex(1);
  EXPECT_FALSE(IsWindowVisible(pages.Pages(0)->Handle()));
  EXPECT_TRUE(IsWindowVisible(pages.Pages(1)->Handle()));
  RECT display = pages.DisplayRect();
  EXPECT_EQ(pages.Pages(1)->Left(), display.left);
  EXPECT_EQ(pages.Pages(1)->Width(), display.right - display.left);
  pages.Pages(1)->SetText(L"高级");
  wchar_t text[16] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 16;
  SendMessageW(pages.Handle(), TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, L"高级");

  auto& set = Form->Get<TTabSet>(L"Set");
  EXPECT_EQ(set.Components(0), &set.Scroller()) << "the scroller is the tab set's first component";
  EXPECT_FALSE(set.Scroller().Visible());
  set.SetTabs({L"一", L"二", L"三", L"四", L"五", L"六", L"七", L"八", L"九"});
  EXPECT_TRUE(set.Scroller().Visible());
  const size_t shown = set.TabRects().size();
  EXPECT_LT(shown, 9u);
  set.SetFirstIndex(1);
  EXPECT_EQ(set.TabRects().front().left, set.StartMargin());
  set.SetTabs({L"一"});
  EXPECT_FALSE(set.Scroller().Visible());
  ClickAt(set.Handle(), set.TabRects().front().left + 4, 8);
  EXPECT_EQ(set.TabIndex(), 0);
}

TEST_F(ControlKinds, ToolBarButtonsClickAndAreOfferedToTheirDrawingEvent) {
  auto& tools = Form->Get<TToolBar>(L"Tools");
  auto& recordButton = *Form->Field<TToolButton>(L"Record");
  recordButton.SetOnClick(TNotifyEvent::Of<&TEvents::Changed>(Events));
  tools.SetOnCustomDrawButton(TToolButtonDrawEvent::Of<&TEvents::DrawButton>(Events));
  UpdateWindow(tools.Handle());
  Pump();
  ASSERT_GE(Events.Drawn.size(), 2u);
  EXPECT_EQ(Events.Drawn[0], &recordButton);

  RECT first;
  SendMessageW(tools.Handle(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  ClickAt(tools.Handle(), (first.left + first.right) / 2, (first.top + first.bottom) / 2);
  EXPECT_EQ(Events.Changes, 1);
  delete &recordButton;  // leaves the bar
  EXPECT_EQ(SendMessageW(tools.Handle(), TB_BUTTONCOUNT, 0, 0), 1);
}
