#include "skin/engine/MenuItemLayout.h"

#include <algorithm>

namespace {

constexpr int kDefaultGlyph = 16;
constexpr int kSeparatorLineOffset = 4;
constexpr int kShortCutEndGap = 11;
constexpr int kMenuItemFrames = 5;

TSkinSize Widened(TSkinSize size, long long extra) { return {ClampToInt(size.Width + extra), size.Height}; }

TSkinRect Mirrored(const TSkinRect& rect, const TSkinRect& within) {
  const long long axis = static_cast<long long>(within.Left) + within.Right;
  return {ClampToInt(axis - rect.Right), rect.Top, ClampToInt(axis - rect.Left), rect.Bottom};
}

}  // namespace

TSkinSize MeasureToolkitMenuItem(TSkinSize own, std::optional<int> itemLeftWidth, bool hasImageList,
                                  const TDpiScale& scale) {
  return Widened(own, static_cast<long long>(itemLeftWidth.value_or(0)) + scale.Scale(10) +
                          (hasImageList ? 0 : scale.Scale(25)));
}

TSkinSize MeasureSkinnedMenuItem(TSkinSize own, std::optional<int> itemLeftWidth, bool hasImageList,
                                  const TDpiScale& scale) {
  return Widened(own, static_cast<long long>(itemLeftWidth.value_or(0)) + scale.Scale(12) +
                          (hasImageList ? 0 : scale.Scale(23)));
}

TSkinSize MeasurePlatformMenuItem(int textWidth, int givenHeight, bool hasText, std::optional<int> itemLeftWidth,
                                  bool ntFamily, const TDpiScale& scale) {
  long long height = hasText ? static_cast<long long>(givenHeight) + scale.Scale(4) : scale.Scale(8);
  if (!ntFamily) height += scale.Scale(4);
  return {ClampToInt(static_cast<long long>(textWidth) + scale.Scale(26) + itemLeftWidth.value_or(0)),
          ClampToInt(height)};
}

std::wstring MeasuredItemCaption(const std::wstring& caption) {
  return caption.empty() || caption == L"&" ? caption + L" " : caption;
}

TItemContentLayout LayoutItemContent(const TItemContentInput& in) {
  const TSkinRect& item = in.Item;
  const TDpiScale& s = in.Scale;
  const int defaultGlyph = s.Scale(kDefaultGlyph), one = s.Scale(1);
  int glyph = in.ImageListWidth.value_or(defaultGlyph);
  if (in.Checked) glyph = std::max(glyph, defaultGlyph);
  const long long boxLeft = static_cast<long long>(item.Left) + one + in.ItemLeftWidth.value_or(0);
  const long long boxTop = static_cast<long long>(item.Top) + one;
  const TSkinRect box{ClampToInt(boxLeft), ClampToInt(boxTop), ClampToInt(boxLeft + glyph),
                      ClampToInt(boxTop + glyph)};

  TItemContentLayout layout;
  layout.GlyphBox = in.Separator ? TSkinRect{} : box;
  layout.CaptionArea = {ClampToInt(static_cast<long long>(box.Right) + s.Scale(3)), item.Top,
                        ClampToInt(static_cast<long long>(item.Right) - one), item.Bottom};
  const long long areaHeight = static_cast<long long>(item.Bottom) - item.Top;
  const long long captionTop = item.Top + (areaHeight - in.Caption.Height) / 2;
  layout.Caption = {layout.CaptionArea.Left, ClampToInt(captionTop),
                    ClampToInt(static_cast<long long>(layout.CaptionArea.Left) + in.Caption.Width),
                    ClampToInt(captionTop + in.Caption.Height)};
  layout.ShortCut = {layout.Caption.Right, layout.Caption.Top,
                     ClampToInt(static_cast<long long>(item.Right) - s.Scale(kShortCutEndGap)), layout.Caption.Bottom};
  layout.SeparatorY = ClampToInt(static_cast<long long>(item.Top) + s.Scale(kSeparatorLineOffset));
  if (in.RightToLeft) {
    if (!in.Separator) layout.GlyphBox = Mirrored(layout.GlyphBox, item);
    layout.CaptionArea = Mirrored(layout.CaptionArea, item);
    layout.Caption = Mirrored(layout.Caption, item);
    layout.ShortCut = Mirrored(layout.ShortCut, item);
  }
  return layout;
}

TSkinRect CheckMarkPlace(const TSkinRect& glyphBox, TSkinSize mark, const TDpiScale& scale) {
  const long long left = glyphBox.Left + (static_cast<long long>(glyphBox.Width()) - mark.Width) / 2 + scale.Scale(1);
  const long long top = glyphBox.Top + (static_cast<long long>(glyphBox.Height()) - mark.Height) / 2 + scale.Scale(1);
  return {ClampToInt(left), ClampToInt(top), ClampToInt(left + mark.Width), ClampToInt(top + mark.Height)};
}

TItemTextColour ItemTextColour(bool enabled, bool selected, bool buttonShadowIsMenuText) {
  if (enabled) return selected ? tcHilightText : tcMenuText;
  return buttonShadowIsMenuText ? tcSystemButtonShadow : tcButtonShadow;
}

int MenuItemFrame(bool selected) { return selected ? 4 : 1; }

std::vector<TSlicePiece> SeparatorPieces(TSkinSize image, const TMargins& caps, TSkinSize item) {
  TSkinRect source = FrameRect(image.Width, image.Height, false, kMenuItemFrames, 2);
  if (source.Height() > item.Height) source.Top = source.Bottom - std::max(item.Height, 0);
  return NineSlicePieces(source, {0, 0, item.Width, source.Height()}, {caps.Left, 0, caps.Right, 0}, true, false);
}
