// Reads a wave file as the program's own wave reader does and describes its
// sound for the end-to-end scripts, one "key=value" line per fact:
//
//   tone_check PATH    format, data size, and the tone of channel 1
//                      (leading silence, length, frequency, level, phase jumps),
//                      lengths in samples and in seconds
//
// A file being recorded can be read too: its header says what it held at the
// last update.
#include <cstdio>
#include <exception>
#include <vector>

#include "support/ToneAnalysis.h"
#include "wave/WaveFileStream.h"
#include "wave/WaveFormat.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: tone_check PATH\n", stderr);
    return 2;
  }
  try {
    TWaveFileStream wave(argv[1], fmOpenRead | fmShareDenyNone);
    wave.OpenForReading();
    const auto& format = *static_cast<const TWaveFormatEx*>(wave.Format());
    std::vector<uint8_t> data(static_cast<size_t>(wave.WaveSize()));
    wave.ReadBuffer(data.data(), wave.WaveSize());
    std::vector<double> samples =
        ChannelSamples(data.data(), data.size(), format.wBitsPerSample, format.nChannels, 0);
    TToneReport tone = AnalyseTone(samples, format.nSamplesPerSec);
    std::printf("rate=%u\nbits=%u\nchannels=%u\ndata_bytes=%zu\n", format.nSamplesPerSec, format.wBitsPerSample,
                format.nChannels, data.size());
    std::printf("leading_silence=%zu\ntone_samples=%zu\nfrequency=%.1f\ndiscontinuities=%d\n", tone.LeadingSilence,
                tone.Samples, tone.Frequency, tone.Discontinuities);
    double rate = format.nSamplesPerSec;
    std::printf("leading_silence_s=%.3f\nsound_s=%.3f\namplitude=%.3f\n", static_cast<double>(tone.LeadingSilence) / rate,
                static_cast<double>(tone.Samples) / rate, tone.Amplitude);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tone_check: %s\n", error.what());
    return 1;
  }
  return 0;
}
