#include "toolkit/forms/SaveDialog.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>

bool TSaveDialog::Execute() {
  std::wstring filter = FFilter + L"||";
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  std::wstring file = FFileName;
  file.resize(std::max<size_t>(file.size() + 1, 32768), L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrDefExt = FDefaultExt.empty() ? nullptr : FDefaultExt.c_str();
  dialog.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
  dialog.Flags = OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetSaveFileNameW(&dialog)) return false;
  FFileName = file.c_str();
  return true;
}

bool TSaveDialog::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"DefaultExt") return FDefaultExt = PropString(value), true;
  if (name == L"Filter") return FFilter = PropString(value), true;
  if (name == L"Title") return FTitle = PropString(value), true;
  if (name == L"FileName") return FFileName = PropString(value), true;
  return TComponent::SetProperty(name, value);
}
