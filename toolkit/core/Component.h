// The base of everything that sits on a form: it has an owner, which frees it,
// a name and a tag, and it knows when it is being read from a layout or freed.
//
// Freeing runs in two phases. First the destroying phase (Destroying), while
// every part of the object is still whole: a control's window goes through its
// procedure chain, whoever asked for free notification hears of it, and the
// owned components are freed, last made first. Then the destructors, which
// only release memory. Free runs the phase before any destructor; a plain
// delete runs it from the destructor of the most derived toolkit class, each
// of which starts with BeforeDestruction.
#pragma once

#include <any>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/core/LayoutValue.h"
#include "toolkit/core/Method.h"

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 2 };
// What a Notification reports: the component is being freed.
enum TOperation { opRemove };

class TComponent;
// The event of most handlers: the component that raised it.
using TNotifyEvent = TMethod<TComponent*>;

class TComponent {
 public:
  // The new component joins owner's list (when given) and is destroyed with it.
  explicit TComponent(TComponent* owner);
  virtual ~TComponent() { BeforeDestruction(); }
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // Runs the destroying phase while the whole object exists, then deletes it.
  void Free();
  // component's Notification(this, opRemove) runs when this one is freed.
  // Either may be freed first; neither keeps a pointer to the other then.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

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
  // The destroying phase, once: csDestroying is set, then Destroying runs.
  void BeforeDestruction();
  // What goes while the object is whole. Overrides tear down their own parts
  // and call this, which tells the free notification subscribers, frees the
  // owned components and leaves the owner.
  virtual void Destroying();
  // component, which this one owns or asked for free notification, is being
  // freed (opRemove): drop every pointer to it.
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  void RemoveComponent(TComponent* component);

  TComponent* FOwner;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;  // both ways: those to tell, and those that tell us
  std::wstring FName;
  intptr_t FTag = 0;
  unsigned FComponentState = 0;
};
