// The control family's base: TControl, painted by its parent and fed mouse
// messages through it, and TWinControl, a control with its own window. Every
// message reaches a control through its replaceable WindowProc first.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/core/Component.h"
#include "toolkit/graphics/Graphics.h"
#include "toolkit/platform/Messages.h"

class TWinControl;

// The "is a" tests the skin engine chooses its skinners by. A container holds
// other controls: forms, group boxes, panels and tab sheets. Every edit is a
// ckEdit, memos too.
enum TControlKind : unsigned {
  ckGroupBox = 1, ckComboBox = 2, ckEdit = 4, ckForm = 16, ckBitBtn = 32,
  ckSpeedButton = 64, ckButton = 128, ckStatusBar = 256, ckContainer = 512,
  ckCheckBox = 1u << 10, ckRadioButton = 1u << 11, ckRadioGroup = 1u << 12, ckPanel = 1u << 13,
  ckProgressBar = 1u << 14, ckScrollBar = 1u << 15, ckMemo = 1u << 16, ckListView = 1u << 17,
  ckTabControl = 1u << 18, ckPageControl = 1u << 19, ckToolBar = 1u << 20
};

enum TAlign { alNone, alTop, alBottom };

class TControl : public TComponent {
  friend class TWinControl;

 public:
  explicit TControl(TComponent* owner);
  ~TControl() override { BeforeDestruction(); }

  std::wstring ClassName() const override { return L"TControl"; }
  virtual unsigned Kinds() const { return 0; }
  bool Is(TControlKind kind) const { return (Kinds() & kind) != 0; }

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return FBounds.left; }
  int Top() const { return FBounds.top; }
  int Width() const { return FBounds.right - FBounds.left; }
  int Height() const { return FBounds.bottom - FBounds.top; }
  // In the parent's client coordinates.
  const RECT& BoundsRect() const { return FBounds; }
  virtual void SetBounds(int left, int top, int width, int height);
  virtual RECT ClientRect() const;
  TAlign Align() const { return FAlign; }

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  TColor Color() const { return FColor; }
  // A colour of its own: the control no longer follows its parent's.
  void SetColor(TColor color);
  // The control takes its parent's colour, now and whenever that changes.
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool parentColor);
  TFont& Font() { return FFont; }
  bool ParentFont() const { return FParentFont; }

  // The DPI the control is laid out at; its layout is given at 96.
  int PixelsPerInch() const { return FPixelsPerInch; }
  // Takes position, size and font from the 96-DPI layout to dpi, children
  // too. A control moved since the last change keeps its new place, scaled.
  void ChangeScale(int dpi);

  virtual std::wstring Text() const { return FText; }
  virtual void SetText(const std::wstring& text);
  const std::wstring& Hint() const { return FHint; }
  void SetHint(std::wstring hint) { FHint = std::move(hint); }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool show) { FShowHint = show; }

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& handler) { FOnClick = handler; }
  virtual void Click();

  // Every message goes through WindowProc; another object may save it,
  // replace it, and later put the saved one back.
  const TWndMethod& WindowProc() const { return FWindowProc; }
  void SetWindowProc(const TWndMethod& method) { FWindowProc = method; }
  LRESULT Perform(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
  virtual void Invalidate();

  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;
  bool SetEvent(const std::wstring& name, const std::any& handler) override;
  void SetParentComponent(TComponent* parent) override;

 protected:
  // The control's own handling, reached when WindowProc passes a message on.
  virtual void WndProc(TMessage& message);
  // Windowless controls draw here; the canvas is on the parent's paint DC,
  // its origin moved to the control's top left.
  virtual void Paint(TCanvas&) {}
  virtual void MouseDown(int, int) {}
  virtual void MouseUp(int x, int y);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // The mouse capture was taken away in the middle of a click.
  virtual void CancelMode() {}
  virtual void FontChanged();
  virtual void EnabledChanged();
  virtual void TextChanged() { Invalidate(); }
  // The colour shown changed, the control's own or the parent's it follows.
  virtual void ColorChanged(TColor color);
  // ChangeScale's steps: the 96-DPI bounds of every control are settled
  // first, before any font change makes a control size itself anew; then
  // each control is scaled, its own place and size by ScaleBounds.
  virtual void KeepLayout();
  virtual void ApplyScale(int dpi);
  virtual void ScaleBounds(int toDpi);
  void Destroying() override;

  TWndMethod FWindowProc;
  TWinControl* FParent = nullptr;
  RECT FBounds{};
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clBtnFace;
  bool FParentColor = true;
  TFont FFont;
  bool FParentFont = true;
  std::wstring FText;
  std::wstring FHint;
  bool FShowHint = false;
  TAlign FAlign = alNone;
  TNotifyEvent FOnClick;
  int FPixelsPerInch = 96;

 private:
  void WMPaintWindowless(TMessage& message);
  void ApplyFontProperty(const std::wstring& name, const TPropValue& value);

  // The bounds at 96 DPI, and what they were scaled to last: while the
  // control keeps those, each change starts from the layout, so the
  // rounding of one scale never carries into the next.
  RECT FLayoutBounds{};
  RECT FScaledBounds{-1, -1, -1, -1};
};

// How a windowed control's window is made.
struct TCreateParams {
  std::wstring WindowClass;     // registered under the control's ClassName
  const wchar_t* BaseClass = nullptr;  // a system class to base it on, or none
  HWND WndParent = nullptr;            // the parent window, or the owner of a top-level one
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner) : TControl(owner) {}
  ~TWinControl() override { BeforeDestruction(); }

  std::wstring ClassName() const override { return L"TWinControl"; }

  // Creates the window, and its parent's first, when it does not exist yet.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
  // The visible windowless control under point (client coordinates), if any.
  TControl* ControlAtPos(POINT point) const;
  // The toolkit control that owns wnd, if any.
  static TWinControl* FromHandle(HWND wnd);

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  void SetVisible(bool visible) override;
  void SetText(const std::wstring& text) override;
  std::wstring Text() const override;
  void Invalidate() override;
  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int order) { FTabOrder = order; }
  // Paints into a memory bitmap and copies it once: no flicker.
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool buffered) { FDoubleBuffered = buffered; }

  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  friend class TControl;
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // The platform call that makes the window, and the one that destroys it.
  virtual HWND CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWindowHandle();
  // After the window exists: push the state kept so far into it.
  virtual void InitializeWnd() {}
  // The window goes through the current procedure chain: every WindowProc
  // and every subclass sees its last messages.
  void DestroyHandle();
  // A window whose style cannot change once made is made again.
  void RecreateWnd();
  void Destroying() override;
  void WndProc(TMessage& message) override;
  // The window class's own handling (the base class's or DefWindowProc).
  virtual void DefaultHandler(TMessage& message);
  void FontChanged() override;
  void EnabledChanged() override;
  void ColorChanged(TColor color) override;
  void AlignControls();
  virtual void EraseBackground(HDC dc);
  void KeepLayout() override;
  void ApplyScale(int dpi) override;
  // The keyboard focus came to wnd, this window or one inside it; the form
  // that holds them remembers it.
  virtual void ControlFocused(HWND wnd);
  // Where a focus inside this window goes when it is disabled or hidden (the
  // platform would drop it): the next tab stop of its top window, else the top
  // window itself; none when the focus is elsewhere. Asked before the change.
  HWND FocusAfterLosing() const;

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  TBrush FBrush;
  std::vector<TControl*> FControls;

 private:
  static LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam);
  WNDPROC RegisterClass(const TCreateParams& params);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void CreateChildHandles();
  void WMPaint(TMessage& message);
  void PaintBuffered();
  void PaintControls(HDC dc);
  void RouteMouse(TMessage& message);
  void CaptureChanged(HWND capture);
  bool ReflectToChild(TMessage& message);

  int FTabOrder = -1;
  TControl* FCaptureControl = nullptr;
  bool FDoubleBuffered = false;
  HDC FPaintBuffer = nullptr;  // the memory DC while a buffered paint runs
};

// A windowed control that paints itself: Paint draws on WM_PAINT, on the
// context the message brings or on BeginPaint's.
class TCustomControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  ~TCustomControl() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TCustomControl"; }

 protected:
  void DefaultHandler(TMessage& message) override;
};
