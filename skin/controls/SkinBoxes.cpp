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
  RECT inner = outer;
  InflateRect(&inner, -1, -1);
  TBrushHandle face(CreateSolidBrush(FaceColour()));
  FrameRect(dc, &outer, face.Get());
  FrameRect(dc, &inner, face.Get());
  TPenHandle shadow(CreatePen(PS_SOLID, 1, ColorToRGB(FSkinData->Colours.ButtonShadow)));
  {
    TSelectObject pen(dc, shadow.Get());
    TSelectObject hollow(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, outer.left, outer.top, outer.right, outer.bottom, kGroupBoxCorner, kGroupBoxCorner);
  }
  if (FCaption.empty()) return;
  RECT text{kGroupBoxCaptionLeft, 0, rect.right, zero.cy};
  DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &text, DT_EXPANDTABS | DT_CALCRECT);
  int mode = SetBkMode(dc, OPAQUE);
  COLORREF background = SetBkColor(dc, FaceColour());
  SetTextColour(dc, FControl ? FControl->Font().Color() : SystemColor(COLOR_BTNTEXT));
  DrawWideText(dc, FCaption, text, DT_EXPANDTABS);
  SetBkColor(dc, background);
  SetBkMode(dc, mode);
}
