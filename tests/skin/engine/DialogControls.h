// What the test of the platform's dialogs checks of a dialog's controls,
// apart from the toolkit's menus (whose short-cut names clash with the
// choice of skinners).
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

class TSkinData;

struct TDialogControls {
  // What is wrong: a control without the skinner that the choice by window
  // class and style names for it (looked for inside pages, views and simple
  // combo boxes too), a list view whose visible column header is not
  // skinned, a scrolling control that the screen shows otherwise than
  // painting it again gives, a hot tool button or a track bar's thumb that
  // does not show the skin's image.
  std::vector<std::wstring> Faults;
  // The classes of the skinners found ("TSkinButton", "TSkinHeader", ...).
  std::set<std::wstring> Skinners;
};

TDialogControls CheckDialogControls(HWND parent, TSkinData& skin);
