#include "skin/controls/SkinBoxes.h"

#include "skin/controls/TextPlacement.h"
#include "skin/model/SkinDraw.h"

namespace {

// LifeState of a box whose colour was given back by RestoreColour.
constexpr int kBoxRestored = 2;
// LifeState 4 would mean a window being destroyed; a box never gets there itself.
constexpr int kBoxWindowDying = 4;

}  // namespace

void TSkinBox::AttachControl(TSkinFormLink* form, TSkinData& skinData, bool useSkinColour, TCanvas* canvas) {
  auto* control = dynamic_cast<TControl*>(Owner());
  if (FAttached || !control) return;
  FControl = control;
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) FWindow = windowed->Handle();
  FSkinData = &skinData;
  FForm = form;
  FCanvas = canvas;
  FUseSkinColour = useSkinColour;
  RegisterWithForm();
  if (FUseSkinColour) {
    FSavedColour = control->Color();
    control->SetColor(skinData.Colours.ButtonFace);
  }
  FAttached = true;
  FLifeState = kSkinAttached;
}

void TSkinBox::RestoreColour() {
  if (FLifeState != kBoxWindowDying) TSkinControl::RestoreColour();
  FLifeState = kBoxRestored;
}

void TSkinGroupBox::Paint(HDC dc, const RECT& rect) {
  ReadWindowState();
  if (FCaption.empty() && FControl) FCaption = FControl->Text();
  auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(FWindow, WM_GETFONT, 0, 0));
  TSelectObject selected(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const TSkinRect frame = GroupBoxFrame(rect.right - rect.left, rect.bottom - rect.top, zero.cy);
  RECT outer{frame.Left, frame.Top, frame.Right, frame.Bottom};
  // The line and its corners grow with the display scale.
  const TDpiScale scale(DrawDpi());
  const int line = scale.Scale(1), corner = scale.Scale(kGroupBoxCorner);
  TBrushHandle face(CreateSolidBrush(FaceColour()));
  RECT text{scale.Scale(kGroupBoxCaptionLeft), 0, rect.right, zero.cy};
  if (!FCaption.empty()) {
    DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &text, DT_EXPANDTABS | DT_CALCRECT);
    // The platform's own caption stands where its fixed offset puts it: the
    // band up to the end of the skin's is wiped, so the caption shows once.
    RECT band{0, 0, text.right, text.bottom};
    if (!scale.IsIdentity()) FillRect(dc, &band, face.Get());
  }
  for (RECT edge = outer; edge.left < outer.left + 2 * line; InflateRect(&edge, -1, -1))
    FrameRect(dc, &edge, face.Get());
  const COLORREF shadowColour = ColorToRGB(FSkinData->Colours.ButtonShadow);
  TPenHandle shadow(CreatePen(line > 1 ? PS_INSIDEFRAME : PS_SOLID, line, shadowColour));
  {
    TSelectObject pen(dc, shadow.Get());
    TSelectObject hollow(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, outer.left, outer.top, outer.right, outer.bottom, corner, corner);
  }
  if (FCaption.empty()) return;
  int mode = SetBkMode(dc, OPAQUE);
  COLORREF background = SetBkColor(dc, FaceColour());
  SetTextColour(dc, FControl ? FControl->Font().Color() : SystemColor(COLOR_BTNTEXT));
  DrawWideText(dc, FCaption, text, DT_EXPANDTABS);
  SetBkColor(dc, background);
  SetBkMode(dc, mode);
}
