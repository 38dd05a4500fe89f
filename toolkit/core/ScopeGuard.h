// Runs an action when the scope ends, on every path: restoring a value
// exchanged for the scope's length, deleting a file made for it. The action
// must not raise.
#pragma once

#include <utility>

template <typename Action>
class TScopeExit {
 public:
  explicit TScopeExit(Action action) : FAction(std::move(action)) {}
  ~TScopeExit() { FAction(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  Action FAction;
};

template <typename Action>
[[nodiscard]] TScopeExit<Action> ScopeExit(Action action) {
  return TScopeExit<Action>(std::move(action));
}
