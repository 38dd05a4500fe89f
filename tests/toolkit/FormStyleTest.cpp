// Form styles and window states against the real platform: an MDI frame with
// its client and children, maximising, double-buffered painting, and the
// status bar's simple panel, bevels and alignment.
#include <gtest/gtest.h>

#include "support/GuiObjects.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/StatusBar.h"
#include "toolkit/platform/Application.h"

#include <commctrl.h>

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
