// Fuzz target: the package reader on arbitrary compressed packages, then every
// lookup it offers. Counts above 64 KiB are skipped: decoding zero bits up to
// the reader's own limit only costs time, and the refusal is tested directly.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "skin/package/SkinReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int32_t count = 0;
  std::memcpy(&count, data, size < 4 ? size : 4);
  if (count > (1 << 16)) return 0;
  TMemoryStream package;
  package.WriteBuffer(data, static_cast<int32_t>(size));
  TSkinReader reader;
  reader.SetOnOlderPackage(nullptr);
  if (!reader.ReadPackage(package)) return 0;
  TMemoryStream file;
  std::string name;
  for (const std::string& stored : reader.FileNames()) reader.ExtractFile(stored, file);
  reader.ExtractFirstContaining(".ini", file, name);
  reader.ExtractFile("NO-SUCH-FILE.BMP", file);
  return 0;
}
