// TSkinControl: the base of the control skinners. A skinner takes over the
// messages of one control (a toolkit control's WindowProc, or a bare
// window's procedure), keeps the control's visual state and paints it from
// the skin; the subclasses choose the messages they handle and what they
// paint. It is owned by the control, or for a bare window by the form
// skinner, and gives the control back as it found it when it goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "skin/controls/SkinFormLink.h"
#include "skin/engine/SkinBoundary.h"
#include "skin/engine/SkinControlLink.h"
#include "skin/model/SkinData.h"
#include "toolkit/core/Liveness.h"
#include "toolkit/forms/Controls.h"
#include "toolkit/platform/DisplayDpi.h"
#include "toolkit/platform/WindowSubclass.h"

// The bits of a skinner's StateFlags.
enum TSkinStateFlag : uint8_t { ssHot = 1, ssPressed = 2 };

// LifeState: attached, its window gone.
constexpr int kSkinAttached = 1;
constexpr int kSkinWindowGone = 6;

class TSkinControl : public TComponent, public TSkinControlLink {
 public:
  explicit TSkinControl(TComponent* owner);
  ~TSkinControl() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinControl"; }

  // The owner, a toolkit control with a window, is taken over through its
  // WindowProc. Attaching twice does nothing.
  virtual void AttachControl(TSkinFormLink* form, TSkinData& skinData, bool useSkinColour, TCanvas* canvas);
  // A window is taken over through its window procedure.
  virtual void AttachWindow(HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas);
  void RestoreColour() override;
  // Paints now, on dc or (null) on the whole window's context; painting errors are swallowed.
  virtual void Repaint(HDC dc);
  void SkinChanged() override;
  // Tells the control, as the toolkit does, that the mouse left it.
  void MouseLeft() override;
  int LifeState() const override { return FLifeState; }
  HWND ControlWindow() const override { return FWindow; }

  bool Attached() const { return FAttached; }
  bool UseSkinColour() const { return FUseSkinColour; }
  TControl* Control() const { return FControl ? FControl : FGraphicControl; }
  // The toolkit control whose window this skinner took over, through its
  // WindowProc or its window procedure; none for a bare window or a companion.
  TComponent* SkinnedComponent() const;
  uint8_t StateFlags() const { return FStateFlags; }

  // The skinner (alive, window not gone) whose toolkit control is component,
  // and the one attached to wnd without a toolkit control.
  static TSkinControl* ForComponent(const TComponent* component);
  static TSkinControl* ForWindow(HWND wnd);
  // Frees the skinners of control whose window has gone (LifeState 6).
  static void FreeWindowGone(const TComponent* control);

 protected:
  // true lets the previous handler take the message, and then AfterMessage.
  virtual bool BeforeMessage(TMessage& message);
  virtual void AfterMessage(TMessage& message);
  // Draws the control on dc; rect is the window's rectangle, zero-based.
  virtual void Paint(HDC, const RECT&) {}
  void Destroying() override;

  // The message through the handler that was there before the skinner;
  // false when the skinner did not outlive it (a click handler, a modal loop).
  bool CallPrevious(TMessage& message);
  // Invalidates the window without erasing and paints it at once.
  void Refresh();
  // After the control painted itself (WM_PAINT, on dc or its own context): paint over it.
  void PaintAfterControl(HDC dc);
  // WM_PAINT painted by the skinner alone, on wParam's context or BeginPaint's.
  void PaintMessage(TMessage& message);
  // WindowProc of control goes through the skinner from now on.
  void HookWindowProc(TControl& control);
  void RegisterWithForm();
  // Focused, Enabled and Caption as the window has them now.
  void ReadWindowState();
  bool Has(TSkinStateFlag flag) const { return (FStateFlags & flag) != 0; }
  void Set(TSkinStateFlag flag, bool on);
  TSkinFormLink* Form() const { return FForm; }
  // The canvas for drawing on dc: the form skinner's, else the skinner's own.
  TCanvas& CanvasOn(HDC dc);

  // The DPI the control is drawn at: its form's, else its window's.
  int DrawDpi() const;
  // The skin's elements at that DPI, resampled once for it.
  TControlSkin Skin() const { return FSkinData->ControlSkinAt(DrawDpi()); }

  // The painting routines every skinner shares.
  COLORREF FaceColour() const;
  void FillBackground(HDC dc, const RECT& rect);
  // element's frame of frameCount side by side, nine-sliced to rect,
  // fuchsia transparent when the element's Trans is 1.
  void DrawElement(HDC dc, const RECT& rect, TDataSkinObject& element, int frameCount, int frame);
  // The same for another image (a turned copy) with element's margins and tiling.
  void DrawImage(HDC dc, const RECT& rect, TBitmap& image, const TDataSkinObject& element, int frameCount,
                 int frame, bool transparent);
  // An item's image-list icon (none for index -1 or no list) and its text,
  // aligned in item and each centred vertically; grey while disabled.
  void DrawIconAndText(HDC dc, const RECT& item, const std::wstring& text, HIMAGELIST images, int image,
                       int align, bool enabled);
  // The engine's shared scratch bitmap, or the skinner's own while the
  // engine is stopped, sized to width x height; answers its context.
  HDC Scratch(int width, int height);
  // The text colour for dc: a skin or toolkit colour.
  static void SetTextColour(HDC dc, TColor colour) { SetTextColor(dc, ColorToRGB(colour)); }
  // text measured and placed in rect: centred (DT_CENTER) or across rect's width, half the spare height less one down.
  void DrawCaption(HDC dc, const std::wstring& text, const RECT& rect, UINT alignment, bool enabled);

  uint8_t FStateFlags = 0;
  TCanvas* FCanvas = nullptr;
  bool FEnabled = true;
  bool FFocused = false;
  std::wstring FCaption;
  TWindowSubclass FThunk;  // its previous procedure is OldWndProc
  TSkinData* FSkinData = nullptr;
  HWND FWindow = nullptr;
  TWndMethod FSavedWindowProc;
  TControl* FControl = nullptr;
  RECT FWindowRect{};
  TControl* FGraphicControl = nullptr;
  bool FUseSkinColour = false;
  TColor FSavedColour = 0;
  bool FAttached = false;
  int FLifeState = 0;
  TSkinFormLink* FForm = nullptr;
  TLiveness FLiveness;

 private:
  void Dispatch(TMessage& message);
  TPassOn Previous() const;
  bool FOwnersWindow = false;  // attached to its owner's window as a bare window
  TCanvas FOwnCanvas;
  TBitmap FOwnScratch;
};

// The text of a window.
std::wstring WindowText(HWND wnd);
