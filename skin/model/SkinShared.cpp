#include "skin/model/SkinShared.h"

#include <memory>

namespace {

std::unique_ptr<TSkinShared>& Shared() {
  static std::unique_ptr<TSkinShared> shared;
  return shared;
}

}  // namespace

void StartSkinShared() {
  if (!Shared()) Shared() = std::make_unique<TSkinShared>();
}

void StopSkinShared() { Shared().reset(); }

TSkinShared* SkinShared() { return Shared().get(); }
