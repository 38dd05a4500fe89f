// The program's texts drawn whole: every string of the main and about
// windows, drawn in the font that draws it, has ink across the rows of the
// glyph boxes that the font itself reports. A font drawn from a bitmap strike
// whose top rows are cut off (录 read as 求, 声 as 户) fails here.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "recorder/Main.h"
#include "recorder/UAbout.h"
#include "support/GlyphBench.h"
#include "skin/engine/WinSkinForm.h"
#include "toolkit/core/Format.h"
#include "toolkit/forms/Menus.h"
#include "toolkit/platform/Application.h"
#include "toolkit/graphics/Graphics.h"
#include "toolkit/platform/OwnedHandle.h"

namespace {

// A string as it shows, in the font that draws it.
struct TUiText {
  std::wstring Text;
  HFONT Font;
  bool WindowFont;  // the forms' own font, which the controls draw in
};

// "&" marks an access key and "&&" shows one "&".
std::wstring Shown(const std::wstring& caption) {
  std::wstring shown;
  for (size_t i = 0; i < caption.size(); ++i)
    if (caption[i] != L'&' || (i + 1 < caption.size() && caption[++i] == L'&')) shown += caption[i];
  return shown;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t from = 0;
  for (size_t at; (at = text.find(L"\r\n", from)) != std::wstring::npos; from = at + 2)
    lines.push_back(text.substr(from, at - from));
  lines.push_back(text.substr(from));
  return lines;
}

void AddMenuTexts(TMenuItem& item, std::vector<TUiText>& texts) {
  for (int i = 0; i < item.Count(); ++i) {
    TMenuItem& child = *item.Items(i);
    if (!child.IsSeparator()) texts.push_back({Shown(child.Caption()), Screen.MenuFont(), false});
    AddMenuTexts(child, texts);
  }
}

// The caption in the skin's title font, every control's text and hint lines
// in the control's font, the menu items in the screen's menu font.
void AddFormTexts(TForm& form, HFONT captionFont, std::vector<TUiText>& texts) {
  texts.push_back({form.Text(), captionFont, false});
  for (int i = 0; i < form.ComponentCount(); ++i) {
    TComponent* component = form.Components(i);
    if (auto* control = dynamic_cast<TControl*>(component)) {
      for (const std::wstring& line : Lines(control->Text())) texts.push_back({Shown(line), control->Font().Handle(), true});
      for (const std::wstring& line : Lines(control->Hint())) texts.push_back({line, control->Font().Handle(), true});
    }
    if (auto* menu = dynamic_cast<TMainMenu*>(component)) AddMenuTexts(*menu, texts);
  }
}

std::string Hex(wchar_t glyph) {
  char text[8];
  std::snprintf(text, sizeof(text), "U+%04X", static_cast<unsigned>(glyph));
  return text;
}

}  // namespace

// The black box is the outline's extent rounded out to whole pixels, so a
// row that the outline covers for less than half may stay blank: one row at
// either edge of a glyph. The forms' font puts the top of the ideographs on a
// pixel row, so there a string's highest ink meets the top of its highest box.
TEST(UiText, EveryStringOfTheWindowsIsDrawnWhole) {
  Application.Initialize();
  auto* main = new TMainForm(nullptr);
  auto* about = new TAboutForm(nullptr);
  TWinSkinForm skinner(nullptr);
  std::vector<TUiText> texts;
  AddFormTexts(*main, skinner.CaptionFont.Get(), texts);
  AddFormTexts(*about, skinner.CaptionFont.Get(), texts);
  auto* bar = dynamic_cast<TControl*>(main->FindComponent(L"Sb"));
  ASSERT_NE(bar, nullptr);
  texts.push_back({Format(L"已经录制了 %d  字节 ", {1234567}), bar->Font().Handle(), true});

  TGlyphBench bench;
  std::set<std::pair<HFONT, wchar_t>> checked;
  int glyphs = 0;
  for (const TUiText& text : texts) {
    TRows ink, box;
    for (wchar_t glyph : text.Text) {
      TRows glyphInk = bench.Ink(text.Font, glyph), glyphBox = bench.Box(text.Font, glyph);
      if (glyphInk.Empty() || glyphBox.Empty()) continue;  // a blank
      ink.Add(glyphInk.Top, glyphInk.Bottom);
      box.Add(glyphBox.Top, glyphBox.Bottom);
      if (!checked.insert({text.Font, glyph}).second) continue;
      ++glyphs;
      EXPECT_LE(glyphInk.Top, glyphBox.Top + 1) << Hex(glyph) << " loses its top rows";
      EXPECT_GE(glyphInk.Bottom, glyphBox.Bottom - 1) << Hex(glyph) << " loses its bottom rows";
    }
    if (text.WindowFont && !ink.Empty()) {
      EXPECT_EQ(ink.Top, box.Top) << "string " << (&text - texts.data()) << " loses its top row";
    }
  }
  std::printf("%d glyphs of %zu strings checked\n", glyphs, texts.size());
  EXPECT_GT(glyphs, 100);
  about->Free();
  main->Free();
}
