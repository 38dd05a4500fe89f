#include "toolkit/core/StringList.h"

#include "toolkit/core/Exception.h"

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw EListError(index);
}

const std::wstring& TStringList::Strings(int index) const {
  CheckIndex(index);
  return FItems[static_cast<size_t>(index)].Text;
}

void* TStringList::Objects(int index) const {
  CheckIndex(index);
  return FItems[static_cast<size_t>(index)].Object;
}

int TStringList::AddObject(std::wstring text, void* object) {
  FItems.push_back({std::move(text), object});
  return Count() - 1;
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  FItems.erase(FItems.begin() + index);
}

int TStringList::IndexOf(std::wstring_view text) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<size_t>(i)].Text == text) return i;
  return -1;
}

std::wstring TStringList::Text() const {
  std::wstring text;
  for (const Item& item : FItems) text.append(item.Text).append(L"\r\n");
  return text;
}

void TStringList::SetText(std::wstring_view text) {
  FItems.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) {
      Add(std::wstring(text.substr(start)));
      return;
    }
    Add(std::wstring(text.substr(start, end - start)));
    start = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
  }
}
