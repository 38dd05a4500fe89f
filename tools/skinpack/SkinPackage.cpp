#include "tools/skinpack/SkinPackage.h"

#include <algorithm>
#include <set>

#include "skin/package/DoubleImages.h"
#include "skin/package/SkinReader.h"
#include "toolkit/core/BmpFile.h"
#include "toolkit/core/Utf8.h"

namespace {

void PutInt32(std::vector<uint8_t>& out, int64_t value) {
  auto v = static_cast<uint32_t>(value);
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

[[noreturn]] void Fail(const std::string& text) { throw ESkinToolError(FromUtf8(text)); }

bool IsDescription(const std::string& name) {
  return name.size() >= 4 && LowerAscii(name.substr(name.size() - 4)) == ".ini";
}

TDecodedBmp DecodedPicture(const TPackageFile& file) {
  try {
    return DecodeBmp(file.Bytes.data(), file.Bytes.size());
  } catch (const EInvalidGraphic&) {
    Fail(file.Name + " is not a picture the program can read");
  }
}

}  // namespace

void CheckStorableNames(const std::vector<std::string>& names) {
  if (names.size() > static_cast<size_t>(TSkinReader::kMaxFiles))
    Fail(std::to_string(names.size()) + " files: a skin package holds at most 1001");
  std::set<std::string> lowered;
  for (const std::string& name : names) {
    bool printable = std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
    if (name.empty() || !printable || !IsBareFileName(name))
      Fail("the name \"" + name + "\" cannot be stored: use printable ASCII letters without separators");
    if (!lowered.insert(LowerAscii(name)).second)
      Fail("the name \"" + name + "\" differs from another only in letter case");
  }
}

std::vector<std::string> PackageOrder(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  auto descriptions = std::count_if(names.begin(), names.end(), IsDescription);
  if (descriptions != 1)
    Fail("a skin needs exactly one .ini description file, found " + std::to_string(descriptions));
  std::stable_partition(names.begin(), names.end(), IsDescription);
  return names;
}

bool IsBareFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

std::vector<uint8_t> ExpandedPackage(const std::vector<TPackageFile>& files, int32_t marker) {
  std::vector<std::string> names;
  std::string table;
  int64_t total = 16;
  for (const TPackageFile& file : files) {
    names.push_back(file.Name);
    table += file.Name + "\r\n";
    total += 4 + static_cast<int64_t>(file.Bytes.size());
  }
  CheckStorableNames(names);
  total += static_cast<int64_t>(table.size());
  if (total > TSkinReader::kMaxExpandedSize)
    Fail("the files come to " + std::to_string(total) + " bytes, more than a skin package may expand to");
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(total));
  for (int64_t word : {int64_t{marker}, static_cast<int64_t>(table.size()), int64_t{0}, int64_t{0}}) PutInt32(out, word);
  out.insert(out.end(), table.begin(), table.end());
  for (const TPackageFile& file : files) PutInt32(out, static_cast<int64_t>(file.Bytes.size()));
  for (const TPackageFile& file : files) out.insert(out.end(), file.Bytes.begin(), file.Bytes.end());
  return out;
}

void CheckDoubleImages(const std::vector<TPackageFile>& files) {
  for (const TPackageFile& file : files) {
    std::string singleName = SingleImageName(file.Name);
    if (singleName.empty()) continue;
    auto single = std::find_if(files.begin(), files.end(),
                               [&](const TPackageFile& other) { return LowerAscii(other.Name) == LowerAscii(singleName); });
    if (single == files.end()) Fail(file.Name + " has no " + singleName + " beside it");
    TDecodedBmp small = DecodedPicture(*single), large = DecodedPicture(file);
    std::wstring mismatch = DoubleImageMismatch(small.Width, small.Height, large.Width, large.Height);
    if (!mismatch.empty()) Fail(file.Name + ": " + ToUtf8(mismatch));
  }
}
