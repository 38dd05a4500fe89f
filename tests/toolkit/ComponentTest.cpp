// Components: ownership, loading, and the two-phase freeing that lets owned
// components and free notification subscribers use what they point at.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
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

// A control as the skin engine meets it: its state lives in its derived part
// (on the heap, so that a sanitizer sees a late access), and like every
// toolkit class its destructor starts the destroying phase.
class TModelControl : public TComponent {
 public:
  explicit TModelControl(TComponent* owner) : TComponent(owner) {}
  ~TModelControl() override { BeforeDestruction(); }
  int& Color() { return *FColor; }
  int& WindowProc() { return *FWindowProc; }

 private:
  std::unique_ptr<int> FColor = std::make_unique<int>(15);
  std::unique_ptr<int> FWindowProc = std::make_unique<int>(1);
};

// A skinner owned by its control: it replaces the control's state while it
// lives and gives it back from its destructor.
class TModelSkinner : public TComponent {
 public:
  explicit TModelSkinner(TModelControl* control) : TComponent(control), FControl(*control) {
    FSavedColor = std::exchange(FControl.Color(), 99);
    FSavedWindowProc = std::exchange(FControl.WindowProc(), 2);
  }
  ~TModelSkinner() override {
    FControl.Color() = FSavedColor;
    FControl.WindowProc() = FSavedWindowProc;
    events.push_back(L"restored " + std::to_wstring(FControl.Color()));
  }

 private:
  TModelControl& FControl;
  int FSavedColor;
  int FSavedWindowProc;
};

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

TEST(Component, AnOwnedSkinnerGivesItsControlBackWhileTheControlIsWhole) {
  events.clear();
  auto* form = new TComponent(nullptr);
  auto* deleted = new TModelControl(form);
  new TModelSkinner(deleted);
  EXPECT_EQ(deleted->Color(), 99);
  delete deleted;  // the destroying phase runs before the control's members go
  auto* freed = new TModelControl(form);
  new TModelSkinner(freed);
  freed->Free();
  new TModelSkinner(new TModelControl(form));
  EXPECT_EQ(events, (std::vector<std::wstring>{L"restored 15", L"restored 15"}));
  form->Free();
  EXPECT_EQ(events.size(), 3u) << "the owner's destroying phase frees the control and its skinner";
}

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
}

TEST(Component, AnOwnerHearsOfEachOwnedComponentThatGoes) {
  TWatcher form(nullptr);
  auto* label = new TComponent(&form);
  auto* button = new TComponent(&form);
  delete label;
  button->Free();
  EXPECT_EQ(form.Heard, (std::vector<TComponent*>{label, button}));
}
