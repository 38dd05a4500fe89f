// Whether an object outlived a call out of it. Code that calls out of an
// object (a message passed on, a nested message loop, an application's
// handler) may find the object freed when the call returns: it keeps a
// TAliveGuard on its stack and touches nothing of the object once the guard
// says the object has gone. The object holds a TLiveness, which tells every
// guard still watching it when it goes; nothing is allocated.
#pragma once

class TAliveGuard;

class TLiveness {
 public:
  TLiveness() = default;
  ~TLiveness();
  TLiveness(const TLiveness&) = delete;
  TLiveness& operator=(const TLiveness&) = delete;

 private:
  friend class TAliveGuard;
  TAliveGuard* FGuards = nullptr;
};

class TAliveGuard {
 public:
  explicit TAliveGuard(TLiveness& liveness) : FLiveness(&liveness), FNext(liveness.FGuards) {
    if (FNext) FNext->FPrevious = this;
    liveness.FGuards = this;
  }
  ~TAliveGuard() {
    if (!FLiveness) return;
    if (FPrevious)
      FPrevious->FNext = FNext;
    else
      FLiveness->FGuards = FNext;
    if (FNext) FNext->FPrevious = FPrevious;
  }
  TAliveGuard(const TAliveGuard&) = delete;
  TAliveGuard& operator=(const TAliveGuard&) = delete;

  // The watched object still lives.
  explicit operator bool() const { return FLiveness != nullptr; }

 private:
  friend class TLiveness;
  TLiveness* FLiveness;
  TAliveGuard* FPrevious = nullptr;
  TAliveGuard* FNext;
};

inline TLiveness::~TLiveness() {
  for (TAliveGuard* guard = FGuards; guard;) {
    TAliveGuard* next = guard->FNext;
    guard->FLiveness = nullptr;
    guard->FPrevious = guard->FNext = nullptr;
    guard = next;
  }
}
