#include "skin/package/Lzh.h"

#include <cstring>
#include <memory>
#include <new>

#include "skin/package/LzhTree.h"

const wchar_t* const kLzhNoMemory = L"LZH : Cannot get memory for dictionary tables";

using namespace lzh;

struct TLZH::TTables {
  // N + F - 1 bytes, as the format's own decoder allocates; the bytes past the
  // initial spaces start as zeros so that every decode is deterministic.
  uint8_t Ring[kRingSize + kLongestMatch - 1];
  TLzhTree Tree;
};

// Bits are taken most significant first; the buffer is refilled one byte at a
// time through the read callback, and input past the end reads as zeros.
class TLZH::TBitInput {
 public:
  TBitInput(TLzhReadBlock read, void* context) : FRead(read), FContext(context) {}

  int Bit() {
    Refill();
    int bit = static_cast<int>(FBuffer >> 31);
    FBuffer <<= 1;
    --FCount;
    return bit;
  }

  int Byte() {
    Refill();
    int byte = static_cast<int>(FBuffer >> 24);
    FBuffer <<= 8;
    FCount -= 8;
    return byte;
  }

 private:
  void Refill() {
    while (FCount <= 8) {
      uint8_t byte = 0;
      if (FRead(FContext, &byte, 1) != 1) byte = 0;
      FBuffer |= uint32_t{byte} << (24 - FCount);
      FCount += 8;
    }
  }

  TLzhReadBlock FRead;
  void* FContext;
  uint32_t FBuffer = 0;  // the top bit is the next bit
  int FCount = 0;
};

namespace {

int DecodeSymbol(TLzhTree& tree, auto& bits) {
  int node = tree.son[kRoot];
  while (node < kNodeCount) node = tree.son[node + bits.Bit()];
  int symbol = node - kNodeCount;
  tree.Update(symbol);
  return symbol;
}

int DecodeDistance(auto& bits) {
  const TDistanceCode& code = DistanceCode();
  int i = bits.Byte();
  int high = code.High[i];
  for (int extra = code.Length[i] - 2; extra > 0; --extra) i = ((i << 1) | bits.Bit()) & 0xFFFF;
  return (high << 6) | (i & 63);
}

}  // namespace

void TLZH::Decode(int32_t count, TLzhWriteBlock write, TLzhReadBlock read) {
  std::unique_ptr<TTables> tables(new (std::nothrow) TTables);
  if (!tables) throw ElzhException(kLzhNoMemory);
  uint8_t* ring = tables->Ring;
  std::memset(ring, ' ', kInitialFill);
  std::memset(ring + kInitialFill, 0, sizeof tables->Ring - kInitialFill);
  tables->Tree.Start();
  TBitInput bits(read, FInput);
  int r = kInitialFill;
  for (int32_t produced = 0; produced < count;) {
    int symbol = DecodeSymbol(tables->Tree, bits);
    if (symbol < kFirstMatchSymbol) {
      uint8_t byte = static_cast<uint8_t>(symbol);
      write(FOutput, &byte, 1);
      ring[r] = byte;
      r = (r + 1) & (kRingSize - 1);
      ++produced;
      continue;
    }
    int from = (r - DecodeDistance(bits) - 1) & (kRingSize - 1);
    int length = symbol - kMatchBias;
    for (int k = 0; k < length; ++k) {
      uint8_t byte = ring[(from + k) & (kRingSize - 1)];
      write(FOutput, &byte, 1);
      ring[r] = byte;
      r = (r + 1) & (kRingSize - 1);
    }
    produced += length;
  }
}
