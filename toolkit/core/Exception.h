// The root of the program's error family. Every failure the program reports is
// an Exception whose Message is the text shown to the user.
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "toolkit/core/Format.h"

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  Exception(std::wstring_view format, std::initializer_list<FormatArg> args);

  const std::wstring& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FUtf8.c_str(); }

 private:
  std::wstring FMessage;
  std::string FUtf8;
};

// Raised for an index outside a list or collection.
class EListError : public Exception {
 public:
  explicit EListError(int index);
};
