// Parsing a skin description into the model held by TSkinData. The readers
// run in a fixed order: the title buttons and every element's default text
// colours depend on the colours read before them.
#include <algorithm>

#include "skin/model/ColourText.h"
#include "skin/model/SkinData.h"

#include "skin/model/SkinTransforms.h"
#include "skin/package/DoubleImages.h"
#include "toolkit/core/BmpFile.h"
#include "toolkit/core/DisplayScale.h"
#include "toolkit/core/ScopeGuard.h"
#include "toolkit/core/WideText.h"
#include "toolkit/platform/AnsiText.h"

namespace {

void ResetElement(TDataSkinObject& element) {
  element.LeftWidth = element.TopHeight = element.RightWidth = element.BottomHeight = 0;
  element.Trans = element.Tile = element.Style = 0;
  element.NormalColour = element.MouseOverColour = element.PressedColour = 0;
  element.NormalColour2 = element.MouseOverColour2 = element.PressedColour2 = 0;
  element.FrameCount = 1;
}

void SetFrameCount(TDataSkinObject* element, int32_t count) {
  if (element) element->FrameCount = count;
}

}  // namespace

void TSkinData::ParseSkinDescription(const TMemIniFile& description) {
  // Ini and Sections exist only while a description is parsed, also when it fails.
  auto parsed = ScopeExit([this] {
    Ini = nullptr;
    Sections.clear();
  });
  Ini = &description;
  Sections = Ini->ReadSections();
  FRetiredFrames = std::move(FScaledFrames);
  FScaledFrames.clear();
  FRetiredControls = std::move(FScaledControls);
  FScaledControls.clear();
  FDoubles.clear();
  SkippedDoubleImages.clear();
  ++SkinLoad;
  SkinName = Ini->ReadString(L"TitlebarSkin", L"SkinName", L"");
  ReadFrameBorders();
  ReadColours();
  ReadTitleButtons();
  ReadButtons();
  ReadTitle();
  ReadProgress();
  ReadMenuBar();
  ReadStandardElements();
  SetFrameCounts();
  BackgroundBrush.Reset(CreateSolidBrush(ColorToRGB(Colours.ButtonFace)));
  SkinNotReady = false;
}

TFrameSkin TSkinData::FrameSkinAt(int dpi) {
  if (dpi == kLayoutDpi || dpi <= 0) return FrameSkinOf(*this);
  auto& scaled = FScaledFrames[dpi];
  if (!scaled) scaled = std::make_unique<TScaledFrameSkin>(*this, dpi);
  return scaled->View();
}

TControlSkin TSkinData::ControlSkinAt(int dpi) {
  if (dpi == kLayoutDpi || dpi <= 0) return ControlSkinOf(*this);
  auto& scaled = FScaledControls[dpi];
  if (!scaled) scaled = std::make_unique<TScaledControlSkin>(*this, dpi);
  return scaled->View();
}

void TSkinData::LoadSkinBitmap(TBitmap& bitmap, const std::wstring& name) {
  FDoubles.erase(&bitmap);
  std::wstring fileName = name.substr(name.find_last_of(L"\\/") + 1);
  size_t dot = fileName.rfind(L'.');
  bool isBmp = dot != std::wstring::npos && fileName.compare(dot, std::wstring::npos, L".bmp") == 0;
  if (fileName.empty() || !isBmp || !Reader || !WorkStream) {
    bitmap.Clear();
    return;
  }
  Reader->ExtractFile(ToAnsi(fileName), *WorkStream);
  if (WorkStream->Size() == 0) {
    bitmap.Clear();
    return;
  }
  WorkStream->SetPosition(0);
  bitmap.LoadFromStream(*WorkStream);
  LoadDoubleImage(bitmap, fileName);
}

// A damaged or ill-sized @2x picture leaves the skin as it would be without it.
void TSkinData::LoadDoubleImage(const TBitmap& image, const std::wstring& fileName) {
  std::string doubleName = DoubleImageName(ToAnsi(fileName));
  if (doubleName.empty()) return;
  Reader->ExtractFile(doubleName, *WorkStream);
  if (WorkStream->Size() == 0) return;
  auto doubled = std::make_unique<TBitmap>();
  std::wstring skipped;
  try {
    doubled->LoadFromStream(*WorkStream);
    skipped = DoubleImageMismatch(image.Width(), image.Height(), doubled->Width(), doubled->Height());
  } catch (const EInvalidGraphic&) {
    skipped = L"the @2x picture cannot be read";
  }
  if (skipped.empty()) {
    FDoubles[&image] = std::move(doubled);
    return;
  }
  SkippedDoubleImages.push_back(fileName + L": " + skipped);
}

const TBitmap* TSkinData::DoubleOf(const TBitmap& image) const {
  auto found = FDoubles.find(&image);
  if (found == FDoubles.end() || image.Empty()) return nullptr;
  const TBitmap& doubled = *found->second;
  bool fits = DoubleImageMismatch(image.Width(), image.Height(), doubled.Width(), doubled.Height()).empty();
  return fits ? &doubled : nullptr;
}

TColor TSkinData::ReadColour(const std::wstring& section, const std::wstring& key, TColor fallback) const {
  std::wstring text = Ini->ReadString(section, key, L"");
  return text.empty() ? fallback : TColor(ParseColourText(text));
}

void TSkinData::ReadFrameBorders() {
  const std::pair<const wchar_t*, TDataSkinBorder*> borders[] = {
      {L"Left", &LeftBorder}, {L"Right", &RightBorder}, {L"Top", &TopBorder}, {L"Bottom", &BottomBorder}};
  for (auto [name, border] : borders) {
    const std::wstring n = name;
    ResetElement(*border);
    int32_t first = Ini->ReadInteger(L"Personality", n + L"TopHeight", 0);
    int32_t last = Ini->ReadInteger(L"Personality", n + L"BotHeight", 0);
    // The side borders run down the window, the top and bottom ones across it.
    if (border == &LeftBorder || border == &RightBorder) {
      border->TopHeight = first;
      border->BottomHeight = last;
    } else {
      border->LeftWidth = first;
      border->RightWidth = last;
    }
    border->FrameCount = Ini->ReadInteger(L"Personality", n + L"Frame", 1);
    border->Tile = Ini->ReadInteger(L"Personality", n + L"Stretch", 1);
    border->Trans = Ini->ReadInteger(L"Personality", n + L"Trans", 1);
    LoadSkinBitmap(border->Image, Ini->ReadString(L"Personality", n, L""));
  }
}

void TSkinData::ReadColours() {
  const TSkinColours system;
  auto read = [&](const wchar_t* key, TColor fallback) { return ReadColour(L"Colours", key, fallback); };
  Colours.WindowText = read(L"WindowText", system.WindowText);
  Colours.ButtonFace = read(L"ButtonFace", system.ButtonFace);
  Colours.Scrollbar = read(L"Scrollbar", system.Scrollbar);
  Colours.HilightText = read(L"HilightText", system.HilightText);
  Colours.Hilight = read(L"Hilight", system.Hilight);
  Colours.Menubar = read(L"Menubar", Colours.ButtonFace);
  Colours.Menu = read(L"Menu", system.Menu);
  Colours.MenuText = read(L"MenuText", system.MenuText);
  Colours.ButtonText = read(L"ButtonText", system.ButtonText);
  Colours.ButtonHilight = read(L"ButtonHilight", system.ButtonHilight);
  Colours.Buttonlight = read(L"Buttonlight", system.Buttonlight);
  Colours.ButtonShadow = read(L"ButtonShadow", system.ButtonShadow);
  Colours.ButtonDkShadow = read(L"ButtonDkShadow", system.ButtonDkShadow);
  Colours.MenuBarText = read(L"MenuBarText", system.MenuBarText);
  Colours.TitleTextActive = read(L"TitleTextActive", system.TitleTextActive);
  Colours.TitleTextNoActive = read(L"TitleTextNoActive", system.TitleTextNoActive);

  ExtraColours.clear();
  for (const std::wstring& section : Sections) {
    std::wstring upper = UpperCase(section);
    if (upper.starts_with(L"COLOUR") && upper != L"COLOURS")
      ExtraColours.push_back(ReadColour(section, L"color", SystemColor(COLOR_WINDOWTEXT)));
  }
}

void TSkinData::ReadTitleButtons() {
  TitleButtons.clear();
  std::vector<std::wstring> kept;
  for (const std::wstring& section : Sections) {
    std::wstring upper = UpperCase(section);
    if (!upper.starts_with(L"BUTTON") || upper == L"BUTTONS" || upper == L"BUTTON.RADIO" ||
        upper == L"BUTTON.CHECKBOX" || upper == L"BUTTON")
      continue;
    // A button without an action is kept only when it is meant to be shown.
    if (Ini->ReadInteger(section, L"Action", 0) == -1 && Ini->ReadInteger(section, L"Visibility", -1) != 0)
      continue;
    kept.push_back(section);
  }
  TitleButtons.reserve(kept.size() + 3);
  for (const std::wstring& section : kept) {
    auto button = std::make_unique<TDataSkinSysButton>(UpperCase(section));
    button->Action = Ini->ReadInteger(section, L"Action", 0);
    button->Align = Ini->ReadInteger(section, L"Align", 0);
    button->Xcoord = Ini->ReadInteger(section, L"Xcoord", 0);
    button->Ycoord = Ini->ReadInteger(section, L"Ycoord", 0);
    button->Visibility = Ini->ReadInteger(section, L"Visibility", 0);
    button->Visibility1 = Ini->ReadInteger(section, L"Visibility1", button->Action == -1 ? -1 : 0);
    button->CombineOp = Ini->ReadInteger(section, L"CombineOp", -1);
    button->FrameCount = Ini->ReadInteger(section, L"frame", 0);
    LoadSkinBitmap(button->Image, Ini->ReadString(section, L"ButtonImage", L""));
    if (button->FrameCount == 0) {
      // Without a count the image's proportions tell: three states, or six with the inactive ones.
      button->FrameCount = 6;
      if (!button->Image.Empty())
        button->FrameCount = double(button->Image.Width()) / button->Image.Height() <= 3.8 ? 3 : 6;
      if (button->Action < 0) button->FrameCount = 6;
      if (button->Action == 3 || button->Action == 11) button->Image.Clear();
    }
    TitleButtons.push_back(std::move(button));
  }
  ReadMdiButtons();
}

void TSkinData::ReadMdiButtons() {
  TBitmap strip;
  LoadSkinBitmap(strip, Ini->ReadString(L"MDICONTROLS", L"Image", L""));
  // The strip holds twelve frames: four states of each of the three buttons.
  const int frameWidth = strip.Width() / 12;
  for (int i = 0; i < 3; ++i) {
    auto button = std::make_unique<TDataSkinSysButton>(L"MDICONTROLS");
    button->Action = 7 + i;
    button->Align = button->Visibility = button->Visibility1 = 100;
    button->FrameCount = 4;
    if (frameWidth > 0) {
      button->Image.SetSize(4 * frameWidth, strip.Height());
      BitBlt(button->Image.Canvas().Handle(), 0, 0, 4 * frameWidth, strip.Height(), strip.Canvas().Handle(),
             4 * frameWidth * i, 0, SRCCOPY);
      button->Xcoord = (frameWidth + 4) * (3 - i);
    }
    TitleButtons.push_back(std::move(button));
  }
}

void TSkinData::ReadButtons() {
  const std::wstring s = L"Buttons";
  ResetElement(Buttons);
  LoadSkinBitmap(Buttons.Image, Ini->ReadString(s, L"Bitmap", L""));
  ReadMarginsAndTile(Buttons, s);
  LoadSkinBitmap(Buttons.CheckButton, Ini->ReadString(s, L"CheckButton", L""));
  LoadSkinBitmap(Buttons.RadioButton, Ini->ReadString(s, L"RadioButton", L""));
  Buttons.NormalColour = Ini->ReadInteger(s, L"NormalColour", -1);
  Buttons.MouseOverColour = Ini->ReadInteger(s, L"MouseOverColour", -1);
  Buttons.PressedColour = Ini->ReadInteger(s, L"PressedColour", -1);
  Buttons.RadioButtonFrame = Ini->ReadInteger(s, L"RadioButtonFrame", 0);
  Buttons.CheckButtonFrame = Ini->ReadInteger(s, L"CheckButtonFrame", 0);
  Buttons.HasNormalColour2 = !Ini->ReadString(s, L"NormalColour2", L"").empty();
  Buttons.HasMouseOverColour2 = !Ini->ReadString(s, L"MouseOverColour2", L"").empty();
  Buttons.HasPressedColour2 = !Ini->ReadString(s, L"PressedColour2", L"").empty();
  Buttons.NormalColour2 = ReadColour(s, L"NormalColour2", Colours.ButtonText);
  Buttons.MouseOverColour2 = ReadColour(s, L"MouseOverColour2", Colours.ButtonText);
  Buttons.PressedColour2 = ReadColour(s, L"PressedColour2", Colours.ButtonText);
}

void TSkinData::ReadTitle() {
  const std::wstring s = L"Personality";
  ResetElement(Title);
  LoadSkinBitmap(Title.Image, Ini->ReadString(s, L"TextBack", L""));
  Title.LeftWidth = Ini->ReadInteger(s, L"TextShift", 0);
  Title.TopHeight = Ini->ReadInteger(s, L"TextShiftVert", 0);
  Title.RightWidth = Ini->ReadInteger(s, L"TextRightClip", 0);
  Title.TextAlignment = Ini->ReadInteger(s, L"TextAlignment", 0);
  Title.Textbackground = Ini->ReadInteger(s, L"Textbackground", 0);
  Title.TXTBackleft = Ini->ReadInteger(s, L"TXTBackleft", 0);
  Title.TXTBackRight = Ini->ReadInteger(s, L"TXTBackRight", 0);
  Title.FontHeight = Ini->ReadInteger(L"Fonts", L"FontHeight", 14);
  // A text colour counts only when all three of its components are given.
  auto textColour = [&](const std::wstring& name) {
    int32_t red = Ini->ReadInteger(s, name + L"R", -1);
    int32_t green = Ini->ReadInteger(s, name + L"G", -1);
    int32_t blue = Ini->ReadInteger(s, name + L"B", -1);
    if (red < 0 || green < 0 || blue < 0) return kColourNotSet;
    return TColor(red % 256 + green % 256 * 256 + blue % 256 * 65536);
  };
  Title.ActiveText = textColour(L"ActiveText");
  Title.InActiveText = textColour(L"InActiveText");
}

void TSkinData::ReadProgress() {
  const std::wstring s = L"Progress";
  Progress.reset();
  std::wstring image = Ini->ReadString(s, L"Bitmap", L"");
  if (image.empty()) return;
  Progress = std::make_unique<TDataSkinBorder>(s);
  LoadSkinBitmap(Progress->Image, image);
  LoadSkinBitmap(Progress->SecondImage, Ini->ReadString(s, L"Chunk", L""));
  Progress->Style = Ini->ReadInteger(s, L"Style", 0);
  ReadMarginsAndTile(*Progress, s);
}

void TSkinData::ReadMenuBar() {
  const std::wstring s = L"Personality";
  MenuBar.reset();
  std::wstring image = Ini->ReadString(s, L"menuBar", L"");
  if (image.empty()) return;
  MenuBar = std::make_unique<TDataSkinObject>(s);
  LoadSkinBitmap(MenuBar->Image, image);
  MenuBar->Tile = Ini->ReadInteger(s, L"TileMenu", 0);
  MenuBar->LeftWidth = Ini->ReadInteger(s, L"TileLeftMenu", 1);
  MenuBar->RightWidth = Ini->ReadInteger(s, L"TileRightMenu", 1);
}

void TSkinData::ReadMarginsAndTile(TDataSkinObject& element, const std::wstring& section) {
  element.LeftWidth = Ini->ReadInteger(section, L"LeftWidth", 0);
  element.RightWidth = Ini->ReadInteger(section, L"RightWidth", 0);
  element.TopHeight = Ini->ReadInteger(section, L"TopHeight", 0);
  element.BottomHeight = Ini->ReadInteger(section, L"BottomHeight", 0);
  element.Trans = Ini->ReadInteger(section, L"Trans", 0);
  element.Tile = Ini->ReadInteger(section, L"Tile", 0);
}

void TSkinData::ReadStandardKeys(TDataSkinObject& element, const std::wstring& section, bool withStyle) {
  if (withStyle) element.Style = Ini->ReadInteger(section, L"Style", 0);
  ReadMarginsAndTile(element, section);
  // Only stretching (0) and tiling (1) exist for these elements.
  if (element.Tile > 1) element.Tile = 0;
  element.NormalColour = Ini->ReadInteger(section, L"NormalColour", -1);
  element.MouseOverColour = Ini->ReadInteger(section, L"MouseOverColour", -1);
  element.PressedColour = Ini->ReadInteger(section, L"PressedColour", -1);
  element.NormalColour2 = ReadColour(section, L"NormalColour2", Colours.ButtonText);
  element.MouseOverColour2 = ReadColour(section, L"MouseOverColour2", Colours.ButtonText);
  element.PressedColour2 = ReadColour(section, L"PressedColour2", Colours.ButtonText);
}

template <typename Element>
std::unique_ptr<Element> TSkinData::ReadSection(const std::wstring& section, bool withStyle) {
  std::wstring image = Ini->ReadString(section, L"Image", L"");
  if (image.empty()) return nullptr;
  auto element = std::make_unique<Element>(section);
  LoadSkinBitmap(element->Image, image);
  ReadStandardKeys(*element, section, withStyle);
  return element;
}

// A border element whose second image comes from secondKey.
std::unique_ptr<TDataSkinBorder> TSkinData::ReadBorderSection(const std::wstring& section, const wchar_t* secondKey) {
  auto element = ReadSection<TDataSkinBorder>(section, false);
  if (element) LoadSkinBitmap(element->SecondImage, Ini->ReadString(section, secondKey, L""));
  return element;
}

void TSkinData::ReadStandardElements() {
  const std::pair<std::unique_ptr<TDataSkinObject>*, const wchar_t*> plain[] = {
      {&GroupBoxEdge, L"GroupBoxEdge"}, {&Toolbars, L"Toolbars"},
      {&StatusBarEdges, L"StatusBarEdges"}, {&SunkEdge, L"SunkEdge"},
      {&ExtraImages, L"ExtraImages"}, {&Headerbar, L"Headerbar"},
      {&MenuItem, L"MenuItem"}, {&MenuBackground, L"MenuBackground"},
      {&Scrollbar, L"Scrollbar"}, {&HorzScroll, L"HorzScroll"},
      {&VertScroll, L"VertScroll"}, {&TrackbarThumbHorz, L"Trackbar.ThumbHorz"},
      {&TrackbarThumbVert, L"Trackbar.ThumbVert"}, {&TrackbarThumbLeft, L"Trackbar.ThumbLeft"},
      {&TrackbarThumbRight, L"Trackbar.ThumbRight"}, {&TrackbarThumbUp, L"Trackbar.ThumbUp"},
      {&TrackbarThumbDown, L"Trackbar.ThumbDown"}};
  for (auto [element, section] : plain) {
    element->reset();
    *element = ReadSection<TDataSkinObject>(section, true);
  }

  GroupBox.reset();
  GroupBox = ReadSection<TDataSkinBoxLabel>(L"GroupBox", true);
  if (GroupBox) {
    GroupBox->BackgroundAlignment = Ini->ReadInteger(L"GroupBox", L"BackgroundAlignment", 0);
    GroupBox->BackgroundLeftShift = Ini->ReadInteger(L"GroupBox", L"BackgroundLeftShift", 0);
    GroupBox->BackgroundRightShift = Ini->ReadInteger(L"GroupBox", L"BackgroundRightShift", 0);
  }

  Tabs.reset();
  Tabs = ReadBorderSection(L"Tabs", L"Border");
  ComboButton.reset();
  ComboButton = ReadBorderSection(L"ComboButton", L"****");
  // The button for a drop-down that opens to the left is the same image mirrored.
  if (ComboButton && !ComboButton->Image.Empty()) {
    ComboButton->SecondImage.Assign(ComboButton->Image);
    ComboButton->SecondImage.SetPixelFormat(pf24bit);
    MirrorHorizontal(ComboButton->SecondImage);
    if (const TBitmap* doubled = DoubleOf(ComboButton->Image)) {
      auto mirrored = std::make_unique<TBitmap>();
      mirrored->Assign(*doubled);
      mirrored->SetPixelFormat(pf24bit);
      MirrorHorizontal(*mirrored);
      FDoubles[&ComboButton->SecondImage] = std::move(mirrored);
    }
  }
  UpDownHorz.reset();
  UpDownHorz = ReadBorderSection(L"UpDown.Horz", L"GlyphImage");
  UpDownVert.reset();
  UpDownVert = ReadBorderSection(L"UpDown.Vert", L"GlyphImage");

  const std::pair<std::unique_ptr<TDataSkinObject>*, const wchar_t*> thumbs[] = {
      {&HorzScrollThumb, L"HorzScrollThumb"}, {&VertScrollThumb, L"VertScrollThumb"}};
  for (auto [element, section] : thumbs) {
    element->reset();
    *element = ReadSection<TDataSkinObject>(section, true);
    if (*element) (*element)->FrameCount = Ini->ReadInteger(section, L"FrameCount", 3);
  }
}

void TSkinData::SetFrameCounts() {
  Title.FrameCount = 2;
  SetFrameCount(MenuBar.get(), 2);
  SetFrameCount(Progress.get(), 2);
  SetFrameCount(GroupBoxEdge.get(), 2);
  SetFrameCount(GroupBox.get(), 1);
  SetFrameCount(MenuBackground.get(), 1);
  SetFrameCount(StatusBarEdges.get(), 3);
  for (TDataSkinObject* element : {static_cast<TDataSkinObject*>(ComboButton.get()), SunkEdge.get(), HorzScroll.get(),
                                   VertScroll.get()})
    SetFrameCount(element, 4);
  for (TDataSkinObject* element :
       {Toolbars.get(), static_cast<TDataSkinObject*>(Tabs.get()), ExtraImages.get(), Headerbar.get(), MenuItem.get(),
        TrackbarThumbHorz.get(), TrackbarThumbVert.get(), TrackbarThumbLeft.get(), TrackbarThumbRight.get(),
        TrackbarThumbUp.get(), TrackbarThumbDown.get()})
    SetFrameCount(element, 5);
  SetFrameCount(UpDownHorz.get(), 8);
  SetFrameCount(UpDownVert.get(), 8);
  SetFrameCount(Scrollbar.get(), 23);

  Buttons.FrameCount = 5;
  // Without a count, glyphs are 13 px wide in images under 16 px high, else 16.
  auto glyphCount = [](const TBitmap& glyphs) {
    int glyphWidth = glyphs.Height() < 16 ? 13 : 16;
    return std::max(4, glyphs.Width() / glyphWidth);
  };
  if (Buttons.RadioButtonFrame == 0) Buttons.RadioButtonFrame = glyphCount(Buttons.RadioButton);
  if (Buttons.CheckButtonFrame == 0) Buttons.CheckButtonFrame = glyphCount(Buttons.CheckButton);
}
