#include "toolkit/core/LayoutParser.h"

#include <cctype>

#include "toolkit/core/Utf8.h"

ELayoutError::ELayoutError(int line, const std::wstring& reason)
    : Exception(L"Layout error on line %d: %s", {line, reason}) {}

namespace {

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '.'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class TLayoutParser {
 public:
  explicit TLayoutParser(std::string_view text) : Text(text) {}

  TLayoutObject Root() {
    TLayoutObject root = Object();
    SkipBlanks();
    if (Pos < Text.size()) Fail(L"text after the last \"end\"");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::wstring& reason) const { throw ELayoutError(Line, reason); }

  void SkipBlanks() {
    while (Pos < Text.size()) {
      char c = Text[Pos];
      if (c == '\n') ++Line;
      if (c == '/' && Text.substr(Pos, 2) == "//") {
        while (Pos < Text.size() && Text[Pos] != '\n') ++Pos;
      } else if (std::isspace(static_cast<unsigned char>(c))) {
        ++Pos;
      } else {
        return;
      }
    }
  }

  char Peek() {
    SkipBlanks();
    return Pos < Text.size() ? Text[Pos] : '\0';
  }

  void Expect(char c) {
    if (Peek() != c) Fail(std::wstring(L"\"") + wchar_t(c) + L"\" expected");
    ++Pos;
  }

  std::string Word() {
    if (!IsIdentStart(Peek())) Fail(L"a name expected");
    size_t start = Pos;
    while (Pos < Text.size() && IsIdentChar(Text[Pos])) ++Pos;
    return std::string(Text.substr(start, Pos - start));
  }

  bool NextWordIs(std::string_view word) {
    SkipBlanks();
    if (Text.substr(Pos, word.size()) != word) return false;
    size_t after = Pos + word.size();
    return after >= Text.size() || !IsIdentChar(Text[after]);
  }

  void ExpectWord(std::string_view word) {
    if (!NextWordIs(word)) Fail(FromUtf8(word) + L" expected");
    Pos += word.size();
  }

  TLayoutObject Object() {
    ExpectWord("object");
    // Nesting is bounded so that a hostile resource cannot exhaust the stack.
    if (++Depth > kMaxDepth) Fail(L"components nested too deeply");
    TLayoutObject object;
    object.Name = FromUtf8(Word());
    Expect(':');
    object.ClassName = FromUtf8(Word());
    while (!NextWordIs("end")) {
      if (Pos >= Text.size()) Fail(L"\"end\" expected");
      if (NextWordIs("object"))
        object.Children.push_back(Object());
      else
        object.Properties.push_back(Property());
    }
    ExpectWord("end");
    --Depth;
    return object;
  }

  TLayoutProperty Property() {
    TLayoutProperty property;
    property.Name = FromUtf8(Word());
    Expect('=');
    property.Value = Value();
    return property;
  }

  TPropValue Value() {
    char c = Peek();
    if (c == '"') return String();
    if (c == '[') return Set();
    if (c == '{') return Binary();
    if (c == '<') return Items();
    if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) return Integer();
    if (IsIdentStart(c)) return TLayoutIdent{FromUtf8(Word())};
    Fail(L"a value expected");
  }

  int64_t Integer() {
    bool negative = Text[Pos] == '-';
    if (negative) ++Pos;
    if (Pos >= Text.size() || !std::isdigit(static_cast<unsigned char>(Text[Pos]))) Fail(L"a digit expected");
    int64_t value = 0;
    while (Pos < Text.size() && std::isdigit(static_cast<unsigned char>(Text[Pos]))) {
      value = value * 10 + (Text[Pos++] - '0');
      if (value > INT32_MAX) Fail(L"number too large");
    }
    return negative ? -value : value;
  }

  std::wstring String() {
    ++Pos;
    std::string bytes;
    for (;;) {
      if (Pos >= Text.size() || Text[Pos] == '\n') Fail(L"unterminated string");
      char c = Text[Pos++];
      if (c == '"') break;
      if (c == '\\') c = Escape();
      bytes += c;
    }
    return FromUtf8(bytes);
  }

  char Escape() {
    if (Pos >= Text.size()) Fail(L"unterminated string");
    switch (Text[Pos++]) {
      case 'r': return '\r';
      case 'n': return '\n';
      case 't': return '\t';
      case '"': return '"';
      case '\\': return '\\';
      default: Fail(L"unknown escape in string");
    }
  }

  TLayoutSet Set() {
    ++Pos;
    TLayoutSet set;
    if (Peek() == ']') return ++Pos, set;
    for (;;) {
      set.push_back(FromUtf8(Word()));
      if (Peek() == ']') return ++Pos, set;
      Expect(',');
    }
  }

  TLayoutBinary Binary() {
    ++Pos;
    TLayoutBinary bytes;
    while (Peek() != '}') {
      if (Pos + 1 >= Text.size()) Fail(L"unterminated binary data");
      int high = HexDigit(Text[Pos]), low = HexDigit(Text[Pos + 1]);
      if (high < 0 || low < 0) Fail(L"hexadecimal digits expected");
      bytes.push_back(static_cast<uint8_t>(high * 16 + low));
      Pos += 2;
    }
    ++Pos;
    return bytes;
  }

  TLayoutItems Items() {
    ++Pos;
    TLayoutItems items;
    while (Peek() != '>') {
      ExpectWord("item");
      TLayoutItem item;
      while (!NextWordIs("end")) {
        if (Pos >= Text.size()) Fail(L"\"end\" expected");
        item.push_back(Property());
      }
      ExpectWord("end");
      items.push_back(std::move(item));
    }
    ++Pos;
    return items;
  }

  std::string_view Text;
  size_t Pos = 0;
  int Line = 1;
  int Depth = 0;
  static constexpr int kMaxDepth = 64;
};

}  // namespace

TLayoutObject ParseLayout(std::string_view text) { return TLayoutParser(text).Root(); }
