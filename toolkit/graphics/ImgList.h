// A list of equally sized images with a transparent colour, drawn by index:
// the glyphs of menu items and of the skinned system menu.
#pragma once

#include "toolkit/core/Component.h"
#include "toolkit/graphics/Graphics.h"

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner, int width = 16, int height = 16);
  std::wstring ClassName() const override { return L"TImageList"; }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Count() const;
  // Cuts bitmap into images of the list's size, left to right; pixels of
  // maskColor become transparent. Returns the index of the first new image.
  int AddMasked(TBitmap& bitmap, TColor maskColor);
  // A strip of images from the program's bitmap resources.
  void LoadFromResourceName(const wchar_t* name, TColor maskColor);
  void Clear();
  // A disabled image is drawn embossed, as the platform greys its own.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
  HIMAGELIST Handle() const { return FHandle.Get(); }

 private:
  int FWidth;
  int FHeight;
  TImageListHandle FHandle;
};
