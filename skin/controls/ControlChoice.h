// Which skinner a toolkit component gets: the opt-out tag, the classes never
// skinned, the class map given as text ("class=kind"), and the ordered rules
// by class name and kind of control, each gated by an element of the skin
// data component's SkinControls. Plain facts in, a decision out; the form
// skinner gathers the facts, checks what is already handled, asks the
// application's own event first, and carries the decision out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "skin/controls/SkinControlType.h"
#include "skin/controls/SkinnerClass.h"
#include "toolkit/core/StringList.h"

// The kinds of control the rules test ("is a"), as bits. Which toolkit
// classes stand for each is the caller's mapping; a component may have several.
enum TControlTrait : uint32_t {
  ctCheckBox = 1u << 0,
  ctRadioGroup = 1u << 1,
  ctGroupBox = 1u << 2,      // any group box, radio groups included
  ctRadioButton = 1u << 3,
  ctToolBar = 1u << 4,
  ctStatusBar = 1u << 5,
  ctProgressBar = 1u << 6,
  ctScrollBar = 1u << 7,     // the stand-alone scroll-bar control
  ctComboBox = 1u << 8,
  ctBitBtn = 1u << 9,
  ctSpeedButton = 1u << 10,
  ctPanel = 1u << 11,
  ctListView = 1u << 12,
  ctCustomMemo = 1u << 13,   // any multi-line edit
  ctMemo = 1u << 14,         // the toolkit's own memo
  ctScrollingBox = 1u << 15,
  ctButton = 1u << 16,
  ctCustomEdit = 1u << 17,   // any edit, memos included
  ctContainer = 1u << 18,    // a control whose components are walked (not a form)
  ctForm = 1u << 19,         // a form placed inside another
  ctPageControl = 1u << 20,
  ctTabControl = 1u << 21,
};

struct TComponentFacts {
  std::wstring ClassName;  // any letter case
  uint32_t Traits = 0;     // TControlTrait bits
  bool Windowed = false;   // a control with its own window
  uint32_t Style = 0;      // its window style
  int Tag = 0;
  bool PickerShowsUpDown = false;  // a date-time picker with an up-down instead of a drop-down
};

struct TChoiceSettings {
  TSkinControlSet SkinControls = kAllSkinControls;
  bool HasTabElement = false;  // the skin has a tab element
  const TStringList* Skin3rd = nullptr;  // the class map; none is an empty map
};

enum TChoiceSource {
  csRules,     // a row of the rules matched, or none did
  csExcluded,  // a class that is never skinned
  csNamed,     // the class map named the class: handled, whatever the kind
};

// What to do with the component, in this order: set the published
// properties named (and turn off the size grip, route the tool-button
// drawing); attach ChildSkinner (use-skin-colour off) to each of its child
// controls; attach Skinner to it; set its colour; offer its own components.
struct TControlChoice {
  TSkinnerClass Skinner = scNone;
  TAttachMode Attach = amControl;
  bool UseSkinColour = false;
  int ScrolledKind = 0;  // with amScrolled: 1 tracks the thumb itself, 0 not
  TSkinnerClass ChildSkinner = scNone;
  bool OfferOwnComponents = false;
  bool SetFlat = false;         // published Flat := True, where it is an enumeration
  bool SetTransparent = false;  // published Transparent := True, likewise
  bool TurnOffSizeGrip = false;
  bool RouteToolButtonDraw = false;  // the tool bar's button drawing goes to the form skinner
  bool SetColourToFace = false;      // one colour value becomes the skin's face colour
  TChoiceSource Source = csRules;
  int Row = 0;  // the rule's number (1 to 30; 31, 32 the further tab-control tests), 0 for none
};

// A component opts out of skinning by a Tag whose value mod 100 is DisableTag.
bool IsOptedOut(int tag, int disableTag);

// A not yet created windowed component on a print-preview form counts as
// handled: the form's Name, in any letter case, contains "preview".
bool IsPreviewFormName(std::wstring_view formName);

// The class map's kind for a class: the text after the first "=" (at most 50
// characters) of the first line that starts, letter case aside, with the
// class name and "=".
std::optional<std::wstring> NamedKind(const TStringList& map, std::wstring_view className);

// The decision for a kind from the class map (letter case aside, otherwise
// exact); an unknown kind, or one whose element is not skinned, gives no
// skinner, but the component counts as handled all the same.
TControlChoice ChooseNamedKind(std::wstring_view kind, const TChoiceSettings& settings);

// The excluded classes, then the page-control test, then the class map,
// then the rules in their order. The opt-out tag, "already handled" and the
// application's own event come before this and are the caller's.
TControlChoice ChooseSkinner(const TComponentFacts& facts, const TChoiceSettings& settings);
