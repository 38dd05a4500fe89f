// Figures of the skinned frame, against the platform's frame where there is
// one to compare with: a non-client paint of the recorder's main window and
// of a maximised window (the display's full size), one title button's hover
// repaint, the region of the maximised window, switching the recorder's
// window to another skin package through SkinFile (without the manager's
// timer delay), loading the stored skin on its own, and the start-up to the
// first skinned paint against an unskinned start (separate processes of this
// program); and a full repaint of the gallery form of every kind of control,
// skinned and opted out of the skin. The skin's loads and switches count
// their fastest run, all other figures are medians.
//   bench_frame.exe                 run everything
//   bench_frame.exe --start MODE    (internal) one start-up, MODE skinned or plain
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "recorder/Main.h"
#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSysButton.h"
#include "skin/model/SkinData.h"
#include "tools/gallery/Gallery.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/DisplayDpi.h"
#include "toolkit/platform/FileStream.h"

namespace {

double NowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

std::vector<double> Times(int runs, const std::function<void()>& step) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    double start = NowMs();
    step();
    times.push_back(NowMs() - start);
  }
  return times;
}

double Timed(int runs, const std::function<void()>& step) { return Median(Times(runs, step)); }

// For the loads and switches, whose time a busy neighbour can double: what a
// run took beyond the fastest one was not the run's own.
double Fastest(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

void PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000) {
  ULONGLONG end = GetTickCount64() + milliseconds;
  while (!done() && GetTickCount64() < end) Application.ProcessMessagesFor(5);
}

TWinSkinForm* SkinnerOf(HWND wnd) { return SkinManager() ? SkinManager()->FindSkinnedForm(wnd) : nullptr; }

bool Presented(HWND wnd) {
  TWinSkinForm* skinner = SkinnerOf(wnd);
  return skinner && skinner->LifeState == flSkinned && !skinner->TitleCache.Empty();
}

// A plain form of a given size, skinned or left to the platform (Tag 99).
TForm* SizedForm(int left, int top, int width, int height, bool skinned) {
  auto* form = Application.CreateForm<TForm>();
  form->SetBounds(left, top, width, height);
  form->SetText(skinned ? L"Skinned" : L"Platform");
  if (!skinned) form->SetTag(99);
  form->Show();
  if (skinned) PumpUntil([&] { return Presented(form->Handle()); });
  return form;
}

double NcPaintMs(HWND wnd) {
  Application.ProcessMessages();
  return Timed(60, [&] {
    SendMessageW(wnd, WM_NCPAINT, 1, 0);
    GdiFlush();
  });
}

double StartedMs(const wchar_t* mode) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = std::wstring(L"\"") + self + L"\" --start " + mode;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  CreatePipe(&read, &write, &inherit, 0);
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) return -1;
  CloseHandle(write);
  char buffer[64] = {};
  DWORD got = 0;
  ReadFile(read, buffer, sizeof(buffer) - 1, &got, nullptr);
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(read);
  return std::atof(buffer);
}

// One start-up: from this process's creation to the main window's first
// frame paint (skinned) or first paint (plain).
int StartOnce(bool skinned) {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  std::unique_ptr<TSkinEngineScope> engine;
  if (skinned) engine = std::make_unique<TSkinEngineScope>();
  Application.Initialize();
  TMainForm* main = Application.CreateForm<TMainForm>();
  main->Show();
  HWND wnd = main->Handle();
  PumpUntil([&] { return skinned ? Presented(wnd) : !GetUpdateRect(wnd, nullptr, FALSE); });
  GetSystemTimeAsFileTime(&now);
  auto value = [](const FILETIME& time) {
    return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e4;
  };
  std::printf("%.1f\n", value(now) - value(created));
  std::fflush(stdout);
  main->Hide();
  Application.DestroyForms();
  return 0;
}

// Every window of the gallery form painted again at once; the form opted out
// of the skin through its tag, or skinned by the engine.
double GalleryRepaintMs(TSkinData& skin, bool skinned) {
  TGalleryForm form(nullptr);
  if (!skinned) form.SetTag(skin.DisableTag());
  form.Show();
  HWND wnd = form.Handle();
  PumpUntil([&] { return GetForegroundWindow() == wnd && (!skinned || Presented(wnd)); });
  form.ShowStates(skinned);
  Application.ProcessMessagesFor(300);
  for (int i = 0; i < 5; ++i) form.RepaintAll();  // contexts and buffers are made by the first
  return Timed(100, [&] {
    form.RepaintAll();
    GdiFlush();
  });
}

// Loading the main window's stored skin as the program does at start-up:
// the package expanded, the description parsed, every bitmap decoded. A
// component of its own takes the loads, so the open windows keep their skin.
double StoredSkinLoadMs(TSkinData& stored) {
  TSkinData skin(nullptr);
  skin.SkinStreamData.CopyFrom(stored.SkinStreamData, 0);
  skin.LoadSkin();  // the first load makes what the process keeps
  return Fastest(Times(20, [&] { skin.LoadSkin(); }));
}

int RunAll() {
  TSkinEngineScope engine;
  Application.Initialize();
  TMainForm* main = Application.CreateForm<TMainForm>();
  main->Show();
  HWND mainWnd = main->Handle();
  PumpUntil([&] { return Presented(mainWnd); });
  RECT bounds;
  GetWindowRect(mainWnd, &bounds);
  TForm* platform = SizedForm(bounds.left + 40, bounds.top + 40, bounds.right - bounds.left, bounds.bottom - bounds.top, false);
  const double paint = NcPaintMs(mainWnd), platformPaint = NcPaintMs(platform->Handle());
  platform->Hide();

  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  TForm* maxSkinned = SizedForm(0, 0, screenWidth, screenHeight, true);
  const double maxPaint = NcPaintMs(maxSkinned->Handle());
  TForm* maxPlatform = SizedForm(0, 0, screenWidth, screenHeight, false);
  const double maxPlatformPaint = NcPaintMs(maxPlatform->Handle());
  maxPlatform->Hide();

  TWinSkinForm& skinner = *SkinnerOf(maxSkinned->Handle());
  TWinSysButton* button = nullptr;
  for (auto& candidate : skinner.SysButtons)
    if (candidate->Visible && candidate->Element.Action == 0) button = candidate.get();
  const double buttonMs = button ? Timed(60, [&] {
    button->Enter();
    button->Leave();
    GdiFlush();
  }) / 2 : -1;
  const double region = Timed(40, [&] {
    skinner.RegionWidth = 0;
    skinner.BuildRegion();
  });
  // The switch below is the recorder's windows' own: the forms made for the
  // figures above go first, rather than being reloaded hidden.
  maxSkinned->Free();

  auto* skin = dynamic_cast<TSkinData*>(main->FindComponent(L"SkinData1"));
  const double load = StoredSkinLoadMs(*skin);
  const double galleryPaint = GalleryRepaintMs(*skin, true);
  const double galleryPlatformPaint = GalleryRepaintMs(*skin, false);

  // Two packages: the stored skin and one with other frames; each switch
  // reloads every open window's skin and presents it.
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring stored = std::wstring(folder) + L"bench-frame-stored.skn";
  {
    TFileStream file(stored, fmCreate);
    file.CopyFrom(skin->SkinStreamData, 0);
  }
  std::vector<double> switches, loads;
  for (int i = 0; i < 10; ++i) {
    double start = NowMs();
    skin->SetSkinFile(stored);
    loads.push_back(NowMs() - start);
    SkinManager()->RunPendingAction(nullptr);
    PumpUntil([&] { return Presented(mainWnd); });
    Application.ProcessMessages();
    switches.push_back(NowMs() - start);
  }
  DeleteFileW(stored.c_str());
  Application.DestroyForms();

  std::vector<double> skinnedStarts, plainStarts;
  for (int i = 0; i < 5; ++i) {
    skinnedStarts.push_back(StartedMs(L"skinned"));
    plainStarts.push_back(StartedMs(L"plain"));
  }
  std::printf("non-client paint: main window %.3f ms (platform %.3f ms), maximised %dx%d %.3f ms (platform %.3f ms)\n",
              paint, platformPaint, screenWidth, screenHeight, maxPaint, maxPlatformPaint);
  std::printf("button hover repaint %.3f ms, maximised region %.3f ms, skin switch %.1f ms (of which loading the "
              "package %.1f ms), loading the stored skin %.1f ms\n",
              buttonMs, region, Fastest(switches), Fastest(loads), load);
  std::printf("start-up to the first paint: skinned %.1f ms, plain %.1f ms\n", Median(skinnedStarts),
              Median(plainStarts));
  std::printf("gallery full repaint: skinned %.2f ms, platform look %.2f ms\n", galleryPaint, galleryPlatformPaint);
  std::printf(
      "frame: dpi=%d paint_ms=%.3f platform_paint_ms=%.3f max_paint_ms=%.3f max_platform_paint_ms=%.3f button_ms=%.3f "
      "region_ms=%.3f switch_ms=%.1f load_ms=%.1f skinned_start_ms=%.1f plain_start_ms=%.1f gallery_paint_ms=%.2f "
      "gallery_platform_paint_ms=%.2f\n",
      SystemDpi(), paint, platformPaint, maxPaint, maxPlatformPaint, buttonMs, region, Fastest(switches), load,
      Median(skinnedStarts), Median(plainStarts), galleryPaint, galleryPlatformPaint);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    if (argc == 3 && std::wstring(argv[1]) == L"--start") return StartOnce(std::wstring(argv[2]) == L"skinned");
    return RunAll();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_frame: %s\n", error.what());
    return 1;
  }
}
