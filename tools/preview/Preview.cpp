// preview PACKAGE DIR: shows the recorder's real windows and the platform's
// own dialogs in the skin of a package file (through the main window's
// SkinFile) and writes, for skin authors, a picture of each as it stands on
// screen (pixels outside the window's region transparent) and windows.txt
// with the figures of each.
// A package that cannot be used leaves the platform's look, and says why.
//
// The pictures are 32-bit BMP files; the preview script turns them into PNG.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "recorder/Main.h"
#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSkinMenu.h"
#include "skin/engine/WinSysButton.h"
#include "skin/model/SkinData.h"
#include "skin/package/SkinReader.h"
#include "tools/gallery/Gallery.h"
#include "tools/preview/PlatformDialogs.h"
#include "toolkit/core/Utf8.h"
#include "toolkit/forms/Form.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/FileStream.h"
#include "toolkit/platform/OwnedHandle.h"

namespace {

constexpr DWORD kWaitLimit = 10000;
constexpr unsigned kTick = 20;
constexpr int kSettleTicks = 8;  // paints finish before a picture is taken
constexpr int kScreenReads = 25;  // at most, until two reads of the screen agree
constexpr int kPlacesBar = 1184;  // the Open dialog's bar of places, beside its tool bar

TWinSkinForm* SkinnerOf(HWND wnd) { return SkinManager() ? SkinManager()->FindSkinnedForm(wnd) : nullptr; }

bool Skinning() { return SkinManager() && SkinManager()->Enabled; }

// Shown, and presented in the skin's frame when skinning is on.
bool Ready(HWND wnd) {
  if (!wnd || !IsWindowVisible(wnd)) return false;
  if (!Skinning()) return true;
  TWinSkinForm* skinner = SkinnerOf(wnd);
  return skinner && skinner->LifeState == flSkinned;
}

HWND VisibleWindow(const wchar_t* className) {
  HWND wnd = FindWindowW(className, nullptr);
  return wnd && IsWindowVisible(wnd) ? wnd : nullptr;
}

void WriteLe(FILE* file, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), file);
}

// A 32-bit BMP (BITMAPV5 header, bitfields with alpha), rows bottom up.
void WriteBmp(const std::wstring& path, int width, int height, const std::vector<uint32_t>& argb) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) throw Exception(L"Cannot create file \"%s\".", {path});
  const uint32_t header = 124, pixels = static_cast<uint32_t>(width * height * 4);
  std::fputs("BM", file);
  WriteLe(file, 14 + header + pixels, 4);
  WriteLe(file, 0, 4);
  WriteLe(file, 14 + header, 4);
  WriteLe(file, header, 4);
  WriteLe(file, static_cast<uint32_t>(width), 4);
  WriteLe(file, static_cast<uint32_t>(height), 4);
  WriteLe(file, 1, 2);
  WriteLe(file, 32, 2);
  WriteLe(file, BI_BITFIELDS, 4);
  WriteLe(file, pixels, 4);
  for (int i = 0; i < 4; ++i) WriteLe(file, 0, 4);  // resolution, palette
  for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) WriteLe(file, mask, 4);
  WriteLe(file, 0x73524742, 4);  // sRGB
  for (int i = 0; i < 64; ++i) std::fputc(0, file);  // endpoints, gamma, intent, profile, reserved
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) WriteLe(file, argb[static_cast<size_t>(y * width + x)], 4);
  std::fclose(file);
}

std::wstring Figures(HWND wnd) {
  RECT window{}, client{};
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  std::wstring line = L"window=" + std::to_wstring(window.right - window.left) + L"x" +
                      std::to_wstring(window.bottom - window.top) + L" client=" + std::to_wstring(client.right) +
                      L"x" + std::to_wstring(client.bottom);
  int left, top, right, bottom, menu;
  std::wstring caption, buttons;
  if (TWinSkinForm* skinner = SkinnerOf(wnd)) {
    left = skinner->FrameLeft, top = skinner->FrameTop, right = skinner->FrameRight, bottom = skinner->FrameBottom;
    menu = skinner->MenuHeight;
    caption = skinner->CaptionText;
    for (auto& button : skinner->SysButtons) {
      if (!button->Visible || button->Bounds.IsEmpty()) continue;
      const TSkinRect& b = button->Bounds;
      if (!buttons.empty()) buttons += L";";
      buttons += std::to_wstring(button->Element.Action) + L"@" + std::to_wstring(b.Left) + L"," +
                 std::to_wstring(b.Top) + L"," + std::to_wstring(b.Width()) + L"," + std::to_wstring(b.Height());
    }
  } else {
    menu = GetMenu(wnd) && IsMenu(GetMenu(wnd)) ? GetSystemMetrics(SM_CYMENU) : 0;
    left = origin.x - window.left, top = origin.y - window.top - menu;
    right = window.right - origin.x - client.right, bottom = window.bottom - origin.y - client.bottom;
    wchar_t text[1001] = {};
    GetWindowTextW(wnd, text, 1001);
    caption = text;
  }
  line += L" frame=" + std::to_wstring(left) + L"," + std::to_wstring(top) + L"," + std::to_wstring(right) + L"," +
          std::to_wstring(bottom) + L" menu=" + std::to_wstring(menu);
  TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(wnd, region.Get()) != ERROR) {
    std::vector<uint8_t> data(GetRegionData(region.Get(), 0, nullptr));
    GetRegionData(region.Get(), static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
    line += L" region=" + std::to_wstring(reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount);
  } else {
    line += L" region=none";
  }
  return line + L" caption=\"" + caption + L"\" buttons=" + buttons;
}

class TPreview {
 public:
  TPreview(std::wstring package, std::wstring folder) : FPackage(std::move(package)), FFolder(std::move(folder)) {}

  int Run() {
    // The pointer waits in the screen's corner, away from every window, so
    // no picture shows a hot control by chance.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Application.Initialize();
    TSkinReader::SetDefaultOlderPackageNotice([this](const std::wstring& message) { FReason = message; });
    FMain = Application.CreateForm<TMainForm>();
    ApplySkin();
    FMain->Show();
    HWND main = FMain->Handle();
    Wait([&] { return Ready(main); });
    Settle();
    Picture(L"main", main);
    PictureInactive(main);
    PictureMenu(main);
    PictureSystemMenu(main);
    PictureModal(L"about", [] { return VisibleWindow(L"TAboutForm"); }, [&] { FMain->N2Click(nullptr); });
    PictureModal(L"message", [] { return VisibleWindow(L"#32770"); }, [&] {
      MessageBoxW(main, L"录音已停止。", L"Quillmere: a message box whose caption is wider than its text", MB_OK);
    });
    // The Open dialog and the folder browser show the same recordings on every run.
    const std::wstring sample = MakeSampleFolder();
    PictureModal(L"save", [] { return VisibleWindow(L"#32770"); }, [&] { FMain->SpeedButton1Click(nullptr); });
    for (int i = 0; i < kPlatformDialogCount; ++i) {
      const auto dialog = TPlatformDialog(i);
      bool staged = false;
      PictureModal(
          PlatformDialogName(dialog),
          [&]() -> HWND {
            HWND shown = ShownDialogOf(main);
            if (staged || !Ready(shown)) return staged ? shown : nullptr;
            StageDialog(dialog, shown);
            staged = true;
            return nullptr;
          },
          [&] { ShowPlatformDialog(dialog, main, sample); });
    }
    PictureGallery();
    WriteFigures();
    FMain->Hide();
    Application.DestroyForms();
    for (const std::wstring& name : FMissing) std::fprintf(stderr, "preview: no %s window showed\n", ToUtf8(name).c_str());
    return FMissing.empty() ? 0 : 1;
  }

 private:
  // The package through SkinFile, as a program would load one. One that
  // cannot be used leaves the platform's look.
  void ApplySkin() {
    auto* skin = dynamic_cast<TSkinData*>(FMain->FindComponent(L"SkinData1"));
    try {
      TFileStream file(FPackage, fmOpenRead | fmShareDenyWrite);
      TMemoryStream bytes;
      bytes.CopyFrom(file, 0);
      TSkinReader reader;
      reader.SetOnOlderPackage([this](const std::wstring& message) { FReason = message; });
      if (!reader.ReadPackage(bytes) && FReason.empty()) FReason = reader.RefusalReason();
      skin->SetSkinFile(FPackage);
    } catch (const std::exception& error) {
      FReason = ExceptionText(error);
    }
    if (!skin->SkinNotReady) return;
    if (FReason.empty()) FReason = L"the package holds no usable skin";
    skin->SetActive(false);
  }

  // A dialog in the state it is pictured in, once it is ready: the sheet on
  // its second page, which it makes only when that is first selected, long
  // after the sheet itself was skinned; the Open dialog with its first tool
  // button hot.
  static void StageDialog(TPlatformDialog dialog, HWND shown) {
    if (dialog == pdPropertySheet) PropSheet_SetCurSel(shown, nullptr, 1);
    if (dialog != pdOpen) return;
    for (HWND child = GetWindow(shown, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t windowClass[32] = {};
      GetClassNameW(child, windowClass, 32);
      if (std::wstring_view(windowClass) != TOOLBARCLASSNAMEW || GetDlgCtrlID(child) == kPlacesBar) continue;
      const int count = int(SendMessageW(child, TB_BUTTONCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageW(child, TB_GETBUTTON, WPARAM(i), reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & BTNS_SEP) continue;
        SendMessageW(child, TB_SETHOTITEM, WPARAM(i), 0);
        break;
      }
    }
  }

  void Wait(const std::function<bool()>& done) {
    ULONGLONG end = GetTickCount64() + kWaitLimit;
    while (!done() && GetTickCount64() < end) Application.ProcessMessagesFor(kTick);
  }

  void Settle() { Application.ProcessMessagesFor(kTick * kSettleTicks); }

  // Every kind of control: the gallery form opted out of the skin, for
  // comparison, then skinned by the engine as any window is; and the dialog
  // box of the platform's own controls.
  void PictureGallery() {
    auto* skin = dynamic_cast<TSkinData*>(FMain->FindComponent(L"SkinData1"));
    {
      TGalleryForm plain(nullptr);
      plain.SetTag(skin->DisableTag());
      plain.Show();
      PictureShown(L"gallery-plain", plain.Handle(), false, [&] { plain.ShowStates(false); });
    }
    {
      TGalleryForm skinned(nullptr);
      skinned.Show();
      HWND wnd = skinned.Handle();
      PictureShown(L"gallery", wnd, true, [&] { skinned.ShowStates(SkinnerOf(wnd) != nullptr); });
    }
    TGalleryDialog dialog(nullptr);
    PictureShown(L"dialog", dialog.Handle(), true, [&] { dialog.ShowStates(); });
  }

  // Once wnd is active (and skinned, when it may be), its controls are put
  // in their states and it is pictured.
  void PictureShown(const std::wstring& name, HWND wnd, bool skinnable, const std::function<void()>& showStates) {
    Wait([&] { return GetForegroundWindow() == wnd && (!skinnable || Ready(wnd)); });
    showStates();
    Settle();
    Picture(name, wnd);
  }

  void PictureInactive(HWND main) {
    // Another window takes the activation, away from the main window.
    TForm other(nullptr);
    other.SetTag(99);
    other.SetBounds(GetSystemMetrics(SM_CXSCREEN) - 160, GetSystemMetrics(SM_CYSCREEN) - 80, 150, 70);
    other.Show();
    Wait([&] { return GetForegroundWindow() == other.Handle(); });
    Settle();
    Picture(L"main-inactive", main);
    other.Hide();
    SetForegroundWindow(main);
    Wait([&] { return GetForegroundWindow() == main; });
    Settle();
  }

  // The first entry's drop-down, its second item hot (the hook selects the
  // first as it opens), taken over the main window.
  void PictureMenu(HWND main) {
    TWinSkinForm* skinner = SkinnerOf(main);
    bool moved = false;
    PictureDuring(
        L"main-menu",
        [&] {
          // Pressed and opened as a click on it would, wherever an odd skin's buttons lie.
          if (skinner && skinner->SkinMenu && !skinner->SkinMenu->Entries.empty()) {
            TMenuBtn& entry = *skinner->SkinMenu->Entries[0];
            entry.Press();
            skinner->SkinMenu->OpenEntry(&entry);
          } else
            PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, L's');
        },
        [&](bool) -> HWND {
          HWND menu = VisibleWindow(L"#32768");
          if (menu && !moved) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0), moved = true;
          return menu ? main : nullptr;
        },
        [](HWND) { EndMenu(); });
  }

  // The skinned system menu opens on a right click on the title; the
  // platform's on Alt and the blank.
  void PictureSystemMenu(HWND main) {
    RECT window{};
    GetWindowRect(main, &window);
    const LPARAM at = MAKELPARAM(window.left + (window.right - window.left) * 2 / 5, window.top + 12);
    PictureDuring(
        L"system-menu",
        [&] {
          if (SkinnerOf(main))
            PostMessageW(main, WM_NCRBUTTONDOWN, HTCAPTION, at);
          else
            PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, L' ');
        },
        [&](bool) { return VisibleWindow(L"#32768") ? main : nullptr; }, [](HWND) { EndMenu(); });
  }

  // A window that a modal call shows: pictured once ready, then closed.
  void PictureModal(const std::wstring& name, const std::function<HWND()>& find, const std::function<void()>& open) {
    PictureDuring(
        name, open,
        [&](bool late) -> HWND {
          HWND wnd = find();
          return wnd && (late || Ready(wnd)) ? wnd : nullptr;
        },
        [](HWND wnd) {
          wchar_t windowClass[16] = {};
          GetClassNameW(wnd, windowClass, 16);
          PostMessageW(wnd, std::wstring_view(windowClass) == L"#32770" ? WM_COMMAND : WM_CLOSE, IDCANCEL, 0);
        });
  }

  // Runs open (which may start a modal loop) while a timer, which ticks
  // inside modal loops too, waits for find to give the window to picture;
  // past the waiting limit find takes it as it stands. Then close ends the loop.
  void PictureDuring(const std::wstring& name, const std::function<void()>& open,
                     const std::function<HWND(bool late)>& find, const std::function<void(HWND)>& close) {
    struct TTicker {
      void Tick(TComponent*) {
        if (Done) return;
        const bool late = GetTickCount64() > Deadline;
        HWND wnd = Find(late);
        if (!wnd) {
          // Whatever else the modal call showed (a platform's error box) is
          // closed, so that the call returns.
          if (late) Done = true, CloseStray();
          return;
        }
        if (++Settled < kSettleTicks) return;
        Owner->Picture(Name, wnd);
        Close(wnd);
        Done = true;
      }
      static void CloseStray() {
        HWND active = GetActiveWindow();
        wchar_t windowClass[16] = {};
        GetClassNameW(active, windowClass, 16);
        if (std::wstring_view(windowClass) == L"#32770") PostMessageW(active, WM_COMMAND, IDCANCEL, 0);
      }
      TPreview* Owner;
      std::wstring Name;
      std::function<HWND(bool)> Find;
      std::function<void(HWND)> Close;
      ULONGLONG Deadline;
      int Settled = 0;
      bool Done = false;
    } ticker{this, name, find, close, GetTickCount64() + kWaitLimit};
    TTimer timer(nullptr);
    timer.SetInterval(kTick);
    timer.SetOnTimer(TNotifyEvent::Of<&TTicker::Tick>(ticker));
    timer.SetEnabled(true);
    open();
    Wait([&] { return ticker.Done && !VisibleWindow(L"#32768"); });
    if (!ticker.Settled) FMissing.push_back(name);
    Settle();
  }

  void Picture(const std::wstring& name, HWND wnd) {
    RECT rect{};
    GetWindowRect(wnd, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<uint32_t> argb(static_cast<size_t>(width) * height);
    TWindowDC screen(nullptr);
    TMemoryDCHandle memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    TBitmapHandle bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits) throw Exception(L"Cannot picture the %s window", {name});
    {
      // Without the blinking caret of a focused edit, whichever half of its
      // blink it is in. What was drawn reaches the screen only when the
      // platform next flushes the window's surface (a look at the queue
      // does it, once the last flush is old enough), so the screen is read
      // until two reads a flush apart agree. Nothing is dispatched: a
      // picture may be taken inside a menu's loop.
      const bool caretHidden = HideCaret(nullptr);
      TSelectObject selected(memory.Get(), bitmap.Get());
      const size_t count = static_cast<size_t>(width) * height;
      std::vector<uint32_t> previous;
      for (int read = 0; read < kScreenReads; ++read) {
        Sleep(kTick);
        MSG pending;
        PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE);
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const auto* now = static_cast<const uint32_t*>(bits);
        if (previous.size() == count && std::equal(previous.begin(), previous.end(), now)) break;
        previous.assign(now, now + count);
      }
      if (caretHidden) ShowCaret(nullptr);
    }
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    const bool shaped = GetWindowRgn(wnd, region.Get()) != ERROR;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const bool inside = !shaped || PtInRegion(region.Get(), x, y);
        argb[static_cast<size_t>(y * width + x)] = inside ? (pixels[y * width + x] | 0xFF000000u) : 0;
      }
    WriteBmp(FFolder + L"\\" + name + L".bmp", width, height, argb);
    FLines.push_back(name + L" " + Figures(wnd));
  }

  void WriteFigures() {
    FILE* file = _wfopen((FFolder + L"\\windows.txt").c_str(), L"wb");
    if (!file) throw Exception(L"Cannot create file \"%s\".", {FFolder + L"\\windows.txt"});
    if (!FReason.empty() || !Skinning()) {
      std::string reason = ToUtf8(L"platform look: " + (FReason.empty() ? L"skinning is off" : FReason));
      std::fprintf(file, "# %s\n", reason.c_str());
      std::printf("%s\n", reason.c_str());
    }
    for (const std::wstring& line : FLines) std::fprintf(file, "%s\n", ToUtf8(line).c_str());
    std::fclose(file);
  }

  std::wstring FPackage, FFolder, FReason;
  TMainForm* FMain = nullptr;
  std::vector<std::wstring> FLines;
  std::vector<std::wstring> FMissing;  // pictures whose window never showed
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: preview PACKAGE FOLDER\n", stderr);
    return 2;
  }
  TSkinEngineScope engine;
  try {
    return TPreview(argv[1], argv[2]).Run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "preview: %s\n", ToUtf8(ExceptionText(error)).c_str());
    return 1;
  }
}
