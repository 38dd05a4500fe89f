#include "skin/controls/SkinCheckBoxes.h"

#include "skin/controls/CheckCell.h"
#include "skin/controls/ControlFrames.h"
#include "skin/model/SkinDraw.h"

void TSkinCheckBox::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
      Refresh();
      break;
    default:
      TSkinControl::AfterMessage(message);
  }
}

TBitmap& TSkinCheckBox::Glyphs() { return Skin().Buttons->CheckButton; }

int TSkinCheckBox::GlyphCount() { return FSkinData->Buttons.CheckButtonFrame; }

bool TSkinCheckBox::IsChecked(bool fromButton) {
  if (FControl)
    if (std::optional<TPropValue> checked = FControl->GetProperty(L"Checked"))
      if (auto* ident = std::get_if<TLayoutIdent>(&*checked)) return IsCheckedText(ident->Name);
  return fromButton;
}

int TSkinCheckBox::GlyphFrame() {
  auto state = static_cast<UINT>(SendMessageW(FWindow, BM_GETSTATE, 0, 0));
  return CheckBoxFrame(IsChecked(state & BST_CHECKED), (state & BST_INDETERMINATE) != 0, FEnabled);
}

TBitmap& TSkinRadioButton::Glyphs() { return Skin().Buttons->RadioButton; }

int TSkinRadioButton::GlyphCount() { return FSkinData->Buttons.RadioButtonFrame; }

int TSkinRadioButton::GlyphFrame() {
  bool checked = SendMessageW(FWindow, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return CheckBoxFrame(IsChecked(checked), false, FEnabled);
}

void TSkinCheckBox::Paint(HDC dc, const RECT& rect) {
  TBitmap& glyphs = Glyphs();
  if (glyphs.Empty()) return;
  ReadWindowState();
  TCheckCellInput in;
  in.Bounds = {rect.left, rect.top, rect.right, rect.bottom};
  in.ImageWidth = glyphs.Width();
  in.ImageHeight = glyphs.Height();
  in.FrameCount = GlyphCount();
  const int dpi = DrawDpi();
  in.MenuCheckWidth = SystemMetricForDpi(SM_CXMENUCHECK, dpi);
  in.Scale = TDpiScale(dpi);
  in.LeftText = (GetWindowLongPtrW(FWindow, GWL_STYLE) & BS_LEFTTEXT) != 0;
  TCheckCellPlacement place = PlaceCheckCell(in);
  const TSkinRect& clear = place.ClearArea;
  FillBackground(dc, {clear.Left, clear.Top, clear.Right, clear.Bottom});
  const TSkinRect& cell = place.Cell;
  DrawFrameImage(CanvasOn(dc).Handle(), {cell.Left, cell.Top, cell.Right, cell.Bottom}, glyphs, true, in.FrameCount,
                 GlyphFrame());
}
