#include "skin/package/LzhTree.h"

namespace lzh {

void TLzhTree::Start() {
  for (int s = 0; s < kSymbolCount; ++s) {
    freq[s] = 1;
    son[s] = static_cast<int16_t>(s + kNodeCount);
    parent[s + kNodeCount] = static_cast<int16_t>(s);
  }
  for (int i = 0, j = kSymbolCount; j <= kRoot; i += 2, ++j) {
    freq[j] = static_cast<uint16_t>(freq[i] + freq[i + 1]);
    son[j] = static_cast<int16_t>(i);
    parent[i] = parent[i + 1] = static_cast<int16_t>(j);
  }
  freq[kNodeCount] = 0xFFFF;
  son[kNodeCount] = 0;
  parent[kRoot] = 0;
}

void TLzhTree::SwapWithHighestSmaller(int& node, uint16_t count) {
  int l = node + 1;
  while (count > freq[l + 1]) ++l;
  freq[node] = freq[l];
  freq[l] = count;
  int i = son[node];
  parent[i] = static_cast<int16_t>(l);
  if (i < kNodeCount) parent[i + 1] = static_cast<int16_t>(l);
  int j = son[l];
  son[l] = static_cast<int16_t>(i);
  parent[j] = static_cast<int16_t>(node);
  if (j < kNodeCount) parent[j + 1] = static_cast<int16_t>(node);
  son[node] = static_cast<int16_t>(j);
  node = l;
}

void TLzhTree::Rebuild() {
  int next = 0;
  for (int j = 0; j < kNodeCount; ++j) {
    if (son[j] < kNodeCount) continue;
    freq[next] = static_cast<uint16_t>((freq[j] + 1) / 2);
    son[next] = son[j];
    ++next;
  }
  for (int i = 0, j = kSymbolCount; j < kNodeCount; i += 2, ++j) {
    uint16_t f = static_cast<uint16_t>(freq[i] + freq[i + 1]);
    // A damaged stream cannot unsort the counts, but the scan is bounded anyway.
    int k = j - 1;
    while (k >= 0 && f < freq[k]) --k;
    ++k;
    for (int m = j; m > k; --m) {
      freq[m] = freq[m - 1];
      son[m] = son[m - 1];
    }
    freq[k] = f;
    son[k] = static_cast<int16_t>(i);
  }
  for (int k = 0; k < kNodeCount; ++k) {
    int i = son[k];
    parent[i] = static_cast<int16_t>(k);
    if (i < kNodeCount) parent[i + 1] = static_cast<int16_t>(k);
  }
}

namespace {

TDistanceCode MakeDistanceCode() {
  // How many of the 64 values have each code length, shortest first.
  constexpr int kValuesPerLength[][2] = {{3, 1}, {4, 3}, {5, 8}, {6, 12}, {7, 24}, {8, 16}};
  TDistanceCode code{};
  int index = 0, value = 0;
  for (const auto& [length, values] : kValuesPerLength) {
    for (int v = 0; v < values; ++v, ++value) {
      code.FirstIndex[value] = static_cast<uint8_t>(index);
      code.ValueLength[value] = static_cast<uint8_t>(length);
      for (int k = 0; k < (1 << (8 - length)); ++k, ++index) {
        code.High[index] = static_cast<uint8_t>(value);
        code.Length[index] = static_cast<uint8_t>(length);
      }
    }
  }
  return code;
}

}  // namespace

const TDistanceCode& DistanceCode() {
  static const TDistanceCode code = MakeDistanceCode();
  return code;
}

}  // namespace lzh
