// How many GDI and USER objects this process holds, for tests that check that
// use does not make them grow. GetGuiResources answers on Windows; Wine's
// answers 0 for both, so there they are counted in Wine's own handle tables:
// the GDI table the process environment block points to, and the USER handle
// slots, which Wine resolves to their current object when asked with a bare
// slot number.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>

struct TGuiObjects {
  DWORD Gdi = 0;
  DWORD User = 0;
  friend bool operator==(const TGuiObjects&, const TGuiObjects&) = default;
};

inline DWORD CountWineGdiObjects() {
  struct TEntry {  // one slot of the table, 24 bytes
    uint64_t Object;
    uint32_t Owner;
    uint16_t Unique;
    uint8_t Type;
    uint8_t Flags;
    uint64_t UserPointer;
  };
  constexpr size_t kTableOffset = 0xF8;  // the block's GdiSharedHandleTable on x64
  constexpr int kSlots = 0x10000;
  const uint8_t* block;  // the process environment block, from the thread's own block
  asm("mov %%gs:0x60, %0" : "=r"(block));
  auto* table = *reinterpret_cast<const TEntry* const*>(block + kTableOffset);
  DWORD count = 0;
  if (table)
    for (int slot = 0; slot < kSlots; ++slot) count += table[slot].Type != 0;
  return count;
}

inline DWORD CountWineUserObjects() {
  DWORD process = GetCurrentProcessId(), count = 0;
  for (uintptr_t slot = 0x20; slot < 0xFFF0; slot += 2) {
    auto wnd = reinterpret_cast<HWND>(slot);
    DWORD owner = 0;
    if (IsWindow(wnd))
      count += GetWindowThreadProcessId(wnd, &owner) && owner == process;
    else
      count += IsMenu(reinterpret_cast<HMENU>(slot)) != FALSE;
  }
  return count;
}

inline TGuiObjects CountGuiObjects() {
  TGuiObjects objects{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                      GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
  if (objects.Gdi == 0) objects.Gdi = CountWineGdiObjects();
  if (objects.User == 0) objects.User = CountWineUserObjects();
  return objects;
}

// GDI objects alone, without the scan of every USER handle slot.
inline DWORD GdiObjects() {
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  return gdi != 0 ? gdi : CountWineGdiObjects();
}

inline void PrintTo(const TGuiObjects& objects, std::ostream* out) {
  *out << "GDI " << objects.Gdi << ", USER " << objects.User;
}
