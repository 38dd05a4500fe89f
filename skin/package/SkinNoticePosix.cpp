// The older-format message for native builds: standard error, its CR shown as a line break.
#include <algorithm>
#include <cstdio>

#include "skin/package/SkinReader.h"
#include "toolkit/core/Utf8.h"

void ShowOlderSkinNotice(const std::wstring& message) {
  std::string text = ToUtf8(message);
  std::replace(text.begin(), text.end(), '\r', '\n');
  std::fprintf(stderr, "%s\n", text.c_str());
}
