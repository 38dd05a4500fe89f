// The base of everything that sits on a form: it has an owner, which destroys it,
// a name and a tag, and it knows when it is being read from a layout or destroyed.
#pragma once

#include <any>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/core/LayoutValue.h"

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 2 };

class TComponent {
 public:
  // The new component joins owner's list (when given) and is destroyed with it.
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  TComponent* FindComponent(const std::wstring& name) const;

  const std::wstring& Name() const { return FName; }
  void SetName(std::wstring name) { FName = std::move(name); }
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t tag) { FTag = tag; }

  unsigned ComponentState() const { return FComponentState; }

  // The class name as a string ("TComboBox"); forms answer their own class.
  virtual std::wstring ClassName() const { return L"TComponent"; }

  // Published properties by name, as the layout reader and the skin engine use
  // them. Setting raises EPropertyError for a value of the wrong kind and
  // answers false for a name this class does not publish.
  virtual bool SetProperty(const std::wstring& name, const TPropValue& value);
  virtual std::optional<TPropValue> GetProperty(const std::wstring& name) const;
  // Binds the event name ("OnClick") to handler, a TMethod of the event's type.
  virtual bool SetEvent(const std::wstring& name, const std::any& handler);
  // Where a layout nests this component: a control gets parent as its parent
  // window, a menu item becomes parent's sub-item. Others stay where they are.
  virtual void SetParentComponent(TComponent*) {}
  // The handler a layout names ("B_StartClick"); null when this root has none.
  virtual const std::any* FindHandler(const std::wstring& name) const;

  // Reading a layout: BeginLoading marks this component and all it owns as
  // loading; EndLoading clears the mark and calls Loaded on each, owned ones first.
  void BeginLoading();
  void EndLoading();

 protected:
  // Runs once the component's whole layout has been read; csLoading is already clear.
  virtual void Loaded() {}

 private:
  void Remove(TComponent* component);

  TComponent* FOwner;
  std::vector<TComponent*> FComponents;
  std::wstring FName;
  intptr_t FTag = 0;
  unsigned FComponentState = 0;
};
