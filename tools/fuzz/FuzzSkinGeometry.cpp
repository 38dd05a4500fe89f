// Fuzz target: a skin description's numbers, read as the description parser
// reads them (integers and colour texts of the keys it knows, case-blind), on
// their way through the frame's geometry: frame sizes, the pieces of every
// border and of the title, menu bar and menu items, the caption, the title
// buttons, the region plan, fitting a message box, the popup ring. Whatever a
// description holds, the rectangles stay well formed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <map>
#include <string>
#include <vector>

#include "skin/engine/CaptionLayout.h"
#include "skin/engine/FrameFitting.h"
#include "skin/engine/FramePieces.h"
#include "skin/engine/FrameRegion.h"
#include "skin/engine/MenuBarLayout.h"
#include "skin/engine/MenuItemLayout.h"
#include "skin/engine/PopupMenuFrame.h"
#include "skin/engine/SysButtonLayout.h"
#include "skin/model/ColourText.h"
#include "toolkit/core/IniValue.h"

namespace {

// Sections and keys as the profile functions find them: lower-cased names,
// the first of each kept.
class TDescription {
 public:
  explicit TDescription(const std::wstring& text) {
    std::wstring section;
    size_t at = 0;
    while (at < text.size()) {
      size_t end = text.find_first_of(L"\r\n", at);
      if (end == std::wstring::npos) end = text.size();
      std::wstring line = text.substr(at, end - at);
      at = end + 1;
      if (!line.empty() && line[0] == L'[') {
        section = Lower(line.substr(1, line.find(L']') - 1));
        if (std::find(Sections.begin(), Sections.end(), section) == Sections.end()) Sections.push_back(section);
      } else if (size_t equals = line.find(L'='); equals != std::wstring::npos) {
        FValues.emplace(section + L"/" + Lower(line.substr(0, equals)), line.substr(equals + 1));
      }
    }
  }
  int Int(const std::wstring& section, const std::wstring& key, int fallback) const {
    auto found = FValues.find(Lower(section + L"/" + key));
    if (found == FValues.end()) return fallback;
    return IntegerFromText(found->second).value_or(fallback);
  }
  uint32_t Colour(const std::wstring& section, const std::wstring& key) const {
    auto found = FValues.find(Lower(section + L"/" + key));
    return found == FValues.end() ? 0 : ParseColourText(found->second);
  }

  std::vector<std::wstring> Sections;

 private:
  static std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
  }
  std::multimap<std::wstring, std::wstring> FValues;
};

void Check(bool holds) {
  if (!holds) std::abort();
}

void CheckPieces(const std::vector<TSlicePiece>& pieces) {
  for (const TSlicePiece& piece : pieces) Check(!piece.Source.IsEmpty() && !piece.Dest.IsEmpty());
}

void CheckNotInverted(const TSkinRect& rect) { Check(rect.Right >= rect.Left && rect.Bottom >= rect.Top); }

// A made-up image size for an element, from the description's numbers.
TSkinSize ImageSize(const TDescription& d, const std::wstring& section) {
  return {std::clamp(d.Int(section, L"ImageWidth", 32), 0, 4096), std::clamp(d.Int(section, L"ImageHeight", 32), 0, 4096)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TDescription d(std::wstring(data, data + size));
  const std::wstring p = L"Personality";
  const int window = std::clamp(d.Int(L"Test", L"Width", 400), -5000, 5000);
  const int height = std::clamp(d.Int(L"Test", L"Height", 300), -5000, 5000);

  // Borders: sizes, pieces and the region.
  TBorderImage images[4];
  const wchar_t* sides[] = {L"Left", L"Right", L"Top", L"Bottom"};
  TRegionInput region;
  for (int i = 0; i < 4; ++i) {
    const std::wstring side = sides[i];
    TSkinSize image = ImageSize(d, side);
    images[i] = {image.Width, image.Height, d.Int(p, side + L"Frame", 1)};
    region.Trans[i] = d.Int(p, side + L"Trans", 1);
  }
  const TFrameKind frameKind = FrameKindOf(static_cast<uint32_t>(d.Int(L"Test", L"Style", 0)),
                                           static_cast<uint32_t>(d.Int(L"Test", L"ExStyle", 0)));
  const TFrameSizes frame = FrameSizesOf(images[0], images[1], images[2], images[3], frameKind);
  const int menuHeight = std::clamp(d.Int(L"Test", L"MenuHeight", 19), 0, 200);
  const TFrameLayout layout = LayoutFrame(window, height, frame, menuHeight);
  for (int i = 0; i < 4; ++i) {
    const std::wstring side = sides[i];
    TMargins margins{d.Int(p, side + L"TopHeight", 0), d.Int(p, side + L"TopHeight", 0),
                     d.Int(p, side + L"BotHeight", 0), d.Int(p, side + L"BotHeight", 0)};
    TPieceRendering how = BorderPieceRendering(TBorderSide(i + 1), margins, d.Int(p, side + L"Stretch", 1),
                                               images[i].FrameCount, (size & 1) != 0);
    const TSkinRect& place = i == 0 ? layout.Left : i == 1 ? layout.Right : i == 2 ? layout.Title : layout.Bottom;
    if (!PaintsPiece(place) || place.IsEmpty()) continue;
    TSkinRect source = FrameRect(images[i].Width, images[i].Height, how.VerticalFrames, how.FrameCount, how.Frame);
    std::vector<TSlicePiece> pieces = NineSlicePieces(source, {0, 0, place.Width(), place.Height()}, how.Margins, true, how.Tile);
    CheckPieces(pieces);
    for (const TSlicePiece& piece : pieces)
      if (piece.Tiled && piece.TileWidth > 0 && piece.TileHeight > 0)
        for (const TTileCopy& copy : TileCopies(piece.Dest, piece.TileWidth, piece.TileHeight)) CheckNotInverted(copy.Dest);
  }
  region.Width = window, region.Height = height, region.Frame = frame, region.FrameKind = frameKind;
  if (std::optional<TRegionPlan> plan = PlanFrameRegion(region)) {
    CheckNotInverted(plan->Base);
    for (const TRegionPart& part : plan->Parts) CheckNotInverted(part.Area);
  }

  // The title: caption block and buttons.
  TCaptionInput caption;
  caption.Title = layout.Title;
  caption.Text = {std::clamp(d.Int(L"Test", L"TextWidth", 80), 0, 10000), 13};
  caption.Element = {d.Int(p, L"TextShift", 0),   d.Int(p, L"TextShiftVert", 0), d.Int(p, L"TextRightClip", 0),
                     d.Int(p, L"TextAlignment", 0), d.Int(p, L"TXTBackleft", 0),  d.Int(p, L"TXTBackRight", 0)};
  caption.Popup = (size & 2) != 0;
  caption.RightmostButtonLeft = d.Int(L"Test", L"RightmostButtonLeft", 0);
  const TCaptionLayout placed = LayoutCaption(caption);
  TSkinSize textBack = ImageSize(d, L"TextBack");
  if (!placed.TextBack.IsEmpty())
    CheckPieces(ThreeSlicePieces(FrameRect(textBack.Width, textBack.Height, true, 2, 1), placed.TextBack.Width(),
                                 placed.TextBack.Height(), {caption.Element.TXTBackleft, 0, caption.Element.TXTBackRight, 0}));
  std::vector<TSysButtonInfo> buttons;
  for (const std::wstring& section : d.Sections) {
    if (section.rfind(L"button.", 0) != 0) continue;
    TSkinSize image = ImageSize(d, section);
    buttons.push_back({d.Int(section, L"Action", 0), d.Int(section, L"Align", 0), d.Int(section, L"Xcoord", 0),
                       d.Int(section, L"Ycoord", 0), d.Int(section, L"Visibility", -1), d.Int(section, L"Visibility1", -1),
                       image.Width, image.Height, std::max(d.Int(section, L"frame", 0), 1)});
  }
  TTitleState state{frameKind, static_cast<uint8_t>(d.Int(L"Test", L"BorderIcons", 0xFF)), swNormal, (size & 4) != 0,
                    FormKindOf(0, (size & 8) != 0), (size & 16) != 0, menuHeight};
  TSysButtonLayout buttonLayout = LayoutSysButtons(buttons, state, {window, frame, menuHeight, (size & 32) != 0,
                                                                     placed.CaptionRect, d.Int(p, L"TileLeftMenu", 0)});
  for (const TSysButtonPlace& place : buttonLayout.Buttons)
    if (place.Bounds) CheckNotInverted(*place.Bounds);

  // The menu bar, its entries and a menu item.
  const int barWidth = layout.MenuBar.Width();
  const int start = MenuBarStart(TMenuBarEnds{d.Int(p, L"TileLeftMenu", 0), d.Int(p, L"TileRightMenu", 0)},
                                 (size & 32) != 0, barWidth);
  const std::vector<int> widths{d.Int(L"Test", L"Entry1", 40), d.Int(L"Test", L"Entry2", 50), 0};
  // An entry's bottom row is inside it: a bar of no height gives entries one row above their top.
  for (const TSkinRect& entry : LayoutMenuEntries(widths, barWidth, menuHeight, start, (size & 32) != 0))
    Check(entry.Right >= entry.Left && entry.Bottom >= entry.Top - 1);
  TSkinSize item = ImageSize(d, L"MenuItem");
  const TMargins caps{d.Int(L"MenuItem", L"LeftWidth", 0), 0, d.Int(L"MenuItem", L"RightWidth", 0), 0};
  CheckPieces(SeparatorPieces(item, caps, {std::max(window, 0), std::clamp(d.Int(L"Test", L"ItemHeight", 8), 0, 500)}));
  TItemContentInput content;
  content.Item = {0, 0, std::max(window, 0), 20};
  content.ItemLeftWidth = caps.Left;
  content.Caption = caption.Text;
  LayoutItemContent(content);
  for (const TSkinRect& strip : PopupFrameStrips(window, height)) CheckNotInverted(strip);

  // A message box widened for its caption.
  TFitFrameInput fit;
  fit.ClientAtAttach = {0, 0, window, height};
  fit.CurrentClient = {0, 0, window, d.Int(L"Test", L"ClientHeight", height)};
  fit.CaptionRemoved = (size & 64) != 0;
  fit.PlatformMenuHeight = d.Int(L"Test", L"PlatformMenuHeight", 0);
  fit.Frame = frame;
  fit.MenuHeight = menuHeight;
  fit.WidensForCaption = true;
  fit.Window = {d.Int(L"Test", L"WindowWidth", window), d.Int(L"Test", L"WindowHeight", height)};
  fit.PlatformFrame = {d.Int(L"Test", L"PlatformWidth", 8), d.Int(L"Test", L"PlatformHeight", 30)};
  fit.CaptionWidth = std::clamp(d.Int(L"Test", L"CaptionWidth", 120), 0, 1000000);
  fit.ButtonsRoom = d.Int(L"Test", L"ButtonsRoom", 40);
  fit.Title = {caption.Element.TextShift, caption.Element.TextRightClip, caption.Element.TXTBackleft,
               caption.Element.TXTBackRight};
  CheckNotInverted(FitFrame(fit).ClientAtAttach);
  (void)CaptionButtonsRoom(window, buttonLayout.RightmostButtonLeft, frame.Right);
  const TSkinSize least = MinTrackSize({frame, menuHeight, fit.Title, caption.Popup, 30}, buttons, state);
  Check(least.Width >= 0);
  (void)d.Colour(L"Colours", L"ButtonFace");
  return 0;
}
