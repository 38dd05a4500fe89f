#include "toolkit/platform/Application.h"

#include <new>
#include <utility>

#include "toolkit/core/Exception.h"
#include "toolkit/platform/AnsiText.h"
#include "toolkit/platform/Thread.h"

TApplication Application;

namespace {

const wchar_t kUnknownError[] = L"An error of an unknown kind occurred";

// Posted to the application window: show the errors raised while painting.
constexpr UINT kShowPendingErrors = WM_APP + 0x52;

// Messages during which a modal message box would paint over, or re-enter, what is being drawn.
bool IsPaintingMessage(UINT msg) {
  switch (msg) {
    case WM_PAINT: case WM_NCPAINT: case WM_SYNCPAINT: case WM_ERASEBKGND: case WM_PRINT: case WM_PRINTCLIENT:
    case WM_DRAWITEM: case WM_MEASUREITEM:
      return true;
    default:
      return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
  }
}

}  // namespace

std::wstring ExceptionText(const std::exception& error) {
  if (auto* exception = dynamic_cast<const Exception*>(&error)) return exception->Message();
  if (dynamic_cast<const std::bad_alloc*>(&error)) return L"Out of memory";
  return FromAnsi(error.what());
}

std::wstring CurrentExceptionText() {
  try {
    throw;
  } catch (const std::exception& error) {
    return ExceptionText(error);
  } catch (...) {
    return kUnknownError;
  }
}

void TApplication::HandleException(const std::exception& error) noexcept {
  try {
    if (FOnException)
      FOnException(error);
    else
      ShowException(error);
  } catch (...) {
    // The display itself failed; there is nowhere left to report to.
  }
}

void TApplication::HandleException(const std::exception_ptr& error) noexcept {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& known) {
    HandleException(known);
  } catch (...) {
    HandleException(Exception(kUnknownError));
  }
}

void TApplication::HandleCurrentException(UINT msg) noexcept {
  std::exception_ptr error = std::current_exception();
  if (!IsPaintingMessage(msg)) return HandleException(error);
  try {
    FPendingErrors.push_back(error);
  } catch (...) {
    return;  // no memory to keep it: dropped rather than shown in the middle of a paint
  }
  // Without the application window, the next message loop turn shows it.
  if (FHandle) PostMessageW(FHandle.Get(), kShowPendingErrors, 0, 0);
}

void TApplication::ShowPendingErrors() noexcept {
  std::vector<std::exception_ptr> errors = std::exchange(FPendingErrors, {});
  for (const std::exception_ptr& error : errors) HandleException(error);
}

LRESULT CALLBACK TApplication::WindowProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg != kShowPendingErrors) return DefWindowProcW(wnd, msg, wparam, lparam);
  Application.ShowPendingErrors();
  return 0;
}

HWND TApplication::ActiveFormHandle() const {
  if (HWND active = GetActiveWindow()) return active;
  return FLastActiveForm ? (this->*FLastActiveForm)() : nullptr;
}

void TApplication::ShowException(const std::exception& error) {
  std::wstring text = ExceptionText(error);
  std::wstring title = Title();
  HWND owner = ActiveFormHandle();
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP | (owner ? MB_APPLMODAL : MB_TASKMODAL));
}

std::wstring TApplication::Title() const {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path);
  name.erase(0, name.find_last_of(L"\\/") + 1);
  return name.substr(0, name.find_last_of(L'.'));
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
  CheckSynchronize();
  ShowPendingErrors();
}

void TApplication::ProcessMessagesLeavingInput() {
  // Every message but the mouse's (client and non-client) and the keyboard's.
  static constexpr TMessageRange kNonInputRanges[] = {
      {1, WM_NCMOUSEMOVE - 1},
      {WM_NCXBUTTONDBLCLK + 1, WM_KEYFIRST - 1},
      {WM_KEYLAST + 1, WM_MOUSEFIRST - 1},
      {WM_MOUSELAST + 1, 0xFFFF},
  };
  MSG msg;
  for (bool found = true; found;) {
    found = false;
    for (const TMessageRange& range : kNonInputRanges)
      while (ProcessMessage(msg, range)) found = true;
  }
  CheckSynchronize();
  ShowPendingErrors();
}

bool TApplication::ProcessMessage(MSG& msg, const TMessageRange& range) {
  if (!PeekMessageW(&msg, nullptr, range.First, range.Last, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (!FPreTranslate || !(this->*FPreTranslate)(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void TApplication::HandleMessage() {
  MSG msg;
  if (ProcessMessage(msg)) return;
  if (CheckSynchronize()) return;
  if (!FPendingErrors.empty()) return ShowPendingErrors();
  Idle();
  HANDLE requested = SyncRequestEvent();
  MsgWaitForMultipleObjects(1, &requested, FALSE, INFINITE, QS_ALLINPUT);
  CheckSynchronize();
}

void TApplication::ProcessMessagesFor(DWORD milliseconds) {
  ULONGLONG end = GetTickCount64() + milliseconds;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    Idle();
    HANDLE requested = SyncRequestEvent();
    MsgWaitForMultipleObjects(1, &requested, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    ProcessMessages();
  }
}

void TApplication::AddIdleStep(void (*step)()) { FIdleSteps.push_back(step); }

void TApplication::Idle() {
  for (auto step : FIdleSteps) step();
}
