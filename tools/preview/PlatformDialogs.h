// The platform's own dialogs as a program shows them (the Open dialog, the
// colour and font pickers, print and page set-up, find and replace, the
// folder browser, a property sheet of two pages, a task dialog), for the
// preview's pictures and the tests that check they are skinned. A program
// that shows them carries PlatformDialogs.rc (the property sheet's pages) and
// the manifest of the common controls the recorder runs with.
#pragma once

#include <windows.h>

#include <string>

enum TPlatformDialog {
  pdOpen,
  pdColour,
  pdFont,
  pdPrint,
  pdPageSetup,
  pdFind,
  pdReplace,
  pdFolder,
  pdPropertySheet,
  pdTaskDialog,
};
constexpr int kPlatformDialogCount = pdTaskDialog + 1;

// The picture's name: "open", "color", "font", ...
const wchar_t* PlatformDialogName(TPlatformDialog dialog);

// Shows dialog, owned by owner, and returns once it has been closed. The
// Open dialog and the folder browser start in folder; the find and replace
// dialogs, which are modeless, are given a loop of their own until they go.
void ShowPlatformDialog(TPlatformDialog dialog, HWND owner, const std::wstring& folder);

// The shown dialog box of this thread that owner owns, if any.
HWND ShownDialogOf(HWND owner);

// Closes a dialog that ShowPlatformDialog shows, as its Cancel button would.
void ClosePlatformDialog(HWND dialog);

// The folder "录音" in the user's documents, made if missing and filled with
// the same recordings and sub-folders every time, their times fixed, so that
// the dialogs show it alike on every run; answers its path.
std::wstring MakeSampleFolder();

// The property sheet's pages (controls on each; the second is made only when
// it is first selected).
constexpr int kPageCount = 2;
