// Writes 256 MiB of sound in 4 KiB blocks through TWaveFileStream and through a
// plain TFileStream, alternating three rounds of each, and prints the best
// throughput of each and their ratio: the wave layer should cost almost nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "toolkit/core/Utf8.h"
#include "toolkit/platform/FileStream.h"
#include "wave/WaveFileStream.h"

namespace {

constexpr int32_t kBlock = 4096;
constexpr int64_t kTotal = 256LL << 20;
constexpr int kRounds = 3;

template <typename Stream>
double MibPerSecond(Stream& stream) {
  std::vector<uint8_t> block(kBlock);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 31);
  auto start = std::chrono::steady_clock::now();
  for (int64_t written = 0; written < kTotal; written += kBlock) stream.WriteBuffer(block.data(), kBlock);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return static_cast<double>(kTotal >> 20) / seconds;
}

double WaveRound(const std::wstring& path) {
  TWaveFileStream wave(path, fmCreate);
  wave.SetPcmFormat(44100, 16, 2);
  wave.OpenForWriting();
  double speed = MibPerSecond(wave);
  wave.CompleteHeader();
  return speed;
}

double FileRound(const std::wstring& path) {
  TFileStream file(path, fmCreate);
  return MibPerSecond(file);
}

}  // namespace

int main() {
  auto dir = std::filesystem::temp_directory_path();
  std::wstring path = (dir / "quill-bench-wave.wav").wstring();
  double bestWave = 0, bestFile = 0;
  for (int round = 1; round <= kRounds; ++round) {
    double wave = WaveRound(path);
    double file = FileRound(path);
    std::printf("round %d: TWaveFileStream %.1f MiB/s, TFileStream %.1f MiB/s\n", round, wave, file);
    bestWave = std::max(bestWave, wave);
    bestFile = std::max(bestFile, file);
  }
  std::filesystem::remove(dir / "quill-bench-wave.wav");
  std::printf("wave: wave_mib_s=%.1f file_mib_s=%.1f ratio=%.3f\n", bestWave, bestFile, bestWave / bestFile);
  return 0;
}
