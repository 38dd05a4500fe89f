// The application object: the program's forms and message loop, the standard
// display of errors that leave an event handler, the hint of the control under
// the mouse, and message processing that also runs the steps threads have
// handed to the main thread.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/core/Component.h"
#include "toolkit/core/Method.h"
#include "toolkit/platform/OwnedHandle.h"

class TControl;
class TForm;

class TApplication {
 public:

  using TExceptionEvent = std::function<void(const std::exception&)>;

  const TExceptionEvent& OnException() const { return FOnException; }
  void SetOnException(TExceptionEvent handler) { FOnException = std::move(handler); }

  // The standard display: OnException when set, else ShowException. It never
  // raises, so it may be called at any boundary (thread entry, window procedure).
  void HandleException(const std::exception& error) noexcept;
  // A message box with the error's wide text, titled with Title.
  void ShowException(const std::exception& error);

  // The caption of the application's message boxes: the program file's name.
  std::wstring Title() const;

  // Creates the hidden "TApplication" window and the tool tip window.
  void Initialize();
  HWND Handle() const { return FHandle.Get(); }
  // Constructs a form owned by the application; the first becomes the main
  // form. Its OnCreate runs once it is built.
  template <class Form>
  Form* CreateForm() {
    auto form = std::make_unique<Form>(nullptr);
    Form* created = form.get();
    AddForm(std::move(form));
    return created;
  }
  TForm* MainForm() const { return FMainForm; }
  // Shows the main form and handles messages until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Waits for the next message or synchronized step and handles it.
  void HandleMessage();
  // Destroys the forms, last created first; Run does this when it ends.
  void DestroyForms();

  // The long part of the hint of the control under the mouse ("short|long").
  const std::wstring& Hint() const { return FHint; }
  void SetHint(const std::wstring& hint);
  using TNotifyEvent = TMethod<TComponent*>;
  const TNotifyEvent& OnHint() const { return FOnHint; }
  void SetOnHint(const TNotifyEvent& handler) { FOnHint = handler; }
  TControl* MouseControl() const { return FMouseControl; }
  // A control that goes away must not stay the one under the mouse.
  void ControlDestroying(TControl* control);

  // Dispatches every waiting message, then runs queued synchronized steps.
  void ProcessMessages();
  // Processes messages and synchronized steps as they come, for milliseconds.
  void ProcessMessagesFor(DWORD milliseconds);

 private:
  void AddForm(std::unique_ptr<TForm> form);
  bool ProcessMessage(MSG& msg);
  bool PreTranslate(MSG& msg);
  void UpdateMouseControl();
  void ShowToolTip(TControl* control);

  TExceptionEvent FOnException;
  TWindowHandle FHandle;
  TWindowHandle FToolTip;
  std::vector<HWND> FToolWnds;  // the hinted control's window and its children
  // Set by Initialize, so a program without forms links no forms code.
  bool (TApplication::*FPreTranslate)(MSG&) = nullptr;
  std::vector<std::unique_ptr<TComponent>> FForms;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  std::wstring FHint;
  TNotifyEvent FOnHint;
  TControl* FMouseControl = nullptr;
};

extern TApplication Application;

// The text shown for an error: an Exception's own message, or what() read in
// the ANSI code page for other errors.
std::wstring ExceptionText(const std::exception& error);
