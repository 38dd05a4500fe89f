// FitFrame's arithmetic: the window size that puts the client area a window
// had under the platform's frame inside the skin's frame, and the widening of
// message boxes whose caption would not fit their title bar.
#pragma once

#include <string>
#include <string_view>

#include "skin/engine/FrameMetrics.h"

// The title element's numbers that take room beside the caption.
struct TTitleMargins {
  int TextShift = 0, TextRightClip = 0, TXTBackleft = 0, TXTBackRight = 0;
};

struct TFitFrameInput {
  TSkinRect ClientAtAttach;  // the client rectangle saved at attach time
  TSkinRect CurrentClient;   // GetClientRect now; read only when reloading
  bool Reload = false;
  bool ToolkitForm = false;
  int WindowHeight = 0;
  int SystemFrameHeight = 0;  // SM_CYFRAME
  int SystemCaptionHeight = 0;  // SM_CYCAPTION
  TFrameSizes Frame;
  int MenuHeight = 0;
  // Message boxes only (IsMessageBoxClass): the caption's length in blanks
  // (CaptionCells) and the width of a blank in the caption font.
  bool WidensForCaption = false;
  int CaptionCells = 0;
  int BlankWidth = 0;
  TTitleMargins Title;
};

struct TFitFrame {
  TSkinRect ClientAtAttach;  // the saved client rectangle from now on
  TSkinSize Window;          // the size to give the window (SWP_NOMOVE)
  int ChildShift = 0;        // how far every child window moves right
  bool operator==(const TFitFrame&) const = default;
};

// Not for a maximised window: that one only gets its frame refreshed. The
// width comes from the client width saved before this fit; the height from
// the refreshed client height. A toolkit form's client height is derived from
// its window height under the platform's caption and frame, as the form
// stood before its caption style was removed. A message box narrower than its
// caption plus seven blanks and the title margins is widened to that, and its
// controls move right by half the difference, so they stay centred.
TFitFrame FitFrame(const TFitFrameInput& in);

// "TMessageForm" and "#32770", exactly: the message boxes FitFrame widens.
bool IsMessageBoxClass(std::wstring_view windowClass);

// The caption's length as its ANSI text had it in the Chinese code page:
// a character beyond ASCII takes two bytes and is about two blanks wide in the
// caption font. Counting wide characters instead would make room for half of
// a Chinese caption.
int CaptionCells(std::wstring_view caption);
