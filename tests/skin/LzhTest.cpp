#include <gtest/gtest.h>

#include <stdexcept>

#include "SkinTestData.h"
#include "skin/package/LzhTree.h"

using namespace lzh;

namespace {

// Writes hand-made bitstreams: symbol codes as the decoder's tree gives them
// at each step (the tree is updated as the decoder will update it), distances
// by the fixed code. Independent of the encoder under test.
class THandStream {
 public:
  THandStream() { FTree.Start(); }

  THandStream& Literal(uint8_t byte) { return Symbol(byte); }
  THandStream& Match(int length, int distance) {
    Symbol(length + kMatchBias);
    const TDistanceCode& code = DistanceCode();
    int high = distance >> 6;
    int bits = code.ValueLength[static_cast<size_t>(high)];
    Put(code.FirstIndex[static_cast<size_t>(high)] >> (8 - bits), bits);
    Put(distance & 63, 6);
    return *this;
  }
  Bytes Finish() const {
    Bytes out((FBits.size() + 7) / 8, 0);
    for (size_t i = 0; i < FBits.size(); ++i) out[i / 8] |= static_cast<uint8_t>(FBits[i] << (7 - i % 8));
    return out;
  }

 private:
  THandStream& Symbol(int symbol) {
    std::vector<int> path;
    for (int node = FTree.parent[symbol + kNodeCount]; node != kRoot; node = FTree.parent[node])
      path.push_back(node == FTree.son[FTree.parent[node]] ? 0 : 1);
    FBits.insert(FBits.end(), path.rbegin(), path.rend());
    FTree.Update(symbol);
    return *this;
  }
  void Put(int value, int count) {
    for (int k = count - 1; k >= 0; --k) FBits.push_back((value >> k) & 1);
  }

  TLzhTree FTree;
  std::vector<int> FBits;
};

struct TCountingInput {
  int Reads = 0;
  static uint16_t Read(void* context, void*, uint16_t) {
    ++static_cast<TCountingInput*>(context)->Reads;
    return 0;
  }
};

uint16_t RaisingWrite(void*, const void*, uint16_t) { throw std::runtime_error("disk full"); }

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

TEST(LzhDecode, CountZeroReadsAndWritesNothing) {
  TCountingInput input;
  TMemoryStream output;
  TLZH(&input, &output).Decode(0, WriteToMemory, TCountingInput::Read);
  EXPECT_EQ(input.Reads, 0);
  EXPECT_EQ(output.Size(), 0);
}

TEST(LzhDecode, LiteralsThenAnOverlappingMatchRepeatThePattern) {
  Bytes stream = THandStream().Literal('a').Literal('b').Match(7, 1).Literal('!').Finish();
  EXPECT_EQ(Text(Decoded(stream, 10)), "abababab" "a!");
}

TEST(LzhDecode, FirstMatchesCopyTheInitialSpacesAndTheUnsetRingReadsAsZeros) {
  EXPECT_EQ(Text(Decoded(THandStream().Match(5, 100).Finish(), 5)), "     ");
  // The nearest 4036 positions back hold spaces; the 60 beyond them are set
  // by no one, and read as zeros rather than as whatever memory held.
  EXPECT_EQ(Text(Decoded(THandStream().Match(3, 4035).Finish(), 3)), "   ");
  EXPECT_EQ(Decoded(THandStream().Match(4, 4039).Finish(), 4), (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(Decoded(THandStream().Match(3, 4036).Finish(), 3), (Bytes{0, ' ', ' '})) << "the ring wraps to its start";
  EXPECT_EQ(Decoded(THandStream().Literal('x').Match(3, 4095).Finish(), 4), (Bytes{'x', 0, 0, 0}));
}

TEST(LzhDecode, DistanceCodesOfEveryLengthAreRead) {
  // One match per distance class, each copying a marker placed that far back.
  for (int distance : {0, 63, 64, 255, 256, 767, 768, 1535, 1536, 3071, 3072, 4095}) {
    Bytes data = RandomBytes(static_cast<size_t>(distance) + 1, static_cast<uint32_t>(distance));
    THandStream hand;
    for (uint8_t b : data) hand.Literal(b);
    hand.Match(3, distance);
    Bytes out = Decoded(hand.Finish(), static_cast<int32_t>(data.size()) + 3);
    ASSERT_EQ(out.size(), data.size() + 3);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), out.begin()));
    for (size_t k = data.size(); k < out.size(); ++k)
      EXPECT_EQ(out[k], out[k - static_cast<size_t>(distance) - 1]) << "distance " << distance;
  }
}

TEST(LzhDecode, AMatchIsCopiedWholeEvenPastTheCount) {
  Bytes out = Decoded(THandStream().Literal('z').Match(60, 0).Finish(), 2);
  EXPECT_EQ(out, Bytes(61, 'z'));
}

TEST(LzhDecode, TruncatedStreamStillGivesTheCountWithTheIntactPartRight) {
  Bytes data = MakeBmp(40, 30, 3);
  Bytes stream = TLzhEncoder().Encode(data);
  Bytes half(stream.begin(), stream.begin() + static_cast<long>(stream.size() / 2));
  Bytes out = Decoded(half, static_cast<int32_t>(data.size()));
  ASSERT_GE(out.size(), data.size());
  EXPECT_LE(out.size(), data.size() + 59);
  size_t same = static_cast<size_t>(std::mismatch(out.begin(), out.end(), data.begin()).first - out.begin());
  EXPECT_GT(same, data.size() / 4) << "the bytes before the cut decode as before";
  EXPECT_GE(Decoded({}, 500).size(), 500u) << "no input at all decodes zero bits";
}

TEST(LzhDecode, ACallbackErrorPassesThrough) {
  Bytes stream = THandStream().Literal('q').Finish();
  TMemoryStream input;
  Load(input, stream);
  input.SetPosition(0);
  EXPECT_THROW(TLZH(&input, nullptr).Decode(1, RaisingWrite, ReadFromMemory), std::runtime_error);
}

TEST(LzhTree, RootReachingTheLimitRebuildsWithHalvedCountsOnTheNextUpdate) {
  TLzhTree tree;
  tree.Start();
  EXPECT_EQ(tree.freq[kRoot], kSymbolCount);
  for (int k = 0; k < 0x8000 - kSymbolCount; ++k) tree.Update(0);
  EXPECT_EQ(tree.freq[kRoot], 0x8000) << "no rebuild before the limit";
  tree.Update(5);
  int symbol0 = (0x8000 - kSymbolCount + 1 + 1) / 2;
  EXPECT_EQ(tree.freq[kRoot], symbol0 + (kSymbolCount - 1) + 1);
  EXPECT_EQ(tree.freq[tree.parent[kNodeCount]], symbol0);
  EXPECT_EQ(tree.freq[tree.parent[kNodeCount + 5]], 2);
  for (int n = 0; n + 1 < kNodeCount; ++n) ASSERT_LE(tree.freq[n], tree.freq[n + 1]) << "sibling order at " << n;
}

TEST(LzhTree, EveryLeafHasOneUniquePathAfterManyUpdates) {
  TLzhTree tree;
  tree.Start();
  Bytes symbols = RandomBytes(70000, 11);
  for (size_t i = 0; i < symbols.size(); ++i) tree.Update(i % 7 == 0 ? 256 + symbols[i] % 58 : symbols[i] % 64);
  for (int s = 0; s < kSymbolCount; ++s) {
    int node = s + kNodeCount, depth = 0;
    while (node != kRoot && depth < kNodeCount) {
      int up = tree.parent[node];
      ASSERT_TRUE(tree.son[up] == node || tree.son[up] + 1 == node) << "symbol " << s;
      node = up;
      ++depth;
    }
    EXPECT_EQ(node, kRoot) << "symbol " << s;
  }
}
