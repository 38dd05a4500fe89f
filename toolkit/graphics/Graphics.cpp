#include "toolkit/graphics/Graphics.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "toolkit/core/BmpFile.h"
#include "toolkit/core/DisplayScale.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/LayoutValue.h"
#include "toolkit/core/Stream.h"
#include "toolkit/platform/Application.h"

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color);
}

TColor ColorFromName(const std::wstring& name) {
  static const std::map<std::wstring, TColor> kNames = {
      {L"clBlack", clBlack},     {L"clWhite", clWhite},           {L"clBlue", clBlue},
      {L"clFuchsia", clFuchsia}, {L"clBtnFace", clBtnFace},       {L"clWindow", clWindow},
      {L"clWindowText", clWindowText}, {L"clHotLight", clHotLight}};
  auto found = kNames.find(name);
  if (found == kNames.end()) throw EPropertyError(L"Invalid property value");
  return found->second;
}

void TFont::SetName(std::wstring name) {
  FName = std::move(name);
  Changed(true);
}

void TFont::SetHeight(int height) {
  FHeight = height;
  Changed(true);
}

void TFont::SetPixelsPerInch(int dpi) {
  dpi = TDpiScale(dpi).Dpi();
  if (dpi == FPixelsPerInch) return;
  FPixelsPerInch = dpi;
  Changed(true);
}

int TFont::PixelHeight() const { return TDpiScale(FPixelsPerInch).Scale(FHeight); }

void TFont::SetColor(TColor color) {
  FColor = color;
  Changed(false);
}

void TFont::SetStyle(unsigned style) {
  FStyle = style;
  Changed(true);
}

void TFont::Assign(const TFont& source) {
  bool shape = FName != source.FName || FHeight != source.FHeight || FStyle != source.FStyle ||
               FPixelsPerInch != source.FPixelsPerInch;
  FName = source.FName;
  FHeight = source.FHeight;
  FPixelsPerInch = source.FPixelsPerInch;
  FColor = source.FColor;
  FStyle = source.FStyle;
  Changed(shape);
}

void TFont::AssignHandle(HFONT font) {
  LOGFONTW log{};
  if (!GetObjectW(font, sizeof(log), &log)) return;
  FName = log.lfFaceName;
  FHeight = TDpiScale(FPixelsPerInch).Unscale(log.lfHeight);
  FStyle = (log.lfWeight >= FW_BOLD ? fsBold : 0u) | (log.lfItalic ? fsItalic : 0u) |
           (log.lfUnderline ? fsUnderline : 0u) | (log.lfStrikeOut ? fsStrikeOut : 0u);
  Changed(true);
}

// shape: name, height or style changed, so the platform font is made anew.
void TFont::Changed(bool shape) {
  if (shape) FHandle.Reset();
  if (FOnChange) FOnChange();
}

HFONT TFont::Handle() {
  if (!FHandle) {
    LOGFONTW font{};
    font.lfHeight = PixelHeight();
    font.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (FStyle & fsItalic) != 0;
    font.lfUnderline = (FStyle & fsUnderline) != 0;
    font.lfStrikeOut = (FStyle & fsStrikeOut) != 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    FName.copy(font.lfFaceName, LF_FACESIZE - 1);
    FHandle.Reset(CreateFontIndirectW(&font));
  }
  return FHandle.Get();
}

void TBrush::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  FHandle.Reset();
}

HBRUSH TBrush::Handle() {
  if (FStyle == bsClear) return nullptr;
  if (!FHandle) FHandle.Reset(CreateSolidBrush(ColorToRGB(FColor)));
  return FHandle.Get();
}

void TPen::SetColor(TColor color) {
  FColor = color;
  FHandle.Reset();
}

void TPen::SetWidth(int width) {
  FWidth = width;
  FHandle.Reset();
}

HPEN TPen::Handle() {
  if (!FHandle) FHandle.Reset(CreatePen(PS_SOLID, FWidth, ColorToRGB(FColor)));
  return FHandle.Get();
}

HDC TCanvas::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
  FHandle = dc;
  if (FHandle && FStretchMode) SetStretchBltMode(FHandle, FStretchMode);
}

void TCanvas::SetStretchMode(int mode) {
  FStretchMode = mode;
  if (FHandle && mode) SetStretchBltMode(FHandle, mode);
}

void TCanvas::FillRect(const RECT& rect) {
  if (HBRUSH brush = FBrush.Handle()) ::FillRect(Handle(), &rect, brush);
}

void TCanvas::FrameRect(const RECT& rect) {
  if (HBRUSH brush = FBrush.Handle()) ::FrameRect(Handle(), &rect, brush);
}

void TCanvas::RoundRect(const RECT& rect, int cornerWidth, int cornerHeight) {
  HBRUSH brush = FBrush.Handle();
  TSelectObject pen(Handle(), FPen.Handle());
  TSelectObject fill(Handle(), brush ? static_cast<HGDIOBJ>(brush) : GetStockObject(NULL_BRUSH));
  ::RoundRect(Handle(), rect.left, rect.top, rect.right, rect.bottom, cornerWidth, cornerHeight);
}

void TCanvas::Line(int x1, int y1, int x2, int y2) {
  TSelectObject pen(Handle(), FPen.Handle());
  MoveToEx(Handle(), x1, y1, nullptr);
  LineTo(Handle(), x2, y2);
}

void TCanvas::DrawText(const std::wstring& text, RECT& rect, UINT format, bool opaque) {
  HDC dc = Handle();
  TSelectObject font(dc, FFont.Handle());
  int mode = SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
  COLORREF background = SetBkColor(dc, ColorToRGB(FBrush.Color()));
  COLORREF color = SetTextColor(dc, ColorToRGB(FFont.Color()));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  SetTextColor(dc, color);
  SetBkColor(dc, background);
  SetBkMode(dc, mode);
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
  HDC dc = Handle();
  TSelectObject font(dc, FFont.Handle());
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  BitBlt(Handle(), x, y, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT& rect, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  StretchBlt(Handle(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bitmap.Canvas().Handle(),
             0, 0, bitmap.Width(), bitmap.Height(), SRCCOPY);
}

// A bitmap's canvas: a memory context holding the bitmap, made when drawing
// needs it and freed when the message loop goes idle (FreeBitmapContexts).
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : FBitmap(bitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  // The bitmap's handle changed: the context, if there is one, holds the new one.
  void BitmapChanged() {
    if (!FContext) return;
    SelectObject(FContext.Get(), FBitmap.Handle() ? static_cast<HGDIOBJ>(FBitmap.Handle()) : FOriginal);
  }
  void FreeContext() {
    if (!FContext) return;
    SelectObject(FContext.Get(), FOriginal);
    SetHandle(nullptr);
    FContext.Reset();
    auto& live = Live();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
  }
  // Never destroyed: bitmaps that the application object frees at the
  // program's end still leave it.
  static std::vector<TBitmapCanvas*>& Live() {
    static auto& canvases = *new std::vector<TBitmapCanvas*>;
    return canvases;
  }

 protected:
  void CreateHandle() override {
    static bool idleStepAdded = (Application.AddIdleStep(&FreeBitmapContexts), true);
    (void)idleStepAdded;
    FContext.Reset(CreateCompatibleDC(nullptr));
    if (!FContext) throw Exception(L"Out of system resources");
    FOriginal = GetCurrentObject(FContext.Get(), OBJ_BITMAP);
    Live().push_back(this);
    SetHandle(FContext.Get());
    BitmapChanged();
  }

 private:
  TBitmap& FBitmap;
  TMemoryDCHandle FContext;
  HGDIOBJ FOriginal = nullptr;
};

void FreeBitmapContexts() {
  std::vector<TBitmapCanvas*> live = TBitmapCanvas::Live();
  for (TBitmapCanvas* canvas : live) canvas->FreeContext();
}

namespace {

// A top-down DIB section, so that row 0 is the top.
HBITMAP CreateDib(int width, int height, TPixelFormat format, uint8_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(format);
  info.bmiHeader.biCompression = BI_RGB;
  void* raw = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
  if (!bitmap) throw Exception(L"Out of system resources");
  *bits = static_cast<uint8_t*>(raw);
  return bitmap;
}

int StrideOf(int width, TPixelFormat format) { return ((width * format + 31) / 32) * 4; }

}  // namespace

void TBitmap::SetSize(int width, int height, TPixelFormat format) {
  if (width <= 0 || height <= 0) {
    ReplaceHandle(nullptr, nullptr, 0, 0, format);
    return;
  }
  uint8_t* bits = nullptr;
  HBITMAP bitmap = CreateDib(width, height, format, &bits);
  ReplaceHandle(bitmap, bits, width, height, format);
}

void TBitmap::Clear() { ReplaceHandle(nullptr, nullptr, 0, 0, FPixelFormat); }

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

void TBitmap::ReplaceHandle(HBITMAP bitmap, uint8_t* bits, int width, int height, TPixelFormat format) {
  // The old bitmap leaves the canvas first: one still selected cannot be deleted.
  TBitmapHandle old(FHandle.Detach());
  FHandle.Reset(bitmap);
  if (FCanvas) FCanvas->BitmapChanged();
  old.Reset();
  FBits = bits;
  FWidth = bitmap ? width : 0;
  FHeight = bitmap ? height : 0;
  FStride = bitmap ? StrideOf(width, format) : 0;
  FPixelFormat = format;
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  if (source.Empty()) {
    Clear();
    return;
  }
  SetSize(source.FWidth, source.FHeight, source.FPixelFormat);
  GdiFlush();
  std::memcpy(FBits, source.FBits, static_cast<size_t>(FStride) * FHeight);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == FPixelFormat) return;
  if (Empty()) {
    FPixelFormat = format;
    return;
  }
  uint8_t* bits = nullptr;
  HBITMAP converted = CreateDib(FWidth, FHeight, format, &bits);
  GdiFlush();
  const int fromBytes = FPixelFormat / 8, toBytes = format / 8, toStride = StrideOf(FWidth, format);
  for (int y = 0; y < FHeight; ++y) {
    const uint8_t* from = FBits + static_cast<size_t>(y) * FStride;
    uint8_t* to = bits + static_cast<size_t>(y) * toStride;
    for (int x = 0; x < FWidth; ++x, from += fromBytes, to += toBytes) std::memcpy(to, from, 3);
  }
  ReplaceHandle(converted, bits, FWidth, FHeight, format);
}

void TBitmap::LoadFromStream(TStream& stream) {
  int32_t count = stream.Size() - stream.Position();
  std::vector<uint8_t> bytes(static_cast<size_t>(count > 0 ? count : 0));
  if (!bytes.empty()) stream.ReadBuffer(bytes.data(), count);
  TDecodedBmp decoded = DecodeBmp(bytes.data(), bytes.size());
  SetSize(decoded.Width, decoded.Height, pf24bit);
  GdiFlush();
  const size_t rowBytes = static_cast<size_t>(decoded.Width) * 3;
  for (int y = 0; y < decoded.Height; ++y)
    std::memcpy(FBits + static_cast<size_t>(y) * FStride, decoded.Pixels.data() + y * rowBytes, rowBytes);
}

uint8_t* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= FHeight) throw EListError(y);
  GdiFlush();
  return FBits + static_cast<size_t>(y) * FStride;
}

void TBitmap::LoadFromResourceName(const wchar_t* name) {
  HANDLE loaded = LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!loaded) throw Exception(L"Resource %s not found", {name});
  TBitmapHandle source(static_cast<HBITMAP>(loaded));
  BITMAP header{};
  GetObjectW(source.Get(), sizeof(header), &header);
  SetSize(header.bmWidth, header.bmHeight, pf24bit);
  TMemoryDCHandle sourceDC(CreateCompatibleDC(nullptr));
  TSelectObject held(sourceDC.Get(), source.Get());
  BitBlt(Canvas().Handle(), 0, 0, FWidth, FHeight, sourceDC.Get(), 0, 0, SRCCOPY);
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
  return *FCanvas;
}
