// The subclassing primitive on real windows: stacked with foreign procedures
// and removed in any order, windows that die first, Unicode text through the
// chain, errors that stop at the procedure; and the owners of hooks, regions,
// window contexts and the stretch mode.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/GuiObjects.h"
#include "support/ShownErrors.h"
#include "toolkit/platform/OwnedHandle.h"
#include "toolkit/platform/WindowSubclass.h"

namespace {

// One layer of ours: counts the messages it handles and passes them on.
class TCounter {
 public:
  explicit TCounter(HWND wnd) { Subclass.Install(wnd, TWndMethod::Of<&TCounter::Hook>(*this)); }
  void Hook(TMessage& message) {
    if (message.Msg == WM_NULL) ++Nulls;
    if (message.Msg == WM_NCDESTROY) SawNcDestroy = true;
    if (message.Msg == WM_SETTEXT) Text = reinterpret_cast<const wchar_t*>(message.LParam);
    if (message.Msg == WM_NCDESTROY && RemoveOnNcDestroy) Subclass.Remove();
    Subclass.CallPrevious(message);
  }
  TWindowSubclass Subclass;
  int Nulls = 0;
  bool SawNcDestroy = false;
  bool RemoveOnNcDestroy = false;
  std::wstring Text;
};

// A foreign procedure, put in and taken out by hand as other code would.
WNDPROC foreignPrevious = nullptr;
int foreignNulls = 0;
LRESULT CALLBACK ForeignProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NULL) ++foreignNulls;
  return CallWindowProcW(foreignPrevious, wnd, msg, wparam, lparam);
}

WNDPROC CurrentProc(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)); }

class WindowSubclass : public ::testing::Test {
 protected:
  void SetUp() override {
    Edit.Reset(CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 10, 10, 200, 30, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(Edit);
    Original = CurrentProc(Edit.Get());
  }
  TWindowHandle Edit;
  WNDPROC Original = nullptr;
};

}  // namespace

TEST_F(WindowSubclass, LayersComeOffInAnyOrderAndTheChainStaysWhole) {
  HWND wnd = Edit.Get();
  auto lower = std::make_unique<TCounter>(wnd);
  foreignPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, LONG_PTR(&ForeignProc)));
  auto upper = std::make_unique<TCounter>(wnd);
  foreignNulls = 0;
  SetWindowTextW(wnd, L"录音 停止");
  EXPECT_EQ(upper->Text, L"录音 停止") << "text passes the chain as Unicode";

  lower.reset();  // not current: it stays in the chain and only passes messages on
  SendMessageW(wnd, WM_NULL, 0, 0);
  EXPECT_EQ(upper->Nulls, 1);
  EXPECT_EQ(foreignNulls, 1);
  upper.reset();  // current: the foreign procedure is current again
  EXPECT_EQ(CurrentProc(wnd), &ForeignProc);
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, LONG_PTR(foreignPrevious));  // the foreign one leaves
  SendMessageW(wnd, WM_NULL, 0, 0);
  EXPECT_EQ(foreignNulls, 1);

  // The removed layer of ours is current now; the next layer that leaves takes it along.
  TCounter top(wnd);
  top.Subclass.Remove();
  EXPECT_EQ(CurrentProc(wnd), Original);
  EXPECT_EQ(top.Subclass.Window(), wnd);
}

TEST_F(WindowSubclass, AWindowThatDiesFirstTakesEveryLayerAlong) {
  HWND wnd = Edit.Get();
  TCounter lower(wnd);
  TCounter upper(wnd);
  upper.RemoveOnNcDestroy = true;  // as a skinner detaches: the message still goes on
  Edit.Reset();
  EXPECT_TRUE(upper.SawNcDestroy);
  EXPECT_TRUE(lower.SawNcDestroy);
  EXPECT_FALSE(lower.Subclass.Installed());
  lower.Subclass.Remove();  // nothing left to do
  EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(WindowSubclass, ErrorsOfAnyKindStopAtTheProcedure) {
  struct TThrower {
    TWindowSubclass Subclass;
    void Hook(TMessage& message) {
      if (message.Msg == WM_APP) throw Exception(L"Skin failed");
      if (message.Msg == WM_APP + 1) throw 42;
      Subclass.CallPrevious(message);
    }
  } thrower;
  thrower.Subclass.Install(Edit.Get(), TWndMethod::Of<&TThrower::Hook>(thrower));
  TShownErrors shown;
  SendMessageW(Edit.Get(), WM_APP, 0, 0);
  SendMessageW(Edit.Get(), WM_APP + 1, 0, 0);
  EXPECT_EQ(shown.Texts, (std::vector<std::wstring>{L"Skin failed", L"An error of an unknown kind occurred"}));
  EXPECT_THROW(thrower.Subclass.Install(nullptr, TWndMethod::Of<&TThrower::Hook>(thrower)), Exception);
}

namespace {

int hookCalls = 0;
THookHandle* cbtHook = nullptr;
LRESULT CALLBACK CountCbt(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) ++hookCalls;
  return CallNextHookEx(cbtHook->Get(), code, wparam, lparam);
}

}  // namespace

TEST(HandleOwners, ReleaseWhatTheyHoldOnEveryPath) {
  THookHandle hook(SetWindowsHookExW(WH_CBT, &CountCbt, nullptr, GetCurrentThreadId()));
  cbtHook = &hook;
  TWindowHandle first(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));
  int seen = hookCalls;
  EXPECT_GT(seen, 0);
  hook.Reset();
  TWindowHandle second(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 5, 5, 50, 50, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(hookCalls, seen) << "the hook is gone";

  DWORD before = GdiObjects();
  {
    TRegionHandle region(CreateRectRgn(0, 0, 10, 10));
    TRegionHandle moved(std::move(region));
    EXPECT_GT(GdiObjects(), before);
  }
  EXPECT_EQ(GdiObjects(), before);

  // A whole-window context starts at the window's corner, a client one inside the frame.
  SetWindowLongPtrW(first.Get(), GWL_STYLE, WS_POPUP | WS_CAPTION);
  SetWindowPos(first.Get(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  RECT window;
  GetWindowRect(first.Get(), &window);
  POINT whole{}, ex{}, client{};
  GetDCOrgEx(TWindowDC::WholeWindow(first.Get()).Get(), &whole);
  GetDCOrgEx(TWindowDC::Ex(first.Get(), nullptr, DCX_WINDOW).Get(), &ex);
  GetDCOrgEx(TWindowDC(first.Get()).Get(), &client);
  EXPECT_EQ(whole.y, window.top);
  EXPECT_EQ(ex.y, window.top);
  EXPECT_GT(client.y, window.top);

  TWindowDC dc(first.Get());
  SetStretchBltMode(dc.Get(), HALFTONE);
  {
    TStretchMode mode(dc.Get(), COLORONCOLOR);
    EXPECT_EQ(GetStretchBltMode(dc.Get()), COLORONCOLOR);
  }
  EXPECT_EQ(GetStretchBltMode(dc.Get()), HALFTONE);
}
