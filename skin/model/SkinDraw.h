// How skin images reach the screen: nine-slice elements, three-slice bars,
// single frames of multi-frame images, copies that leave the skin's
// transparent colour out, and wide text.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/model/SkinGeometry.h"
#include "toolkit/graphics/Graphics.h"

// Frame `frame` (1-based) of image drawn as a nine-slice into a new 24-bit
// bitmap of target's size: corners kept, edges stretched along their length,
// the centre stretched or tiled. A target without area gives an empty bitmap;
// an empty image leaves the new bitmap black.
std::unique_ptr<TBitmap> RenderElement(const RECT& target, TBitmap& image, const TMargins& margins,
                                       bool verticalFrames, bool tile, int frameCount, int frame);

// The eight border pieces of the nine-slice, stretched into dest on dc; the centre is left alone.
void DrawElementBorder(HDC dc, const RECT& dest, TBitmap& image, const TMargins& margins, bool verticalFrames,
                       int frameCount, int frame);

// A horizontal three-slice: the left and right margins' columns at their
// width, the middle repeated between them, all scaled to dest's height.
void DrawThreeSlice(TCanvas& canvas, const RECT& dest, TBitmap& image, bool verticalFrames, bool transparent,
                    int frameCount, int frame, const TMargins& margins);

// One of frameCount side-by-side frames stretched to dest.
void DrawFrameImage(HDC dc, const RECT& dest, TBitmap& image, bool transparent, int frameCount, int frame);

// Copies bitmap to dest's top-left corner, unscaled and cut to dest; pixels of
// the key colour leave the destination as it was.
void DrawTransparent(HDC dc, const RECT& dest, TBitmap& bitmap, COLORREF key);

// DrawTextW on the whole string; the result is DrawTextW's (the text height).
int DrawWideText(HDC dc, const std::wstring& text, RECT& rect, UINT format);
