// The numbers of menu commands. WM_COMMAND carries only 16 bits of them, so a
// number goes back to the pool when its item goes and is given out again,
// after every other free number, so that a stale command is unlikely to reach
// a new item.
#pragma once

#include <cstdint>
#include <deque>

#include "toolkit/core/Exception.h"

class TCommandPool {
 public:
  // Hands out first to last, both included.
  TCommandPool(uint16_t first, uint16_t last) : FNext(first), FLast(last) {}

  // "Too many menu commands" when every number is taken.
  uint16_t Take();
  void Give(uint16_t command) { FReturned.push_back(command); }

 private:
  std::deque<uint16_t> FReturned;
  uint32_t FNext;
  uint32_t FLast;
};
