// Colours, fonts, brushes, pens, the canvas over a device context, and
// bitmaps: the drawing objects of controls and, later, of the skin engine.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "toolkit/platform/OwnedHandle.h"

// An RGB value (0x00BBGGRR) or a system colour: clSystemColor | COLOR_xxx index.
using TColor = int32_t;
constexpr uint32_t clSystemColor = 0xFF000000;
constexpr TColor SystemColor(int index) { return TColor(clSystemColor | uint32_t(index)); }
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);

COLORREF ColorToRGB(TColor color);
// A colour's name in a layout ("clBtnFace"); EPropertyError for an unknown one.
TColor ColorFromName(const std::wstring& name);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont {
 public:
  const std::wstring& Name() const { return FName; }
  void SetName(std::wstring name);
  // Negative: the character height in pixels, as the layouts give it.
  int Height() const { return FHeight; }
  void SetHeight(int height);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  unsigned Style() const { return FStyle; }
  void SetStyle(unsigned style);
  void Assign(const TFont& source);
  // Takes name, height and style of a platform font (the screen's menu font).
  void AssignHandle(HFONT font);

  // Created on first use, remade after a change.
  HFONT Handle();
  void SetOnChange(std::function<void()> handler) { FOnChange = std::move(handler); }

 private:
  void Changed();

  std::wstring FName = L"宋体";
  int FHeight = -12;
  TColor FColor = clWindowText;
  unsigned FStyle = 0;
  TFontHandle FHandle;
  std::function<void()> FOnChange;
};

class TBrush {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  HBRUSH Handle();

 private:
  TColor FColor = clWhite;
  TBrushHandle FHandle;
};

class TPen {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  int Width() const { return FWidth; }
  void SetWidth(int width);
  HPEN Handle();

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenHandle FHandle;
};

class TBitmap;
class TStream;

// Drawing on a device context it does not own. Each call selects the
// canvas's font, brush or pen only for itself, so the context is never left
// holding one of them when the canvas goes.
class TCanvas {
 public:
  explicit TCanvas(HDC dc = nullptr) : FHandle(dc) {}
  HDC Handle() const { return FHandle; }
  void SetHandle(HDC dc) { FHandle = dc; }

  TFont& Font() { return FFont; }
  TBrush& Brush() { return FBrush; }
  TPen& Pen() { return FPen; }

  void FillRect(const RECT& rect);
  void Line(int x1, int y1, int x2, int y2);
  // DrawText with the canvas's font, transparent background; DT_CALCRECT updates rect.
  void DrawText(const std::wstring& text, RECT& rect, UINT format);
  void Draw(int x, int y, TBitmap& bitmap);

 private:
  HDC FHandle;
  TFont FFont;
  TBrush FBrush;
  TPen FPen;
};

enum TPixelFormat { pf24bit = 24, pf32bit = 32 };

// A device-independent bitmap with a GDI handle, rows reachable as scan lines.
class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  bool Empty() const { return !FHandle; }
  // Makes a new, black bitmap of this size and format.
  void SetSize(int width, int height, TPixelFormat format = pf24bit);
  // The bytes of row y, top row first (BGR or BGRA).
  uint8_t* ScanLine(int y);
  // A bitmap resource of the program (RT_BITMAP), as a 24-bit DIB.
  void LoadFromResourceName(const wchar_t* name);
  // The rest of the stream as a BMP file, as a 24-bit DIB; EInvalidGraphic if it is not one.
  void LoadFromStream(TStream& stream);
  // A copy of source's size, format and pixels; an empty source empties this one.
  void Assign(const TBitmap& source);
  // Converts the pixels in place.
  void SetPixelFormat(TPixelFormat format);
  // No handle, 0 x 0.
  void Clear();

  HBITMAP Handle() const { return FHandle.Get(); }
  // A canvas on a memory DC that holds the bitmap while the bitmap lives.
  TCanvas& Canvas();

 private:
  // Takes a new DIB section (or none) in place of the old one; a canvas that
  // exists stays valid and holds the new bitmap.
  void ReplaceHandle(HBITMAP bitmap, uint8_t* bits, int width, int height, TPixelFormat format);

  TBitmapHandle FHandle;
  uint8_t* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  int FStride = 0;
  TPixelFormat FPixelFormat = pf24bit;
  TMemoryDCHandle FCanvasDC;
  HGDIOBJ FCanvasPrevious = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
};
