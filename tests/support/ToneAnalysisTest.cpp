// The tone check must find every kind of fault the capture tests rely on it
// to find, and nothing in a clean tone.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/ToneAnalysis.h"

namespace {

constexpr double kRate = 44100;

// A 440 Hz tone at half scale, rounded to 16-bit steps as a device delivers it.
std::vector<double> Tone(size_t samples, double phase = 0.3) {
  std::vector<double> tone;
  for (size_t n = 0; n < samples; ++n) {
    double x = 0.5 * std::sin(2 * std::numbers::pi * 440 * static_cast<double>(n) / kRate + phase);
    tone.push_back(std::round(x * 32768) / 32768);
  }
  return tone;
}

}  // namespace

TEST(ToneAnalysis, CleanToneHasNoDiscontinuityAndItsFrequency) {
  TToneReport report = AnalyseTone(Tone(44100), kRate);
  EXPECT_EQ(report.Discontinuities, 0);
  EXPECT_EQ(report.FirstDiscontinuity, -1);
  EXPECT_NEAR(report.Frequency, 440, 0.01);
  EXPECT_NEAR(report.Amplitude, 0.5, 0.001);
  EXPECT_EQ(report.Samples, 44100u);
}

TEST(ToneAnalysis, LostOrRepeatedStretchesAreEachOneDiscontinuity) {
  for (size_t lost : {1u, 37u, 441u, 1000u}) {
    std::vector<double> tone = Tone(20000);
    tone.erase(tone.begin() + 9000, tone.begin() + 9000 + static_cast<long>(lost));
    TToneReport report = AnalyseTone(tone, kRate);
    EXPECT_EQ(report.Discontinuities, 1) << lost << " samples lost";
    EXPECT_NEAR(report.FirstDiscontinuity, 9000, 3) << lost;
  }
  std::vector<double> tone = Tone(20000);
  std::vector<double> repeated(tone.begin(), tone.begin() + 5000);  // then 700 samples come again
  repeated.insert(repeated.end(), tone.begin() + 4300, tone.end());
  EXPECT_EQ(AnalyseTone(repeated, kRate).Discontinuities, 1);
}

TEST(ToneAnalysis, SilenceInsideTheToneCountsAtBothEdges) {
  std::vector<double> tone = Tone(20000);
  std::fill(tone.begin() + 8000, tone.begin() + 8500, 0.0);
  EXPECT_EQ(AnalyseTone(tone, kRate).Discontinuities, 2);
}

TEST(ToneAnalysis, LeadingSilenceIsSkippedNotCounted) {
  std::vector<double> tone(3000, 0.0);
  std::vector<double> body = Tone(10000, 1.2);
  tone.insert(tone.end(), body.begin(), body.end());
  TToneReport report = AnalyseTone(tone, kRate);
  EXPECT_EQ(report.LeadingSilence, 3000u);
  EXPECT_EQ(report.Samples, 10000u);
  EXPECT_EQ(report.Discontinuities, 0);
}

TEST(ToneAnalysis, StartUpTransientIsNotADiscontinuity) {
  std::vector<double> tone = Tone(20000);
  for (size_t n = 0; n < 100; ++n) tone[n] *= static_cast<double>(n) / 100;  // a resampler settling
  EXPECT_EQ(AnalyseTone(tone, kRate).Discontinuities, 0);
  tone.erase(tone.begin() + 2000, tone.begin() + 2010);
  EXPECT_EQ(AnalyseTone(tone, kRate).Discontinuities, 1) << "past the first 20 ms every jump counts";
}

TEST(ToneAnalysis, FrequencyOfCoarselyQuantisedToneIsUnbiased) {
  std::vector<double> tone = Tone(44100);
  for (double& x : tone) x = std::round(x * 128) / 128;
  EXPECT_NEAR(AnalyseTone(tone, kRate).Frequency, 440, 0.05);
}

TEST(ToneAnalysis, SilenceAndTinyInputsGiveNoTone) {
  EXPECT_EQ(AnalyseTone(std::vector<double>(500, 0.0), kRate).Samples, 0u);
  EXPECT_EQ(AnalyseTone({}, kRate).Samples, 0u);
  TToneReport two = AnalyseTone({0.5, -0.5}, kRate);
  EXPECT_EQ(two.Discontinuities, 0);
  EXPECT_EQ(two.Frequency, 0);
}

TEST(ToneAnalysis, SamplesDecodeAtEveryWidthAndChannel) {
  const uint8_t eightBit[] = {0x00, 0x80, 0xFF, 0xC0};
  EXPECT_EQ(ChannelSamples(eightBit, 4, 8, 1, 0), (std::vector<double>{-1.0, 0.0, 127 / 128.0, 0.5}));
  const uint8_t sixteen[] = {0x00, 0x80, 0xFF, 0x7F, 0x00, 0x40, 0x01};  // last byte: partial frame
  EXPECT_EQ(ChannelSamples(sixteen, 7, 16, 1, 0), (std::vector<double>{-1.0, 32767 / 32768.0, 0.5}));
  const uint8_t twentyFour[] = {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x40};
  EXPECT_EQ(ChannelSamples(twentyFour, 6, 24, 1, 0), (std::vector<double>{-1 / 8388608.0, 0.5}));
  const uint8_t stereo32[] = {0, 0, 0, 0x80, 0, 0, 0, 0x40, 0, 0, 0, 0xC0, 0, 0, 0, 0};
  EXPECT_EQ(ChannelSamples(stereo32, 16, 32, 2, 0), (std::vector<double>{-1.0, -0.5}));
  EXPECT_EQ(ChannelSamples(stereo32, 16, 32, 2, 1), (std::vector<double>{0.5, 0.0}));
  EXPECT_TRUE(ChannelSamples(stereo32, 16, 0, 2, 0).empty());
}
