// The keyboard focus of forms through their whole life, and the dialog keys,
// on real windows: where the focus goes when a form is shown, activated again,
// minimised and restored, or when its focused control is disabled or hidden;
// which button Enter and Escape press; and who owns the error display's box.
#include <gtest/gtest.h>

#include "toolkit/forms/Form.h"
#include "toolkit/forms/Memo.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/platform/Application.h"

namespace {

class TDialogForm : public TForm {
 public:
  explicit TDialogForm(TComponent* owner) : TForm(owner) {
    SetBounds(120, 120, 360, 240);
    Edit = Add<TEdit>(this, 10, 10, 0);
    Group = Add<TGroupBox>(this, 10, 40, 1);
    Group->SetBounds(10, 40, 200, 80);
    Check = Add<TCheckBox>(Group, 10, 20, 0);
    Ok = Add<TButton>(this, 240, 10, 2);
    Ok->SetDefault(true);
    Cancel = Add<TButton>(this, 240, 40, 3);
    Cancel->SetCancel(true);
    Memo = Add<TMemo>(this, 10, 130, 4);
    Ok->SetOnClick(TNotifyEvent::Of<&TDialogForm::OkClick>(*this));
    Cancel->SetOnClick(TNotifyEvent::Of<&TDialogForm::CancelClick>(*this));
  }
  void OkClick(TComponent*) { ++OkClicks; }
  void CancelClick(TComponent*) { ++CancelClicks; }

  template <class Control>
  Control* Add(TWinControl* parent, int left, int top, int tabOrder) {
    auto* control = new Control(this);
    control->SetParent(parent);
    control->SetBounds(left, top, 90, 24);
    control->SetTabOrder(tabOrder);
    return control;
  }

  TEdit* Edit;
  TGroupBox* Group;
  TCheckBox* Check;
  TButton* Ok;
  TButton* Cancel;
  TMemo* Memo;
  int OkClicks = 0;
  int CancelClicks = 0;
};

class Focus : public ::testing::Test {
 protected:
  void SetUp() override {
    Application.Initialize();
    Form = std::make_unique<TDialogForm>(nullptr);
    Form->Show();
    Settle();
  }
  static void Settle() { Application.ProcessMessagesFor(100); }
  // A key as the keyboard sends it to the focused window, through the message loop.
  static void Key(WORD key) {
    HWND focus = GetFocus();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(focus, WM_KEYDOWN, key, scan | 1);
    PostMessageW(focus, WM_KEYUP, key, scan | 1 | static_cast<LPARAM>(0xC0000000u));
    Settle();
  }
  std::unique_ptr<TDialogForm> Form;
};

// Dismisses the first message box of this thread and notes its owner.
struct TBoxWatch {
  static inline HWND Owner = nullptr;
  static inline bool Seen = false;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND wnd, LPARAM) -> BOOL {
          wchar_t name[16] = {};
          GetClassNameW(wnd, name, 16);
          if (std::wstring(name) != L"#32770" || !IsWindowVisible(wnd)) return TRUE;
          Seen = true;
          Owner = GetWindow(wnd, GW_OWNER);
          PostMessageW(wnd, WM_COMMAND, IDOK, 0);
          return FALSE;
        },
        0);
  }
};

}  // namespace

TEST_F(Focus, TheFocusStaysWithTheControlThroughActivationMinimisingDisablingAndHiding) {
  EXPECT_EQ(GetFocus(), Form->Edit->Handle()) << "shown: the first tab stop";

  SetFocus(Form->Ok->Handle());
  TDialogForm other(nullptr);
  other.Show();
  Settle();
  ASSERT_EQ(GetActiveWindow(), other.Handle());
  EXPECT_EQ(GetFocus(), other.Edit->Handle());
  SetForegroundWindow(Form->Handle());
  SetActiveWindow(Form->Handle());
  Settle();
  EXPECT_EQ(GetFocus(), Form->Ok->Handle()) << "activated again: the control focused last";

  ShowWindow(Form->Handle(), SW_MINIMIZE);
  Settle();
  ShowWindow(Form->Handle(), SW_RESTORE);
  SetActiveWindow(Form->Handle());
  Settle();
  EXPECT_EQ(GetFocus(), Form->Ok->Handle()) << "restored";
  SetFocus(Form->Handle());
  EXPECT_EQ(GetFocus(), Form->Ok->Handle()) << "focus given to the form goes on to its control";

  Form->Ok->SetEnabled(false);
  EXPECT_EQ(GetFocus(), Form->Cancel->Handle()) << "disabled: the next tab stop";
  Form->Memo->SetEnabled(false);
  Form->Cancel->SetVisible(false);
  EXPECT_EQ(GetFocus(), Form->Edit->Handle()) << "hidden: the next one that can, round to the first";
  SetFocus(Form->Check->Handle());
  Form->Group->SetEnabled(false);
  EXPECT_EQ(GetFocus(), Form->Edit->Handle()) << "a container disabled: out of it";
  Form->Edit->SetEnabled(false);
  EXPECT_EQ(GetFocus(), Form->Handle()) << "nothing left to take it: the form keeps it";

  // A control chosen as ActiveControl takes the focus when the form is first shown.
  TDialogForm chosen(nullptr);
  chosen.SetActiveControl(chosen.Cancel);
  chosen.Show();
  Settle();
  EXPECT_EQ(GetFocus(), chosen.Cancel->Handle());
  delete chosen.Cancel;
  EXPECT_EQ(chosen.ActiveControl(), nullptr);
}

TEST_F(Focus, EnterAndEscapePressTheButtonsTheDialogsWouldAndTheErrorBoxBelongsToTheForm) {
  SetFocus(Form->Edit->Handle());
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  EXPECT_EQ(Form->OkClicks, 1) << "Enter in an edit: the default button";
  EXPECT_EQ(Form->CancelClicks, 1) << "Escape: the cancel button";

  SetFocus(Form->Cancel->Handle());
  Key(VK_RETURN);
  EXPECT_EQ(Form->CancelClicks, 2) << "Enter on a push button presses it";
  EXPECT_EQ(Form->OkClicks, 1);

  SetFocus(Form->Memo->Handle());
  Key(VK_RETURN);
  EXPECT_EQ(Form->OkClicks, 1) << "a multi-line edit keeps its Enter";
  EXPECT_NE(Form->Memo->Text().find(L"\r\n"), std::wstring::npos);

  SetFocus(Form->Check->Handle());
  Form->Ok->SetEnabled(false);
  Form->Cancel->SetVisible(false);
  SetFocus(Form->Check->Handle());
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  EXPECT_EQ(Form->OkClicks, 1) << "a disabled default button is not pressed";
  EXPECT_EQ(Form->CancelClicks, 2) << "nor a hidden cancel button";

  // The error display's box is owned by the active form, which is active again afterwards.
  TBoxWatch::Seen = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 100, &TBoxWatch::Tick);
  Application.ShowException(Exception(L"Stream write error"));
  KillTimer(nullptr, timer);
  Settle();
  ASSERT_TRUE(TBoxWatch::Seen);
  EXPECT_EQ(TBoxWatch::Owner, Form->Handle());
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_EQ(GetFocus(), Form->Check->Handle()) << "and its control has the focus back";
}
