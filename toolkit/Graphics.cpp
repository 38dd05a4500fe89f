#include "toolkit/Graphics.h"

#include <map>

#include "toolkit/Exception.h"
#include "toolkit/LayoutValue.h"

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
  Changed();
}

void TFont::SetHeight(int height) {
  FHeight = height;
  Changed();
}

void TFont::SetColor(TColor color) {
  FColor = color;
  Changed();
}

void TFont::SetStyle(unsigned style) {
  FStyle = style;
  Changed();
}

void TFont::Assign(const TFont& source) {
  FName = source.FName;
  FHeight = source.FHeight;
  FColor = source.FColor;
  FStyle = source.FStyle;
  Changed();
}

void TFont::AssignHandle(HFONT font) {
  LOGFONTW log{};
  if (!GetObjectW(font, sizeof(log), &log)) return;
  FName = log.lfFaceName;
  FHeight = log.lfHeight;
  FStyle = (log.lfWeight >= FW_BOLD ? fsBold : 0u) | (log.lfItalic ? fsItalic : 0u) |
           (log.lfUnderline ? fsUnderline : 0u) | (log.lfStrikeOut ? fsStrikeOut : 0u);
  Changed();
}

void TFont::Changed() {
  FHandle.Reset();
  if (FOnChange) FOnChange();
}

HFONT TFont::Handle() {
  if (!FHandle) {
    LOGFONTW font{};
    font.lfHeight = FHeight;
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

void TCanvas::FillRect(const RECT& rect) { ::FillRect(FHandle, &rect, FBrush.Handle()); }

void TCanvas::Line(int x1, int y1, int x2, int y2) {
  TSelectObject pen(FHandle, FPen.Handle());
  MoveToEx(FHandle, x1, y1, nullptr);
  LineTo(FHandle, x2, y2);
}

void TCanvas::DrawText(const std::wstring& text, RECT& rect, UINT format) {
  TSelectObject font(FHandle, FFont.Handle());
  int mode = SetBkMode(FHandle, TRANSPARENT);
  COLORREF color = SetTextColor(FHandle, ColorToRGB(FFont.Color()));
  ::DrawTextW(FHandle, text.c_str(), static_cast<int>(text.size()), &rect, format);
  SetTextColor(FHandle, color);
  SetBkMode(FHandle, mode);
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  TMemoryDCHandle source(CreateCompatibleDC(FHandle));
  TSelectObject held(source.Get(), bitmap.Handle());
  BitBlt(FHandle, x, y, bitmap.Width(), bitmap.Height(), source.Get(), 0, 0, SRCCOPY);
}

void TBitmap::SetSize(int width, int height, TPixelFormat format) {
  ReleaseCanvas();
  FHandle.Reset();
  FBits = nullptr;
  FWidth = FHeight = FStride = 0;
  FPixelFormat = format;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, so row 0 is the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(format);
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) throw Exception(L"Out of system resources");
  FHandle.Reset(bitmap);
  FBits = static_cast<uint8_t*>(bits);
  FWidth = width;
  FHeight = height;
  FStride = ((width * format + 31) / 32) * 4;
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
  if (!FCanvas) {
    FCanvasDC.Reset(CreateCompatibleDC(nullptr));
    FCanvasPrevious = SelectObject(FCanvasDC.Get(), FHandle.Get());
    FCanvas = std::make_unique<TCanvas>(FCanvasDC.Get());
  }
  return *FCanvas;
}

void TBitmap::ReleaseCanvas() {
  if (!FCanvas) return;
  SelectObject(FCanvasDC.Get(), FCanvasPrevious);
  FCanvas.reset();
  FCanvasDC.Reset();
}
