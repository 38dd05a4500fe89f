#include "skin/engine/MenuItemPainter.h"

#include "skin/engine/MenuItemLayout.h"
#include "skin/engine/PopupMenuFrame.h"
#include "skin/engine/SkinBoundary.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/WinSkinPopMenu.h"
#include "skin/engine/WindowFacts.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinDraw.h"
#include "toolkit/forms/Form.h"
#include "toolkit/graphics/ImgList.h"
#include "toolkit/platform/DisplayDpi.h"

namespace {

// Paints with the brush where the source is black and keeps the destination
// where it is white: a monochrome glyph in one colour.
constexpr DWORD kBrushWhereBlack = 0x00B8074A;
constexpr int kMenuItemFrames = 5;
// The platform's check-mark bitmap (OBM_CHECK, declared only with OEMRESOURCE).
constexpr int kCheckMarkBitmap = 32760;

TMargins MarginsOf(const TDataSkinObject& element) {
  return {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
}

// The button-face and button-highlight dither behind a checked image.
void FillDither(HDC dc, const RECT& box) {
  static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  TBitmapHandle pattern(CreateBitmap(8, 8, 1, 1, kPattern));
  TBrushHandle brush(CreatePatternBrush(pattern.Get()));
  const COLORREF text = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
  const COLORREF back = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  FillRect(dc, &box, brush.Get());
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}

// The platform's check mark in the button-text colour, its pixels replicated
// (or picked) to the scale.
void DrawCheckMark(HDC dc, const TSkinRect& glyphBox, const TDpiScale& scale) {
  TBitmapHandle mark(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckMarkBitmap)));
  BITMAP info{};
  if (!mark || !GetObjectW(mark.Get(), sizeof(info), &info)) return;
  const TSkinRect place =
      CheckMarkPlace(glyphBox, {scale.Scale(int(info.bmWidth)), scale.Scale(int(info.bmHeight))}, scale);
  TMemoryDCHandle source(CreateCompatibleDC(dc));
  TSelectObject held(source.Get(), mark.Get());
  TBrushHandle ink(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
  TSelectObject brush(dc, ink.Get());
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  TStretchMode mode(dc, COLORONCOLOR);
  StretchBlt(dc, place.Left, place.Top, place.Width(), place.Height(), source.Get(), 0, 0, info.bmWidth, info.bmHeight,
             kBrushWhereBlack);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}

COLORREF TextColourOf(const TSkinColours& colours, TItemTextColour which) {
  switch (which) {
    case tcHilightText: return ColorToRGB(colours.HilightText);
    case tcMenuText: return ColorToRGB(colours.MenuText);
    case tcButtonShadow: return ColorToRGB(colours.ButtonShadow);
    default: return GetSysColor(COLOR_BTNSHADOW);
  }
}

void DrawGlyph(const TMenuItemLook& item, TCanvas& canvas, const TSkinRect& box, const TDpiScale& scale) {
  HDC dc = canvas.Handle();
  TImageList* images = item.Images;
  if (images && item.ImageIndex >= 0 && item.ImageIndex < images->Count()) {
    if (item.Checked) {
      RECT area = ToRect(box);
      FillDither(dc, area);
      DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT);
    }
    images->Draw(canvas, box.Left, box.Top, item.ImageIndex, item.Enabled, scale.Dpi());
  } else if (item.Checked) {
    DrawCheckMark(dc, box, scale);
  }
}

// Glyph box, caption, shortcut, or the etched line of a separator.
void PaintItemContent(TSkinData& data, const TMenuItemLook& item, TCanvas& canvas, const RECT& rect, bool selected) {
  HDC dc = canvas.Handle();
  const std::wstring caption = MeasuredItemCaption(item.Caption);
  // The default item is bold: measured so, its caption is drawn to its end.
  TFontHandle bold;
  if (item.Default) {
    LOGFONTW face{};
    GetObjectW(canvas.Font().Handle(), sizeof(face), &face);
    face.lfWeight = FW_BOLD;
    bold.Reset(CreateFontIndirectW(&face));
  }
  TSelectObject font(dc, bold ? bold.Get() : canvas.Font().Handle());
  RECT measured{};
  DrawTextW(dc, caption.c_str(), -1, &measured, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP);

  TItemContentInput in;
  in.Item = ToSkin(rect);
  in.RightToLeft = IsRightToLeftMenu(item.ParentMenu);
  in.Scale = TDpiScale(MenuDpi());
  if (item.Images) in.ImageListWidth = item.Images->WidthAt(in.Scale.Dpi());
  in.Checked = item.Checked;
  in.Separator = item.IsSeparator();
  in.ItemLeftWidth = MenuItemLeftWidth(data);
  in.Caption = {measured.right, measured.bottom};
  TItemContentLayout layout = LayoutItemContent(in);
  if (in.Separator) {
    RECT line{rect.left, layout.SeparatorY, rect.right, rect.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  DrawGlyph(item, canvas, layout.GlyphBox, in.Scale);

  const TSkinColours& colours = data.Colours;
  TItemTextColour which = ItemTextColour(item.Enabled, selected, colours.ButtonShadow == colours.MenuText);
  const int mode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColourOf(colours, which));
  RECT text = ToRect(layout.Caption);
  DrawTextW(dc, item.Caption.c_str(), -1, &text, DT_EXPANDTABS | DT_SINGLELINE);
  std::wstring keys = ShortCutToText(item.ShortCut);
  if (!keys.empty()) {
    RECT place = ToRect(layout.ShortCut);
    DrawTextW(dc, keys.c_str(), -1, &place, DT_RIGHT | DT_SINGLELINE);
  }
  SetBkMode(dc, mode);
}

// The skin's separator (frame 2 of the MenuItem image, caps kept, middle
// stretched) over the background.
void DrawSkinnedSeparator(TDataSkinObject& element, HDC dc, const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  TBitmap separator;
  separator.SetSize(width, height);
  separator.Canvas().Brush().SetColor(clFuchsia);
  separator.Canvas().FillRect({0, 0, width, height});
  HDC target = separator.Canvas().Handle();
  HDC source = element.Image.Canvas().Handle();
  TStretchMode mode(target, COLORONCOLOR);
  TMargins caps{element.LeftWidth, 0, element.RightWidth, 0};
  for (const TSlicePiece& piece : SeparatorPieces({element.Image.Width(), element.Image.Height()}, caps, {width, height}))
    StretchBlt(target, piece.Dest.Left, piece.Dest.Top, piece.Dest.Width(), piece.Dest.Height(), source,
               piece.Source.Left, piece.Source.Top, piece.Source.Width(), piece.Source.Height(), SRCCOPY);
  DrawTransparent(dc, rect, separator, kSkinTransparent);
}

// An item is composed in a bitmap of its size, with the menu font, and copied once.
TCanvas& ItemBuffer(TBitmap& buffer, int width, int height) {
  buffer.SetSize(width, height);
  UseScreenMenuFont(buffer.Canvas());
  return buffer.Canvas();
}

void PaintSkinnedItem(TSkinData& data, const TMenuItemLook& item, TCanvas& canvas, const RECT& rect,
                      const TItemPaint& how) {
  TDataSkinObject& element = *data.ControlSkinAt(MenuDpi()).MenuItem;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  TBitmap buffer;
  TCanvas& bufferCanvas = ItemBuffer(buffer, width, height);
  TSkinManage* manager = SkinManager();
  TBitmap* background = manager && item.ParentMenu ? manager->FindPopupBackground(item.ParentMenu) : nullptr;
  if (background && !background->Empty()) {
    const TSkinRect from = PopupBackgroundSource(ToSkin(rect));
    BitBlt(bufferCanvas.Handle(), 0, 0, width, height, background->Canvas().Handle(), from.Left, from.Top, SRCCOPY);
  } else {
    bufferCanvas.Brush().SetColor(data.Colours.Menu);
    bufferCanvas.FillRect({0, 0, width, height});
  }
  const RECT local{0, 0, width, height};
  if (item.IsSeparator() && how.SeparatorImage) {
    BitBlt(canvas.Handle(), rect.left, rect.top, width, height, bufferCanvas.Handle(), 0, 0, SRCCOPY);
    if (!element.Image.Empty()) DrawSkinnedSeparator(element, canvas.Handle(), rect);
    return;
  }
  if (!item.IsSeparator()) {
    auto face = RenderElement(local, element.Image, MarginsOf(element), false, element.Tile != 0, kMenuItemFrames,
                              MenuItemFrame(how.Selected));
    if (element.Trans)
      DrawTransparent(bufferCanvas.Handle(), local, *face, kSkinTransparent);
    else
      BitBlt(bufferCanvas.Handle(), 0, 0, width, height, face->Canvas().Handle(), 0, 0, SRCCOPY);
  }
  PaintItemContent(data, item, bufferCanvas, local, how.Selected);
  BitBlt(canvas.Handle(), rect.left, rect.top, width, height, bufferCanvas.Handle(), 0, 0, SRCCOPY);
}

void PaintPlainItem(TSkinData& data, const TMenuItemLook& item, TCanvas& canvas, const RECT& rect, bool selected) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  TBitmap buffer;
  TCanvas& bufferCanvas = ItemBuffer(buffer, width, height);
  bufferCanvas.Brush().SetColor(selected ? data.Colours.Hilight : data.Colours.Menu);
  bufferCanvas.FillRect({0, 0, width, height});
  PaintItemContent(data, item, bufferCanvas, {0, 0, width, height}, selected);
  BitBlt(canvas.Handle(), rect.left, rect.top, width, height, bufferCanvas.Handle(), 0, 0, SRCCOPY);
}

}  // namespace

void UseScreenMenuFont(TCanvas& canvas) { canvas.Font().AssignHandle(Screen.MenuFont()); }

HMENU ParentMenuHandle(TMenuItem& item) { return item.Parent() ? item.Parent()->Handle() : nullptr; }

bool IsRightToLeftMenu(HMENU menu) {
  if (!menu || GetMenuItemCount(menu) <= 0) return false;
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  return GetMenuItemInfoW(menu, 0, TRUE, &info) && (info.fType & MFT_RIGHTORDER) != 0;
}

std::optional<int> MenuItemLeftWidth(TSkinData& data) {
  if (!data.MenuItem) return std::nullopt;
  return data.ControlSkinAt(MenuDpi()).MenuItem->LeftWidth;
}

int MenuDpi() { return SystemDpi(); }

TMenuItemLook LookOf(TMenuItem& item) {
  // Only painting asks for a look: an action that fails to update leaves the
  // item painted as it stands, and the failure is not the toolkit's to show
  // (it would be, were the item handed to the toolkit to draw instead).
  SkinBoundary(L"menu item's action", [&] { item.UpdateAction(); });
  TMenu* menu = item.GetParentMenu();
  TMenuItemLook look;
  look.Caption = item.Caption();
  look.Enabled = item.Enabled();
  look.Checked = item.Checked();
  look.Default = item.Default();
  look.ShortCut = item.ShortCut();
  look.ImageIndex = item.ImageIndex();
  look.Images = menu ? menu->Images() : nullptr;
  look.ParentMenu = ParentMenuHandle(item);
  return look;
}

std::wstring MenuEntryText(HMENU menu, UINT command) {
  constexpr int kItemTextLimit = 80;
  wchar_t text[kItemTextLimit + 1] = {};
  GetMenuStringW(menu, command, text, kItemTextLimit + 1, MF_BYCOMMAND);
  return text;
}

TMenuItemLook LookOfEntry(HMENU menu, UINT command) {
  const std::wstring text = MenuEntryText(menu, command);
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE;
  GetMenuItemInfoW(menu, command, FALSE, &info);
  TMenuItemLook look;
  look.Caption = text.empty() ? L"-" : text;
  look.Enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
  look.Checked = (info.fState & MFS_CHECKED) != 0;
  look.ParentMenu = menu;
  return look;
}

void PaintMenuItem(TSkinData& data, const TMenuItemLook& item, TCanvas& canvas, const RECT& rect,
                   const TItemPaint& how) {
  // The popup window that rendered its background without knowing its menu
  // shows this item's: it learns its menu now.
  if (LastUnclaimedPopup && item.ParentMenu) {
    LastUnclaimedPopup->MenuHandle = item.ParentMenu;
    LastUnclaimedPopup = nullptr;
  }
  if (data.MenuItem)
    PaintSkinnedItem(data, item, canvas, rect, how);
  else
    PaintPlainItem(data, item, canvas, rect, how.Selected);
}
