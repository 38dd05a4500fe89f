#include "tools/gallery/GalleryHost.h"

#include <algorithm>

#include "toolkit/forms/Form.h"

bool TGalleryHost::RegisterControl(TSkinControlLink* skinner) {
  if (std::find(FSkinners.begin(), FSkinners.end(), skinner) != FSkinners.end()) return true;
  FSkinners.push_back(skinner);
  return false;
}

void TGalleryHost::UnregisterControl(TSkinControlLink* skinner) {
  auto found = std::find(FSkinners.rbegin(), FSkinners.rend(), skinner);
  if (found != FSkinners.rend()) FSkinners.erase(std::next(found).base());
  if (FMouseControl == skinner) FMouseControl = nullptr;
}

void TGalleryHost::SkinForm(TForm& form, TSkinData& skinData) {
  // The controls keep the colours they had; then the form and those that follow it take the skin's.
  AttachFormControls(form, {skinData, this, this, &form});
  FForm = &form;
  FSavedColor = form.Color();
  form.SetColor(skinData.Colours.ButtonFace);
}

void TGalleryHost::SkinWindow(HWND window, TSkinData& skinData) { AttachChildWindows(window, {skinData, this, this, nullptr}); }

void TGalleryHost::SkinChanged() {
  std::vector<TSkinControlLink*> skinners = FSkinners;
  for (TSkinControlLink* skinner : skinners) skinner->SkinChanged();
}

void TGalleryHost::Unskin() {
  while (!FSkinners.empty()) {
    TSkinControlLink* skinner = FSkinners.front();
    if (skinner->LifeState() != 6) skinner->RestoreColour();
    auto* component = dynamic_cast<TComponent*>(skinner);
    if (component) component->Free();
    if (!FSkinners.empty() && FSkinners.front() == skinner) FSkinners.erase(FSkinners.begin());
  }
  if (FForm) FForm->SetColor(FSavedColor);
  FForm = nullptr;
}

void TGalleryHost::Destroying() {
  Unskin();
  TComponent::Destroying();
}
