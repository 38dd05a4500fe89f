// The platform's own dialogs in a skinned program: each is presented in the
// skin's frame with every control skinned as the choice of skinners by
// window class calls for, inside its pages and views too: a property
// sheet's page made only when it is selected, a file dialog's view made
// again for another folder. What the screen shows of the scrolling controls
// is what painting them again shows (the platform draws no bar of its own
// over the skin's). Opening and closing them all gives every GDI and USER
// object back.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <iostream>
#include <vector>

#include "SkinnedWindows.h"
#include "DialogControls.h"
#include "skin/engine/WindowFacts.h"
#include "support/GuiObjects.h"
#include "toolkit/forms/SaveDialog.h"
#include "toolkit/core/Utf8.h"
#include "tools/preview/PlatformDialogs.h"

namespace {

constexpr DWORD kDialogLimit = 10000;  // for each stage
constexpr int kSettleTicks = 6;  // paints finish before the screen is read
constexpr int kFileNameBox = 1148;  // the Open dialog's file name

// The toolkit's Save dialog, which the recorder shows, is walked too.
constexpr auto pdSave = TPlatformDialog(kPlatformDialogCount);

std::wstring DialogName(TPlatformDialog dialog) { return dialog == pdSave ? L"save" : PlatformDialogName(dialog); }

// The kinds of control each dialog shows at each stage, in the skin.
std::vector<const wchar_t*> ExpectedSkinners(TPlatformDialog dialog, int stage) {
  switch (dialog) {
    case pdOpen:
      return {L"TSkinListView", L"TSkinHeader", L"TSkinToolBar", L"TSkinComBox", L"TSkinButton", L"TSkinCheckBox"};
    case pdColour: return {L"TSkinEdit", L"TSkinButton"};
    case pdFont:
      return {L"TSkinScrollbar", L"TSkinEdit", L"TSkinGroupBox", L"TSkinCheckBox", L"TSkinComBox", L"TSkinButton"};
    case pdPrint:
      return {L"TSkinGroupBox", L"TSkinRadioButton", L"TSkinUpDown", L"TSkinComBox", L"TSkinCheckBox", L"TSkinEdit"};
    case pdPageSetup: return {L"TSkinGroupBox", L"TSkinRadioButton", L"TSkinComBox", L"TSkinEdit", L"TSkinButton"};
    case pdFind: return {L"TSkinEdit", L"TSkinCheckBox", L"TSkinGroupBox", L"TSkinRadioButton", L"TSkinButton"};
    case pdReplace: return {L"TSkinEdit", L"TSkinCheckBox", L"TSkinButton"};
    case pdFolder: return {L"TSkinScrollbar", L"TSkinButton"};
    case pdPropertySheet:
      if (stage == 0)
        return {L"TSkinTab", L"TSkinDialogPage", L"TSkinGroupBox", L"TSkinRadioButton", L"TSkinComBox",
                L"TSkinCheckBox", L"TSkinUpDown", L"TSkinProgress", L"TSkinTrackBar", L"TSkinEdit", L"TSkinButton"};
      return {L"TSkinDialogPage", L"TSkinListView", L"TSkinHeader", L"TSkinEdit", L"TSkinCheckBox"};
    case pdTaskDialog: return {L"TSkinProgress", L"TSkinRadioButton", L"TSkinCheckBox", L"TSkinButton"};
    default: return {L"TSkinListView", L"TSkinToolBar", L"TSkinComBox", L"TSkinButton"};
  }
  return {};
}

HWND DescendantOfClass(HWND parent, const wchar_t* className) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassNameOf(child) == className) return child;
    if (HWND found = DescendantOfClass(child, className)) return found;
  }
  return nullptr;
}

// Walks one dialog: waits for it to be presented, checks it at each of its
// stages (a page turned, a folder entered), and closes it.
class TDialogWalk {
 public:
  TDialogWalk(TPlatformDialog dialog, HWND owner, TSkinData& skin, std::vector<std::wstring>& faults)
      : FDialog(dialog), FOwner(owner), FSkin(skin), FFaults(faults), FDeadline(GetTickCount64() + kDialogLimit) {}

  void Tick(TComponent*) {
    if (FDone) return;
    HWND shown = ShownDialogOf(FOwner);
    if (GetTickCount64() > FDeadline) {
      Fault(L"it never came about");
      return Close(shown ? shown : GetActiveWindow());
    }
    if (!shown || !IsPresented(shown) || !StageReady(shown)) return void(FSettled = 0);
    if (++FSettled < kSettleTicks) return;
    FSettled = 0;
    if (!FUncovered) {
      // Painted again through the message queue, as when another window
      // that covered it goes: each window's paint brings its frame's.
      RedrawWindow(shown, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      FUncovered = true;
      return;
    }
    FUncovered = false;
    CheckFrame(shown);
    const TDialogControls controls = CheckDialogControls(shown, FSkin);
    for (const std::wstring& fault : controls.Faults) Fault(fault);
    for (const wchar_t* skinner : ExpectedSkinners(FDialog, FStage))
      if (!controls.Skinners.count(skinner)) Fault(std::wstring(L"no control has a ") + skinner);
    if (!NextStage(shown)) Close(shown);
  }
  bool Done() const { return FDone; }

 private:
  // What the dialog must show before a stage is checked.
  bool StageReady(HWND shown) {
    switch (FDialog) {
      case pdOpen: {
        HWND list = DescendantOfClass(shown, L"SysListView32");
        if (!list || (GetWindowLongPtrW(list, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT) return false;
        return FStage == 0 || (list != FFirstList && IsWindowVisible(list));
      }
      case pdPropertySheet:
        return IsWindowVisible(PropSheet_IndexToHwnd(shown, FStage));
      default:
        return true;
    }
  }

  // Starts the dialog's next stage; false when it has none.
  bool NextStage(HWND shown) {
    ++FStage;
    FDeadline = GetTickCount64() + kDialogLimit;
    if (FDialog == pdPropertySheet && FStage < kPageCount) return PropSheet_SetCurSel(shown, nullptr, FStage), true;
    if (FDialog == pdOpen && FStage == 1) {
      // Into a sub-folder, as typing its name and pressing Open does: the
      // dialog makes a new view of it.
      FFirstList = DescendantOfClass(shown, L"SysListView32");
      SetWindowTextW(DescendantOfClass(GetDlgItem(shown, kFileNameBox), L"Edit"), L"采访");
      PostMessageW(shown, WM_COMMAND, IDOK, 0);
      return true;
    }
    return false;
  }

  void CheckFrame(HWND shown) {
    TWinSkinForm* skinner = SkinnerOf(shown);
    POINT client{0, 0};
    ClientToScreen(shown, &client);
    const RECT window = WindowBounds(shown);
    if (skinner->FrameTop <= 0 || client.x - window.left != skinner->FrameLeft ||
        client.y - window.top != skinner->FrameTop + skinner->MenuHeight)
      Fault(L"the client area does not sit in the skin's frame");
  }

  void Close(HWND shown) {
    if (shown) ClosePlatformDialog(shown);
    FDone = true;
  }

  void Fault(const std::wstring& what) {
    FFaults.push_back(DialogName(FDialog) + L" (stage " + std::to_wstring(FStage) + L"): " + what);
  }

  TPlatformDialog FDialog;
  HWND FOwner;
  TSkinData& FSkin;
  std::vector<std::wstring>& FFaults;
  ULONGLONG FDeadline;
  int FStage = 0;
  int FSettled = 0;
  HWND FFirstList = nullptr;
  bool FUncovered = false;
  bool FDone = false;
};

// Every dialog once, the Save dialog first, each walked from a timer that
// ticks inside its modal loop.
void WalkEveryDialog(TForm& owner, const std::wstring& folder, TSkinData& skin, std::vector<std::wstring>& faults) {
  for (int i = pdSave; i >= 0; i = i == pdSave ? 0 : i + 1 < kPlatformDialogCount ? i + 1 : -1) {
    const auto dialog = TPlatformDialog(i);
    TDialogWalk walk(dialog, owner.Handle(), skin, faults);
    TTimer timer(nullptr);
    timer.SetInterval(20);
    timer.SetOnTimer(TNotifyEvent::Of<&TDialogWalk::Tick>(walk));
    timer.SetEnabled(true);
    if (dialog == pdSave) {
      // As the recorder's main window shows it.
      TSaveDialog save(nullptr);
      save.SetProperty(L"Filter", std::wstring(L"Wav|*.wav"));
      save.SetProperty(L"DefaultExt", std::wstring(L"wav"));
      save.SetProperty(L"Title", std::wstring(L"保存"));
      SetCurrentDirectoryW(folder.c_str());
      save.Execute();
    } else {
      ShowPlatformDialog(dialog, owner.Handle(), folder);
    }
    if (!walk.Done()) faults.push_back(DialogName(dialog) + L" closed before it was walked");
    Pump(50);
  }
}

TGuiObjects SettledObjects() {
  Pump(200);
  FreeBitmapContexts();
  return CountGuiObjects();
}

}  // namespace

TEST(PlatformDialogs, AreSkinnedThroughoutAndGiveEveryObjectBack) {
  TSkinnedSession session;
  auto* owner = Application.CreateForm<TForm>();
  owner->SetBounds(40, 40, 300, 200);
  owner->SetText(L"录音机");
  ASSERT_TRUE(ShowSkinned(*owner));
  // The pointer stays out of the way: nothing is hot.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  const std::wstring folder = MakeSampleFolder();

  std::vector<std::wstring> faults;
  // The first time round loads what the platform keeps (icons, fonts, the shell's folders).
  WalkEveryDialog(*owner, folder, session.Skin(), faults);
  const TGuiObjects before = SettledObjects();
  WalkEveryDialog(*owner, folder, session.Skin(), faults);
  const TGuiObjects after = SettledObjects();
  std::cout << "GDI " << before.Gdi << " -> " << after.Gdi << ", USER " << before.User << " -> " << after.User
            << std::endl;
  for (const std::wstring& fault : faults) ADD_FAILURE() << ToUtf8(fault);
  EXPECT_EQ(after, before);
}
