#include "skin/engine/MenuBarLayout.h"

#include <algorithm>
#include <cwctype>

#include "toolkit/core/MenuMnemonic.h"

namespace {

constexpr int kRightGap = 8, kLeftGap = 4, kNarrowStart = 12, kPlainStart = 6, kEntryPadding = 10;

bool SameLetter(wchar_t a, wchar_t b) { return SameAccelerator(a, b); }

}  // namespace

int MenuBarStart(std::optional<TMenuBarEnds> element, bool rightToLeft, int barWidth, const TDpiScale& scale) {
  if (!element) return scale.Scale(kPlainStart);
  const long long start = rightToLeft ? static_cast<long long>(element->RightWidth) + scale.Scale(kRightGap)
                                      : static_cast<long long>(element->LeftWidth) + scale.Scale(kLeftGap);
  return barWidth < start ? scale.Scale(kNarrowStart) : ClampToInt(start);
}

int MenuEntryWidth(int captionWidth, const TDpiScale& scale) {
  return captionWidth > 0 ? ClampToInt(static_cast<long long>(captionWidth) + scale.Scale(kEntryPadding))
                          : captionWidth;
}

std::vector<TSkinRect> LayoutMenuEntries(std::span<const int> captionWidths, int barWidth, int barHeight, int start,
                                         bool rightToLeft, const TDpiScale& scale) {
  std::vector<TSkinRect> entries;
  const int bottom = ClampToInt(static_cast<long long>(barHeight) - 1);
  long long x = rightToLeft ? static_cast<long long>(barWidth) - start : start;
  for (int captionWidth : captionWidths) {
    const long long width = MenuEntryWidth(captionWidth, scale);
    const long long next = rightToLeft ? x - width : x + width;
    entries.push_back({ClampToInt(std::min(x, next)), 0, ClampToInt(std::max(x, next)), bottom});
    x = next;
  }
  return entries;
}

int MenuBarFrame(bool active) { return active ? 1 : 2; }

bool MenuBarIsNineSlice(int tileMenu) { return tileMenu == 1; }

int MenuEntryAt(std::span<const TMenuEntryView> entries, TSkinPoint point) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (!entries[i].Caption.empty() && Contains(entries[i].Bounds, point)) return static_cast<int>(i);
  return -1;
}

wchar_t AcceleratorOf(std::wstring_view caption) { return MenuAccelerator(caption); }

int MenuEntryForAccelerator(std::span<const TMenuEntryView> entries, wchar_t character) {
  if (character == 0) return -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const wchar_t accelerator = AcceleratorOf(entries[i].Caption);
    if (entries[i].Enabled && accelerator != 0 && SameLetter(accelerator, character)) return static_cast<int>(i);
  }
  return -1;
}

int PreviousMenuEntry(int current, int count) {
  if (count <= 0) return -1;
  return current <= 0 || current > count ? count - 1 : current - 1;
}

int NextMenuEntry(int current, int count) {
  if (count <= 0) return -1;
  return current < 0 || current >= count - 1 ? 0 : current + 1;
}

TSkinRect MenuBarButtonPlace(const TSkinRect& bounds, const TFrameSizes& frame) {
  return Offset(bounds, -static_cast<long long>(frame.Left), -static_cast<long long>(frame.Top));
}

TSkinPoint DropDownPoint(const TSkinRect& bounds, TSkinPoint windowOrigin) {
  return {ClampToInt(static_cast<long long>(bounds.Left) + windowOrigin.X),
          ClampToInt(static_cast<long long>(bounds.Bottom) + windowOrigin.Y)};
}

TSkinPoint EntryClickPoint(const TSkinRect& bounds, TSkinPoint windowOrigin) {
  return {ClampToInt(static_cast<long long>(bounds.Left) + windowOrigin.X + 1),
          ClampToInt(static_cast<long long>(bounds.Top) + windowOrigin.Y + 1)};
}

uint32_t PackPoint(TSkinPoint point) {
  return (static_cast<uint32_t>(point.X) & 0xFFFF) | ((static_cast<uint32_t>(point.Y) & 0xFFFF) << 16);
}
