// The forms toolkit against real windows: messages pass through a replaceable
// WindowProc, notifications arrive where the skin engine expects them, errors
// stop at the window procedure (and wait for a paint to end), hints follow the
// mouse, clicks end when the capture goes, and painting leaks no GDI objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/GuiObjects.h"
#include "support/ShownErrors.h"
#include "toolkit/core/ScopeGuard.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/WindowSubclass.h"

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

// A main form sets the hint event for its status line; once it is gone, a
// hint that changes (a mouse move over another window) calls nothing of it.
TEST_F(Forms, TheHintEventOfAFormThatWentIsDropped) {
  static int calls = 0;
  struct THintedForm : TForm {
    using TForm::TForm;
    void ShowHint(TComponent*) { ++calls; }
  };
  auto* hinted = new THintedForm(nullptr);
  Application.SetOnHint(TNotifyEvent::Of<&THintedForm::ShowHint>(*hinted));
  Application.SetHint(L"one");
  EXPECT_EQ(calls, 1);
  hinted->Free();
  Application.SetHint(L"two");
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(Application.OnHint());
}

TEST_F(Forms, FormHearsAltLettersAndMenuChangesThroughBothProcedureChains) {
  TSpy spy(*Form);
  struct TFrameSpy {
    TWindowSubclass Subclass;
    int MenuChanges = 0;
    void Hook(TMessage& message) {
      if (message.Msg == CM_MENUCHANGED) ++MenuChanges;
      Subclass.CallPrevious(message);
    }
  } frame;
  frame.Subclass.Install(Form->Handle(), TWndMethod::Of<&TFrameSpy::Hook>(frame));
  PostMessageW(Form->Button->Handle(), WM_SYSCHAR, L'a', 0);
  Application.ProcessMessages();
  EXPECT_TRUE(spy.Saw(CM_DIALOGCHAR));

  auto* menu = new TMainMenu(Form.get());
  auto* item = new TMenuItem(Form.get());
  item->SetCaption(L"系统(&S)");
  menu->Add(item);
  Form->SetMenu(menu);
  EXPECT_TRUE(spy.Saw(CM_MENUCHANGED));
  EXPECT_EQ(frame.MenuChanges, 1) << "the window procedure sees it too";
  EXPECT_EQ(GetMenuItemCount(GetMenu(Form->Handle())), 1);
  spy.Seen.clear();
  item->SetCaption(L"关于(&A)");  // changed in place, and the form told again
  EXPECT_TRUE(spy.Saw(CM_MENUCHANGED));
  EXPECT_EQ(frame.MenuChanges, 2);
  wchar_t caption[32] = {};
  GetMenuStringW(GetMenu(Form->Handle()), 0, caption, 32, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"关于(&A)");
  delete menu;  // the form hears of it and shows no menu
  EXPECT_EQ(Form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(Form->Handle()), nullptr);
  spy.Restore();
}

TEST_F(Forms, ErrorsOfAnyKindStopAtTheWindowProcedureAndTheTimer) {
  TShownErrors shown;
  Form->RaiseOnClick = true;
  SendMessageW(Form->Button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Form->Clicks, 1);
  struct TOddThrower {
    void Click(TComponent*) { throw 42; }
    void Tick(TComponent* timer) {
      static_cast<TTimer*>(timer)->SetEnabled(false);
      throw std::wstring(L"not an exception class");
    }
  } thrower;
  Form->Button->SetOnClick(TNotifyEvent::Of<&TOddThrower::Click>(thrower));
  SendMessageW(Form->Button->Handle(), BM_CLICK, 0, 0);
  TTimer timer(nullptr);
  timer.SetInterval(10);
  timer.SetOnTimer(TNotifyEvent::Of<&TOddThrower::Tick>(thrower));
  Application.ProcessMessagesFor(100);
  EXPECT_EQ(shown.Texts, (std::vector<std::wstring>{L"Stream write error", L"An error of an unknown kind occurred",
                                                    L"An error of an unknown kind occurred"}));
}

namespace {

class TFailingLabel : public TLabel {
 public:
  using TLabel::TLabel;

 protected:
  void Paint(TCanvas&) override { throw Exception(L"Skin bitmap missing"); }
};

// Tells whether an error is shown while a paint of the form is running.
struct TPaintWatch {
  TWndMethod Saved;
  bool Painting = false;
  std::vector<bool> ShownWhilePainting;
  void Hook(TMessage& message) {
    bool paint = message.Msg == WM_PAINT;
    if (paint) Painting = true;
    auto done = ScopeExit([&] { if (paint) Painting = false; });
    Saved(message);
  }
  void Show(const std::exception&) { ShownWhilePainting.push_back(Painting); }
};

}  // namespace

TEST_F(Forms, AnErrorWhilePaintingIsShownOnceThePaintIsOver) {
  TPaintWatch watch;
  watch.Saved = Form->WindowProc();
  Form->SetWindowProc(TWndMethod::Of<&TPaintWatch::Hook>(watch));
  Application.SetOnException(TApplication::TExceptionEvent::Of<&TPaintWatch::Show>(watch));
  auto* label = new TFailingLabel(Form.get());
  label->SetParent(Form.get());
  label->SetBounds(150, 10, 60, 20);
  UpdateWindow(Form->Handle());
  Application.ProcessMessages();
  Application.SetOnException({});
  Form->SetWindowProc(watch.Saved);
  ASSERT_FALSE(watch.ShownWhilePainting.empty());
  EXPECT_EQ(std::count(watch.ShownWhilePainting.begin(), watch.ShownWhilePainting.end(), true), 0);
}

TEST_F(Forms, AClickWhoseMouseCaptureIsTakenAwayIsCancelled) {
  auto* button = new TSpeedButton(Form.get());
  button->SetParent(Form.get());
  button->SetBounds(150, 60, 60, 25);
  struct TClicks {
    int Count = 0;
    void Click(TComponent*) { ++Count; }
  } clicks;
  button->SetOnClick(TNotifyEvent::Of<&TClicks::Click>(clicks));
  SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 70));
  EXPECT_EQ(GetCapture(), Form->Handle());
  TWindowHandle other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  SetCapture(other.Get());  // a drag elsewhere, a menu, a message box
  ReleaseCapture();
  SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(160, 70));
  EXPECT_EQ(clicks.Count, 0);
  SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 70));
  SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(160, 70));
  EXPECT_EQ(clicks.Count, 1) << "the next click is a whole one";
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
  // Only forms and group boxes hold other controls.
  EXPECT_TRUE(Form->Is(ckContainer));
  EXPECT_TRUE(TGroupBox(nullptr).Is(ckContainer));
  EXPECT_FALSE(TCheckBox(nullptr).Is(ckContainer));
  EXPECT_FALSE(TEdit(nullptr).Is(ckContainer));
  EXPECT_FALSE(Form->Button->Is(ckContainer));
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
