// The program's main block: the application, its main window, the message loop.
#include <windows.h>

#include "recorder/Main.h"
#include "skin/engine/SkinEngine.h"
#include "toolkit/platform/Application.h"

// The skin engine outlives the forms: they are freed when Run ends, and the
// engine's manager with them after.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TSkinEngineScope skinEngine;
  try {
    Application.Initialize();
    Application.CreateForm<TMainForm>();
    Application.Run();
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
  return 0;
}
