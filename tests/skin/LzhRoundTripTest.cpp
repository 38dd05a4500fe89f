#include <gtest/gtest.h>

#include <string>

#include "SkinTestData.h"

namespace {

struct TCase {
  const char* Name;
  Bytes Data;
};

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes TextBytes() {
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "[Button" + std::to_string(i % 17) + "]\r\nImage=btn" + std::to_string(i * 7 % 31) + ".bmp\r\nTrans=1\r\n";
  return Bytes(text.begin(), text.end());
}

std::vector<TCase> Cases() {
  Bytes block = RandomBytes(4000, 5);
  return {
      {"empty", {}},
      {"one byte", {0x42}},
      {"one space", {' '}},
      {"long run", Bytes(100000, 0xAB)},
      {"run of spaces", Bytes(5000, ' ')},
      {"random", RandomBytes(20000, 1)},
      {"small alphabet", RandomBytes(30000, 2, 3)},
      {"text", TextBytes()},
      {"bitmap", MakeBmp(96, 64, 7)},
      {"far matches", Concat({block, RandomBytes(90, 6), block})},
      {"rebuilds the tree", RandomBytes(70000, 8)},
  };
}

}  // namespace

TEST(LzhRoundTrip, EncoderAndDecoderAgreeOnVariedDataUnderBothPolicies) {
  for (const TCase& c : Cases()) {
    for (TMatchPolicy policy : {TMatchPolicy::mpLazy, TMatchPolicy::mpGreedy}) {
      Bytes stream = TLzhEncoder(policy).Encode(c.Data);
      EXPECT_EQ(Decoded(stream, static_cast<int32_t>(c.Data.size())), c.Data)
          << c.Name << (policy == TMatchPolicy::mpLazy ? " lazy" : " greedy");
    }
  }
}

TEST(LzhRoundTrip, MatchesReachTheWholeRingAndNoFurther) {
  for (size_t gap : {4096u - 4000u, 4097u - 4000u}) {
    Bytes block = RandomBytes(4000, 9);
    Bytes data = Concat({block, RandomBytes(gap, 10), block});
    Bytes stream = TLzhEncoder().Encode(data);
    EXPECT_EQ(Decoded(stream, static_cast<int32_t>(data.size())), data);
    // Random bytes cost about a byte each as literals; the repeat is nearly free
    // only while it lies within 4096 bytes.
    bool reachable = 4000 + gap <= 4096;
    EXPECT_EQ(stream.size() < 4000 + gap + 1000, reachable) << "offset " << 4000 + gap;
  }
}

TEST(LzhRoundTrip, CompressedSizesAreCloseToTheFormatsBest) {
  Bytes runs(100000, 0xAB);
  EXPECT_LT(TLzhEncoder().Encode(runs).size(), 100000u / 60 * 2) << "about one byte or two per 60-byte match";
  Bytes bitmap = MakeBmp(96, 64, 7);
  size_t lazy = TLzhEncoder(TMatchPolicy::mpLazy).Encode(bitmap).size();
  size_t greedy = TLzhEncoder(TMatchPolicy::mpGreedy).Encode(bitmap).size();
  EXPECT_LE(lazy, greedy);
  EXPECT_LT(lazy, bitmap.size() / 2);
}

TEST(LzhRoundTrip, CountPrefixIsLittleEndian) {
  Bytes data(0x010203, 'x');
  Bytes package = CompressWithCount(data);
  EXPECT_EQ(Bytes(package.begin(), package.begin() + 4), (Bytes{0x03, 0x02, 0x01, 0x00}));
}
