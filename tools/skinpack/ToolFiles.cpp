#include "tools/skinpack/ToolFiles.h"

#include <cstdio>
#include <fstream>
#include <string>

#include "toolkit/core/Utf8.h"
#include "tools/skinpack/SkinPackage.h"

namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const char* what) {
  throw ESkinToolError(FromUtf8(path.string() + ": " + what));
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path, uintmax_t limit) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) Fail(path, "no such file");
  uintmax_t size = std::filesystem::file_size(path, error);
  if (error) Fail(path, "cannot be read");
  if (size > limit) Fail(path, "is too large");
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) Fail(path, "cannot be read");
  return bytes;
}

void WriteWholeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) Fail(path, "cannot be written");
}

int RunTool(const char* tool, int argc, char** argv, int arguments, const char* usage, int (*body)(char** argv)) {
  if (argc != arguments + 1) {
    std::fprintf(stderr, "usage: %s %s\n", tool, usage);
    return 2;
  }
  try {
    return body(argv);
  } catch (const Exception& error) {
    std::fprintf(stderr, "%s: %s\n", tool, error.what());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", tool, error.what());
  }
  return 1;
}
