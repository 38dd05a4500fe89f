// A clickable object in a skinned window's non-client area (a title-bar
// button, a menu-bar entry) and its states under the mouse. The objects of
// one window share their owner's hot object: the one under the mouse or
// pressed, which alone runs its action when the button goes up.
#pragma once

#include "skin/engine/Plane.h"

class TNCObject;

// What the form skinner holds for its objects.
class TNCObjectOwner {
 public:
  TNCObject* HotObject = nullptr;
};

enum TNCObjectState { nsNormal = 1, nsPressed = 2, nsHot = 3 };

class TNCObject {
 public:
  explicit TNCObject(TNCObjectOwner& owner) : Owner(owner) {}
  // A freed object stops being the owner's hot object, so a reload that frees
  // the buttons leaves no dangling pointer behind.
  virtual ~TNCObject();
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  TNCObjectOwner& Owner;
  TSkinRect Bounds;  // window coordinates
  bool Visible = false;  // an invisible object ignores the mouse
  int State = nsNormal;

  // The previous hot object leaves; this one becomes hot and pressed.
  virtual void Press();
  virtual void Release();
  // Entering the hot object again changes nothing.
  virtual void Enter();
  virtual void Leave();
  virtual void Paint() {}

  bool IsHot() const { return Owner.HotObject == this; }

 private:
  // The hot object before this one leaves, even when this one is invisible.
  void TakeHot(int state);
};
