// The border pieces of one skinned frame as last rendered, one for each side
// in each activation state, kept between paints: a piece is rendered again
// only when its size or what it is drawn from (another skin, another DPI)
// changed. The pieces of a frame never outnumber its sides times two.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "toolkit/graphics/Graphics.h"

// What a piece is drawn from: the element, and the skin's load it belongs to.
struct TPieceSource {
  const void* Element = nullptr;
  uint64_t SkinLoad = 0;
  bool operator==(const TPieceSource&) const = default;
};

class TRenderedPieces {
 public:
  using TRender = std::function<std::unique_ptr<TBitmap>()>;
  // The piece of side (0 to 3) for active at width × height from source,
  // made by render when it is not the one kept.
  TBitmap& Piece(int side, bool active, int width, int height, const TPieceSource& source, const TRender& render);
  void Clear();

 private:
  struct TEntry {
    int Width = 0, Height = 0;
    TPieceSource Source;
    std::unique_ptr<TBitmap> Bitmap;
  };
  std::array<TEntry, 8> FEntries;
};
