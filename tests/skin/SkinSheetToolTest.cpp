// The skin sheet as a command-line tool: every kind of input it cannot draw is
// refused on standard error with a non-zero exit, and nothing waits for a
// person (a message box nobody closes would hang a headless run for ever).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "SkinTestData.h"
#include "TempFiles.h"
#include "tools/skinpack/SkinPackage.h"

namespace {

// The build's path of skinsheet.exe, as Wine sees the machine's root.
std::wstring SkinSheetPath() {
  std::string unix = QUILL_SKINSHEET_EXE;
  std::replace(unix.begin(), unix.end(), '/', '\\');
  return L"Z:" + std::wstring(unix.begin(), unix.end());
}

struct TRun {
  DWORD ExitCode = 0;
  std::string Errors;
};

// Runs the sheet on package with standard error in a file; a run that has not
// ended after a minute is stopped and fails the test.
TRun RunSkinSheet(const std::wstring& package) {
  // Files of its own, so that no run reads what an earlier one left.
  static int runs = 0;
  ++runs;
  TTempFile errors(L"stderr" + std::to_wstring(runs) + L".txt");
  TTempFile sheet(L"sheet" + std::to_wstring(runs) + L".bmp");
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE errorFile = CreateFileW(errors.Path().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(errorFile, INVALID_HANDLE_VALUE) << "error " << GetLastError();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdError = errorFile;
  startup.hStdOutput = errorFile;
  std::wstring command = L"\"" + SkinSheetPath() + L"\" \"" + package + L"\" \"" + sheet.Path() + L"\"";
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                &process);
  CloseHandle(errorFile);
  EXPECT_TRUE(started) << "cannot start " << ToUtf8(command);
  TRun run;
  if (!started) return run;
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, 10000);
    ADD_FAILURE() << "skinsheet was still running after a minute: it waits for something";
  }
  GetExitCodeProcess(process.hProcess, &run.ExitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::ifstream in(errors.FsPath(), std::ios::binary);
  run.Errors.assign(std::istreambuf_iterator<char>(in), {});
  EXPECT_FALSE(std::filesystem::exists(sheet.FsPath())) << "a sheet was written for a refused input";
  return run;
}

void Write(const TTempFile& file, const Bytes& bytes) {
  std::ofstream out(file.FsPath(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Ascii(const std::string& text) { return Bytes(text.begin(), text.end()); }

void SetClaimedSize(Bytes& package, uint32_t size) {
  for (size_t k = 0; k < 4; ++k) package[k] = static_cast<uint8_t>(size >> (8 * k));
}

void ExpectRefused(const char* what, const Bytes& bytes, const std::string& reason) {
  SCOPED_TRACE(what);
  static int inputs = 0;
  TTempFile package(L"input" + std::to_wstring(++inputs) + L".skn");
  Write(package, bytes);
  TRun run = RunSkinSheet(package.Path());
  EXPECT_EQ(run.ExitCode, 1u);
  EXPECT_NE(run.Errors.find("skinsheet: "), std::string::npos) << run.Errors;
  EXPECT_NE(run.Errors.find(reason), std::string::npos) << run.Errors;
}

}  // namespace

TEST(SkinSheetTool, RefusesEveryUnreadableInputOnStandardError) {
  const Bytes description = Ascii("[TitlebarSkin]\r\nSkinName=Test\r\n[Personality]\r\nLeft=left.bmp\r\n");

  Bytes older = CompressWithCount(ExpandedPackage({{"skin.ini", description}}, 19999));
  ExpectRefused("another format marker", older, "This is Older Skin File");

  // Noise whose claimed size is within bounds: it expands to a header of
  // another format, as about one random file in a hundred does.
  Bytes noise = RandomBytes(3000, 20240611);
  SetClaimedSize(noise, 60u << 20);
  ExpectRefused("random bytes claiming 60 MiB", noise, "This is Older Skin File");

  Bytes absurd = RandomBytes(3000, 5);
  SetClaimedSize(absurd, 0x7FFFFFF0u);
  ExpectRefused("an absurd expanded size", absurd, "damaged");

  Bytes overlong;
  for (uint32_t word : {20000u, 1000000u, 0u, 0u}) PutLe(overlong, word, 4);
  ExpectRefused("a name table longer than the package", CompressWithCount(overlong), "damaged");

  ExpectRefused("an empty file", Bytes{}, "This is Older Skin File");

  Bytes noDescription = CompressWithCount(ExpandedPackage({{"left.bmp", RandomBytes(100, 4)}}));
  ExpectRefused("no description", noDescription, "no usable description");

  Bytes badBitmap = CompressWithCount(ExpandedPackage({{"skin.ini", description}, {"left.bmp", RandomBytes(500, 9)}}));
  ExpectRefused("a bitmap that is no bitmap", badBitmap, "Bitmap image is not valid");
}

TEST(SkinSheetTool, AMissingFileIsRefused) {
  TRun run = RunSkinSheet(L"Z:\\no\\such\\package.skn");
  EXPECT_EQ(run.ExitCode, 1u);
  EXPECT_NE(run.Errors.find("skinsheet: "), std::string::npos) << run.Errors;
}
