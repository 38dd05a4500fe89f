#include "toolkit/graphics/ImgList.h"

#include <algorithm>
#include <cstring>

#include "toolkit/core/DisplayScale.h"
#include "toolkit/core/Exception.h"
#include "toolkit/graphics/BitmapPixels.h"

namespace {

TImageListHandle NewList(int width, int height) {
  TImageListHandle list(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4));
  if (!list) throw Exception(L"Cannot create an image list of %d x %d", {width, height});
  return list;
}

int AddStrip(HIMAGELIST list, TBitmap& bitmap, TColor maskColor) {
  // AddMasked blacks out the masked pixels of its source and needs it selected
  // nowhere, while a bitmap's canvas keeps it selected: it gets a copy of the rows.
  TBitmap copy;
  copy.SetSize(bitmap.Width(), bitmap.Height(), bitmap.PixelFormat());
  GdiFlush();
  size_t rowBytes = size_t(bitmap.Width()) * (bitmap.PixelFormat() / 8);
  for (int y = 0; y < bitmap.Height(); ++y)
    std::memcpy(copy.ScanLine(y), bitmap.ScanLine(y), rowBytes);
  int first = ImageList_AddMasked(list, copy.Handle(), ColorToRGB(maskColor));
  if (first < 0) throw Exception(L"Cannot add a bitmap to an image list");
  return first;
}

}  // namespace

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), FWidth(width), FHeight(height) {
  Clear();
}

int TImageList::Count() const { return ImageList_GetImageCount(FHandle.Get()); }

int TImageList::WidthAt(int dpi) const { return std::max(1, TDpiScale(dpi).Scale(FWidth)); }

int TImageList::HeightAt(int dpi) const { return std::max(1, TDpiScale(dpi).Scale(FHeight)); }

void TImageList::Clear() {
  FHandle = NewList(FWidth, FHeight);
  FStrips.clear();
  FScaled.clear();
}

int TImageList::AddMasked(TBitmap& bitmap, TColor maskColor) {
  if (bitmap.Empty()) throw Exception(L"Cannot add an empty bitmap to an image list");
  int first = AddStrip(FHandle.Get(), bitmap, maskColor);
  auto kept = std::make_unique<TBitmap>();
  kept->Assign(bitmap);
  FStrips.push_back({std::move(kept), maskColor});
  FScaled.clear();
  return first;
}

HIMAGELIST TImageList::HandleAt(int dpi) const {
  if (TDpiScale(dpi).IsIdentity()) return FHandle.Get();
  TImageListHandle& list = FScaled[dpi];
  if (list) return list.Get();
  const int width = WidthAt(dpi), height = HeightAt(dpi);
  TImageListHandle made = NewList(width, height);
  for (const TStrip& strip : FStrips) {
    // The images are the strip's top FHeight rows, cut FWidth wide.
    TPixelImage pixels = PixelsOf(*strip.Pixels);
    const int images = pixels.Width / FWidth;
    if (images <= 0) continue;
    if (pixels.Height > FHeight) {
      pixels.Height = FHeight;
      pixels.Bgr.resize(size_t(pixels.Width) * size_t(FHeight) * 3);
    }
    const COLORREF mask = ColorToRGB(strip.Mask);
    const TKeyColour key{GetBValue(mask), GetGValue(mask), GetRValue(mask)};
    TBitmap scaled;
    AssignPixels(scaled, ResampleFrames(pixels, images, 1, width, height, key));
    if (!scaled.Empty()) AddStrip(made.Get(), scaled, strip.Mask);
  }
  list = std::move(made);
  return list.Get();
}

void TImageList::LoadFromResourceName(const wchar_t* name, TColor maskColor) {
  TBitmap strip;
  strip.LoadFromResourceName(name);
  AddMasked(strip, maskColor);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled, int dpi) const {
  if (index < 0 || index >= Count()) return;
  HIMAGELIST list = HandleAt(dpi);
  if (enabled) {
    ImageList_Draw(list, index, canvas.Handle(), x, y, ILD_TRANSPARENT);
    return;
  }
  TIconHandle icon(ImageList_GetIcon(list, index, ILD_TRANSPARENT));
  DrawStateW(canvas.Handle(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, WidthAt(dpi),
             HeightAt(dpi), DST_ICON | DSS_DISABLED);
}
