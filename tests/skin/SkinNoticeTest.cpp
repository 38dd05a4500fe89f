#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "SkinTestData.h"
#include "skin/package/SkinReader.h"
#include "toolkit/platform/Application.h"

namespace {

struct TSeenBox {
  std::wstring Caption;
  std::wstring Text;
};

// Waits for the message box of this process, reads it and closes it.
TSeenBox CloseMessageBox(std::atomic<bool>& done) {
  TSeenBox seen;
  while (!done) {
    HWND box = FindWindowW(L"#32770", nullptr);
    DWORD process = 0;
    if (box != nullptr && GetWindowThreadProcessId(box, &process) && process == GetCurrentProcessId()) {
      wchar_t text[256] = {};
      GetWindowTextW(box, text, 256);
      seen.Caption = text;
      GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message box's static text
      seen.Text = text;
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return seen;
    }
    Sleep(20);
  }
  return seen;
}

}  // namespace

TEST(SkinNotice, AnOlderPackageShowsItsMessageInAModalBox) {
  Bytes expanded;
  PutLe(expanded, 19999, 4);
  for (int word = 0; word < 3; ++word) PutLe(expanded, 0, 4);
  TMemoryStream package;
  Load(package, CompressWithCount(expanded));
  std::atomic<bool> done{false};
  TSeenBox seen;
  std::thread closer([&] { seen = CloseMessageBox(done); });
  TSkinReader reader;
  bool loaded = reader.ReadPackage(package);
  done = true;
  closer.join();
  EXPECT_FALSE(loaded);
  EXPECT_EQ(seen.Caption, Application.Title());
  EXPECT_EQ(seen.Text.substr(0, 23), L"This is Older Skin File");
  EXPECT_NE(seen.Text.find(L"Please update to new version !"), std::wstring::npos);
}
