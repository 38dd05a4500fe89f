// Checks that recorded sound is one steady sine tone without gaps or
// repeats. A pure sine obeys x[n] = c·x[n-1] − x[n-2] with c = 2·cos ω, so
// each sample is predicted from its two predecessors; a lost or repeated
// stretch shifts the phase and shows as a jump in the prediction error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Samples of one channel of interleaved little-endian PCM, scaled to −1..1
// (8-bit samples unsigned, wider ones signed). A trailing partial frame is ignored.
std::vector<double> ChannelSamples(const uint8_t* data, size_t size, int bitsPerSample, int channels, int channel);

struct TToneReport {
  size_t LeadingSilence = 0;  // samples before the tone starts
  size_t Samples = 0;         // samples from the tone's start to the end
  double Amplitude = 0;       // the largest magnitude
  double Frequency = 0;       // Hz, fitted over the whole tone
  int Discontinuities = 0;    // phase jumps, each counted once
  long FirstDiscontinuity = -1;  // the sample index of the first, or −1
};

TToneReport AnalyseTone(const std::vector<double>& samples, double sampleRate);
