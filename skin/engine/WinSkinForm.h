// TWinSkinForm: the form skinner. It takes over one top-level window (a
// toolkit form or a bare window such as a system dialog box) and gives it the
// skin's frame: border pieces, a title bar with caption and buttons, a menu
// bar drawn by the skin, a region where border pieces are transparent, its
// own answers to hit tests and non-client mouse messages, and a skinned
// system menu. Detaching gives the window back as it found it.
//
// The class is large, so its parts live in files of their own: attaching and
// detaching (WinSkinFormAttach), the window procedure (WinSkinFormProc), frame
// painting and region (WinSkinFormPaint), the system menu (WinSkinFormSysMenu),
// menu items (WinSkinFormMenu) and MDI (WinSkinFormMdi).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/SkinFormLink.h"
#include "skin/engine/FrameActions.h"
#include "skin/engine/FrameFitting.h"
#include "skin/engine/FrameMetrics.h"
#include "skin/engine/FrameRegion.h"
#include "skin/engine/FrameStyles.h"
#include "skin/engine/NCObject.h"
#include "skin/engine/RenderedPieces.h"
#include "skin/engine/SkinBoundary.h"
#include "skin/engine/SkinControlLink.h"
#include "skin/engine/SysButtonLayout.h"
#include "skin/model/ScaledFrameSkin.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/Liveness.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/Menus.h"
#include "toolkit/graphics/Graphics.h"
#include "toolkit/platform/WindowSubclass.h"

class TSkinData;
class TWinSkinMenu;
class TWinSysButton;

class TWinSkinForm : public TComponent, public TNCObjectOwner {
 public:
  explicit TWinSkinForm(TComponent* owner);
  ~TWinSkinForm() override;
  std::wstring ClassName() const override { return L"TWinSkinForm"; }

  // --- Called by the skin manager.
  void AttachToForm(TSkinData& data, TForm& form);
  void AttachToWindow(TSkinData& data);
  void Detach();
  void ReloadSkin();
  void FreeSysButtons();
  void LoadFrameMetrics();
  void SetCaptionStyles(bool on);
  void BuildRegion();
  void RefreshFrame();
  bool Attached() const { return FSubclass.Installed(); }

  // --- Called by control skinners: true when the skinner was registered already.
  bool RegisterControl(TSkinControlLink* skinner);
  void UnregisterControl(TSkinControlLink* skinner);
  TSkinControlLink* MouseControl = nullptr;
  TCanvas ControlCanvas;
  const std::vector<TSkinControlLink*>& ControlSkinners() const { return FControlSkinners; }
  // What the control skinners of this window see of it.
  TSkinFormLink& ControlLink() { return FControlLink; }

  // --- Frame painting (WinSkinFormPaint).
  void PaintFrame(HDC dc);
  void PaintSysButton(TWinSysButton& button);
  void LayoutSysButtons();
  bool IsSysButtonVisible(TWinSysButton& button);

  // --- The skinned menu bar's needs.
  TSkinPoint ScreenToWindow(POINT screen) const;
  TFrameSizes FrameSizes() const { return {FrameLeft, FrameTop, FrameRight, FrameBottom}; }
  bool IsActiveChildMaximised() const;
  void SendToActiveChild(unsigned command);
  TNCObject* ObjectAt(TSkinPoint point);

  // --- State, as the design lists it.
  TMethod<TMessage&> SavedFormWindowProc;
  TFontHandle CaptionFont;
  std::unique_ptr<TTimer> PollTimer;
  std::wstring CaptionPrefix = L"  ";
  std::wstring CaptionText;
  std::wstring WindowClass;
  bool SavedMenuUpdate = true;
  bool FullSkin = false;
  RECT ClientAtAttach{};
  uint32_t LastSysMenuTick = 0;
  uint32_t DoubleClickTime = 0;
  HWND OwnerWindow = nullptr;
  int32_t FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0;
  RECT WindowRect{};
  RECT CaptionRect{};
  RECT PlatformFrame{};
  int32_t MenuHeight = 0;
  int32_t SysButtonCount = 0;
  bool MenuTracking = false;
  bool RightToLeft = false;
  std::unique_ptr<TPopupMenu> SystemPopup;
  HWND MdiClient = nullptr;
  HWND CreatedMdiChild = nullptr;
  HMENU MenuHandle = nullptr;
  HMENU SystemMenu = nullptr;
  HMENU TrackedMenu = nullptr;
  TColor SavedColor = clBtnFace;
  uint32_t Style = 0;
  int32_t RightmostButtonLeft = 0;
  bool RegionOwned = false;
  HRGN Region = nullptr;  // handed to the window, which owns it
  TForm* Form = nullptr;
  HWND Handle = nullptr;
  TCanvas NcCanvas;
  TSkinData* SkinData = nullptr;
  std::unique_ptr<TWinSkinMenu> SkinMenu;
  std::vector<std::unique_ptr<TWinSysButton>> SysButtons;
  TBitmap IconBitmap;
  TBitmap TitleCache;
  TRenderedPieces Pieces;
  int32_t WindowWidth = 0, WindowHeight = 0;
  int32_t RegionWidth = 0, RegionHeight = 0;
  bool Active = true;
  TFormKind FormKind = fkOrdinary;
  TFrameKind FrameKind = frPlain;
  uint8_t BorderIcons = 0;
  TSkinWindowState WindowState = swNormal;
  TFrameLife LifeState = flAttached;
  // The DPI the frame is drawn at, and the skin's frame elements there.
  int Dpi = 96;
  TFrameSkin FrameSkin;

 protected:
  void Destroying() override;

 private:
  friend class TWinSkinMenu;

  // The form skinner as its control skinners' collaborator.
  class TControlLink : public TSkinFormLink {
   public:
    explicit TControlLink(TWinSkinForm& form) : FForm(form) {}
    bool RegisterControl(TSkinControlLink* skinner) override { return FForm.RegisterControl(skinner); }
    void UnregisterControl(TSkinControlLink* skinner) override { FForm.UnregisterControl(skinner); }
    TSkinControlLink* MouseControl() const override { return FForm.MouseControl; }
    void SetMouseControl(TSkinControlLink* skinner) override { FForm.MouseControl = skinner; }
    TCanvas& ControlCanvas() override { return FForm.ControlCanvas; }
    int LifeState() const override { return FForm.LifeState; }
    int ControlDpi() const override { return FForm.Dpi; }
    void ControlWindowGone(TSkinControlLink*) override { FForm.ControlWindowGone(); }

   private:
    TWinSkinForm& FForm;
  };

  // Attaching and detaching (WinSkinFormAttach).
  void CaptureIcon();
  void ReadWindowState();
  void FindMdiClient();
  void RestoreFormProc();
  void AttachChildControls();
  void FreeControlSkinners();
  // AttachToWindow's steps.
  void TakeWindow(TSkinData& data);
  // What an attach that failed part way had done is undone.
  void UndoAttach();
  void ControlWindowGone();
  // SKM_FOLLOWCONTROLS: skinners whose windows are gone are freed, and
  // toolkit controls that have a new window are skinned again.
  void FollowControls();
  void DetachOnDestroy();
  void DetachControlsOnly();
  void GiveBackPlatformFrame();
  void FirstPresentation();
  void FitFrame(bool reload);

  // The window procedure (WinSkinFormProc).
  void WndProc(TMessage& message);
  void HandleMessage(TMessage& message);
  void FormWindowProc(TMessage& message);
  void HandleFormMessage(TMessage& message);
  // The window procedure below this skinner's, and the message through it.
  TPassOn Previous() const;
  void Default(TMessage& message);
  // The toolkit form's own handling of message.
  void ToForm(TMessage& message);
  void FrameMessage(TMessage& message);
  bool FrameHandler(TMessage& message);
  void WMEraseBkgnd(TMessage& message);
  void WMNcDestroy(TMessage& message);
  void WMNcCalcSize(TMessage& message);
  void WMNcHitTest(TMessage& message);
  void WMSize(TMessage& message);
  void WMGetMinMaxInfo(TMessage& message);
  void WMDpiChanged(TMessage& message);
  void WMNcActivate(TMessage& message);
  void WMCommand(TMessage& message);
  void WMSysCommand(TMessage& message);
  void CMMenuChanged(TMessage& message);
  void NcMouse(TMessage& message);
  // A press on a title button or a bar entry (which opens its drop-down).
  void PressObject(TNCObject& object);
  void PollMouse(TComponent* sender);
  void PollHotObjects();
  void DoAction(TWinSysButton& button, int x, int y);
  void TellMouseLeft();
  void PostClose();

  // Painting (WinSkinFormPaint).
  void WMNcPaint(TMessage& message);
  void PaintBorderPiece(int index, const RECT& rect, HDC dc);
  void PaintTitle(HDC dc);
  void PaintCaption(const RECT& title);
  // The block text takes in CaptionFont on dc, measured as the caption is.
  TSkinSize CaptionExtent(HDC dc, const std::wstring& text);
  // What the buttons at the right keep free of a popup's caption at this window width.
  int TitleButtonsRoom(int windowWidth);
  TSysButtonLayout PlaceSysButtons(int windowWidth);
  std::vector<TSysButtonInfo> SysButtonInfos() const;
  TTitleMargins TitleMargins() const;  // the title element's numbers beside the caption
  // The least size the skinned frame can be dragged to (its buttons apart, a few caption characters).
  TSkinSize LeastTrackSize();
  void DrawTitleButtons();
  TTitleState TitleState() const;
  TBitmap& ButtonImage(TWinSysButton& button);
  bool PaintButtonBackground(TBitmap& target, const TSkinRect& bounds);
  TRegionHandle PartRegion(const TRegionPart& part);

  // The system menu (WinSkinFormSysMenu).
  void BuildSystemPopup();
  void SystemPopupClick(TComponent* sender);
  void RunStateCommand(TFrameCommand command);
  void ShowSystemMenu(int x, int y, bool fromKeyboard = false);
  // The system menu is the skin's popup, not the platform's.
  bool SkinsSystemMenu() const;

  // Menu items and the form's popup menus (WinSkinFormMenu).
  TMenuItem* ToolkitMenuItem(UINT command) const;
  void WMMeasureItem(TMessage& message);
  void WMDrawItem(TMessage& message);
  void DrawSkinnedItem(TComponent* sender, TCanvas& canvas, const RECT& rect, bool selected);
  void MeasureSkinnedItem(TComponent* sender, TCanvas& canvas, int& width, int& height);
  void SkinPopupMenus();
  void RestorePopupMenus();

  // MDI (WinSkinFormMdi).
  void SubclassMdiClient();
  void RestoreMdiClient();
  void MdiClientProc(TMessage& message);
  void MdiClientMessage(TMessage& message, const TPassOn& client);

  TWindowSubclass FSubclass;
  TWindowSubclass FMdiSubclass;
  std::vector<TSkinControlLink*> FControlSkinners;  // owned
  TControlLink FControlLink{*this};
  bool FHadMenu = false;  // the window had a menu when it was attached
  int FPlatformMenuHeight = 0;  // how much the client grew when the skin took the menu bar off
  uint32_t FRemovedCaptionStyles = 0;  // what SetCaptionStyles took and gives back
  TBitmap FTitleBackground;  // the composed title bar without its buttons
  // What FTitleBackground was composed for: it is composed again only when one changes.
  struct TTitleKey {
    int Width = 0, Height = 0, WindowHeight = 0, Dpi = 0, RightmostButtonLeft = 0, WindowState = 0, FrameKind = 0;
    bool Active = false, RightToLeft = false;
    uint32_t Style = 0;
    HFONT Font = nullptr;
    uint64_t SkinLoad = 0;
    std::wstring Caption;
    bool operator==(const TTitleKey&) const = default;
  };
  TTitleKey FTitleKey;
  std::wstring FMeasuredShortCaption;  // the caption LeastTrackSize measured last, and its width
  int FShortCaptionWidth = 0;
  bool FFollowPosted = false;  // SKM_FOLLOWCONTROLS is on its way
  uint32_t FStyleAtAttach = 0;
  bool FSavedAutoScroll = true;
  bool FPopupsSkinned = false;  // the form's popup menus are drawn by this skinner
  TLiveness FLiveness;
};
