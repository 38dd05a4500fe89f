// Scroll bars from the skin. TSkinScrollbar paints the platform's scroll
// bars of a scrolling control (memo, list view, tree, grid) in its frame,
// computes their thumbs itself and can drag the thumb itself; TSkinListView
// adds the list view's column header (TSkinHeader); TSkinScControl paints a
// stand-alone scroll-bar control.
#pragma once

#include <optional>

#include "skin/controls/ScrollBarGeometry.h"
#include "skin/controls/SkinControl.h"

// One bar of the skin's painting: arrows from the 23-cell strip, the track
// element and the thumb element, drawn at 16 px thickness (at 96 DPI, grown
// with skin's scale) and stretched onto rect. Answers the arrows' length, or
// nothing for a bar that is skipped.
std::optional<int> PaintSkinScrollBar(HDC dc, const TSkinRect& rect, bool vertical, const TThumbGeometry& thumb,
                                      TScrollPart pressed, const TSkinColours& colours, const TControlSkin& skin);

class TSkinScrollbar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbar() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinScrollbar"; }
  // control's WindowProc goes through the skinner; ownThumbTracking 1 drags the thumb itself.
  virtual void AttachScrolled(TWinControl& control, TSkinData& skinData, int ownThumbTracking, TSkinFormLink* form,
                              TCanvas* canvas);
  void AttachWindow(HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas) override;
  int PressedPart() const { return FPressedPart; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

 private:
  struct TBar {
    SCROLLINFO Info{};
    TThumbGeometry Thumb;
    int ArrowLength = 0;
  };
  void StartScrolled();
  void PaintBar(HDC dc, const TSkinRect& rect, bool vertical);
  // A press on a bar's thumb starts the skinner's own drag; false for any other press.
  bool PressThumb(TMessage& message);
  void DragThumb(bool vertical, POINT start);
  void Scrolled(TMessage& message, bool vertical);

  int FPressedPart = spNone;
  DWORD FStyle = 0;
  DWORD FExStyle = 0;
  TSkinRect FCornerRect;
  bool FDragging = false;
  bool FOwnThumbTracking = false;
  bool FInVScroll = false;
  bool FInHScroll = false;
  TBar FHorz;
  TBar FVert;
};

class TSkinHeader : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinHeader() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinHeader"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;
};

class TSkinListView : public TSkinScrollbar {
 public:
  using TSkinScrollbar::TSkinScrollbar;
  ~TSkinListView() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinListView"; }
  void AttachScrolled(TWinControl& control, TSkinData& skinData, int ownThumbTracking, TSkinFormLink* form,
                      TCanvas* canvas) override;
  void AttachWindow(HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas) override;
  TSkinHeader* Header() const { return FHeader; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void Paint(HDC dc, const RECT& rect) override;

 private:
  // A list view makes its header when it first shows columns, which may be
  // long after it was attached (a file dialog switched to its details view).
  void AttachHeader();
  TSkinHeader* FHeader = nullptr;
};

// A scroll-bar control, the toolkit's or a dialog's: one bar over the whole window.
class TSkinScControl : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScControl() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinScControl"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

 private:
  TThumbGeometry FThumb;
  int FPressedPart = spNone;
};
