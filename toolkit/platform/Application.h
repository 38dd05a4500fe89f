// The application object: the program's forms and message loop, the standard
// display of errors that leave an event handler, the hint of the control under
// the mouse, and message processing that also runs the steps threads have
// handed to the main thread.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "toolkit/core/Component.h"
#include "toolkit/core/Method.h"
#include "toolkit/platform/OwnedHandle.h"

class TControl;
class TForm;

class TApplication {
 public:
  using TExceptionEvent = TMethod<const std::exception&>;

  const TExceptionEvent& OnException() const { return FOnException; }
  void SetOnException(const TExceptionEvent& handler) { FOnException = handler; }

  // The standard display: OnException when set, else ShowException. It never
  // raises, so it may be called at any boundary (thread entry, window procedure).
  void HandleException(const std::exception& error) noexcept;
  // For the catch (...) of a boundary where the platform calls us (window,
  // hook and timer procedures): the error being handled, of any type, goes to
  // the standard display. One raised while a window paints or measures (msg)
  // is shown once that is over, never from inside it.
  void HandleCurrentException(UINT msg = 0) noexcept;
  // A message box with the error's wide text, titled with Title, owned by
  // ActiveFormHandle so that the activation comes back to that form.
  void ShowException(const std::exception& error);
  // The program's active window, else (with forms) its form activated last
  // that is shown and enabled; none when no window is.
  HWND ActiveFormHandle() const;

  // The caption of the application's message boxes: the program file's name.
  std::wstring Title() const;

  // Creates the hidden "TApplication" window and the tool tip window.
  void Initialize();
  HWND Handle() const { return FHandle.Get(); }
  // Constructs a form owned by the application; the first becomes the main
  // form. Its OnCreate runs once it is built.
  template <class Form>
  Form* CreateForm() {
    auto* form = new Form(&FForms);
    AddForm(form);
    return form;
  }
  TForm* MainForm() const { return FMainForm; }
  // Shows the main form and handles messages until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Waits for the next message or synchronized step and handles it.
  void HandleMessage();
  // Frees the forms, last created first; Run does this when it ends.
  void DestroyForms();

  // The long part of the hint of the control under the mouse ("short|long").
  const std::wstring& Hint() const { return FHint; }
  void SetHint(const std::wstring& hint);
  const TNotifyEvent& OnHint() const { return FOnHint; }
  void SetOnHint(const TNotifyEvent& handler) { FOnHint = handler; }
  TControl* MouseControl() const { return FMouseControl; }
  // A control that goes away must not stay the one under the mouse, nor the main form.
  void ControlDestroying(TControl* control);

  // Dispatches every waiting message, then runs queued synchronized steps.
  void ProcessMessages();
  // The same, but keyboard and mouse input stays queued: a handler that runs
  // inside a modal loop (a menu's, a dialog's, a title-bar drag) lets the
  // steps and messages that wait run without taking input the loop is owed.
  void ProcessMessagesLeavingInput();
  // Processes messages and synchronized steps as they come, for milliseconds.
  void ProcessMessagesFor(DWORD milliseconds);
  // Runs step whenever the message loop has nothing to do and is about to
  // wait: it frees what is only worth keeping while work goes on.
  void AddIdleStep(void (*step)());

 private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam);
  void HandleException(const std::exception_ptr& error) noexcept;
  void ShowPendingErrors() noexcept;
  void AddForm(TForm* form);
  void Idle();
  // Messages from First to Last; both 0 for all.
  struct TMessageRange {
    UINT First, Last;
  };
  bool ProcessMessage(MSG& msg, const TMessageRange& range = {});
  bool PreTranslate(MSG& msg);
  HWND LastActiveForm() const;
  void UpdateMouseControl(const MSG& msg);
  void ShowToolTip(TControl* control);

  TExceptionEvent FOnException;
  std::vector<std::exception_ptr> FPendingErrors;  // raised while painting, shown afterwards
  std::vector<void (*)()> FIdleSteps;
  TWindowHandle FHandle;
  TWindowHandle FToolTip;
  std::vector<HWND> FToolWnds;  // the hinted control's window and its children
  // Set by Initialize, so a program without forms links no forms code.
  bool (TApplication::*FPreTranslate)(MSG&) = nullptr;
  HWND (TApplication::*FLastActiveForm)() const = nullptr;  // set where forms are known
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  std::wstring FHint;
  TNotifyEvent FOnHint;
  TControl* FMouseControl = nullptr;
  HWND FLeaveTracked = nullptr;  // the window asked to tell when the mouse leaves it
  TComponent FForms{nullptr};  // owns the forms; the first member to go
};

extern TApplication Application;

// The text shown for an error: an Exception's own message, "Out of memory"
// for a failed allocation, or what() read in the ANSI code page for others.
std::wstring ExceptionText(const std::exception& error);
// The text of the error being handled, of any kind (inside a catch only).
std::wstring CurrentExceptionText();
