#include "toolkit/core/CommandPool.h"

uint16_t TCommandPool::Take() {
  if (FNext <= FLast) return static_cast<uint16_t>(FNext++);
  if (FReturned.empty()) throw Exception(L"Too many menu commands");
  uint16_t command = FReturned.front();
  FReturned.pop_front();
  return command;
}
