// How controls and forms go: the window through every layer of its procedure
// chain while the object is whole, then what the control owns, then memory;
// and forms that free themselves, close in other ways, or vanish under their
// own modal loop.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/WindowSubclass.h"

namespace {

std::vector<std::wstring> trail;

void Record(const std::wstring& layer, UINT msg) {
  if (msg == WM_DESTROY) trail.push_back(layer + L" destroy");
  if (msg == WM_NCDESTROY) trail.push_back(layer + L" ncdestroy");
  if (msg == CM_RELEASE) trail.push_back(layer + L" release");
}

// A replaced WindowProc, as a skinner installs it.
class TLayer {
 public:
  TLayer(TControl& control, std::wstring name) : FName(std::move(name)), FSaved(control.WindowProc()) {
    control.SetWindowProc(TWndMethod::Of<&TLayer::Hook>(*this));
  }
  void Hook(TMessage& message) {
    Record(FName, message.Msg);
    FSaved(message);
  }

 private:
  std::wstring FName;
  TWndMethod FSaved;
};

// A replaced window procedure, as the skin engine puts on a form's frame.
class TSubclassLayer {
 public:
  explicit TSubclassLayer(HWND wnd) { Subclass.Install(wnd, TWndMethod::Of<&TSubclassLayer::Hook>(*this)); }
  void Hook(TMessage& message) {
    Record(L"subclass", message.Msg);
    Subclass.CallPrevious(message);
  }
  TWindowSubclass Subclass;
};

const std::vector<std::wstring> kChainOrder = {L"subclass destroy",   L"second destroy",   L"first destroy",
                                               L"subclass ncdestroy", L"second ncdestroy", L"first ncdestroy"};

// Memory poisoned when it is released, so that a late access shows.
template <class Base>
class TPoisoned : public Base {
 public:
  using Base::Base;
  static void operator delete(void* memory, size_t size) {
    std::memset(memory, 0xDD, size);
    ::operator delete(memory);
  }
};

// A button whose own part is marked dead by its destructor.
class TCanaryButton : public TPoisoned<TButton> {
 public:
  using TPoisoned::TPoisoned;
  ~TCanaryButton() override { Alive = false; }
  bool Alive = true;
};

struct TSkinnerReport {
  bool SawNcDestroy = false;
  bool ControlWasWhole = false;
  TColor ColorGivenBack = 0;
} report;

// Owned by the control it changes, as control skinners are: it gives the
// control its WindowProc and colour back from its own destructor.
class TColourSkinner : public TComponent {
 public:
  explicit TColourSkinner(TCanaryButton* button)
      : TComponent(button), FButton(*button), FSavedProc(button->WindowProc()), FSavedColor(button->Color()) {
    button->SetWindowProc(TWndMethod::Of<&TColourSkinner::Hook>(*this));
    button->SetColor(clBlue);
  }
  ~TColourSkinner() override {
    report.ControlWasWhole = FButton.Alive;
    FButton.SetWindowProc(FSavedProc);
    FButton.SetColor(FSavedColor);
    report.ColorGivenBack = FButton.Color();
  }
  void Hook(TMessage& message) {
    if (message.Msg == WM_NCDESTROY) report.SawNcDestroy = true;
    FSavedProc(message);
  }

 private:
  TCanaryButton& FButton;
  TWndMethod FSavedProc;
  TColor FSavedColor;
};

class LifeCycle : public ::testing::Test {
 protected:
  void SetUp() override {
    Application.Initialize();
    trail.clear();
    report = {};
  }
  void TearDown() override { Application.DestroyForms(); }

  template <class Form = TForm>
  Form* ShownForm() {
    auto* form = Application.CreateForm<Form>();
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    return form;
  }
};

}  // namespace

TEST_F(LifeCycle, EveryLayerSeesTheLastMessagesOfADeletedControlInChainOrder) {
  TForm* form = ShownForm();
  auto* button = new TButton(form);
  button->SetParent(form);
  TLayer first(*button, L"first");
  TLayer second(*button, L"second");
  TSubclassLayer outer(button->Handle());
  delete button;
  EXPECT_EQ(trail, kChainOrder) << "a windowed control gets no CM_RELEASE either";
  EXPECT_FALSE(outer.Subclass.Installed()) << "the window went first";

  trail.clear();
  TForm* other = ShownForm();
  TLayer formFirst(*other, L"first");
  TLayer formSecond(*other, L"second");
  TSubclassLayer frame(other->Handle());
  other->Free();
  EXPECT_EQ(trail, kChainOrder);
}

TEST_F(LifeCycle, AComponentOwnedByAControlGivesItBackWhileTheControlIsWhole) {
  TForm* form = ShownForm();
  auto* button = new TCanaryButton(form);
  button->SetParent(form);
  TColor original = button->Color();
  new TColourSkinner(button);
  EXPECT_EQ(button->Color(), clBlue);
  form->Free();  // frees the button, which frees its skinner
  EXPECT_TRUE(report.SawNcDestroy) << "the window goes before what the control owns";
  EXPECT_TRUE(report.ControlWasWhole);
  EXPECT_EQ(report.ColorGivenBack, original);
}

TEST_F(LifeCycle, AFormFreedInItsOwnModalLoopEndsTheLoop) {
  TForm* main = ShownForm();
  auto* dialog = ShownForm<TPoisoned<TForm>>();
  dialog->Hide();
  struct TFreeLater {
    TForm* Dialog;
    void Tick(TComponent* timer) {
      static_cast<TTimer*>(timer)->SetEnabled(false);
      Dialog->Free();
    }
  } freeLater{dialog};
  TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.SetOnTimer(TNotifyEvent::Of<&TFreeLater::Tick>(freeLater));
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_TRUE(IsWindowEnabled(main->Handle())) << "the forms it disabled are enabled again";
  EXPECT_EQ(Screen.FormCount(), 1);
}

TEST_F(LifeCycle, CloseActionsHideMinimiseOrFreeTheForm) {
  ShownForm();  // the main form: closing it would end the application
  struct TChooser {
    TCloseAction Action;
    void Close(TComponent*, TCloseAction& action) { action = Action; }
  } chooser{caMinimize};
  TForm* form = ShownForm();
  form->SetEvent(L"OnClose", TCloseEvent::Of<&TChooser::Close>(chooser));
  form->Close();
  EXPECT_TRUE(IsIconic(form->Handle()));

  chooser.Action = caFree;
  HWND wnd = form->Handle();
  form->Close();
  EXPECT_TRUE(IsWindow(wnd)) << "freed only once the waiting messages are handled";
  Application.ProcessMessages();
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(Screen.FormCount(), 1);
}
