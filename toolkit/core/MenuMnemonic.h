// Menu accelerators ("&" before a caption's letter): the letter of a
// caption, and which item a typed letter chooses in a menu, as the platform
// chooses among items that carry their text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The letter after the first lone "&" ("&&" is a plain "&"), or 0.
wchar_t MenuAccelerator(std::wstring_view caption);
// Letters compared as the platform compares accelerators, ignoring case.
bool SameAccelerator(wchar_t a, wchar_t b);

struct TMenuCharChoice {
  int Position = -1;     // the item chosen, -1 for none
  bool Execute = false;  // it is the only one with the letter, so it runs
};

// The item whose caption has character as its accelerator: the only one runs;
// of several, the next after the selected one (round the menu) is selected.
TMenuCharChoice MenuCharChoice(const std::vector<std::wstring>& captions, wchar_t character, int selected);
