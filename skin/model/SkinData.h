// TSkinData: the component a form carries to give the program's windows a
// skin. It keeps the skin package (stored with the form or named by a file),
// loads it, and holds the model that the description is parsed into.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/controls/SkinControlType.h"
#include "skin/model/ScaledControlSkin.h"
#include "skin/model/ScaledFrameSkin.h"
#include "skin/model/SkinElements.h"
#include "skin/package/SkinReader.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/MemIniFile.h"
#include "toolkit/core/MemoryStream.h"
#include "toolkit/core/Method.h"
#include "toolkit/core/StringList.h"
#include "toolkit/graphics/Graphics.h"
#include "toolkit/graphics/ImgList.h"
#include "toolkit/platform/OwnedHandle.h"

class TControl;

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };

// Sender, window class name, DoSkin (comes in true).
using TOnFormSkin = TMethod<TComponent*, const std::wstring&, bool&>;
using TSkinNotifyEvent = TMethod<TComponent*>;
class TSkinData;
// Sender (the form skinner), SkinData, Form, Control, ControlClass, SkinnedControl (comes in null).
using TOnSkinControl =
    TMethod<TComponent*, TSkinData*, TControl*, TControl*, const std::wstring&, TComponent*&>;

// The 95 lines "class=kind" that map other libraries' controls to built-in skinners.
const std::vector<std::wstring>& DefaultSkin3rd();

class TSkinData : public TComponent {
 public:
  static constexpr const wchar_t* kVersion = L"2.62.5.26";

  explicit TSkinData(TComponent* owner);
  ~TSkinData() override;
  std::wstring ClassName() const override { return L"TSkinData"; }

  bool Active() const { return FActive; }
  // Outside the reading of a layout a change goes to the skin engine.
  void SetActive(bool value);
  int DisableTag() const { return FDisableTag; }
  void SetDisableTag(int value) { FDisableTag = value; }
  TSkinControlSet SkinControls() const { return FSkinControls; }
  void SetSkinControls(TSkinControlSet value) { FSkinControls = value; }
  const TStringList& Skin3rd() const { return FSkin3rd; }
  void SetSkin3rd(const TStringList& lines);
  const std::wstring& SkinFile() const { return FSkinFile; }
  void SetSkinFile(const std::wstring& path);
  std::wstring SkinStore() const;
  void SetSkinStore(const std::wstring&) {}
  TSkinFormType SkinFormtype() const { return FSkinFormtype; }
  void SetSkinFormtype(TSkinFormType value) { FSkinFormtype = value; }
  const std::wstring& Version() const { return FVersion; }
  void SetVersion(std::wstring value) { FVersion = std::move(value); }
  bool MenuUpdate() const { return FMenuUpdate; }
  void SetMenuUpdate(bool value) { FMenuUpdate = value; }

  const TOnFormSkin& OnFormSkin() const { return FOnFormSkin; }
  void SetOnFormSkin(const TOnFormSkin& handler) { FOnFormSkin = handler; }
  const TSkinNotifyEvent& OnSkinChanged() const { return FOnSkinChanged; }
  void SetOnSkinChanged(const TSkinNotifyEvent& handler) { FOnSkinChanged = handler; }
  const TOnSkinControl& OnSkinControl() const { return FOnSkinControl; }
  void SetOnSkinControl(const TOnSkinControl& handler) { FOnSkinControl = handler; }

  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;
  bool SetEvent(const std::wstring& name, const std::any& handler) override;

  // SkinStream as a layout stores it: a 32-bit little-endian count, then the package.
  void ReadSkinStream(const TLayoutBinary& bytes);
  TLayoutBinary WriteSkinStream() const;

  // Loads the package in SkinStreamData and parses its description, all in
  // memory: false for a package of another format; a damaged package or
  // description raises, leaving the component not ready.
  bool LoadSkin();
  // Tells the skin engine that this component's skin changed.
  void ApplyNewSkin();
  void DoSkinChanged();
  // Clears doSkin for window classes that must keep the platform's look.
  void FilterSkinClass(const std::wstring& className, bool& doSkin);

  // Parsing: builds the whole model from a description, naming bitmaps of
  // the package being loaded.
  void ParseSkinDescription(const TMemIniFile& description);
  // Fills bitmap with the package's file of that name, or empties it; keeps
  // the package's NAME@2x.bmp beside it when that is exactly twice its size.
  void LoadSkinBitmap(TBitmap& bitmap, const std::wstring& name);
  // The @2x picture kept for image, while image is still half its size.
  const TBitmap* DoubleOf(const TBitmap& image) const;

  // The frame's elements at dpi: the skin's own at 96, else a scaled set,
  // made on first use and kept until the next skin is parsed.
  TFrameSkin FrameSkinAt(int dpi);
  // The controls' and menus' elements at dpi, the same way.
  TControlSkin ControlSkinAt(int dpi);

  // The model, valid while SkinNotReady is false.
  std::wstring SkinName;
  // Counts the descriptions parsed: what is drawn from one load differs from the next's.
  uint64_t SkinLoad = 0;
  TMemoryStream SkinStreamData;
  bool SkinNotReady = true;
  TSkinColours Colours;
  std::vector<TColor> ExtraColours;
  TBitmap SharedIcon;
  TDataSkinTitle Title{L"Title"};
  std::vector<std::unique_ptr<TDataSkinSysButton>> TitleButtons;
  TDataSkinButton Buttons{L"Buttons"};
  std::unique_ptr<TDataSkinObject> MenuBar;
  std::unique_ptr<TDataSkinBorder> Progress;
  std::unique_ptr<TDataSkinObject> GroupBoxEdge;
  std::unique_ptr<TDataSkinBoxLabel> GroupBox;
  std::unique_ptr<TDataSkinObject> Toolbars;
  std::unique_ptr<TDataSkinBorder> Tabs;
  std::unique_ptr<TDataSkinObject> StatusBarEdges;
  std::unique_ptr<TDataSkinBorder> ComboButton;
  std::unique_ptr<TDataSkinObject> SunkEdge;
  std::unique_ptr<TDataSkinObject> ExtraImages;
  std::unique_ptr<TDataSkinObject> Headerbar;
  std::unique_ptr<TDataSkinObject> MenuItem;
  std::unique_ptr<TDataSkinObject> MenuBackground;
  std::unique_ptr<TDataSkinObject> Scrollbar;
  std::unique_ptr<TDataSkinObject> HorzScroll;
  std::unique_ptr<TDataSkinObject> VertScroll;
  std::unique_ptr<TDataSkinObject> HorzScrollThumb;
  std::unique_ptr<TDataSkinObject> VertScrollThumb;
  std::unique_ptr<TDataSkinObject> TrackbarThumbHorz;
  std::unique_ptr<TDataSkinObject> TrackbarThumbVert;
  std::unique_ptr<TDataSkinObject> TrackbarThumbLeft;
  std::unique_ptr<TDataSkinObject> TrackbarThumbRight;
  std::unique_ptr<TDataSkinObject> TrackbarThumbUp;
  std::unique_ptr<TDataSkinObject> TrackbarThumbDown;
  std::unique_ptr<TDataSkinBorder> UpDownHorz;
  std::unique_ptr<TDataSkinBorder> UpDownVert;
  TDataSkinBorder LeftBorder{L"Left"};
  TDataSkinBorder RightBorder{L"Right"};
  TDataSkinBorder TopBorder{L"Top"};
  TDataSkinBorder BottomBorder{L"Bottom"};
  TBrushHandle BackgroundBrush;
  bool NcPaintEnabled = true;
  TImageList MenuGlyphs;
  // The @2x pictures of the last skin that were left out, each with the reason.
  std::vector<std::wstring> SkippedDoubleImages;

 protected:
  void Loaded() override;
  void Destroying() override;

 private:
  // Parsing steps, in the order ParseSkinDescription runs them.
  void ReadFrameBorders();
  void ReadColours();
  void ReadTitleButtons();
  void ReadMdiButtons();
  void ReadButtons();
  void ReadTitle();
  void ReadProgress();
  void ReadMenuBar();
  void ReadStandardElements();
  void SetFrameCounts();
  void ReadMarginsAndTile(TDataSkinObject& element, const std::wstring& section);
  // Everything of the standard keys but the image.
  void ReadStandardKeys(TDataSkinObject& element, const std::wstring& section, bool withStyle);
  // The section's element, or null when the section names no image.
  template <typename Element>
  std::unique_ptr<Element> ReadSection(const std::wstring& section, bool withStyle);
  std::unique_ptr<TDataSkinBorder> ReadBorderSection(const std::wstring& section, const wchar_t* secondKey);
  TColor ReadColour(const std::wstring& section, const std::wstring& key, TColor fallback) const;
  void LoadDoubleImage(const TBitmap& image, const std::wstring& fileName);

  bool FActive = false;
  int FDisableTag = 99;
  TSkinControlSet FSkinControls = kAllSkinControls & ~SkinControlBit(xcFastReport);
  TStringList FSkin3rd;
  std::wstring FSkinFile;
  TSkinFormType FSkinFormtype = sfMainform;
  std::wstring FVersion = kVersion;
  bool FMenuUpdate = true;
  TOnFormSkin FOnFormSkin;
  TSkinNotifyEvent FOnSkinChanged;
  TOnSkinControl FOnSkinControl;

  // Only while a skin loads.
  std::unique_ptr<TSkinReader> Reader;
  std::unique_ptr<TMemoryStream> WorkStream;
  const TMemIniFile* Ini = nullptr;
  std::vector<std::wstring> Sections;

  // The @2x pictures by the image they stand for; made anew with every parse.
  std::map<const TBitmap*, std::unique_ptr<TBitmap>> FDoubles;
  // Scaled frame elements by DPI; those of the skin before stay until the
  // next parse, as skinners may draw with them until they reload.
  std::map<int, std::unique_ptr<TScaledFrameSkin>> FScaledFrames;
  std::map<int, std::unique_ptr<TScaledFrameSkin>> FRetiredFrames;
  std::map<int, std::unique_ptr<TScaledControlSkin>> FScaledControls;
  std::map<int, std::unique_ptr<TScaledControlSkin>> FRetiredControls;
};
