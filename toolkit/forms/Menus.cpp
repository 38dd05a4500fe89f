#include "toolkit/forms/Menus.h"

#include <algorithm>
#include <utility>

#include "toolkit/forms/Form.h"
#include "toolkit/graphics/ImgList.h"
#include "toolkit/platform/Application.h"

namespace {

constexpr int kGlyphSize = 16;
constexpr int kCaptionGap = 3;     // between the glyph box and the caption
constexpr int kShortCutGap = 16;   // between the caption and the shortcut
constexpr int kRightMargin = 11;   // where the platform puts its sub-menu arrow
constexpr int kSeparatorHeight = 8;


// Commands are unique in the process, so any window can find its item.
UINT NextCommand() {
  static UINT next = 100;
  return next++;
}

// The pop-up menu whose menu loop runs; only one loop can run at a time.
TPopupMenu* gTracking = nullptr;

// Receives the owner-draw messages of the pop-up menus: a pop-up may belong
// to no window at all.
LRESULT CALLBACK PopupWindowProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  try {
    if (msg == WM_MEASUREITEM && gTracking && gTracking->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)))
      return TRUE;
    if (msg == WM_DRAWITEM && gTracking && gTracking->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lparam)))
      return TRUE;
  } catch (const std::exception& error) {
    Application.HandleException(error);
    return TRUE;
  }
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

HWND PopupWindow() {
  static TWindowHandle window;
  if (!window) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PopupWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TPopupWindow";
    RegisterClassW(&windowClass);
    window.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, L"TPopupWindow", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 windowClass.hInstance, nullptr));
  }
  return window.Get();
}

class TTrackingScope {
 public:
  explicit TTrackingScope(TPopupMenu* menu) : FPrevious(std::exchange(gTracking, menu)) {}
  ~TTrackingScope() { gTracking = FPrevious; }
  TTrackingScope(const TTrackingScope&) = delete;
  TTrackingScope& operator=(const TTrackingScope&) = delete;

 private:
  TPopupMenu* FPrevious;
};

// Each setter remakes the menu only on a real change, so an action brought up
// to date while its menu is drawn does not remake the menu for nothing.
template <typename Value>
bool Assign(Value& field, Value value) {
  if (field == value) return false;
  field = value;
  return true;
}

void UpdateActions(TMenuItem& item) {
  item.UpdateAction();
  for (int i = 0; i < item.Count(); ++i) UpdateActions(*item.Items(i));
}

// A canvas for measuring and drawing items, with the screen's menu font.
void UseMenuFont(TCanvas& canvas) { canvas.Font().AssignHandle(Screen.MenuFont()); }

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(NextCommand()) {}

TMenuItem::~TMenuItem() {
  for (TMenuItem* item : FItems) item->FParent = nullptr;
  if (FParent) {
    auto& siblings = FParent->FItems;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

void TMenuItem::SetCaption(std::wstring caption) {
  if (caption == FCaption) return;
  FCaption = std::move(caption);
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) { if (Assign(FEnabled, enabled)) Changed(); }
void TMenuItem::SetVisible(bool visible) { if (Assign(FVisible, visible)) Changed(); }
void TMenuItem::SetChecked(bool checked) { if (Assign(FChecked, checked)) Changed(); }
void TMenuItem::SetDefault(bool value) { if (Assign(FDefault, value)) Changed(); }
void TMenuItem::SetImageIndex(int index) { if (Assign(FImageIndex, index)) Changed(); }
void TMenuItem::SetShortCut(TShortCut shortCut) { if (Assign(FShortCut, shortCut)) Changed(); }
void TMenuItem::SetOnDrawItem(const TMenuDrawItemEvent& handler) { FOnDrawItem = handler; }
void TMenuItem::SetOnMeasureItem(const TMenuMeasureItemEvent& handler) { FOnMeasureItem = handler; }

TMenu* TMenuItem::GetParentMenu() {
  TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return dynamic_cast<TMenu*>(root);
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->FParent) item->FParent->FItems.erase(std::find(item->FParent->FItems.begin(), item->FParent->FItems.end(), item));
  item->FParent = this;
  FItems.push_back(item);
  Changed();
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
}

TMenuItem* TMenuItem::Find(UINT command) {
  if (command == FCommand) return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->Find(command)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindByHandle(HMENU menu) {
  if (!menu) return nullptr;
  if (menu == FHandle) return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->FindByHandle(menu)) return found;
  return nullptr;
}

void TMenuItem::Populate(HMENU menu) {
  TMenu* root = GetParentMenu();
  bool ownerDraw = root && root->OwnerDraw();
  for (TMenuItem* item : FItems)
    if (item->FVisible) item->AppendTo(menu, ownerDraw);
}

// Owner-drawn items carry no text: their captions live here.
void TMenuItem::AppendTo(HMENU menu, bool ownerDraw) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
  info.wID = FCommand;
  info.fState = (FEnabled ? MFS_ENABLED : MFS_GRAYED) | (FChecked ? MFS_CHECKED : 0u) | (FDefault ? MFS_DEFAULT : 0u);
  std::wstring text = MenuText();
  if (ownerDraw) {
    info.fType = MFT_OWNERDRAW | (IsSeparator() ? MFT_SEPARATOR : 0u);
  } else if (IsSeparator()) {
    info.fType = MFT_SEPARATOR;
  } else {
    info.fType = MFT_STRING;
    info.fMask |= MIIM_STRING;
    info.dwTypeData = text.data();
  }
  if (!FItems.empty()) {
    // The pop-up belongs to the menu it sits in: destroying that destroys it.
    FHandle = CreatePopupMenu();
    Populate(FHandle);
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = FHandle;
  }
  InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

std::wstring TMenuItem::MenuText() const {
  std::wstring keys = ShortCutToText(FShortCut);
  return keys.empty() ? FCaption : FCaption + L"\t" + keys;
}

void TMenuItem::Changed() {
  if (TMenu* root = GetParentMenu()) root->Rebuild();
}

void TMenuItem::ForgetHandles() {
  FHandle = nullptr;
  for (TMenuItem* item : FItems) item->ForgetHandles();
}

void TMenuItem::Click() {
  if (FEnabled && FOnClick) FOnClick(this);
}

int TMenuItem::GlyphWidth() {
  TMenu* root = GetParentMenu();
  int width = root && root->Images() ? root->Images()->Width() : kGlyphSize;
  return FChecked ? std::max(width, kGlyphSize) : width;
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  if (IsSeparator()) {
    width = 0;
    height = kSeparatorHeight;
  } else {
    // An empty caption or a lone "&" still takes a line's height.
    std::wstring caption = FCaption.empty() || FCaption == L"&" ? FCaption + L" " : FCaption;
    RECT text{};
    canvas.DrawText(caption, text, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP);
    RECT keys{};
    std::wstring keyText = ShortCutToText(FShortCut);
    if (!keyText.empty()) canvas.DrawText(keyText, keys, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    int glyph = GlyphWidth();
    width = 1 + glyph + kCaptionGap + text.right + (keyText.empty() ? 0 : kShortCutGap + keys.right) + kRightMargin;
    height = std::max<int>(text.bottom + 4, glyph + 2);
  }
  if (FOnMeasureItem) FOnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected) {
  UpdateAction();
  if (FOnDrawItem) return FOnDrawItem(this, canvas, rect, selected);
  canvas.Brush().SetColor(SystemColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  canvas.FillRect(rect);
  if (IsSeparator()) {
    RECT line{rect.left, rect.top + 4, rect.right, rect.bottom};
    DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  int glyph = GlyphWidth();
  int top = rect.top + (rect.bottom - rect.top - glyph) / 2;
  RECT box{rect.left + 1, top, rect.left + 1 + glyph, top + glyph};
  DrawGlyph(canvas, box);
  canvas.Font().SetColor(SystemColor(!FEnabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  if (FDefault) canvas.Font().SetStyle(canvas.Font().Style() | fsBold);
  RECT text{box.right + kCaptionGap, rect.top, rect.right - 1, rect.bottom};
  canvas.DrawText(FCaption, text, DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER);
  RECT keys{text.left, rect.top, rect.right - kRightMargin, rect.bottom};
  canvas.DrawText(ShortCutToText(FShortCut), keys, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
}

// An image, pressed in when checked; else the platform's check mark.
void TMenuItem::DrawGlyph(TCanvas& canvas, const RECT& box) {
  TMenu* root = GetParentMenu();
  TImageList* images = root ? root->Images() : nullptr;
  if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
    if (FChecked) {
      RECT edge = box;
      canvas.Brush().SetColor(SystemColor(COLOR_BTNHIGHLIGHT));
      canvas.FillRect(edge);
      DrawEdge(canvas.Handle(), &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    images->Draw(canvas, box.left, box.top, FImageIndex, FEnabled);
  } else if (FChecked) {
    RECT mark = box;
    DrawFrameControl(canvas.Handle(), &mark, DFC_MENU, DFCS_MENUCHECK);
  }
}

bool TMenuItem::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Caption") return SetCaption(PropString(value)), true;
  if (name == L"Enabled") return SetEnabled(PropBool(value)), true;
  if (name == L"Visible") return SetVisible(PropBool(value)), true;
  if (name == L"Checked") return SetChecked(PropBool(value)), true;
  if (name == L"Default") return SetDefault(PropBool(value)), true;
  if (name == L"ImageIndex") return SetImageIndex(int(PropInt(value))), true;
  if (name == L"ShortCut") return SetShortCut(TShortCut(PropInt(value))), true;
  return TComponent::SetProperty(name, value);
}

std::optional<TPropValue> TMenuItem::GetProperty(const std::wstring& name) const {
  if (name == L"Caption") return FCaption;
  if (name == L"Enabled") return BoolProp(FEnabled);
  if (name == L"Checked") return BoolProp(FChecked);
  return TComponent::GetProperty(name);
}

bool TMenuItem::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name == L"OnClick") return BindEvent(handler, FOnClick);
  if (name == L"OnDrawItem") return BindEvent(handler, FOnDrawItem);
  if (name == L"OnMeasureItem") return BindEvent(handler, FOnMeasureItem);
  return TComponent::SetEvent(name, handler);
}

HMENU TMenu::MenuHandle() {
  if (!FMenu) {
    FMenu.Reset(CreateHandle());
    FHandle = FMenu.Get();
    Populate(FMenu.Get());
  }
  return FMenu.Get();
}

void TMenu::SetOwnerDraw(bool ownerDraw) { if (Assign(FOwnerDraw, ownerDraw)) Rebuild(); }
void TMenu::SetImages(TImageList* images) { if (Assign(FImages, images)) Rebuild(); }

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = Find(command);
  if (!item || item == this) return false;
  item->Click();
  return true;
}

bool TMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
  TMenuItem* item = measure.CtlType == ODT_MENU ? Find(measure.itemID) : nullptr;
  if (!item || item == this) return false;
  TWindowDC dc(nullptr);
  TCanvas canvas(dc.Get());
  UseMenuFont(canvas);
  int width = 0;
  int height = 0;
  item->MeasureItem(canvas, width, height);
  measure.itemWidth = static_cast<UINT>(std::max(width, 0));
  measure.itemHeight = static_cast<UINT>(std::max(height, 0));
  return true;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
  TMenuItem* item = draw.CtlType == ODT_MENU ? Find(draw.itemID) : nullptr;
  if (!item || item == this) return false;
  TSaveDC saved(draw.hDC);
  TCanvas canvas(draw.hDC);
  UseMenuFont(canvas);
  item->DrawItem(canvas, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
  return true;
}

void TMenu::Rebuild() {
  ForgetHandles();
  FMenu.Reset();
}

bool TMenu::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"OwnerDraw") return SetOwnerDraw(PropBool(value)), true;
  return TMenuItem::SetProperty(name, value);
}

// The window menu is remade as a whole; a destroyed bar takes its pop-ups with it.
void TMainMenu::Rebuild() {
  if (!FMenu) return;
  ForgetHandles();
  TMenuHandle old(FMenu.Detach());
  if (FOnChange) FOnChange();
}

void TPopupMenu::Rebuild() {
  if (gTracking == this) {
    FStale = true;
    return;
  }
  TMenu::Rebuild();
}

void TPopupMenu::Popup(int x, int y) {
  UpdateActions(*this);
  HMENU menu = MenuHandle();
  UINT command;
  {
    TTrackingScope tracking(this);
    command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, PopupWindow(), nullptr));
  }
  if (std::exchange(FStale, false)) Rebuild();
  if (command) DispatchCommand(command);
}
