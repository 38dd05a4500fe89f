#include "toolkit/core/LayoutReader.h"

namespace {

void ApplyProperty(TComponent& root, TComponent& component, const TLayoutProperty& property) {
  bool known;
  if (property.Name.starts_with(L"On") && std::holds_alternative<TLayoutIdent>(property.Value)) {
    const std::wstring& handlerName = PropIdent(property.Value);
    const std::any* handler = root.FindHandler(handlerName);
    if (!handler) throw EPropertyError(L"Handler %s not found", {handlerName});
    known = component.SetEvent(property.Name, *handler);
  } else {
    known = component.SetProperty(property.Name, property.Value);
  }
  if (!known) throw EPropertyError(L"Property %s does not exist", {property.Name});
}

void ApplyProperties(TComponent& root, TComponent& component, const TLayoutObject& object) {
  for (const TLayoutProperty& property : object.Properties) {
    try {
      ApplyProperty(root, component, property);
    } catch (const Exception& error) {
      throw EPropertyError(L"Error reading %s.%s: %s", {object.Name, property.Name, error.Message()});
    }
  }
}

void ReadChildren(TComponent& root, TComponent& parent, const TLayoutObject& object, const TClassRegistry& classes) {
  for (const TLayoutObject& child : object.Children) {
    if (root.FindComponent(child.Name)) throw EPropertyError(L"A component named %s already exists", {child.Name});
    TComponent* component = classes.Create(child.ClassName, &root);
    component->BeginLoading();
    component->SetName(child.Name);
    component->SetParentComponent(&parent);
    ApplyProperties(root, *component, child);
    ReadChildren(root, *component, child, classes);
  }
}

}  // namespace

TComponent* TClassRegistry::Create(const std::wstring& className, TComponent* owner) const {
  auto found = FFactories.find(className);
  if (found == FFactories.end()) throw EPropertyError(L"Class %s not found", {className});
  return found->second(owner);
}

void ReadLayout(TComponent& root, const TLayoutObject& tree, const TClassRegistry& classes) {
  root.SetName(tree.Name);
  ApplyProperties(root, root, tree);
  ReadChildren(root, root, tree, classes);
}
