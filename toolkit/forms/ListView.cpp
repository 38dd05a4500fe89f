#include "toolkit/forms/ListView.h"

#include <commctrl.h>

#include "toolkit/core/DisplayScale.h"

TListView::TListView(TComponent* owner) : TWinControl(owner) {
  FColor = clWindow;
  FParentColor = false;
}

void TListView::AddColumn(const TListColumn& column) {
  FColumns.push_back(column);
  InsertColumn(static_cast<int>(FColumns.size()) - 1);
}

void TListView::AddItem(const TListItem& item) {
  FItems.push_back(item);
  InsertItem(static_cast<int>(FItems.size()) - 1);
}

int TListView::ItemIndex() const {
  if (!FHandle) return FItemIndex;
  return int(SendMessageW(FHandle, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void TListView::SetItemIndex(int index) {
  FItemIndex = index;
  if (!FHandle) return;
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(FHandle, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
  if (index < 0) return;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(FHandle, LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&state));
}

bool TListView::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Columns") {
    for (const TLayoutItem& item : PropItems(value)) {
      TListColumn column;
      for (const TLayoutProperty& property : item) {
        if (property.Name == L"Caption") column.Caption = PropString(property.Value);
        else if (property.Name == L"Width") column.Width = int(PropInt(property.Value));
        else throw EPropertyError(L"Property %s does not exist", {property.Name});
      }
      AddColumn(column);
    }
    return true;
  }
  if (name == L"Items") {
    for (const TLayoutItem& item : PropItems(value)) {
      TListItem row;
      for (const TLayoutProperty& property : item) {
        if (property.Name == L"Caption") row.Caption = PropString(property.Value);
        else if (property.Name == L"SubItems") row.SubItems = PropLines(property.Value);
        else throw EPropertyError(L"Property %s does not exist", {property.Name});
      }
      AddItem(row);
    }
    return true;
  }
  if (name == L"ItemIndex") return SetItemIndex(int(PropInt(value))), true;
  return TWinControl::SetProperty(name, value);
}

void TListView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = WC_LISTVIEWW;
  params.Style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_TABSTOP;
  params.ExStyle = WS_EX_CLIENTEDGE;
}

void TListView::InitializeWnd() {
  SendMessageW(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (int i = 0; i < static_cast<int>(FColumns.size()); ++i) InsertColumn(i);
  for (int i = 0; i < static_cast<int>(FItems.size()); ++i) InsertItem(i);
  SetItemIndex(FItemIndex);
}

void TListView::ApplyScale(int dpi) {
  TWinControl::ApplyScale(dpi);
  if (!FHandle) return;
  for (size_t i = 0; i < FColumns.size(); ++i)
    SendMessageW(FHandle, LVM_SETCOLUMNWIDTH, WPARAM(i), LPARAM(TDpiScale(dpi).Scale(FColumns[i].Width)));
}

void TListView::InsertColumn(int index) {
  if (!FHandle) return;
  TListColumn& column = FColumns[static_cast<size_t>(index)];
  LVCOLUMNW insert{};
  insert.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  insert.pszText = column.Caption.data();
  insert.cx = TDpiScale(PixelsPerInch()).Scale(column.Width);
  insert.iSubItem = index;
  SendMessageW(FHandle, LVM_INSERTCOLUMNW, WPARAM(index), reinterpret_cast<LPARAM>(&insert));
}

void TListView::InsertItem(int index) {
  if (!FHandle) return;
  TListItem& item = FItems[static_cast<size_t>(index)];
  LVITEMW insert{};
  insert.mask = LVIF_TEXT;
  insert.iItem = index;
  insert.pszText = item.Caption.data();
  SendMessageW(FHandle, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
  for (size_t sub = 0; sub < item.SubItems.size(); ++sub) {
    LVITEMW text{};
    text.iSubItem = static_cast<int>(sub) + 1;
    text.pszText = item.SubItems[sub].data();
    SendMessageW(FHandle, LVM_SETITEMTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(&text));
  }
}
