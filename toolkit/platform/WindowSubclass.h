// Takes over the window procedure of a window the toolkit did not make (a
// form's frame, the MDI client, a system dialog's controls, menu windows):
// the window's messages go to a method of an object, which passes on what it
// does not handle itself with CallPrevious.
//
// Each installation gets its own procedure address, so several may stack on
// one window, mixed with foreign ones, and be removed in any order: removing
// the current one puts the previous procedure back; removing one further down
// leaves the chain as it is, and that one passes every message on until the
// window goes. The window may also die first: WM_NCDESTROY reaches the
// handler as the last message, and Remove then has nothing left to do.
//
// The wide-character window functions are used throughout (SetWindowLongPtrW,
// CallWindowProcW), so texts pass the chain as Unicode.
#pragma once

#include <windows.h>

#include "toolkit/platform/Messages.h"

struct TSubclassEntry;

class TWindowSubclass {
 public:
  TWindowSubclass() = default;
  ~TWindowSubclass() { Remove(); }
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Routes wnd's messages to handler; a window held before is given up first.
  // An Exception when wnd is not a window of this process.
  void Install(HWND wnd, const TWndMethod& handler);
  void Remove();
  // Installed and the window has not gone.
  bool Installed() const { return FEntry != nullptr; }
  // The window last installed on, also after Remove or its destruction.
  HWND Window() const { return FWindow; }
  // The procedure that was current when this one was installed.
  WNDPROC PreviousProc() const { return FPrevious; }
  // The previous procedure's handling of message, whose result it stores.
  // It still works in the handler of the message during which Remove ran.
  void CallPrevious(TMessage& message) const;

 private:
  friend struct TSubclassEntry;
  TSubclassEntry* FEntry = nullptr;
  TWndMethod FHandler;
  HWND FWindow = nullptr;
  WNDPROC FPrevious = nullptr;
};
