// gallery PACKAGE FOLDER: pictures of a skin package on every kind of
// control (gallery.png, gallery-plain.png, dialog.png in FOLDER).
#include <windows.h>

#include <cstdio>

#include "skin/model/SkinShared.h"
#include "tools/gallery/Gallery.h"
#include "toolkit/platform/Application.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: gallery PACKAGE FOLDER\n", stderr);
    return 2;
  }
  // A package of an older format is refused on standard error: no message box may wait on a headless run.
  TSkinReader::SetDefaultOlderPackageNotice(nullptr);
  try {
    Application.Initialize();
    StartSkinShared();
    TSkinData skin(nullptr);
    skin.SetSkinFile(argv[1]);
    if (skin.SkinNotReady) throw Exception(L"%s is not a skin package this program reads", {std::wstring(argv[1])});
    WriteGallery(skin, argv[2]);
    StopSkinShared();
    return 0;
  } catch (const std::exception& error) {
    std::fwprintf(stderr, L"gallery: %ls\n", ExceptionText(error).c_str());
    return 1;
  }
}
