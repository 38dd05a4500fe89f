#include "toolkit/platform/Application.h"

#include "toolkit/core/Exception.h"
#include "toolkit/platform/AnsiText.h"
#include "toolkit/platform/Thread.h"

TApplication Application;

std::wstring ExceptionText(const std::exception& error) {
  if (auto* exception = dynamic_cast<const Exception*>(&error)) return exception->Message();
  return FromAnsi(error.what());
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

void TApplication::ShowException(const std::exception& error) {
  std::wstring text = ExceptionText(error);
  std::wstring title = Title();
  MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
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
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
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
  HANDLE requested = SyncRequestEvent();
  MsgWaitForMultipleObjects(1, &requested, FALSE, INFINITE, QS_ALLINPUT);
  CheckSynchronize();
}

void TApplication::ProcessMessagesFor(DWORD milliseconds) {
  ULONGLONG end = GetTickCount64() + milliseconds;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    HANDLE requested = SyncRequestEvent();
    MsgWaitForMultipleObjects(1, &requested, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    ProcessMessages();
  }
}
