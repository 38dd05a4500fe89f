// The forms toolkit against real windows: messages pass through a replaceable
// WindowProc, notifications arrive where the skin engine expects them, errors
// stop at the window procedure, hints follow the mouse, and painting leaks no
// GDI objects.
#include <gtest/gtest.h>

#include <vector>

#include "support/GuiObjects.h"
#include "support/ShownErrors.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/platform/Application.h"

namespace {

// Stands in for a skinner: takes a control's WindowProc over, records what
// passes, hands everything on, and gives the old one back.
class TSpy {
 public:
  explicit TSpy(TControl& control) : Control(control), Saved(control.WindowProc()) {
    control.SetWindowProc(TWndMethod::Of<&TSpy::Hook>(*this));
  }
  void Restore() { Control.SetWindowProc(Saved); }
  bool Saw(UINT msg) const { return std::find(Seen.begin(), Seen.end(), msg) != Seen.end(); }
  void Hook(TMessage& message) {
    Seen.push_back(message.Msg);
    if (message.Msg == WM_PAINT) PaintDC = message.WParam;
    Saved(message);
  }

  TControl& Control;
  TWndMethod Saved;
  std::vector<UINT> Seen;
  WPARAM PaintDC = 0;
};

class TTestForm : public TForm {
 public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {
    SetBounds(100, 100, 300, 200);
    Button = new TButton(this);
    Button->SetParent(this);
    Button->SetBounds(10, 10, 80, 25);
    Button->SetText(L"录音");
    Button->SetOnClick(TNotifyEvent::Of<&TTestForm::ButtonClick>(*this));
    Label = new TLabel(this);
    Label->SetParent(this);
    Label->SetBounds(10, 60, 100, 12);
    Label->SetText(L"声音来源：");
    Label->SetHint(L"short|the long hint");
    Label->SetShowHint(true);
  }
  void ButtonClick(TComponent*) {
    ++Clicks;
    if (RaiseOnClick) throw Exception(L"Stream write error");
  }

  TButton* Button;
  TLabel* Label;
  int Clicks = 0;
  bool RaiseOnClick = false;
};

class Forms : public ::testing::Test {
 protected:
  void SetUp() override {
    Application.Initialize();
    Form = std::make_unique<TTestForm>(nullptr);
    Form->Show();
    Application.ProcessMessages();
  }
  void TearDown() override {
    Form.reset();
    Application.SetOnHint({});
  }
  // Puts the mouse over a point of the form's client area, as a user would.
  void MoveMouseTo(int x, int y) {
    POINT point{x, y};
    ClientToScreen(Form->Handle(), &point);
    SetCursorPos(point.x, point.y);
    PostMessageW(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    Application.ProcessMessagesFor(100);
  }
  std::unique_ptr<TTestForm> Form;
};

}  // namespace

TEST_F(Forms, FormWindowClassIsTheFormsClassName) {
  wchar_t name[64] = {};
  GetClassNameW(Form->Handle(), name, 64);
  EXPECT_STREQ(name, L"TForm");
  GetClassNameW(Application.Handle(), name, 64);
  EXPECT_STREQ(name, L"TApplication");
}

TEST_F(Forms, ReplacedWindowProcSeesNotificationsAndCanBePutBack) {
  TSpy spy(*Form->Button);
  Form->Button->SetEnabled(false);
  EXPECT_TRUE(spy.Saw(CM_ENABLEDCHANGED));
  EXPECT_FALSE(IsWindowEnabled(Form->Button->Handle()));  // passed on to the default handling

  Form->Button->SetEnabled(true);
  SendMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(Form->Button->Handle()));
  EXPECT_TRUE(spy.Saw(CN_COMMAND));  // the parent reflects its child's notification
  EXPECT_EQ(Form->Clicks, 1);

  spy.Restore();
  spy.Seen.clear();
  Form->Button->SetEnabled(false);
  EXPECT_TRUE(spy.Seen.empty());
}

TEST_F(Forms, WindowlessControlsPaintAndHearTheMouseThroughTheirWindowProc) {
  TSpy spy(*Form->Label);
  Form->Label->Invalidate();
  UpdateWindow(Form->Handle());
  EXPECT_TRUE(spy.Saw(WM_PAINT));
  EXPECT_NE(spy.PaintDC, 0u);

  MoveMouseTo(20, 65);
  EXPECT_TRUE(spy.Saw(CM_MOUSEENTER));
  EXPECT_EQ(Application.MouseControl(), Form->Label);
  MoveMouseTo(200, 150);
  EXPECT_TRUE(spy.Saw(CM_MOUSELEAVE));

  spy.Seen.clear();
  delete Form->Label;  // the skin engine hears of it before it goes
  EXPECT_TRUE(spy.Saw(CM_RELEASE));
}

TEST_F(Forms, HintFollowsTheMouseAndRaisesTheHintEvent) {
  struct THintLog {
    std::vector<std::wstring> Hints;
    void Changed(TComponent*) { Hints.push_back(Application.Hint()); }
  } log;
  Application.SetOnHint(TNotifyEvent::Of<&THintLog::Changed>(log));
  MoveMouseTo(200, 150);
  MoveMouseTo(20, 65);
  EXPECT_EQ(Application.Hint(), L"the long hint");
  MoveMouseTo(200, 150);
  EXPECT_EQ(Application.Hint(), L"");
  ASSERT_GE(log.Hints.size(), 2u);
  EXPECT_EQ(log.Hints[log.Hints.size() - 2], L"the long hint");
}

TEST_F(Forms, FormHearsAltLettersAndMenuChanges) {
  TSpy spy(*Form);
  PostMessageW(Form->Button->Handle(), WM_SYSCHAR, L'a', 0);
  Application.ProcessMessages();
  EXPECT_TRUE(spy.Saw(CM_DIALOGCHAR));

  auto* menu = new TMainMenu(Form.get());
  auto* item = new TMenuItem(Form.get());
  item->SetCaption(L"系统(&S)");
  menu->Add(item);
  Form->SetMenu(menu);
  EXPECT_TRUE(spy.Saw(CM_MENUCHANGED));
  EXPECT_EQ(GetMenuItemCount(GetMenu(Form->Handle())), 1);
  spy.Seen.clear();
  item->SetCaption(L"关于(&A)");  // the bar is remade, and the form told again
  EXPECT_TRUE(spy.Saw(CM_MENUCHANGED));
  wchar_t caption[32] = {};
  GetMenuStringW(GetMenu(Form->Handle()), 0, caption, 32, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"关于(&A)");
  spy.Restore();
}

TEST_F(Forms, AnErrorInAHandlerStopsAtTheWindowProcedure) {
  TShownErrors shown;
  Form->RaiseOnClick = true;
  SendMessageW(Form->Button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Form->Clicks, 1);
  EXPECT_EQ(shown.Texts, std::vector<std::wstring>{L"Stream write error"});
}

TEST_F(Forms, PublishedPropertiesByNameReachTheWindow) {
  EXPECT_TRUE(Form->Button->SetProperty(L"Caption", std::wstring(L"停止")));
  wchar_t text[16] = {};
  GetWindowTextW(Form->Button->Handle(), text, 16);
  EXPECT_STREQ(text, L"停止");
  EXPECT_TRUE(Form->Button->SetProperty(L"Enabled", TLayoutIdent{L"False"}));
  EXPECT_FALSE(IsWindowEnabled(Form->Button->Handle()));
  EXPECT_EQ(std::get<TLayoutIdent>(*Form->Button->GetProperty(L"Enabled")).Name, L"False");
  EXPECT_THROW(Form->Button->SetProperty(L"Left", std::wstring(L"ten")), EPropertyError);

  TSpeedButton speed(nullptr);
  EXPECT_TRUE(speed.SetProperty(L"Flat", TLayoutIdent{L"True"}));
  EXPECT_TRUE(speed.SetProperty(L"Transparent", TLayoutIdent{L"True"}));
  EXPECT_EQ(std::get<TLayoutIdent>(*speed.GetProperty(L"Flat")).Name, L"True");
  EXPECT_TRUE(speed.Is(ckSpeedButton));
  EXPECT_FALSE(speed.Is(ckButton));
}

TEST_F(Forms, RepaintingLeaksNoGdiObjects) {
  auto repaint = [&] {
    for (int i = 0; i < 50; ++i) {
      Form->Label->SetText(i % 2 ? L"声音来源：" : L"缓存路径：");
      RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
  };
  repaint();  // fonts and brushes made on first use stay; later paints add none
  DWORD before = GdiObjects();
  repaint();
  EXPECT_EQ(GdiObjects(), before);
}
