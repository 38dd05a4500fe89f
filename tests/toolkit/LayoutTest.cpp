// Layout text: parsing every kind of value, rejecting damaged text with the
// line it failed on, and building components from it by class and by name.
#include <gtest/gtest.h>

#include "support/RaisedMessage.h"
#include "toolkit/core/LayoutParser.h"
#include "toolkit/core/LayoutReader.h"
#include "toolkit/core/Method.h"

namespace {

using TEvent = TMethod<TComponent*>;

// A component with one property of each kind, an event, and children that nest.
class TWidget : public TComponent {
 public:
  using TComponent::TComponent;
  std::wstring Caption;
  int64_t Size = 0;
  TLayoutSet Flags;
  TLayoutBinary Blob;
  TLayoutItems Rows;
  TEvent OnClick;
  TWidget* Nest = nullptr;
  int LoadedCalls = 0;
  bool AllReadWhenLoaded = false;

  bool SetProperty(const std::wstring& name, const TPropValue& value) override {
    if (name == L"Caption") return Caption = PropString(value), true;
    if (name == L"Size") return Size = PropInt(value), true;
    if (name == L"Flags") return Flags = PropSet(value), true;
    if (name == L"Blob") return Blob = std::get<TLayoutBinary>(value), true;
    if (name == L"Rows") return Rows = PropItems(value), true;
    return TComponent::SetProperty(name, value);
  }
  bool SetEvent(const std::wstring& name, const std::any& handler) override {
    if (name != L"OnClick") return false;
    return OnClick = std::any_cast<TEvent>(handler), true;
  }
  void SetParentComponent(TComponent* parent) override { Nest = dynamic_cast<TWidget*>(parent); }

 protected:
  void Loaded() override {
    ++LoadedCalls;
    AllReadWhenLoaded = Owner() == nullptr || !Caption.empty();
  }
};

class TRootWidget : public TWidget {
 public:
  using TWidget::TWidget;
  int Clicks = 0;
  void Clicked(TComponent*) { ++Clicks; }
  const std::any* FindHandler(const std::wstring& name) const override {
    return name == L"Clicked" ? &Handler : nullptr;
  }
  std::any Handler = TEvent::Of<&TRootWidget::Clicked>(*this);
};

const char kLayout[] = R"(// a comment
object Root: TWidget
  Caption = "Q \"3.1\"\r\n录音"
  Size = -12
  Flags = [biSystemMenu, biMinimize]
  Blob = {00 ff 1A}
  Rows = <
    item Size = 200 end
    item Size = 50 Caption = "b" end
  >
  object Outer: TWidget
    Caption = "outer"
    OnClick = Clicked
    object Inner: TWidget
      Caption = "inner"
    end
  end
end
)";

TClassRegistry Widgets() {
  TClassRegistry classes;
  classes.Register<TWidget>(L"TWidget");
  return classes;
}

std::wstring ReadError(const std::string& text) {
  return RaisedMessage([&] {
    TRootWidget root(nullptr);
    ReadLayout(root, ParseLayout(text), Widgets());
  });
}

}  // namespace

TEST(LayoutParser, ReadsEveryKindOfValueAndNesting) {
  TLayoutObject root = ParseLayout(kLayout);
  EXPECT_EQ(root.Name, L"Root");
  EXPECT_EQ(root.ClassName, L"TWidget");
  ASSERT_EQ(root.Properties.size(), 5u);
  EXPECT_EQ(PropString(root.Properties[0].Value), L"Q \"3.1\"\r\n录音");
  EXPECT_EQ(PropInt(root.Properties[1].Value), -12);
  EXPECT_EQ(PropSet(root.Properties[2].Value), (TLayoutSet{L"biSystemMenu", L"biMinimize"}));
  EXPECT_EQ(std::get<TLayoutBinary>(root.Properties[3].Value), (TLayoutBinary{0x00, 0xFF, 0x1A}));
  EXPECT_EQ(PropItems(root.Properties[4].Value).size(), 2u);
  ASSERT_EQ(root.Children.size(), 1u);
  EXPECT_EQ(root.Children[0].Children[0].Name, L"Inner");
}

TEST(LayoutParser, DamagedTextNamesTheLine) {
  EXPECT_EQ(RaisedMessage([] { ParseLayout("object A: TWidget\n  Caption = \"open\nend"); }),
            L"Layout error on line 2: unterminated string");
  EXPECT_EQ(RaisedMessage([] { ParseLayout("object A: TWidget\n  Size = 99999999999\nend"); }),
            L"Layout error on line 2: number too large");
  EXPECT_EQ(RaisedMessage([] { ParseLayout("object A: TWidget\n  Blob = {0g}\nend"); }),
            L"Layout error on line 2: hexadecimal digits expected");
  EXPECT_EQ(RaisedMessage([] { ParseLayout("object A: TWidget\n  Size = 1\n"); }),
            L"Layout error on line 3: \"end\" expected");
  EXPECT_EQ(RaisedMessage([] { ParseLayout("object A: TWidget end end"); }),
            L"Layout error on line 1: text after the last \"end\"");
  EXPECT_EQ(RaisedMessage([] { ParseLayout(""); }), L"Layout error on line 1: object expected");
}

TEST(LayoutParser, DeepNestingIsRefusedNotOverflowed) {
  std::string deep;
  for (int i = 0; i < 10000; ++i) deep += "object A: T ";
  EXPECT_EQ(RaisedMessage([&] { ParseLayout(deep); }), L"Layout error on line 1: components nested too deeply");
}

TEST(LayoutReader, BuildsOwnedNestedComponentsWithEventsAndLoadsOnceAtTheEnd) {
  TRootWidget root(nullptr);
  root.BeginLoading();
  ReadLayout(root, ParseLayout(kLayout), Widgets());
  root.EndLoading();
  EXPECT_EQ(root.Name(), L"Root");
  EXPECT_EQ(root.Rows.size(), 2u);
  ASSERT_EQ(root.ComponentCount(), 2);
  auto* outer = dynamic_cast<TWidget*>(root.FindComponent(L"Outer"));
  auto* inner = dynamic_cast<TWidget*>(root.FindComponent(L"Inner"));
  ASSERT_TRUE(outer && inner);
  EXPECT_EQ(inner->Owner(), &root);  // the root owns all, however deep
  EXPECT_EQ(inner->Nest, outer);
  EXPECT_EQ(outer->Nest, &root);
  ASSERT_TRUE(outer->OnClick);
  outer->OnClick(outer);
  EXPECT_EQ(root.Clicks, 1);
  for (TWidget* widget : {static_cast<TWidget*>(&root), outer, inner}) {
    EXPECT_EQ(widget->LoadedCalls, 1);
    EXPECT_TRUE(widget->AllReadWhenLoaded);
    EXPECT_EQ(widget->ComponentState() & csLoading, 0u);
  }
}

TEST(LayoutReader, BadNamesAndValuesAreReportedWithTheProperty) {
  EXPECT_EQ(ReadError("object R: TWidget object A: TGadget end end"), L"Class TGadget not found");
  EXPECT_EQ(ReadError("object R: TWidget Colour = 1 end"), L"Error reading R.Colour: Property Colour does not exist");
  EXPECT_EQ(ReadError("object R: TWidget Size = \"big\" end"), L"Error reading R.Size: Invalid property value");
  EXPECT_EQ(ReadError("object R: TWidget object A: TWidget OnClick = Missing end end"),
            L"Error reading A.OnClick: Handler Missing not found");
  EXPECT_EQ(ReadError("object R: TWidget object A: TWidget end object A: TWidget end end"),
            L"A component named A already exists");
}

TEST(Properties, ReadAndWrittenByName) {
  TWidget widget(nullptr);
  EXPECT_TRUE(widget.SetProperty(L"Name", std::wstring(L"B_Start")));
  EXPECT_TRUE(widget.SetProperty(L"Tag", int64_t{99}));
  EXPECT_EQ(widget.Name(), L"B_Start");
  EXPECT_EQ(std::get<int64_t>(*widget.GetProperty(L"Tag")), 99);
  EXPECT_FALSE(widget.GetProperty(L"Nothing").has_value());
  EXPECT_FALSE(widget.SetProperty(L"Nothing", int64_t{1}));
  EXPECT_TRUE(PropBool(TLayoutIdent{L"True"}));
  EXPECT_THROW(PropBool(TLayoutIdent{L"Maybe"}), EPropertyError);
}
