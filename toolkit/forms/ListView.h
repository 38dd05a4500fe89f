// A list view in the report view: a header of columns over rows of items,
// each a caption with its texts for the further columns.
#pragma once

#include <vector>

#include "toolkit/forms/Controls.h"

struct TListColumn {
  std::wstring Caption;
  int Width = 50;
};

struct TListItem {
  std::wstring Caption;
  std::vector<std::wstring> SubItems;
};

class TListView : public TWinControl {
 public:
  explicit TListView(TComponent* owner);
  std::wstring ClassName() const override { return L"TListView"; }
  unsigned Kinds() const override { return ckListView; }
  void AddColumn(const TListColumn& column);
  void AddItem(const TListItem& item);
  int ItemCount() const { return static_cast<int>(FItems.size()); }
  // -1: none selected.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // "Columns = < item Caption = ... Width = ... end >",
  // "Items = < item Caption = ... SubItems = "a\nb" end >".
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  // Column widths are 96-DPI lengths: the columns follow the scale.
  void ApplyScale(int dpi) override;

 private:
  void InsertColumn(int index);
  void InsertItem(int index);

  std::vector<TListColumn> FColumns;
  std::vector<TListItem> FItems;
  int FItemIndex = -1;
};
