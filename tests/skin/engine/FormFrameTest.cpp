// Skinned frames on real windows under the hook: a form taken over on its
// first activation and given back as it was, the title's hit rows, the
// close button under real mouse input, the system menu's double right
// click, a maximised title that does not drag, caption changes, message
// boxes and the Save dialog, the size-grip refusal, the opt-out tag, and a
// new skin file reskinning every open window.
#include <gtest/gtest.h>

#include <windows.h>

#include "SkinnedWindows.h"
#include "TempFiles.h"
#include "skin/controls/SkinControl.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/WindowFacts.h"
#include "skin/engine/WinSysButton.h"
#include "support/BitmapPixels.h"
#include "toolkit/forms/SaveDialog.h"
#include "toolkit/forms/StdCtrls.h"
#include "tools/skinpack/SampleSkin.h"

namespace {

COLORREF ScreenPixel(POINT point) {
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// Counts the requests to close and refuses them, so the form stays to be looked at.
struct TCloseCounter {
  void FormClose(TComponent*, TCloseAction& action) {
    ++Count;
    action = caNone;
  }
  int Count = 0;
};

TMenuForm* CountedForm(TCloseCounter& counter) {
  auto* form = Application.CreateForm<TMenuForm>();
  form->SetEvent(L"OnClose", std::any(TCloseEvent::Of<&TCloseCounter::FormClose>(counter)));
  return form;
}

// A pixel of frame `frame` of a title button's image, at (x, y) of the frame.
COLORREF FramePixel(TWinSysButton& button, int frame, int x, int y) {
  TBitmap& image = button.Element.Image;
  return PixelAt(image, image.Width() / button.Element.FrameCount * (frame - 1) + x, y);
}

}  // namespace

TEST(SkinnedFrame, ActiveOffGivesTheWindowBackAsItWasAndOnSkinsItAgain) {
  TSkinnedSession session(false);
  auto* form = Application.CreateForm<TMenuForm>();
  form->SetColor(clWindow);
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetText(L"录音");
  form->Show();
  HWND wnd = form->Handle();
  Pump(300);
  ASSERT_EQ(SkinnerOf(wnd), nullptr) << "skinning is off";
  ASSERT_EQ(TSkinControl::ForComponent(button), nullptr);
  const WNDPROC procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  const SIZE client = ClientSize(wnd);
  HMENU menu = GetMenu(wnd);
  ASSERT_NE(menu, nullptr);

  for (int round = 0; round < 2; ++round) {
    session.Skin().SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return IsPresented(wnd); })) << "round " << round;
    EXPECT_EQ(SendMessageW(wnd, SKM_QUERYSKINNED, 0, 0), 1);
    EXPECT_EQ(GetMenu(wnd), nullptr) << "the skin draws the menu bar";
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CAPTION) << "the platform draws no caption";
    EXPECT_EQ(form->Color(), session.Skin().Colours.ButtonFace);
    TSkinControl* buttonSkinner = TSkinControl::ForComponent(button);
    ASSERT_NE(buttonSkinner, nullptr) << "the form's controls are handed to control skinners";
    EXPECT_EQ(SkinnerOf(wnd)->ControlSkinners(), std::vector<TSkinControlLink*>{buttonSkinner});
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(wnd, region), ERROR) << "transparent border pieces shape the window";
    DeleteObject(region);
    const SIZE skinned = ClientSize(wnd);
    EXPECT_EQ(skinned.cx, client.cx);
    EXPECT_EQ(skinned.cy, client.cy);

    session.Skin().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return SkinnerOf(wnd) == nullptr; }));
    Pump(50);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)), procedure);
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE), style);
    EXPECT_EQ(GetMenu(wnd), menu);
    EXPECT_EQ(form->Color(), clWindow);
    EXPECT_EQ(TSkinControl::ForComponent(button), nullptr) << "the control skinners go with the form skinner";
    EXPECT_EQ(ClientSize(wnd).cx, skinned.cx);
    EXPECT_EQ(ClientSize(wnd).cy, skinned.cy);
    region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(wnd, region), ERROR) << "no region is left behind";
    DeleteObject(region);
    EXPECT_EQ(SendMessageW(wnd, SKM_QUERYSKINNED, 0, 0), 0);
  }
}

// A bare popup window with a caption: the platform finds no border at its
// top once the caption style is gone, so the skin's rows decide.
TEST(SkinnedFrame, TheTopThreeRowsAreNoTitleAndTheBarBelowTheTitleIsTheMenu) {
  TSkinnedSession session;
  HMENU menu = CreateMenu();
  AppendMenuW(menu, MF_STRING, 1, L"&File");
  HWND wnd = BareWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, {100, 100, 400, 300}, menu);
  ASSERT_TRUE(PumpUntil([&] { return IsPresented(wnd); }));
  TWinSkinForm& skinner = *SkinnerOf(wnd);
  auto hit = [&](int x, int y) {
    POINT at = AtWindow(wnd, x, y);
    return SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
  };
  for (int row = 0; row <= 3; ++row) EXPECT_EQ(hit(150, row), HTNOWHERE) << "row " << row;
  EXPECT_EQ(hit(150, 4), HTCAPTION);
  EXPECT_EQ(hit(150, skinner.FrameTop - 1), HTCAPTION);
  EXPECT_EQ(hit(150, skinner.FrameTop + 1), HTMENU);
  EXPECT_EQ(hit(150, skinner.FrameTop + skinner.MenuHeight + 5), HTCLIENT);
  DestroyWindow(wnd);
  EXPECT_TRUE(PumpUntil([&] { return SkinnerOf(wnd) == nullptr || SkinnerOf(wnd)->LifeState == flDestroyed; }));
}

TEST(SkinnedFrame, TheCloseButtonClosesOnlyWhenReleasedOnIt) {
  TSkinnedSession session;
  TCloseCounter closes;
  TMenuForm* form = CountedForm(closes);
  ASSERT_TRUE(ShowSkinned(*form));
  HWND wnd = form->Handle();
  TWinSkinForm& skinner = *SkinnerOf(wnd);
  TWinSysButton* close = ButtonOfAction(skinner, 0);
  ASSERT_NE(close, nullptr);
  const POINT onButton = CentreOf(close->Bounds, wnd);
  const POINT probe = AtWindow(wnd, close->Bounds.Left + 4, close->Bounds.Top + 10);
  const POINT away{WindowBounds(wnd).right + 40, WindowBounds(wnd).bottom + 40};

  PressLeft(onButton);
  ASSERT_TRUE(PumpUntil([&] { return close->State == nsPressed; }));
  EXPECT_EQ(ScreenPixel(probe), FramePixel(*close, 2, 4, 10)) << "the pressed frame";
  MoveMouse(away);
  ReleaseLeft(away);
  Pump(600);
  EXPECT_EQ(closes.Count, 0) << "released elsewhere";
  EXPECT_TRUE(PumpUntil([&] { return close->State == nsNormal; })) << "the mouse left it";

  MoveMouse(onButton);
  PressLeft(onButton);
  ReleaseLeft(onButton);
  ASSERT_TRUE(PumpUntil([&] { return closes.Count == 1; }));
  EXPECT_EQ(close->State, nsHot);
  EXPECT_EQ(ScreenPixel(probe), FramePixel(*close, 3, 4, 10)) << "the hot frame, over the title's own background";
}

TEST(SkinnedFrame, ADoubleRightClickOnTheTitleCloses) {
  TSkinnedSession session;
  TCloseCounter closes;
  TMenuForm* form = CountedForm(closes);
  ASSERT_TRUE(ShowSkinned(*form));
  HWND wnd = form->Handle();
  SkinnerOf(wnd)->DoubleClickTime = 10000;  // however slow the machine, the second click counts
  const POINT title = AtWindow(wnd, 160, 15), again = AtWindow(wnd, 130, 15);
  bool menuShown = false;
  // The first click's system menu runs a loop of its own, its corner at the
  // click; the second click, on the title beside it, ends the loop and
  // reaches the title.
  TInputThread input([&] {
    ClickRight(title);
    menuShown = WaitFor([] { return OpenMenuWindow() != nullptr; });
    ClickRight(again);
  });
  EXPECT_TRUE(PumpUntil([&] { return closes.Count == 1 && input.Done(); }));
  EXPECT_TRUE(menuShown) << "the first click opens the system menu";
  EXPECT_EQ(OpenMenuWindow(), nullptr);
}

TEST(SkinnedFrame, AMaximisedWindowIsNotDraggedByItsTitle) {
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  ASSERT_TRUE(ShowSkinned(*form));
  HWND wnd = form->Handle();
  auto drag = [&] {
    const POINT from = AtWindow(wnd, 150, 12);
    TInputThread input([from] {
      MoveMouse(from);
      PressLeft(from);
      Sleep(100);
      MoveMouse({from.x + 30, from.y + 25});
      Sleep(100);
      MoveMouse({from.x + 60, from.y + 50});
      Sleep(100);
      ReleaseLeft({from.x + 60, from.y + 50});
    });
    PumpUntil([&] { return input.Done(); });
    Pump(300);
  };
  const RECT normal = WindowBounds(wnd);
  drag();
  EXPECT_NE(WindowBounds(wnd).left, normal.left) << "a normal window moves with its title";

  form->SetWindowState(wsMaximized);
  ASSERT_TRUE(PumpUntil([&] { return SkinnerOf(wnd)->WindowState == swMaximised; }));
  Pump(200);
  const RECT maximised = WindowBounds(wnd);
  drag();
  const RECT after = WindowBounds(wnd);
  EXPECT_EQ(after.left, maximised.left);
  EXPECT_EQ(after.top, maximised.top);
}

TEST(SkinnedFrame, ChangingTheCaptionRedrawsTheTitle) {
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  ASSERT_TRUE(ShowSkinned(*form));
  HWND wnd = form->Handle();
  TWinSkinForm& skinner = *SkinnerOf(wnd);
  Pump(100);
  RECT caption = skinner.CaptionRect;
  OffsetRect(&caption, WindowBounds(wnd).left, WindowBounds(wnd).top);
  const std::vector<COLORREF> before = ScreenPixels(caption);
  form->SetText(L"录音机 Another caption");
  Pump(100);
  EXPECT_EQ(skinner.CaptionText, L"录音机 Another caption");
  EXPECT_NE(ScreenPixels(caption), before);
}

namespace {

// What a check run inside a modal loop (a message box, a system dialog) found.
struct TDialogCheck {
  std::wstring Caption;
  HWND Dialog = nullptr;
  bool Skinned = false;
  LONG Width = 0, ClientWidth = 0;
  int FrameLeft = 0, FrameRight = 0;
  LONG ButtonLeft = 0;  // in client coordinates
  // The caption's text, its place and the close button's, as first painted.
  int CaptionTextWidth = 0;
  RECT CaptionRect{};
  LONG CloseLeft = 0;
  bool TitleRepaintsTheSame = false;
  int PushButtons = 0, SkinnedPushButtons = 0;
  int Ticks = 0, PresentedTicks = 0;
};
TDialogCheck gDialog;

// Once the dialog is shown (in the skin's frame, while skinning is on),
// records what it looks like and ends it.
void CALLBACK CheckDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(L"#32770", gDialog.Caption.c_str());
  if (++gDialog.Ticks > 300) return void(KillTimer(nullptr, timer));
  if (!dialog || !IsWindowVisible(dialog)) return;
  const bool skinning = SkinManager() && SkinManager()->Enabled;
  if (skinning && !IsPresented(dialog)) return;
  if (++gDialog.PresentedTicks < 5) return;  // the paints of the first presentation are done
  KillTimer(nullptr, timer);
  gDialog.Dialog = dialog;
  if (TWinSkinForm* skinner = SkinnerOf(dialog)) {
    gDialog.FrameLeft = skinner->FrameLeft;
    gDialog.FrameRight = skinner->FrameRight;
    gDialog.CaptionRect = skinner->CaptionRect;
    if (TWinSysButton* close = ButtonOfAction(*skinner, 0)) gDialog.CloseLeft = close->Bounds.Left;
    {
      TWindowDC dc(dialog);
      TSelectObject font(dc.Get(), skinner->CaptionFont.Get());
      RECT text{};
      const std::wstring drawn = skinner->CaptionPrefix + skinner->CaptionText;
      DrawTextW(dc.Get(), drawn.c_str(), static_cast<int>(drawn.size()), &text, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
      gDialog.CaptionTextWidth = text.right;
    }
    RECT band = WindowBounds(dialog);
    band.bottom = band.top + skinner->FrameTop;
    const std::vector<COLORREF> first = ScreenPixels(band);
    RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    gDialog.TitleRepaintsTheSame = ScreenPixels(band) == first;
  }
  gDialog.Skinned = SendMessageW(dialog, SKM_QUERYSKINNED, 0, 0) == 1;
  RECT window = WindowBounds(dialog);
  gDialog.Width = window.right - window.left;
  gDialog.ClientWidth = ClientSize(dialog).cx;
  if (HWND ok = GetDlgItem(dialog, IDOK)) {
    RECT button = WindowBounds(ok);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
    gDialog.ButtonLeft = button.left;
  }
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG_PTR type = GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
    if (ClassNameOf(child) != L"Button" || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)) continue;
    ++gDialog.PushButtons;
    gDialog.SkinnedPushButtons += TSkinControl::ForWindow(child) != nullptr;
  }
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

// The same message box shown first with the platform's frame, then skinned:
// widened so that its whole caption fits in front of the close button from
// the first paint on, its button moved right by half the widening.
TEST(SkinnedFrame, AMessageBoxWiderInItsCaptionThanItsTextIsWidenedAndItsButtonMoved) {
  TSkinnedSession session(false);
  auto* form = Application.CreateForm<TMenuForm>();
  form->Show();
  const std::wstring caption = L"A message box whose caption is much wider than the little text it shows";
  gDialog = {caption};
  SetTimer(nullptr, 0, 20, CheckDialog);
  MessageBoxW(form->Handle(), L"Short.", caption.c_str(), MB_OK);
  const TDialogCheck plain = gDialog;
  ASSERT_NE(plain.Dialog, nullptr);
  EXPECT_FALSE(plain.Skinned);
  EXPECT_EQ(plain.SkinnedPushButtons, 0);

  session.Skin().SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return IsPresented(form->Handle()); }));
  gDialog = {caption};
  SetTimer(nullptr, 0, 20, CheckDialog);
  MessageBoxW(form->Handle(), L"Short.", caption.c_str(), MB_OK);
  ASSERT_NE(gDialog.Dialog, nullptr) << "the message box was never presented skinned";
  EXPECT_TRUE(gDialog.Skinned);
  EXPECT_EQ(gDialog.SkinnedPushButtons, 1) << "the box's button is skinned";
  const TDataSkinTitle& title = session.Skin().Title;
  const LONG textSpace = gDialog.CaptionRect.right - gDialog.CaptionRect.left - title.TXTBackleft - title.TXTBackRight;
  EXPECT_GE(textSpace, gDialog.CaptionTextWidth) << "the whole caption fits, without an ellipsis";
  EXPECT_GT(gDialog.CloseLeft, 0);
  EXPECT_LE(gDialog.CaptionRect.right, gDialog.CloseLeft) << "the caption ends in front of the close button";
  EXPECT_TRUE(gDialog.TitleRepaintsTheSame) << "the first paint already placed the caption where it stays";
  const LONG widening = gDialog.Width - (plain.ClientWidth + gDialog.FrameLeft + gDialog.FrameRight);
  ASSERT_GT(widening, 0) << "the caption is wider than the box";
  EXPECT_EQ(gDialog.ButtonLeft, plain.ButtonLeft + widening / 2) << "the button moved right by half the widening";
}

TEST(SkinnedFrame, TheSaveDialogIsSkinned) {
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  ASSERT_TRUE(ShowSkinned(*form));
  auto* dialog = new TSaveDialog(form);
  dialog->SetProperty(L"Title", std::wstring(L"保存"));
  gDialog = {L"保存"};
  SetTimer(nullptr, 0, 20, CheckDialog);
  EXPECT_FALSE(dialog->Execute());
  EXPECT_NE(gDialog.Dialog, nullptr) << "the Save dialog was never presented skinned";
  EXPECT_TRUE(gDialog.Skinned);
  EXPECT_GE(gDialog.PushButtons, 2);
  EXPECT_EQ(gDialog.SkinnedPushButtons, gDialog.PushButtons) << "its push buttons are skinned";
}

TEST(SkinManager, ASizeGripIsRefusedOnlyAsADirectChildOfASkinnedForm) {
  TSkinnedSession session;
  auto* skinned = Application.CreateForm<TMenuForm>();
  ASSERT_TRUE(ShowSkinned(*skinned));
  auto* plain = Application.CreateForm<TMenuForm>();
  plain->SetTag(99);
  plain->Show();
  Pump(300);
  auto grip = [](HWND parent) {
    return CreateWindowExW(0, L"ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 0, 0, 16, 16, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  };
  EXPECT_EQ(grip(skinned->Handle()), nullptr);
  HWND elsewhere = grip(plain->Handle());
  EXPECT_NE(elsewhere, nullptr);
  DestroyWindow(elsewhere);
  HWND bar = CreateWindowExW(0, L"ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 16, 60,
                             skinned->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  EXPECT_NE(bar, nullptr) << "other scroll bars are made as usual";
  DestroyWindow(bar);
}

TEST(SkinManager, AFormTaggedNinetyNineKeepsThePlatformFrame) {
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  form->SetTag(99);
  form->Show();
  Pump(400);
  EXPECT_EQ(SkinnerOf(form->Handle()), nullptr);
  EXPECT_EQ(SendMessageW(form->Handle(), SKM_QUERYSKINNED, 0, 0), 0);
  EXPECT_NE(GetMenu(form->Handle()), nullptr);
}

TEST(SkinManager, ANewSkinFileReskinsEveryOpenWindow) {
  TSkinnedSession session;
  auto* first = Application.CreateForm<TMenuForm>();
  auto* second = Application.CreateForm<TMenuForm>();
  second->SetText(L"Second");
  second->SetBounds(300, 300, 300, 200);
  ASSERT_TRUE(ShowSkinned(*first));
  ASSERT_TRUE(ShowSkinned(*second));
  const int oldTop = SkinnerOf(first->Handle())->FrameTop;

  // Another skin: a title 44 pixels high and another face colour.
  Bytes package = EditedSkinPackage([](std::vector<TPackageFile>& files) {
    FileNamed(files, "top.bmp").Bytes = MakeBmp(32, 88, 7);
    SetIniValue(files, "Colours", "ButtonFace", "200,220,240");
  });
  TTempFile file(L"other.skn");
  WritePackage(file.Path(), package);
  session.Skin().SetSkinFile(file.Path());
  ASSERT_FALSE(session.Skin().SkinNotReady);
  for (TForm* form : {static_cast<TForm*>(first), static_cast<TForm*>(second)}) {
    HWND wnd = form->Handle();
    EXPECT_TRUE(PumpUntil([&] { return IsPresented(wnd) && SkinnerOf(wnd)->FrameTop == 44; }))
        << "was " << oldTop;
    EXPECT_EQ(form->Color(), RGB(200, 220, 240));
    RECT client{};
    GetClientRect(wnd, &client);
    POINT origin{0, 0};
    ClientToScreen(wnd, &origin);
    EXPECT_EQ(origin.y - WindowBounds(wnd).top, 44 + GetSystemMetrics(SM_CYMENU)) << "the client lies below the new title";
  }
}

TEST(SkinManager, ASkinFileThatFailsHalfwayGivesTheWindowsBackAndAGoodOneSkinsThemAgain) {
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  ASSERT_TRUE(ShowSkinned(*form));
  HWND wnd = form->Handle();
  // The frame and the title buttons are read; a bitmap after them is no image.
  TTempFile broken(L"broken.skn"), good(L"good.skn");
  WritePackage(broken.Path(), EditedSkinPackage([](std::vector<TPackageFile>& files) {
                 TPackageFile& menu = FileNamed(files, "menubar.bmp");
                 std::fill(menu.Bytes.begin() + 18, menu.Bytes.begin() + 26, uint8_t(0));
               }));
  WritePackage(good.Path(), DefaultSkinPackage());
  EXPECT_THROW(session.Skin().SetSkinFile(broken.Path()), Exception);
  EXPECT_TRUE(session.Skin().SkinNotReady);
  ASSERT_TRUE(PumpUntil([&] { return SkinnerOf(wnd) == nullptr; })) << "the platform's frame is back";
  RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NE(GetMenu(wnd), nullptr);

  session.Skin().SetSkinFile(good.Path());
  EXPECT_TRUE(PumpUntil([&] { return IsPresented(wnd); }));
}
