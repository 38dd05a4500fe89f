#include "skin/controls/EditBorder.h"

#include <cstdint>

bool EditHasBorder(int windowWidth, int windowHeight, int clientWidth, int clientHeight) {
  return windowWidth > clientWidth && windowHeight > clientHeight;
}

bool EditPrintHasBorder(int windowWidth, int windowHeight, int clientWidth, int clientHeight) {
  return int64_t(windowWidth) - clientWidth > 2 && int64_t(windowHeight) - clientHeight > 2;
}
