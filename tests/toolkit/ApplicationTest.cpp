// The application's standard error display and its message processing.
#include <gtest/gtest.h>

#include <stdexcept>

#include "support/ShownErrors.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/Thread.h"

namespace {

class ApplicationTest : public ::testing::Test {};

}  // namespace

TEST_F(ApplicationTest, HandleExceptionGoesToTheInstalledHandler) {
  TShownErrors shown;
  Application.HandleException(Exception(L"录音 failed"));
  Application.HandleException(std::runtime_error("plain error"));
  EXPECT_EQ(shown.Texts, (std::vector<std::wstring>{L"录音 failed", L"plain error"}));
}

TEST_F(ApplicationTest, HandlerThatFailsDoesNotRaiseOutOfHandleException) {
  struct TFailingDisplay {
    void Show(const std::exception&) { throw std::runtime_error("display failed"); }
  } display;
  Application.SetOnException(TApplication::TExceptionEvent::Of<&TFailingDisplay::Show>(display));
  EXPECT_NO_THROW(Application.HandleException(Exception(L"x")));
  Application.SetOnException({});
}

TEST_F(ApplicationTest, ExceptionTextReadsNonToolkitErrorsInTheAnsiCodePage) {
  EXPECT_EQ(ExceptionText(Exception(L"List index out of bounds (%d)", {7})), L"List index out of bounds (7)");
  EXPECT_EQ(ExceptionText(std::runtime_error("")), L"");
}

namespace {
int timerCalls = 0;
void CALLBACK CountTimer(HWND, UINT, UINT_PTR, DWORD) { ++timerCalls; }
}  // namespace

TEST_F(ApplicationTest, ProcessMessagesDispatchesEveryWaitingMessage) {
  UINT_PTR timer = SetTimer(nullptr, 0, 10, &CountTimer);
  for (int i = 0; i < 3; ++i) PostThreadMessageW(GetCurrentThreadId(), WM_APP + 7, 0, 0);
  Sleep(50);
  Application.ProcessMessages();
  KillTimer(nullptr, timer);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_APP + 7, WM_APP + 7, PM_NOREMOVE)) << "a message was left waiting";
  EXPECT_GE(timerCalls, 1) << "the timer message was not dispatched";
}

TEST_F(ApplicationTest, ProcessMessagesForRunsStepsAsTheyArrive) {
  struct TStepper : TThread {
    int Steps = 0;
    ~TStepper() override { WaitFor(); }
    void Execute() override {
      for (int i = 0; i < 3; ++i) Synchronize([this] { ++Steps; });
    }
  } thread;
  thread.Resume();
  Application.ProcessMessagesFor(300);
  EXPECT_EQ(thread.Steps, 3);
}
