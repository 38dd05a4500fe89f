#include "support/ToneAnalysis.h"

#include <algorithm>
#include <cmath>

namespace {

double SampleAt(const uint8_t* bytes, int bitsPerSample) {
  switch (bitsPerSample) {
    case 8: return (bytes[0] - 128) / 128.0;
    case 16: return static_cast<int16_t>(bytes[0] | bytes[1] << 8) / 32768.0;
    case 24: {
      int32_t value = bytes[0] | bytes[1] << 8 | bytes[2] << 16;
      if (value & 0x800000) value -= 0x1000000;
      return value / 8388608.0;
    }
    default: {
      uint32_t value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
      return static_cast<int32_t>(value) / 2147483648.0;
    }
  }
}

// Sub-threshold samples at the start are silence (or the tone's very first
// zero crossing, which the prediction does not need).
size_t ToneStart(const std::vector<double>& samples, double amplitude) {
  auto loud = std::find_if(samples.begin(), samples.end(), [&](double x) { return std::abs(x) > 0.05 * amplitude; });
  return static_cast<size_t>(loud - samples.begin());
}

double FitCoefficient(const std::vector<double>& x, size_t start) {
  double cross = 0;
  double power = 0;
  for (size_t n = start + 2; n < x.size(); ++n) {
    cross += x[n - 1] * (x[n] + x[n - 2]);
    power += x[n - 1] * x[n - 1];
  }
  return power > 0 ? cross / power : 0;
}

std::vector<double> PredictionErrors(const std::vector<double>& x, size_t start, double c) {
  std::vector<double> errors;
  for (size_t n = start + 2; n < x.size(); ++n) errors.push_back(std::abs(x[n] - c * x[n - 1] + x[n - 2]));
  return errors;
}

// Well above the quantisation and resampling noise, well below the error a
// phase jump of one sample makes at audible frequencies.
double JumpThreshold(std::vector<double> errors, double amplitude) {
  if (errors.empty()) return 0;
  auto middle = errors.begin() + static_cast<long>(errors.size() / 2);
  std::nth_element(errors.begin(), middle, errors.end());
  return std::max(0.005 * amplitude, 10 * *middle);
}

// From the first and last upward zero crossings (interpolated) and the
// cycles between them; unlike the fitted coefficient, noise does not bias it.
double ZeroCrossingFrequency(const std::vector<double>& x, size_t start, double sampleRate) {
  double first = -1;
  double last = -1;
  int cycles = -1;
  for (size_t n = start + 1; n < x.size(); ++n) {
    if (!(x[n - 1] < 0 && x[n] >= 0)) continue;
    double crossing = static_cast<double>(n - 1) + x[n - 1] / (x[n - 1] - x[n]);
    if (first < 0) first = crossing;
    last = crossing;
    ++cycles;
  }
  return cycles > 0 ? cycles * sampleRate / (last - first) : 0;
}

void CountJumps(const std::vector<double>& errors, double threshold, size_t start, size_t settle,
                TToneReport& report) {
  constexpr size_t kSameJump = 4;
  size_t lastFlagged = 0;
  bool any = false;
  for (size_t i = settle; i < errors.size(); ++i) {
    if (errors[i] <= threshold) continue;
    if (!any || i - lastFlagged > kSameJump) {
      ++report.Discontinuities;
      if (!any) report.FirstDiscontinuity = static_cast<long>(start + 2 + i);
    }
    any = true;
    lastFlagged = i;
  }
}

}  // namespace

std::vector<double> ChannelSamples(const uint8_t* data, size_t size, int bitsPerSample, int channels, int channel) {
  size_t sampleBytes = static_cast<size_t>(bitsPerSample / 8);
  size_t frameBytes = sampleBytes * static_cast<size_t>(channels);
  std::vector<double> samples;
  if (frameBytes == 0) return samples;
  samples.reserve(size / frameBytes);
  for (size_t offset = 0; offset + frameBytes <= size; offset += frameBytes)
    samples.push_back(SampleAt(data + offset + sampleBytes * static_cast<size_t>(channel), bitsPerSample));
  return samples;
}

TToneReport AnalyseTone(const std::vector<double>& samples, double sampleRate) {
  TToneReport report;
  for (double x : samples) report.Amplitude = std::max(report.Amplitude, std::abs(x));
  size_t start = ToneStart(samples, report.Amplitude);
  report.LeadingSilence = start;
  report.Samples = samples.size() - start;
  if (report.Samples < 3) return report;
  report.Frequency = ZeroCrossingFrequency(samples, start, sampleRate);
  std::vector<double> errors = PredictionErrors(samples, start, FitCoefficient(samples, start));
  // A resampler between the source and the device settles within a few
  // milliseconds of the first sound; that is not a fault of the capture.
  auto settle = static_cast<size_t>(sampleRate / 50);
  CountJumps(errors, JumpThreshold(errors, report.Amplitude), start, settle, report);
  return report;
}
