#include "toolkit/core/Component.h"

#include <algorithm>
#include <utility>

#include "toolkit/core/Exception.h"

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
  if (FOwner) FOwner->FComponents.push_back(this);
}

void TComponent::Free() {
  BeforeDestruction();
  delete this;
}

void TComponent::BeforeDestruction() {
  if (FComponentState & csDestroying) return;
  FComponentState |= csDestroying;
  Destroying();
}

// Owned components go last-created first, so later ones may still use earlier ones.
void TComponent::Destroying() {
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& back = other->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, opRemove);
  }
  while (!FComponents.empty()) FComponents.back()->Free();
  if (FOwner) std::exchange(FOwner, nullptr)->RemoveComponent(this);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) != FFreeNotifies.end()) return;
  FFreeNotifies.push_back(component);
  component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
  auto& back = component->FFreeNotifies;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(index);
  return FComponents[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
  auto found = std::find_if(FComponents.begin(), FComponents.end(),
                            [&](const TComponent* c) { return !name.empty() && c->FName == name; });
  return found == FComponents.end() ? nullptr : *found;
}

void TComponent::BeginLoading() {
  FComponentState |= csLoading;
  for (TComponent* component : FComponents) component->BeginLoading();
}

void TComponent::EndLoading() {
  for (TComponent* component : FComponents) component->EndLoading();
  if (FComponentState & csLoading) {
    FComponentState &= ~csLoading;
    Loaded();
  }
}

void TComponent::RemoveComponent(TComponent* component) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component), FComponents.end());
  Notification(component, opRemove);
}

bool TComponent::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Name") return SetName(PropString(value)), true;
  if (name == L"Tag") return SetTag(static_cast<intptr_t>(PropInt(value))), true;
  return false;
}

std::optional<TPropValue> TComponent::GetProperty(const std::wstring& name) const {
  if (name == L"Name") return FName;
  if (name == L"Tag") return static_cast<int64_t>(FTag);
  return std::nullopt;
}

bool TComponent::SetEvent(const std::wstring&, const std::any&) { return false; }

const std::any* TComponent::FindHandler(const std::wstring&) const { return nullptr; }
