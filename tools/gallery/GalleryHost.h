// What the gallery gives its control skinners in place of a form skinner:
// the list they register with, the skinner that has the mouse, the canvas;
// and skinning a window's controls on and off, as a form skinner does.
#pragma once

#include <vector>

#include "skin/controls/ControlDispatch.h"
#include "toolkit/forms/Form.h"

class TGalleryHost : public TComponent, public TSkinFormLink {
 public:
  explicit TGalleryHost(TComponent* owner) : TComponent(owner) {}
  ~TGalleryHost() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TGalleryHost"; }

  bool RegisterControl(TSkinControlLink* skinner) override;
  void UnregisterControl(TSkinControlLink* skinner) override;
  TSkinControlLink* MouseControl() const override { return FMouseControl; }
  void SetMouseControl(TSkinControlLink* skinner) override { FMouseControl = skinner; }
  TCanvas& ControlCanvas() override { return FCanvas; }
  int LifeState() const override { return 1; }

  int SkinnerCount() const { return static_cast<int>(FSkinners.size()); }
  // A toolkit form's controls, the form taking the skin's face colour.
  void SkinForm(TForm& form, TSkinData& skinData);
  // A window's child windows, with skinners this host owns.
  void SkinWindow(HWND window, TSkinData& skinData);
  // Every skinner tells its control that the skin changed.
  void SkinChanged();
  // Every control gets its colour back (its window alive) and loses its skinner.
  void Unskin();

 protected:
  void Destroying() override;

 private:
  std::vector<TSkinControlLink*> FSkinners;
  TSkinControlLink* FMouseControl = nullptr;
  TCanvas FCanvas;
  TForm* FForm = nullptr;
  TColor FSavedColor = 0;
};
