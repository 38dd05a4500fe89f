#include "skin/engine/WinSkinMenu.h"

#include <utility>

#include "skin/controls/TextPlacement.h"
#include "skin/engine/MenuItemPainter.h"
#include "skin/engine/MenuLoop.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinBoundary.h"
#include "skin/engine/SkinMessages.h"
#include "toolkit/core/MenuMnemonic.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSysButton.h"
#include "skin/engine/WindowFacts.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinDraw.h"
#include "skin/model/SkinShared.h"
#include "toolkit/forms/ExtCtrls.h"

namespace {

constexpr int kEntryTextLimit = 80;
constexpr unsigned kCursorWatchInterval = 50;

// One drop-down of a skinned bar is open at a time: the platform runs one menu loop.
struct TTracking {
  TWinSkinMenu* Bar = nullptr;
  TMenuLoop Loop;
  THookHandle FilterHook;
  TMenuItem* TrackedItem = nullptr;
  // The entry a move of the mouse or a key went to, clicked open once the
  // closing drop-down's loop has returned; -1 for none. Later moves in the
  // closing drop-down ask for nothing more.
  int PendingEntry = -1;
  bool PendingFromKeyboard = false;  // an arrow key asked for it
  // The next opening comes from the keyboard and selects the first item.
  bool OpenFromKeyboard = false;
};

TTracking& Tracking() {
  static TTracking tracking;
  return tracking;
}

TSkinPoint WindowOrigin(HWND wnd) {
  RECT rect{};
  GetWindowRect(wnd, &rect);
  return {rect.left, rect.top};
}

// Every item of a drop-down, and of its sub-menus, drawn by its owner; each
// item changed is noted, so that it can be given back.
void MakeOwnerDrawn(HMENU menu, std::vector<TWinSkinMenu::TOwnerDrawnItem>& changed) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu, changed);
    if (info.fType & MFT_OWNERDRAW) continue;
    info.fMask = MIIM_FTYPE;
    info.fType |= MFT_OWNERDRAW;
    if (SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) changed.push_back({menu, info.wID, info.hSubMenu});
  }
}

// An item noted by MakeOwnerDrawn, found again by its identifier or drop-down.
int PositionOf(const TWinSkinMenu::TOwnerDrawnItem& item) {
  const int count = GetMenuItemCount(item.Menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU | MIIM_ID;
    if (GetMenuItemInfoW(item.Menu, static_cast<UINT>(i), TRUE, &info) && info.wID == item.Id &&
        info.hSubMenu == item.SubMenu)
      return i;
  }
  return -1;
}

// The toolkit's item at a position of its platform menu, which holds only
// the visible items, in order.
TMenuItem* VisibleItem(TMenuItem& menu, int position) {
  for (int i = 0; i < menu.Count(); ++i)
    if (menu.Items(i)->Visible() && position-- == 0) return menu.Items(i);
  return nullptr;
}

bool IsNt4() {
  return IsNtPlatform && LOBYTE(LOWORD(WindowsVersion)) == 4;
}

TTrackedItem TrackedItemView(HMENU trackedMenu) {
  TMenuItem* item = Tracking().TrackedItem;
  if (!item) return {};
  TTrackedItem view;
  view.Present = true;
  view.ParentRightToLeft = IsRightToLeftMenu(ParentMenuHandle(*item));
  view.HasSubItems = item->Count() > 0;
  view.InTrackedDropDown = ParentMenuHandle(*item) == trackedMenu || item->Handle() == trackedMenu;
  return view;
}

}  // namespace

TMenuBtn::TMenuBtn(TWinSkinMenu& bar, TSkinData& data) : TNCObject(bar.FormSkinner), Bar(bar), SkinData(data) {}

// The entry's column of the bar from the bar's cache, a frame when it is hot
// or pressed, and its caption, composed off screen and copied once.
void TMenuBtn::Paint() {
  if (Bar.BarCache.Empty() || Bounds.IsEmpty()) return;
  const RECT& bar = Bar.BarRect;
  const int width = Bounds.Width(), height = bar.bottom - bar.top;
  TBitmap column;
  column.SetSize(width, height);
  HDC dc = column.Canvas().Handle();
  BitBlt(dc, 0, 0, width, height, Bar.BarCache.Canvas().Handle(), Bounds.Left - bar.left, 0, SRCCOPY);
  const RECT local{0, Bounds.Top - bar.top, width, Bounds.Bottom - bar.top};
  if (State == nsPressed || State == nsHot) {
    TBrushHandle frame(CreateSolidBrush(ColorToRGB(SkinData.Colours.ButtonHilight)));
    FrameRect(dc, &local, frame.Get());
  }
  Bar.DrawEntryCaption(dc, *this, local);
  TWindowDC window = TWindowDC::WholeWindow(Bar.FormSkinner.Handle);
  BitBlt(window.Get(), Bounds.Left, bar.top, width, height, dc, 0, 0, SRCCOPY);
}

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& form, TSkinData& data) : SkinData(data), FormSkinner(form) {
  if (form.Form) Menu = form.Form->Menu();
}

// The items it made owner-drawn are the platform's to draw again: a window
// without a toolkit menu has no one else to draw them.
TWinSkinMenu::~TWinSkinMenu() {
  for (const TOwnerDrawnItem& item : FOwnerDrawn) {
    const int position = IsMenu(item.Menu) ? PositionOf(item) : -1;
    if (position < 0) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(item.Menu, static_cast<UINT>(position), TRUE, &info);
    info.fType &= ~MFT_OWNERDRAW;
    SetMenuItemInfoW(item.Menu, static_cast<UINT>(position), TRUE, &info);
  }
  if (Tracking().Bar == this) {
    Tracking().Bar = nullptr;
    FormSkinner.MenuTracking = false;
  }
  if (FormSkinner.HotObject && dynamic_cast<TMenuBtn*>(FormSkinner.HotObject)) FormSkinner.HotObject = nullptr;
}

void TWinSkinMenu::LoadFromMenuHandle() {
  if (HMENU menu = GetMenu(FormSkinner.Handle)) MenuHandle = menu;
  if (!MenuHandle) return;
  ReadEntries(false);
  SetMenu(FormSkinner.Handle, nullptr);
}

void TWinSkinMenu::LoadFromMenu(HMENU menu) {
  if (menu) MenuHandle = menu;
  if (!MenuHandle) return;
  ReadEntries(true);
  SetMenu(FormSkinner.Handle, nullptr);
}

void TWinSkinMenu::LoadFromToolkitMenu() {
  if (HMENU menu = GetMenu(FormSkinner.Handle)) MenuHandle = menu;
  Entries.clear();
  EntryCount = 0;
  if (!Menu || Menu->Count() <= 0) return;
  for (int i = 0; i < Menu->Count(); ++i) {
    TMenuItem& item = *Menu->Items(i);
    if (!item.Visible()) continue;  // the bar shows only what the platform's would
    auto entry = std::make_unique<TMenuBtn>(*this, SkinData);
    entry->Index = EntryCount++;
    TakeToolkitItem(*entry, item);
    entry->Visible = true;
    entry->Command = static_cast<int32_t>(item.Command());
    Entries.push_back(std::move(entry));
  }
  SetMenu(FormSkinner.Handle, nullptr);
  FormSkinner.HotObject = nullptr;
}

// Owner-drawn entries have no text in the platform menu: the toolkit's item
// gives it, by position or by command.
void TWinSkinMenu::ReadEntries(bool fromMenuByCommand) {
  Entries.clear();
  EntryCount = GetMenuItemCount(MenuHandle);
  if (EntryCount <= 0) return;
  for (int i = 0; i < EntryCount; ++i) {
    wchar_t text[kEntryTextLimit + 1] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = kEntryTextLimit;
    GetMenuItemInfoW(MenuHandle, static_cast<UINT>(i), TRUE, &info);
    auto entry = std::make_unique<TMenuBtn>(*this, SkinData);
    entry->Index = i;
    entry->SubMenu = info.hSubMenu;
    entry->Enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
    entry->Visible = true;
    entry->Command = static_cast<int32_t>(info.wID);
    entry->Caption = (info.fType & MFT_OWNERDRAW) ? L"" : text;
    TMenuItem* item = nullptr;
    if (entry->Caption.empty() && Menu)
      item = fromMenuByCommand ? Menu->Find(info.wID) : VisibleItem(*Menu, i);
    if (item && item != Menu) {
      TakeToolkitItem(*entry, *item);
      if (!fromMenuByCommand) entry->Command = static_cast<int32_t>(GetMenuItemID(MenuHandle, i));
    }
    Entries.push_back(std::move(entry));
  }
}

void TWinSkinMenu::TakeToolkitItem(TMenuBtn& entry, TMenuItem& item) {
  item.UpdateAction();
  entry.Caption = item.Caption();
  entry.Enabled = item.Enabled();
  entry.SubMenu = item.Count() > 0 ? item.Handle() : nullptr;
}

void TWinSkinMenu::DrawEntryCaption(HDC dc, const TMenuBtn& entry, const RECT& rect) {
  TSelectObject font(dc, Screen.MenuFont());
  const int mode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, entry.Enabled ? ColorToRGB(SkinData.Colours.MenuBarText) : GetSysColor(COLOR_BTNSHADOW));
  RECT measured{0, 0, 0, 0};
  DrawTextW(dc, entry.Caption.c_str(), -1, &measured, DT_CENTER | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP);
  RECT place = ToRect(CaptionRect(ToSkin(rect), measured.right, measured.bottom, true));
  DrawWideText(dc, entry.Caption, place, DT_CENTER | DT_EXPANDTABS);
  SetBkMode(dc, mode);
}

void TWinSkinMenu::PaintBar(HDC dc, const RECT& rect) {
  TSkinShared* shared = SkinShared();
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (!shared || width <= 0 || height <= 0) return;
  TBitmap& bitmap = shared->Scratch;
  if (bitmap.Width() != width || bitmap.Height() != height) bitmap.SetSize(width, height);
  HDC target = bitmap.Canvas().Handle();
  const RECT whole{0, 0, width, height};
  const bool rightToLeft = FormSkinner.RightToLeft;
  const TControlSkin skin = SkinData.ControlSkinAt(FormSkinner.Dpi);
  TDataSkinObject* face = skin.MenuBar;
  const int frame = MenuBarFrame(FormSkinner.Active);
  // The bar's face is drawn again only for another size, state, skin or
  // scale; the entries' texts are drawn over a copy of it every time.
  const TBarKey key{width, height, frame, FormSkinner.Dpi, face, SkinData.SkinLoad, SkinData.Colours.Menubar};
  if (!(key == BarCacheKey) || BarCache.Width() != width || BarCache.Height() != height) {
    BarCache.SetSize(width, height);
    TCanvas& canvas = BarCache.Canvas();
    if (face) {
      const TMargins ends{face->LeftWidth, 0, face->RightWidth, 0};
      if (MenuBarIsNineSlice(face->Tile)) {
        auto rendered = RenderElement(whole, face->Image, ends, true, false, 2, frame);
        BitBlt(canvas.Handle(), 0, 0, width, height, rendered->Canvas().Handle(), 0, 0, SRCCOPY);
      } else {
        DrawThreeSlice(canvas, whole, face->Image, true, false, 2, frame, ends);
      }
    } else {
      canvas.Brush().SetColor(SkinData.Colours.Menubar);
      canvas.FillRect(whole);
    }
    BarCacheKey = key;
  }
  const int start =
      face ? MenuBarStart(TMenuBarEnds{face->LeftWidth, face->RightWidth}, rightToLeft, width, skin.Scale)
              : MenuBarStart(std::nullopt, rightToLeft, width, skin.Scale);
  BitBlt(target, 0, 0, width, height, BarCache.Canvas().Handle(), 0, 0, SRCCOPY);
  BarRect = rect;

  Painting = true;
  std::vector<int> widths;
  {
    TSelectObject font(target, Screen.MenuFont());
    for (auto& entry : Entries) {
      RECT measured{0, 0, 0, 0};
      DrawTextW(target, entry->Caption.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
      widths.push_back(entry->Caption.empty() ? 0 : measured.right);
    }
  }
  std::vector<TSkinRect> places = LayoutMenuEntries(widths, width, height, start, rightToLeft, skin.Scale);
  for (size_t i = 0; i < Entries.size(); ++i) {
    DrawEntryCaption(target, *Entries[i], ToRect(places[i]));
    Entries[i]->Bounds = Offset(places[i], rect.left, rect.top);
  }
  Painting = false;

  if (FormSkinner.FormKind == fkMdiFrame && FormSkinner.IsActiveChildMaximised()) {
    for (auto& button : FormSkinner.SysButtons) {
      TDataSkinSysButton& element = button->Element;
      if (element.Visibility != kMenuBarButtonVisibility || element.Image.Empty()) continue;
      DrawFrameImage(target, ToRect(MenuBarButtonPlace(button->Bounds, FormSkinner.FrameSizes())), element.Image, true,
                     element.FrameCount, 1);
    }
    if (TSkinManage* manager = SkinManager(); manager && !manager->MdiMaximised) manager->SetMdiMax(true);
  }
  BitBlt(dc, rect.left, rect.top, width, height, target, 0, 0, SRCCOPY);
}

std::vector<TMenuEntryView> TWinSkinMenu::EntryViews() const {
  std::vector<TMenuEntryView> views;
  for (auto& entry : Entries) views.push_back({entry->Bounds, entry->Caption, entry->Enabled});
  return views;
}

TMenuBtn* TWinSkinMenu::HitEntry(TSkinPoint point) {
  int index = MenuEntryAt(EntryViews(), point);
  return index < 0 ? nullptr : Entries[static_cast<size_t>(index)].get();
}

TMenuBtn* TWinSkinMenu::FindAccelEntry(wchar_t character) {
  int index = MenuEntryForAccelerator(EntryViews(), character);
  return index < 0 ? nullptr : Entries[static_cast<size_t>(index)].get();
}

int TWinSkinMenu::CurrentEntry() { return Tracking().Loop.CurrentEntry; }

// What a drop-down of the bar holds while it is open, undone together on
// every way out, a throw included: the filter hook, the cursor watch, the
// flags of the form skinner and of the manager, and the tracking itself.
// Whatever ran inside the menu loop may have freed the bar (a skin switch,
// the skin switched off, the window destroyed): the bar's own destructor
// then let go of what was its, and only the process-wide part is left here.
class TWinSkinMenu::TDropDown {
 public:
  TDropDown(TWinSkinMenu& bar, const TMenuBtn& entry, bool selectFirst) : FBar(bar), FAlive(bar.FLiveness) {
    TTracking& tracking = Tracking();
    TWinSkinForm& form = bar.FormSkinner;
    form.MenuTracking = true;
    if (TSkinManage* manager = SkinManager()) manager->MenuDropDown = true;
    form.TrackedMenu = entry.SubMenu;
    POINT cursor{};
    GetCursorPos(&cursor);
    tracking.Bar = &bar;
    tracking.PendingEntry = -1;
    tracking.Loop.Begin(entry.Index, {cursor.x, cursor.y}, GetTickCount(), selectFirst);
    if (!tracking.FilterHook)
      tracking.FilterHook.Reset(
          SetWindowsHookExW(WH_MSGFILTER, &TWinSkinMenu::FilterProc, nullptr, GetCurrentThreadId()));
    // The menu loop may go without a mouse message for a while; its timer
    // messages still come, and the cursor is looked at then too.
    FCursorWatch.SetInterval(kCursorWatchInterval);
    FCursorWatch.SetOnTimer(TNotifyEvent::Of<&TDropDown::Watch>(*this));
    FCursorWatch.SetEnabled(true);
  }
  ~TDropDown() {
    FCursorWatch.SetEnabled(false);
    TTracking& tracking = Tracking();
    tracking.FilterHook.Reset();
    tracking.TrackedItem = nullptr;
    tracking.Loop.End();
    tracking.Bar = nullptr;
    if (TSkinManage* manager = SkinManager()) manager->MenuDropDown = false;
    if (FAlive) FBar.FormSkinner.MenuTracking = false;
  }
  TDropDown(const TDropDown&) = delete;
  TDropDown& operator=(const TDropDown&) = delete;
  // The bar outlived the loop so far.
  bool BarAlive() const { return static_cast<bool>(FAlive); }

 private:
  void Watch(TComponent*) {
    if (FAlive && Tracking().Bar == &FBar) FBar.WatchCursor();
  }
  TWinSkinMenu& FBar;
  TAliveGuard FAlive;
  TTimer FCursorWatch{nullptr};
};

// One drop-down at a time: a click that reaches the bar while one is open
// (its loop dispatches it) opens nothing. An entry with a drop-down runs no
// command of its own, and a disabled entry nothing at all.
bool TWinSkinMenu::OpenEntry(TMenuBtn* entry) {
  TTracking& tracking = Tracking();
  const bool fromKeyboard = std::exchange(tracking.OpenFromKeyboard, false);
  if (!entry || tracking.Bar || !entry->Enabled) return false;
  HWND wnd = FormSkinner.Handle;
  if (!entry->SubMenu) {
    PostMessageW(wnd, WM_COMMAND, static_cast<WPARAM>(entry->Command), 0);
    return false;
  }
  const int index = entry->Index;
  GetWindowRect(wnd, &FormSkinner.WindowRect);
  if (!IsNt4()) MakeOwnerDrawn(entry->SubMenu, FOwnerDrawn);
  int next = -1;
  bool nextFromKeyboard = false, backToBar = false;
  {
    TDropDown dropDown(*this, *entry, fromKeyboard);
    TSkinPoint at = DropDownPoint(entry->Bounds, {FormSkinner.WindowRect.left, FormSkinner.WindowRect.top});
    TrackPopupMenu(entry->SubMenu, TPM_NONOTIFY | TPM_RIGHTBUTTON, at.X, at.Y, 0, wnd, nullptr);
    if (!dropDown.BarAlive()) return true;
    next = std::exchange(tracking.PendingEntry, -1);
    nextFromKeyboard = tracking.PendingFromKeyboard;
    backToBar = tracking.Loop.BackToBar && next < 0;
  }
  // The entries may have been read again while the loop ran.
  if (next >= 0 && next < static_cast<int>(Entries.size()))
    OpenEntryByClick(*Entries[static_cast<size_t>(next)], nextFromKeyboard);
  else if (backToBar && index < static_cast<int>(Entries.size()) && IsWindow(wnd))
    PostMessageW(wnd, SKM_BARKEYBOARD, static_cast<WPARAM>(index), 0);
  return true;
}

// The open drop-down is closed first: the platform runs one menu loop at a
// time, and the click then reaches the form after it.
void TWinSkinMenu::OpenEntryByClick(TMenuBtn& entry, bool fromKeyboard) {
  if (Tracking().Bar) EndMenu();
  Tracking().OpenFromKeyboard = fromKeyboard;
  TSkinPoint at = EntryClickPoint(entry.Bounds, WindowOrigin(FormSkinner.Handle));
  PostMessageW(FormSkinner.Handle, WM_NCLBUTTONDOWN, HTCLIENT, static_cast<LPARAM>(PackPoint(at)));
}

bool TWinSkinMenu::Openable(int index) const {
  if (index < 0 || index >= static_cast<int>(Entries.size())) return false;
  const TMenuBtn& entry = *Entries[static_cast<size_t>(index)];
  return entry.Enabled && entry.SubMenu && !entry.Caption.empty();
}

int TWinSkinMenu::FirstEnabledEntry() const {
  for (size_t i = 0; i < Entries.size(); ++i)
    if (Entries[i]->Enabled && !Entries[i]->Caption.empty()) return static_cast<int>(i);
  return -1;
}

void TWinSkinMenu::ShowHot(int index) {
  if (index < 0 || index >= static_cast<int>(Entries.size())) return;
  Entries[static_cast<size_t>(index)]->Enter();
}

// A modal loop of its own, as the platform's menu bar has: it takes the keys
// and gives everything else to the windows it is for.
void TWinSkinMenu::KeyboardMode(int index) {
  if (Tracking().Bar || index < 0 || index >= static_cast<int>(Entries.size())) return;
  HWND wnd = FormSkinner.Handle;
  TAliveGuard alive(FLiveness);
  FormSkinner.MenuTracking = true;  // the mouse poll leaves the hot entry alone
  const int open = KeyboardLoop(index, alive);
  if (!alive) return;
  FormSkinner.MenuTracking = false;
  if (FormSkinner.HotObject && dynamic_cast<TMenuBtn*>(FormSkinner.HotObject)) FormSkinner.HotObject->Leave();
  if (open >= 0 && open < static_cast<int>(Entries.size()) && IsWindow(wnd))
    OpenEntryByClick(*Entries[static_cast<size_t>(open)], true);
}

// The entry to open once the mode has left, or -1.
int TWinSkinMenu::KeyboardLoop(int index, const TAliveGuard& alive) {
  HWND wnd = FormSkinner.Handle;
  const int count = static_cast<int>(Entries.size());
  auto usable = [this](int i) {
    const TMenuBtn& entry = *Entries[static_cast<size_t>(i)];
    return entry.Enabled && !entry.Caption.empty();
  };
  int current = index, open = -1;
  bool leave = false;
  ShowHot(current);
  while (!leave && alive && IsWindow(wnd) && GetActiveWindow() == wnd) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
      break;
    }
    if (CallMsgFilterW(&msg, MSGF_MENU)) continue;
    const bool rightToLeft = FormSkinner.RightToLeft;
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        switch (msg.wParam) {
          case VK_LEFT:
          case VK_RIGHT: {
            const bool forward = (msg.wParam == VK_RIGHT) != rightToLeft;
            const int to = StepMenuEntry(current, count, forward, usable);
            if (to >= 0) ShowHot(current = to);
            break;
          }
          case VK_DOWN: case VK_UP: case VK_RETURN: open = current; leave = true; break;
          case VK_ESCAPE: leave = true; break;
          case VK_MENU: case VK_F10: break;  // leaves when the key comes up
          default: TranslateMessage(&msg); break;
        }
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        if (msg.wParam == VK_MENU || msg.wParam == VK_F10) leave = true;
        break;
      case WM_CHAR:
      case WM_SYSCHAR:
        if (TMenuBtn* entry = FindAccelEntry(static_cast<wchar_t>(msg.wParam))) {
          open = entry->Index;
          leave = true;
        }
        break;
      case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
        // A click ends the mode and then does what it does.
        leave = true;
        if (alive && FormSkinner.HotObject) FormSkinner.HotObject->Leave();
        if (alive) FormSkinner.MenuTracking = false;
        DispatchMessageW(&msg);
        break;
      default:
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        // The mouse may have made another entry hot.
        if (alive)
          if (auto* hot = dynamic_cast<TMenuBtn*>(FormSkinner.HotObject); hot && &hot->Bar == this)
            current = hot->Index;
        break;
    }
  }
  return open;
}

// The texts of the drop-down's items, where a toolkit item gives none.
bool TWinSkinMenu::MenuChar(TMessage& message) {
  auto menu = reinterpret_cast<HMENU>(message.LParam);
  if (!menu || !IsMenu(menu)) return false;
  std::vector<std::wstring> texts;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[kEntryTextLimit + 1] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, kEntryTextLimit, MF_BYPOSITION);
    texts.emplace_back(text);
  }
  int selected = -1;
  for (int i = 0; i < count; ++i)
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) selected = i;
  TMenuCharChoice choice = MenuCharChoice(texts, static_cast<wchar_t>(LOWORD(message.WParam)), selected);
  if (choice.Position < 0) return false;
  message.Result = MAKELRESULT(choice.Position, choice.Execute ? MNC_EXECUTE : MNC_SELECT);
  return true;
}

bool TWinSkinMenu::DialogChar(TMessage& message) {
  const bool altOnly = GetKeyState(VK_MENU) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0;
  if (!altOnly) return false;
  TMenuBtn* entry = FindAccelEntry(static_cast<wchar_t>(message.WParam));
  if (!entry) return false;
  OpenEntryByClick(*entry, true);
  message.Result = 1;
  return true;
}

void TWinSkinMenu::MenuSelect(WPARAM wparam, LPARAM lparam) {
  TTracking& tracking = Tracking();
  const unsigned flags = HIWORD(wparam);
  if (IsMenuClosing(flags, lparam)) {
    if (tracking.Loop.EndsTracking()) FormSkinner.MenuTracking = false;
    return;
  }
  tracking.Loop.ItemSelected();
  if (!Menu) return void(tracking.TrackedItem = nullptr);
  if (SelectsSubMenu(flags))
    tracking.TrackedItem = Menu->FindByHandle(GetSubMenu(reinterpret_cast<HMENU>(lparam), LOWORD(wparam)));
  else
    tracking.TrackedItem = Menu->Find(LOWORD(wparam));
}

LRESULT CALLBACK TWinSkinMenu::FilterProc(int code, WPARAM wparam, LPARAM lparam) {
  TTracking& tracking = Tracking();
  auto& msg = *reinterpret_cast<MSG*>(lparam);
  if (code == MSGF_MENU && tracking.Bar && msg.message == WM_KEYDOWN)
    msg.wParam = MenuLoopKey(static_cast<unsigned>(msg.wParam), TrackedItemView(tracking.Bar->FormSkinner.TrackedMenu));
  LRESULT result = CallNextHookEx(tracking.FilterHook.Get(), code, wparam, lparam);
  if (result != 0 || code != MSGF_MENU || !tracking.Bar) return result;
  // What fails leaves the drop-down to go on as the platform runs it.
  SkinBoundary(L"menu filter", [&] { tracking.Bar->Filter(msg); });
  return result;
}

void TWinSkinMenu::Filter(MSG& msg) {
  TTracking& tracking = Tracking();
  if (tracking.Loop.TakeFirstMessage()) PostMessageW(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
  int chosen = -1;
  bool byKey = false;
  switch (msg.message) {
    case WM_KEYDOWN: {
      const auto key = static_cast<unsigned>(msg.wParam);
      tracking.Loop.KeyPressed(key);
      chosen = tracking.Loop.EntryForKey(key, EntryCount, TrackedItemView(FormSkinner.TrackedMenu));
      // An arrow passes over the entries that open no drop-down.
      if (chosen >= 0 && !Openable(chosen)) {
        const bool forward = chosen == NextMenuEntry(tracking.Loop.CurrentEntry, EntryCount);
        chosen = StepMenuEntry(tracking.Loop.CurrentEntry, EntryCount, forward, [this](int i) { return Openable(i); });
      }
      byKey = true;
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      tracking.Loop.BackToBar = false;
      break;
    case WM_SYSKEYDOWN:
      if (msg.wParam == VK_MENU) FormSkinner.MenuTracking = false;
      break;
    case WM_MENUSELECT:
      MenuSelect(msg.wParam, msg.lParam);
      break;
    case WM_MOUSEMOVE:
      if (!tracking.Loop.QueuedBefore(msg.time)) chosen = EntryUnderMouse(msg.pt);
      if (!Openable(chosen)) chosen = -1;  // the mouse over an entry without a drop-down runs nothing
      break;
    default:
      break;
  }
  SwitchTo(chosen, byKey);
}

// The entry a move of the mouse to screen point went to, or -1.
int TWinSkinMenu::EntryUnderMouse(POINT screen) {
  TTracking& tracking = Tracking();
  if (!tracking.Loop.MouseMoved({screen.x, screen.y})) return -1;
  TSkinPoint point = FormSkinner.ScreenToWindow(screen);
  tracking.Loop.LastMousePoint = point;
  TMenuBtn* entry = HitEntry(point);
  return entry ? entry->Index : -1;
}

void TWinSkinMenu::WatchCursor() {
  SkinBoundary(L"menu bar's cursor watch", [&] {
    POINT cursor;
    if (Tracking().Bar != this || !GetCursorPos(&cursor)) return;
    const int chosen = EntryUnderMouse(cursor);
    if (!Openable(chosen)) return SwitchTo(-1, false);
    SwitchTo(chosen, false);
  });
}

// The move ends the open drop-down's loop and clicks the other entry open
// after TrackPopupMenu has returned (OpenEntry): a click posted now could be
// dispatched by the closing loop itself, where no drop-down may open. While
// the move waits, every message the loop passes asks it again to end, in
// case it was not ready the first time.
void TWinSkinMenu::SwitchTo(int chosen, bool fromKeyboard) {
  TTracking& tracking = Tracking();
  if (tracking.PendingEntry >= 0) return void(EndMenu());
  if (chosen < 0 || chosen >= static_cast<int>(Entries.size()) || !tracking.Loop.SwitchTo(chosen)) return;
  tracking.PendingEntry = chosen;
  tracking.PendingFromKeyboard = fromKeyboard;
  EndMenu();
}
