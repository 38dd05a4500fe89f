#include "tools/skinpack/LzhEncoder.h"

#include <algorithm>
#include <array>
#include <memory>

#include "skin/package/LzhTree.h"

using namespace lzh;

namespace {

struct TMatch {
  int Length = 0;
  int Distance = 0;  // the offset back minus one, as the format codes it
};

// Finds the longest and, among equally long ones, the nearest match in the
// 4096 bytes before a position. The data is searched behind what the decoder's
// ring holds at the start: 60 bytes the format leaves unset (never matched
// here), then 4036 spaces. Matches may overlap the bytes they produce.
class TMatchFinder {
 public:
  explicit TMatchFinder(std::span<const uint8_t> data) : FText(kRingSize + data.size()), FPrevious(FText.size(), -1) {
    std::fill(FText.begin() + kLongestMatch, FText.begin() + kRingSize, ' ');
    std::copy(data.begin(), data.end(), FText.begin() + kRingSize);
    FHead.fill(-1);
    FInserted = kLongestMatch;
  }

  TMatch Longest(size_t position) {
    size_t at = position + kRingSize;
    InsertBefore(at);
    int longest = static_cast<int>(std::min<size_t>(kLongestMatch, FText.size() - at));
    TMatch best;
    if (longest <= kThreshold) return best;
    for (int32_t q = FHead[Hash(at)]; q >= 0 && at - static_cast<size_t>(q) <= kRingSize; q = FPrevious[q]) {
      const uint8_t* candidate = &FText[static_cast<size_t>(q)];
      const uint8_t* here = &FText[at];
      if (candidate[best.Length] != here[best.Length]) continue;
      int length = 0;
      while (length < longest && candidate[length] == here[length]) ++length;
      if (length > best.Length) best = {length, static_cast<int>(at - static_cast<size_t>(q)) - 1};
      if (length == longest) break;
    }
    if (best.Length <= kThreshold) best = {};
    return best;
  }

 private:
  static constexpr int kHashBits = 15;

  uint32_t Hash(size_t at) const {
    uint32_t key = (uint32_t{FText[at]} << 16) | (uint32_t{FText[at + 1]} << 8) | FText[at + 2];
    return (key * 2654435761u) >> (32 - kHashBits);
  }

  void InsertBefore(size_t at) {
    for (; FInserted < at; ++FInserted) {
      if (FInserted + 2 >= FText.size()) continue;
      uint32_t h = Hash(FInserted);
      FPrevious[FInserted] = FHead[h];
      FHead[h] = static_cast<int32_t>(FInserted);
    }
  }

  std::vector<uint8_t> FText;
  std::vector<int32_t> FPrevious;
  std::array<int32_t, 1 << kHashBits> FHead;
  size_t FInserted;
};

class TBitWriter {
 public:
  void Put(uint32_t bits, int count) {
    for (int k = count - 1; k >= 0; --k) {
      FByte = static_cast<uint8_t>((FByte << 1) | ((bits >> k) & 1));
      if (++FCount == 8) Flush();
    }
  }
  std::vector<uint8_t> Finish() {
    if (FCount > 0) {
      FByte = static_cast<uint8_t>(FByte << (8 - FCount));
      Flush();
    }
    return std::move(FBytes);
  }

 private:
  void Flush() {
    FBytes.push_back(FByte);
    FByte = 0;
    FCount = 0;
  }
  std::vector<uint8_t> FBytes;
  uint8_t FByte = 0;
  int FCount = 0;
};

// The symbol coder: the adaptive tree in the same state the decoder's will be in.
class TSymbolCoder {
 public:
  TSymbolCoder() : FTree(std::make_unique<TLzhTree>()) { FTree->Start(); }

  void PutSymbol(TBitWriter& out, int symbol) {
    std::array<uint8_t, kNodeCount> path;
    int depth = 0;
    for (int node = FTree->parent[symbol + kNodeCount]; node != kRoot; node = FTree->parent[node])
      path[static_cast<size_t>(depth++)] = static_cast<uint8_t>(node - FTree->son[FTree->parent[node]]);
    while (depth > 0) out.Put(path[static_cast<size_t>(--depth)], 1);
    FTree->Update(symbol);
  }

  static void PutDistance(TBitWriter& out, int distance) {
    const TDistanceCode& code = DistanceCode();
    int high = distance >> 6;
    int length = code.ValueLength[static_cast<size_t>(high)];
    out.Put(static_cast<uint32_t>(code.FirstIndex[static_cast<size_t>(high)] >> (8 - length)), length);
    out.Put(static_cast<uint32_t>(distance & 63), 6);
  }

  // Bits the symbol would take now.
  int SymbolBits(int symbol) const {
    int depth = 0;
    for (int node = FTree->parent[symbol + kNodeCount]; node != kRoot; node = FTree->parent[node]) ++depth;
    return depth;
  }

  static int DistanceBits(int distance) { return DistanceCode().ValueLength[static_cast<size_t>(distance >> 6)] + 6; }

 private:
  std::unique_ptr<TLzhTree> FTree;
};

// Short matches far back can cost more than their bytes as literals.
bool LiteralsAreCheaper(const TSymbolCoder& coder, std::span<const uint8_t> bytes, const TMatch& match) {
  constexpr int kLongestWorthChecking = 6;
  if (match.Length > kLongestWorthChecking) return false;
  int matchBits = coder.SymbolBits(match.Length + kMatchBias) + TSymbolCoder::DistanceBits(match.Distance);
  int literalBits = 0;
  for (int k = 0; k < match.Length; ++k) literalBits += coder.SymbolBits(bytes[static_cast<size_t>(k)]);
  return literalBits < matchBits;
}

}  // namespace

std::vector<uint8_t> TLzhEncoder::Encode(std::span<const uint8_t> data) const {
  TMatchFinder finder(data);
  TSymbolCoder coder;
  TBitWriter out;
  bool lazy = FPolicy == TMatchPolicy::mpLazy;
  auto longestAt = [&](size_t p) { return p < data.size() ? finder.Longest(p) : TMatch{}; };
  TMatch match = longestAt(0);
  for (size_t p = 0; p < data.size();) {
    TMatch next;
    bool literal = match.Length == 0;
    if (lazy && !literal) {
      next = longestAt(p + 1);
      literal = next.Length > match.Length || LiteralsAreCheaper(coder, data.subspan(p), match);
    }
    if (literal) {
      coder.PutSymbol(out, data[p]);
      match = lazy && match.Length > 0 ? next : longestAt(p + 1);
      ++p;
      continue;
    }
    coder.PutSymbol(out, match.Length + kMatchBias);
    TSymbolCoder::PutDistance(out, match.Distance);
    p += static_cast<size_t>(match.Length);
    match = longestAt(p);
  }
  return out.Finish();
}

std::vector<uint8_t> CompressWithCount(std::span<const uint8_t> data, TMatchPolicy policy) {
  auto count = static_cast<uint32_t>(data.size());
  std::vector<uint8_t> bytes{static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8),
                             static_cast<uint8_t>(count >> 16), static_cast<uint8_t>(count >> 24)};
  std::vector<uint8_t> stream = TLzhEncoder(policy).Encode(data);
  bytes.insert(bytes.end(), stream.begin(), stream.end());
  return bytes;
}
