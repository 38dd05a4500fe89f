// Where the engine meets the platform and the toolkit: its own failures are
// never shown while the toolkit's still are, a form's popup menus keep
// nothing of a skinner that went with the form's window, a skin data
// component deleted on its own leaves the engine, and painting an item of a
// platform menu takes no command number.
#include <gtest/gtest.h>

#include <windows.h>

#include "SkinnedWindows.h"
#include "skin/engine/WinSkinMenu.h"
#include "support/BitmapPixels.h"
#include "support/ShownErrors.h"
#include "toolkit/forms/StdCtrls.h"

namespace {

// An application's handler that fails the first `Failures` times it runs.
struct TFailing {
  int Failures = 1;
  void Run(TComponent*) {
    if (Failures > 0) --Failures, throw Exception(L"failed where the skin ran it");
  }
  void Click(TComponent*) { throw Exception(L"the click failed"); }
};

DRAWITEMSTRUCT MenuItemDraw(UINT command, HMENU menu, TBitmap& target) {
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.itemID = command;
  draw.itemAction = ODA_DRAWENTIRE;
  draw.hwndItem = reinterpret_cast<HWND>(menu);
  draw.hDC = target.Canvas().Handle();
  draw.rcItem = {0, 0, target.Width(), target.Height()};
  return draw;
}

}  // namespace

// The engine's timer tick, a reload of the bar and the painting of a menu
// item fail (in the application's handlers the engine runs for them): none
// of it is shown and the window goes on skinned. A click the skinned button
// hands to the toolkit fails too, and that is shown, once, as without the skin.
TEST(SkinBoundaries, TheEngineNeverReportsWhileTheToolkitStillDoes) {
  TSkinnedSession session;
  TShownErrors errors;
  TFailing failing;
  auto* form = Application.CreateForm<TMenuForm>();
  form->Menu()->SetOwnerDraw(true);  // the bar reads its captions from the toolkit items, actions updated first
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(20, 20, 90, 26);
  button->SetText(L"录音");
  button->SetOnClick(TNotifyEvent::Of<&TFailing::Click>(failing));
  ASSERT_TRUE(ShowSkinned(*form));

  session.Skin().SetOnSkinChanged(TNotifyEvent::Of<&TFailing::Run>(failing));
  session.Skin().SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !SkinnerOf(form->Handle()); }));
  session.Skin().SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return IsPresented(form->Handle()); })) << "the tick after the failed one skins";
  EXPECT_EQ(failing.Failures, 0);

  // Only while the skin draws the menus do the engine's steps update the actions.
  auto* action = new TBasicAction(form);
  action->SetOnUpdate(TNotifyEvent::Of<&TFailing::Run>(failing));
  form->File->SetAction(action);
  form->Open->SetAction(action);

  failing.Failures = 1;
  form->File->SetCaption(L"&Datei");
  EXPECT_EQ(failing.Failures, 0) << "the bar's reload ran the action";
  form->Edit->SetCaption(L"&Bearbeiten");
  const auto& entries = SkinnerOf(form->Handle())->SkinMenu->Entries;
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1]->Caption, L"&Bearbeiten") << "the next reload works";

  failing.Failures = 1;
  TBitmap item;
  MakeFilled(item, 120, 20, RGB(255, 0, 255));
  DRAWITEMSTRUCT draw = MenuItemDraw(form->Open->Command(), form->File->Handle(), item);
  SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  EXPECT_EQ(failing.Failures, 0) << "the item's painting ran the action";
  EXPECT_NE(PixelAt(item, 60, 10), RGB(255, 0, 255)) << "the item was drawn all the same";
  Pump(100);

  const POINT centre = AtWindow(button->Handle(), 45, 13);
  MoveMouse(centre);
  PressLeft(centre);
  ReleaseLeft(centre);
  EXPECT_TRUE(PumpUntil([&] { return !errors.Texts.empty(); }));
  Pump(100);
  EXPECT_EQ(errors.Texts, std::vector<std::wstring>{L"the click failed"});
  EXPECT_TRUE(IsPresented(form->Handle()));
}

// The form outlives its window: once the window went, its popup menus are
// drawn by the toolkit again, not by the skinner the manager frees; the
// form's next window is skinned, popup menus included.
TEST(SkinBoundaries, APopupMenuOutlivesTheSkinnerOfItsFormsWindow) {
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  auto* popup = new TPopupMenu(form);
  form->Item(popup, L"&Copy");
  form->Item(popup, L"&Paste");
  ASSERT_TRUE(ShowSkinned(*form));
  ASSERT_TRUE(popup->OwnerDraw() && popup->Items(0)->OnDrawItem()) << "drawn by the skin";

  DestroyWindow(form->Handle());
  auto* other = Application.CreateForm<TMenuForm>();
  other->SetBounds(420, 300, 300, 220);
  ASSERT_TRUE(ShowSkinned(*other));
  ASSERT_EQ(session.Manager().SkinnedForms().size(), 1u) << "the skinner of the window that went is freed";
  for (int i = 0; i < popup->Count(); ++i) ASSERT_FALSE(popup->Items(i)->OnDrawItem());
  EXPECT_FALSE(popup->OwnerDraw());
  TTimer closer(nullptr);
  struct TCloser {
    bool Shown = false;
    void Tick(TComponent*) {
      if (OpenMenuWindow()) Shown = true, EndMenu();
    }
  } closing;
  closer.SetInterval(50);
  closer.SetOnTimer(TNotifyEvent::Of<&TCloser::Tick>(closing));
  closer.SetEnabled(true);
  popup->Popup(200, 200);
  EXPECT_TRUE(closing.Shown);

  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return IsPresented(form->Handle()); }));
  EXPECT_TRUE(popup->OwnerDraw() && popup->Items(0)->OnDrawItem()) << "skinned again with the new window";
}

// A component deleted by itself, without an owner, is no longer among the
// manager's: windows activated later get the skin of the one that stays.
TEST(SkinBoundaries, ASkinDataComponentDeletedOnItsOwnLeavesTheEngine) {
  TSkinnedSession session;
  auto* loose = new TSkinData(nullptr);  // no skin loaded: it would skin nothing
  loose->BeginLoading();
  loose->EndLoading();
  const auto& datas = session.Manager().SkinDatas();
  ASSERT_NE(std::find(datas.begin(), datas.end(), loose), datas.end());
  delete loose;
  EXPECT_EQ(std::find(datas.begin(), datas.end(), loose), datas.end());
  auto* form = Application.CreateForm<TMenuForm>();
  EXPECT_TRUE(ShowSkinned(*form));
  EXPECT_EQ(SkinnerOf(form->Handle())->SkinData, &session.Skin());
}

// Items of a platform menu have no toolkit item: they are drawn from the
// menu's own text and state, and that takes no number from the pool the
// toolkit's items share, however often it is done.
TEST(SkinBoundaries, PaintingAnItemOfAPlatformMenuTakesNoCommandNumber) {
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  ASSERT_TRUE(ShowSkinned(*form));
  TMenuHandle platform(CreatePopupMenu());
  constexpr UINT kPlatformCommand = 0x7123;
  AppendMenuW(platform.Get(), MF_STRING, kPlatformCommand, L"Platform item");
  UINT before;
  {
    TMenuItem probe(nullptr);
    before = probe.Command();
  }
  TBitmap item;
  for (int i = 0; i < 100; ++i) {
    MakeFilled(item, 120, 20, RGB(255, 0, 255));
    DRAWITEMSTRUCT draw = MenuItemDraw(kPlatformCommand, platform.Get(), item);
    SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  }
  EXPECT_NE(PixelAt(item, 60, 10), RGB(255, 0, 255)) << "the item was drawn";
  TMenuItem next(nullptr);
  EXPECT_EQ(next.Command(), before + 1) << "the paintings took no number";
}
