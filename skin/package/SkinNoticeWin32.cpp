// The older-format message as the program shows it: a modal message box
// captioned like the application's other messages.
#include <windows.h>

#include "skin/package/SkinReader.h"
#include "toolkit/platform/Application.h"

void ShowOlderSkinNotice(const std::wstring& message) {
  MessageBoxW(GetActiveWindow(), message.c_str(), Application.Title().c_str(), MB_OK);
}
