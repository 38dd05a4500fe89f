// The skinned menu bar under real keyboard and mouse input: drop-downs that
// the arrow keys and the mouse move along the bar (wrapping at its ends),
// Alt with an accelerator, the bar's keyboard mode (Alt alone, F10) without
// the platform's menu mode, entries without a drop-down, Alt+Space, cascaded
// drop-downs each with its own popup skinner, and an MDI frame whose bar
// shows a maximised child's buttons and gets its own menu back.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "SkinnedWindows.h"
#include "skin/engine/WinSkinMenu.h"
#include "skin/engine/WinSkinPopMenu.h"
#include "skin/engine/WinSysButton.h"
#include "support/BitmapPixels.h"
#include "toolkit/core/ShortCut.h"

namespace {

// Where each entry's drop-down opens: its left edge on the screen.
std::vector<LONG> DropDownLefts(TWinSkinForm& skinner) {
  std::vector<LONG> lefts;
  for (auto& entry : skinner.SkinMenu->Entries) lefts.push_back(WindowBounds(skinner.Handle).left + entry->Bounds.Left);
  return lefts;
}

POINT EntryCentre(TWinSkinForm& skinner, size_t index) {
  return CentreOf(skinner.SkinMenu->Entries.at(index)->Bounds, skinner.Handle);
}

class SkinnedMenuBar : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = Application.CreateForm<TMenuForm>();
    ASSERT_TRUE(ShowSkinned(*Form));
    Skinner = SkinnerOf(Form->Handle());
    ASSERT_NE(Skinner->SkinMenu, nullptr);
    ASSERT_EQ(Skinner->SkinMenu->Entries.size(), 3u);
    Lefts = DropDownLefts(*Skinner);
  }

  TSkinnedSession Session;
  TMenuLoopGuard Guard;
  TMenuForm* Form = nullptr;
  TWinSkinForm* Skinner = nullptr;
  std::vector<LONG> Lefts;
};

// Counts the menu loops the window enters.
struct TMenuLoopSpy {
  explicit TMenuLoopSpy(HWND wnd) { Subclass.Install(wnd, TWndMethod::Of<&TMenuLoopSpy::Hook>(*this)); }
  void Hook(TMessage& message) {
    if (message.Msg == WM_ENTERMENULOOP && !message.WParam) ++PlatformBarLoops;  // TrackPopupMenu's are TRUE
    Subclass.CallPrevious(message);
  }
  TWindowSubclass Subclass;
  int PlatformBarLoops = 0;
};

// The commands that reach the window.
struct TCommandSpy {
  explicit TCommandSpy(HWND wnd) { Subclass.Install(wnd, TWndMethod::Of<&TCommandSpy::Hook>(*this)); }
  void Hook(TMessage& message) {
    if (message.Msg == WM_COMMAND) Commands.push_back(LOWORD(message.WParam));
    Subclass.CallPrevious(message);
  }
  TWindowSubclass Subclass;
  std::vector<UINT> Commands;
};

struct TClickCounter {
  void Click(TComponent*) { ++Count; }
  int Count = 0;
};

}  // namespace

TEST_F(SkinnedMenuBar, ArrowKeysWrapAroundTheBarAndTheMouseMovesToAnotherEntry) {
  const std::vector<LONG> lefts = Lefts;
  const POINT file = EntryCentre(*Skinner, 0), edit = EntryCentre(*Skinner, 1);
  std::vector<bool> reached;
  TInputThread input([&] {
    MoveMouse(file);
    PressLeft(file);
    ReleaseLeft(file);
    reached.push_back(WaitFor([&] { return MenuOpenAt(lefts[0]) != nullptr; }));
    TapKey(VK_LEFT);
    reached.push_back(WaitFor([&] { return MenuOpenAt(lefts[2]) != nullptr; }));
    TapKey(VK_RIGHT);
    reached.push_back(WaitFor([&] { return MenuOpenAt(lefts[0]) != nullptr; }));
    // As a hand does: the mouse goes on moving over Edit until its drop-down shows.
    int step = 0;
    reached.push_back(WaitFor([&] {
      MoveMouse({edit.x - 4 + (step++ % 8), edit.y});
      Sleep(40);
      return MenuOpenAt(lefts[1]) != nullptr;
    }));
    TapKey(VK_ESCAPE);
    reached.push_back(WaitFor([] { return OpenMenuWindow() == nullptr; }));
    TapKey(VK_ESCAPE);  // out of the bar's keyboard mode, where the drop-down's Escape went
  });
  ASSERT_TRUE(PumpUntil([&] { return input.Done(); }, 30000));
  EXPECT_EQ(reached, std::vector<bool>(5, true))
      << "opened File, then left to Help, right to File, the mouse to Edit, and closed";
  EXPECT_EQ(TWinSkinMenu::CurrentEntry(), -1);
  EXPECT_TRUE(PumpUntil([&] { return !Skinner->MenuTracking; }));
}

TEST_F(SkinnedMenuBar, AltWithAnAcceleratorOpensItsEntryWithTheFirstItemSelected) {
  const std::vector<LONG> lefts = Lefts;
  HMENU edit = Form->Edit->Handle();
  bool opened = false, selected = false, closed = false;
  TInputThread accelerator([&] {
    TapAltWith('E');
    opened = WaitFor([&] { return MenuOpenAt(lefts[1]) != nullptr; });
    selected = WaitFor([&] { return (GetMenuState(edit, 0, MF_BYPOSITION) & MF_HILITE) != 0; });
    TapKey(VK_ESCAPE);
    closed = WaitFor([] { return OpenMenuWindow() == nullptr; });
    TapKey(VK_ESCAPE);
  });
  ASSERT_TRUE(PumpUntil([&] { return accelerator.Done(); }, 20000));
  EXPECT_TRUE(opened) << "Alt+E opens Edit";
  EXPECT_TRUE(selected) << "a drop-down opened from the keyboard selects its first item";
  EXPECT_TRUE(closed);
  EXPECT_TRUE(PumpUntil([&] { return !Skinner->MenuTracking; }));
}

// Alt alone and F10 highlight the bar's first entry without the platform's
// own menu mode; the arrows move along the bar, Down or Return open a
// drop-down with its first item selected, an item's accelerator runs it
// (owner-drawn items carry no text: the form answers WM_MENUCHAR), Escape
// goes back from a drop-down to the bar and a second one leaves.
TEST_F(SkinnedMenuBar, KeyboardModeOfTheBarWithoutThePlatformsMenuMode) {
  const std::vector<LONG> lefts = Lefts;
  TClickCounter exits;
  Form->Exit->SetOnClick(TNotifyEvent::Of<&TClickCounter::Click>(exits));
  TMenuLoopSpy spy(Form->Handle());
  auto* skinner = Skinner;
  auto hot = [skinner](int index) {
    return WaitFor([=] { return skinner->HotObject == skinner->SkinMenu->Entries[size_t(index)].get(); });
  };
  auto left = [skinner] { return WaitFor([=] { return !skinner->MenuTracking && !skinner->HotObject; }); };
  auto firstSelected = [](HMENU menu) {
    return WaitFor([=] { return (GetMenuState(menu, 0, MF_BYPOSITION) & MF_HILITE) != 0; });
  };
  HMENU file = Form->File->Handle(), edit = Form->Edit->Handle();
  std::vector<std::pair<const char*, bool>> steps;
  TInputThread input([&] {
    MoveMouse({1010, 750});  // off the bar: a pointer over an entry keeps it hot
    Sleep(200);
    TapKey(VK_MENU);
    steps.emplace_back("Alt alone highlights the first entry", hot(0));
    TapKey(VK_RIGHT);
    steps.emplace_back("Right moves to the second", hot(1));
    TapKey(VK_DOWN);
    steps.emplace_back("Down opens its drop-down", WaitFor([&] { return MenuOpenAt(lefts[1]) != nullptr; }));
    steps.emplace_back("with the first item selected", firstSelected(edit));
    TapKey(VK_ESCAPE);
    steps.emplace_back("Escape closes the drop-down", WaitFor([] { return OpenMenuWindow() == nullptr; }));
    steps.emplace_back("and goes back to the bar", hot(1));
    TapKey(VK_ESCAPE);
    steps.emplace_back("a second Escape leaves", left());
    TapKey(VK_F10);
    steps.emplace_back("F10 highlights the first entry", hot(0));
    TapKey(VK_RETURN);
    steps.emplace_back("Return opens it", WaitFor([&] { return MenuOpenAt(lefts[0]) != nullptr; }));
    steps.emplace_back("with the first item selected", firstSelected(file));
    TapKey('X');
    steps.emplace_back("E&xit's accelerator runs it", WaitFor([&] { return exits.Count == 1; }));
    steps.emplace_back("and the menu is gone", WaitFor([] { return OpenMenuWindow() == nullptr; }) && left());
  });
  ASSERT_TRUE(PumpUntil([&] { return input.Done(); }, 60000));
  for (auto& [step, done] : steps) EXPECT_TRUE(done) << step;
  EXPECT_EQ(spy.PlatformBarLoops, 0) << "the platform's own menu mode never started";
  EXPECT_EQ(exits.Count, 1);
}

// With a drop-down open, the arrow keys pass over entries without a
// drop-down and run none of them; a click runs such an entry; a disabled
// one runs nothing, not even for a click.
TEST_F(SkinnedMenuBar, EntriesWithoutADropDownRunOnlyWhenClickedAndDisabledOnesNever) {
  TClickCounter goes;
  TMenuItem* go = Form->Item(Form->Menu(), L"&Go");
  go->SetOnClick(TNotifyEvent::Of<&TClickCounter::Click>(goes));
  TMenuItem* off = Form->Item(Form->Menu(), L"O&ff");
  off->SetEnabled(false);
  off->SetOnClick(TNotifyEvent::Of<&TClickCounter::Click>(goes));
  TMenuItem* shut = Form->Item(Form->Menu(), L"&Shut");
  Form->Item(shut, L"Inside");
  shut->SetEnabled(false);
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  ASSERT_TRUE(PumpUntil([&] { return Skinner->SkinMenu->Entries.size() == 6 && !Skinner->SkinMenu->Entries[5]->Bounds.IsEmpty(); }));
  TCommandSpy spy(Form->Handle());
  const std::vector<LONG> lefts = DropDownLefts(*Skinner);
  const POINT goEntry = EntryCentre(*Skinner, 3), offEntry = EntryCentre(*Skinner, 4);
  auto* skinner = Skinner;
  auto left = [skinner] { return WaitFor([=] { return !skinner->MenuTracking && !skinner->HotObject; }); };
  std::vector<std::pair<const char*, bool>> steps;
  TInputThread input([&] {
    MoveMouse({1010, 750});  // off the bar: only the keys move along it
    TapKey(VK_F10);
    TapKey(VK_LEFT);  // the bar's mode stops on Go, an enabled entry, but not on Shut or Off
    TapKey(VK_LEFT);
    TapKey(VK_DOWN);
    steps.emplace_back("Left from File goes over Shut and Off to Go, and on to Help, which opens",
                       WaitFor([&] { return MenuOpenAt(lefts[2]) != nullptr; }));
    TapKey(VK_RIGHT);
    steps.emplace_back("Right passes over Go, Off and Shut to File",
                       WaitFor([&] { return MenuOpenAt(lefts[0]) != nullptr; }));
    TapKey(VK_ESCAPE);
    WaitFor([] { return OpenMenuWindow() == nullptr; });
    TapKey(VK_ESCAPE);
    steps.emplace_back("the bar is left", left());
    MoveMouse(goEntry);
    PressLeft(goEntry);
    ReleaseLeft(goEntry);
    steps.emplace_back("a click on Go runs it", WaitFor([&] { return goes.Count == 1; }));
    MoveMouse(offEntry);
    PressLeft(offEntry);
    ReleaseLeft(offEntry);
    Sleep(300);
    MoveMouse({1010, 750});
  });
  ASSERT_TRUE(PumpUntil([&] { return input.Done(); }, 30000));
  Pump(200);
  for (auto& [step, done] : steps) EXPECT_TRUE(done) << step;
  EXPECT_EQ(goes.Count, 1) << "only the click on Go ran a command";
  EXPECT_EQ(spy.Commands, std::vector<UINT>{go->Command()}) << "no other command reached the window";
}

// Alt+Space opens the same skinned system menu as the title's icon does,
// and its Close shows the key that closes.
TEST_F(SkinnedMenuBar, AltSpaceOpensTheSkinnedSystemMenu) {
  HWND shown = nullptr;
  HMENU menu = nullptr;
  TInputThread input([&] {
    TapAltWith(VK_SPACE);
    WaitFor([&] { return (shown = OpenMenuWindow()) != nullptr; });
    Sleep(200);
    if (shown) menu = reinterpret_cast<HMENU>(SendMessageW(shown, MN_GETHMENU, 0, 0));
    TapKey(VK_ESCAPE);
    WaitFor([] { return OpenMenuWindow() == nullptr; });
  });
  ASSERT_TRUE(PumpUntil([&] { return input.Done(); }, 20000));
  ASSERT_NE(shown, nullptr) << "a menu opened";
  EXPECT_EQ(menu, Skinner->SystemPopup->MenuHandle()) << "the skin's system menu, not the platform's";
  TMenuItem* close = Skinner->SystemPopup->Items(Skinner->SystemPopup->Count() - 1);
  EXPECT_EQ(ShortCutToText(close->ShortCut()), L"Alt+F4");
  const RECT window = WindowBounds(Form->Handle());
  EXPECT_TRUE(PumpUntil([&] { return !OpenMenuWindow(); }));
  EXPECT_EQ(window.left, WindowBounds(Form->Handle()).left) << "nothing else happened to the window";
}

TEST_F(SkinnedMenuBar, CascadedDropDownsGetOnePopupSkinnerEach) {
  // Looked at from inside the menu loop, which handles timer messages.
  std::set<HMENU> claimed;
  size_t most = 0;
  TTimer watch(nullptr);
  struct TWatch {
    void Tick(TComponent*) {
      const auto& popups = SkinManager()->PopupMenus();
      *Most = std::max(*Most, popups.size());
      if (popups.size() == 2)
        for (auto& popup : popups)
          if (popup->MenuHandle) Claimed->insert(popup->MenuHandle);
    }
    size_t* Most;
    std::set<HMENU>* Claimed;
  } watcher{&most, &claimed};
  watch.SetInterval(20);
  watch.SetOnTimer(TNotifyEvent::Of<&TWatch::Tick>(watcher));
  watch.SetEnabled(true);

  const POINT file = EntryCentre(*Skinner, 0);
  bool cascaded = false;
  TInputThread input([&] {
    PressLeft(file);
    ReleaseLeft(file);
    WaitFor([] { return OpenMenuWindow() != nullptr; });
    TapKey(VK_DOWN);  // a drop-down the mouse opened selects nothing: Open first,
    TapKey(VK_DOWN);  // then past the separator to Recent
    TapKey(VK_RIGHT);  // Recent opens its sub-menu rather than moving along the bar
    cascaded = WaitFor([] {
      int visible = 0;
      EnumWindows([](HWND wnd, LPARAM count) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(wnd, name, 16);
        if (std::wstring_view(name) == L"#32768" && IsWindowVisible(wnd)) ++*reinterpret_cast<int*>(count);
        return TRUE;
      }, reinterpret_cast<LPARAM>(&visible));
      return visible == 2;
    });
    Sleep(200);
    TapKey(VK_ESCAPE);
    TapKey(VK_ESCAPE);
    WaitFor([] { return OpenMenuWindow() == nullptr; });
    TapKey(VK_ESCAPE);  // the bar's keyboard mode, where the drop-down's Escape went, ends too
  });
  ASSERT_TRUE(PumpUntil([&] { return input.Done(); }, 20000));
  EXPECT_TRUE(PumpUntil([&] { return !Skinner->MenuTracking; }));
  EXPECT_TRUE(cascaded) << "Recent's sub-menu opened beside File's drop-down";
  EXPECT_EQ(most, 2u);
  EXPECT_EQ(claimed, (std::set<HMENU>{Form->File->Handle(), Form->Recent->Handle()}))
      << "each skinner claims the menu whose items it shows";
  EXPECT_TRUE(PumpUntil([] { return SkinManager()->PopupMenus().empty(); }));
}

TEST(SkinnedMdiFrame, AMaximisedChildShowsItsButtonsInTheBarAndTheLastChildGoneBringsBackTheFramesMenu) {
  TSkinnedSession session;
  TMenuLoopGuard guard;
  auto* frame = Application.CreateForm<TMenuForm>();
  frame->SetFormStyle(fsMDIForm);
  frame->SetBounds(60, 60, 520, 400);
  ASSERT_TRUE(ShowSkinned(*frame));
  TWinSkinForm& skinner = *SkinnerOf(frame->Handle());
  ASSERT_EQ(skinner.FormKind, fkMdiFrame);

  auto* child = Application.CreateForm<TForm>();
  child->SetFormStyle(fsMDIChild);
  child->SetBounds(10, 10, 240, 160);
  child->SetText(L"Child");
  auto* childMenu = new TMainMenu(child);
  auto* window = new TMenuItem(child);
  window->SetCaption(L"&Window");
  childMenu->Add(window);
  child->SetMenu(childMenu);
  child->Show();
  child->SetWindowState(wsMaximized);
  auto buttons = [&] {
    std::vector<TWinSysButton*> shown;
    for (auto& button : skinner.SysButtons)
      if (button->Element.Visibility == kMenuBarButtonVisibility && button->Visible) shown.push_back(button.get());
    return shown;
  };
  ASSERT_TRUE(PumpUntil([&] { return skinner.IsActiveChildMaximised() && buttons().size() == 3; }));
  Pump(200);
  EXPECT_TRUE(session.Manager().MdiMaximised);
  for (TWinSysButton* button : buttons()) {
    EXPECT_GE(button->Bounds.Top, skinner.FrameTop) << "in the menu bar";
    EXPECT_LE(button->Bounds.Bottom, skinner.FrameTop + skinner.MenuHeight);
    // A pixel of the button's first frame where it is not transparent.
    TBitmap& image = button->Element.Image;
    const int frameWidth = image.Width() / button->Element.FrameCount;
    for (int x = 0; x < frameWidth; ++x) {
      COLORREF expected = PixelAt(image, x, image.Height() / 2);
      if (expected == RGB(255, 0, 255)) continue;
      HDC screen = GetDC(nullptr);
      POINT at = AtWindow(frame->Handle(), button->Bounds.Left + x, button->Bounds.Top + image.Height() / 2);
      EXPECT_EQ(GetPixel(screen, at.x, at.y), expected) << "action " << button->Element.Action;
      ReleaseDC(nullptr, screen);
      break;
    }
  }
  std::vector<std::wstring> captions;
  for (auto& entry : skinner.SkinMenu->Entries)
    if (!entry->Caption.empty()) captions.push_back(entry->Caption);
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"&File", L"&Edit", L"&Help", L"&Window"}))
      << "the frame's entries and the child's";

  child->Free();
  ASSERT_TRUE(PumpUntil([&] { return skinner.SkinMenu->Entries.size() == 3; }));
  EXPECT_EQ(skinner.SkinMenu->Entries[2]->Caption, L"&Help");
  EXPECT_TRUE(PumpUntil([&] { return !session.Manager().MdiMaximised && buttons().empty(); }));
}
