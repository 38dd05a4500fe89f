#include "toolkit/forms/LayoutResource.h"

#include <windows.h>

#include "toolkit/core/LayoutParser.h"
#include "toolkit/forms/DateTimePicker.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/ListView.h"
#include "toolkit/forms/Memo.h"
#include "toolkit/forms/Menus.h"
#include "toolkit/forms/RadioButtons.h"
#include "toolkit/forms/RangeControls.h"
#include "toolkit/forms/SaveDialog.h"
#include "toolkit/forms/StatusBar.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/forms/TabSet.h"
#include "toolkit/forms/Tabs.h"
#include "toolkit/forms/ToolBar.h"

TClassRegistry& LayoutClasses() {
  static TClassRegistry classes = [] {
    TClassRegistry standard;
    standard.Register<TLabel>(L"TLabel");
    standard.Register<TButton>(L"TButton");
    standard.Register<TBitBtn>(L"TBitBtn");
    standard.Register<TEdit>(L"TEdit");
    standard.Register<TComboBox>(L"TComboBox");
    standard.Register<TGroupBox>(L"TGroupBox");
    standard.Register<TSpeedButton>(L"TSpeedButton");
    standard.Register<TBevel>(L"TBevel");
    standard.Register<TImage>(L"TImage");
    standard.Register<TTimer>(L"TTimer");
    standard.Register<TStatusBar>(L"TStatusBar");
    standard.Register<TSaveDialog>(L"TSaveDialog");
    standard.Register<TMainMenu>(L"TMainMenu");
    standard.Register<TMenuItem>(L"TMenuItem");
    standard.Register<TCheckBox>(L"TCheckBox");
    standard.Register<TRadioButton>(L"TRadioButton");
    standard.Register<TRadioGroup>(L"TRadioGroup");
    standard.Register<TPanel>(L"TPanel");
    standard.Register<TProgressBar>(L"TProgressBar");
    standard.Register<TTrackBar>(L"TTrackBar");
    standard.Register<TUpDown>(L"TUpDown");
    standard.Register<TScrollBar>(L"TScrollBar");
    standard.Register<TMemo>(L"TMemo");
    standard.Register<TListView>(L"TListView");
    standard.Register<TTabControl>(L"TTabControl");
    standard.Register<TPageControl>(L"TPageControl");
    standard.Register<TTabSheet>(L"TTabSheet");
    standard.Register<TTabSet>(L"TTabSet");
    standard.Register<TDateTimePicker>(L"TDateTimePicker");
    standard.Register<TToolBar>(L"TToolBar");
    standard.Register<TToolButton>(L"TToolButton");
    return standard;
  }();
  return classes;
}

void ReadLayoutResource(TComponent& root, const wchar_t* resourceName) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, resourceName, reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!found) throw Exception(L"Resource %s not found", {resourceName});
  auto* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
  ReadLayout(root, ParseLayout(std::string_view(text, SizeofResource(module, found))), LayoutClasses());
}
