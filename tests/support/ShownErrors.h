// Takes the application's standard error display over for a test: the texts
// it would have shown, in order.
#pragma once

#include <string>
#include <vector>

#include "toolkit/platform/Application.h"

class TShownErrors {
 public:
  TShownErrors() { Application.SetOnException(TApplication::TExceptionEvent::Of<&TShownErrors::Show>(*this)); }
  ~TShownErrors() { Application.SetOnException({}); }
  TShownErrors(const TShownErrors&) = delete;
  TShownErrors& operator=(const TShownErrors&) = delete;

  std::vector<std::wstring> Texts;

 private:
  void Show(const std::exception& error) { Texts.push_back(ExceptionText(error)); }
};
