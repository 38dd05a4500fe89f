// Form styles and window states against the real platform: an MDI frame whose
// client window makes, destroys and activates its children and shows the
// active child's menu, maximising, double-buffered painting, the screen's
// list of forms, and the status bar's grip, simple panel, bevels and alignment.
#include <gtest/gtest.h>

#include "support/GuiObjects.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/StatusBar.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/WindowSubclass.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class FormStyles : public ::testing::Test {
 protected:
  void SetUp() override { Application.Initialize(); }
  void TearDown() override { Application.DestroyForms(); }
};

TEST_F(FormStyles, AnMdiFrameHoldsItsChildrenInItsClientWindow) {
  TForm* frame = Application.CreateForm<TForm>();
  frame->SetFormStyle(fsMDIForm);
  frame->SetBounds(50, 50, 500, 400);
  frame->Show();
  wchar_t className[32] = {};
  GetClassNameW(frame->ClientHandle(), className, 32);
  EXPECT_STREQ(className, L"MDIClient");

  TForm* child = Application.CreateForm<TForm>();
  child->SetFormStyle(fsMDIChild);
  child->SetBounds(10, 10, 200, 150);
  child->Show();
  EXPECT_EQ(GetParent(child->Handle()), frame->ClientHandle());
  EXPECT_TRUE(GetWindowLongPtrW(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  BOOL maximised = FALSE;
  HWND active = reinterpret_cast<HWND>(SendMessageW(frame->ClientHandle(), WM_MDIGETACTIVE, 0,
                                                    reinterpret_cast<LPARAM>(&maximised)));
  EXPECT_EQ(active, child->Handle());
  child->SetWindowState(wsMaximized);
  SendMessageW(frame->ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
  EXPECT_TRUE(maximised);
  EXPECT_EQ(child->WindowState(), wsMaximized);
  EXPECT_THROW(child->SetFormStyle(fsNormal), Exception) << "the window is made for its style";
}

// Watches the MDI client as the skin engine will: through its window procedure.
struct TClientWatch {
  TWindowSubclass Subclass;
  std::vector<UINT> Seen;
  HWND Created = nullptr;
  void Hook(TMessage& message) {
    if (message.Msg >= WM_MDICREATE && message.Msg <= WM_MDIREFRESHMENU) Seen.push_back(message.Msg);
    Subclass.CallPrevious(message);
    if (message.Msg == WM_MDICREATE) Created = reinterpret_cast<HWND>(message.Result);
  }
  bool Saw(UINT msg) const { return std::find(Seen.begin(), Seen.end(), msg) != Seen.end(); }
};

TMainMenu* OneEntryMenu(TForm* form, const wchar_t* entry, const wchar_t* item, TMenuItem** itemOut = nullptr) {
  auto* menu = new TMainMenu(form);
  auto* top = new TMenuItem(form);
  top->SetCaption(entry);
  menu->Add(top);
  auto* sub = new TMenuItem(form);
  sub->SetCaption(item);
  top->Add(sub);
  if (itemOut) *itemOut = sub;
  return menu;
}

std::wstring EntryText(HMENU menu, int position) {
  wchar_t text[32] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 32, MF_BYPOSITION);
  return text;
}

TEST_F(FormStyles, TheMdiClientMakesAndDestroysChildrenAndTheFrameShowsTheActiveChildsMenu) {
  TForm* frame = Application.CreateForm<TForm>();
  frame->SetFormStyle(fsMDIForm);
  frame->SetBounds(50, 50, 500, 400);
  frame->SetMenu(OneEntryMenu(frame, L"&File", L"E&xit"));
  frame->Show();
  TClientWatch client;
  client.Subclass.Install(frame->ClientHandle(), TWndMethod::Of<&TClientWatch::Hook>(client));

  TForm* child = Application.CreateForm<TForm>();
  child->SetFormStyle(fsMDIChild);
  TMenuItem* copy = nullptr;
  child->SetMenu(OneEntryMenu(child, L"&Edit", L"&Copy", &copy));
  struct TClicks {
    int Count = 0;
    void Click(TComponent*) { ++Count; }
  } clicks;
  copy->SetOnClick(TNotifyEvent::Of<&TClicks::Click>(clicks));
  child->Show();
  EXPECT_TRUE(client.Saw(WM_MDICREATE));
  EXPECT_EQ(client.Created, child->Handle());
  EXPECT_EQ(frame->ActiveMDIChild(), child);
  EXPECT_TRUE(client.Saw(WM_MDISETMENU));
  EXPECT_TRUE(client.Saw(WM_MDIREFRESHMENU));
  HMENU merged = GetMenu(frame->Handle());
  ASSERT_EQ(GetMenuItemCount(merged), 2);
  EXPECT_EQ(EntryText(merged, 0), L"&File");
  EXPECT_EQ(EntryText(merged, 1), L"&Edit");
  EXPECT_EQ(GetSubMenu(merged, 1), child->Menu()->Items(0)->Handle()) << "the drop-down is the child menu's own";
  SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(copy->Command(), 0), 0);
  EXPECT_EQ(clicks.Count, 1) << "the frame hands the child's commands to its items";

  client.Seen.clear();
  child->Free();
  EXPECT_TRUE(client.Saw(WM_MDIDESTROY));
  EXPECT_EQ(frame->ActiveMDIChild(), nullptr);
  EXPECT_EQ(GetMenu(frame->Handle()), frame->Menu()->MenuHandle()) << "the frame's own menu is back";
}

TEST_F(FormStyles, ScreenListsFormsByActivationNotByTheMomentaryStacking) {
  TForm* first = Application.CreateForm<TForm>();
  TForm* second = Application.CreateForm<TForm>();
  TForm* hidden = Application.CreateForm<TForm>();
  first->Show();
  second->Show();
  SetActiveWindow(first->Handle());
  EXPECT_EQ(Screen.Forms(0), first);
  EXPECT_EQ(Screen.Forms(1), second);
  EXPECT_EQ(Screen.Forms(2), hidden) << "never activated: last";
  // Raised without activation, as a skinner's frame update may: the list stays.
  SetWindowPos(second->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(Screen.Forms(0), first);
  SetActiveWindow(second->Handle());
  EXPECT_EQ(Screen.Forms(0), second);
  EXPECT_THROW(Screen.Forms(3), EListError);
}

TEST_F(FormStyles, AnMdiChildWithoutAFrameIsAnError) {
  TForm* main = Application.CreateForm<TForm>();
  main->Show();
  TForm* child = Application.CreateForm<TForm>();
  child->SetFormStyle(fsMDIChild);
  EXPECT_THROW(child->Handle(), Exception);
}

TEST_F(FormStyles, WindowStateIsAppliedOnShowAndReadBackFromTheWindow) {
  TForm* form = Application.CreateForm<TForm>();
  form->SetBounds(50, 50, 300, 200);
  form->SetWindowState(wsMinimized);
  EXPECT_EQ(form->WindowState(), wsMinimized);
  form->Show();
  EXPECT_TRUE(IsIconic(form->Handle()));
  ShowWindow(form->Handle(), SW_RESTORE);  // as the user would
  EXPECT_EQ(form->WindowState(), wsNormal);
  form->SetWindowState(wsMaximized);
  EXPECT_TRUE(IsZoomed(form->Handle()));
}

TEST_F(FormStyles, ADoubleBufferedFormPaintsItsColourWithoutLeaking) {
  TForm* form = Application.CreateForm<TForm>();
  form->SetBounds(50, 50, 300, 200);
  form->SetColor(TColor(RGB(0, 128, 0)));
  form->SetDoubleBuffered(true);
  form->Show();
  auto repaint = [&] {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Application.ProcessMessages();
  };
  repaint();
  DWORD before = GdiObjects();
  for (int i = 0; i < 20; ++i) repaint();
  EXPECT_EQ(GdiObjects(), before);
  TWindowDC dc(form->Handle());
  EXPECT_EQ(GetPixel(dc.Get(), 20, 20), RGB(0, 128, 0));
}

std::wstring PanelText(TStatusBar& bar, int index, LRESULT* kind = nullptr) {
  wchar_t text[64] = {};
  LRESULT info = SendMessageW(bar.Handle(), SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  if (kind) *kind = HIWORD(info);
  return text;
}

TEST_F(FormStyles, AStatusBarSwitchesBetweenPanelsAndSimpleText) {
  TForm* form = Application.CreateForm<TForm>();
  auto* bar = new TStatusBar(form);
  bar->SetParent(form);
  bar->Panels().Add().SetText(L"已经录制了");
  bar->Panels().Add().SetText(L"00:00:01");
  bar->SetSimpleText(L"准备");  // before the window: applied when it is made
  form->Show();
  EXPECT_FALSE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(PanelText(*bar, 1), L"00:00:01");
  bar->SetSimplePanel(true);
  EXPECT_TRUE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
  bar->SetSimpleText(L"正在录音");
  EXPECT_EQ(bar->SimpleText(), L"正在录音");
  bar->SetSimplePanel(false);
  EXPECT_EQ(PanelText(*bar, 0), L"已经录制了") << "the panels come back unchanged";
}

TEST_F(FormStyles, TheSizeGripFollowsItsPropertyAlsoOnceTheBarHasItsWindow) {
  TForm* form = Application.CreateForm<TForm>();
  auto* bar = new TStatusBar(form);
  bar->SetParent(form);
  bar->Panels().Add().SetText(L"已经录制了");
  form->Show();
  auto hasGrip = [&] { return (GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP) != 0; };
  EXPECT_TRUE(hasGrip());
  bar->SetSizeGrip(false);
  EXPECT_FALSE(hasGrip());
  EXPECT_EQ(PanelText(*bar, 0), L"已经录制了") << "the window made again shows the same panels";
  EXPECT_EQ(GetParent(bar->Handle()), form->Handle());
}

TEST_F(FormStyles, PanelBevelAndAlignmentReachTheBar) {
  TForm* form = Application.CreateForm<TForm>();
  auto* bar = new TStatusBar(form);
  bar->SetParent(form);
  TStatusPanel& panel = bar->Panels().Add();
  panel.SetText(L"12");
  form->Show();
  panel.SetBevel(pbRaised);
  LRESULT kind = 0;
  PanelText(*bar, 0, &kind);
  EXPECT_EQ(kind, SBT_POPOUT);
  panel.SetBevel(pbNone);
  PanelText(*bar, 0, &kind);
  EXPECT_EQ(kind, SBT_NOBORDERS);
  panel.SetAlignment(taRightJustify);
  EXPECT_EQ(PanelText(*bar, 0).substr(0, 2), L"\t\t") << "the control right-aligns text after two tabs";
  EXPECT_EQ(panel.Text(), L"12");
}

}  // namespace
