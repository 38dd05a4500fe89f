// Controls that show or choose a position between a minimum and a maximum:
// the progress bar, the track bar, the up-down and the scroll bar, each the
// platform's common control.
#pragma once

#include "toolkit/forms/Controls.h"

class TRangeControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  ~TRangeControl() override { BeforeDestruction(); }
  int Min() const { return FMin; }
  void SetMin(int min);
  int Max() const { return FMax; }
  void SetMax(int max);
  int Position() const { return FPosition; }
  void SetPosition(int position);
  // Raised when the user moves the position.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& handler) { FOnChange = handler; }
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;
  bool SetEvent(const std::wstring& name, const std::any& handler) override;

 protected:
  // The window takes the range or the position kept here.
  virtual void UpdateRange() = 0;
  virtual void UpdatePosition() = 0;
  void InitializeWnd() override;
  // The window reports a new position of the user's.
  void PositionMoved(int position);

  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  TNotifyEvent FOnChange;
};

class TProgressBar : public TRangeControl {
 public:
  using TRangeControl::TRangeControl;
  std::wstring ClassName() const override { return L"TProgressBar"; }
  unsigned Kinds() const override { return ckProgressBar; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void UpdateRange() override;
  void UpdatePosition() override;
};

enum TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TRangeControl {
 public:
  explicit TTrackBar(TComponent* owner) : TRangeControl(owner) { FMax = 10; }
  std::wstring ClassName() const override { return L"TTrackBar"; }
  TTrackBarOrientation Orientation() const { return FOrientation; }
  // A tick every frequency positions.
  void SetFrequency(int frequency);
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void UpdateRange() override;
  void UpdatePosition() override;
  void WndProc(TMessage& message) override;

 private:
  TTrackBarOrientation FOrientation = trHorizontal;
  int FFrequency = 1;
};

enum TUDOrientation { udHorizontal, udVertical };

class TUpDown : public TRangeControl {
 public:
  using TRangeControl::TRangeControl;
  std::wstring ClassName() const override { return L"TUpDown"; }
  TUDOrientation Orientation() const { return FOrientation; }
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void UpdateRange() override;
  void UpdatePosition() override;
  void WndProc(TMessage& message) override;

 private:
  TUDOrientation FOrientation = udVertical;
};

enum TScrollBarKind { sbHorizontal, sbVertical };

// Its position runs from Min to Max - PageSize + 1, as the thumb covers a page.
class TScrollBar : public TRangeControl {
 public:
  using TRangeControl::TRangeControl;
  std::wstring ClassName() const override { return L"TScrollBar"; }
  unsigned Kinds() const override { return ckScrollBar; }
  TScrollBarKind Kind() const { return FKind; }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int pageSize);
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void UpdateRange() override;
  void UpdatePosition() override;
  void WndProc(TMessage& message) override;

 private:
  void Scroll(int code);

  TScrollBarKind FKind = sbHorizontal;
  int FPageSize = 0;
  int FSmallChange = 1;
  int FLargeChange = 1;
};
