#include <gtest/gtest.h>

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

TEST(Component, OwnerFreesWhatItOwnsLastFirst) {
  events.clear();
  auto* form = new TProbe(nullptr, L"Form");
  new TProbe(form, L"B_Start");
  auto* timer = new TProbe(form, L"Timer2");
  new TProbe(timer, L"Inner");
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(form->FindComponent(L"Timer2"), timer);
  EXPECT_EQ(form->FindComponent(L"Missing"), nullptr);
  EXPECT_THROW(form->Components(2), EListError);
  delete form;
  EXPECT_EQ(events, (std::vector<std::wstring>{L"free Form", L"free Timer2", L"free Inner", L"free B_Start"}));
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
