#include "toolkit/platform/Thread.h"

#include <deque>
#include <mutex>

#include "toolkit/platform/HiddenWindow.h"

namespace {

const DWORD kMainThreadID = GetCurrentThreadId();
constexpr UINT kSyncMessage = WM_APP + 0x51;
constexpr wchar_t kSyncWindowClass[] = L"QuillmereSyncWindow";

struct TSyncRequest {
  const std::function<void()>* Step;
  std::exception_ptr Error;
  TKernelHandle Done;
};

class TSyncQueue {
 public:
  void Push(TSyncRequest& request) {
    {
      std::lock_guard lock(FLock);
      FRequests.push_back(&request);
    }
    SetEvent(FRequested.Get());
  }
  std::deque<TSyncRequest*> TakeAll() {
    std::lock_guard lock(FLock);
    return std::exchange(FRequests, {});
  }
  HANDLE Requested() const { return FRequested.Get(); }

 private:
  std::mutex FLock;
  std::deque<TSyncRequest*> FRequests;
  TKernelHandle FRequested{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};

TSyncQueue& SyncQueue() {
  static TSyncQueue queue;
  return queue;
}

LRESULT CALLBACK SyncWindowProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg != kSyncMessage) return DefWindowProcW(wnd, msg, wparam, lparam);
  CheckSynchronize();
  return 0;
}

// The message-only window that wakes the main thread's message loop. It must
// be created on the main thread, so it is made the first time a thread object
// is constructed there (or a step is checked for).
std::atomic<HWND> syncWindowHandle = nullptr;

void EnsureSyncWindow() noexcept {
  if (GetCurrentThreadId() != kMainThreadID || syncWindowHandle) return;
  try {
    static TWindowHandle window = CreateHiddenWindow({kSyncWindowClass, SyncWindowProc});
    syncWindowHandle = window.Get();
  } catch (...) {
    // Tried again next time; until then a thread message wakes the loop.
  }
}

// Without a window (no thread object was made on the main thread yet) a
// thread message still wakes a plain GetMessage loop.
void WakeMainThread() {
  HWND window = syncWindowHandle;
  if (window == nullptr || !PostMessageW(window, kSyncMessage, 0, 0))
    PostThreadMessageW(kMainThreadID, WM_NULL, 0, 0);
}

}  // namespace

DWORD MainThreadID() { return kMainThreadID; }

HANDLE SyncRequestEvent() { return SyncQueue().Requested(); }

bool CheckSynchronize() {
  if (GetCurrentThreadId() != kMainThreadID) return false;
  EnsureSyncWindow();
  std::deque<TSyncRequest*> requests = SyncQueue().TakeAll();
  for (TSyncRequest* request : requests) {
    try {
      (*request->Step)();
    } catch (...) {
      request->Error = std::current_exception();
    }
    SetEvent(request->Done.Get());
  }
  return !requests.empty();
}

void TThread::Synchronize(const std::function<void()>& step) {
  if (GetCurrentThreadId() == kMainThreadID) {
    step();
    return;
  }
  TSyncRequest request{&step, nullptr, TKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr))};
  if (!request.Done) throw EThread(L"Thread cannot synchronize");
  SyncQueue().Push(request);
  WakeMainThread();
  WaitForSingleObject(request.Done.Get(), INFINITE);
  if (request.Error) std::rethrow_exception(request.Error);
}

TThread::TThread() {
  EnsureSyncWindow();
  FHandle.Reset(CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &FThreadID));
  if (!FHandle) throw EThread(L"Thread creation error");
}

TThread::~TThread() {
  if (GetCurrentThreadId() == FThreadID) return;  // freeing itself after Execute
  FFreeOnTerminate = false;
  Terminate();
  if (!FStarted) Resume();  // Terminated is set, so Execute is skipped
  WaitFor();
}

void TThread::Resume() {
  FStarted = true;
  ResumeThread(FHandle.Get());
}

DWORD TThread::WaitFor() {
  if (GetCurrentThreadId() == FThreadID) throw EThread(L"Thread cannot wait for itself");
  if (GetCurrentThreadId() == kMainThreadID)
    WaitServicingSteps();
  else
    WaitForSingleObject(FHandle.Get(), INFINITE);
  DWORD exitCode = 0;
  GetExitCodeThread(FHandle.Get(), &exitCode);
  return exitCode;
}

// The thread may be blocked in Synchronize (or in a SendMessage to one of our
// windows) until the main thread serves it, so the wait serves both.
void TThread::WaitServicingSteps() {
  HANDLE handles[] = {FHandle.Get(), SyncRequestEvent()};
  CheckSynchronize();  // steps queued before the wait began
  for (;;) {
    DWORD result = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0 + 1) {
      CheckSynchronize();
    } else if (result == WAIT_OBJECT_0 + 2) {
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // delivers sent messages only
    } else {
      return;
    }
  }
}

void TThread::RunExecute() noexcept {
  try {
    if (!FTerminated) Execute();
  } catch (...) {
    FFatalException = std::current_exception();
  }
}

DWORD WINAPI TThread::ThreadProc(void* parameter) {
  auto* thread = static_cast<TThread*>(parameter);
  thread->RunExecute();
  bool freeSelf = thread->FFreeOnTerminate;
  thread->FFinished = true;  // the owner may free the object from here on
  if (freeSelf) delete thread;
  return 0;
}
