// Reads the text of a layout resource (UTF-8) into a tree of components:
//
//   object MainForm: TMainForm
//     Caption = "Quillmere 3.1"     strings: "..." with \" \\ \r \n \t escapes
//     Left = 350                    whole numbers, optionally negative
//     BorderIcons = [biSystemMenu]  sets of identifiers
//     OnCreate = FormCreate         identifiers (enumerations, handlers, true/false)
//     SkinStream = {0A1B2C}         binary data in hexadecimal, spaces allowed
//     Panels = <                    collections of items
//       item Width = 200 end
//     >
//     object Child: TLabel ... end  nested components
//   end
//
// Lines starting with "//" are comments.
#pragma once

#include <string_view>

#include "toolkit/core/Exception.h"
#include "toolkit/core/LayoutValue.h"

// "Layout error on line %d: %s"
class ELayoutError : public Exception {
 public:
  ELayoutError(int line, const std::wstring& reason);
};

TLayoutObject ParseLayout(std::string_view text);
