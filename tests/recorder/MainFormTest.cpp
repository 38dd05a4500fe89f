// The main window's texts (the elapsed time and the capture format names),
// and what its about window leaves behind.
#include <gtest/gtest.h>

#include <cstdio>

#include "recorder/Main.h"
#include "support/GuiObjects.h"
#include "toolkit/platform/Application.h"

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

namespace {

// Closes the about window as soon as it is shown, as a user clicking its button would.
void CALLBACK CloseAboutWindow(HWND, UINT, UINT_PTR, DWORD) {
  HWND about = FindWindowW(L"TAboutForm", nullptr);
  if (about && IsWindowVisible(about)) PostMessageW(about, WM_CLOSE, 0, 0);
}

}  // namespace

TEST(RecorderWindows, OpeningAndClosingTheAboutWindowAHundredTimesLeavesNoObjectsBehind) {
  Application.Initialize();
  auto* main = new TMainForm(nullptr);
  main->Show();
  UINT_PTR closer = SetTimer(nullptr, 0, 20, &CloseAboutWindow);
  main->N2Click(nullptr);  // the first showing makes what the process keeps (fonts, classes)
  Application.ProcessMessagesFor(50);
  TGuiObjects before = CountGuiObjects();
  for (int i = 0; i < 100; ++i) main->N2Click(nullptr);
  Application.ProcessMessagesFor(50);
  TGuiObjects after = CountGuiObjects();
  KillTimer(nullptr, closer);
  std::printf("recorder windows: %lu GDI and %lu USER objects before, %lu and %lu after 100 about windows\n",
              before.Gdi, before.User, after.Gdi, after.User);
  EXPECT_EQ(after, before);
  EXPECT_EQ(FindWindowW(L"TAboutForm", nullptr), nullptr);
  main->Free();
}
