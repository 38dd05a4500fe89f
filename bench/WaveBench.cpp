// Writes 256 MiB of sound in 4 KiB blocks through TWaveFileStream, through
// TWaveFileStream with its header brought up to date after each second of
// sound (as a recording does it), and through a plain TFileStream, in three
// alternating rounds, and prints the best throughput of each and the ratios
// to the plain file: the wave layer should cost almost nothing.
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
constexpr int64_t kSecondOfSound = 44100 * 4;

template <typename Stream, typename AfterBlock>
double MibPerSecond(Stream& stream, AfterBlock afterBlock) {
  std::vector<uint8_t> block(kBlock);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 31);
  auto start = std::chrono::steady_clock::now();
  for (int64_t written = 0; written < kTotal; written += kBlock) {
    stream.WriteBuffer(block.data(), kBlock);
    afterBlock(written + kBlock);
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return static_cast<double>(kTotal >> 20) / seconds;
}

double WaveRound(const std::wstring& path, bool updateHeader) {
  TWaveFileStream wave(path, fmCreate);
  wave.SetPcmFormat(44100, 16, 2);
  wave.OpenForWriting();
  int64_t nextUpdate = kSecondOfSound;
  double speed = MibPerSecond(wave, [&](int64_t written) {
    if (!updateHeader || written < nextUpdate) return;
    wave.UpdateHeader();
    nextUpdate += kSecondOfSound;
  });
  wave.CompleteHeader();
  return speed;
}

double FileRound(const std::wstring& path) {
  TFileStream file(path, fmCreate);
  return MibPerSecond(file, [](int64_t) {});
}

}  // namespace

int main() {
  auto dir = std::filesystem::temp_directory_path();
  std::wstring path = (dir / "quill-bench-wave.wav").wstring();
  double bestWave = 0, bestUpdated = 0, bestFile = 0;
  for (int round = 1; round <= kRounds; ++round) {
    double wave = WaveRound(path, false);
    double updated = WaveRound(path, true);
    double file = FileRound(path);
    std::printf("round %d: TWaveFileStream %.1f MiB/s, with header updates %.1f MiB/s, TFileStream %.1f MiB/s\n",
                round, wave, updated, file);
    bestWave = std::max(bestWave, wave);
    bestUpdated = std::max(bestUpdated, updated);
    bestFile = std::max(bestFile, file);
  }
  std::filesystem::remove(dir / "quill-bench-wave.wav");
  std::printf("wave: wave_mib_s=%.1f updated_mib_s=%.1f file_mib_s=%.1f ratio=%.3f updated_ratio=%.3f\n", bestWave,
              bestUpdated, bestFile, bestWave / bestFile, bestUpdated / bestFile);
  return 0;
}
