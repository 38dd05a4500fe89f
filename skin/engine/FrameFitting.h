// FitFrame's arithmetic: the window size that puts the client area a window
// had under the platform's frame inside the skin's frame, and the widening of
// message boxes whose caption would not fit their title bar; and the least
// size a skinned window can be dragged to.
#pragma once

#include <span>
#include <string_view>

#include "skin/engine/FrameMetrics.h"
#include "skin/engine/SysButtonLayout.h"

// The title element's numbers that take room beside the caption.
struct TTitleMargins {
  int TextShift = 0, TextRightClip = 0, TXTBackleft = 0, TXTBackRight = 0;
};

struct TFitFrameInput {
  TSkinRect ClientAtAttach;  // the client rectangle saved at attach time or by the last fit
  TSkinRect CurrentClient;   // GetClientRect now
  bool Reload = false;
  // Whether the skin took the window's caption style away (a window without
  // an owner); then the window, its size now and what the platform's frame
  // took of it at attach time.
  bool CaptionRemoved = false;
  TSkinSize Window;
  TSkinSize PlatformFrame;
  // How much the client area grew when the skin took the platform's menu bar off.
  int PlatformMenuHeight = 0;
  TFrameSizes Frame;
  int MenuHeight = 0;
  // Message boxes only (IsMessageBoxClass): the caption's width as the title
  // measures it, and the room the buttons at the title's right end keep free
  // of a popup's caption (CaptionButtonsRoom).
  bool WidensForCaption = false;
  int CaptionWidth = 0;
  int ButtonsRoom = 0;
  TTitleMargins Title;
};

struct TFitFrame {
  TSkinRect ClientAtAttach;  // the saved client rectangle from now on
  TSkinSize Window;          // the size to give the window (SWP_NOMOVE)
  int ChildShift = 0;        // how far every child window moves right
  bool operator==(const TFitFrame&) const = default;
};

// Not for a maximised window: that one only gets its frame refreshed. The
// client area is the one the window has under the platform's frame. A window
// that keeps its caption style keeps the platform's frame until now, and its
// client area is the current one less the menu bar the skin took off: so a
// dialog that restyles and lays itself out after it was attached keeps that
// layout. A window without its caption style (whose client area the platform
// may already have widened over the caption) has its size now less what the
// platform's frame took at attach time. A reload keeps the width of the
// client saved before and the height of the client now. A message box too
// narrow for its caption in the title, with the title's margins and room for
// its buttons, is widened to that, and its controls move right by half the
// difference, so they stay centred.
TFitFrame FitFrame(const TFitFrameInput& in);

// "TMessageForm" and "#32770", exactly: the message boxes FitFrame widens.
bool IsMessageBoxClass(std::wstring_view windowClass);

// What a skinned window's least tracking size must keep.
struct TMinTrackInput {
  TFrameSizes Frame;
  int MenuHeight = 0;
  TTitleMargins Title;
  bool Popup = false;       // the window style has WS_POPUP: its caption ends before the buttons
  int CaptionMinWidth = 0;  // the caption prefix, its first characters and an ellipsis, measured
};

// As the platform's does, the least size keeps the whole frame (the client
// area may shrink to nothing), the buttons placed from the left (the icon)
// apart from those placed from the right, and room in the title for a few
// caption characters ending in an ellipsis: the caption starts TextShift and
// the TextBack cap in, and ends before the title's right clip or, in a popup,
// 5 pixels before the buttons at the right.
TSkinSize MinTrackSize(const TMinTrackInput& in, std::span<const TSysButtonInfo> buttons, const TTitleState& state);
