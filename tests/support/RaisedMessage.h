// The message of the toolkit error a call raises, or "no error".
#pragma once

#include <string>

#include "toolkit/core/Exception.h"

template <typename Call>
std::wstring RaisedMessage(Call call) {
  try {
    call();
  } catch (const Exception& error) {
    return error.Message();
  }
  return L"no error";
}
