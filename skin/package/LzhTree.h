// The adaptive Huffman tree and the fixed distance code of the LZH format,
// shared by the decoder and the project's own encoder so both stay in step.
#pragma once

#include <array>
#include <cstdint>

namespace lzh {

constexpr int kRingSize = 4096;                        // N
constexpr int kLongestMatch = 60;                      // F
constexpr int kThreshold = 2;                          // a match copies at least 3 bytes
constexpr int kSymbolCount = 256 + kLongestMatch - kThreshold;  // 314
constexpr int kNodeCount = 2 * kSymbolCount - 1;       // T = 627
constexpr int kRoot = kNodeCount - 1;                  // R = 626
constexpr uint16_t kFrequencyLimit = 0x8000;
constexpr int kInitialFill = kRingSize - kLongestMatch;  // 4036 spaces
constexpr int kFirstMatchSymbol = 256;
// A match symbol's length is symbol - kMatchBias (3 to 60).
constexpr int kMatchBias = 256 - kThreshold - 1;

// The node tables of one coding run. son is one entry longer than the format
// needs so that a descent from a damaged tree can never index past it.
struct TLzhTree {
  std::array<uint16_t, kNodeCount + 1> freq;    // plus the sentinel at kNodeCount
  std::array<int16_t, kNodeCount + 1> son;
  std::array<int16_t, kNodeCount + kSymbolCount> parent;  // nodes, then symbol leaves

  void Start();
  // Counts one occurrence of symbol, keeping the sibling order; rebuilds with
  // halved counts first when the root has reached the frequency limit. Inline:
  // it runs once per coded symbol.
  void Update(int symbol) {
    if (freq[kRoot] == kFrequencyLimit) Rebuild();
    int node = parent[symbol + kNodeCount];
    do {
      uint16_t count = ++freq[node];
      // The sentinel (0xFFFF) stops the scan, and a count can never exceed it.
      if (count > freq[node + 1]) SwapWithHighestSmaller(node, count);
      node = parent[node];
    } while (node != 0);
  }

 private:
  void Rebuild();
  void SwapWithHighestSmaller(int& node, uint16_t count);
};

// The prefix code of a distance's high six bits: indexed by the next eight
// input bits, it gives the value and its code length (3 to 8 bits).
struct TDistanceCode {
  std::array<uint8_t, 256> High;
  std::array<uint8_t, 256> Length;
  std::array<uint8_t, 64> FirstIndex;  // the first lookup index of each value
  std::array<uint8_t, 64> ValueLength;
};

const TDistanceCode& DistanceCode();

}  // namespace lzh
