#include "skin/model/ScaledFrameSkin.h"

#include <algorithm>

#include "skin/model/SkinData.h"
#include "skin/package/DoubleImages.h"
#include "toolkit/core/DisplayScale.h"
#include "toolkit/graphics/BitmapPixels.h"

void CopyScaledElement(const TDataSkinObject& from, TDataSkinObject& to, const TDpiScale& scale) {
  to.LeftWidth = scale.Scale(from.LeftWidth);
  to.TopHeight = scale.Scale(from.TopHeight);
  to.RightWidth = scale.Scale(from.RightWidth);
  to.BottomHeight = scale.Scale(from.BottomHeight);
  to.Trans = from.Trans;
  to.Tile = from.Tile;
  to.FrameCount = from.FrameCount;
  to.Style = from.Style;
  to.NormalColour = from.NormalColour;
  to.MouseOverColour = from.MouseOverColour;
  to.PressedColour = from.PressedColour;
  to.NormalColour2 = from.NormalColour2;
  to.MouseOverColour2 = from.MouseOverColour2;
  to.PressedColour2 = from.PressedColour2;
}

void ScaleSkinBitmap(const TBitmap& source, TBitmap& target, int framesAcross, int framesDown, int fromDpi, int toDpi,
                     int frameWidth96, int frameHeight96) {
  framesAcross = std::max(1, framesAcross), framesDown = std::max(1, framesDown);
  if (source.Empty() || source.Width() < framesAcross || source.Height() < framesDown) return target.Clear();
  TDpiScale scale(toDpi);
  // The frame's size at 96 DPI decides the scaled size, so an image drawn
  // for twice the size ends exactly where the scaled 96-DPI image would.
  int width96 = frameWidth96 > 0 ? frameWidth96 : MulDivRound(source.Width() / framesAcross, kLayoutDpi, fromDpi);
  int height96 = frameHeight96 > 0 ? frameHeight96 : MulDivRound(source.Height() / framesDown, kLayoutDpi, fromDpi);
  TPixelImage scaled = ResampleFrames(PixelsOf(source), framesAcross, framesDown, std::max(1, scale.Scale(width96)),
                                      std::max(1, scale.Scale(height96)));
  AssignPixels(target, scaled);
}

void ScaleSkinImage(const TSkinData& data, const TBitmap& image, TBitmap& target, int framesAcross, int framesDown,
                    int dpi) {
  const TBitmap* doubled = TDpiScale(dpi).PrefersDoubleImages() ? data.DoubleOf(image) : nullptr;
  if (!doubled) return ScaleSkinBitmap(image, target, framesAcross, framesDown, kLayoutDpi, dpi);
  framesAcross = std::max(1, framesAcross), framesDown = std::max(1, framesDown);
  ScaleSkinBitmap(*doubled, target, framesAcross, framesDown, kDoubleImageDpi, dpi, image.Width() / framesAcross,
                  image.Height() / framesDown);
}

TFrameSkin FrameSkinOf(TSkinData& data) {
  TFrameSkin skin{&data.LeftBorder, &data.RightBorder, &data.TopBorder, &data.BottomBorder, &data.Title, {}, kLayoutDpi};
  for (auto& button : data.TitleButtons) skin.Buttons.push_back(button.get());
  return skin;
}

TScaledFrameSkin::TScaledFrameSkin(TSkinData& data, int dpi) : FDpi(dpi) {
  const TDpiScale scale(dpi);
  // The side pieces hold their frames side by side, the top and bottom ones stacked.
  auto border = [&](const TDataSkinBorder& from, TDataSkinBorder& to, bool stacked) {
    CopyScaledElement(from, to, scale);
    int frames = std::max(1, from.FrameCount);
    ScaleSkinImage(data, from.Image, to.Image, stacked ? 1 : frames, stacked ? frames : 1, dpi);
  };
  border(data.LeftBorder, FLeft, false);
  border(data.RightBorder, FRight, false);
  border(data.TopBorder, FTop, true);
  border(data.BottomBorder, FBottom, true);

  const TDataSkinTitle& title = data.Title;
  CopyScaledElement(title, FTitle, scale);
  FTitle.TextAlignment = title.TextAlignment;
  FTitle.Textbackground = title.Textbackground;
  FTitle.FontHeight = scale.Scale(title.FontHeight);
  FTitle.TXTBackleft = scale.Scale(title.TXTBackleft);
  FTitle.TXTBackRight = scale.Scale(title.TXTBackRight);
  FTitle.ActiveText = title.ActiveText;
  FTitle.InActiveText = title.InActiveText;
  // The caption's back holds its two frames stacked.
  ScaleSkinImage(data, title.Image, FTitle.Image, 1, 2, dpi);

  for (auto& button : data.TitleButtons) {
    auto copy = std::make_unique<TDataSkinSysButton>(button->Name);
    CopyScaledElement(*button, *copy, scale);
    copy->Action = button->Action;
    copy->Align = button->Align;
    copy->Xcoord = scale.Scale(button->Xcoord);
    copy->Ycoord = scale.Scale(button->Ycoord);
    copy->CombineOp = button->CombineOp;
    copy->Visibility = button->Visibility;
    copy->Visibility1 = button->Visibility1;
    ScaleSkinImage(data, button->Image, copy->Image, std::max(1, button->FrameCount), 1, dpi);
    FButtons.push_back(std::move(copy));
  }
}

TFrameSkin TScaledFrameSkin::View() {
  TFrameSkin skin{&FLeft, &FRight, &FTop, &FBottom, &FTitle, {}, FDpi};
  for (auto& button : FButtons) skin.Buttons.push_back(button.get());
  return skin;
}
