// A list of equally sized images with a transparent colour, drawn by index:
// the glyphs of menu items and of the skinned system menu. The images are
// given at 96 DPI; at another DPI the list is drawn from a platform list of
// the scaled size, made from them once for that DPI.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "toolkit/core/Component.h"
#include "toolkit/graphics/Graphics.h"

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner, int width = 16, int height = 16);
  std::wstring ClassName() const override { return L"TImageList"; }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // The images' size at dpi.
  int WidthAt(int dpi) const;
  int HeightAt(int dpi) const;
  int Count() const;
  // Cuts bitmap into images of the list's size, left to right; pixels of
  // maskColor become transparent. Returns the index of the first new image.
  int AddMasked(TBitmap& bitmap, TColor maskColor);
  // A strip of images from the program's bitmap resources.
  void LoadFromResourceName(const wchar_t* name, TColor maskColor);
  void Clear();
  // A disabled image is drawn embossed, as the platform greys its own; at
  // dpi it is drawn at its scaled size.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true, int dpi = 96) const;
  HIMAGELIST Handle() const { return FHandle.Get(); }
  // The platform list at dpi, made on first use; it lives until the images change.
  HIMAGELIST HandleAt(int dpi) const;

 private:
  // What AddMasked was given, kept for the lists at other DPIs.
  struct TStrip {
    std::unique_ptr<TBitmap> Pixels;
    TColor Mask;
  };
  int FWidth;
  int FHeight;
  TImageListHandle FHandle;
  std::vector<TStrip> FStrips;
  mutable std::map<int, TImageListHandle> FScaled;
};
