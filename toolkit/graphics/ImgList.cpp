#include "toolkit/graphics/ImgList.h"

#include <cstring>

#include "toolkit/core/Exception.h"

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), FWidth(width), FHeight(height) {
  Clear();
}

int TImageList::Count() const { return ImageList_GetImageCount(FHandle.Get()); }

void TImageList::Clear() {
  FHandle.Reset(ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 4, 4));
  if (!FHandle) throw Exception(L"Cannot create an image list of %d x %d", {FWidth, FHeight});
}

int TImageList::AddMasked(TBitmap& bitmap, TColor maskColor) {
  if (bitmap.Empty()) throw Exception(L"Cannot add an empty bitmap to an image list");
  // AddMasked blacks out the masked pixels of its source and needs it selected
  // nowhere, while a bitmap's canvas keeps it selected: it gets a copy of the rows.
  TBitmap copy;
  copy.SetSize(bitmap.Width(), bitmap.Height(), bitmap.PixelFormat());
  GdiFlush();
  size_t rowBytes = size_t(bitmap.Width()) * (bitmap.PixelFormat() / 8);
  for (int y = 0; y < bitmap.Height(); ++y) std::memcpy(copy.ScanLine(y), bitmap.ScanLine(y), rowBytes);
  int first = ImageList_AddMasked(FHandle.Get(), copy.Handle(), ColorToRGB(maskColor));
  if (first < 0) throw Exception(L"Cannot add a bitmap to an image list");
  return first;
}

void TImageList::LoadFromResourceName(const wchar_t* name, TColor maskColor) {
  TBitmap strip;
  strip.LoadFromResourceName(name);
  AddMasked(strip, maskColor);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  if (enabled) {
    ImageList_Draw(FHandle.Get(), index, canvas.Handle(), x, y, ILD_TRANSPARENT);
    return;
  }
  TIconHandle icon(ImageList_GetIcon(FHandle.Get(), index, ILD_TRANSPARENT));
  DrawStateW(canvas.Handle(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, FWidth, FHeight,
             DST_ICON | DSS_DISABLED);
}
