// Unique scratch files for tests, removed when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "toolkit/core/Utf8.h"

inline std::filesystem::path ScratchDirectory() {
  auto dir = std::filesystem::temp_directory_path() / "quill-tests";
  std::filesystem::create_directories(dir);
  return dir;
}

// A path in the scratch folder; name may hold any characters. The file is
// removed again when the object goes out of scope.
class TTempFile {
 public:
  explicit TTempFile(const std::wstring& name) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string prefix = test ? std::string(test->test_suite_name()) + "." + test->name() + "." : "";
    FPath = ScratchDirectory().wstring() + L"/" + std::wstring(prefix.begin(), prefix.end()) + name;
    Remove();
  }
  ~TTempFile() { Remove(); }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;

  const std::wstring& Path() const { return FPath; }
  // POSIX paths are UTF-8 bytes, as the toolkit's file stream writes them.
  std::filesystem::path FsPath() const {
#ifdef _WIN32
    return std::filesystem::path(FPath);
#else
    return std::filesystem::path(ToUtf8(FPath));
#endif
  }

 private:
  void Remove() const {
    std::error_code ignored;
    std::filesystem::remove(FsPath(), ignored);
  }
  std::wstring FPath;
};
