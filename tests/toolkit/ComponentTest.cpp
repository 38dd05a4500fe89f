// Components: ownership, loading, and the two-phase freeing that lets owned
// components and free notification subscribers use what they point at.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/core/Component.h"
#include "toolkit/core/Exception.h"

namespace {

std::vector<std::wstring> events;

class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, std::wstring name) : TComponent(owner) { SetName(std::move(name)); }
  ~TProbe() override { events.push_back(L"free " + Name()); }

 protected:
  void Loaded() override {
    events.push_back(L"loaded " + Name() + ((ComponentState() & csLoading) ? L" (still loading)" : L""));
  }
};

}  // namespace

TEST(Component, OwnerFreesWhatItOwnsLastFirstAndBeforeItself) {
  events.clear();
  auto* form = new TProbe(nullptr, L"Form");
  new TProbe(form, L"B_Start");
  auto* timer = new TProbe(form, L"Timer2");
  new TProbe(timer, L"Inner");
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(form->FindComponent(L"Timer2"), timer);
  EXPECT_EQ(form->FindComponent(L"Missing"), nullptr);
  EXPECT_THROW(form->Components(2), EListError);
  form->Free();
  EXPECT_EQ(events, (std::vector<std::wstring>{L"free Inner", L"free Timer2", L"free B_Start", L"free Form"}));
}

TEST(Component, FreeingAnOwnedComponentLeavesItsOwner) {
  events.clear();
  TProbe form(nullptr, L"Form");
  auto* button = new TProbe(&form, L"Button");
  new TProbe(&form, L"Label");
  delete button;
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0)->Name(), L"Label");
}

TEST(Component, LoadingMarksTheTreeAndLoadedRunsOwnedFirst) {
  events.clear();
  TProbe form(nullptr, L"Form");
  auto* skin = new TProbe(&form, L"SkinData1");
  form.SetTag(99);
  form.BeginLoading();
  EXPECT_TRUE(skin->ComponentState() & csLoading);
  form.EndLoading();
  EXPECT_FALSE(form.ComponentState() & csLoading);
  EXPECT_EQ(events, (std::vector<std::wstring>{L"loaded SkinData1", L"loaded Form"}));
  form.EndLoading();
  EXPECT_EQ(events.size(), 2u) << "Loaded runs once per load";
  EXPECT_EQ(form.Tag(), 99);
}

namespace {

// Keeps a pointer to another component and drops it when told.
class TWatcher : public TComponent {
 public:
  explicit TWatcher(TComponent* owner) : TComponent(owner) {}
  TComponent* Watched = nullptr;
  std::vector<TComponent*> Heard;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    if (operation != opRemove) return;
    Heard.push_back(component);
    if (component == Watched) Watched = nullptr;
  }
};

}  // namespace

TEST(Component, FreeNotificationReachesTheSurvivorWhicheverGoesFirst) {
  TComponent form(nullptr);
  auto* watcher = new TWatcher(&form);
  auto* menu = new TComponent(&form);
  watcher->Watched = menu;
  menu->FreeNotification(watcher);
  menu->FreeNotification(watcher);  // asking twice still tells once
  delete menu;
  EXPECT_EQ(watcher->Watched, nullptr);
  EXPECT_EQ(watcher->Heard, std::vector<TComponent*>{menu});

  auto* images = new TComponent(nullptr);
  auto* early = new TWatcher(nullptr);
  images->FreeNotification(early);
  early->Free();  // the subscriber goes first: images must not tell it later
  images->Free();

  auto* kept = new TComponent(nullptr);
  auto* quiet = new TWatcher(nullptr);
  kept->FreeNotification(quiet);
  kept->RemoveFreeNotification(quiet);
  kept->Free();
  EXPECT_TRUE(quiet->Heard.empty());
  quiet->Free();

  TWatcher owner(nullptr);  // an owner hears of each owned component that goes
  auto* label = new TComponent(&owner);
  auto address = reinterpret_cast<uintptr_t>(label);
  delete label;
  ASSERT_EQ(owner.Heard.size(), 1u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(owner.Heard[0]), address);
}
