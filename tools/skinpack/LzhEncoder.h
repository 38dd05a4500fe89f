// The project's encoder for the LZH format that the skin engine expands: same
// constants, tree updates and distance code as the decoder. Only the tools and
// tests link it; the program only decodes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

enum class TMatchPolicy {
  // Every longest match of 3 bytes or more, as the classic encoder chooses.
  mpGreedy,
  // A match is put off by one byte when the next one is longer, and a short
  // match is coded as literals when those are cheaper under the current tree.
  mpLazy,
};

class TLzhEncoder {
 public:
  explicit TLzhEncoder(TMatchPolicy policy = TMatchPolicy::mpLazy) : FPolicy(policy) {}

  // The bitstream alone, without the count of decoded bytes.
  std::vector<uint8_t> Encode(std::span<const uint8_t> data) const;

 private:
  TMatchPolicy FPolicy;
};

// The compressed form a skin package stores: the 4-byte little-endian count
// of decoded bytes, then the bitstream.
std::vector<uint8_t> CompressWithCount(std::span<const uint8_t> data, TMatchPolicy policy = TMatchPolicy::mpLazy);
