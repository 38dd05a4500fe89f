// Shortcut texts: both directions agree, modifiers come in one order, and
// text that names no key gives no shortcut.
#include <gtest/gtest.h>

#include <cwchar>

#include "toolkit/core/ShortCut.h"

namespace {

constexpr TShortCut kKeyS = 'S';
constexpr TShortCut kKeyF4 = 0x73;
constexpr TShortCut kKeyF12 = 0x7B;
constexpr TShortCut kKeyDelete = 0x2E;

TEST(ShortCut, TextForModifiersAndKeys) {
  EXPECT_EQ(ShortCutToText(scCtrl | kKeyS), L"Ctrl+S");
  EXPECT_EQ(ShortCutToText(scShift | kKeyF4), L"Shift+F4");
  EXPECT_EQ(ShortCutToText(scAlt | scCtrl | scShift | kKeyDelete), L"Shift+Ctrl+Alt+Del");
  EXPECT_EQ(ShortCutToText(kKeyF12), L"F12");
  EXPECT_EQ(ShortCutToText('0'), L"0");
}

TEST(ShortCut, NoTextForNoKeyOrAKeyWithoutName) {
  EXPECT_EQ(ShortCutToText(scNone), L"");
  EXPECT_EQ(ShortCutToText(scCtrl), L"") << "modifiers alone are no shortcut";
  EXPECT_EQ(ShortCutToText(scCtrl | 0xFF), L"");
}

TEST(ShortCut, EveryNamedKeyRoundTripsWithEveryModifierSet) {
  for (int key = 0; key < 256; ++key) {
    for (TShortCut modifiers : {scNone, scShift, scCtrl, scAlt, TShortCut(scShift | scCtrl | scAlt)}) {
      TShortCut shortCut = TShortCut(modifiers | key);
      std::wstring text = ShortCutToText(shortCut);
      if (text.empty()) continue;
      EXPECT_EQ(TextToShortCut(text), shortCut) << std::string(text.begin(), text.end());
    }
  }
}

TEST(ShortCut, ReadingIgnoresCaseBlanksAndModifierOrder) {
  EXPECT_EQ(TextToShortCut(L"shift+f4"), scShift | kKeyF4);
  EXPECT_EQ(TextToShortCut(L" Alt + Ctrl + s "), scAlt | scCtrl | kKeyS);
  EXPECT_EQ(TextToShortCut(L"DEL"), kKeyDelete);
}

TEST(ShortCut, UnreadableTextGivesNone) {
  for (const wchar_t* text : {L"", L"Ctrl+", L"+S", L"Ctrl+Shift", L"Hyper+S", L"F25", L"F0", L"SS", L"Ctrl+S+",
                              L"Ctrl++"})
    EXPECT_EQ(TextToShortCut(text), scNone) << std::string(text, text + wcslen(text));
}

}  // namespace
