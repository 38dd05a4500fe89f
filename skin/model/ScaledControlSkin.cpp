#include "skin/model/ScaledControlSkin.h"

#include <algorithm>

#include "skin/model/ScaledFrameSkin.h"
#include "skin/model/SkinData.h"

namespace {

int FramesOf(const TDataSkinObject& element) { return std::max(1, element.FrameCount); }

// A copy of element at scale, its image's FrameCount frames side by side, or
// stacked; none for an element the skin lacks.
template <typename Element>
std::unique_ptr<Element> Scaled(const TSkinData& data, const std::unique_ptr<Element>& element,
                                const TDpiScale& scale, bool stacked = false) {
  if (!element) return nullptr;
  auto copy = std::make_unique<Element>(element->Name);
  CopyScaledElement(*element, *copy, scale);
  const int frames = FramesOf(*element);
  ScaleSkinImage(data, element->Image, copy->Image, stacked ? 1 : frames, stacked ? frames : 1, scale.Dpi());
  return copy;
}

// The same for a two-image element, whose second image is one picture or has
// the frames of the first side by side.
std::unique_ptr<TDataSkinBorder> ScaledBorder(const TSkinData& data, const std::unique_ptr<TDataSkinBorder>& element,
                                              const TDpiScale& scale, bool secondFramed) {
  auto copy = Scaled(data, element, scale);
  if (copy)
    ScaleSkinImage(data, element->SecondImage, copy->SecondImage, secondFramed ? FramesOf(*element) : 1, 1,
                   scale.Dpi());
  return copy;
}

}  // namespace

TControlSkin ControlSkinOf(TSkinData& data) {
  TControlSkin skin;
  skin.Buttons = &data.Buttons;
  skin.Progress = data.Progress.get();
  skin.Toolbars = data.Toolbars.get();
  skin.Tabs = data.Tabs.get();
  skin.StatusBarEdges = data.StatusBarEdges.get();
  skin.ComboButton = data.ComboButton.get();
  skin.SunkEdge = data.SunkEdge.get();
  skin.ExtraImages = data.ExtraImages.get();
  skin.Headerbar = data.Headerbar.get();
  skin.MenuBar = data.MenuBar.get();
  skin.MenuItem = data.MenuItem.get();
  skin.MenuBackground = data.MenuBackground.get();
  skin.Scrollbar = data.Scrollbar.get();
  skin.HorzScroll = data.HorzScroll.get();
  skin.VertScroll = data.VertScroll.get();
  skin.HorzScrollThumb = data.HorzScrollThumb.get();
  skin.VertScrollThumb = data.VertScrollThumb.get();
  skin.TrackbarThumbHorz = data.TrackbarThumbHorz.get();
  skin.TrackbarThumbVert = data.TrackbarThumbVert.get();
  skin.UpDownHorz = data.UpDownHorz.get();
  skin.UpDownVert = data.UpDownVert.get();
  return skin;
}

TScaledControlSkin::TScaledControlSkin(TSkinData& data, int dpi) : FScale(dpi) {
  const TDpiScale& s = FScale;
  const TDataSkinButton& buttons = data.Buttons;
  CopyScaledElement(buttons, FButtons, s);
  FButtons.RadioButtonFrame = buttons.RadioButtonFrame;
  FButtons.CheckButtonFrame = buttons.CheckButtonFrame;
  FButtons.HasNormalColour2 = buttons.HasNormalColour2;
  FButtons.HasMouseOverColour2 = buttons.HasMouseOverColour2;
  FButtons.HasPressedColour2 = buttons.HasPressedColour2;
  ScaleSkinImage(data, buttons.Image, FButtons.Image, FramesOf(buttons), 1, dpi);
  ScaleSkinImage(data, buttons.CheckButton, FButtons.CheckButton, std::max(1, buttons.CheckButtonFrame), 1, dpi);
  ScaleSkinImage(data, buttons.RadioButton, FButtons.RadioButton, std::max(1, buttons.RadioButtonFrame), 1, dpi);

  // The progress bar's chunk and the tabs' page border are single pictures;
  // the combo box's mirrored button and the up-down glyphs have the frames
  // of their element's first image.
  FProgress = ScaledBorder(data, data.Progress, s, false);
  FTabs = ScaledBorder(data, data.Tabs, s, false);
  FComboButton = ScaledBorder(data, data.ComboButton, s, true);
  FUpDownHorz = ScaledBorder(data, data.UpDownHorz, s, true);
  FUpDownVert = ScaledBorder(data, data.UpDownVert, s, true);
  FToolbars = Scaled(data, data.Toolbars, s);
  FStatusBarEdges = Scaled(data, data.StatusBarEdges, s);
  FSunkEdge = Scaled(data, data.SunkEdge, s);
  FExtraImages = Scaled(data, data.ExtraImages, s);
  FHeaderbar = Scaled(data, data.Headerbar, s);
  // The menu bar's two frames are stacked.
  FMenuBar = Scaled(data, data.MenuBar, s, true);
  FMenuItem = Scaled(data, data.MenuItem, s);
  FMenuBackground = Scaled(data, data.MenuBackground, s);
  FScrollbar = Scaled(data, data.Scrollbar, s);
  FHorzScroll = Scaled(data, data.HorzScroll, s);
  FVertScroll = Scaled(data, data.VertScroll, s);
  FHorzScrollThumb = Scaled(data, data.HorzScrollThumb, s);
  FVertScrollThumb = Scaled(data, data.VertScrollThumb, s);
  FTrackbarThumbHorz = Scaled(data, data.TrackbarThumbHorz, s);
  FTrackbarThumbVert = Scaled(data, data.TrackbarThumbVert, s);
}

TControlSkin TScaledControlSkin::View() {
  TControlSkin skin;
  skin.Buttons = &FButtons;
  skin.Progress = FProgress.get();
  skin.Toolbars = FToolbars.get();
  skin.Tabs = FTabs.get();
  skin.StatusBarEdges = FStatusBarEdges.get();
  skin.ComboButton = FComboButton.get();
  skin.SunkEdge = FSunkEdge.get();
  skin.ExtraImages = FExtraImages.get();
  skin.Headerbar = FHeaderbar.get();
  skin.MenuBar = FMenuBar.get();
  skin.MenuItem = FMenuItem.get();
  skin.MenuBackground = FMenuBackground.get();
  skin.Scrollbar = FScrollbar.get();
  skin.HorzScroll = FHorzScroll.get();
  skin.VertScroll = FVertScroll.get();
  skin.HorzScrollThumb = FHorzScrollThumb.get();
  skin.VertScrollThumb = FVertScrollThumb.get();
  skin.TrackbarThumbHorz = FTrackbarThumbHorz.get();
  skin.TrackbarThumbVert = FTrackbarThumbVert.get();
  skin.UpDownHorz = FUpDownHorz.get();
  skin.UpDownVert = FUpDownVert.get();
  skin.Scale = FScale;
  return skin;
}
