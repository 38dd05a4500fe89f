// The BMP decoder: every stored format gives the same pixels, top row first,
// and damaged or oversized files are refused without reading past the buffer
// (the host build runs these under AddressSanitizer).
#include <gtest/gtest.h>

#include <random>

#include "toolkit/BmpBytes.h"
#include "toolkit/core/BmpFile.h"

namespace {

std::vector<uint32_t> Pixels(const BmpBytes& bytes) {
  TDecodedBmp bmp = DecodeBmp(bytes.data(), bytes.size());
  std::vector<uint32_t> pixels;
  for (size_t i = 0; i + 2 < bmp.Pixels.size(); i += 3)
    pixels.push_back(uint32_t(bmp.Pixels[i + 2]) << 16 | uint32_t(bmp.Pixels[i + 1]) << 8 | bmp.Pixels[i]);
  EXPECT_EQ(pixels.size(), size_t(bmp.Width) * bmp.Height);
  return pixels;
}

// 3 x 2 at 24 bits: rows of 9 bytes padded to 12, bottom row first.
const BmpBytes kRows24 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0};
const std::vector<uint32_t> kTopFirst24 = {0x0C0B0A, 0x0F0E0D, 0x121110, 0x030201, 0x060504, 0x090807};
constexpr uint32_t kW = 0xFFFFFF;

}  // namespace

TEST(BmpDecode, EachFormatGivesTopFirstPixels) {
  const std::vector<uint32_t> four = {0, 0xFF, 0xFF00, 0xFF0000};
  const std::vector<std::tuple<const char*, TBmpFields, std::vector<uint32_t>>> cases = {
      {"24 bits", {.Width = 3, .Height = 2, .Pixels = kRows24}, kTopFirst24},
      {"top-down, V5 header", {.HeaderSize = 124, .Width = 3, .Height = -2, .Pixels = kRows24},
       {0x030201, 0x060504, 0x090807, 0x0C0B0A, 0x0F0E0D, 0x121110}},
      {"last row unpadded", {.Width = 3, .Height = 2, .Pixels = BmpBytes(kRows24.begin(), kRows24.end() - 3)},
       kTopFirst24},
      {"1 bit", {.Width = 10, .BitCount = 1, .Palette = {0, kW}, .Pixels = {0xB0, 0x40, 0, 0}},
       {kW, 0, kW, kW, 0, 0, 0, 0, 0, kW}},
      {"4 bits, short table",
       {.Width = 3, .BitCount = 4, .ColoursUsed = 3, .Palette = {1, 2, 3}, .Pixels = {0x21, 0x90, 0, 0}}, {3, 2, 0}},
      {"8 bits, core header", {.HeaderSize = 12, .Width = 2, .BitCount = 8, .Palette = {7, 8}, .Pixels = {1, 0, 0, 0}},
       {8, 7}},
      {"5-5-5 widened", {.Width = 3, .BitCount = 16, .Pixels = {0x1F, 0x7C, 0xE0, 0x03, 0x10, 0x42, 0, 0}},
       {0xFF00FF, 0x00FF00, 0x848484}},
      {"5-6-5", {.Width = 2, .BitCount = 16, .Compression = kBmpBitFields, .Masks = {0xF800, 0x07E0, 0x1F},
                 .Pixels = {0x20, 0, 0, 0xF8}},
       {0x000400, 0xFF0000}},
      {"32 bits", {.BitCount = 32, .Pixels = {0x11, 0x22, 0x33, 0x44}}, {0x332211}},
      {"V4 masks", {.HeaderSize = 108, .BitCount = 32, .Compression = kBmpBitFields,
                    .Masks = {0xFF, 0xFF00, 0xFF000000}, .Pixels = {0x11, 0x22, 0x33, 0x44}},
       {0x112244}},
      // Runs, a literal of 3 (padded) cut at the width, end of line, a delta to the top row, end.
      {"RLE8", {.Width = 4, .Height = 3, .BitCount = 8, .Compression = kBmpRle8, .Palette = four,
                .Pixels = {2, 1, 0, 3, 2, 3, 3, 0, 0, 0, 0, 2, 1, 1, 1, 3, 0, 1}},
       {0, 0xFF0000, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF00, 0xFF0000}},
      {"RLE4", {.Width = 7, .BitCount = 4, .Compression = kBmpRle4, .Palette = four,
                .Pixels = {3, 0x12, 0, 3, 0x31, 0x20, 0, 1}},
       {0xFF, 0xFF00, 0xFF, 0xFF0000, 0xFF, 0xFF00, 0}},
      {"RLE cut short", {.Width = 2, .Height = 2, .BitCount = 8, .Compression = kBmpRle8, .Palette = four,
                         .Pixels = {2, 2, 0}},
       {0, 0, 0xFF00, 0xFF00}},
  };
  for (const auto& [name, fields, expected] : cases) EXPECT_EQ(Pixels(MakeBmp(fields)), expected) << name;
}

TEST(BmpDecode, RefusesWhatItCannotDecode) {
  const TBmpFields good{.Width = 3, .Height = 2, .Pixels = kRows24};
  auto with = [&](auto change) {
    TBmpFields fields = good;
    change(fields);
    return MakeBmp(fields);
  };
  BmpBytes notBm = MakeBmp(good), pixelsPastEnd = MakeBmp(good), short24 = MakeBmp(good);
  notBm[1] = 'A';
  pixelsPastEnd[10] = 0xF0;
  short24.resize(short24.size() - 4);
  const std::vector<std::pair<const char*, BmpBytes>> cases = {
      {"not BM", notBm},
      {"pixels past the end", pixelsPastEnd},
      {"a row byte short", short24},
      {"header past the end", BmpBytes(short24.begin(), short24.begin() + 40)},
      {"OS/2 2.x header", with([](TBmpFields& s) { s.HeaderSize = 64; })},
      {"zero width", with([](TBmpFields& s) { s.Width = 0; })},
      {"negative width", with([](TBmpFields& s) { s.Width = -3; })},
      {"zero height", with([](TBmpFields& s) { s.Height = 0; })},
      {"most negative height", with([](TBmpFields& s) { s.Height = INT32_MIN; })},
      {"wider than the limit", with([](TBmpFields& s) { s.Width = kBmpMaxSide + 1; })},
      {"over 64 MiB", with([](TBmpFields& s) { s.Width = 16384, s.Height = 1366; })},
      {"two planes", with([](TBmpFields& s) { s.Planes = 2; })},
      {"2 bits a pixel", with([](TBmpFields& s) { s.BitCount = 2; })},
      {"embedded JPEG", with([](TBmpFields& s) { s.Compression = 4; })},
      {"24-bit bit fields", with([](TBmpFields& s) { s.Compression = kBmpBitFields; })},
      {"RLE8 at 24 bits", with([](TBmpFields& s) { s.Compression = kBmpRle8; })},
      {"top-down RLE", with([](TBmpFields& s) { s.BitCount = 8, s.Compression = kBmpRle8, s.Height = -2; })},
      {"16-bit core", with([](TBmpFields& s) { s.HeaderSize = 12, s.BitCount = 16; })},
      {"colour table past the end", with([](TBmpFields& s) { s.BitCount = 8, s.Pixels.resize(1000); })},
      {"masks past the end", with([](TBmpFields& s) { s.BitCount = 32, s.Compression = kBmpBitFields, s.Pixels = {}; })},
  };
  for (const auto& [name, bytes] : cases) {
    try {
      DecodeBmp(bytes.data(), bytes.size());
      ADD_FAILURE() << name << " was decoded";
    } catch (const EInvalidGraphic& error) {
      EXPECT_EQ(error.Message(), L"Bitmap image is not valid") << name;
    }
  }
  EXPECT_THROW(DecodeBmp(nullptr, 0), EInvalidGraphic);
}

// Every cut and many random damages: a picture of the stated size or the one
// refusal, never a read outside the buffer.
TEST(BmpDecode, DamagedFilesStayInsideTheBuffer) {
  const BmpBytes rle = {3, 1, 0, 5, 1, 0, 1, 0, 1, 0, 0, 2, 2, 1, 0, 0, 9, 1, 0, 1};
  const std::vector<BmpBytes> seeds = {
      MakeBmp({.Width = 5, .Height = 4, .BitCount = 8, .Compression = kBmpRle8, .Palette = {1, 2}, .Pixels = rle}),
      MakeBmp({.Width = 5, .Height = 4, .BitCount = 4, .Compression = kBmpRle4, .Palette = {1, 2}, .Pixels = rle}),
      MakeBmp({.Width = 3, .Height = -3, .BitCount = 16, .Compression = kBmpBitFields, .Masks = {0xF800, 0x7E0, 0x1F},
               .Pixels = BmpBytes(24, 0x5A)}),
      MakeBmp({.Width = 3, .Height = 2, .Pixels = kRows24})};
  std::mt19937 random(7);
  int decoded = 0;
  auto check = [&](BmpBytes bytes) {
    bytes.shrink_to_fit();  // so that the sanitizer sees any overread
    try {
      TDecodedBmp bmp = DecodeBmp(bytes.data(), bytes.size());
      ASSERT_EQ(bmp.Pixels.size(), size_t(bmp.Width) * bmp.Height * 3);
      ++decoded;
    } catch (const EInvalidGraphic&) {
    }
  };
  for (const BmpBytes& seed : seeds) {
    for (size_t cut = 0; cut <= seed.size(); ++cut) check(BmpBytes(seed.begin(), seed.begin() + cut));
    for (int round = 0; round < 3000; ++round) {
      BmpBytes damaged = seed;
      for (int hits = 1 + random() % 4; hits > 0; --hits) damaged[random() % damaged.size()] = uint8_t(random());
      check(damaged);
    }
  }
  EXPECT_GT(decoded, 1000) << "most damage to pixel bytes still decodes";
}
