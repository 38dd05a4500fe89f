// TWinSkinPopMenu: takes over one menu window (class "#32768") and paints
// its 3-pixel frame, and its whole background when the menu prints itself,
// from the skin's MenuBackground element. The owner-drawn items copy the
// background under them (the menu-item painter finds it through the skin
// manager by the menu handle this skinner learns from the first item drawn).
#pragma once

#include <windows.h>

#include "toolkit/graphics/Graphics.h"
#include "toolkit/platform/WindowSubclass.h"

class TSkinData;

class TWinSkinPopMenu {
 public:
  TWinSkinPopMenu() = default;
  ~TWinSkinPopMenu();
  TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
  TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

  void Attach(HWND window, TSkinData& data, HMENU menu);
  void Detach();
  bool Attached() const { return FThunk.Installed(); }

  HWND Window = nullptr;
  TSkinData* SkinData = nullptr;
  TBitmap Background;
  HMENU MenuHandle = nullptr;

 private:
  void WndProc(TMessage& message);
  void HandleMessage(TMessage& message);
  void Default(TMessage& message);
  // False when the skin has no background: the message is then the platform's.
  bool RenderBackground();
  void PaintFrameRing();
  void WMNcPaint(TMessage& message);
  void WMPaint(TMessage& message);
  void WMPrint(TMessage& message);

  TWindowSubclass FThunk;
};
