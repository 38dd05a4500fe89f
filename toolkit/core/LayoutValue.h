// The values a layout resource gives to properties, and the tree of components
// it describes. Plain data, so the reader builds and is tested without a window.
#pragma once

#include <any>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct TLayoutProperty;

// One item of a collection property ("Panels = < item ... end >").
using TLayoutItem = std::vector<TLayoutProperty>;

struct TLayoutIdent {
  std::wstring Name;  // an enumeration member, a handler name, true/false
  friend bool operator==(const TLayoutIdent&, const TLayoutIdent&) = default;
};
using TLayoutSet = std::vector<std::wstring>;
using TLayoutBinary = std::vector<uint8_t>;
using TLayoutItems = std::vector<TLayoutItem>;

using TPropValue = std::variant<int64_t, std::wstring, TLayoutIdent, TLayoutSet, TLayoutBinary, TLayoutItems>;

struct TLayoutProperty {
  std::wstring Name;
  TPropValue Value;
};

struct TLayoutObject {
  std::wstring Name;
  std::wstring ClassName;
  std::vector<TLayoutProperty> Properties;
  std::vector<TLayoutObject> Children;
};

#include "toolkit/core/Exception.h"

// "Invalid property value": a layout or a caller gave a property the wrong kind of value.
class EPropertyError : public Exception {
 public:
  using Exception::Exception;
};

// The value as the kind a property needs; EPropertyError otherwise.
int64_t PropInt(const TPropValue& value);
const std::wstring& PropString(const TPropValue& value);
const std::wstring& PropIdent(const TPropValue& value);
bool PropBool(const TPropValue& value);
const TLayoutSet& PropSet(const TPropValue& value);
const TLayoutItems& PropItems(const TPropValue& value);
// A string of lines with "\n" between them (a list of items, tabs, texts); none for "".
std::vector<std::wstring> PropLines(const TPropValue& value);
TPropValue BoolProp(bool value);

// An enumeration's value from its identifier (names in the enumeration's order).
template <typename Enum, size_t Count>
Enum PropEnum(const TPropValue& value, const wchar_t* const (&names)[Count]) {
  const std::wstring& name = PropIdent(value);
  for (size_t i = 0; i < Count; ++i)
    if (name == names[i]) return Enum(i);
  throw EPropertyError(L"Invalid property value");
}

// Binds an event to a handler from a layout: handler must hold the event's type.
template <typename Event>
bool BindEvent(const std::any& handler, Event& event) {
  if (auto* method = std::any_cast<Event>(&handler)) return event = *method, true;
  throw EPropertyError(L"Invalid property value");
}
