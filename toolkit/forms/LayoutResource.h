// Layouts compiled into the program as RCDATA, and the classes they may name.
#pragma once

#include "toolkit/core/LayoutReader.h"

// Reads the program's RCDATA resource resourceName with the standard classes.
void ReadLayoutResource(TComponent& root, const wchar_t* resourceName);
// The classes layouts may name; forms register their own ones here too.
TClassRegistry& LayoutClasses();
