#include "skin/controls/ControlDispatch.h"

#include <commctrl.h>

#include "skin/controls/ControlChoice.h"
#include "skin/controls/SkinBars.h"
#include "skin/controls/SkinBoxes.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinDialogPage.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/controls/SkinToolButtons.h"
#include "skin/controls/WindowChoice.h"
#include "toolkit/core/WideText.h"
#include "toolkit/forms/DateTimePicker.h"
#include "toolkit/forms/StatusBar.h"

namespace {

constexpr int kClassNameLimit = 100;

// Which trait each kind of toolkit control stands for in the rules (the rows
// the recorder does not use name their kind only by the skinner they get).
struct TKindTrait {
  unsigned Kind;
  uint32_t Traits;
};
constexpr TKindTrait kKindTraits[] = {
    {ckCheckBox, ctCheckBox},        // row 4: TCheckBox
    {ckRadioGroup, ctRadioGroup},    // row 7: TRadioGroup
    {ckGroupBox, ctGroupBox},        // row 9: TGroupBox, TRadioGroup
    {ckRadioButton, ctRadioButton},  // row 10: TRadioButton
    {ckToolBar, ctToolBar},          // row 11: TToolBar
    {ckStatusBar, ctStatusBar},      // row 12: TStatusBar
    {ckProgressBar, ctProgressBar},  // row 13: TProgressBar
    {ckScrollBar, ctScrollBar},      // row 14: TScrollBar
    {ckComboBox, ctComboBox},        // row 15: TComboBox
    {ckBitBtn, ctBitBtn},            // row 19: TBitBtn
    {ckSpeedButton, ctSpeedButton},  // row 20: TSpeedButton
    {ckPanel, ctPanel},              // row 21: TPanel
    {ckListView, ctListView},        // row 23: TListView
    {ckMemo, ctMemo | ctCustomMemo},  // rows 24 and 26: TMemo (no scrolling box stands for row 25)
    {ckButton, ctButton},            // row 27: TButton, TBitBtn
    {ckEdit, ctCustomEdit},          // row 28: TEdit, TMemo
    {ckPageControl, ctPageControl},  // the page-control test: TPageControl
    {ckTabControl, ctTabControl},    // the tab-control test: TTabControl
    {ckForm, ctForm},                // row 30: TForm
};

TComponentFacts FactsOf(TComponent& component) {
  TComponentFacts facts;
  facts.ClassName = component.ClassName();
  facts.Tag = static_cast<int>(component.Tag());
  if (auto* control = dynamic_cast<TControl*>(&component)) {
    for (const TKindTrait& entry : kKindTraits)
      if (control->Is(TControlKind(entry.Kind))) facts.Traits |= entry.Traits;
    // Row 29: containers other than forms (group boxes, panels, tab sheets).
    if (control->Is(ckContainer) && !control->Is(ckForm)) facts.Traits |= ctContainer;
  }
  if (auto* windowed = dynamic_cast<TWinControl*>(&component)) {
    facts.Windowed = true;
    if (windowed->HandleAllocated()) facts.Style = uint32_t(GetWindowLongPtrW(windowed->Handle(), GWL_STYLE));
  }
  if (auto* picker = dynamic_cast<TDateTimePicker*>(&component)) facts.PickerShowsUpDown = picker->ShowsUpDown();
  return facts;
}

TCanvas* CanvasOf(const TControlDispatch& dispatch) { return dispatch.Form ? &dispatch.Form->ControlCanvas() : nullptr; }

TSkinControl* CreateSkinner(TSkinnerClass skinner, TComponent* owner) {
  switch (skinner) {
    case scButton: return new TSkinButton(owner);
    case scBitButton: return new TSkinBitButton(owner);
    case scSpeedButton: return new TSkinSpeedButton(owner);
    case scCheckBox: return new TSkinCheckBox(owner);
    case scRadioButton: return new TSkinRadioButton(owner);
    case scBox: return new TSkinBox(owner);
    case scGroupBox: return new TSkinGroupBox(owner);
    case scStatusBar: return new TSkinStatusBar(owner);
    case scTab: return new TSkinTab(owner);
    case scTab31: return new TSkinTab31(owner);
    case scProgress: return new TSkinProgress(owner);
    case scTrackBar: return new TSkinTrackBar(owner);
    case scUpDown: return new TSkinUpDown(owner);
    case scEdit: return new TSkinEdit(owner);
    case scComBox: return new TSkinComBox(owner);
    case scSizer: return new TSkinSizer(owner);
    case scScControl: return new TSkinScControl(owner);
    case scScrollbar: return new TSkinScrollbar(owner);
    case scListView: return new TSkinListView(owner);
    case scDialogPage: return new TSkinDialogPage(owner);
    case scToolBar: return new TSkinToolBar(owner);
    case scNone: break;
  }
  return nullptr;
}

// A skinner of class skinner for component, owned by it, attached the way mode says.
TSkinControl* AttachSkinner(TComponent& component, TSkinnerClass skinner, TAttachMode mode, bool useSkinColour,
                            int scrolledKind, const TControlDispatch& dispatch) {
  TSkinControl* created = CreateSkinner(skinner, &component);
  if (!created) return nullptr;
  auto* windowed = dynamic_cast<TWinControl*>(&component);
  auto* speed = dynamic_cast<TSkinSpeedButton*>(created);
  auto* scrolled = dynamic_cast<TSkinScrollbar*>(created);
  if (mode == amGraphic && speed)
    speed->AttachGraphic(dispatch.Form, dispatch.SkinData, CanvasOf(dispatch));
  else if (mode == amScrolled && scrolled && windowed)
    scrolled->AttachScrolled(*windowed, dispatch.SkinData, scrolledKind, dispatch.Form, CanvasOf(dispatch));
  else if (mode == amWindow && windowed)
    created->AttachWindow(windowed->Handle(), dispatch.SkinData, dispatch.Form, CanvasOf(dispatch));
  else if (mode == amControl)
    created->AttachControl(dispatch.Form, dispatch.SkinData, useSkinColour, CanvasOf(dispatch));
  if (!created->Attached()) {
    created->Free();
    return nullptr;
  }
  return created;
}

// A published property of an enumeration type (a boolean among them) set to True; others are left alone.
void SetEnumerationTrue(TComponent& component, const wchar_t* name) {
  std::optional<TPropValue> value = component.GetProperty(name);
  if (value && std::holds_alternative<TLayoutIdent>(*value)) component.SetProperty(name, TLayoutIdent{L"True"});
}

bool AlreadyHandled(TComponent& component, const TControlDispatch& dispatch) {
  if (TSkinControl::ForComponent(&component)) return true;
  auto* windowed = dynamic_cast<TWinControl*>(&component);
  if (!windowed) return false;
  if (windowed->HandleAllocated()) return TSkinControl::ForWindow(windowed->Handle()) != nullptr;
  return dispatch.SkinnedForm && IsPreviewFormName(dispatch.SkinnedForm->Name());
}

// The application's own choice; true when it gave a skinner, which is then the component's.
bool OfferToApplication(TComponent& component, TComponent& parent, const TControlDispatch& dispatch) {
  const TOnSkinControl& event = dispatch.SkinData.OnSkinControl();
  if (!event) return false;
  TComponent* skinned = nullptr;
  event(dispatch.Owner, &dispatch.SkinData, dynamic_cast<TControl*>(&parent), dynamic_cast<TControl*>(&component),
        UpperCase(component.ClassName()), skinned);
  auto* skinner = dynamic_cast<TSkinControl*>(skinned);
  if (!skinner) return false;
  if (!dispatch.Form || !dispatch.Form->RegisterControl(skinner))
    skinner->AttachControl(dispatch.Form, dispatch.SkinData, skinner->UseSkinColour(), CanvasOf(dispatch));
  return true;
}

void CarryOut(const TControlChoice& choice, TComponent& component, const TControlDispatch& dispatch) {
  if (choice.SetFlat) SetEnumerationTrue(component, L"Flat");
  if (choice.SetTransparent) SetEnumerationTrue(component, L"Transparent");
  if (auto* bar = dynamic_cast<TStatusBar*>(&component); bar && choice.TurnOffSizeGrip) bar->SetSizeGrip(false);
  if (auto* container = dynamic_cast<TWinControl*>(&component); container && choice.ChildSkinner != scNone)
    for (int i = 0; i < container->ControlCount(); ++i) {
      TControl* child = container->Controls(i);
      if (!AlreadyHandled(*child, dispatch)) AttachSkinner(*child, choice.ChildSkinner, amControl, false, 0, dispatch);
    }
  TSkinControl* skinner = choice.Skinner == scNone ? nullptr
                                                    : AttachSkinner(component, choice.Skinner, choice.Attach,
                                                                    choice.UseSkinColour, choice.ScrolledKind, dispatch);
  // The tool buttons' faces are drawn while the bar's skinner lives.
  if (auto* bar = dynamic_cast<TToolBar*>(&component); bar && skinner && choice.RouteToolButtonDraw)
    new TSkinToolButtons(skinner, *bar, dispatch.SkinData, dispatch.Form);
  if (auto* control = dynamic_cast<TControl*>(&component); control && choice.SetColourToFace)
    if (control->Color() != dispatch.SkinData.Colours.ButtonFace) control->SetColor(dispatch.SkinData.Colours.ButtonFace);
  if (choice.OfferOwnComponents) AttachFormControls(component, dispatch);
}

}  // namespace

void AttachFormControls(TComponent& parent, const TControlDispatch& dispatch) {
  for (int i = 0; i < parent.ComponentCount(); ++i) TSkinControl::FreeWindowGone(parent.Components(i));
  for (int i = 0; i < parent.ComponentCount(); ++i) DispatchControl(*parent.Components(i), parent, dispatch);
}

void DispatchControl(TComponent& component, TComponent& parent, const TControlDispatch& dispatch) {
  if (IsOptedOut(static_cast<int>(component.Tag()), dispatch.SkinData.DisableTag())) return;
  if (AlreadyHandled(component, dispatch)) return;
  if (auto* windowed = dynamic_cast<TWinControl*>(&component); windowed && !windowed->HandleAllocated()) {
    try {
      windowed->Handle();
    } catch (const Exception&) {
      return;  // a control whose window cannot be made stays as it is
    }
  }
  if (OfferToApplication(component, parent, dispatch)) return;
  TChoiceSettings settings;
  settings.SkinControls = dispatch.SkinData.SkinControls();
  settings.HasTabElement = dispatch.SkinData.Tabs != nullptr;
  settings.Skin3rd = &dispatch.SkinData.Skin3rd();
  CarryOut(ChooseSkinner(FactsOf(component), settings), component, dispatch);
}

void AttachChildWindows(HWND window, const TControlDispatch& dispatch) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsOfferedChildWindow(uint32_t(GetWindowLongPtrW(child, GWL_STYLE)))) DispatchWindow(child, dispatch);
}

void DispatchWindow(HWND window, const TControlDispatch& dispatch) {
  if (TSkinControl::ForWindow(window)) return;
  wchar_t name[kClassNameLimit + 1] = {};
  GetClassNameW(window, name, kClassNameLimit + 1);
  const TWindowChoice choice = ChooseWindowSkinner(name, uint32_t(GetWindowLongPtrW(window, GWL_STYLE)));
  HWND target = choice.OnFirstChild ? GetWindow(window, GW_CHILD) : window;
  if (choice.Skinner != scNone && target && !TSkinControl::ForWindow(target)) {
    TSkinControl* skinner = CreateSkinner(choice.Skinner, dispatch.Owner);
    skinner->AttachWindow(target, dispatch.SkinData, dispatch.Form, CanvasOf(dispatch));
  }
  if (choice.OfferChildren) AttachChildWindows(window, dispatch);
}

bool ReflectNotification(TMessage& message) {
  if (message.Msg != WM_NOTIFY || !message.LParam) return false;
  const auto& header = *reinterpret_cast<const NMHDR*>(message.LParam);
  if (header.code != NM_CUSTOMDRAW) return false;
  TSkinControl* skinner = TSkinControl::ForWindow(header.hwndFrom);
  if (!dynamic_cast<TSkinToolBar*>(skinner) && !dynamic_cast<TSkinTrackBar*>(skinner)) return false;
  message.Result = SendMessageW(header.hwndFrom, CN_NOTIFY, message.WParam, message.LParam);
  return true;
}
