// Proves the test session's wiring: a real window on the Xvfb display whose
// pixels read back, and the default capture device behind PulseAudio.
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kPaint = RGB(0x20, 0x90, 0xD0);

struct WindowClass {
  WindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = Brush;
    wc.lpszClassName = L"QuillHarnessWindow";
    Atom = RegisterClassExW(&wc);
  }
  ~WindowClass() {
    UnregisterClassW(L"QuillHarnessWindow", GetModuleHandleW(nullptr));
    DeleteObject(Brush);
  }
  HBRUSH Brush = CreateSolidBrush(kPaint);
  ATOM Atom = 0;
};

struct Window {
  explicit Window(HWND wnd) : Handle(wnd) {}
  ~Window() { if (Handle) DestroyWindow(Handle); }
  HWND Handle;
};

struct WindowDC {
  explicit WindowDC(HWND wnd) : Wnd(wnd), DC(GetDC(wnd)) {}
  ~WindowDC() { ReleaseDC(Wnd, DC); }
  HWND Wnd;
  HDC DC;
};

void PumpMessages(DWORD milliseconds) {
  DWORD end = GetTickCount() + milliseconds;
  while (GetTickCount() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
}

template <typename Interface>
struct Released {
  ~Released() { if (Pointer) Pointer->Release(); }
  Interface* Pointer = nullptr;
};

}  // namespace

TEST(Harness, WindowPixelsReadBackFromTheDisplay) {
  WindowClass windowClass;
  ASSERT_NE(windowClass.Atom, 0);
  Window window(CreateWindowExW(WS_EX_TOPMOST, L"QuillHarnessWindow", L"Harness", WS_POPUP | WS_VISIBLE, 40, 50, 120,
                                80, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  ASSERT_NE(window.Handle, nullptr);
  UpdateWindow(window.Handle);
  PumpMessages(300);

  WindowDC client(window.Handle);
  EXPECT_EQ(GetPixel(client.DC, 60, 40), kPaint);
  WindowDC screen(nullptr);
  EXPECT_EQ(GetPixel(screen.DC, 40 + 60, 50 + 40), kPaint) << "the window is not on the display";
}

TEST(Harness, DefaultCaptureDeviceOpensAndCaptures) {
  HMODULE dsound = LoadLibraryW(L"dsound.dll");
  ASSERT_NE(dsound, nullptr);
  using CreateFn = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUNDCAPTURE*, LPUNKNOWN);
  auto create = reinterpret_cast<CreateFn>(reinterpret_cast<void*>(GetProcAddress(dsound, "DirectSoundCaptureCreate")));
  ASSERT_NE(create, nullptr);

  Released<IDirectSoundCapture> device;
  ASSERT_EQ(create(nullptr, &device.Pointer, nullptr), S_OK);
  WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 44100, 88200, 2, 16, 0};
  DSCBUFFERDESC desc{};
  desc.dwSize = sizeof(desc);
  desc.dwBufferBytes = format.nAvgBytesPerSec;
  desc.lpwfxFormat = &format;
  // On a busy machine the first bytes may take seconds, and Wine's driver
  // has been seen to leave a ring standing still for good (the recorder
  // makes such a ring again too): each of three rings gets 5 s.
  DWORD capture = 0, read = 0;
  int rings = 0;
  while (read == 0 && rings < 3) {
    ++rings;
    Released<IDirectSoundCaptureBuffer> buffer;
    ASSERT_EQ(device.Pointer->CreateCaptureBuffer(&desc, &buffer.Pointer, nullptr), S_OK);
    ASSERT_EQ(buffer.Pointer->Start(DSCBSTART_LOOPING), S_OK);
    for (int i = 0; i < 100 && read == 0; ++i) {
      Sleep(50);
      ASSERT_EQ(buffer.Pointer->GetCurrentPosition(&capture, &read), S_OK);
    }
    buffer.Pointer->Stop();
  }
  EXPECT_GT(read, 0u) << "no sound arrived in any of " << rings << " rings within 5 s each";
  FreeLibrary(dsound);
}
