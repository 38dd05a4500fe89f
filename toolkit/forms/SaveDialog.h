// The system's "save as" dialog.
#pragma once

#include "toolkit/core/Component.h"

class TSaveDialog : public TComponent {
 public:
  explicit TSaveDialog(TComponent* owner) : TComponent(owner) {}
  std::wstring ClassName() const override { return L"TSaveDialog"; }
  const std::wstring& FileName() const { return FFileName; }
  // Shows the dialog; true when the user accepted a file name.
  bool Execute();
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 private:
  std::wstring FFileName;
  std::wstring FDefaultExt;
  std::wstring FFilter;  // "Name|*.ext|Name|*.ext"
  std::wstring FTitle;
};
