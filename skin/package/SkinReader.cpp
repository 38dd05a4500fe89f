#include "skin/package/SkinReader.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "skin/package/Lzh.h"

const wchar_t* const kOlderSkinFileMessage = L"This is Older Skin File\rPlease update to new version !";

namespace {

constexpr size_t kHeaderSize = 16;

int32_t Int32At(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t k = 0; k < 4 && at + k < bytes.size(); ++k) value |= uint32_t{bytes[at + k]} << (8 * k);
  return static_cast<int32_t>(value);
}

// Raised from the write callback to end the expansion of a package whose
// header already shows another format; the decoder lets callback errors pass.
struct TOtherFormat {};

// The decoder asks for its input and hands out its output one byte at a
// time, so both callbacks work on plain memory rather than through streams.
struct TExpansion {
  const uint8_t* Input;
  const uint8_t* InputEnd;
  std::vector<uint8_t> Output;
};

uint16_t ReadPacked(void* context, void* buffer, uint16_t count) {
  auto& expansion = *static_cast<TExpansion*>(context);
  auto n = static_cast<uint16_t>(std::min<ptrdiff_t>(count, expansion.InputEnd - expansion.Input));
  std::memcpy(buffer, expansion.Input, n);
  expansion.Input += n;
  return n;
}

uint16_t WriteExpanded(void* context, const void* buffer, uint16_t count) {
  std::vector<uint8_t>& output = static_cast<TExpansion*>(context)->Output;
  const size_t before = output.size();
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  output.insert(output.end(), bytes, bytes + count);
  if (before < kHeaderSize && output.size() >= kHeaderSize && Int32At(output, 0) != TSkinReader::kFormatMarker)
    throw TOtherFormat{};
  return count;
}

TSkinReader::TNoticeEvent& DefaultOlderPackageNotice() {
  static TSkinReader::TNoticeEvent notice = ShowOlderSkinNotice;
  return notice;
}

}  // namespace

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

std::vector<std::string> SplitNameTable(std::string_view table) {
  table = table.substr(0, table.find('\0'));
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < table.size()) {
    size_t end = std::min(table.find_first_of("\r\n", start), table.size());
    lines.emplace_back(table.substr(start, end - start));
    if (end < table.size() && table[end] == '\r' && end + 1 < table.size() && table[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

TSkinReader::TSkinReader() : FOnOlderPackage(DefaultOlderPackageNotice()) {}

void TSkinReader::SetDefaultOlderPackageNotice(TNoticeEvent notice) {
  DefaultOlderPackageNotice() = std::move(notice);
}

void TSkinReader::Clear() {
  FFileNames.clear();
  FFileCount = 0;
  FileSizes.fill(0);
  FileData.SetSize(0);
  Header = {};
  FRefusalReason.clear();
}

bool TSkinReader::Refuse(std::wstring reason) {
  Clear();
  FRefusalReason = std::move(reason);
  return false;
}

bool TSkinReader::ReadPackage(TMemoryStream& package) {
  Clear();
  package.SetPosition(0);
  int32_t count = 0;
  package.Read(&count, 4);  // little-endian on every target we build for
  if (count < 0 || count > kMaxExpandedSize)
    return Refuse(Format(L"The skin package is damaged: it claims %d expanded bytes", {count}));
  TExpansion expansion{package.Memory() + package.Position(), package.Memory() + package.Size(), {}};
  TLZH lzh(&expansion, &expansion);
  try {
    lzh.Decode(count, WriteExpanded, ReadPacked);
  } catch (const TOtherFormat&) {
    // The header alone is enough for the refusal below.
  }
  package.SetPosition(static_cast<int32_t>(expansion.Input - package.Memory()));
  return LoadExpanded(expansion.Output);
}

bool TSkinReader::LoadExpanded(const std::vector<uint8_t>& expanded) {
  THeader header{Int32At(expanded, 0), Int32At(expanded, 4), Int32At(expanded, 8), Int32At(expanded, 12)};
  if (header.Marker != kFormatMarker) {
    Refuse(kOlderSkinFileMessage);
    if (FOnOlderPackage) FOnOlderPackage(kOlderSkinFileMessage);
    return false;
  }
  int64_t tableEnd = int64_t{kHeaderSize} + header.NameTableLength;
  if (header.NameTableLength < 0 || tableEnd > static_cast<int64_t>(expanded.size()))
    return Refuse(L"The skin package is damaged: its name table runs past its data");
  std::string_view table(reinterpret_cast<const char*>(expanded.data()) + kHeaderSize,
                         static_cast<size_t>(header.NameTableLength));
  FFileNames = SplitNameTable(LowerAscii(table));
  if (FFileNames.size() > static_cast<size_t>(kMaxFiles))
    return Refuse(Format(L"The skin package lists %d files; at most 1001 are allowed",
                         {static_cast<int64_t>(FFileNames.size())}));
  FFileCount = static_cast<int32_t>(FFileNames.size());
  Header = header;
  return ReadSizes(expanded, static_cast<size_t>(tableEnd));
}

bool TSkinReader::ReadSizes(const std::vector<uint8_t>& expanded, size_t at) {
  size_t dataStart = at + 4 * static_cast<size_t>(FFileCount);
  if (dataStart > expanded.size()) return Refuse(L"The skin package is damaged: its size table runs past its data");
  int64_t total = 0;
  for (int i = 0; i < FFileCount; ++i) {
    FileSizes[static_cast<size_t>(i)] = Int32At(expanded, at + 4 * static_cast<size_t>(i));
    if (FileSizes[static_cast<size_t>(i)] < 0) return Refuse(L"The skin package is damaged: a file size is negative");
    total += FileSizes[static_cast<size_t>(i)];
  }
  int64_t dataSize = static_cast<int64_t>(expanded.size() - dataStart);
  if (total > dataSize) return Refuse(L"The skin package is damaged: its files run past its data");
  FileData.SetPosition(0);
  FileData.WriteBuffer(expanded.data() + dataStart, static_cast<int32_t>(dataSize));
  return true;
}

template <typename Match>
void TSkinReader::Extract(TMemoryStream& stream, Match matches, std::string* name) const {
  stream.SetSize(0);
  stream.SetPosition(0);
  int64_t offset = 0;
  for (int i = 0; i < FFileCount; ++i) {
    int32_t size = FileSizes[static_cast<size_t>(i)];
    if (matches(FFileNames[static_cast<size_t>(i)])) {
      stream.WriteBuffer(FileData.Memory() + offset, size);
      stream.SetPosition(0);
      if (name) *name = FFileNames[static_cast<size_t>(i)];
      return;
    }
    offset += size;
  }
}

void TSkinReader::ExtractFile(std::string_view name, TMemoryStream& stream) const {
  std::string lower = LowerAscii(name);
  Extract(stream, [&](const std::string& candidate) { return candidate == lower; }, nullptr);
}

void TSkinReader::ExtractFirstContaining(std::string_view text, TMemoryStream& stream, std::string& name) const {
  Extract(stream, [&](const std::string& candidate) { return candidate.find(text) != std::string::npos; }, &name);
}
