#include "skin/engine/RenderedPieces.h"

TBitmap& TRenderedPieces::Piece(int side, bool active, int width, int height, const TPieceSource& source,
                                const TRender& render) {
  TEntry& entry = FEntries[size_t((side & 3) * 2 + (active ? 1 : 0))];
  if (!entry.Bitmap || entry.Width != width || entry.Height != height || !(entry.Source == source)) {
    entry.Bitmap.reset();  // the old piece goes before the new one is made
    entry.Bitmap = render();
    if (!entry.Bitmap) entry.Bitmap = std::make_unique<TBitmap>();
    entry.Width = width, entry.Height = height, entry.Source = source;
  }
  return *entry.Bitmap;
}

void TRenderedPieces::Clear() {
  for (TEntry& entry : FEntries) entry = {};
}
