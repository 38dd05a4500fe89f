// The program's main block: the application, its main window, the message loop.
#include <windows.h>

#include "recorder/Main.h"
#include "toolkit/platform/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    Application.Initialize();
    Application.CreateForm<TMainForm>();
    Application.Run();
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
  return 0;
}
