// A multi-line edit with the platform's scroll bars.
#pragma once

#include "toolkit/forms/StdCtrls.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* owner);
  std::wstring ClassName() const override { return L"TMemo"; }
  unsigned Kinds() const override { return ckEdit | ckMemo; }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  // Part of the window's style: the window is made again.
  void SetScrollBars(TScrollStyle scrollBars);
  // "Lines" takes the text with "\n" between lines.
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
};
