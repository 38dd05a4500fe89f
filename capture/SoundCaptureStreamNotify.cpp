#include "capture/SoundCaptureStreamNotify.h"

#include <algorithm>

#include "capture/SoundCaptureStream.h"
#include "toolkit/platform/Application.h"

namespace {

constexpr int32_t kLongestPollMilliseconds = 50;

// A negative ring length must not turn into an endless wait.
int32_t PollIntervalFor(int32_t bufferMilliseconds) {
  return std::clamp(bufferMilliseconds / 4, 0, kLongestPollMilliseconds);
}

}  // namespace

TSoundCaptureStreamNotify::TSoundCaptureStreamNotify(TSoundCaptureStream& stream)
    : Stream(&stream),
      FPollInterval(PollIntervalFor(stream.BufferMilliseconds())),
      WakeEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      FUpdateStep([this] { Update(); }) {
  if (!WakeEvent) throw EThread(L"Thread creation error");
}

TSoundCaptureStreamNotify::~TSoundCaptureStreamNotify() {
  SetEvent(WakeEvent.Get());
  if (Started() && GetCurrentThreadId() != ThreadID()) WaitFor();
}

void TSoundCaptureStreamNotify::End(std::unique_ptr<TSoundCaptureStreamNotify> thread) {
  thread->Ending = true;
  thread->Stream = nullptr;
  if (!thread->InUpdateStep) return;  // thread's destructor waits for it
  thread->SetFreeOnTerminate(true);
  SetEvent(thread->WakeEvent.Get());
  thread.release();
}

void TSoundCaptureStreamNotify::Execute() {
  while (WaitForSingleObject(WakeEvent.Get(), static_cast<DWORD>(FPollInterval)) == WAIT_TIMEOUT)
    Synchronize(FUpdateStep);
}

void TSoundCaptureStreamNotify::Update() {
  if (Ending) return;
  struct TStepMark {
    bool& Flag;
    explicit TStepMark(bool& flag) : Flag(flag) { Flag = true; }
    ~TStepMark() { Flag = false; }
  } mark(InUpdateStep);
  try {
    if (Stream->AvailableBytes() > 0)
      Stream->DoDataAvailable();
    else
      Stream->CheckDevice();
  } catch (const Exception& error) {
    UpdateFailed(error);
  } catch (...) {
    // Anything else (no memory, a library's own error) ends the capture the
    // same way: an error that ended this thread would leave it running unseen.
    UpdateFailed(Exception(CurrentExceptionText()));
  }
}

// A handler that stopped or destroyed the stream before raising (Ending
// tells) has dealt with the capture; its error is only shown. Otherwise the
// capture stops first, which lets go of this thread, so nothing here touches
// the stream after its owner has heard of the error.
void TSoundCaptureStreamNotify::UpdateFailed(const Exception& error) {
  if (Ending) {
    Application.HandleException(error);
    return;
  }
  TSoundCaptureStream& stream = *Stream;
  stream.Stop();
  try {
    stream.DoCaptureError(error);
  } catch (...) {
    Application.HandleCurrentException();
  }
}
