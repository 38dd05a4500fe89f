// TSkinData apart from its description parser: defaults, published
// properties, the stored package and loading it, and the class filter.
#include "skin/model/SkinData.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "skin/model/SkinEngineLink.h"
#include "toolkit/core/ScopeGuard.h"
#include "toolkit/platform/AnsiText.h"
#include "toolkit/platform/FileStream.h"

namespace {

const wchar_t* const kSkinControlNames[] = {
    L"xcMainMenu", L"xcPopupMenu",   L"xcToolbar",     L"xcControlbar", L"xcCombo",
    L"xcCheckBox", L"xcRadioButton", L"xcProgress",    L"xcScrollbar",  L"xcEdit",
    L"xcButton",   L"xcBitBtn",      L"xcSpeedButton", L"xcPanel",      L"xcGroupBox",
    L"xcStatusBar", L"xcTab",        L"xcSystemMenu",  L"xcFastReport"};
static_assert(std::size(kSkinControlNames) == xcFastReport + 1);

const wchar_t* const kSkinFormTypeNames[] = {L"sfMainform", L"sfOnlyThisForm", L"sfDialog"};

const wchar_t kMenuGlyphsResource[] = L"TESSERAMENU";

TSkinControlSet SkinControlsFromSet(const TLayoutSet& set) {
  TSkinControlSet controls = 0;
  for (const std::wstring& member : set) {
    auto found = std::find(std::begin(kSkinControlNames), std::end(kSkinControlNames), member);
    if (found == std::end(kSkinControlNames)) throw EPropertyError(L"Invalid property value");
    controls |= SkinControlBit(TSkinControlType(found - std::begin(kSkinControlNames)));
  }
  return controls;
}

TLayoutSet SetFromSkinControls(TSkinControlSet controls) {
  TLayoutSet set;
  for (int type = xcMainMenu; type <= xcFastReport; ++type)
    if (controls & SkinControlBit(TSkinControlType(type))) set.push_back(kSkinControlNames[type]);
  return set;
}

bool IsExistingFile(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TSkinEngineLink* gEngineLink = nullptr;

}  // namespace

TSkinEngineLink* SkinEngineLink() { return gEngineLink; }
void SetSkinEngineLink(TSkinEngineLink* link) { gEngineLink = link; }

const std::vector<std::wstring>& DefaultSkin3rd() {
  static const std::vector<std::wstring> lines = {
      L"TTBDock=Panel",
      L"TTBToolbar=Panel",
      L"TImageEnMView=scrollbar",
      L"TImageEnView=scrollbar",
      L"TRzButton=button",
      L"TRzCheckGroup=CheckGroup",
      L"TRzRadioGroup=Radiogroup",
      L"TRzRadioButton=Radiobutton",
      L"TRzCheckBox=Checkbox",
      L"TRzButtonEdit=Edit",
      L"TRzDBRadioGroup=Radiogroup",
      L"TRzDBRadioButton=Radiobutton",
      L"TRzDBCheckBox=Checkbox",
      L"TDBCheckboxEh=Checkbox",
      L"TDBCheckboxEh=Checkbox",
      L"TLMDCHECKBOX=Checkbox",
      L"TLMDDBCHECKBOX=Checkbox",
      L"TLMDRadiobutton=Radiobutton",
      L"TLMDGROUPBOX=Panel",
      L"TLMDSIMPLEPANEL=Panel",
      L"TLMDDBCalendar=Panel",
      L"TLMDButtonPanel=Panel",
      L"TLMDLMDCalculator=Panel",
      L"TLMDHeaderPanel=Panel",
      L"TLMDTechnicalLine=Panel",
      L"TLMDLMDClock=Panel",
      L"TLMDTrackbar=trackbar",
      L"TLMDListCombobox=combobox",
      L"TLMDCheckListCombobox=combobox",
      L"TLMDHeaderListCombobox=combobox",
      L"TLMDImageCombobox=combobox",
      L"TLMDColorCombobox=combobox",
      L"TLMDFontCombobox=combobox",
      L"TLMDFontSizeCombobox=combobox",
      L"TLMDFontSizeCombobox=combobox",
      L"TLMDPrinterCombobox=combobox",
      L"TLMDDriveCombobox=combobox",
      L"TLMDCalculatorComboBox=combobox",
      L"TLMDTrackBarComboBox=combobox",
      L"TLMDCalendarComboBox=combobox",
      L"TLMDRADIOGROUP=radiogroup",
      L"TLMDCheckGroup=CheckGroup",
      L"TLMDDBRADIOGROUP=radiogroup",
      L"TLMDDBCheckGroup=CheckGroup",
      L"TLMDEDIT=Edit",
      L"TLMDMASKEDIT=Edit",
      L"TLMDBROWSEEDIT=Edit",
      L"TLMDEXTSPINEDIT=Edit",
      L"TLMDCALENDAREDIT=Edit",
      L"TLMDFILEOPENEDIT=Edit",
      L"TLMDFILESAVEEDIT=Edit",
      L"TLMDCOLOREDIT=Edit",
      L"TLMDDBEDIT=Edit",
      L"TLMDDBMASKEDIT=Edit",
      L"TLMDDBEXTSPINEDIT=Edit",
      L"TLMDDBSPINEDIT=Edit",
      L"TLMDDBEDITDBLookup=Edit",
      L"TLMDEDITDBLookup=Edit",
      L"TDBLookupCombobox=Combobox",
      L"TWWDBCombobox=Combobox",
      L"TWWDBLookupCombo=Combobox",
      L"TWWDBCombobox=Combobox",
      L"TWWKeyCombo=Combobox",
      L"TWWTempKeyCombo=combobox",
      L"TWWDBDateTimePicker=Combobox",
      L"TWWRADIOGROUP=radiogroup",
      L"TDXDBPICKEDIT=Combobox",
      L"TDXDBCALCEDIT=Combobox",
      L"TDXDBIMAGEEDIT=Combobox",
      L"TDXDBPOPUPEDIT=Combobox",
      L"TDXDBEXTLOOKUPEDIT=Combobox",
      L"TDXDBLOOKUPEDIT=Combobox",
      L"TDXDBDATEEDIT=Combobox",
      L"TDXDATEEDIT=Combobox",
      L"TDXPICKEDIT=Combobox",
      L"TDXPOPUPEDIT=Combobox",
      L"TDXDBCURRENCYEDIT=Edit",
      L"TDXDBEDIT=Edit",
      L"TDXDBMASKEDIT=Edit",
      L"TDXDBHYPERLINKEDIT=Edit",
      L"TDXEDIT=Edit",
      L"TDXMASKEDIT=Edit",
      L"TWWDBEDIT=Edit",
      L"TDXBUTTONEDIT=Edit",
      L"TDXCURRENCYEDIT=Edit",
      L"TDXHYPERLINKEDIT=Edit",
      L"TOVCPICTUREFIELD=Edit",
      L"TOVCDBPICTUREFIELD=Edit",
      L"TOVCSLIDEREDIT=Edit",
      L"TOVCDBSLIDEREDIT=Edit",
      L"TOVCSIMPLEFIELD=Edit",
      L"TOVCDBSIMPLEFIELD=Edit",
      L"TO32DBFLEXEDIT=Edit",
      L"TOVCNUMERICFIELD=Edit",
      L"TOVCDBNUMERICFIELD=Edit",
  };
  return lines;
}

TSkinData::TSkinData(TComponent* owner) : TComponent(owner), MenuGlyphs(nullptr, 16, 16) {
  for (const std::wstring& line : DefaultSkin3rd()) FSkin3rd.Add(line);
  // A program without the glyph strip still gets a component: its system menu
  // then simply shows no glyphs.
  if (FindResourceW(GetModuleHandleW(nullptr), kMenuGlyphsResource, reinterpret_cast<LPCWSTR>(RT_BITMAP)))
    MenuGlyphs.LoadFromResourceName(kMenuGlyphsResource, clWhite);
}

// Every part of the model is owned by a member. A component deleted by
// itself, without Free or an owner, still leaves the engine first.
TSkinData::~TSkinData() { BeforeDestruction(); }

void TSkinData::Loaded() {
  TComponent::Loaded();
  // A main form that asks for a skin it could not load keeps the platform's look.
  if (FSkinFormtype == sfMainform && FActive && SkinNotReady) FActive = false;
  if (TSkinEngineLink* engine = SkinEngineLink()) engine->SkinDataLoaded(*this);
}

void TSkinData::Destroying() {
  if (TSkinEngineLink* engine = SkinEngineLink()) engine->SkinDataDestroying(*this);
  TComponent::Destroying();
}

void TSkinData::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  if (ComponentState() & csLoading) return;
  if (TSkinEngineLink* engine = SkinEngineLink()) engine->SkinDataActiveChanged(*this);
}

void TSkinData::ApplyNewSkin() {
  if (ComponentState() & csLoading) return;
  if (TSkinEngineLink* engine = SkinEngineLink()) engine->ApplyNewSkin(*this);
}

void TSkinData::SetSkin3rd(const TStringList& lines) {
  if (&lines == &FSkin3rd) return;
  FSkin3rd.Clear();
  for (int i = 0; i < lines.Count(); ++i) FSkin3rd.Add(lines.Strings(i));
}

// A path that does not name a file leaves the previous model in place, marked not ready.
void TSkinData::SetSkinFile(const std::wstring& path) {
  SkinNotReady = true;
  FSkinFile = path;
  if (path.empty() || !IsExistingFile(path)) return;
  TFileStream file(path, fmOpenRead | fmShareDenyWrite);
  SkinStreamData.SetSize(0);
  SkinStreamData.CopyFrom(file, 0);
  // A description that fails halfway has replaced part of the model: the
  // windows still showing the old skin must let go of it all the same.
  try {
    LoadSkin();
  } catch (...) {
    ApplyNewSkin();
    throw;
  }
  ApplyNewSkin();
}

// The stored-skin indicator is a design-time aid; the program always runs.
std::wstring TSkinData::SkinStore() const { return L"(none)"; }

void TSkinData::ReadSkinStream(const TLayoutBinary& bytes) {
  SkinStreamData.SetSize(0);
  if (bytes.size() < 4) return;
  int32_t count = int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                          uint32_t(bytes[3]) << 24);
  if (count <= 0) return;
  // A count beyond the bytes present means the stored skin was cut short:
  // it is dropped whole, so the form reads on without one.
  if (uint64_t(count) > bytes.size() - 4) return;
  SkinStreamData.WriteBuffer(bytes.data() + 4, count);
  // A skin is cosmetic: one that cannot be loaded leaves the component not
  // ready, and the program carrying it starts in the platform's look rather
  // than not at all.
  try {
    LoadSkin();
  } catch (...) {
    SkinNotReady = true;
  }
}

TLayoutBinary TSkinData::WriteSkinStream() const {
  const std::vector<uint8_t>& package = SkinStreamData.Bytes();
  auto count = static_cast<uint32_t>(package.size());
  TLayoutBinary bytes;
  bytes.reserve(4 + package.size());
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(count >> shift));
  bytes.insert(bytes.end(), package.begin(), package.end());
  return bytes;
}

bool TSkinData::LoadSkin() {
  SkinNotReady = true;
  Reader = std::make_unique<TSkinReader>();
  WorkStream = std::make_unique<TMemoryStream>();
  // The reader and its work stream exist only while a skin loads.
  auto loaded = ScopeExit([this] {
    Reader.reset();
    WorkStream.reset();
  });
  bool accepted = Reader->ReadPackage(SkinStreamData);
  if (accepted) {
    std::string name;
    Reader->ExtractFirstContaining(".ini", *WorkStream, name);
    if (name.empty()) throw Exception(L"The skin package holds no usable description");
    const std::vector<uint8_t>& bytes = WorkStream->Bytes();
    ParseSkinDescription(TMemIniFile(TextFileToWide({reinterpret_cast<const char*>(bytes.data()), bytes.size()})));
  }
  return accepted;
}

void TSkinData::DoSkinChanged() {
  if (FOnSkinChanged) FOnSkinChanged(this);
}

void TSkinData::FilterSkinClass(const std::wstring& className, bool& doSkin) {
  if (FOnFormSkin) return FOnFormSkin(this, className, doSkin);
  if (className == L"SysMonthCal32") doSkin = false;
  if ((FSkinControls & SkinControlBit(xcFastReport)) && className.starts_with(L"Tfr")) doSkin = false;
}

bool TSkinData::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Active") return SetActive(PropBool(value)), true;
  if (name == L"DisableTag") return SetDisableTag(static_cast<int>(PropInt(value))), true;
  if (name == L"SkinControls") return SetSkinControls(SkinControlsFromSet(PropSet(value))), true;
  if (name == L"Skin3rd") return FSkin3rd.SetText(PropString(value)), true;
  if (name == L"SkinFile") return SetSkinFile(PropString(value)), true;
  if (name == L"SkinStore") return SetSkinStore(PropString(value)), true;
  if (name == L"SkinFormtype") return SetSkinFormtype(PropEnum<TSkinFormType>(value, kSkinFormTypeNames)), true;
  if (name == L"Version") return SetVersion(PropString(value)), true;
  if (name == L"MenuUpdate") return SetMenuUpdate(PropBool(value)), true;
  if (name == L"SkinStream") {
    auto* bytes = std::get_if<TLayoutBinary>(&value);
    if (!bytes) throw EPropertyError(L"Invalid property value");
    return ReadSkinStream(*bytes), true;
  }
  return TComponent::SetProperty(name, value);
}

std::optional<TPropValue> TSkinData::GetProperty(const std::wstring& name) const {
  if (name == L"Active") return BoolProp(FActive);
  if (name == L"DisableTag") return int64_t{FDisableTag};
  if (name == L"SkinControls") return SetFromSkinControls(FSkinControls);
  if (name == L"Skin3rd") return FSkin3rd.Text();
  if (name == L"SkinFile") return FSkinFile;
  if (name == L"SkinStore") return SkinStore();
  if (name == L"SkinFormtype") return TLayoutIdent{kSkinFormTypeNames[FSkinFormtype]};
  if (name == L"Version") return FVersion;
  if (name == L"MenuUpdate") return BoolProp(FMenuUpdate);
  if (name == L"SkinStream") return WriteSkinStream();
  return TComponent::GetProperty(name);
}

bool TSkinData::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name == L"OnFormSkin") return BindEvent(handler, FOnFormSkin);
  if (name == L"OnSkinChanged") return BindEvent(handler, FOnSkinChanged);
  if (name == L"OnSkinControl") return BindEvent(handler, FOnSkinControl);
  return TComponent::SetEvent(name, handler);
}
