// The application object: the program's standard display of errors that
// leave an event handler, and message processing that also runs the steps
// threads have handed to the main thread.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

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

  // Dispatches every waiting message, then runs queued synchronized steps.
  void ProcessMessages();
  // Processes messages and synchronized steps as they come, for milliseconds.
  void ProcessMessagesFor(DWORD milliseconds);

 private:
  TExceptionEvent FOnException;
};

extern TApplication Application;

// The text shown for an error: an Exception's own message, or what() read in
// the ANSI code page for other errors.
std::wstring ExceptionText(const std::exception& error);
