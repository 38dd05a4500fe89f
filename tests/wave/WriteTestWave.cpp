// Writes a test tone through TWaveFileStream: write_test_wave PATH RATE BITS CHANNELS FRAMES.
// The harness then checks the file with sox, an independent reader.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "wave/WaveFileStream.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: write_test_wave PATH RATE BITS CHANNELS FRAMES\n");
    return 2;
  }
  std::string path = argv[1];
  auto rate = static_cast<uint32_t>(std::atol(argv[2]));
  auto bits = static_cast<uint16_t>(std::atoi(argv[3]));
  auto channels = static_cast<uint16_t>(std::atoi(argv[4]));
  long frames = std::atol(argv[5]);
  try {
    TWaveFileStream wave(std::wstring(path.begin(), path.end()), fmCreate);
    wave.SetPcmFormat(rate, bits, channels);
    wave.OpenForWriting();
    const int bytesPerSample = bits / 8;
    std::vector<uint8_t> frame(static_cast<size_t>(bytesPerSample * channels));
    for (long i = 0; i < frames; ++i) {
      double value = 0.5 * std::sin(2 * 3.14159265358979 * 440.0 * static_cast<double>(i) / rate);
      auto sample = static_cast<int64_t>(value * std::ldexp(1.0, bits - 1));
      if (bits == 8) sample += 128;
      for (int c = 0; c < channels; ++c)
        for (int b = 0; b < bytesPerSample; ++b) frame[static_cast<size_t>(c * bytesPerSample + b)] = static_cast<uint8_t>(sample >> (8 * b));
      wave.WriteBuffer(frame.data(), static_cast<int32_t>(frame.size()));
    }
    wave.CompleteHeader();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "write_test_wave: %s\n", error.what());
    return 1;
  }
  return 0;
}
