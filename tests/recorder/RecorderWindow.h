// What the main-window tests share: the window as the application opens it,
// recording from the scripted capture device, its controls by name, and the
// errors the application's display would have shown.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "capture/ScriptedCaptureDevice.h"
#include "recorder/Main.h"
#include "support/ShownErrors.h"
#include "toolkit/platform/Application.h"

class RecorderWindow : public ::testing::Test {
 protected:
  // How long a scenario may take on a loaded machine before it counts as stuck.
  static constexpr int kPatienceMilliseconds = 20000;

  template <typename Control>
  static Control& Named(TMainForm& form, const wchar_t* name) {
    auto* control = dynamic_cast<Control*>(form.FindComponent(name));
    EXPECT_NE(control, nullptr) << "no " << name;
    return *control;
  }

  // The window as the application opens it.
  static void Open(TMainForm& form) {
    form.DoCreate();
    form.Show();
  }

  // A click as the user makes it: through the button's window, so that an
  // error reaches the application's display, as it would in the program.
  static void Press(TMainForm& form, const wchar_t* button) {
    SendMessageW(Named<TWinControl>(form, button).Handle(), BM_CLICK, 0, 0);
  }

  static void WaitFor(const std::function<bool()>& done) {
    for (int waited = 0; !done() && waited < kPatienceMilliseconds; waited += 20) Application.ProcessMessagesFor(20);
  }

  static bool Recording(TMainForm& form) { return Named<TBitBtn>(form, L"B_Stop").Enabled(); }

  static std::wstring Panel(TMainForm& form, int index) {
    return Named<TStatusBar>(form, L"Sb").Panels().Items(index).Text();
  }

  void ExpectIdle(TMainForm& form) {
    EXPECT_TRUE(IsWindowEnabled(Named<TBitBtn>(form, L"B_Start").Handle()));
    EXPECT_FALSE(IsWindowEnabled(Named<TBitBtn>(form, L"B_Stop").Handle()));
    EXPECT_TRUE(IsWindowEnabled(Named<TGroupBox>(form, L"GroupBox1").Handle()));
    EXPECT_FALSE(Named<TTimer>(form, L"Timer2").Enabled());
    EXPECT_FALSE(Device.LastBuffer().Starts > Device.LastBuffer().Stops) << "the capture runs on";
  }

  TScriptedCaptureDevice Device;
  TShownErrors Shown;
};
