// Reads the recorder's window state through Win32 from outside the program,
// for the end-to-end scripts: one "key=value" line per fact, UTF-8.
//
//   probe state            the main window's controls, status panels and message box; the
//                          program's active window, focused control and open menu
//   probe where NAME       the screen centre of a control (B_Start, FilePath, SpeedButton1, ...): "x y"
//   probe wait CLASS SECS  waits until a top-level window of CLASS shows
//   probe window CLASS     a shown top-level window's screen rectangle: "left top right bottom"
//   probe menuitem N COUNT the screen centre of item N of the open drop-down of COUNT items: "x y"
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Print(const std::string& key, const std::wstring& value) {
  int size = WideCharToMultiByte(CP_UTF8, 0, value.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, value.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  std::printf("%s=%s\n", key.c_str(), bytes.c_str());
}

std::wstring TextOf(HWND wnd) {
  wchar_t text[1024] = {};
  SendMessageTimeoutW(wnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
  return text;
}

std::wstring ClassOf(HWND wnd) {
  wchar_t name[256] = {};
  GetClassNameW(wnd, name, 256);
  return name;
}

HWND TopLevel(const wchar_t* className) {
  HWND wnd = FindWindowW(className, nullptr);
  return wnd && IsWindowVisible(wnd) ? wnd : nullptr;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
    for (HWND grandChild : Children(child)) children.push_back(grandChild);
  }
  return children;
}

// A status panel's text lives in the program's memory: ask for it into a
// buffer allocated there, then read the buffer back.
std::wstring PanelText(HWND bar, int index) {
  DWORD process = 0;
  GetWindowThreadProcessId(bar, &process);
  HANDLE target = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
  if (!target) return L"?";
  constexpr size_t kChars = 512;
  void* remote = VirtualAllocEx(target, nullptr, kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
  wchar_t text[kChars] = {};
  if (remote) {
    SendMessageTimeoutW(bar, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    ReadProcessMemory(target, remote, text, sizeof(text) - sizeof(wchar_t), nullptr);
    VirtualFreeEx(target, remote, 0, MEM_RELEASE);
  }
  CloseHandle(target);
  return text;
}

struct TButtonName {
  const wchar_t* Name;
  const wchar_t* Caption;
};
const TButtonName kButtons[] = {{L"B_Start", L"录音"}, {L"B_Stop", L"停止"}, {L"BitBtn1", L"退出"}, {L"Button1", L"关闭"}};

std::wstring CaptionOf(const std::wstring& name) {
  for (const TButtonName& button : kButtons)
    if (name == button.Name) return button.Caption;
  return L"";
}

// The windows' controls by the names the layouts give them: buttons by
// caption, combo boxes in tab order, the rest by class.
HWND Named(HWND form, const std::wstring& name) {
  std::wstring caption = CaptionOf(name);
  int combo = 0;
  for (HWND child : Children(form)) {
    std::wstring cls = ClassOf(child), text = TextOf(child);
    if (cls == L"TComboBox" && ((name == L"ComDriver" && combo == 0) || (name == L"Comwav" && combo == 1))) return child;
    if (cls == L"TComboBox") ++combo;
    if (name == L"FilePath" && cls == L"TEdit") return child;
    if (name == L"GroupBox1" && cls == L"TGroupBox") return child;
    if (name == L"Sb" && cls == L"TStatusBar") return child;
    if ((cls == L"TBitBtn" || cls == L"TButton") && !caption.empty() && text == caption) return child;
  }
  return nullptr;
}

constexpr const wchar_t* kNames[] = {L"B_Start", L"B_Stop",  L"BitBtn1",  L"Button1",
                                     L"ComDriver", L"Comwav", L"FilePath", L"GroupBox1"};

// The focused window by its control's name (a combo box's edit counts as
// the combo box), else by its class; "none" when nothing has the focus.
std::wstring FocusName(HWND focus) {
  if (!focus) return L"none";
  for (const wchar_t* top : {L"TMainForm", L"TAboutForm"}) {
    HWND form = TopLevel(top);
    if (!form) continue;
    if (focus == form) return top;
    for (const wchar_t* name : kNames) {
      HWND control = Named(form, name);
      if (control && (control == focus || IsChild(control, focus))) return name;
    }
  }
  return ClassOf(focus);
}

int State() {
  HWND form = TopLevel(L"TMainForm");
  Print("main", form ? L"open" : L"none");
  if (form) {
    Print("caption", TextOf(form));
    // The skin engine's question whether a window is skinned (SKM_QUERYSKINNED).
    DWORD_PTR skinned = 0;
    SendMessageTimeoutW(form, 0x3504, 0, 0, SMTO_ABORTIFHUNG, 2000, &skinned);
    Print("skinned", skinned == 1 ? L"1" : L"0");
    for (const char* name : {"B_Start", "B_Stop", "BitBtn1", "GroupBox1"}) {
      HWND control = Named(form, std::wstring(name, name + strlen(name)));
      Print(std::string("enabled.") + name, control && IsWindowEnabled(control) ? L"1" : L"0");
    }
    for (const char* name : {"ComDriver", "Comwav", "FilePath"}) {
      HWND control = Named(form, std::wstring(name, name + strlen(name)));
      Print(std::string("text.") + name, control ? TextOf(control) : L"");
    }
    HWND bar = Named(form, L"Sb");
    Print("panel0", bar ? PanelText(bar, 0) : L"");
    Print("panel1", bar ? PanelText(bar, 1) : L"");
  }
  Print("about", TopLevel(L"TAboutForm") ? L"open" : L"none");
  HWND box = TopLevel(L"#32770");
  Print("msgbox", box ? TextOf(GetDlgItem(box, 0xFFFF)) : L"");
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  const DWORD threadId = form ? GetWindowThreadProcessId(form, nullptr) : 0;
  const bool known = threadId && GetGUIThreadInfo(threadId, &thread);
  Print("active", known && thread.hwndActive ? ClassOf(thread.hwndActive) : L"none");
  Print("focus", known ? FocusName(thread.hwndFocus) : L"none");
  Print("menu", TopLevel(L"#32768") ? L"open" : L"none");
  return 0;
}

int Where(const std::wstring& name) {
  HWND form = TopLevel(name == L"Button1" ? L"TAboutForm" : L"TMainForm");
  // The "..." button has no window of its own: it stands 6 pixels right of
  // the path edit, 23 wide, on its line.
  const bool beside = name == L"SpeedButton1";
  HWND control = form ? Named(form, beside ? L"FilePath" : name) : nullptr;
  if (!control) return 1;
  RECT rect;
  GetWindowRect(control, &rect);
  if (beside) rect.left = rect.right + 6, rect.right = rect.left + 23;
  std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  return 0;
}

int Window(const wchar_t* className) {
  HWND wnd = TopLevel(className);
  if (!wnd) return 1;
  RECT rect;
  GetWindowRect(wnd, &rect);
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

// A drop-down of count items of one height (its menu lives in the program,
// out of this process's reach): item N's centre, inside the 3-pixel frame.
int MenuItem(int index, int count) {
  HWND menuWindow = nullptr;
  for (HWND wnd = GetTopWindow(nullptr); wnd && !menuWindow; wnd = GetWindow(wnd, GW_HWNDNEXT))
    if (IsWindowVisible(wnd) && ClassOf(wnd) == L"#32768") menuWindow = wnd;
  if (!menuWindow || count <= 0 || index < 0 || index >= count) return 1;
  RECT rect;
  GetWindowRect(menuWindow, &rect);
  const long inner = rect.bottom - rect.top - 6;
  std::printf("%ld %ld\n", (rect.left + rect.right) / 2, rect.top + 3 + (2 * index + 1) * inner / (2 * count));
  return 0;
}

int Wait(const wchar_t* className, int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    if (TopLevel(className)) return 0;
    Sleep(100);
  }
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"state") return State();
  if (command == L"where" && argc > 2) return Where(argv[2]);
  if (command == L"wait" && argc > 3) return Wait(argv[2], _wtoi(argv[3]));
  if (command == L"window" && argc > 2) return Window(argv[2]);
  if (command == L"menuitem" && argc > 3) return MenuItem(_wtoi(argv[2]), _wtoi(argv[3]));
  std::fputs("usage: probe state | where NAME | wait CLASS SECONDS | window CLASS | menuitem N COUNT\n", stderr);
  return 2;
}
