// The elements a skin description is parsed into: each names a bitmap of
// equal state frames and the geometry its users draw it with. The skin data
// component owns them; skinners only read them.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/graphics/Graphics.h"

// A model colour that the description left unset.
constexpr TColor kColourNotSet = 0x1FFFFFFF;
// Pixels of this colour in skin images are transparent.
constexpr COLORREF kSkinTransparent = RGB(255, 0, 255);

class TDataSkinObject {
 public:
  explicit TDataSkinObject(std::wstring name) : Name(std::move(name)) {}
  virtual ~TDataSkinObject() = default;
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  int32_t LeftWidth = 0;
  int32_t TopHeight = 0;
  int32_t RightWidth = 0;
  int32_t BottomHeight = 0;
  TBitmap Image;
  int32_t Trans = 0;
  // 1 tiles the centre, 0 stretches it; the frame borders keep their Stretch key here.
  int32_t Tile = 0;
  std::wstring Name;
  int32_t FrameCount = 1;
  int32_t Style = 0;
  // Sections read with the standard keys default these to -1; the others leave 0.
  int32_t NormalColour = 0;
  int32_t MouseOverColour = 0;
  int32_t PressedColour = 0;
  TColor NormalColour2 = 0;
  TColor MouseOverColour2 = 0;
  TColor PressedColour2 = 0;
};

class TDataSkinBorder : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap SecondImage;
};

class TDataSkinBoxLabel : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  int32_t BackgroundLeftShift = 0;
  int32_t BackgroundRightShift = 0;
  int32_t BackgroundAlignment = 0;
};

class TDataSkinButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap CheckButton;
  TBitmap RadioButton;
  int32_t RadioButtonFrame = 0;
  int32_t CheckButtonFrame = 0;
  bool HasNormalColour2 = false;
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;
};

// The title bar's text: LeftWidth, TopHeight and RightWidth hold the text's
// shift, vertical shift and right clip.
class TDataSkinTitle : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  int32_t TextAlignment = 0;
  int32_t Textbackground = 0;
  int32_t FontHeight = 14;
  int32_t TXTBackleft = 0;
  int32_t TXTBackRight = 0;
  TColor ActiveText = kColourNotSet;
  TColor InActiveText = kColourNotSet;
};

// One button of the title bar; the form skinner gives the numbers their meaning.
class TDataSkinSysButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  int32_t Action = 0;
  int32_t Align = 0;
  int32_t Xcoord = 0;
  int32_t Ycoord = 0;
  int32_t CombineOp = -1;
  int32_t Visibility = 0;
  int32_t Visibility1 = 0;
};

// The skin's colours, each 0x00BBGGRR or a system colour (SystemColor).
struct TSkinColours {
  TColor WindowText = SystemColor(COLOR_WINDOWTEXT);
  TColor ButtonFace = SystemColor(COLOR_BTNFACE);
  TColor Scrollbar = SystemColor(COLOR_SCROLLBAR);
  TColor HilightText = SystemColor(COLOR_HIGHLIGHTTEXT);
  TColor Hilight = SystemColor(COLOR_HIGHLIGHT);
  TColor Menubar = SystemColor(COLOR_BTNFACE);
  TColor Menu = SystemColor(COLOR_MENU);
  TColor MenuText = SystemColor(COLOR_MENUTEXT);
  TColor ButtonText = SystemColor(COLOR_BTNTEXT);
  TColor ButtonHilight = SystemColor(COLOR_BTNHIGHLIGHT);
  TColor Buttonlight = SystemColor(COLOR_BTNHIGHLIGHT);
  TColor ButtonShadow = SystemColor(COLOR_BTNSHADOW);
  TColor ButtonDkShadow = SystemColor(COLOR_3DDKSHADOW);
  TColor MenuBarText = SystemColor(COLOR_MENUTEXT);
  TColor TitleTextActive = SystemColor(COLOR_CAPTIONTEXT);
  TColor TitleTextNoActive = SystemColor(COLOR_INACTIVECAPTIONTEXT);
};
