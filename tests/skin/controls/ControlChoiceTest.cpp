// Choosing skinners: the opt-out tag, excluded classes, the class map and
// the ordered rules for toolkit components, and the table for bare windows.
#include <gtest/gtest.h>

#include "skin/controls/ControlChoice.h"
#include "skin/controls/PlatformValues.h"
#include "skin/controls/WindowChoice.h"

namespace {

TComponentFacts Facts(std::wstring className, uint32_t traits = 0) {
  return {std::move(className), traits, true, 0, 0, false};
}

TChoiceSettings Without(std::initializer_list<TSkinControlType> types) {
  TChoiceSettings settings;
  for (TSkinControlType type : types) settings.SkinControls &= ~SkinControlBit(type);
  settings.HasTabElement = true;
  return settings;
}

const TChoiceSettings kAll = Without({});

}  // namespace

TEST(ControlChoice, TagsEndingInTheDisableTagOptOut) {
  for (int tag : {99, 199, 299}) EXPECT_TRUE(IsOptedOut(tag, 99)) << tag;
  for (int tag : {0, 9, 98, 990, -99}) EXPECT_FALSE(IsOptedOut(tag, 99)) << tag;
  EXPECT_TRUE(IsOptedOut(142, 42));
}

TEST(ControlChoice, TheClassMapDecidesBeforeTheRules) {
  TStringList map;
  map.SetText(L"TMyButtonX=panel\r\nTMyButton=Button\r\nTMyButton=Edit\r\nTOdd=Unknown\r\nTBare=\r\n");
  EXPECT_EQ(NamedKind(map, L"TMYBUTTON"), L"Button") << "the first line whose start matches, any case";
  EXPECT_EQ(NamedKind(map, L"TBare"), L"");
  EXPECT_FALSE(NamedKind(map, L"TMyButt"));
  map.Add(L"TLong=" + std::wstring(60, L'x'));
  EXPECT_EQ(NamedKind(map, L"TLong")->size(), 50u);

  TChoiceSettings settings = kAll;
  settings.Skin3rd = &map;
  TControlChoice named = ChooseSkinner(Facts(L"TMyButton", ctCustomEdit), settings);
  EXPECT_EQ(named.Source, csNamed);
  EXPECT_EQ(named.Skinner, scButton);
  TControlChoice odd = ChooseSkinner(Facts(L"TOdd", ctButton), settings);
  EXPECT_EQ(odd.Source, csNamed) << "an unknown kind is handled: the rules are not tried";
  EXPECT_EQ(odd.Skinner, scNone);
  EXPECT_EQ(ChooseSkinner(Facts(L"TDBComboBoxEh", ctComboBox), settings).Source, csExcluded);
}

TEST(ControlChoice, NamedKindsNeedTheirElement) {
  EXPECT_EQ(ChooseNamedKind(L"COMBOBOX", kAll).Skinner, scComBox);
  EXPECT_EQ(ChooseNamedKind(L"combobox", Without({xcCombo})).Skinner, scNone);
  EXPECT_EQ(ChooseNamedKind(L"combobox ", kAll).Skinner, scNone) << "compared exactly";
  EXPECT_EQ(ChooseNamedKind(L"Edit", kAll).Attach, amWindow);
  EXPECT_EQ(ChooseNamedKind(L"scrollbar", kAll).ScrolledKind, 1);
  TChoiceSettings noTabs = kAll;
  noTabs.HasTabElement = false;
  EXPECT_EQ(ChooseNamedKind(L"tab", noTabs).Skinner, scNone);

  TControlChoice panel = ChooseNamedKind(L"Panel", kAll);
  EXPECT_TRUE(panel.SetTransparent && panel.UseSkinColour);
  TControlChoice checks = ChooseNamedKind(L"CheckGroup", kAll);
  EXPECT_EQ(std::pair(checks.Skinner, checks.ChildSkinner), std::pair(scGroupBox, scCheckBox));
  EXPECT_EQ(ChooseNamedKind(L"CheckGroup", Without({xcRadioButton})).ChildSkinner, scNone)
      << "a check group's children follow the radio-button element";
  EXPECT_EQ(ChooseNamedKind(L"CheckGroup", Without({xcCheckBox})).ChildSkinner, scCheckBox);
  EXPECT_EQ(ChooseNamedKind(L"RadioGroup", Without({xcPanel})).Skinner, scNone);
}

TEST(ControlChoice, RulesInTheirOrder) {
  EXPECT_EQ(ChooseSkinner(Facts(L"TBitBtn", ctBitBtn | ctButton), kAll).Skinner, scBitButton);
  TControlChoice plainBitBtn = ChooseSkinner(Facts(L"TBitBtn", ctBitBtn | ctButton), Without({xcBitBtn}));
  EXPECT_EQ(plainBitBtn.Skinner, scNone) << "not skinned as a button either";
  EXPECT_EQ(plainBitBtn.Row, 19);

  TControlChoice group = ChooseSkinner(Facts(L"TGroupBox", ctGroupBox | ctContainer), Without({xcGroupBox}));
  EXPECT_EQ(group.Row, 9) << "group boxes follow the panel element";
  EXPECT_TRUE(group.UseSkinColour && group.OfferOwnComponents);
  EXPECT_EQ(ChooseSkinner(Facts(L"TGroupBox", ctGroupBox | ctContainer), Without({xcPanel})).Row, 29);

  TControlChoice radios = ChooseSkinner(Facts(L"TRadioGroup", ctRadioGroup | ctGroupBox), kAll);
  EXPECT_EQ(std::tuple(radios.Row, radios.Skinner, radios.ChildSkinner), std::tuple(7, scGroupBox, scRadioButton));

  TControlChoice bar = ChooseSkinner(Facts(L"TStatusBar", ctStatusBar), kAll);
  EXPECT_TRUE(bar.TurnOffSizeGrip);
  EXPECT_FALSE(bar.UseSkinColour);
  TControlChoice tools = ChooseSkinner(Facts(L"TToolBar", ctToolBar | ctContainer), kAll);
  EXPECT_TRUE(tools.SetFlat && tools.SetTransparent && tools.RouteToolButtonDraw);

  EXPECT_EQ(ChooseSkinner(Facts(L"TDateTimePicker"), kAll).Skinner, scComBox);
  TComponentFacts upDownPicker = Facts(L"TDateTimePicker");
  upDownPicker.PickerShowsUpDown = true;
  TControlChoice picker = ChooseSkinner(upDownPicker, kAll);
  EXPECT_EQ(std::pair(picker.Skinner, picker.Attach), std::pair(scEdit, amControl));
  EXPECT_EQ(ChooseSkinner(Facts(L"TEdit", ctCustomEdit), kAll).Attach, amWindow);
  EXPECT_EQ(ChooseSkinner(Facts(L"TSpeedButton", ctSpeedButton), kAll).Attach, amGraphic);
  EXPECT_EQ(ChooseSkinner(Facts(L"TListView", ctListView), kAll).Skinner, scListView);
  EXPECT_EQ(ChooseSkinner(Facts(L"TListView", ctListView), kAll).ScrolledKind, 0);
  EXPECT_EQ(ChooseSkinner(Facts(L"TForm", ctForm), kAll).Row, 30);
  EXPECT_EQ(ChooseSkinner(Facts(L"TLabel"), kAll).Skinner, scNone);
  EXPECT_EQ(ChooseSkinner(Facts(L"TLabel"), kAll).Row, 0);
}

TEST(ControlChoice, ScrollingControlsAndTabs) {
  TComponentFacts tree = Facts(L"TTreeView");
  EXPECT_EQ(ChooseSkinner(tree, kAll).Row, 0);
  tree.Style = kWsVScroll;
  EXPECT_EQ(ChooseSkinner(tree, kAll).Row, 26);
  TComponentFacts tagged = Facts(L"TPaintBox");
  tagged.Tag = 55;
  EXPECT_EQ(ChooseSkinner(tagged, kAll).Row, 26);
  tagged.Windowed = false;
  EXPECT_EQ(ChooseSkinner(tagged, kAll).Row, 0) << "only windowed controls scroll";
  EXPECT_EQ(ChooseSkinner(Facts(L"TMemo", ctMemo | ctCustomMemo | ctCustomEdit), kAll).Row, 24);
  EXPECT_EQ(ChooseSkinner(Facts(L"TMemo", ctMemo | ctCustomEdit), Without({xcScrollbar})).Row, 28);
  EXPECT_TRUE(ChooseSkinner(Facts(L"TScrollBox", ctScrollingBox), kAll).SetColourToFace);

  TStringList map;
  map.SetText(L"TPageControl=panel\r\n");
  TChoiceSettings settings = kAll;
  settings.Skin3rd = &map;
  EXPECT_EQ(ChooseSkinner(Facts(L"TPageControl", ctPageControl), settings).Row, 31) << "before the class map";
  EXPECT_EQ(ChooseSkinner(Facts(L"TTabControl", ctTabControl), kAll).Row, 32);
  EXPECT_EQ(ChooseSkinner(Facts(L"TTabSet"), kAll).Skinner, scTab31);
  TChoiceSettings noTabs = kAll;
  noTabs.HasTabElement = false;
  EXPECT_EQ(ChooseSkinner(Facts(L"TTabControl", ctTabControl), noTabs).Skinner, scNone);
}

TEST(WindowChoice, DialogButtonsByTheirStyleBits) {
  const TSkinnerClass expected[16] = {
      scButton,      scButton,      scCheckBox, scCheckBox, scRadioButton, scCheckBox, scCheckBox, scGroupBox,
      scButton,      scRadioButton, scNone,     scNone,     scNone,        scNone,     scNone,     scNone};
  for (uint32_t type = 0; type < 16; ++type)
    EXPECT_EQ(ChooseWindowSkinner(L"Button", kWsChild | type).Skinner, expected[type]) << type;
  EXPECT_EQ(ButtonWindowSkinner(kBsAutoCheckBox | kBsLeftText), scCheckBox);
}

TEST(WindowChoice, OtherWindowClasses) {
  EXPECT_EQ(ChooseWindowSkinner(L"COMBOBOX", 2).Skinner, scComBox);
  TWindowChoice simple = ChooseWindowSkinner(L"ComboBox", 1);
  EXPECT_EQ(simple.Skinner, scNone) << "a simple combo box has no button";
  EXPECT_TRUE(simple.OfferChildren) << "its list and edit are skinned on their own";
  TWindowChoice extended = ChooseWindowSkinner(L"ComboBoxEx32", 0);
  EXPECT_EQ(extended.Skinner, scComBox);
  EXPECT_TRUE(extended.OnFirstChild);
  EXPECT_EQ(ChooseWindowSkinner(L"ScrollBar", kSbsSizeGrip).Skinner, scSizer);
  EXPECT_EQ(ChooseWindowSkinner(L"ScrollBar", kSbsSizeBox).Skinner, scSizer);
  EXPECT_EQ(ChooseWindowSkinner(L"ScrollBar", 0).Skinner, scScControl) << "a real scroll bar keeps its parts";
  EXPECT_EQ(ChooseWindowSkinner(L"SysTabControl32", 0).Skinner, scTab);
  EXPECT_EQ(ChooseWindowSkinner(L"SysTabControl32", kTcsOwnerDrawFixed).Skinner, scNone);
  EXPECT_EQ(ChooseWindowSkinner(L"SysTabControl32", kTcsButtons).Skinner, scNone);
  EXPECT_EQ(ChooseWindowSkinner(L"Edit", 0).Skinner, scEdit);
  EXPECT_EQ(ChooseWindowSkinner(L"Static", 0).Skinner, scNone);
  EXPECT_EQ(ChooseWindowSkinner(L"EditX", 0).Skinner, scNone);
}
