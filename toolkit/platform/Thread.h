// A thread object in the toolkit's style: created suspended, started by
// Resume, with a synchronized call that runs a step on the main thread.
//
// The main thread must run CheckSynchronize for queued steps to run. A
// hidden message window on the main thread receives a posted message for
// every queued step and runs them, so any message loop (including modal
// ones such as message boxes) services them; TThread::WaitFor on the main
// thread services them too, so waiting for a thread held in a step cannot
// deadlock.
#pragma once

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>

#include "toolkit/core/Exception.h"
#include "toolkit/platform/OwnedHandle.h"

class EThread : public Exception {
 public:
  using Exception::Exception;
};

// The thread that ran the program's static initialisation: the GUI thread.
DWORD MainThreadID();

// Runs every step queued by Synchronize; on the main thread only. Returns
// whether any step ran. A step's error is handed back to its caller.
bool CheckSynchronize();

// Signalled whenever a step is queued; a wait on the main thread can include
// it to service steps (MsgWaitForMultipleObjects + CheckSynchronize).
HANDLE SyncRequestEvent();

class TThread {
 public:
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;
  // Derived classes whose Execute uses their own members must end the
  // thread in their own destructor; by the time this one runs they are gone.
  // A thread that never started is ended without running Execute. The wait
  // is WaitFor's, so a thread held in Synchronize can still finish.
  virtual ~TThread();

  void Resume();
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  bool Started() const { return FStarted; }
  bool Finished() const { return FFinished; }
  // When set, the object deletes itself once Execute returns. Change it only
  // while the thread cannot be finishing: before Resume, or from a step that
  // the thread is blocked in.
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }

  // Waits until the thread ends and returns its exit code; on the main thread
  // it keeps running queued synchronized steps and sent messages meanwhile.
  // "Thread cannot wait for itself" when called from the thread itself.
  DWORD WaitFor();

  DWORD ThreadID() const { return FThreadID; }
  // The error that ended Execute, if one escaped it (none crosses the entry).
  std::exception_ptr FatalException() const { return FFatalException; }

  // Runs step on the main thread while the calling thread blocks; on the main
  // thread it runs at once. An error raised by step is raised again here.
  static void Synchronize(const std::function<void()>& step);

 protected:
  TThread();  // suspended
  virtual void Execute() = 0;

 private:
  static DWORD WINAPI ThreadProc(void* parameter);
  void RunExecute() noexcept;
  void WaitServicingSteps();

  TKernelHandle FHandle;
  DWORD FThreadID = 0;
  bool FStarted = false;
  std::atomic<bool> FTerminated = false;
  std::atomic<bool> FFinished = false;
  std::atomic<bool> FFreeOnTerminate = false;
  std::exception_ptr FFatalException;
};
