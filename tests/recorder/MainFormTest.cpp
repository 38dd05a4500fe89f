// The main window's texts: the elapsed time and the capture format names.
#include <gtest/gtest.h>

#include "recorder/Main.h"

TEST(MainForm, ElapsedTimeHasNoLeadingZeros) {
  EXPECT_EQ(ElapsedText(0), L"0:0:0");
  EXPECT_EQ(ElapsedText(65), L"0:1:5");
  EXPECT_EQ(ElapsedText(3599), L"0:59:59");
  EXPECT_EQ(ElapsedText(3725), L"1:2:5");
  EXPECT_EQ(ElapsedText(360000), L"100:0:0");
}

TEST(MainForm, FormatsAreNamedByRateWidthAndChannels) {
  TSoundCaptureFormats formats;
  TSoundCaptureFormat& stereo = formats.Add();
  stereo.SamplesPerSec = 22050;
  stereo.BitsPerSample = 8;
  stereo.Channels = 2;
  EXPECT_EQ(FormatText(stereo), L"22050Hz 8bit Stereo");
  TSoundCaptureFormat& mono = formats.Add();
  mono.SamplesPerSec = 44100;
  mono.BitsPerSample = 16;
  mono.Channels = 1;
  EXPECT_EQ(FormatText(mono), L"44100Hz 16bit Mono");
}
