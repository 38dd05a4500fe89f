// Builds a component tree from a parsed layout: creates each nested component
// by its class name, owned by the root, nests it, sets its properties and
// binds its events to the root's handlers by name.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "toolkit/core/Component.h"
#include "toolkit/core/LayoutValue.h"

class TClassRegistry {
 public:
  using TFactory = std::function<TComponent*(TComponent* owner)>;
  template <class Component>
  void Register(const std::wstring& className) {
    FFactories[className] = [](TComponent* owner) -> TComponent* { return new Component(owner); };
  }
  // "Class %s not found" for a class nobody registered.
  TComponent* Create(const std::wstring& className, TComponent* owner) const;

 private:
  std::map<std::wstring, TFactory> FFactories;
};

// The root's own properties come from tree; its children are created. The
// caller brackets this with BeginLoading/EndLoading on the root, so Loaded
// runs once everything is read.
void ReadLayout(TComponent& root, const TLayoutObject& tree, const TClassRegistry& classes);
