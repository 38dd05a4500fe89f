// Decoding speed of the LZH codec against memcpy and zlib's inflate, and the
// compression ratio of our encoder against the classic greedy matching and
// zlib level 9, on a sample skin package and on a few MiB of mixed data.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "skin/package/Lzh.h"
#include "skin/package/SkinReader.h"
#include "toolkit/core/MemoryStream.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SampleSkin.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr double kMinSeconds = 0.5;

uint16_t ReadStream(void* context, void* buffer, uint16_t count) {
  return static_cast<uint16_t>(static_cast<TMemoryStream*>(context)->Read(buffer, count));
}

uint16_t WriteStream(void* context, const void* buffer, uint16_t count) {
  static_cast<TMemoryStream*>(context)->WriteBuffer(buffer, count);
  return count;
}

// Runs step until kMinSeconds have passed; the best MB/s of output per run.
template <typename Step>
double MegabytesPerSecond(size_t outputBytes, Step step) {
  double best = 0, total = 0;
  while (total < kMinSeconds) {
    auto start = std::chrono::steady_clock::now();
    step();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    total += seconds;
    best = std::max(best, static_cast<double>(outputBytes) / 1e6 / seconds);
  }
  return best;
}

Bytes MixedData() {
  std::mt19937 random(42);
  Bytes out;
  std::string text;
  for (int i = 0; text.size() < (1u << 20); ++i)
    text += "[Control" + std::to_string(i % 97) + "]\r\nImage=ctl" + std::to_string(random() % 500) +
            ".bmp\r\nFrames=" + std::to_string(random() % 6) + "\r\nColor=" + std::to_string(random() % 16777216) + "\r\n";
  out.insert(out.end(), text.begin(), text.end());
  for (uint32_t seed = 0; out.size() < (3u << 20); ++seed) {
    Bytes bmp = MakeBmp(64 + static_cast<int>(random() % 300), 16 + static_cast<int>(random() % 100), seed);
    out.insert(out.end(), bmp.begin(), bmp.end());
  }
  for (int i = 0; i < (1 << 19); ++i) out.push_back(static_cast<uint8_t>(random()));
  return out;
}

void Measure(const char* name, const Bytes& data, std::string& summary) {
  Bytes ours = TLzhEncoder(TMatchPolicy::mpLazy).Encode(data);
  Bytes classic = TLzhEncoder(TMatchPolicy::mpGreedy).Encode(data);
  uLongf zlibSize = compressBound(data.size());
  Bytes zlibbed(zlibSize);
  compress2(zlibbed.data(), &zlibSize, data.data(), data.size(), 9);
  zlibbed.resize(zlibSize);

  TMemoryStream input, output;
  input.WriteBuffer(ours.data(), static_cast<int32_t>(ours.size()));
  double lzh = MegabytesPerSecond(data.size(), [&] {
    input.SetPosition(0);
    output.SetSize(0);
    TLZH(&input, &output).Decode(static_cast<int32_t>(data.size()), WriteStream, ReadStream);
  });
  if (output.Bytes() != data) std::printf("%s: DECODED BYTES DIFFER\n", name);
  Bytes copy(data.size());
  double memcpySpeed = MegabytesPerSecond(data.size(), [&] {
    std::memcpy(copy.data(), data.data(), data.size());
    asm volatile("" : : "r"(copy.data()) : "memory");
  });
  double inflateSpeed = MegabytesPerSecond(data.size(), [&] {
    uLongf size = copy.size();
    uncompress(copy.data(), &size, zlibbed.data(), zlibbed.size());
  });
  auto ratio = [&](const Bytes& packed) { return static_cast<double>(data.size()) / static_cast<double>(packed.size()); };
  std::printf("%-6s %9zu bytes  decode: lzh %7.1f MB/s  memcpy %8.1f MB/s  zlib inflate %7.1f MB/s\n", name,
              data.size(), lzh, memcpySpeed, inflateSpeed);
  std::printf("%-6s compressed: ours %zu (ratio %.3f)  classic greedy %zu (%.3f)  zlib -9 %zu (%.3f)\n", name,
              ours.size(), ratio(ours), classic.size(), ratio(classic), static_cast<size_t>(zlibSize), ratio(zlibbed));
  char line[256];
  std::snprintf(line, sizeof line, " %s_decode_mbps=%.1f %s_memcpy_mbps=%.0f %s_inflate_mbps=%.1f %s_ratio=%.3f %s_classic_ratio=%.3f %s_zlib9_ratio=%.3f",
                name, lzh, name, memcpySpeed, name, inflateSpeed, name, ratio(ours), name, ratio(classic), name,
                ratio(zlibbed));
  summary += line;
}

}  // namespace

int main() {
  std::string summary = "lzh:";
  Measure("skin", ExpandedPackage(SampleSkinFiles()), summary);
  Measure("mixed", MixedData(), summary);
  std::printf("%s\n", summary.c_str());
  return 0;
}
