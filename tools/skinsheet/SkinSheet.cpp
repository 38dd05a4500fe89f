// skinsheet PACKAGE BMP: draws every element of a skin package, every frame,
// through the engine's own drawing routines, at its natural size and
// stretched, labelled, into one picture. Transparent pixels show the
// checkerboard behind them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "skin/model/SkinData.h"
#include "skin/model/SkinDraw.h"
#include "skin/package/SkinReader.h"
#include "toolkit/core/Utf8.h"
#include "toolkit/platform/FileStream.h"

namespace {

constexpr int kSheetWidth = 1280;
constexpr int kPad = 8;
constexpr int kLabelHeight = 16;

enum TStretchKind { skNineSlice, skThreeSlice, skFrame };

struct TSheetItem {
  std::wstring Label;
  TBitmap* Image;
  int Frames;
  bool Vertical;
  TMargins Margins;
  bool Trans;
  bool Tile;
  TStretchKind Kind;
  SIZE Stretched;
};

// Places items left to right, wrapping at the sheet's width.
class TSheet {
 public:
  explicit TSheet(int height) { Picture.SetSize(kSheetWidth, height); }

  void Fill() {
    TCanvas& canvas = Picture.Canvas();
    canvas.Brush().SetColor(RGB(250, 250, 250));
    RECT all{0, 0, Picture.Width(), Picture.Height()};
    canvas.FillRect(all);
    canvas.Font().SetName(L"Tahoma");
    canvas.Font().SetHeight(-11);
  }

  void Heading(const std::wstring& text) {
    NewLine();
    RECT rect{kPad, Y, kSheetWidth - kPad, Y + 20};
    Picture.Canvas().Font().SetStyle(fsBold);
    Picture.Canvas().DrawText(text, rect, DT_LEFT | DT_SINGLELINE);
    Picture.Canvas().Font().SetStyle(0);
    Y += 22;
  }

  void Add(const TSheetItem& item) {
    if (item.Image == nullptr || item.Image->Empty()) return;
    SIZE frame = FrameSize(item);
    int cellWidth = std::max<int>(frame.cx + kPad + item.Stretched.cx, 120);
    int cellHeight = kLabelHeight + std::max<int>(frame.cy, item.Stretched.cy);
    if (X + cellWidth > kSheetWidth - kPad) NewLine();
    for (int k = 1; k <= item.Frames; ++k) {
      if (X + cellWidth > kSheetWidth - kPad) NewLine();
      std::wstring label = item.Label + L" " + std::to_wstring(k) + L"/" + std::to_wstring(item.Frames);
      RECT text{X, Y, X + cellWidth, Y + kLabelHeight};
      Picture.Canvas().DrawText(label, text, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
      int top = Y + kLabelHeight;
      Draw(item, k, RECT{X, top, X + frame.cx, top + frame.cy}, skNineSlice);
      int sx = X + frame.cx + kPad;
      Draw(item, k, RECT{sx, top, sx + item.Stretched.cx, top + item.Stretched.cy}, item.Kind);
      X += cellWidth + 2 * kPad;
      RowHeight = std::max(RowHeight, cellHeight);
    }
  }

  int UsedHeight() {
    NewLine();
    return Y;
  }
  TBitmap Picture;

 private:
  static SIZE FrameSize(const TSheetItem& item) {
    TSkinRect frame = FrameRect(item.Image->Width(), item.Image->Height(), item.Vertical, item.Frames, 1);
    return SIZE{frame.Width(), frame.Height()};
  }

  // Mid greys, so that both light glyphs and dark frames stand out: the light
  // ground first, then every other 4-pixel cell dark, each colour's brush made once.
  void Checkerboard(const RECT& rect) {
    TCanvas& canvas = Picture.Canvas();
    canvas.Brush().SetColor(RGB(168, 176, 186));
    canvas.FillRect(rect);
    canvas.Brush().SetColor(RGB(128, 136, 146));
    for (int y = rect.top; y < rect.bottom; y += 4)
      for (int x = rect.left + ((y - rect.top) / 4 % 2 == 0 ? 4 : 0); x < rect.right; x += 8) {
        RECT cell{x, y, std::min<int>(x + 4, rect.right), std::min<int>(y + 4, rect.bottom)};
        canvas.FillRect(cell);
      }
  }

  void Draw(const TSheetItem& item, int frame, const RECT& rect, TStretchKind kind) {
    Checkerboard(rect);
    HDC dc = Picture.Canvas().Handle();
    switch (kind) {
      case skNineSlice: {
        auto rendered = RenderElement(rect, *item.Image, item.Margins, item.Vertical, item.Tile, item.Frames, frame);
        RECT at = rect;
        if (item.Trans)
          DrawTransparent(dc, at, *rendered, kSkinTransparent);
        else
          BitBlt(dc, rect.left, rect.top, rendered->Width(), rendered->Height(), rendered->Canvas().Handle(), 0, 0,
                 SRCCOPY);
        break;
      }
      case skThreeSlice:
        DrawThreeSlice(Picture.Canvas(), rect, *item.Image, item.Vertical, item.Trans, item.Frames, frame,
                       item.Margins);
        break;
      case skFrame:
        DrawFrameImage(dc, rect, *item.Image, item.Trans, item.Frames, frame);
        break;
    }
  }

  void NewLine() {
    if (RowHeight > 0) Y += RowHeight + kPad;
    X = kPad;
    RowHeight = 0;
  }

  int X = kPad;
  int Y = kPad;
  int RowHeight = 0;
};

TMargins MarginsOf(const TDataSkinObject& element) {
  return TMargins{element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
}

TSheetItem Standard(TDataSkinObject& element, SIZE stretched = {120, 40}) {
  return {element.Name, &element.Image, element.FrameCount, false, MarginsOf(element),
          element.Trans == 1, element.Tile == 1, skNineSlice, stretched};
}

TSheetItem Whole(const std::wstring& label, TBitmap& image, int frames, SIZE stretched, bool trans = true) {
  return {label, &image, std::max(frames, 1), false, {}, trans, false, skFrame, stretched};
}

void AddElements(TSheet& sheet, TSkinData& skin) {
  sheet.Heading(L"Skin \"" + skin.SkinName + L"\": frame borders and title");
  for (TDataSkinBorder* border : {&skin.LeftBorder, &skin.RightBorder})
    sheet.Add({border->Name, &border->Image, border->FrameCount, false, MarginsOf(*border), border->Trans == 1,
               border->Tile != 1,
               skNineSlice, {border->Image.Width() / std::max(border->FrameCount, 1), 160}});
  for (TDataSkinBorder* border : {&skin.TopBorder, &skin.BottomBorder})
    sheet.Add({border->Name, &border->Image, border->FrameCount, true, MarginsOf(*border), border->Trans == 1,
               border->Tile != 1,
               skNineSlice, {360, border->Image.Height() / std::max(border->FrameCount, 1)}});
  TDataSkinTitle& title = skin.Title;
  sheet.Add({L"Title TextBack", &title.Image, 2, true, {title.TXTBackleft, 0, title.TXTBackRight, 0}, true, false,
             skThreeSlice, {240, title.Image.Height() / 2}});
  if (skin.MenuBar) {
    TDataSkinObject& bar = *skin.MenuBar;
    sheet.Add({L"Menu bar", &bar.Image, 2, true, {bar.LeftWidth, 0, bar.RightWidth, 0}, false, false,
               bar.Tile == 1 ? skNineSlice : skThreeSlice, {360, bar.Image.Height() / 2}});
  }

  sheet.Heading(L"Title buttons");
  for (auto& button : skin.TitleButtons) {
    TSkinRect frame = FrameRect(button->Image.Width(), button->Image.Height(), false, button->FrameCount, 1);
    sheet.Add(Whole(button->Name + L" action " + std::to_wstring(button->Action), button->Image, button->FrameCount,
                    {frame.Width() * 2, frame.Height() * 2}));
  }

  sheet.Heading(L"Buttons and glyphs");
  sheet.Add(Standard(skin.Buttons, {140, 44}));
  TSkinRect check = FrameRect(skin.Buttons.CheckButton.Width(), skin.Buttons.CheckButton.Height(), false,
                              skin.Buttons.CheckButtonFrame, 1);
  sheet.Add(Whole(L"CheckButton", skin.Buttons.CheckButton, skin.Buttons.CheckButtonFrame,
                  {check.Width() * 2, check.Height() * 2}));
  TSkinRect radio = FrameRect(skin.Buttons.RadioButton.Width(), skin.Buttons.RadioButton.Height(), false,
                              skin.Buttons.RadioButtonFrame, 1);
  sheet.Add(Whole(L"RadioButton", skin.Buttons.RadioButton, skin.Buttons.RadioButtonFrame,
                  {radio.Width() * 2, radio.Height() * 2}));

  sheet.Heading(L"Controls");
  for (TDataSkinObject* element :
       {static_cast<TDataSkinObject*>(skin.GroupBox.get()), skin.GroupBoxEdge.get(), skin.Toolbars.get(), skin.StatusBarEdges.get(),
        skin.SunkEdge.get(), skin.Headerbar.get(), static_cast<TDataSkinObject*>(skin.Tabs.get()),
        static_cast<TDataSkinObject*>(skin.Progress.get()), static_cast<TDataSkinObject*>(skin.ComboButton.get())})
    if (element) sheet.Add(Standard(*element));
  for (TDataSkinBorder* element : {skin.Tabs.get(), skin.Progress.get(), skin.ComboButton.get()})
    if (element) {
      TSkinRect second = FrameRect(element->SecondImage.Width(), element->SecondImage.Height(), false,
                                   element == skin.ComboButton.get() ? 4 : 1, 1);
      sheet.Add(Whole(element->Name + L" second", element->SecondImage, element == skin.ComboButton.get() ? 4 : 1,
                      {second.Width() * 3, second.Height() * 2}));
    }
  for (TDataSkinBorder* element : {skin.UpDownHorz.get(), skin.UpDownVert.get()})
    if (element) {
      sheet.Add(Standard(*element, {48, 36}));
      sheet.Add(Whole(element->Name + L" glyphs", element->SecondImage, 1,
                      {element->SecondImage.Width() * 2, element->SecondImage.Height() * 2}));
    }
  for (TDataSkinObject* element :
       {skin.TrackbarThumbHorz.get(), skin.TrackbarThumbVert.get(), skin.TrackbarThumbLeft.get(),
        skin.TrackbarThumbRight.get(), skin.TrackbarThumbUp.get(), skin.TrackbarThumbDown.get(),
        skin.ExtraImages.get()})
    if (element) sheet.Add(Standard(*element, {element->Image.Width() / element->FrameCount * 2,
                                               element->Image.Height() * 2}));

  sheet.Heading(L"Menus and scroll bars");
  for (TDataSkinObject* element : {skin.MenuItem.get(), skin.MenuBackground.get()})
    if (element) sheet.Add(Standard(*element, {160, 40}));
  if (skin.Scrollbar)
    sheet.Add(Standard(*skin.Scrollbar, {skin.Scrollbar->Image.Width() / 23 * 2, skin.Scrollbar->Image.Height() * 2}));
  for (TDataSkinObject* element : {skin.HorzScroll.get(), skin.HorzScrollThumb.get()})
    if (element) sheet.Add(Standard(*element, {120, element->Image.Height()}));
  for (TDataSkinObject* element : {skin.VertScroll.get(), skin.VertScrollThumb.get()})
    if (element) sheet.Add(Standard(*element, {element->Image.Width() / element->FrameCount, 90}));
}

void SaveBmp(TBitmap& picture, int height, const std::wstring& path) {
  int stride = (picture.Width() * 3 + 3) & ~3;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = picture.Width();
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = DWORD(stride * height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + info.biSizeImage;
  TFileStream out(path, fmCreate);
  out.WriteBuffer(&file, sizeof(file));
  out.WriteBuffer(&info, sizeof(info));
  std::vector<uint8_t> row(size_t(stride), 0);
  GdiFlush();
  for (int y = height - 1; y >= 0; --y) {
    std::copy_n(picture.ScanLine(y), picture.Width() * 3, row.begin());
    out.WriteBuffer(row.data(), stride);
  }
}

std::vector<uint8_t> FileBytes(const std::wstring& path) {
  TFileStream in(path, fmOpenRead);
  std::vector<uint8_t> bytes(size_t(in.Size()));
  in.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  return bytes;
}

// The reader's own reason, which the skin data component does not pass on.
void RefuseUnreadablePackage(TMemoryStream& package, const std::wstring& path) {
  TSkinReader reader;
  if (reader.ReadPackage(package)) return;
  std::wstring reason = reader.RefusalReason();
  std::replace(reason.begin(), reason.end(), L'\r', L' ');
  throw Exception(L"%s is not a skin package this program reads: %s", {path, reason});
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: skinsheet PACKAGE BMP\n", stderr);
    return 2;
  }
  // Every refusal ends up on standard error through the handler below; no
  // message box may wait for a person on a headless run.
  TSkinReader::SetDefaultOlderPackageNotice(nullptr);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  try {
    TSkinData skin(nullptr);
    std::vector<uint8_t> package = FileBytes(argv[1]);
    skin.SkinStreamData.WriteBuffer(package.data(), static_cast<int32_t>(package.size()));
    RefuseUnreadablePackage(skin.SkinStreamData, argv[1]);
    if (!skin.LoadSkin()) throw Exception(L"%s is not a skin package this program reads", {std::wstring(argv[1])});
    TSheet sheet(4000);
    sheet.Fill();
    AddElements(sheet, skin);
    SaveBmp(sheet.Picture, std::min(sheet.UsedHeight(), sheet.Picture.Height()), argv[2]);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skinsheet: %s\n", error.what());
    return 1;
  }
}
