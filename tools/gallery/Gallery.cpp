#include "tools/gallery/Gallery.h"

#include <commctrl.h>

#include "tools/gallery/GalleryHost.h"
#include "tools/gallery/PngFile.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/FileStream.h"

namespace {

constexpr int kGlyphSize = 16;
constexpr int kGlyphCells = 4;  // normal, disabled, pressed, and a fourth like normal

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

void Settle(HWND wnd) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Application.ProcessMessagesFor(300);
}

// A round "record" mark per cell on a fuchsia ground (the glyph's transparent colour).
void DrawRecordGlyphs(TBitmap& glyph) {
  glyph.SetSize(kGlyphSize * kGlyphCells, kGlyphSize);
  HDC dc = glyph.Canvas().Handle();
  const COLORREF marks[kGlyphCells] = {RGB(214, 48, 49), RGB(150, 150, 150), RGB(140, 20, 20), RGB(214, 48, 49)};
  TBrushHandle ground(CreateSolidBrush(RGB(255, 0, 255)));
  RECT all{0, 0, glyph.Width(), glyph.Height()};
  FillRect(dc, &all, ground.Get());
  for (int cell = 0; cell < kGlyphCells; ++cell) {
    TBrushHandle mark(CreateSolidBrush(marks[cell]));
    TPenHandle edge(CreatePen(PS_SOLID, 1, marks[cell]));
    TSelectObject brush(dc, mark.Get());
    TSelectObject pen(dc, edge.Get());
    const int x = cell * kGlyphSize;
    Ellipse(dc, x + 3, 3, x + 13, 13);
  }
}

}  // namespace

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) {
  ReadLayout(L"TGALLERYFORM");
  DrawGlyphs();
}

void TGalleryForm::DrawGlyphs() {
  for (int i = 1; i <= 5; ++i) {
    auto* button = Field<TBitBtn>(L"BitBtn" + std::to_wstring(i));
    DrawRecordGlyphs(button->Glyph());
    button->SetNumGlyphs(kGlyphCells);
  }
}

void TGalleryForm::ShowStates(bool skinned) {
  for (const wchar_t* row : {L"Button", L"BitBtn"}) {
    auto* hot = Field<TButton>(row + std::wstring(L"2"));
    hot->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(hot));
    auto* pressed = Field<TButton>(row + std::wstring(L"3"));
    if (skinned)
      pressed->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    else
      SendMessageW(pressed->Handle(), BM_SETSTATE, TRUE, 0);
  }
  auto* hotSpeed = Field<TSpeedButton>(L"SpeedButton2");
  hotSpeed->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(hotSpeed));
  Field<TSpeedButton>(L"SpeedButton3")->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SetFocus(Field<TButton>(L"Button5")->Handle());
  Application.ProcessMessages();
}

void TGalleryForm::RepaintAll() {
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

TGalleryDialog::TGalleryDialog(HWND owner)
    : FHandle(CreateDialogParamW(GetModuleHandleW(nullptr), L"GALLERYDIALOG", owner, DialogProc, 0)) {
  if (!FHandle) throw Exception(L"Resource %s not found", {std::wstring(L"GALLERYDIALOG")});
  for (const wchar_t* item : {L"44100Hz 16bit Mono", L"44100Hz 16bit Stereo", L"22050Hz 8bit Mono"})
    SendDlgItemMessageW(FHandle, 105, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendDlgItemMessageW(FHandle, 105, CB_SETCURSEL, 0, 0);
  COMBOBOXEXITEMW extended{};
  extended.mask = CBEIF_TEXT;
  extended.pszText = const_cast<wchar_t*>(L"Primary Sound Driver");
  SendDlgItemMessageW(FHandle, 106, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&extended));
  SendDlgItemMessageW(FHandle, 106, CB_SETCURSEL, 0, 0);
  SetDlgItemTextW(FHandle, 107, L"C:\\temp.wav");
  SCROLLINFO bar{};
  bar.cbSize = sizeof(bar);
  bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  bar.nMax = 100;
  bar.nPage = 20;
  bar.nPos = 40;
  SetScrollInfo(GetDlgItem(FHandle, 108), SB_CTL, &bar, TRUE);
  int index = 0;
  for (const wchar_t* caption : {L"格式", L"设备", L"高级"}) {
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(caption);
    SendDlgItemMessageW(FHandle, 109, TCM_INSERTITEMW, WPARAM(index++), reinterpret_cast<LPARAM>(&tab));
  }
  CheckDlgButton(FHandle, 101, BST_CHECKED);
  CheckDlgButton(FHandle, 102, BST_INDETERMINATE);
  CheckDlgButton(FHandle, 103, BST_CHECKED);
  SetWindowPos(FHandle, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

TGalleryDialog::~TGalleryDialog() { DestroyWindow(FHandle); }

// The cancel button is hot with the pointer really over it: a window
// without a toolkit form looks where the pointer is and lets a button it
// has left go back to normal.
void TGalleryDialog::ShowStates() {
  RECT cancel;
  GetWindowRect(GetDlgItem(FHandle, IDCANCEL), &cancel);
  SetCursorPos(cancel.left + 4, cancel.top + 4);
  SendDlgItemMessageW(FHandle, IDCANCEL, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  SendDlgItemMessageW(FHandle, IDOK, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  Application.ProcessMessages();
}

bool LoadSkinResource(TSkinData& skin, const wchar_t* resourceName) {
  HRSRC found = FindResourceW(nullptr, resourceName, reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!found) return false;
  auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
  auto size = static_cast<uint32_t>(SizeofResource(nullptr, found));
  TLayoutBinary stored;
  for (int shift = 0; shift < 32; shift += 8) stored.push_back(uint8_t(size >> shift));
  stored.insert(stored.end(), bytes, bytes + size);
  skin.ReadSkinStream(stored);
  return !skin.SkinNotReady;
}

void WriteWindowPicture(HWND wnd, const std::wstring& path) {
  RECT rect;
  GetWindowRect(wnd, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  TBitmap shot;
  shot.SetSize(width, height);
  {
    TWindowDC screen(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
  }
  std::vector<uint8_t> rgb;
  rgb.reserve(size_t(width) * size_t(height) * 3);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = shot.ScanLine(y);
    for (int x = 0; x < width; ++x) rgb.insert(rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
  }
  const std::vector<uint8_t> png = EncodePng(width, height, rgb);
  TFileStream file(path, fmCreate);
  file.WriteBuffer(png.data(), static_cast<int32_t>(png.size()));
}

void WriteGallery(TSkinData& skin, const std::wstring& folder) {
  {
    TGalleryForm plain(nullptr);
    plain.Show();
    plain.ShowStates(false);
    Settle(plain.Handle());
    WriteWindowPicture(plain.Handle(), folder + L"\\gallery-plain.png");
  }
  {
    TGalleryForm skinned(nullptr);
    TGalleryHost host(nullptr);
    skinned.Show();
    host.SkinForm(skinned, skin);
    skinned.ShowStates(true);
    Settle(skinned.Handle());
    WriteWindowPicture(skinned.Handle(), folder + L"\\gallery.png");
  }
  TGalleryDialog dialog(nullptr);
  TGalleryHost host(nullptr);
  host.SkinWindow(dialog.Handle(), skin);
  dialog.ShowStates();
  Settle(dialog.Handle());
  WriteWindowPicture(dialog.Handle(), folder + L"\\dialog.png");
}
