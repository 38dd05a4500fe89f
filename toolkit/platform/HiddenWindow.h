// Windows nobody sees that receive messages for the program: the application
// window, the owner of pop-up menus, the window that wakes the main thread.
#pragma once

#include <windows.h>

#include "toolkit/platform/OwnedHandle.h"

struct THiddenWindowParams {
  const wchar_t* ClassName;  // registered on first use, with procedure
  WNDPROC Procedure;
  HWND Parent = HWND_MESSAGE;  // a message-only window unless it must own something
  DWORD Style = 0;
  DWORD ExStyle = 0;
  const wchar_t* Title = L"";
};

// An Exception when the window cannot be made.
TWindowHandle CreateHiddenWindow(const THiddenWindowParams& params);
