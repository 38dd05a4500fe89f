// Forms: top-level windows whose class is the form's class name, read from a
// layout resource, closed through OnClose, shown plainly or modally; and the
// screen, which lists them.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "toolkit/forms/Controls.h"
#include "toolkit/forms/Menus.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TMethod<TComponent*, TCloseAction&>;

enum TBorderStyle { bsSizeable, bsDialog };
enum TFormStyle { fsNormal, fsMDIForm, fsMDIChild };
enum TWindowState { wsNormal, wsMaximized, wsMinimized };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

constexpr int mrNone = 0;
constexpr int mrCancel = 2;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override { BeforeDestruction(); }

  std::wstring ClassName() const override { return L"TForm"; }
  unsigned Kinds() const override { return ckForm | ckContainer; }

  // The window shows the menu's items; the menu keeps its platform menu, and
  // a change of its items reaches the window as CM_MENUCHANGED.
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* menu);
  unsigned BorderIcons() const { return FBorderIcons; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  // An MDI child needs the application's main form to be an MDI frame with
  // its window; the frame's client window makes and destroys the child's.
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle style);
  // The MDI client window of an MDI frame; none for other forms.
  HWND ClientHandle() const { return FClientHandle; }
  // The MDI child the client window calls active (WM_MDIGETACTIVE), if any.
  TForm* ActiveMDIChild() const;
  // Read from the window once it exists: the user changes it there.
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  // Kept for the skin engine, which turns it off; the form does not scroll yet.
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool autoScroll) { FAutoScroll = autoScroll; }

  void Show();
  void Hide() { SetVisible(false); }
  // The control focused when the form is first activated; then the one
  // focused last, given back whenever the form is activated or restored.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // Enter and Escape as the platform's dialogs take them: Enter presses the
  // focused push button, else the default one; Escape the cancel button.
  // True when a button took the key.
  bool DialogKey(const MSG& msg);
  // Shows the form and handles messages, with the other forms disabled,
  // until ModalResult is set; returns it. A form freed meanwhile gives mrCancel.
  int ShowModal();
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int result) { FModalResult = result; }
  // Asks OnClose what to do: hide (the default), minimise, free (Release) or
  // nothing. A modal form ends its modal loop; the main form ends the application.
  void Close();
  // Frees the form once the messages waiting now are handled, so that a
  // handler of the form itself may ask for it.
  void Release();

  // Runs OnCreate; the application calls it once the form is built.
  void DoCreate();

  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  bool SetEvent(const std::wstring& name, const std::any& handler) override;
  const std::any* FindHandler(const std::wstring& name) const override;

 protected:
  // Reads the layout resource name (RCDATA) into this form and its components.
  void ReadLayout(const wchar_t* resourceName);
  // Makes a method of the derived form known to layouts by name.
  template <typename Event>
  void Publish(const std::wstring& name, const Event& handler) { FHandlers[name] = handler; }
  // A component the layout made, by name and class; an Exception when missing.
  template <class Component>
  Component* Field(const std::wstring& name) {
    auto* found = dynamic_cast<Component*>(FindComponent(name));
    if (!found) throw Exception(L"Component %s not found", {name});
    return found;
  }

  void CreateParams(TCreateParams& params) override;
  HWND CreateWindowHandle(const TCreateParams& params) override;
  void DestroyWindowHandle() override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void Loaded() override;
  void Destroying() override;
  void Notification(TComponent* component, TOperation operation) override;
  // The form keeps its place and gets the window size that holds its
  // layout's client area taken to the new DPI.
  void ScaleBounds(int toDpi) override;

 private:
  // What a running ShowModal keeps on its own stack, so it can tell that the form was freed.
  struct TModalState {
    bool Freed = false;
  };

  void WMActivate(TMessage& message);
  void ControlFocused(HWND wnd) override;
  // Focus to the control focused last, or ActiveControl, or the first tab
  // stop that can take it; the form keeps it when none can.
  void RestoreFocus();
  HWND FocusTarget() const;
  void WMMDIActivate(TMessage& message);
  void WMDpiChanged(TMessage& message);
  // The client size the layout gives, at 96 DPI: its ClientWidth and
  // ClientHeight, or its Width and Height less the platform's frame there.
  SIZE LayoutClientSize();
  // The window's style and extended style, or those it will be made with.
  std::pair<DWORD, DWORD> WindowStyles();
  bool HasMenuBar() const { return FMenu && FFormStyle != fsMDIChild; }
  bool MenuMessage(TMessage& message);
  bool MenuChar(TMessage& message);
  void ShowMenu();
  void MenuItemsChanged(TComponent* item);
  void MergeMenus();
  TMenu* MenuWith(UINT command) const;
  TForm* MDIFrame() const;
  void CreateClientWindow();

  TMainMenu* FMenu = nullptr;
  std::wstring FMenuName;
  TWinControl* FActiveControl = nullptr;
  std::wstring FActiveControlName;
  HWND FLastFocus = nullptr;  // a window inside the form, checked before use
  unsigned FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TBorderStyle FBorderStyle = bsSizeable;
  TFormStyle FFormStyle = fsNormal;
  HWND FClientHandle = nullptr;  // a child window: destroyed with the form's
  TMenuHandle FMergedMenu;       // an MDI frame's own entries and its active child's
  TWindowState FWindowState = wsNormal;
  bool FAutoScroll = true;
  int FClientWidth = -1;
  int FClientHeight = -1;
  SIZE FLayoutClient{-1, -1};  // found when the window is first made
  int FModalResult = mrNone;
  TModalState* FModalState = nullptr;
  TNotifyEvent FOnCreate;
  TCloseEvent FOnClose;
  std::map<std::wstring, std::any> FHandlers;
};

// The program's forms, the one last activated first, those never activated
// after them in the order they were made; and the system's menu font.
class TScreen {
 public:
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int index) const;
  HFONT MenuFont();

 private:
  friend class TForm;
  std::vector<TForm*> FForms;
  TFontHandle FMenuFont;
};

extern TScreen& Screen;
