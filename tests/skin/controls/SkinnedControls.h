// What the tests of the control skinners share: the program's own skin in a
// skin data component, a shown form to put real controls on, real mouse
// input, and pixels read back from the screen.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "skin/model/SkinData.h"
#include "skin/model/SkinShared.h"
#include "support/MouseInput.h"
#include "tools/gallery/Gallery.h"
#include "toolkit/forms/Form.h"
#include "toolkit/platform/Application.h"

// The default skin as the build packs it, from the test program's resource QUILLSKIN.
inline void LoadProgramSkin(TSkinData& skin) { ASSERT_TRUE(LoadSkinResource(skin, L"QUILLSKIN")); }

// Handles messages until done() holds, for at most timeout milliseconds.
template <typename Condition>
bool PumpUntil(Condition done, DWORD timeout = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeout) return false;
    Application.ProcessMessages();
    Sleep(5);
  }
  return true;
}

inline void Pump(DWORD milliseconds = 50) { Application.ProcessMessagesFor(milliseconds); }

inline POINT ScreenPoint(HWND wnd, int x, int y) {
  POINT point{x, y};
  ClientToScreen(wnd, &point);
  return point;
}

// Handles the input sent so far: until none waits for this thread.
inline void HandleInput() {
  PumpUntil([] { return GetQueueStatus(QS_INPUT) == 0; }, 1000);
  Pump();
}

// The mouse as a user moves it: input the system routes to the window under it.
inline void MouseTo(POINT screen) {
  SendMouseMove(screen);
  PumpUntil([&] {
    POINT cursor{};
    GetCursorPos(&cursor);
    return cursor.x == screen.x && cursor.y == screen.y;
  }, 1000);
  HandleInput();
}

inline void MouseButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(input));
  HandleInput();
}

// What value() settles on: it is read until it equals expected, for at most
// three seconds, and the last reading is returned for the test to compare.
template <typename Value, typename T>
T Eventually(Value value, T expected) {
  T last = value();
  PumpUntil([&] { return (last = value()) == expected; });
  return last;
}

// Both buttons at once: a press may start a modal loop (a scroll bar's)
// that returns only when the release comes.
inline void ClickAt(POINT screen) {
  MouseTo(screen);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
  HandleInput();
}

// What the screen shows at a point of a window (window coordinates, frame included).
inline COLORREF ScreenPixel(HWND wnd, int x, int y) {
  RECT rect;
  GetWindowRect(wnd, &rect);
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, rect.left + x, rect.top + y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// A pixel of a skin image: frame `frame` (1-based) of count side by side, at (x, y) in the frame.
inline COLORREF ImagePixel(TBitmap& image, int count, int frame, int x, int y) {
  return GetPixel(image.Canvas().Handle(), (frame - 1) * (image.Width() / count) + x, y);
}

// A shown form in the skin's face colour, as a form skinner leaves it, with
// the program's skin loaded and the engine's scratch bitmap started.
class SkinnedForm : public ::testing::Test {
 protected:
  void SetUp() override {
    Application.Initialize();
    StartSkinShared();
    LoadProgramSkin(Skin);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(40, 40, 480, 360);
    Form->SetColor(Skin.Colours.ButtonFace);
    Form->Show();
    Pump();
  }
  void TearDown() override {
    Form.reset();
    StopSkinShared();
  }
  template <class Control>
  Control* Add(int left, int top, int width, int height, const std::wstring& text = L"") {
    auto* control = new Control(Form.get());
    control->SetParent(Form.get());
    control->SetBounds(left, top, width, height);
    if (!text.empty()) control->SetText(text);
    return control;
  }
  // Shows what changed: every window repainted.
  void Settle() {
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
  }

  TSkinData Skin{nullptr};
  std::unique_ptr<TForm> Form;
};
