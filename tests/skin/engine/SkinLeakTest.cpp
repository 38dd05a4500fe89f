// Skinning uses no GDI or USER object for good: the counts are the same
// after many activations, menu openings, skin reloads and switches on and
// off as after the first of each.
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>

#include "SkinnedWindows.h"
#include "TempFiles.h"
#include "skin/engine/WinSkinMenu.h"
#include "support/GuiObjects.h"
#include "tools/skinpack/SampleSkin.h"

namespace {

// What stays once everything has been done once (fonts, caches) is not a leak.
TGuiObjects SettledObjects() {
  Pump(100);
  FreeBitmapContexts();
  return CountGuiObjects();
}

// Closes every drop-down as soon as it shows, from inside its menu loop.
struct TMenuCloser {
  void Tick(TComponent*) {
    if (OpenMenuWindow()) EndMenu();
  }
};

struct TLoopCounter {
  explicit TLoopCounter(HWND wnd) { Subclass.Install(wnd, TWndMethod::Of<&TLoopCounter::Hook>(*this)); }
  void Hook(TMessage& message) {
    if (message.Msg == WM_EXITMENULOOP) ++Loops;
    Subclass.CallPrevious(message);
  }
  TWindowSubclass Subclass;
  int Loops = 0;
};

class SkinLeaks : public ::testing::Test {
 protected:
  void SetUp() override {
    First = Application.CreateForm<TMenuForm>();
    Second = Application.CreateForm<TMenuForm>();
    Second->SetBounds(420, 300, 300, 220);
    ASSERT_TRUE(ShowSkinned(*First));
    ASSERT_TRUE(ShowSkinned(*Second));
  }
  void TearDown() override {
    std::cout << "GDI " << Before.Gdi << " -> " << After.Gdi << ", USER " << Before.User << " -> " << After.User
              << std::endl;
  }

  void Activate(TForm& form) {
    SetForegroundWindow(form.Handle());
    Missed += !PumpUntil([&] { return SkinnerOf(form.Handle())->Active; });
  }
  void OpenAndCloseMenu(TLoopCounter& counter) {
    const int loops = counter.Loops;
    TWinSkinForm& skinner = *SkinnerOf(First->Handle());
    skinner.SkinMenu->OpenEntryByClick(*skinner.SkinMenu->Entries[0]);
    Missed += !PumpUntil([&] { return counter.Loops > loops; });
  }
  void Switch(bool active) {
    Session.Skin().SetActive(active);
    Missed += !PumpUntil(
        [&] { return IsPresented(First->Handle()) == active && IsPresented(Second->Handle()) == active; });
  }
  void Reload(const std::wstring& path, int frameTop) {
    Session.Skin().SetSkinFile(path);
    Missed += !PumpUntil([&] {
      return IsPresented(First->Handle()) && SkinnerOf(First->Handle())->FrameTop == frameTop &&
             IsPresented(Second->Handle()) && SkinnerOf(Second->Handle())->FrameTop == frameTop;
    });
  }

  TSkinnedSession Session;
  TMenuLoopGuard Guard;
  TMenuForm* First = nullptr;
  TMenuForm* Second = nullptr;
  TGuiObjects Before, After;
  int Missed = 0;  // steps that did not come about
};

}  // namespace

TEST_F(SkinLeaks, TwoHundredActivationsAndAHundredMenuOpenings) {
  TLoopCounter counter(First->Handle());
  TTimer closer(nullptr);
  TMenuCloser closing;
  closer.SetInterval(15);
  closer.SetOnTimer(TNotifyEvent::Of<&TMenuCloser::Tick>(closing));
  closer.SetEnabled(true);
  Activate(*First);
  Activate(*Second);
  OpenAndCloseMenu(counter);
  Before = SettledObjects();
  for (int i = 0; i < 100; ++i) {
    Activate(*First);
    Activate(*Second);
  }
  Activate(*First);
  for (int i = 0; i < 100; ++i) OpenAndCloseMenu(counter);
  After = SettledObjects();
  EXPECT_EQ(counter.Loops, 101);
  EXPECT_EQ(Missed, 0);
  EXPECT_EQ(After, Before);
}

TEST_F(SkinLeaks, TwentySkinReloadsAndTwentySwitchesOffAndOn) {
  TTempFile stored(L"stored.skn"), other(L"other.skn");
  WritePackage(stored.Path(), DefaultSkinPackage());
  WritePackage(other.Path(), EditedSkinPackage([](std::vector<TPackageFile>& files) {
                 FileNamed(files, "top.bmp").Bytes = MakeBmp(32, 88, 7);
               }));
  const int storedTop = SkinnerOf(First->Handle())->FrameTop;
  Reload(other.Path(), 44);
  Reload(stored.Path(), storedTop);
  Switch(false);
  Switch(true);
  Before = SettledObjects();
  for (int i = 0; i < 10; ++i) {
    Reload(other.Path(), 44);
    Reload(stored.Path(), storedTop);
  }
  for (int i = 0; i < 20; ++i) {
    Switch(false);
    Switch(true);
  }
  After = SettledObjects();
  EXPECT_TRUE(IsPresented(First->Handle()) && IsPresented(Second->Handle()));
  EXPECT_EQ(Missed, 0);
  EXPECT_EQ(After, Before);
}
