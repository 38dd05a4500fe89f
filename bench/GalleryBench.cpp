// A full repaint of the gallery form as the platform paints it and with the
// program's skin, in the same run: every window painted again at once.
//   bench_gallery.exe [REPAINTS]   (default 100 of each)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "skin/model/SkinShared.h"
#include "tools/gallery/Gallery.h"
#include "tools/gallery/GalleryHost.h"
#include "toolkit/platform/Application.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The median of repaints full repaints, in milliseconds.
double RepaintMs(TGalleryForm& form, int repaints) {
  for (int i = 0; i < 5; ++i) form.RepaintAll();  // contexts and buffers are made by the first
  std::vector<double> times;
  for (int i = 0; i < repaints; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    form.RepaintAll();
    GdiFlush();
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int repaints = argc > 1 ? std::max(1, _wtoi(argv[1])) : 100;
  Application.Initialize();
  StartSkinShared();
  TSkinData skin(nullptr);
  if (!LoadSkinResource(skin, L"QUILLSKIN")) {
    std::fputs("gallery: the program's skin did not load\n", stderr);
    return 1;
  }
  TGalleryForm form(nullptr);
  form.Show();
  form.ShowStates(false);
  Application.ProcessMessagesFor(300);
  const double platform = RepaintMs(form, repaints);
  std::printf("platform look: %.2f ms per full repaint (median of %d)\n", platform, repaints);

  TGalleryHost host(nullptr);
  host.SkinForm(form, skin);
  form.ShowStates(true);
  Application.ProcessMessagesFor(300);
  const double skinned = RepaintMs(form, repaints);
  std::printf("skinned: %.2f ms per full repaint (median of %d)\n", skinned, repaints);
  std::printf("gallery: gallery_paint_ms=%.2f gallery_platform_paint_ms=%.2f ratio=%.2f\n", skinned, platform,
              skinned / platform);
  host.Unskin();
  StopSkinShared();
  return 0;
}
