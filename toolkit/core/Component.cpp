#include "toolkit/core/Component.h"

#include <algorithm>

#include "toolkit/core/Exception.h"

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
  if (FOwner) FOwner->FComponents.push_back(this);
}

// Owned components go last-created first, so later ones may still use earlier ones.
TComponent::~TComponent() {
  FComponentState |= csDestroying;
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    FComponents.pop_back();
    last->FOwner = nullptr;
    delete last;
  }
  if (FOwner) FOwner->Remove(this);
}

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

void TComponent::Remove(TComponent* component) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component), FComponents.end());
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
