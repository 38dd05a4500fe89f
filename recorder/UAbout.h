// The about window: the program's name and version, a picture, the maker's
// credit line, home page and e-mail address.
#pragma once

#include "toolkit/forms/Form.h"

class TAboutForm : public TForm {
 public:
  explicit TAboutForm(TComponent* owner);
  std::wstring ClassName() const override { return L"TAboutForm"; }
  void Button1Click(TComponent* sender);
};
