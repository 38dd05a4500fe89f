// The notification thread of a capture stream: it wakes every PollInterval
// milliseconds and, on the main thread, raises the stream's OnDataAvailable
// when captured bytes wait, or checks the device when none do. Only its wake
// event, set to end it, stops it.
//
// Ending it is the delicate part. Normally the stream's main thread sets the
// event and waits for the thread, running pending synchronized steps while it
// waits (a step arriving then sees Ending and does nothing). But Stop can also
// be reached from inside the thread's own update step: from the handler, or
// from the step's error path after a handler error. The thread is blocked in
// that very step then, so waiting for it would wait forever. Instead the
// stream hands the thread over: End sets the event and turns on
// FreeOnTerminate while the thread is provably blocked, and drops the
// stream's reference at once. After the step returns the thread only sees
// its event, leaves its loop and frees itself; nothing touches the stream
// again, and a later Stop or destruction of the stream finds no thread.
//
// An error in the step (the handler's, or the device's) stops the capture
// that way first, and only then is it handed to the stream's
// OnCaptureError: its owner finds the capture already ended.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "toolkit/core/Exception.h"
#include "toolkit/platform/Thread.h"

class TSoundCaptureStream;

class TSoundCaptureStreamNotify : public TThread {
 public:
  // Suspended; the interval is a quarter of the stream's ring, at most 50 ms.
  explicit TSoundCaptureStreamNotify(TSoundCaptureStream& stream);
  ~TSoundCaptureStreamNotify() override;

  int32_t PollInterval() const { return FPollInterval; }

  // Ends thread and frees it (now, or, from inside its own update step, as
  // soon as that step returns). Main thread only.
  static void End(std::unique_ptr<TSoundCaptureStreamNotify> thread);

 protected:
  void Execute() override;

 private:
  void Update();
  void UpdateFailed(const Exception& error);

  TSoundCaptureStream* Stream;
  int32_t FPollInterval;
  TKernelHandle WakeEvent;
  const std::function<void()> FUpdateStep;
  // Both are touched on the main thread only (in the update step and in End).
  bool InUpdateStep = false;
  bool Ending = false;
};
