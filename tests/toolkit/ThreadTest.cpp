// The toolkit thread: suspended creation, self-freeing, synchronized steps on
// the main thread, errors handed back across threads, and waits that keep
// serving steps so a thread held in one can finish.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

#include "toolkit/platform/Application.h"
#include "toolkit/platform/Thread.h"

namespace {

// A thread that runs a given body; it records where it was destroyed.
class TBodyThread : public TThread {
 public:
  explicit TBodyThread(std::function<void(TBodyThread&)> body, std::atomic<int>* destroyed = nullptr)
      : Body(std::move(body)), Destroyed(destroyed) {}
  ~TBodyThread() override {
    if (Started() && GetCurrentThreadId() != ThreadID()) WaitFor();
    if (Destroyed) *Destroyed = static_cast<int>(GetCurrentThreadId());
  }

  using TThread::Synchronize;

 protected:
  void Execute() override { Body(*this); }

 private:
  std::function<void(TBodyThread&)> Body;
  std::atomic<int>* Destroyed;
};

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 3000) {
  ULONGLONG end = GetTickCount64() + milliseconds;
  while (!condition()) {
    if (GetTickCount64() > end) return false;
    Application.ProcessMessagesFor(10);
  }
  return true;
}

}  // namespace

TEST(Thread, RunsExecuteOnlyAfterResume) {
  std::atomic<DWORD> ranOn = 0;
  TBodyThread thread([&](TBodyThread&) { ranOn = GetCurrentThreadId(); });
  Sleep(100);
  EXPECT_EQ(ranOn, 0u);
  EXPECT_FALSE(thread.Finished());
  thread.Resume();
  thread.WaitFor();
  EXPECT_TRUE(thread.Finished());
  EXPECT_EQ(ranOn, thread.ThreadID());
  EXPECT_NE(ranOn, GetCurrentThreadId());
}

TEST(Thread, NeverStartedThreadIsDestroyedWithoutRunningExecute) {
  std::atomic<bool> ran = false;
  { TBodyThread thread([&](TBodyThread&) { ran = true; }); }
  EXPECT_FALSE(ran);
}

TEST(Thread, FreeOnTerminateDeletesTheObjectOnItsOwnThread) {
  std::atomic<int> destroyedOn = 0;
  auto* thread = new TBodyThread([](TBodyThread&) {}, &destroyedOn);
  DWORD id = thread->ThreadID();
  thread->SetFreeOnTerminate(true);
  thread->Resume();
  EXPECT_TRUE(WaitUntil([&] { return destroyedOn != 0; }));
  EXPECT_EQ(static_cast<DWORD>(destroyedOn), id);
}

TEST(Thread, ErrorEscapingExecuteIsKeptNotThrownAcrossTheEntry) {
  TBodyThread thread([](TBodyThread&) { throw Exception(L"lost in thread"); });
  thread.Resume();
  thread.WaitFor();
  ASSERT_TRUE(thread.FatalException());
  try {
    std::rethrow_exception(thread.FatalException());
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), L"lost in thread");
  }
}

TEST(Thread, SynchronizeRunsTheStepOnTheMainThreadWhileTheCallerBlocks) {
  std::atomic<DWORD> stepThread = 0;
  std::atomic<bool> afterStep = false;
  bool stepRan = false;
  TBodyThread thread([&](TBodyThread& self) {
    self.Synchronize([&] {
      stepThread = GetCurrentThreadId();
      Sleep(100);
      stepRan = !afterStep;
    });
    afterStep = true;
  });
  thread.Resume();
  EXPECT_TRUE(WaitUntil([&] { return afterStep.load(); }));
  EXPECT_EQ(stepThread, MainThreadID());
  EXPECT_TRUE(stepRan) << "the thread went on before the step returned";
}

TEST(Thread, SynchronizeOnTheMainThreadRunsAtOnce) {
  int ran = 0;
  TThread::Synchronize([&] { ++ran; });
  EXPECT_EQ(ran, 1);
  EXPECT_FALSE(CheckSynchronize());
}

TEST(Thread, StepErrorIsRaisedAgainInTheCallingThread) {
  std::wstring caught;
  TBodyThread thread([&](TBodyThread& self) {
    try {
      self.Synchronize([] { throw Exception(L"step failed"); });
    } catch (const Exception& error) {
      caught = error.Message();
    }
  });
  thread.Resume();
  thread.WaitFor();
  EXPECT_EQ(caught, L"step failed");
  EXPECT_FALSE(thread.FatalException());
}

TEST(Thread, WaitForOnTheMainThreadServesStepsOfTheThreadItWaitsFor) {
  int steps = 0;
  TBodyThread thread([&](TBodyThread& self) {
    for (int i = 0; i < 5; ++i) self.Synchronize([&] { ++steps; });
  });
  thread.Resume();
  thread.WaitFor();  // would never return if the steps were not served
  EXPECT_EQ(steps, 5);
}

namespace {

// Synchronizes until it is told to end; its destructor is the toolkit's own.
class TSyncingThread : public TThread {
 protected:
  void Execute() override {
    while (!Terminated()) Synchronize([] {});
  }
};

}  // namespace

TEST(Thread, DestroyingAThreadHeldInSynchronizeServesTheStep) {
  auto* thread = new TSyncingThread;
  thread->Resume();
  // A step is queued and nobody serves it: the thread is held in Synchronize.
  ASSERT_EQ(WaitForSingleObject(SyncRequestEvent(), 5000), WAIT_OBJECT_0);
  // A deadlock would hold the whole run until its time limit; the watchdog ends it sooner.
  TKernelHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread watchdog([&] {
    if (WaitForSingleObject(done.Get(), 3000) != WAIT_TIMEOUT) return;
    std::fprintf(stderr, "deadlock: destroying the thread did not return\n");
    ExitProcess(3);
  });
  delete thread;
  SetEvent(done.Get());
  watchdog.join();
}

TEST(Thread, PlainMessageLoopIsWokenForSteps) {
  bool ran = false;
  TBodyThread thread([&](TBodyThread& self) {
    Sleep(50);
    self.Synchronize([&] { ran = true; });
  });
  thread.Resume();
  SetTimer(nullptr, 0, 5000, nullptr);  // a loop that nothing else would wake within the test
  MSG msg;
  while (!ran && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  EXPECT_TRUE(ran);
}

TEST(Thread, StepsFromManyThreadsAllRun) {
  std::atomic<int> finished = 0;
  int steps = 0;
  std::vector<std::unique_ptr<TBodyThread>> threads;
  for (int t = 0; t < 8; ++t) {
    threads.push_back(std::make_unique<TBodyThread>([&](TBodyThread& self) {
      for (int i = 0; i < 20; ++i) self.Synchronize([&] { ++steps; });
      ++finished;
    }));
    threads.back()->Resume();
  }
  EXPECT_TRUE(WaitUntil([&] { return finished == 8; }));
  EXPECT_EQ(steps, 160);
}

TEST(Thread, WaitingForItselfIsRefused) {
  std::wstring message;
  TBodyThread thread([&](TBodyThread& self) {
    try {
      self.WaitFor();
    } catch (const EThread& error) {
      message = error.Message();
    }
  });
  thread.Resume();
  thread.WaitFor();
  EXPECT_EQ(message, L"Thread cannot wait for itself");
}
