// Opens a compressed skin package: expands it, checks its format marker, and
// hands out the files it holds by name. Names are the package's ANSI bytes,
// lower-cased in their ASCII letters, so lookups are case-blind for A to Z.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/MemoryStream.h"

extern const wchar_t* const kOlderSkinFileMessage;

// Shows the older-format message to the user: a modal message box on
// Windows, a line on standard error elsewhere.
void ShowOlderSkinNotice(const std::wstring& message);

class TSkinReader {
 public:
  static constexpr int32_t kFormatMarker = 20000;
  static constexpr int kMaxFiles = 1001;
  // Real skins expand to a few hundred KiB; a package claiming more than this is
  // refused before anything of its size is allocated.
  static constexpr int32_t kMaxExpandedSize = 64 * 1024 * 1024;

  using TNoticeEvent = std::function<void(const std::wstring& message)>;

  TSkinReader();

  // What readers made from now on do with the older-format message (at first
  // ShowOlderSkinNotice). Command-line tools send it to standard error: a
  // message box would wait for a person who is not there.
  static void SetDefaultOlderPackageNotice(TNoticeEvent notice);

  // True when the package was loaded. False for a package of another format
  // marker (after OnOlderPackage has shown the message) and for a damaged one;
  // RefusalReason then says why, and the reader holds no files. Expansion
  // stops as soon as the header shows another marker, so a package that merely
  // claims a large size costs nothing to refuse.
  bool ReadPackage(TMemoryStream& package);

  // Empties stream, then fills it with the first file of that name (compared
  // after lower-casing) and rewinds it.
  void ExtractFile(std::string_view name, TMemoryStream& stream) const;
  // Empties stream, then fills it with the first file whose name contains text
  // (which is not lower-cased) and gives that name; no match leaves name as it was.
  void ExtractFirstContaining(std::string_view text, TMemoryStream& stream, std::string& name) const;

  const std::vector<std::string>& FileNames() const { return FFileNames; }
  int32_t FileCount() const { return FFileCount; }
  const std::wstring& RefusalReason() const { return FRefusalReason; }

  const TNoticeEvent& OnOlderPackage() const { return FOnOlderPackage; }
  void SetOnOlderPackage(TNoticeEvent handler) { FOnOlderPackage = std::move(handler); }

 private:
  struct THeader {
    int32_t Marker = 0;
    int32_t NameTableLength = 0;
    int32_t Reserved1 = 0;
    int32_t Reserved2 = 0;
  };

  void Clear();
  bool Refuse(std::wstring reason);
  bool LoadExpanded(const std::vector<uint8_t>& expanded);
  bool ReadSizes(const std::vector<uint8_t>& expanded, size_t at);
  template <typename Match>
  void Extract(TMemoryStream& stream, Match matches, std::string* name) const;

  std::vector<std::string> FFileNames;
  int32_t FFileCount = 0;
  std::array<int32_t, kMaxFiles> FileSizes{};
  TMemoryStream FileData;
  THeader Header;
  std::wstring FRefusalReason;
  TNoticeEvent FOnOlderPackage;
};

// The ASCII letters A to Z lowered, every other byte kept.
std::string LowerAscii(std::string_view text);
// The lines of a name table: CR LF, a lone CR or a lone LF ends a line, a final
// line break adds no empty name, and a zero byte ends the table.
std::vector<std::string> SplitNameTable(std::string_view table);
