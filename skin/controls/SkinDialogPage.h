// A dialog inside a skinned dialog: a property sheet's page, or the part a
// program adds to a file dialog. Its background and its static texts take
// the skin's face colour, as its dialog's do, and its controls get skinners
// as the dialog's own do: those it has when it is attached, and those it
// makes when it initialises (a page is made when it is first selected, after
// its sheet was skinned, and its controls only after that).
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinDialogPage : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinDialogPage() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinDialogPage"; }
  void AttachWindow(HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas) override;

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;

 private:
  void OfferControls();
};
