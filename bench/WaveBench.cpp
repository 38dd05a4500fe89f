// Writes sound in 4 KiB blocks through TWaveFileStream, through
// TWaveFileStream with its header brought up to date after each second of
// sound (as a recording does it), and through a plain TFileStream, and
// prints the throughput of each and the ratios to the plain file: the wave
// layer should cost almost nothing.
//
// The machine is shared, so one long round says more about the neighbours
// than about the writers. Instead many short rounds run, the three writers
// taking turns in a changing order, and each writer's fastest round counts:
// what a round costs beyond that is time the writer did not spend itself.
// The time the header updates took (each writes the sound held back since the
// last block went out, then the header) is measured too.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "toolkit/platform/FileStream.h"
#include "wave/WaveFileStream.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr int32_t kBlock = 4096;
constexpr int64_t kRoundBytes = 32LL << 20;
constexpr int kRounds = 24;
constexpr int64_t kSecondOfSound = 44100 * 4;

double SecondsSince(TClock::time_point start) {
  return std::chrono::duration<double>(TClock::now() - start).count();
}

template <typename Stream, typename AfterBlock>
double MibPerSecond(Stream& stream, AfterBlock afterBlock) {
  std::vector<uint8_t> block(kBlock);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 31);
  auto start = TClock::now();
  for (int64_t written = 0; written < kRoundBytes; written += kBlock) {
    stream.WriteBuffer(block.data(), kBlock);
    afterBlock(written + kBlock);
  }
  return static_cast<double>(kRoundBytes >> 20) / SecondsSince(start);
}

struct THeaderUpdates {
  int Count = 0;
  double Seconds = 0;
};

double WaveRound(const std::wstring& path, THeaderUpdates* updates) {
  TWaveFileStream wave(path, fmCreate);
  wave.SetPcmFormat(44100, 16, 2);
  wave.OpenForWriting();
  int64_t nextUpdate = kSecondOfSound;
  THeaderUpdates round;
  double speed = MibPerSecond(wave, [&](int64_t written) {
    if (!updates || written < nextUpdate) return;
    auto start = TClock::now();
    wave.UpdateHeader();
    round.Seconds += SecondsSince(start);
    ++round.Count;
    nextUpdate += kSecondOfSound;
  });
  wave.CompleteHeader();
  if (updates && (updates->Count == 0 || round.Seconds < updates->Seconds)) *updates = round;
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
  double best[3] = {};  // plain wave, wave with header updates, file
  THeaderUpdates updates;
  for (int round = 0; round < kRounds; ++round) {
    for (int turn = 0; turn < 3; ++turn) {
      int writer = (round + turn) % 3;
      double speed = writer == 0 ? WaveRound(path, nullptr) : writer == 1 ? WaveRound(path, &updates) : FileRound(path);
      best[writer] = std::max(best[writer], speed);
    }
  }
  std::filesystem::remove(dir / "quill-bench-wave.wav");
  const double updateUs = updates.Count ? 1e6 * updates.Seconds / updates.Count : 0;
  const double updateShare = updates.Seconds * best[1] / static_cast<double>(kRoundBytes >> 20);
  std::printf("%d rounds of %lld MiB each, the fastest of each writer: TWaveFileStream %.1f MiB/s, with header "
              "updates %.1f MiB/s, TFileStream %.1f MiB/s\n",
              kRounds, static_cast<long long>(kRoundBytes >> 20), best[0], best[1], best[2]);
  std::printf("header updates, with the sound held back before them: %d per round, %.2f us each, %.1f %% of the "
              "round's time\n",
              updates.Count, updateUs, 100 * updateShare);
  std::printf("wave: wave_mib_s=%.1f updated_mib_s=%.1f file_mib_s=%.1f ratio=%.3f updated_ratio=%.3f "
              "header_update_us=%.2f\n",
              best[0], best[1], best[2], best[0] / best[2], best[1] / best[2], updateUs);
  return 0;
}
