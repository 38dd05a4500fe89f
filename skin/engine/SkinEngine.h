// Starting and stopping the window-level skin engine. While it runs, skin
// data components reach the skin manager: the first one loaded creates it.
// Stopping frees the manager (which lets go of every window it still
// skins) and the painters' shared scratch bitmap.
#pragma once

void StartSkinEngine();
void StopSkinEngine();

// The engine for one scope: a program's main block, a test.
class TSkinEngineScope {
 public:
  TSkinEngineScope() { StartSkinEngine(); }
  ~TSkinEngineScope() { StopSkinEngine(); }
  TSkinEngineScope(const TSkinEngineScope&) = delete;
  TSkinEngineScope& operator=(const TSkinEngineScope&) = delete;
};
