// Hands a skinned window's controls to control skinners: a toolkit form's
// components (the application's OnSkinControl first, then the class map and
// the rules of ChooseSkinner, walking into containers), or a bare window's
// child windows by class and style. Each call takes the form skinner as an
// optional collaborator: without one, skinners are attached on their own.
#pragma once

#include <windows.h>

#include "skin/controls/SkinControl.h"

struct TControlDispatch {
  TSkinData& SkinData;
  // The form skinner the skinners register with, and its canvas; none works too.
  TSkinFormLink* Form = nullptr;
  // The form skinner as a component: OnSkinControl's Sender, and the owner
  // of the skinners of bare windows.
  TComponent* Owner = nullptr;
  // The toolkit form being skinned: a form whose Name holds "preview" keeps
  // its controls without a window as they are.
  const TComponent* SkinnedForm = nullptr;
};

// Frees the skinners of parent's components whose windows are gone, then
// offers every component parent owns, in their order, to DispatchControl.
void AttachFormControls(TComponent& parent, const TControlDispatch& dispatch);
// Chooses and attaches component's skinner; parent is the component being walked.
void DispatchControl(TComponent& component, TComponent& parent, const TControlDispatch& dispatch);
// Offers every direct child window of window with WS_CHILD to DispatchWindow.
void AttachChildWindows(HWND window, const TControlDispatch& dispatch);
// A bare child window's skinner by its class and style, owned by dispatch.Owner.
void DispatchWindow(HWND window, const TControlDispatch& dispatch);
// A bare control's custom drawing, which it asks of its parent, handed back
// to the control's skinner as the toolkit reflects it (CN_NOTIFY) when that
// skinner draws through it (a tool bar's button faces, a track bar's thumb);
// true when it was, with the skinner's answer in message.
bool ReflectNotification(TMessage& message);
