// tone_check FILE: how much of the 440 Hz test tone a RIFF WAVE file holds,
// also while it is still being recorded (the sound is taken from the data
// chunk's start to the end of the file, whatever its header says yet).
// Prints one line:
//   leading_silence_s=.. sound_s=.. frequency=.. amplitude=.. discontinuities=.. first_discontinuity_s=..
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/ToneAnalysis.h"

namespace {

struct TWaveLayout {
  int Rate = 0, Bits = 0, Channels = 0;
  size_t DataStart = 0;
};

uint32_t Le(const std::vector<uint8_t>& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int k = 0; k < size; ++k) value |= uint32_t{bytes[at + static_cast<size_t>(k)]} << (8 * k);
  return value;
}

// Walks the chunks after "WAVE" up to the data chunk; false if there is none.
// A file still being written may have its first twelve bytes zero.
bool FindLayout(const std::vector<uint8_t>& bytes, TWaveLayout& layout) {
  static const uint8_t kUnwritten[12] = {};
  if (bytes.size() < 12) return false;
  bool complete = std::memcmp(bytes.data(), "RIFF", 4) == 0 && std::memcmp(&bytes[8], "WAVE", 4) == 0;
  if (!complete && std::memcmp(bytes.data(), kUnwritten, 12) != 0) return false;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    uint32_t size = Le(bytes, at + 4, 4);
    if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && at + 8 + 16 <= bytes.size()) {
      layout.Channels = static_cast<int>(Le(bytes, at + 10, 2));
      layout.Rate = static_cast<int>(Le(bytes, at + 12, 4));
      layout.Bits = static_cast<int>(Le(bytes, at + 22, 2));
    } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
      layout.DataStart = at + 8;
      return layout.Rate > 0 && layout.Bits >= 8 && layout.Channels > 0;
    }
    at += 8 + size + (size & 1);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: tone_check FILE\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  TWaveLayout layout;
  if (!in.eof() && !in.good()) {
    std::fprintf(stderr, "tone_check: cannot read %s\n", argv[1]);
    return 1;
  }
  if (!FindLayout(bytes, layout)) {
    std::puts("leading_silence_s=0 sound_s=0 frequency=0 amplitude=0 discontinuities=0 first_discontinuity_s=-1");
    return 0;
  }
  std::vector<double> samples = ChannelSamples(bytes.data() + layout.DataStart, bytes.size() - layout.DataStart,
                                               layout.Bits, layout.Channels, 0);
  TToneReport report = AnalyseTone(samples, layout.Rate);
  double rate = layout.Rate;
  std::printf("leading_silence_s=%.3f sound_s=%.3f frequency=%.1f amplitude=%.3f discontinuities=%d "
              "first_discontinuity_s=%.3f\n",
              static_cast<double>(report.LeadingSilence) / rate, static_cast<double>(report.Samples) / rate,
              report.Frequency, report.Amplitude, report.Discontinuities,
              report.FirstDiscontinuity < 0 ? -1.0 : static_cast<double>(report.FirstDiscontinuity) / rate);
  return 0;
}
