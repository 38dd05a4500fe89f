// Start-up and CPU figures of the recorder's main window: the time from the
// process's creation to the end of the main window's first paint, then the
// process's CPU use while idle and while recording at 44100 Hz 16-bit mono.
//   bench_startup.exe [SECONDS]   (the recording goes to a temporary file)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "recorder/Main.h"
#include "toolkit/platform/Application.h"

namespace {

double Seconds(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 1e7;
}

double NowSeconds() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return Seconds(now);
}

double CreationSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return Seconds(created);
}

double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return Seconds(kernel) + Seconds(user);
}

// Sits in the main window's WindowProc, as a skinner would, and notes when
// the first WM_PAINT has been handled.
class TFirstPaint {
 public:
  explicit TFirstPaint(TControl& form) : Saved(form.WindowProc()) {
    form.SetWindowProc(TWndMethod::Of<&TFirstPaint::Hook>(*this));
  }
  void Hook(TMessage& message) {
    Saved(message);
    if (message.Msg == WM_PAINT && PaintedAt == 0) PaintedAt = NowSeconds();
  }
  TWndMethod Saved;
  double PaintedAt = 0;
};

// The share of one core the process used over seconds of message handling.
double CpuShare(double seconds) {
  double cpu = CpuSeconds(), wall = NowSeconds();
  Application.ProcessMessagesFor(static_cast<DWORD>(seconds * 1000));
  return 100.0 * (CpuSeconds() - cpu) / (NowSeconds() - wall);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  double seconds = argc > 1 ? _wtof(argv[1]) : 10;
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  std::wstring path = std::wstring(folder) + L"quillmere-startup-bench.wav";
  double created = CreationSeconds();
  Application.Initialize();
  auto* form = Application.CreateForm<TMainForm>();
  TFirstPaint paint(*form);
  form->Show();
  while (paint.PaintedAt == 0) Application.HandleMessage();
  double startup = paint.PaintedAt - created;
  std::printf("first paint %.0f ms after the process was created\n", startup * 1000);

  double idle = CpuShare(seconds);
  std::printf("idle: %.2f%% of one core over %.0f s\n", idle, seconds);

  dynamic_cast<TEdit*>(form->FindComponent(L"FilePath"))->SetText(path);
  form->B_StartClick(nullptr);
  double recording = CpuShare(seconds);
  form->B_StopClick(nullptr);
  std::printf("recording 44100Hz 16bit Mono: %.2f%% of one core over %.0f s\n", recording, seconds);
  std::printf("startup: first_paint_ms=%.0f idle_cpu_pct=%.2f recording_cpu_pct=%.2f\n", startup * 1000, idle,
              recording);
  Application.DestroyForms();
  DeleteFileW(path.c_str());
  return 0;
}
