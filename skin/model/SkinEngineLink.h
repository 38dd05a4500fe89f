// What a skin data component asks of the window-level skin engine (the skin
// manager and its skinners), which builds on this model and so cannot be
// called by name from here. The engine puts itself in this slot while it runs;
// without it a component keeps its values and skins nothing.
#pragma once

class TSkinData;

class TSkinEngineLink {
 public:
  virtual ~TSkinEngineLink() = default;
  // The owner's layout has been read: register, hook, request activation.
  virtual void SkinDataLoaded(TSkinData& data) = 0;
  // Active has just changed outside the reading of a layout.
  virtual void SkinDataActiveChanged(TSkinData& data) = 0;
  // A new skin was loaded into the component: reskin its windows.
  virtual void ApplyNewSkin(TSkinData& data) = 0;
  // The component is going: nothing may use it any more.
  virtual void SkinDataDestroying(TSkinData& data) = 0;
};

// The running engine, or none.
TSkinEngineLink* SkinEngineLink();
void SetSkinEngineLink(TSkinEngineLink* link);
