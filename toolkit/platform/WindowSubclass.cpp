#include "toolkit/platform/WindowSubclass.h"

#include <cstring>
#include <new>
#include <unordered_set>
#include <vector>

#include "toolkit/platform/Application.h"

#if !defined(__x86_64__)
#error "The window procedure stubs are x86-64 code"
#endif

// One installation: a stub of machine code, which is the window procedure the
// window gets, and the state the stub leads to. The stub puts the entry's
// address where the window handle would be and jumps to EntryProc.
struct TSubclassEntry {
  static LRESULT CALLBACK EntryProc(HWND self, UINT msg, WPARAM wparam, LPARAM lparam);

  uint8_t Stub[24];
  HWND Window;
  WNDPROC Previous;
  TWindowSubclass* Owner;  // none once removed further down the chain: it then only passes messages on
  int Calls = 0;           // EntryProc frames running for this entry
  bool Finished = false;   // to be freed once the last frame returns

  WNDPROC Procedure() { return reinterpret_cast<WNDPROC>(static_cast<void*>(Stub)); }
  LRESULT Dispatch(UINT msg, WPARAM wparam, LPARAM lparam);
};

namespace {

constexpr size_t kPageSize = 4096;

// Entries live in executable pages, handed out and taken back through a free
// list; only the GUI thread subclasses, so no lock is needed.
class TEntryPool {
 public:
  TSubclassEntry* Allocate(HWND wnd, WNDPROC previous, TWindowSubclass* owner) {
    if (FFree.empty()) AddPage();
    void* slot = FFree.back();
    FFree.pop_back();
    auto* entry = new (slot) TSubclassEntry{{}, wnd, previous, owner};
    WriteStub(*entry);
    FLive.insert(entry);
    return entry;
  }
  void Release(TSubclassEntry* entry) {
    FLive.erase(entry);
    entry->~TSubclassEntry();
    FFree.push_back(entry);
  }
  // The entry whose stub is procedure, if procedure is one of ours on wnd.
  TSubclassEntry* Find(WNDPROC procedure, HWND wnd) const {
    auto* entry = reinterpret_cast<TSubclassEntry*>(reinterpret_cast<void*>(procedure));
    return FLive.count(entry) && entry->Window == wnd ? entry : nullptr;
  }

 private:
  void AddPage() {
    void* page = VirtualAlloc(nullptr, kPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
    if (!page) throw Exception(L"Out of memory for window procedures");
    auto* first = static_cast<uint8_t*>(page);
    for (size_t offset = 0; offset + sizeof(TSubclassEntry) <= kPageSize; offset += sizeof(TSubclassEntry))
      FFree.push_back(first + offset);
  }
  // mov rcx, entry; mov rax, EntryProc; jmp rax
  static void WriteStub(TSubclassEntry& entry) {
    auto self = reinterpret_cast<uint64_t>(&entry);
    auto target = reinterpret_cast<uint64_t>(&TSubclassEntry::EntryProc);
    uint8_t* code = entry.Stub;
    code[0] = 0x48, code[1] = 0xB9;
    std::memcpy(code + 2, &self, 8);
    code[10] = 0x48, code[11] = 0xB8;
    std::memcpy(code + 12, &target, 8);
    code[20] = 0xFF, code[21] = 0xE0;
    FlushInstructionCache(GetCurrentProcess(), code, sizeof(entry.Stub));
  }

  std::vector<void*> FFree;
  std::unordered_set<TSubclassEntry*> FLive;
};

TEntryPool& Pool() {
  static TEntryPool pool;
  return pool;
}

WNDPROC CurrentProc(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)); }

void Finish(TSubclassEntry* entry) {
  if (entry->Calls > 0)
    entry->Finished = true;
  else
    Pool().Release(entry);
}

// Once entry's previous procedure is current again, entries of ours below it
// that were removed out of order have nobody calling them: they go as well.
void Unlink(TSubclassEntry* entry) {
  HWND wnd = entry->Window;
  WNDPROC previous = entry->Previous;
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  Finish(entry);
  TSubclassEntry* below = Pool().Find(previous, wnd);
  if (below && !below->Owner) Unlink(below);
}

}  // namespace

LRESULT TSubclassEntry::Dispatch(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (!Owner) return CallWindowProcW(Previous, Window, msg, wparam, lparam);
  TMessage message{msg, wparam, lparam, 0};
  TWndMethod handler = Owner->FHandler;  // the owner may go while it handles the message
  handler(message);
  return message.Result;
}

LRESULT CALLBACK TSubclassEntry::EntryProc(HWND self, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* entry = reinterpret_cast<TSubclassEntry*>(self);
  ++entry->Calls;
  LRESULT result = 0;
  try {
    result = entry->Dispatch(msg, wparam, lparam);
  } catch (...) {
    Application.HandleCurrentException(msg);
  }
  --entry->Calls;
  // The window is gone: its owner has nothing left to remove.
  if (msg == WM_NCDESTROY && !entry->Finished) {
    if (entry->Owner) entry->Owner->FEntry = nullptr;
    entry->Owner = nullptr;
    Finish(entry);
  } else if (entry->Finished && entry->Calls == 0) {
    Pool().Release(entry);
  }
  return result;
}

void TWindowSubclass::Install(HWND wnd, const TWndMethod& handler) {
  Remove();
  DWORD process = 0;
  if (!IsWindow(wnd) || (GetWindowThreadProcessId(wnd, &process), process != GetCurrentProcessId()))
    throw Exception(L"Cannot take over the window procedure of %x", {reinterpret_cast<uintptr_t>(wnd)});
  FHandler = handler;
  FWindow = wnd;
  FPrevious = CurrentProc(wnd);
  FEntry = Pool().Allocate(wnd, FPrevious, this);
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEntry->Procedure()));
}

void TWindowSubclass::Remove() {
  TSubclassEntry* entry = std::exchange(FEntry, nullptr);
  if (!entry) return;
  entry->Owner = nullptr;
  if (!IsWindow(entry->Window))
    Finish(entry);  // it died without our procedure in its chain: nothing calls the stub any more
  else if (CurrentProc(entry->Window) == entry->Procedure())
    Unlink(entry);
  // Otherwise a later procedure calls ours: it stays and passes messages on.
}

void TWindowSubclass::CallPrevious(TMessage& message) const {
  if (!FPrevious) return;
  message.Result = CallWindowProcW(FPrevious, FWindow, message.Msg, message.WParam, message.LParam);
}
