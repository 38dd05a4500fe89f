// The skin engine under what a program using it may do to its windows:
// every control of the gallery given a new window by each property that
// needs one, windows destroyed and the skin switched off or changed in the
// middle of a thumb drag, of a title-bar drag and of a menu bar's drop-down,
// an attach made to fail, MDI children opened, maximised, cycled and closed
// in every order, a thousand menu items come and gone under a shown bar, and
// a drop-down whose items fail to paint.
// After each step the windows show the skin again and no error reached the
// user; the GDI and USER objects at the end are those of the start.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "SkinnedWindows.h"
#include "TempFiles.h"
#include "skin/controls/ScrollBarGeometry.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinEdits.h"
#include "skin/engine/WinSkinMenu.h"
#include "skin/engine/WinSysButton.h"
#include "support/BitmapPixels.h"
#include "support/GuiObjects.h"
#include "support/ShownErrors.h"
#include "toolkit/forms/DateTimePicker.h"
#include "toolkit/forms/Memo.h"
#include "toolkit/forms/StatusBar.h"
#include "toolkit/forms/StdCtrls.h"
#include "tools/gallery/Gallery.h"
#include "tools/skinpack/SampleSkin.h"

namespace {

// Breaks a storm of WM_PAINT that no painting ends (a window nobody
// validates), so that the message loop returns and the test can say so.
class TPaintStorms {
 public:
  TPaintStorms() : FHook(SetWindowsHookExW(WH_GETMESSAGE, &TPaintStorms::Hook, nullptr, GetCurrentThreadId())) {
    gActive = this;
  }
  ~TPaintStorms() { gActive = nullptr; }
  TPaintStorms(const TPaintStorms&) = delete;
  TPaintStorms& operator=(const TPaintStorms&) = delete;
  // The most WM_PAINT one window was handed since the last call.
  int TakeMostPaints() {
    int most = 0;
    for (auto& [wnd, count] : FPaints) most = std::max(most, count);
    FPaints.clear();
    return most;
  }

 private:
  static constexpr int kStorm = 200;
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    auto& msg = *reinterpret_cast<MSG*>(lparam);
    if (code == HC_ACTION && wparam == PM_REMOVE && msg.message == WM_PAINT && gActive)
      if (++gActive->FPaints[msg.hwnd] > kStorm) ValidateRect(msg.hwnd, nullptr);
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  static inline TPaintStorms* gActive = nullptr;
  THookHandle FHook;
  std::map<HWND, int> FPaints;
};

template <class Component>
Component* Named(TComponent& owner, const wchar_t* name) {
  auto* found = dynamic_cast<Component*>(owner.FindComponent(name));
  EXPECT_NE(found, nullptr) << "no " << ToUtf8(name);
  return found;
}

// The live skinner of a control's current window, however it was attached.
TSkinControl* CurrentSkinner(TWinControl& control) {
  if (!control.HandleAllocated()) return nullptr;
  TSkinControl* skinner = TSkinControl::ForComponent(&control);
  if (!skinner) skinner = TSkinControl::ForWindow(control.Handle());
  return skinner && skinner->ControlWindow() == control.Handle() ? skinner : nullptr;
}

// What the screen shows of a window, its frame included.
std::vector<COLORREF> Picture(HWND wnd) {
  RECT rect{};
  GetWindowRect(wnd, &rect);
  TBitmap shot;
  shot.SetSize(rect.right - rect.left, rect.bottom - rect.top, pf24bit);
  HDC screen = GetDC(nullptr);
  BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, rect.left, rect.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return AllPixels(shot);
}

size_t Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  if (a.size() != b.size()) return std::max(a.size(), b.size());
  return std::inner_product(a.begin(), a.end(), b.begin(), size_t(0), std::plus<>(), std::not_equal_to<>());
}

void Repaint(TForm& form) {
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(150);
}

// Runs action once, from a timer inside whatever modal loop is running, as
// soon as running() says the loop is there.
class TInsideLoop {
 public:
  TInsideLoop(std::function<bool()> running, std::function<void()> action)
      : FRunning(std::move(running)), FAction(std::move(action)) {
    FTimer.SetInterval(20);
    FTimer.SetOnTimer(TNotifyEvent::Of<&TInsideLoop::Tick>(*this));
    FTimer.SetEnabled(true);
  }
  bool Done() const { return FDone; }

 private:
  void Tick(TComponent*) {
    if (FDone || !FRunning()) return;
    FDone = true;
    FAction();
  }
  std::function<bool()> FRunning;
  std::function<void()> FAction;
  TTimer FTimer{nullptr};
  std::atomic<bool> FDone{false};
};

// Counts the scroll messages that reach a memo once it has no skinner.
struct TLateScrolls {
  explicit TLateScrolls(TMemo& memo) : Memo(memo) {
    Subclass.Install(memo.Handle(), TWndMethod::Of<&TLateScrolls::Hook>(*this));
  }
  void Hook(TMessage& message) {
    if (message.Msg == WM_VSCROLL && !CurrentSkinner(Memo)) ++Count;
    Subclass.CallPrevious(message);
  }
  TMemo& Memo;
  TWindowSubclass Subclass;
  int Count = 0;
};

bool InMoveLoop() {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMOVESIZE);
}

// What every torture test has: the engine's session, the errors it must
// never show, and the object counts of the start and the end.
class Torture : public ::testing::Test {
 protected:
  void SetUp() override { MoveMouse({1010, 750}); }
  void TearDown() override { EXPECT_EQ(Errors.Texts, std::vector<std::wstring>{}) << "the engine never reports"; }
  // What stays once everything has been done once (fonts, caches) is no leak.
  TGuiObjects Settled() {
    Pump(150);
    FreeBitmapContexts();
    return CountGuiObjects();
  }
  void ExpectObjectsBack(const TGuiObjects& before, const std::string& what) {
    const TGuiObjects after = Settled();
    EXPECT_EQ(after, before) << what;
    std::printf("%s: GDI %lu -> %lu, USER %lu -> %lu\n", what.c_str(), before.Gdi, after.Gdi, before.User, after.User);
  }
  // True once the window is the active one.
  bool Activate(HWND wnd) {
    SetForegroundWindow(wnd);
    return PumpUntil([&] { return GetForegroundWindow() == wnd; });
  }

  TSkinnedSession Session;
  TShownErrors Errors;
  TMenuLoopGuard Guard;
};

// What a form skinner takes of a window and gives back when it lets go:
// styles, procedure, window and client rectangles, menu, the form's colour,
// auto scrolling and WindowProc, its popup menu's owner drawing.
auto LookOf(TForm& form, TPopupMenu& popup) {
  HWND wnd = form.Handle();
  RECT window = WindowBounds(wnd), client{};
  GetClientRect(wnd, &client);
  return std::make_tuple(GetWindowLongPtrW(wnd, GWL_STYLE) & ~LONG_PTR(WS_VISIBLE), GetWindowLongPtrW(wnd, GWL_EXSTYLE),
                         GetWindowLongPtrW(wnd, GWLP_WNDPROC), std::array{window.left, window.top, window.right,
                         window.bottom}, std::array{client.right, client.bottom}, GetMenu(wnd), form.Color(),
                         form.AutoScroll(), form.WindowProc(), popup.OwnerDraw());
}

class SkinTorture : public Torture {
 protected:
  void SetUp() override {
    Torture::SetUp();
    Gallery = Application.CreateForm<TGalleryForm>();
    ASSERT_TRUE(ShowSkinned(*Gallery));
    Notes = Named<TMemo>(*Gallery, L"Notes");
    Notes->SetProperty(L"Lines", Lines(60));
    SetFocus(Named<TButton>(*Gallery, L"Button1")->Handle());
  }
  static std::wstring Lines(int count) {
    std::wstring text;
    for (int i = 1; i <= count; ++i) text += L"第 " + std::to_wstring(i) + L" 行\n";
    return text;
  }
  // The gallery and its memo skinned, as after the first attach.
  bool GallerySkinned() {
    return PumpUntil([&] { return IsPresented(Gallery->Handle()) && CurrentSkinner(*Notes); });
  }

  // A press on the memo's thumb starts the skinner's own drag; from inside
  // its loop `during` runs, and a moment later the mouse lets go.
  void DragThumbWhile(const std::function<void()>& during) {
    HWND wnd = Notes->Handle();
    RECT window{}, client{};
    GetWindowRect(wnd, &window);
    GetClientRect(wnd, &client);
    const int t = GetSystemMetrics(SM_CXVSCROLL), border = (window.right - window.left - client.right - t) / 2;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(wnd, SB_VERT, &info);
    auto thumb = ScrollThumb(window.bottom - window.top - 2 * border, t,
                             {info.nMin, info.nMax, int(info.nPage), info.nPos}, 8, GetSystemMetrics(SM_CXHTHUMB));
    ASSERT_TRUE(thumb.has_value());
    const POINT press{window.right - border - t / 2,
                      window.top + border + t + thumb->ThumbOffset + thumb->ThumbLength / 2};
    TInsideLoop inside([wnd] { return GetCapture() == wnd && IsWindow(wnd); }, during);
    RunInput(press, {press.x, press.y + 30}, inside);
  }
  // A press on the title starts the platform's move loop; `during` runs inside it.
  void DragTitleWhile(const std::function<void()>& during) {
    const POINT press = AtWindow(Gallery->Handle(), 80, SkinnerOf(Gallery->Handle())->FrameTop / 2);
    TInsideLoop inside(InMoveLoop, during);
    RunInput(press, {press.x + 20, press.y + 10}, inside);
  }
  // The loop goes on for longer than the skin manager's timer takes. Wine's
  // move loop takes only a release that reaches this thread, which one over
  // a window that went does not: the release is handed to the thread too.
  void RunInput(POINT press, POINT to, TInsideLoop& inside) {
    MoveMouse(press);
    Pump(50);
    const DWORD thread = GetCurrentThreadId();
    TInputThread input([&] {
      PressLeft(press);
      for (int i = 1; i <= 10; ++i) {
        MoveMouse({press.x + (to.x - press.x) * i / 10, press.y + (to.y - press.y) * i / 10});
        Sleep(20);
      }
      WaitFor([&] { return inside.Done(); });
      Sleep(400);
      MoveMouse(to);
      ReleaseLeft(to);
      PostThreadMessageW(thread, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
      MoveMouse({1010, 750});
    });
    EXPECT_TRUE(PumpUntil([&] { return input.Done() && inside.Done(); }));
    Pump(100);
    EXPECT_EQ(GetCapture(), nullptr) << "the loop let go of the mouse";
  }

  TGalleryForm* Gallery = nullptr;
  TMemo* Notes = nullptr;
};

struct TRecreation {
  const wchar_t* Control;
  const wchar_t* Property;
  const wchar_t* Other;  // the value that needs a new window
  const wchar_t* Back;   // the gallery's own value
};

// Every property of the gallery's controls that only a new window can take.
constexpr TRecreation kRecreations[] = {
    {L"CheckBox1", L"AllowGrayed", L"True", L"False"},
    {L"CheckBox4", L"AllowGrayed", L"True", L"False"},
    {L"Spin", L"Orientation", L"udHorizontal", L"udVertical"},
    {L"SpinAcross", L"Orientation", L"udVertical", L"udHorizontal"},
    {L"Volume", L"Orientation", L"trHorizontal", L"trVertical"},
    {L"Balance", L"Orientation", L"trVertical", L"trHorizontal"},
    {L"Across", L"Kind", L"sbVertical", L"sbHorizontal"},
    {L"Down", L"Kind", L"sbHorizontal", L"sbVertical"},
    {L"Notes", L"ScrollBars", L"ssBoth", L"ssVertical"},
    {L"Notes", L"WordWrap", L"False", L"True"},
    {L"Pages", L"TabPosition", L"tpBottom", L"tpTop"},
    {L"Tabs", L"TabPosition", L"tpLeft", L"tpTop"},
    {L"Day", L"Kind", L"dtkTime", L"dtkDate"},
    {L"Day", L"DateMode", L"dmUpDown", L"dmComboBox"},
    {L"Clock", L"Kind", L"dtkDate", L"dtkTime"},
    {L"Sb", L"SizeGrip", L"True", L"False"},
};

}  // namespace

// A control's window made again while skinned gets a skinner again, of the
// kind its new window calls for, and looks as it did once the property is
// back; no window is left asking to be painted for ever, so the message loop
// returns.
TEST_F(SkinTorture, EveryGalleryControlMadeAgainByEachPropertyIsSkinnedAgain) {
  TPaintStorms storms;
  auto step = [&](const TRecreation& change, const wchar_t* value) {
    auto* control = Named<TWinControl>(*Gallery, change.Control);
    control->SetProperty(change.Property, TLayoutIdent{value});
    Application.ProcessMessages();
    EXPECT_LE(storms.TakeMostPaints(), 20) << "a window was never validated";
    EXPECT_TRUE(PumpUntil([&] { return CurrentSkinner(*control) != nullptr; }))
        << ToUtf8(change.Control) << "." << ToUtf8(change.Property) << " = " << ToUtf8(value);
  };
  auto round = [&] {
    for (const TRecreation& change : kRecreations) {
      auto* control = Named<TWinControl>(*Gallery, change.Control);
      Repaint(*Gallery);
      const std::vector<COLORREF> before = Picture(control->Handle());
      step(change, change.Other);
      step(change, change.Back);
      Repaint(*Gallery);
      EXPECT_EQ(Differences(Picture(control->Handle()), before), 0u)
          << ToUtf8(change.Control) << " looks skinned as before its " << ToUtf8(change.Property) << " changed";
    }
  };
  round();
  const TGuiObjects before = Settled();
  round();
  ExpectObjectsBack(before, "every gallery control made again");

  auto* day = Named<TDateTimePicker>(*Gallery, L"Day");
  day->SetProperty(L"Kind", TLayoutIdent{L"dtkTime"});
  EXPECT_TRUE(PumpUntil([&] { return dynamic_cast<TSkinEdit*>(CurrentSkinner(*day)) != nullptr; }))
      << "a picker that shows an up-down gets the edit's skinner";
  day->SetProperty(L"Kind", TLayoutIdent{L"dtkDate"});
  EXPECT_TRUE(PumpUntil([&] { return dynamic_cast<TSkinComBox*>(CurrentSkinner(*day)) != nullptr; }));
  EXPECT_FALSE(Named<TStatusBar>(*Gallery, L"Sb")->SizeGrip()) << "a skinned status bar has no grip";
}

// The skinner's own thumb drag and the platform's move loop outlive what a
// timer does inside them: the skin switched off or changed, the dragged
// window or its form destroyed from outside.
TEST_F(SkinTorture, ThumbAndTitleDragsOutliveTheSkinGoingAndTheirWindowsDestroyed) {
  TTempFile stored(L"stored.skn"), other(L"other.skn");
  WritePackage(stored.Path(), DefaultSkinPackage());
  WritePackage(other.Path(), EditedSkinPackage([](std::vector<TPackageFile>& files) {
                 FileNamed(files, "top.bmp").Bytes = MakeBmp(32, 88, 7);
               }));
  const int storedTop = SkinnerOf(Gallery->Handle())->FrameTop;
  auto frameTop = [&] {
    TWinSkinForm* skinner = SkinnerOf(Gallery->Handle());
    return skinner && skinner->LifeState == flSkinned ? skinner->FrameTop : -1;
  };
  auto bringBack = [&] {
    if (!Session.Skin().Active()) Session.Skin().SetActive(true);
    if (!Gallery->HandleAllocated()) Gallery->Show();
    EXPECT_TRUE(GallerySkinned());
  };
  auto rounds = [&] {
    {
      TLateScrolls late(*Notes);
      DragThumbWhile([&] { Session.Skin().SetActive(false); });
      EXPECT_TRUE(PumpUntil([&] { return !SkinnerOf(Gallery->Handle()) && !CurrentSkinner(*Notes); }));
      EXPECT_EQ(late.Count, 0) << "the drag ended with its skinner";
    }
    bringBack();

    DragThumbWhile([&] { Session.Skin().SetSkinFile(other.Path()); });
    EXPECT_TRUE(PumpUntil([&] { return frameTop() == 44 && CurrentSkinner(*Notes); })) << "the other skin shows";
    Session.Skin().SetSkinFile(stored.Path());
    EXPECT_TRUE(PumpUntil([&] { return frameTop() == storedTop; }));

    DragThumbWhile([&] { DestroyWindow(Gallery->Handle()); });
    bringBack();

    DragTitleWhile([&] { Session.Skin().SetActive(false); });
    bringBack();

    DragTitleWhile([&] { DestroyWindow(Gallery->Handle()); });
    bringBack();
  };
  rounds();
  const TGuiObjects before = Settled();
  rounds();
  ExpectObjectsBack(before, "thumb and title drags");

  DragThumbWhile([&] { DestroyWindow(Notes->Handle()); });
  EXPECT_TRUE(IsPresented(Gallery->Handle()));
  auto gone = [&] {
    const auto& skinners = SkinnerOf(Gallery->Handle())->ControlSkinners();
    return std::count_if(skinners.begin(), skinners.end(),
                         [](TSkinControlLink* skinner) { return skinner->LifeState() == kSkinWindowGone; });
  };
  EXPECT_TRUE(PumpUntil([&] { return gone() == 0; })) << "the skinner of a window that went is freed";
}

// An attach that fails part way (here the application's own choice of a
// skinner raises) gives the window back exactly as it was; the next
// activation, once nothing fails, skins it.
TEST_F(SkinTorture, AFormWhoseAttachFailsIsGivenBackExactlyAsItWas) {
  struct TFailingChoice {
    bool Fail = true;
    void Choose(TComponent*, TSkinData*, TControl*, TControl* control, const std::wstring&, TComponent*&) {
      if (Fail && control && control->Name() == L"Failing") throw Exception(L"no skinner for this one");
    }
  } choice;
  Session.Skin().SetOnSkinControl(TOnSkinControl::Of<&TFailingChoice::Choose>(choice));
  auto* form = Application.CreateForm<TMenuForm>();
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetName(L"Failing");
  auto* popup = new TPopupMenu(form);
  form->Item(popup, L"&Copy");
  auto look = [&] { return LookOf(*form, *popup); };
  const auto before = look();
  auto* other = Application.CreateForm<TMenuForm>();
  other->SetText(L"Other");
  other->SetBounds(520, 360, 300, 200);
  ASSERT_TRUE(ShowSkinned(*other));
  auto failOnce = [&] {
    ASSERT_TRUE(Activate(other->Handle()));
    if (!IsWindowVisible(form->Handle())) form->Show();
    ASSERT_TRUE(Activate(form->Handle()));
    Pump(100);
    EXPECT_EQ(SkinnerOf(form->Handle()), nullptr);
    EXPECT_EQ(look(), before);
    EXPECT_EQ(CurrentSkinner(*button), nullptr);
  };
  failOnce();
  const TGuiObjects objects = Settled();
  for (int i = 0; i < 5; ++i) failOnce();
  ExpectObjectsBack(objects, "a failing attach");

  choice.Fail = false;
  ASSERT_TRUE(Activate(other->Handle()));
  ASSERT_TRUE(Activate(form->Handle()));
  EXPECT_TRUE(PumpUntil([&] { return IsPresented(form->Handle()) && CurrentSkinner(*button); }));
}

namespace {

// An MDI frame with the File, Edit and Help menu, whose children bring a
// Window menu each.
class MdiTorture : public Torture {
 protected:
  void SetUp() override {
    Torture::SetUp();
    Frame = Application.CreateForm<TMenuForm>();
    Frame->SetFormStyle(fsMDIForm);
    Frame->SetBounds(60, 60, 560, 420);
    ASSERT_TRUE(ShowSkinned(*Frame));
    ASSERT_EQ(Skinner().FormKind, fkMdiFrame);
  }
  TWinSkinForm& Skinner() { return *SkinnerOf(Frame->Handle()); }
  TForm* Open(int number) {
    auto* child = Application.CreateForm<TForm>();
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(10 + 30 * number, 10 + 30 * number, 240, 160);
    child->SetText(L"Child " + std::to_wstring(number));
    auto* menu = new TMainMenu(child);
    auto* window = new TMenuItem(child);
    window->SetCaption(L"&Window " + std::to_wstring(number));
    menu->Add(window);
    child->SetMenu(menu);
    child->Show();
    return child;
  }
  std::vector<std::wstring> Bar() {
    std::vector<std::wstring> captions;
    for (auto& entry : Skinner().SkinMenu->Entries)
      if (!entry->Caption.empty()) captions.push_back(entry->Caption);
    return captions;
  }
  // The frame's entries, and those of the active child when there is one.
  std::vector<std::wstring> ExpectedBar() {
    std::vector<std::wstring> captions{L"&File", L"&Edit", L"&Help"};
    if (TForm* active = Frame->ActiveMDIChild()) captions.push_back(active->Menu()->Items(0)->Caption());
    return captions;
  }
  // Every open child skinned and counted, and the bar as the children have it.
  void ExpectChildren(const std::vector<TForm*>& open, const std::string& step) {
    EXPECT_TRUE(PumpUntil([&] { return Session.Manager().CountMdiChildren() == int(open.size()); }))
        << step << ": " << Session.Manager().CountMdiChildren() << " counted";
    for (TForm* child : open) {
      TWinSkinForm* skinner = SkinnerOf(child->Handle());
      EXPECT_TRUE(skinner && skinner->FormKind == fkMdiChild) << step << ": a child made in the frame is skinned";
    }
    EXPECT_TRUE(PumpUntil([&] { return Bar() == ExpectedBar(); })) << step;
  }
  size_t MdiButtonsShown() {
    return size_t(std::count_if(Skinner().SysButtons.begin(), Skinner().SysButtons.end(), [](auto& button) {
      return button->Element.Visibility == kMenuBarButtonVisibility && button->Visible;
    }));
  }

  TMenuForm* Frame = nullptr;
};

}  // namespace

// Three children opened, maximised and cycled through or not, and closed in
// every order: each one is skinned as it is made and counted, the bar shows
// the active child's menu and its three buttons while it is maximised, and
// the frame's own menu comes back with the last child only.
TEST_F(MdiTorture, ChildrenOpenedMaximisedCycledAndClosedInEveryOrder) {
  auto round = [&](const std::array<int, 3>& closing, bool maximise) {
    std::vector<TForm*> children, open;
    for (int number = 1; number <= 3; ++number) {
      children.push_back(Open(number));
      open = children;
      ExpectChildren(open, "opened child " + std::to_string(number));
    }
    if (maximise) {
      open.back()->SetWindowState(wsMaximized);
      for (int turn = 0; turn <= 3; ++turn) {
        EXPECT_TRUE(PumpUntil([&] { return Session.Manager().MdiMaximised && MdiButtonsShown() == 3; }));
        ExpectChildren(open, "maximised, turn " + std::to_string(turn));
        SendMessageW(Frame->ClientHandle(), WM_MDINEXT, 0, 0);
      }
    }
    for (int index : closing) {
      open.erase(std::find(open.begin(), open.end(), children[size_t(index)]));
      children[size_t(index)]->Free();
      ExpectChildren(open, "closed child " + std::to_string(index + 1));
    }
    EXPECT_EQ(Bar(), (std::vector<std::wstring>{L"&File", L"&Edit", L"&Help"})) << "the frame's own menu is back";
    EXPECT_TRUE(PumpUntil([&] { return !Session.Manager().MdiMaximised && MdiButtonsShown() == 0; }));
  };
  std::array<int, 3> order{0, 1, 2};
  round(order, true);
  const TGuiObjects before = Settled();
  bool maximise = false;
  do {
    round(order, maximise = !maximise);
  } while (std::next_permutation(order.begin(), order.end()));
  ExpectObjectsBack(before, "MDI children");
}


namespace {

constexpr POINT kAway{1010, 750};

// Inside a drop-down's menu loop, from a timer: once the drop-down of the
// entry shows, the step runs; the loop then goes on until what the step
// does has come about (or a while has passed), and is ended.
class TInsideDropDown {
 public:
  TInsideDropDown(int entry, std::function<void()> step, std::function<bool()> cameAbout)
      : FEntry(entry), FStep(std::move(step)), FCameAbout(std::move(cameAbout)) {
    FTimer.SetInterval(20);
    FTimer.SetOnTimer(TNotifyEvent::Of<&TInsideDropDown::Tick>(*this));
    FTimer.SetEnabled(true);
  }
  bool Ended() const { return FEnded; }
  // The step came about while the drop-down was still open.
  bool CameAboutInLoop() const { return FCameAboutInLoop; }

 private:
  void Tick(TComponent*) {
    if (FEnded) return;
    if (!FStepped) {
      if (TWinSkinMenu::CurrentEntry() != FEntry || !OpenMenuWindow()) return;
      FStepped = true;
      FDeadline = GetTickCount64() + 3000;
      FStep();
      return;
    }
    FCameAboutInLoop = FCameAbout() && OpenMenuWindow();
    if (!FCameAboutInLoop && GetTickCount64() < FDeadline) return;
    FEnded = true;
    EndMenu();
  }
  int FEntry;
  std::function<void()> FStep;
  std::function<bool()> FCameAbout;
  TTimer FTimer{nullptr};
  ULONGLONG FDeadline = 0;
  bool FStepped = false, FCameAboutInLoop = false;
  std::atomic<bool> FEnded{false};
};

// A form with File, Edit and Help on its skinned bar, whose Open counts the
// times it ran; the stored skin and another one to switch to, and how the
// form looks in each.
class MenuBarSkinTorture : public Torture {
 protected:
  void SetUp() override {
    Torture::SetUp();
    WritePackage(Stored.Path(), DefaultSkinPackage());
    WritePackage(Other.Path(), EditedSkinPackage([](std::vector<TPackageFile>& files) {
                   FileNamed(files, "top.bmp").Bytes = MakeBmp(32, 88, 7);
                 }));
    Form = Application.CreateForm<TMenuForm>();
    Form->Open->SetOnClick(TNotifyEvent::Of<&MenuBarSkinTorture::Opened>(*this));
    ASSERT_TRUE(ShowSkinned(*Form));
    StoredTop = Skinner()->FrameTop;
    StoredLook = Look();
    SwitchSkin(Other.Path(), kOtherTop);
    OtherLook = Look();
    SwitchSkin(Stored.Path(), StoredTop);
    Session.Skin().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return !Skinner(); }));
    PlainLook = Look();
    Session.Skin().SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return FrameTop() == StoredTop; }));
  }
  void Opened(TComponent*) { ++Runs; }

  TWinSkinForm* Skinner() { return Form->HandleAllocated() ? SkinnerOf(Form->Handle()) : nullptr; }
  TWinSkinMenu& Bar() { return *Skinner()->SkinMenu; }
  int FrameTop() {
    TWinSkinForm* skinner = Skinner();
    return skinner && skinner->LifeState == flSkinned ? skinner->FrameTop : -1;
  }
  void SwitchSkin(const std::wstring& path, int frameTop) {
    Session.Skin().SetSkinFile(path);
    ASSERT_TRUE(PumpUntil([&] { return FrameTop() == frameTop; }));
  }
  // The whole window as the screen shows it, active, with the mouse away.
  std::vector<COLORREF> Look() {
    MoveMouse(kAway);
    EXPECT_TRUE(Activate(Form->Handle()));
    Repaint(*Form);
    return Picture(Form->Handle());
  }
  // Skinned (or plain), and looking as look, once the engine's timers have
  // done their work.
  void ExpectLook(const std::vector<COLORREF>& look, const std::string& step, bool skinned = true) {
    MoveMouse(kAway);
    if (!Form->HandleAllocated() || !IsWindowVisible(Form->Handle())) Form->Show();
    EXPECT_TRUE(Activate(Form->Handle())) << step;
    size_t differences = 0;
    EXPECT_TRUE(PumpUntil([&] {
      HWND wnd = Form->Handle();
      const bool barShown = skinned ? IsPresented(wnd) && Skinner()->SkinMenu && !GetMenu(wnd)
                                    : !Skinner() && GetMenu(wnd) == Form->Menu()->Handle();
      if (!barShown) return false;
      Repaint(*Form);
      return (differences = Differences(Picture(Form->Handle()), look)) == 0;
    })) << step << ": " << differences << " pixels differ from the look it should have";
  }
  // The entry's drop-down opened with a click on the bar, as a hand does;
  // messages are handled until its loop has ended and the mouse is away.
  void ClickOpen(int index, TInsideDropDown& inside) {
    const POINT at = CentreOf(Bar().Entries.at(size_t(index))->Bounds, Form->Handle());
    TInputThread input([&] {
      MoveMouse(at);
      PressLeft(at);
      ReleaseLeft(at);
      WaitFor([&] { return inside.Ended(); }, 10000);
      MoveMouse(kAway);
    });
    EXPECT_TRUE(PumpUntil([&] { return input.Done() && !OpenMenuWindow() && TWinSkinMenu::CurrentEntry() < 0; }));
    EXPECT_TRUE(inside.Ended()) << "entry " << index << "'s drop-down opened";
  }
  // The entry's drop-down opens, shows below the entry and closes again.
  void ExpectOpens(int index) {
    const LONG left = WindowBounds(Form->Handle()).left + Bar().Entries.at(size_t(index))->Bounds.Left;
    TInsideDropDown inside(index, [] {}, [left] { return MenuOpenAt(left) != nullptr; });
    ClickOpen(index, inside);
    EXPECT_TRUE(inside.CameAboutInLoop()) << "entry " << index << "'s drop-down shows below it";
  }
  // A click at a menu bar's File (whose drop-down shows with its left edge
  // at left), then Down selects Open and Return chooses it.
  void ExpectOpenRunsFrom(POINT file, LONG left, const char* bar) {
    const int before = Runs;
    HMENU items = Form->File->Handle();
    bool shown = false, selected = false;
    TInputThread input([&] {
      MoveMouse(file);
      PressLeft(file);
      ReleaseLeft(file);
      shown = WaitFor([&] { return MenuOpenAt(left) != nullptr; });
      TapKey(VK_DOWN);
      selected = WaitFor([&] { return (GetMenuState(items, 0, MF_BYPOSITION) & MF_HILITE) != 0; });
      TapKey(VK_RETURN);
      WaitFor([] { return OpenMenuWindow() == nullptr; });
      MoveMouse(kAway);
    });
    EXPECT_TRUE(PumpUntil([&] { return input.Done() && Runs == before + 1; }, 10000))
        << "Open ran once from the " << bar << " (File's drop-down shown " << shown << ", Open selected " << selected
        << ", ran " << Runs - before << " times)";
  }
  void ExpectOpenRunsFromTheSkinnedBar() {
    const TSkinRect& file = Bar().Entries.at(0)->Bounds;
    ExpectOpenRunsFrom(CentreOf(file, Form->Handle()), WindowBounds(Form->Handle()).left + file.Left, "skinned bar");
  }

  static constexpr int kOtherTop = 44;
  TTempFile Stored{L"stored.skn"}, Other{L"other.skn"};
  TMenuForm* Form = nullptr;
  int StoredTop = 0, Runs = 0;
  std::vector<COLORREF> StoredLook, OtherLook, PlainLook;
};

}  // namespace

// A drop-down of the skinned bar is open while, from inside its menu loop,
// the window is destroyed, another skin is loaded, or the skin is switched
// off. Each time the loop ends without a fault; the window then shows the
// skin (the new one after a switch), and its bar opens again. Switched off,
// the window looks as plain as before it was ever skinned (also once its
// window was destroyed and made again) and has the platform's bar back,
// whose items the platform draws and whose commands run; switched on again,
// the skin's bar is back.
TEST_F(MenuBarSkinTorture, DropDownsOutliveTheirWindowDestroyedAndTheSkinChangedOrSwitchedOff) {
  auto destroyed = [&] {
    HWND wnd = Form->Handle();
    TInsideDropDown inside(0, [wnd] { DestroyWindow(wnd); }, [wnd] { return !IsWindow(wnd); });
    ClickOpen(0, inside);
    EXPECT_FALSE(IsWindow(wnd));
    ExpectLook(StoredLook, "shown again after its window was destroyed");
    ExpectOpens(1);
  };
  auto switched = [&] {
    TInsideDropDown inside(1, [&] { Session.Skin().SetSkinFile(Other.Path()); },
                           [&] { return FrameTop() == kOtherTop; });
    ClickOpen(1, inside);
    ExpectLook(OtherLook, "the other skin loaded");
    ExpectOpens(2);
    ExpectOpens(0);
    SwitchSkin(Stored.Path(), StoredTop);
  };
  auto switchedOff = [&] {
    HWND wnd = Form->Handle();
    TInsideDropDown inside(2, [&] { Session.Skin().SetActive(false); }, [wnd] { return SkinnerOf(wnd) == nullptr; });
    ClickOpen(2, inside);
    ExpectLook(PlainLook, "switched off", false);
    MENUITEMINFOW open{};
    open.cbSize = sizeof(open);
    open.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(Form->File->Handle(), Form->Open->Command(), FALSE, &open);
    EXPECT_FALSE(open.fType & MFT_OWNERDRAW) << "the platform draws the items";
    RECT file{};
    EXPECT_TRUE(GetMenuItemRect(wnd, GetMenu(wnd), 0, &file));
    ExpectOpenRunsFrom({(file.left + file.right) / 2, (file.top + file.bottom) / 2}, file.left, "platform's bar");
    EXPECT_EQ(SkinnerOf(wnd), nullptr);
    Session.Skin().SetActive(true);
    ExpectLook(StoredLook, "switched on again");
    ExpectOpens(0);
    ExpectOpenRunsFromTheSkinnedBar();
  };
  for (const auto& [name, step] : {std::pair{"window destroyed", std::function<void()>(destroyed)},
                             std::pair{"skin changed", std::function<void()>(switched)},
                             std::pair{"skin switched off", std::function<void()>(switchedOff)}}) {
    step();
    const TGuiObjects before = Settled();
    for (int i = 0; i < 3; ++i) step();
    ExpectObjectsBack(before, std::string("drop-down open, ") + name);
  }
}

// A thousand items come and go, on the bar, in its drop-downs and in a
// sub-menu, while the bar is shown, and the bar is drawn after each change;
// it shows every entry on the way, looks as before at the end, and still
// opens and runs a command.
TEST_F(MenuBarSkinTorture, AThousandItemsComeAndGoWhileTheBarIsShown) {
  // Every eighth on the bar itself.
  TMenuItem* places[] = {Form->File, Form->Recent, Form->Edit, Form->Help,
                         Form->File, Form->Recent, Form->Help, Form->Menu()};
  auto drawBar = [&] {
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  };
  auto expectEntries = [&](size_t count, int step) {
    EXPECT_EQ(Bar().Entries.size(), count) << "after step " << step;
    EXPECT_EQ(GetMenu(Form->Handle()), nullptr) << "after step " << step;
  };
  auto round = [&] {
    std::vector<TMenuItem*> items;
    size_t onBar = 3;
    for (int i = 0; i < 1000; ++i) {
      auto* item = new TMenuItem(Form);
      item->SetCaption(L"第 " + std::to_wstring(i) + L" 项");
      places[i % 8]->Add(item);
      items.push_back(item);
      onBar += i % 8 == 7;
      drawBar();
      expectEntries(onBar, i);
    }
    Pump(50);
    ExpectOpens(0);
    // Every other item first, then the rest, each from where it is.
    for (int pass = 0; pass < 2; ++pass)
      for (size_t i = size_t(pass); i < items.size(); i += 2) {
        onBar -= i % 8 == 7;
        items[i]->Free();
        drawBar();
        expectEntries(onBar, int(i));
      }
    ExpectLook(StoredLook, "every item gone again");
    ExpectOpens(1);
    ExpectOpenRunsFromTheSkinnedBar();
  };
  round();
  const TGuiObjects before = Settled();
  round();
  ExpectObjectsBack(before, "a thousand items added and removed");
}

// Every item of a drop-down has an action whose update fails, so each of
// their paintings fails inside the menu loop: the engine keeps the failure
// to itself, and once the loop has ended nothing of the drop-down is left:
// the mouse over the bar makes an entry hot and opens nothing, another menu
// loop (the form's popup menu) is left alone by the bar, and the bar opens
// again and runs the command of an item that still fails to paint.
TEST_F(MenuBarSkinTorture, ADropDownWhoseItemsFailToPaintLeavesNothingBehind) {
  struct TBroken {
    int Runs = 0;
    void Update(TComponent*) {
      ++Runs;
      throw Exception(L"the item's action failed");
    }
  } broken;
  auto* action = new TBasicAction(Form);
  for (TMenuItem* item : {Form->Open, Form->Recent, Form->Exit}) item->SetAction(action);
  action->SetOnUpdate(TNotifyEvent::Of<&TBroken::Update>(broken));
  auto* popup = new TPopupMenu(Form);
  Form->Item(popup, L"&Copy");
  Form->Item(popup, L"&Paste");

  auto round = [&] {
    const int runs = broken.Runs;
    TInsideDropDown inside(0, [] {}, [&] { return broken.Runs >= runs + 3; });
    ClickOpen(0, inside);
    EXPECT_TRUE(inside.CameAboutInLoop()) << "the items' paintings ran the action";

    const TMenuBtn* edit = Bar().Entries.at(1).get();
    const POINT over = CentreOf(edit->Bounds, Form->Handle());
    MoveMouse(over);
    EXPECT_TRUE(PumpUntil([&] { return Skinner()->HotObject == edit; })) << "the mouse makes Edit hot again";
    Pump(300);
    EXPECT_EQ(OpenMenuWindow(), nullptr) << "nothing opens by itself";
    EXPECT_FALSE(Skinner()->MenuTracking);

    const LONG editLeft = WindowBounds(Form->Handle()).left + edit->Bounds.Left;
    const POINT at = AtWindow(Form->Handle(), 60, 150);
    bool shown = false, barOpened = false;
    TInputThread input([&] {
      shown = WaitFor([] { return OpenMenuWindow() != nullptr; });
      for (int i = 0; i < 8; ++i) {
        MoveMouse({over.x - 4 + i, over.y});
        Sleep(40);
        barOpened = barOpened || MenuOpenAt(editLeft) != nullptr;
      }
      TapKey(VK_ESCAPE);
      WaitFor([] { return OpenMenuWindow() == nullptr; });
      MoveMouse(kAway);
    });
    popup->Popup(at.x, at.y);
    EXPECT_TRUE(PumpUntil([&] { return input.Done(); }));
    Pump(300);
    EXPECT_TRUE(shown) << "the popup menu showed";
    EXPECT_FALSE(barOpened || OpenMenuWindow()) << "the bar took no part in the popup menu's loop";

    ExpectLook(StoredLook, "after the failing drop-down");
    ExpectOpens(1);
    ExpectOpenRunsFromTheSkinnedBar();
    // Clicked again at once, File is pressed twice within the double-click
    // time: it opens again, and nothing else happens to the window.
    ExpectOpens(0);
    EXPECT_FALSE(IsZoomed(Form->Handle()));
  };
  round();
  const TGuiObjects before = Settled();
  for (int i = 0; i < 3; ++i) round();
  ExpectObjectsBack(before, "a drop-down whose items fail to paint");
  EXPECT_GT(broken.Runs, 12);
}
