// The platform's date and time picker: a date chosen from a drop-down
// calendar, or a date or time stepped with an up-down control.
#pragma once

#include "toolkit/forms/Controls.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* owner);
  std::wstring ClassName() const override { return L"TDateTimePicker"; }
  TDateTimeKind Kind() const { return FKind; }
  TDTDateMode DateMode() const { return FDateMode; }
  // A time, or a date in up-down mode, is stepped with the up-down control
  // instead of chosen from a drop-down calendar.
  bool ShowsUpDown() const { return FKind == dtkTime || FDateMode == dmUpDown; }
  const SYSTEMTIME& DateTime() const { return FDateTime; }
  void SetDateTime(const SYSTEMTIME& value);
  // "Date" as YYYY-MM-DD, "Time" as HH:MM:SS.
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;

 private:
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  SYSTEMTIME FDateTime{};
};
