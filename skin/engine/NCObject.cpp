#include "skin/engine/NCObject.h"

TNCObject::~TNCObject() {
  if (Owner.HotObject == this) Owner.HotObject = nullptr;
}

void TNCObject::Press() { TakeHot(nsPressed); }

void TNCObject::Release() {
  if (!Visible) return;
  State = nsHot;
  Paint();
}

void TNCObject::Enter() {
  if (Owner.HotObject != this) TakeHot(nsHot);
}

void TNCObject::Leave() {
  if (!Visible) return;
  Owner.HotObject = nullptr;
  State = nsNormal;
  Paint();
}

void TNCObject::TakeHot(int state) {
  if (Owner.HotObject && Owner.HotObject != this) Owner.HotObject->Leave();
  if (!Visible) return;
  Owner.HotObject = this;
  State = state;
  Paint();
}
