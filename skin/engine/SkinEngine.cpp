// What skin data components ask of the engine: registering when their form
// is read, switching skinning on and off, and reskinning with a new skin.
#include "skin/engine/SkinEngine.h"

#include "skin/engine/SkinManager.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinEngineLink.h"
#include "skin/model/SkinShared.h"
#include "toolkit/forms/Form.h"

namespace {

constexpr unsigned kRequestDelay = 250;

class TSkinEngine : public TSkinEngineLink {
 public:
  void SkinDataLoaded(TSkinData& data) override {
    TSkinManage& manager = CreateSkinManager();
    manager.RegisterSkinData(data);
    if (data.SkinFormtype() != sfMainform) {
      // A component of one form skins its owner at once.
      manager.Enabled = true;
      ++manager.ActivationCount;
      if (auto* form = dynamic_cast<TForm*>(data.Owner())) manager.SkinWindow(form->Handle());
      return;
    }
    manager.InstallHook();
    // A skin that could not be loaded has already turned Active off.
    if (data.Active()) manager.RequestAction(saActivate, kRequestDelay);
  }

  void SkinDataActiveChanged(TSkinData& data) override {
    TSkinManage* manager = SkinManager();
    if (!manager || data.SkinFormtype() == sfDialog) return;
    const bool blocked = data.Active() && data.SkinNotReady;
    if (data.SkinFormtype() == sfOnlyThisForm) manager->PendingSkinData = &data;
    if (blocked) return;
    manager->RequestAction(data.Active() ? saActivate : saDeactivate, kRequestDelay);
    manager->PendingSkinData = &data;
  }

  void ApplyNewSkin(TSkinData& data) override {
    if (!SkinManager()) SkinDataLoaded(data);
    TSkinManage& manager = *SkinManager();
    manager.PendingSkinData = &data;
    manager.ReloadAllForms();
    manager.RequestAction(saReload, kRequestDelay);
  }

  void SkinDataDestroying(TSkinData& data) override {
    if (TSkinManage* manager = SkinManager()) manager->UnregisterSkinData(data);
  }
};

TSkinEngine gEngine;

}  // namespace

void StartSkinEngine() {
  StartSkinShared();
  SetSkinEngineLink(&gEngine);
}

void StopSkinEngine() {
  FreeSkinManager();
  SetSkinEngineLink(nullptr);
  StopSkinShared();
}
