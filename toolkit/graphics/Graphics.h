// Colours, fonts, brushes, pens, the canvas over a device context, and
// bitmaps: the drawing objects of controls and, later, of the skin engine.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/core/Method.h"
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
  // Negative: the character height in pixels at 96 DPI, as the layouts give it.
  int Height() const { return FHeight; }
  void SetHeight(int height);
  // The DPI the font is drawn at: its handle's height is Height taken there.
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int dpi);
  int PixelHeight() const;
  // Drawing's business only: the handle stays when just the colour changes.
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  unsigned Style() const { return FStyle; }
  void SetStyle(unsigned style);
  void Assign(const TFont& source);
  // Takes name, height and style of a platform font (the screen's menu font),
  // whose height is in pixels at this font's DPI.
  void AssignHandle(HFONT font);

  // Created on first use, remade after a change of name, height or style.
  HFONT Handle();
  // Raised after every change, the colour's too.
  void SetOnChange(const TMethod<>& handler) { FOnChange = handler; }

 private:
  void Changed(bool shape);

  std::wstring FName = L"宋体";
  int FHeight = -12;
  int FPixelsPerInch = 96;
  TColor FColor = clWindowText;
  unsigned FStyle = 0;
  TFontHandle FHandle;
  TMethod<> FOnChange;
};

// A clear brush fills nothing: shapes drawn with it are hollow.
enum TBrushStyle { bsSolid, bsClear };

class TBrush {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style) { FStyle = style; }
  // A clear brush has none.
  HBRUSH Handle();

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
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

// Drawing on a device context. Each call selects the canvas's font, brush or
// pen only for itself, so the context is never left holding one of them.
class TCanvas {
 public:
  explicit TCanvas(HDC dc = nullptr) : FHandle(dc) {}
  virtual ~TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle();
  void SetHandle(HDC dc);

  TFont& Font() { return FFont; }
  TBrush& Brush() { return FBrush; }
  TPen& Pen() { return FPen; }
  // How StretchDraw and other stretching on this canvas's context scale
  // (COLORONCOLOR, HALFTONE...); kept by contexts the canvas makes anew. 0: the context's own.
  int StretchMode() const { return FStretchMode; }
  void SetStretchMode(int mode);

  // With the brush; a clear brush draws nothing.
  void FillRect(const RECT& rect);
  // A one-pixel frame with the brush.
  void FrameRect(const RECT& rect);
  // Outlined with the pen, filled with the brush (hollow with a clear one).
  void RoundRect(const RECT& rect, int cornerWidth, int cornerHeight);
  void Line(int x1, int y1, int x2, int y2);
  // DrawText with the canvas's font; DT_CALCRECT updates rect. The background
  // stays as it is unless opaque is asked for: then it is the brush's colour.
  void DrawText(const std::wstring& text, RECT& rect, UINT format, bool opaque = false);
  // The size of one line of text in the canvas's font.
  SIZE TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, TBitmap& bitmap);
  // The whole bitmap scaled into rect, with the canvas's stretch mode.
  void StretchDraw(const RECT& rect, TBitmap& bitmap);

 protected:
  // A canvas that makes its own context makes it here, when first needed.
  virtual void CreateHandle() {}

 private:
  HDC FHandle;
  int FStretchMode = 0;
  TFont FFont;
  TBrush FBrush;
  TPen FPen;
};

enum TPixelFormat { pf24bit = 24, pf32bit = 32 };

class TBitmapCanvas;

// A device-independent bitmap with a GDI handle, rows reachable as scan lines.
// Its canvas makes a memory context when drawing needs one; the contexts of
// all bitmaps are freed whenever the application's message loop goes idle,
// so a bitmap does not hold one for its whole life.
class TBitmap {
 public:
  TBitmap();
  ~TBitmap();
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
  TCanvas& Canvas();

 private:
  // Takes a new DIB section (or none) in place of the old one; the canvas
  // stays valid and draws into the new bitmap.
  void ReplaceHandle(HBITMAP bitmap, uint8_t* bits, int width, int height, TPixelFormat format);

  TBitmapHandle FHandle;
  uint8_t* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  int FStride = 0;
  TPixelFormat FPixelFormat = pf24bit;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

// Frees the memory contexts of every bitmap canvas; the next drawing makes
// them again. The application runs it whenever its message loop goes idle.
void FreeBitmapContexts();
