// skinpack <folder> <package-file>: packs every regular file of a folder into
// a compressed skin package, the description first.
#include <cstdio>
#include <filesystem>

#include "skin/package/SkinReader.h"
#include "toolkit/core/Utf8.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinPackage.h"
#include "tools/skinpack/ToolFiles.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> RegularFilesIn(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) throw ESkinToolError(FromUtf8(folder.string() + ": no such folder"));
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  return names;
}

int Pack(char** argv) {
  fs::path folder = argv[1], packageFile = argv[2];
  std::vector<std::string> names = RegularFilesIn(folder);
  CheckStorableNames(names);
  std::vector<TPackageFile> files;
  for (const std::string& name : PackageOrder(names))
    files.push_back({name, ReadWholeFile(folder / name, TSkinReader::kMaxExpandedSize)});
  CheckDoubleImages(files);
  std::vector<uint8_t> expanded = ExpandedPackage(files);
  std::vector<uint8_t> package = CompressWithCount(expanded);
  WriteWholeFile(packageFile, package);
  std::printf("packed %zu files (%zu bytes) into %s (%zu bytes)\n", files.size(), expanded.size(),
              packageFile.string().c_str(), package.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return RunTool("skinpack", argc, argv, 2, "<folder> <package-file>", Pack); }
