// The elements the control skinners and the menus draw with, at one display
// scale: copies of the skin's, their bitmaps resampled once and their margins
// taken to the scale, so fixed-size glyphs (check marks, arrows, thumbs, the
// size grip) grow with it and nine-sliced faces keep their corners in
// proportion. The skin data component keeps one per scale in use until the
// next skin.
#pragma once

#include <memory>

#include "skin/model/SkinElements.h"
#include "toolkit/core/DisplayScale.h"

class TSkinData;

// What the skinners read: the skin's own elements at 96 DPI, or a scaled
// set's. An element the skin lacks is null in every set.
struct TControlSkin {
  TDataSkinButton* Buttons = nullptr;
  TDataSkinBorder* Progress = nullptr;
  TDataSkinObject* Toolbars = nullptr;
  TDataSkinBorder* Tabs = nullptr;
  TDataSkinObject* StatusBarEdges = nullptr;
  TDataSkinBorder* ComboButton = nullptr;
  TDataSkinObject* SunkEdge = nullptr;
  TDataSkinObject* ExtraImages = nullptr;
  TDataSkinObject* Headerbar = nullptr;
  TDataSkinObject* MenuBar = nullptr;
  TDataSkinObject* MenuItem = nullptr;
  TDataSkinObject* MenuBackground = nullptr;
  TDataSkinObject* Scrollbar = nullptr;
  TDataSkinObject* HorzScroll = nullptr;
  TDataSkinObject* VertScroll = nullptr;
  TDataSkinObject* HorzScrollThumb = nullptr;
  TDataSkinObject* VertScrollThumb = nullptr;
  TDataSkinObject* TrackbarThumbHorz = nullptr;
  TDataSkinObject* TrackbarThumbVert = nullptr;
  TDataSkinBorder* UpDownHorz = nullptr;
  TDataSkinBorder* UpDownVert = nullptr;
  TDpiScale Scale;
};

// The skin's own elements.
TControlSkin ControlSkinOf(TSkinData& data);

class TScaledControlSkin {
 public:
  TScaledControlSkin(TSkinData& data, int dpi);
  TScaledControlSkin(const TScaledControlSkin&) = delete;
  TScaledControlSkin& operator=(const TScaledControlSkin&) = delete;
  TControlSkin View();

 private:
  TDataSkinButton FButtons{L"Buttons"};
  std::unique_ptr<TDataSkinBorder> FProgress, FTabs, FComboButton, FUpDownHorz, FUpDownVert;
  std::unique_ptr<TDataSkinObject> FToolbars, FStatusBarEdges, FSunkEdge, FExtraImages, FHeaderbar, FMenuBar,
      FMenuItem, FMenuBackground, FScrollbar, FHorzScroll, FVertScroll, FHorzScrollThumb, FVertScrollThumb,
      FTrackbarThumbHorz, FTrackbarThumbVert;
  TDpiScale FScale;
};
