#include "skin/controls/ControlChoice.h"

#include <algorithm>
#include <initializer_list>

#include "skin/controls/PlatformValues.h"
#include "toolkit/core/WideText.h"

namespace {

// What a rule looks at: the class name in upper case, the facts and the settings.
struct TRuleFacts {
  std::wstring Upper;
  const TComponentFacts& Facts;
  const TChoiceSettings& Settings;

  bool Is(uint32_t trait) const { return (Facts.Traits & trait) != 0; }
  bool Has(TSkinControlType type) const { return HasSkinControl(Settings.SkinControls, type); }
  bool Named(std::initializer_list<std::wstring_view> names) const {
    return std::find(names.begin(), names.end(), Upper) != names.end();
  }
  bool Tabs() const { return Has(xcTab) && Settings.HasTabElement; }
  // Memos and controls that show platform scroll bars (or ask for them with Tag 55).
  bool Scrolls() const {
    constexpr int kScrollingTag = 55;
    return Facts.Windowed && ((Facts.Style & (kWsHScroll | kWsVScroll)) != 0 || Is(ctMemo) ||
                              Facts.Tag == kScrollingTag);
  }
};

struct TRule {
  int Row;
  bool (*Applies)(const TRuleFacts&);
  TControlChoice Choice;
};

constexpr TControlChoice Attach(TSkinnerClass skinner, bool useSkinColour = false) {
  return {.Skinner = skinner, .UseSkinColour = useSkinColour};
}
constexpr TControlChoice AttachWindow(TSkinnerClass skinner) { return {.Skinner = skinner, .Attach = amWindow}; }
constexpr TControlChoice AttachScrolled(TSkinnerClass skinner, int kind) {
  return {.Skinner = skinner, .Attach = amScrolled, .ScrolledKind = kind};
}

using F = TRuleFacts;

// A page control is tried before the class map, a tab control right after row 3.
constexpr int kPageControlRow = 31;
constexpr int kTabControlRow = 32;

const TRule kRules[] = {
    {1, [](const F& f) { return f.Upper == L"TTABSET" && f.Tabs(); }, Attach(scTab31)},
    {2, [](const F& f) { return f.Upper == L"TTABBEDNOTEBOOK" && f.Tabs(); }, AttachWindow(scTab)},
    {3, [](const F& f) { return f.Upper == L"TMVCPANEL"; }, {.OfferOwnComponents = true}},
    {kTabControlRow, [](const F& f) { return f.Is(ctTabControl) && f.Tabs(); }, AttachWindow(scTab)},
    {4, [](const F& f) { return f.Is(ctCheckBox) && f.Has(xcCheckBox); }, Attach(scCheckBox)},
    {5, [](const F& f) { return f.Upper == L"TTRACKBAR" && f.Has(xcButton); }, Attach(scTrackBar)},
    {6, [](const F& f) { return f.Upper == L"TUPDOWN" && f.Has(xcButton); }, Attach(scUpDown)},
    {7, [](const F& f) { return f.Is(ctRadioGroup) && f.Has(xcRadioButton); },
     {.Skinner = scGroupBox, .UseSkinColour = true, .ChildSkinner = scRadioButton}},
    {8, [](const F& f) { return f.Upper == L"TDBNAVIGATOR" && f.Has(xcPanel); },
     {.Skinner = scBox, .UseSkinColour = true, .SetFlat = true}},
    {9, [](const F& f) { return f.Is(ctGroupBox) && f.Has(xcPanel); },
     {.Skinner = scGroupBox, .UseSkinColour = true, .OfferOwnComponents = true}},
    {10, [](const F& f) { return f.Is(ctRadioButton) && f.Has(xcRadioButton); }, Attach(scRadioButton)},
    {11, [](const F& f) { return f.Is(ctToolBar) && f.Has(xcToolbar); },
     {.Skinner = scBox, .UseSkinColour = true, .SetFlat = true, .SetTransparent = true,
      .RouteToolButtonDraw = true}},
    {12, [](const F& f) { return f.Is(ctStatusBar) && f.Has(xcStatusBar); },
     {.Skinner = scStatusBar, .TurnOffSizeGrip = true}},
    {13, [](const F& f) { return f.Is(ctProgressBar) && f.Has(xcProgress); }, Attach(scProgress)},
    {14, [](const F& f) { return f.Is(ctScrollBar) && f.Has(xcScrollbar); }, Attach(scScControl)},
    {15, [](const F& f) { return f.Is(ctComboBox) && f.Has(xcCombo); }, Attach(scComBox)},
    {16, [](const F& f) { return f.Upper == L"TDATETIMEPICKER" && f.Has(xcEdit) && f.Facts.PickerShowsUpDown; },
     Attach(scEdit)},
    {16, [](const F& f) { return f.Upper == L"TDATETIMEPICKER" && f.Has(xcEdit); }, Attach(scComBox)},
    {17, [](const F& f) { return f.Has(xcScrollbar) && f.Upper == L"TRICHEDIT"; }, AttachScrolled(scScrollbar, 1)},
    {18, [](const F& f) { return f.Has(xcScrollbar) && f.Named({L"TWWDBRICHEDIT", L"TDXDBMEMO"}); },
     AttachScrolled(scScrollbar, 1)},
    {19, [](const F& f) { return f.Is(ctBitBtn) && f.Has(xcBitBtn); }, Attach(scBitButton)},
    // A bit button without its element stays as it is, though it is also a button.
    {19, [](const F& f) { return f.Is(ctBitBtn); }, {}},
    {20, [](const F& f) { return f.Is(ctSpeedButton) && f.Has(xcSpeedButton); },
     {.Skinner = scSpeedButton, .Attach = amGraphic}},
    {21, [](const F& f) { return f.Is(ctPanel) && f.Has(xcPanel); },
     {.Skinner = scBox, .UseSkinColour = true, .OfferOwnComponents = true}},
    {22, [](const F& f) { return f.Named({L"TDXTREELIST", L"TDXDBTREELIST", L"TDXDBGRID"}) && f.Has(xcScrollbar); },
     AttachScrolled(scScrollbar, 0)},
    {23, [](const F& f) { return f.Is(ctListView) && f.Has(xcScrollbar); }, AttachScrolled(scListView, 0)},
    {24, [](const F& f) { return f.Has(xcScrollbar) && f.Is(ctCustomMemo); }, AttachScrolled(scScrollbar, 1)},
    {25, [](const F& f) { return f.Has(xcScrollbar) && f.Is(ctScrollingBox); },
     {.Skinner = scScrollbar, .Attach = amScrolled, .ScrolledKind = 1, .SetColourToFace = true}},
    {26, [](const F& f) { return f.Has(xcScrollbar) && f.Scrolls(); }, AttachScrolled(scScrollbar, 1)},
    {27, [](const F& f) { return f.Is(ctButton) && f.Has(xcButton); }, Attach(scButton)},
    {28, [](const F& f) { return f.Is(ctCustomEdit) && f.Has(xcEdit); }, AttachWindow(scEdit)},
    {29, [](const F& f) { return f.Is(ctContainer); }, {.OfferOwnComponents = true}},
    {30, [](const F& f) { return f.Is(ctForm); },
     {.Skinner = scBox, .UseSkinColour = true, .OfferOwnComponents = true}},
};

struct TNamedKind {
  std::wstring_view Kind;
  TSkinControlType Element;
  TControlChoice Choice;
  bool NeedsTabElement = false;
  // Given to a group's child controls, only while radio buttons are skinned (check groups too).
  TSkinnerClass GroupChild = scNone;
};

const TNamedKind kNamedKinds[] = {
    {L"COMBOBOX", xcCombo, Attach(scComBox)},
    {L"EDIT", xcEdit, AttachWindow(scEdit)},
    {L"RADIOBUTTON", xcRadioButton, Attach(scRadioButton)},
    {L"PANEL", xcPanel, {.Skinner = scBox, .UseSkinColour = true, .SetTransparent = true}},
    {L"TRACKBAR", xcButton, {.Skinner = scTrackBar, .SetTransparent = true}},
    {L"BUTTON", xcButton, Attach(scButton)},
    {L"TAB", xcTab, AttachWindow(scTab), true},
    {L"PROGRESS", xcProgress, Attach(scProgress)},
    {L"SCROLLBAR", xcScrollbar, AttachScrolled(scScrollbar, 1)},
    {L"RADIOGROUP", xcPanel, Attach(scGroupBox, true), false, scRadioButton},
    {L"CHECKGROUP", xcPanel, Attach(scGroupBox, true), false, scCheckBox},
    {L"CHECKBOX", xcCheckBox, Attach(scCheckBox)},
};

}  // namespace

bool IsOptedOut(int tag, int disableTag) { return tag % 100 == disableTag; }

bool IsPreviewFormName(std::wstring_view formName) {
  return UpperCase(std::wstring(formName)).find(L"PREVIEW") != std::wstring::npos;
}

std::optional<std::wstring> NamedKind(const TStringList& map, std::wstring_view className) {
  constexpr size_t kMaxKind = 50;
  const std::wstring key = UpperCase(std::wstring(className)) + L"=";
  for (int i = 0; i < map.Count(); ++i) {
    const std::wstring& line = map.Strings(i);
    if (UpperCase(line).starts_with(key)) return line.substr(line.find(L'=') + 1, kMaxKind);
  }
  return std::nullopt;
}

TControlChoice ChooseNamedKind(std::wstring_view kind, const TChoiceSettings& settings) {
  const std::wstring upper = UpperCase(std::wstring(kind));
  TControlChoice choice;
  auto found = std::find_if(std::begin(kNamedKinds), std::end(kNamedKinds),
                            [&](const TNamedKind& named) { return named.Kind == upper; });
  if (found != std::end(kNamedKinds) && HasSkinControl(settings.SkinControls, found->Element) &&
      (settings.HasTabElement || !found->NeedsTabElement)) {
    choice = found->Choice;
    if (HasSkinControl(settings.SkinControls, xcRadioButton)) choice.ChildSkinner = found->GroupChild;
  }
  choice.Source = csNamed;
  return choice;
}

TControlChoice ChooseSkinner(const TComponentFacts& facts, const TChoiceSettings& settings) {
  const TRuleFacts f{UpperCase(facts.ClassName), facts, settings};
  if (f.Named({L"TDBCOMBOBOXEH", L"TQRPREVIEW", L"TFRDESIGNERPAGE", L"TFRPBOX"}))
    return {.Source = csExcluded};
  if (f.Is(ctPageControl) && f.Tabs()) {
    TControlChoice choice = AttachWindow(scTab);
    choice.Row = kPageControlRow;
    return choice;
  }
  if (settings.Skin3rd)
    if (std::optional<std::wstring> kind = NamedKind(*settings.Skin3rd, facts.ClassName))
      return ChooseNamedKind(*kind, settings);
  for (const TRule& rule : kRules)
    if (rule.Applies(f)) {
      TControlChoice choice = rule.Choice;
      choice.Row = rule.Row;
      return choice;
    }
  return {};
}
