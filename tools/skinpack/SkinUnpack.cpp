// skinunpack <package-file> <folder>: writes every file of a skin package into
// a folder, under the lower-cased name the skin reader holds for it.
#include <cstdio>
#include <filesystem>
#include <set>

#include "skin/package/SkinReader.h"
#include "toolkit/core/Utf8.h"
#include "tools/skinpack/SkinPackage.h"
#include "tools/skinpack/ToolFiles.h"

namespace fs = std::filesystem;

namespace {

// A compressed package is never much larger than what it expands to.
constexpr uintmax_t kLargestPackageFile = 2 * uintmax_t{TSkinReader::kMaxExpandedSize};

void Load(TSkinReader& reader, const fs::path& packageFile) {
  std::vector<uint8_t> bytes = ReadWholeFile(packageFile, kLargestPackageFile);
  TMemoryStream package;
  package.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  reader.SetOnOlderPackage(nullptr);  // the refusal below says it once
  if (!reader.ReadPackage(package)) {
    std::string reason = ToUtf8(reader.RefusalReason());
    for (char& c : reason)
      if (c == '\r') c = '\n';
    throw ESkinToolError(FromUtf8(packageFile.string() + ": " + reason));
  }
  for (const std::string& name : reader.FileNames())
    if (!IsBareFileName(name))
      throw ESkinToolError(FromUtf8(packageFile.string() + ": the name \"" + name + "\" is not a bare file name"));
}

int Unpack(char** argv) {
  fs::path packageFile = argv[1], folder = argv[2];
  TSkinReader reader;
  Load(reader, packageFile);
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) throw ESkinToolError(FromUtf8(folder.string() + ": cannot make this folder"));
  std::set<std::string> written;
  TMemoryStream file;
  for (const std::string& name : reader.FileNames()) {
    if (!written.insert(name).second) {
      std::fprintf(stderr, "skinunpack: %s is listed again; only its first copy is written\n", name.c_str());
      continue;
    }
    reader.ExtractFile(name, file);
    WriteWholeFile(folder / name, file.Bytes());
  }
  std::printf("unpacked %zu files into %s\n", written.size(), folder.string().c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return RunTool("skinunpack", argc, argv, 2, "<package-file> <folder>", Unpack); }
