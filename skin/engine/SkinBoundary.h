// The skin engine's error rule, in one place. The engine never reports: where
// the platform or the toolkit calls into it (its hooks, the window procedures
// and subclasses it installs, its timers, its painting), whatever fails is
// traced and swallowed, and what could not be done keeps the platform's look.
// A message whose handler failed before it passed the message on is passed on
// then, so the layers below see every message once. What the engine hands
// back to the toolkit (a message passed on to a toolkit control or form, a
// toolkit control's click) is the toolkit's again: there the application's
// error display shows what fails, as it would without the skin.
#pragma once

#include <windows.h>

#include "skin/engine/SkinTrace.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/Messages.h"

// Inside a catch: the error being handled goes to the trace.
inline void TraceSkinError(const wchar_t* where) noexcept {
  try {
    try {
      throw;
    } catch (const std::exception& error) {
      SkinTrace(L"%s: %s", {where, ExceptionText(error)});
    } catch (...) {
      SkinTrace(L"%s: an error of an unknown kind", {where});
    }
  } catch (...) {
    // Not even the trace line could be made: the error is dropped.
  }
}

// body, run where the platform calls the engine (a hook, a timer, painting).
template <class Body>
void SkinBoundary(const wchar_t* where, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    TraceSkinError(where);
  }
}

// Where a message goes on from a procedure the engine installed: the window
// procedure below it, or the toolkit WindowProc it took the place of. A value,
// taken when the message arrives, so it still serves once the engine's object
// that handled the message is gone.
class TPassOn {
 public:
  static TPassOn Procedure(WNDPROC procedure, HWND wnd) { return TPassOn(procedure, wnd, {}); }
  static TPassOn Toolkit(const TWndMethod& method) { return TPassOn(nullptr, nullptr, method); }
  // Also when the handler that calls it is inside a SkinMessageBoundary: the
  // message counts as passed on.
  void operator()(TMessage& message) const noexcept;

 private:
  TPassOn(WNDPROC procedure, HWND wnd, const TWndMethod& method)
      : FProcedure(procedure), FWindow(wnd), FMethod(method) {}
  WNDPROC FProcedure;
  HWND FWindow;
  TWndMethod FMethod;
};

// One message in a procedure the engine installed, from its arrival until
// its handler returns. The frames of nested messages stack.
class TSkinMessageFrame {
 public:
  explicit TSkinMessageFrame(const TMessage& message) noexcept : FMessage(&message), FOuter(Top()) { Top() = this; }
  ~TSkinMessageFrame() { Top() = FOuter; }
  TSkinMessageFrame(const TSkinMessageFrame&) = delete;
  TSkinMessageFrame& operator=(const TSkinMessageFrame&) = delete;

  bool Passed() const { return FPassed; }
  // The innermost frame of message notes that it went on.
  static void NotePassedOn(const TMessage& message) noexcept {
    for (TSkinMessageFrame* frame = Top(); frame; frame = frame->FOuter)
      if (frame->FMessage == &message) return void(frame->FPassed = true);
  }

 private:
  static TSkinMessageFrame*& Top() {
    thread_local TSkinMessageFrame* top = nullptr;
    return top;
  }
  const TMessage* FMessage;
  TSkinMessageFrame* FOuter;
  bool FPassed = false;
};

inline void TPassOn::operator()(TMessage& message) const noexcept {
  TSkinMessageFrame::NotePassedOn(message);
  try {
    if (FMethod)
      FMethod(message);
    else if (FProcedure)
      message.Result = CallWindowProcW(FProcedure, FWindow, message.Msg, message.WParam, message.LParam);
  } catch (...) {
    Application.HandleCurrentException(message.Msg);
  }
}

// body handles message in a procedure the engine installed; when it fails
// before the message went on, passOn takes it.
template <class Body>
void SkinMessageBoundary(const wchar_t* where, TMessage& message, const TPassOn& passOn, Body&& body) noexcept {
  TSkinMessageFrame frame(message);
  try {
    body();
  } catch (...) {
    TraceSkinError(where);
    if (!frame.Passed()) passOn(message);
  }
}

// A call into the toolkit from inside the engine (a toolkit control's click):
// the toolkit's rule holds for it.
template <class Call>
void ToolkitCall(UINT msg, Call&& call) noexcept {
  try {
    call();
  } catch (...) {
    Application.HandleCurrentException(msg);
  }
}
