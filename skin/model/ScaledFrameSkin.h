// The elements a skinned frame is drawn with (the four borders, the title
// and the title-bar buttons) at one display scale: copies of the skin's,
// their bitmaps resampled once and every length taken to the scale, so
// frame sizes, margins, caption offsets and button places all follow it. The
// skin data component keeps one per scale in use until the next skin.
#pragma once

#include <memory>
#include <vector>

#include "skin/model/SkinElements.h"
#include "toolkit/core/DisplayScale.h"

class TSkinData;

// What the frame skinner reads: the skin's own elements at 96 DPI, or a
// scaled set's.
struct TFrameSkin {
  TDataSkinBorder* Left = nullptr;
  TDataSkinBorder* Right = nullptr;
  TDataSkinBorder* Top = nullptr;
  TDataSkinBorder* Bottom = nullptr;
  TDataSkinTitle* Title = nullptr;
  std::vector<TDataSkinSysButton*> Buttons;
  int Dpi = 96;
};

// The skin's own frame elements.
TFrameSkin FrameSkinOf(TSkinData& data);

class TScaledFrameSkin {
 public:
  TScaledFrameSkin(TSkinData& data, int dpi);
  TScaledFrameSkin(const TScaledFrameSkin&) = delete;
  TScaledFrameSkin& operator=(const TScaledFrameSkin&) = delete;
  TFrameSkin View();

 private:
  TDataSkinBorder FLeft{L"Left"}, FRight{L"Right"}, FTop{L"Top"}, FBottom{L"Bottom"};
  TDataSkinTitle FTitle{L"Title"};
  std::vector<std::unique_ptr<TDataSkinSysButton>> FButtons;
  int FDpi;
};

// Every key of from but its name and images into to, its four margins taken to scale.
void CopyScaledElement(const TDataSkinObject& from, TDataSkinObject& to, const TDpiScale& scale);

// The bitmap of framesAcross × framesDown equal frames, each resampled alone
// so that it is its scaled size (ImageScaling); source may be a larger
// image drawn for fromDpi. An empty source gives an empty bitmap.
void ScaleSkinBitmap(const TBitmap& source, TBitmap& target, int framesAcross, int framesDown, int fromDpi, int toDpi,
                     int frameWidth96 = 0, int frameHeight96 = 0);

// A skin image at dpi the same way: from its @2x picture from 175 % up when
// the skin has one (as it is at 200 %, resampled at other scales), else from
// the image itself.
void ScaleSkinImage(const TSkinData& data, const TBitmap& image, TBitmap& target, int framesAcross, int framesDown,
                    int dpi);
