// An ordered list of texts, each with an optional associated object pointer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TStringList {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  const std::wstring& Strings(int index) const;
  void* Objects(int index) const;

  int Add(std::wstring text) { return AddObject(std::move(text), nullptr); }
  int AddObject(std::wstring text, void* object);
  void Delete(int index);
  void Clear() { FItems.clear(); }
  // The first index holding exactly text, or -1.
  int IndexOf(std::wstring_view text) const;

  // The lines joined with CR LF, each line ended by one.
  std::wstring Text() const;
  // Replaces the list by the lines of text, split on CR LF, a lone CR or a lone LF.
  void SetText(std::wstring_view text);

 private:
  void CheckIndex(int index) const;

  struct Item {
    std::wstring Text;
    void* Object;
  };
  std::vector<Item> FItems;
};
