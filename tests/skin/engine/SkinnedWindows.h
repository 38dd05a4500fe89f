// What the tests of skinned windows share: the program's stored skin and
// edited copies of it, a skin data component loaded as a form loads it (so
// the engine's manager and hook exist), forms with a menu, real input
// through the platform's input queue, and waiting on the message loop.
#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSysButton.h"
#include "skin/model/SkinData.h"
#include "skin/package/SkinReader.h"
#include "toolkit/forms/Form.h"
#include "toolkit/platform/FileStream.h"
#include "toolkit/platform/Application.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinPackage.h"

using Bytes = std::vector<uint8_t>;

// A skin package stored in this test program under that resource name.
inline Bytes SkinPackageResource(const wchar_t* name) {
  HRSRC found = FindResourceW(nullptr, name, reinterpret_cast<LPCWSTR>(RT_RCDATA));
  auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
  return Bytes(bytes, bytes + SizeofResource(nullptr, found));
}

// The program's skin package as the build packs it (also stored in this test program).
inline Bytes DefaultSkinPackage() { return SkinPackageResource(L"DEFAULTSKIN"); }

// The default skin's files, changed by edit, packed again.
inline Bytes EditedSkinPackage(const std::function<void(std::vector<TPackageFile>&)>& edit) {
  Bytes stored = DefaultSkinPackage();
  TMemoryStream package;
  package.WriteBuffer(stored.data(), static_cast<int32_t>(stored.size()));
  TSkinReader reader;
  reader.ReadPackage(package);
  std::vector<TPackageFile> files;
  for (const std::string& name : reader.FileNames()) {
    TMemoryStream file;
    reader.ExtractFile(name, file);
    files.push_back({name, file.Bytes()});
  }
  edit(files);
  return CompressWithCount(ExpandedPackage(files));
}

inline TPackageFile& FileNamed(std::vector<TPackageFile>& files, const std::string& name) {
  return *std::find_if(files.begin(), files.end(), [&](const TPackageFile& file) { return file.Name == name; });
}

// The description with key in section set to value (the key must be there).
inline void SetIniValue(std::vector<TPackageFile>& files, const std::string& section, const std::string& key,
                        const std::string& value) {
  TPackageFile& ini = FileNamed(files, "skin.ini");
  std::string text(ini.Bytes.begin(), ini.Bytes.end());
  size_t at = text.find(key + "=", text.find("[" + section + "]"));
  size_t end = text.find_first_of("\r\n", at);
  text.replace(at, end - at, key + "=" + value);
  ini.Bytes.assign(text.begin(), text.end());
}

// A skin data component read as a form reads it: its stored skin, Active,
// then Loaded, which brings the engine's manager and hook. No window has been
// activated yet, so the first activated window is skinned by the hook.
class TSkinnedSession {
 public:
  explicit TSkinnedSession(bool active = true, const Bytes& package = DefaultSkinPackage()) {
    Application.Initialize();
    FSkin = new TSkinData(&FOwner);
    FSkin->BeginLoading();
    // As a layout stores it: the package's byte count, then the package.
    TLayoutBinary stored;
    for (int shift = 0; shift < 32; shift += 8) stored.push_back(static_cast<uint8_t>(package.size() >> shift));
    stored.insert(stored.end(), package.begin(), package.end());
    FSkin->ReadSkinStream(stored);
    FSkin->SetActive(active);
    FSkin->EndLoading();
  }
  ~TSkinnedSession() { Application.DestroyForms(); }
  TSkinData& Skin() { return *FSkin; }
  TSkinManage& Manager() { return *SkinManager(); }

 private:
  TSkinEngineScope FEngine;
  TComponent FOwner{nullptr};
  TSkinData* FSkin;
};

// Handles messages until done() holds or milliseconds have passed; done()'s last answer.
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000) {
  ULONGLONG end = GetTickCount64() + milliseconds;
  while (!done()) {
    if (GetTickCount64() > end) return false;
    Application.ProcessMessagesFor(10);
  }
  return true;
}

inline void Pump(DWORD milliseconds) { Application.ProcessMessagesFor(milliseconds); }

inline TWinSkinForm* SkinnerOf(HWND wnd) { return SkinManager() ? SkinManager()->FindSkinnedForm(wnd) : nullptr; }

// Skinned and presented: its frame is the skin's.
inline bool IsPresented(HWND wnd) {
  TWinSkinForm* skinner = SkinnerOf(wnd);
  return skinner && skinner->LifeState == flSkinned;
}

inline SIZE ClientSize(HWND wnd) {
  RECT client{};
  GetClientRect(wnd, &client);
  return {client.right, client.bottom};
}

inline RECT WindowBounds(HWND wnd) {
  RECT rect{};
  GetWindowRect(wnd, &rect);
  return rect;
}

// A point of the window in screen coordinates.
inline POINT AtWindow(HWND wnd, int x, int y) {
  RECT rect = WindowBounds(wnd);
  return {rect.left + x, rect.top + y};
}

inline POINT CentreOf(const TSkinRect& bounds, HWND wnd) {
  return AtWindow(wnd, (bounds.Left + bounds.Right) / 2, (bounds.Top + bounds.Bottom) / 2);
}

// The screen's pixels in area, row by row.
inline std::vector<COLORREF> ScreenPixels(const RECT& area) {
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  for (LONG y = area.top; y < area.bottom; ++y)
    for (LONG x = area.left; x < area.right; ++x) pixels.push_back(GetPixel(screen, x, y));
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The visible title button of the skin's action, if any.
inline TWinSysButton* ButtonOfAction(TWinSkinForm& skinner, int action) {
  for (auto& button : skinner.SysButtons)
    if (button->Visible && button->Element.Action == action) return button.get();
  return nullptr;
}

// Real input, through the platform's input queue.
inline void MouseInput(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof(input));
}
inline void MoveMouse(POINT screen) { MouseInput(screen, 0); }
inline void PressLeft(POINT screen) { MouseInput(screen, MOUSEEVENTF_LEFTDOWN); }
inline void ReleaseLeft(POINT screen) { MouseInput(screen, MOUSEEVENTF_LEFTUP); }
inline void ClickRight(POINT screen) {
  MouseInput(screen, MOUSEEVENTF_RIGHTDOWN);
  MouseInput(screen, MOUSEEVENTF_RIGHTUP);
}

inline void KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(input));
}
inline void TapKey(WORD key) {
  KeyInput(key, false);
  KeyInput(key, true);
}
inline void TapAltWith(WORD key) {
  KeyInput(VK_MENU, false);
  TapKey(key);
  KeyInput(VK_MENU, true);
}

// Input sent from a thread of its own while the test's thread handles
// messages: a modal loop that input starts (a menu, a move) returns only when
// later input ends it.
class TInputThread {
 public:
  explicit TInputThread(std::function<void()> script)
      : FThread([this, script = std::move(script)] {
          script();
          FDone = true;
        }) {}
  ~TInputThread() { FThread.join(); }
  TInputThread(const TInputThread&) = delete;
  TInputThread& operator=(const TInputThread&) = delete;
  bool Done() const { return FDone; }

 private:
  std::atomic<bool> FDone{false};
  std::thread FThread;
};

// Waits (on the input thread) until a condition on windows holds.
inline bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = 5000) {
  ULONGLONG end = GetTickCount64() + milliseconds;
  while (!done()) {
    if (GetTickCount64() > end) return false;
    Sleep(10);
  }
  return true;
}

// The visible drop-down or popup menu window, if any.
inline HWND OpenMenuWindow() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// A visible drop-down or popup menu window whose left edge is at x, if any.
inline HWND MenuOpenAt(LONG x) {
  struct TSearch {
    LONG X;
    HWND Found = nullptr;
  } search{x};
  EnumWindows(
      [](HWND wnd, LPARAM data) -> BOOL {
        auto& wanted = *reinterpret_cast<TSearch*>(data);
        wchar_t name[16] = {};
        GetClassNameW(wnd, name, 16);
        if (std::wstring_view(name) != L"#32768" || !IsWindowVisible(wnd)) return TRUE;
        if (WindowBounds(wnd).left != wanted.X) return TRUE;
        wanted.Found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// Ends a menu loop that a failing test would otherwise leave open for good.
class TMenuLoopGuard {
 public:
  TMenuLoopGuard() : FTimer(SetTimer(nullptr, 0, 15000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); })) {}
  ~TMenuLoopGuard() { KillTimer(nullptr, FTimer); }
  TMenuLoopGuard(const TMenuLoopGuard&) = delete;
  TMenuLoopGuard& operator=(const TMenuLoopGuard&) = delete;

 private:
  UINT_PTR FTimer;
};

// A form with a menu bar: File (Open, -, Recent (One), Exit), Edit (Undo), Help (About).
class TMenuForm : public TForm {
 public:
  explicit TMenuForm(TComponent* owner, const wchar_t* caption = L"Skinned form") : TForm(owner) {
    SetBounds(120, 100, 360, 260);
    SetText(caption);
    auto* bar = new TMainMenu(this);
    File = Item(bar, L"&File");
    Open = Item(File, L"&Open");
    Item(File, L"-");
    Recent = Item(File, L"&Recent");
    One = Item(Recent, L"One");
    Exit = Item(File, L"E&xit");
    Edit = Item(bar, L"&Edit");
    Item(Edit, L"&Undo");
    Help = Item(bar, L"&Help");
    About = Item(Help, L"&About");
    SetMenu(bar);
  }
  TMenuItem* Item(TMenuItem* parent, const wchar_t* caption) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }

  TMenuItem *File, *Open, *Recent, *One, *Exit, *Edit, *Help, *About;
};

// A window without a toolkit form, as a program without the toolkit makes
// one, of the given style and outer size at (x, y), shown and brought to the front.
inline HWND BareWindow(DWORD style, RECT outer, HMENU menu = nullptr, const wchar_t* caption = L"Bare") {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"BareWindow";
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
  HWND wnd = CreateWindowExW(0, L"BareWindow", caption, style, outer.left, outer.top, outer.right - outer.left,
                             outer.bottom - outer.top, nullptr, menu, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(wnd, SW_SHOW);
  SetForegroundWindow(wnd);
  return wnd;
}

// Writes a package where SkinFile can name it.
inline void WritePackage(const std::wstring& path, const Bytes& package) {
  TFileStream file(path, fmCreate);
  file.WriteBuffer(package.data(), static_cast<int32_t>(package.size()));
}

// Shows form and waits until the skin has presented its frame.
inline bool ShowSkinned(TForm& form) {
  form.Show();
  return PumpUntil([&] { return IsPresented(form.Handle()); });
}
