// The skin data component: defaults, properties as layouts set them, the
// stored skin (SkinStream) and damaged forms of it, package files, the class
// filter, and the main window's stored skin.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "SkinTestData.h"
#include "TempFiles.h"
#include "recorder/Main.h"
#include "skin/model/SkinData.h"
#include "support/GuiObjects.h"
#include "support/RaisedMessage.h"
#include "toolkit/core/LayoutParser.h"
#include "toolkit/core/ScopeGuard.h"
#include "toolkit/forms/LayoutResource.h"
#include "toolkit/platform/FileStream.h"

namespace {

Bytes PackageOf(const std::vector<TPackageFile>& files) { return CompressWithCount(ExpandedPackage(files)); }

Bytes TinyPackage(const std::string& skinName = "Tiny") {
  std::string description = "[TitlebarSkin]\r\nSkinName=" + skinName + "\r\n";
  return PackageOf({{"tiny.ini", Bytes(description.begin(), description.end())}});
}

// A package whose one file has a name the packer would refuse, made byte by byte.
Bytes PackageNamed(const std::string& name, const std::string& description) {
  Bytes expanded;
  for (uint32_t word : {20000u, static_cast<uint32_t>(name.size() + 2), 0u, 0u}) PutLe(expanded, word, 4);
  expanded.insert(expanded.end(), name.begin(), name.end());
  PutLe(expanded, 0x0A0D, 2);  // CR LF ends the name
  PutLe(expanded, static_cast<uint32_t>(description.size()), 4);
  expanded.insert(expanded.end(), description.begin(), description.end());
  return CompressWithCount(expanded);
}

// Its expanded-size word claims more than the reader takes: refused as damaged, with no notice.
Bytes DamagedPackage() {
  Bytes package = TinyPackage();
  package[3] = 0x7F;
  return package;
}

// Packages whose loading fails halfway: a bitmap that is none, no description at all.
Bytes BrokenBitmapPackage() {
  std::string description = "[Personality]\r\nLeft=left.bmp\r\n";
  return PackageOf({{"skin.ini", Bytes(description.begin(), description.end())}, {"left.bmp", Bytes(60, 'x')}});
}
Bytes PackageWithoutDescription() { return PackageOf({{"left.bmp", Bytes(60, 'x')}}); }

// The temporary folder the platform names, for the scope of the object: the
// process's TMP and TEMP, which GetTempPath reads first.
class TTemporaryFolderAs {
 public:
  explicit TTemporaryFolderAs(const std::wstring& folder) {
    for (const wchar_t* name : {L"TMP", L"TEMP"}) {
      wchar_t value[MAX_PATH + 1] = {};
      DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH + 1);
      Saved.emplace_back(name, length ? std::optional<std::wstring>(value) : std::nullopt);
      SetEnvironmentVariableW(name, folder.c_str());
    }
  }
  ~TTemporaryFolderAs() {
    for (auto& [name, value] : Saved) SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
  }

 private:
  std::vector<std::pair<const wchar_t*, std::optional<std::wstring>>> Saved;
};

std::wstring TemporaryFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, folder);
  return folder;
}

// SkinStream as a layout writes it: {count, then the bytes} in hexadecimal.
std::string StoredHex(const Bytes& package, std::optional<uint32_t> count = {}) {
  Bytes bytes;
  PutLe(bytes, count.value_or(static_cast<uint32_t>(package.size())), 4);
  bytes.insert(bytes.end(), package.begin(), package.end());
  std::string text = "SkinStream = {";
  for (uint8_t b : bytes) text += {"0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15], ' '};
  return text + "}\n";
}

TLayoutBinary StreamedOut(const TSkinData& skin) { return std::get<TLayoutBinary>(*skin.GetProperty(L"SkinStream")); }
const TLayoutBinary kCountZero{0, 0, 0, 0};

// A layout read as forms are: properties, then Loaded. The component is SkinData1.
class TLayoutRoot {
 public:
  explicit TLayoutRoot(const std::string& skinProperties, std::unique_ptr<TComponent> root = nullptr,
                       const std::string& rootText = "")
      : Root(root ? std::move(root) : std::make_unique<TComponent>(nullptr)) {
    LayoutClasses().Register<TSkinData>(L"TSkinData");
    Root->BeginLoading();
    try {
      ReadLayout(*Root,
                 ParseLayout("object Root: TForm\n" + rootText + "object SkinData1: TSkinData\n" + skinProperties +
                             "end\nend\n"),
                 LayoutClasses());
    } catch (...) {
      Root->EndLoading();
      throw;
    }
    Root->EndLoading();
  }
  TSkinData& Skin() { return *dynamic_cast<TSkinData*>(Root->FindComponent(L"SkinData1")); }

  std::unique_ptr<TComponent> Root;
};

// The SkinStream the build stored in the main window's layout.
TLayoutBinary ProgramStoredSkin() {
  HRSRC found = FindResourceW(nullptr, L"TMAINFORM", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  auto* text = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  for (const TLayoutObject& child : ParseLayout(std::string_view(text, SizeofResource(nullptr, found))).Children)
    for (const TLayoutProperty& property : child.Properties)
      if (child.Name == L"SkinData1" && property.Name == L"SkinStream") return std::get<TLayoutBinary>(property.Value);
  return {};
}

struct TFilterHandler {
  void FormSkin(TComponent* sender, const std::wstring& name, bool& doSkin) {
    Sender = sender;
    if (name == L"Keep") doSkin = false;
  }
  TComponent* Sender = nullptr;
};

}  // namespace

TEST(SkinData, DefaultsAfterCreation) {
  TSkinData skin(nullptr);
  EXPECT_FALSE(skin.Active());
  EXPECT_EQ(skin.DisableTag(), 99);
  EXPECT_EQ(skin.SkinControls(), kAllSkinControls & ~SkinControlBit(xcFastReport));
  EXPECT_EQ(skin.SkinFormtype(), sfMainform);
  EXPECT_EQ(skin.Version(), L"2.62.5.26");
  EXPECT_TRUE(skin.MenuUpdate() && skin.SkinNotReady && skin.NcPaintEnabled);
  EXPECT_EQ(StreamedOut(skin), kCountZero) << "no stored skin: only the count";
  EXPECT_EQ(skin.Title.Name + skin.LeftBorder.Name + skin.RightBorder.Name + skin.TopBorder.Name +
                skin.BottomBorder.Name,
            L"TitleLeftRightTopBottom");
  EXPECT_EQ(skin.MenuGlyphs.Count(), 4) << "the 64 x 16 strip in 16 x 16 images";
  const TStringList& map = skin.Skin3rd();
  ASSERT_EQ(map.Count(), 95);
  EXPECT_EQ(map.Strings(0), L"TTBDock=Panel");
  EXPECT_EQ(map.Strings(94), L"TOVCDBNUMERICFIELD=Edit");
  EXPECT_EQ(map.Strings(59), L"TWWDBCombobox=Combobox");
  EXPECT_EQ(map.Strings(61), L"TWWDBCombobox=Combobox") << "the duplicate is kept";
}

TEST(SkinData, PropertiesByNameAsLayoutsSetThem) {
  TLayoutRoot layout("DisableTag = 42\nSkinFormtype = sfDialog\nSkinControls = [xcEdit, xcFastReport]\n"
                     "Skin3rd = \"TMine=Edit\\r\\nTOther=Panel\\r\\n\"\nSkinStore = \"(Good)\"\n");
  TSkinData& skin = layout.Skin();
  EXPECT_EQ(skin.DisableTag(), 42);
  EXPECT_EQ(std::get<TLayoutIdent>(*skin.GetProperty(L"SkinFormtype")).Name, L"sfDialog");
  EXPECT_EQ(std::get<TLayoutSet>(*skin.GetProperty(L"SkinControls")), (TLayoutSet{L"xcEdit", L"xcFastReport"}));
  EXPECT_EQ(skin.Skin3rd().Text(), L"TMine=Edit\r\nTOther=Panel\r\n");
  EXPECT_EQ(std::get<std::wstring>(*skin.GetProperty(L"SkinStore")), L"(none)") << "never design mode";
  EXPECT_THROW(skin.SetProperty(L"SkinControls", TLayoutSet{L"xcEdit", L"xcNothing"}), EPropertyError);
  EXPECT_THROW(skin.SetProperty(L"SkinStream", std::wstring(L"00000000")), EPropertyError);
  EXPECT_THROW(skin.SetEvent(L"OnFormSkin", std::any(TNotifyEvent())), EPropertyError);
}

TEST(SkinData, StoredSkinLoadsWhileReadAndStreamsOutAsItCameIn) {
  Bytes package = TinyPackage();
  for (const char* extra : {"", "EE"}) {  // bytes beyond the count belong to no skin
    std::string text = StoredHex(package);
    TLayoutRoot layout(text.substr(0, text.size() - 2) + extra + "}\n");
    EXPECT_FALSE(layout.Skin().SkinNotReady);
    EXPECT_EQ(layout.Skin().SkinName, L"Tiny");
    EXPECT_EQ(layout.Skin().SkinStreamData.Bytes(), package);
    EXPECT_EQ(StreamedOut(layout.Skin()).size(), package.size() + 4);
  }
  for (const char* none : {"SkinStream = {00000000}\n", "SkinStream = {FFFFFFFF 0102}\n", "SkinStream = {0500}\n"}) {
    TLayoutRoot layout(none);
    EXPECT_EQ(StreamedOut(layout.Skin()), kCountZero) << none;
  }
}

// One byte short, or far short: the stored skin is dropped whole, nothing is
// read past the data, the form reads on, and Loaded switches Active off.
TEST(SkinData, CountBeyondTheBytesPresentIsRefused) {
  Bytes package = TinyPackage();
  for (uint32_t count : {static_cast<uint32_t>(package.size()) + 1, 0x7FFFFFFFu}) {
    TLayoutRoot layout("Active = True\n" + StoredHex(package, count));
    EXPECT_TRUE(layout.Skin().SkinNotReady);
    EXPECT_EQ(StreamedOut(layout.Skin()), kCountZero);
    EXPECT_FALSE(layout.Skin().Active());
  }
}

TEST(SkinData, LoadedSwitchesActiveOffOnlyForAMainFormWithoutASkin) {
  TLayoutRoot refused("Active = True\n" + StoredHex(DamagedPackage()));
  EXPECT_TRUE(refused.Skin().SkinNotReady);
  EXPECT_FALSE(refused.Skin().Active());
  EXPECT_TRUE(TLayoutRoot("Active = True\nSkinFormtype = sfDialog\n" + StoredHex(DamagedPackage())).Skin().Active());
  EXPECT_TRUE(TLayoutRoot("Active = True\n" + StoredHex(TinyPackage())).Skin().Active());
  // With no skin manager the setter only stores, also while not ready.
  refused.Skin().SetActive(true);
  EXPECT_TRUE(refused.Skin().Active());
}

TEST(SkinData, FilterSkinClass) {
  TSkinData skin(nullptr);
  auto skins = [&](const std::wstring& name, bool in = true) { return skin.FilterSkinClass(name, in), in; };
  EXPECT_FALSE(skins(L"SysMonthCal32"));
  EXPECT_TRUE(skins(L"sysmonthcal32")) << "matched exactly";
  EXPECT_TRUE(skins(L"TfrPreviewForm")) << "skinned unless xcFastReport excludes it";
  EXPECT_FALSE(skins(L"Button", false)) << "others keep what they came with";
  skin.SetSkinControls(kAllSkinControls);
  EXPECT_FALSE(skins(L"TfrPreviewForm"));
  EXPECT_FALSE(skins(L"Tfr"));
  EXPECT_TRUE(skins(L"TFRPreviewForm"));

  TFilterHandler handler;
  ASSERT_TRUE(skin.SetEvent(L"OnFormSkin", std::any(TOnFormSkin::Of<&TFilterHandler::FormSkin>(handler))));
  EXPECT_TRUE(skins(L"SysMonthCal32")) << "the handler alone decides";
  EXPECT_TRUE(skins(L"TfrPreviewForm"));
  EXPECT_FALSE(skins(L"Keep"));
  EXPECT_EQ(handler.Sender, &skin);
}

TEST(SkinData, SkinFileLoadsAPackageOnDiskAndIgnoresAMissingOne) {
  Bytes package = TinyPackage("FromDisk");
  TTempFile file(L"skin.skn");
  TFileStream(file.Path(), fmCreate).WriteBuffer(package.data(), static_cast<int32_t>(package.size()));
  TSkinData skin(nullptr);
  skin.SetSkinFile(file.Path());
  EXPECT_FALSE(skin.SkinNotReady);
  EXPECT_EQ(skin.SkinName, L"FromDisk");
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  EXPECT_EQ(GetFileAttributesW((std::wstring(temp) + L"tiny.ini").c_str()), INVALID_FILE_ATTRIBUTES)
      << "the description written for parsing is gone";

  skin.SetSkinFile(file.Path() + L".missing");
  EXPECT_EQ(skin.SkinFile(), file.Path() + L".missing");
  EXPECT_TRUE(skin.SkinNotReady);
  EXPECT_EQ(skin.SkinName, L"FromDisk") << "the previous model stays, marked not ready";
  EXPECT_EQ(skin.SkinStreamData.Bytes(), package);
}

// The description is read in memory, so neither its name in the package nor
// the temporary folder has any part in loading it: a name with a path in it
// writes nothing anywhere, and a user's file of the description's own name
// in the temporary folder stays as it was.
TEST(SkinData, DescriptionIsReadInMemoryWhateverItsName) {
  const std::filesystem::path temp = ScratchDirectory() / "SkinData.DescriptionIsReadInMemory";
  std::filesystem::create_directories(temp);
  auto removed = ScopeExit([&] {
    std::error_code ignored;
    std::filesystem::remove_all(temp, ignored);
  });
  TTemporaryFolderAs own(temp.wstring() + L"\\");
  ASSERT_EQ(TemporaryFolder(), temp.wstring() + L"\\");
  const std::string mine = "[TitlebarSkin]\r\nSkinName=the user's own\r\n";
  std::ofstream(temp / "tiny.ini", std::ios::binary) << mine;
  for (std::string name : {"tiny.ini", "..\\escape.ini", "c:escape.ini", "Test.INI"}) {
    TSkinData skin(nullptr);
    Load(skin.SkinStreamData, PackageNamed(name, "[TitlebarSkin]\r\nSkinName=Tiny\r\n"));
    ASSERT_TRUE(skin.LoadSkin()) << name;
    EXPECT_FALSE(skin.SkinNotReady);
    EXPECT_EQ(skin.SkinName, L"Tiny") << name;
    std::ifstream in(temp / "tiny.ini", std::ios::binary);
    ASSERT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), mine) << name << ": the user's file changed";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp), {}), 1) << "nothing else was written there";
  }
  EXPECT_FALSE(std::filesystem::exists(ScratchDirectory() / "escape.ini"));

  TSkinData skin(nullptr);
  Load(skin.SkinStreamData, PackageWithoutDescription());
  EXPECT_EQ(RaisedMessage([&] { skin.LoadSkin(); }), L"The skin package holds no usable description");
  EXPECT_TRUE(skin.SkinNotReady);
}

TEST(SkinDataMainWindow, LayoutLoadsTheStoredSkinIntoAReadyModel) {
  TMainForm form(nullptr);
  auto* skin = dynamic_cast<TSkinData*>(form.FindComponent(L"SkinData1"));
  ASSERT_NE(skin, nullptr);
  EXPECT_FALSE(skin->SkinNotReady);
  EXPECT_TRUE(skin->Active());
  EXPECT_EQ(skin->SkinControls(), kAllSkinControls & ~SkinControlBit(xcFastReport));
  EXPECT_EQ(skin->Skin3rd().Count(), 95) << "the layout leaves the class map at its default";
  EXPECT_EQ(StreamedOut(*skin), ProgramStoredSkin());
  std::initializer_list<TDataSkinObject*> always{&skin->Buttons,    &skin->Title,     &skin->LeftBorder,
                                                 &skin->RightBorder, &skin->TopBorder, &skin->BottomBorder};
  for (TDataSkinObject* element : always) EXPECT_FALSE(element->Image.Empty()) << element->Name;
  // The program's skin gives every section the engine reads an image.
  const std::pair<TDataSkinObject*, int> elements[] = {
      {skin->MenuBar.get(), 2},           {skin->Progress.get(), 2},          {skin->GroupBoxEdge.get(), 2},
      {skin->GroupBox.get(), 1},          {skin->MenuBackground.get(), 1},    {skin->StatusBarEdges.get(), 3},
      {skin->ComboButton.get(), 4},       {skin->SunkEdge.get(), 4},          {skin->HorzScroll.get(), 4},
      {skin->VertScroll.get(), 4},        {skin->Toolbars.get(), 5},          {skin->Tabs.get(), 5},
      {skin->ExtraImages.get(), 5},       {skin->Headerbar.get(), 5},         {skin->MenuItem.get(), 5},
      {skin->TrackbarThumbHorz.get(), 5}, {skin->TrackbarThumbVert.get(), 5}, {skin->TrackbarThumbLeft.get(), 5},
      {skin->TrackbarThumbRight.get(), 5}, {skin->TrackbarThumbUp.get(), 5}, {skin->TrackbarThumbDown.get(), 5},
      {skin->UpDownHorz.get(), 8},        {skin->UpDownVert.get(), 8},        {skin->Scrollbar.get(), 23},
      {skin->HorzScrollThumb.get(), 3},   {skin->VertScrollThumb.get(), 3},   {&skin->Buttons, 5},
      {&skin->Title, 2},                  {&skin->LeftBorder, 2},             {&skin->TopBorder, 2}};
  for (auto [element, frames] : elements) {
    ASSERT_NE(element, nullptr) << "element " << frames;
    EXPECT_FALSE(element->Image.Empty()) << element->Name;
    EXPECT_EQ(element->FrameCount, frames) << element->Name;
    bool stacked = element == &skin->Title || element == &skin->TopBorder || element == skin->MenuBar.get();
    int length = stacked ? element->Image.Height() : element->Image.Width();
    EXPECT_EQ(length % frames, 0) << element->Name << ": frames of unequal size";
  }
  for (TDataSkinBorder* second : {skin->Progress.get(), skin->Tabs.get(), skin->ComboButton.get(),
                                  skin->UpDownHorz.get(), skin->UpDownVert.get()})
    EXPECT_FALSE(second->SecondImage.Empty()) << second->Name;
  EXPECT_EQ(skin->Buttons.CheckButtonFrame, 4);
  EXPECT_EQ(skin->Buttons.RadioButtonFrame, 4);
  // Close, maximise, restore, minimise and the icon, then the three of the MDI controls.
  ASSERT_EQ(skin->TitleButtons.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    const TDataSkinSysButton& button = *skin->TitleButtons[size_t(i)];
    EXPECT_FALSE(button.Image.Empty()) << button.Name;
    EXPECT_EQ(button.FrameCount, i == 4 ? 1 : 4) << button.Name;
  }
}

// A stored skin that is refused, or fails while it loads, is no reason for
// the form not to open: it opens in the platform's look.
TEST(SkinDataMainWindow, StoredSkinThatCannotBeLoadedLeavesTheFormWorking) {
  for (const Bytes& package : {DamagedPackage(), BrokenBitmapPackage(), PackageWithoutDescription()}) {
    TLayoutRoot layout("Active = True\n" + StoredHex(package), std::make_unique<TForm>(nullptr),
                       "object Button1: TButton\nWidth = 75\nHeight = 25\nCaption = \"OK\"\nend\n");
    EXPECT_TRUE(layout.Skin().SkinNotReady);
    EXPECT_FALSE(layout.Skin().Active());
    EXPECT_EQ(layout.Skin().SkinStreamData.Bytes(), package) << "kept as it came, to be streamed out again";
    auto& form = dynamic_cast<TForm&>(*layout.Root);
    form.Show();
    auto& button = dynamic_cast<TWinControl&>(*form.FindComponent(L"Button1"));
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(IsWindowVisible(button.Handle()));
  }
}

// The recorder's window loads its stored skin while the temporary folder is
// missing, too long for the platform's limit, or names no folder at all.
TEST(SkinDataMainWindow, StoredSkinLoadsWhateverBecameOfTheTemporaryFolder) {
  const std::wstring missing = ScratchDirectory().wstring() + L"\\no such folder\\";
  const std::wstring tooLong = ScratchDirectory().wstring() + L"\\" + std::wstring(300, L'x') + L"\\";
  for (const std::wstring& folder : {missing, tooLong, std::wstring(L"B:\\nowhere\\")}) {
    TTemporaryFolderAs unusable(folder);
    TMainForm form(nullptr);
    auto* skin = dynamic_cast<TSkinData*>(form.FindComponent(L"SkinData1"));
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->SkinNotReady) << testing::PrintToString(folder);
    EXPECT_TRUE(skin->Active());
    EXPECT_EQ(skin->SkinName, L"Quillmere Slate");
  }
}

TEST(SkinDataMainWindow, CreatingLoadingAndFreeingLeaksNoGdiOrUserObjects) {
  TLayoutBinary stored = ProgramStoredSkin();
  auto cycle = [&] {
    TSkinData skin(nullptr);
    skin.ReadSkinStream(stored);
    ASSERT_FALSE(skin.SkinNotReady);
  };
  cycle();
  TGuiObjects before = CountGuiObjects();
  for (int i = 0; i < 25; ++i) cycle();
  EXPECT_EQ(CountGuiObjects(), before);
}
