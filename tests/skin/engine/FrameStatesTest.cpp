// What window styles and states make of the skinned frame, and what its
// commands do.
#include <gtest/gtest.h>

#include "skin/engine/FrameActions.h"
#include "skin/engine/FrameStyles.h"
#include "skin/engine/WindowValues.h"

using namespace WinValue;

TEST(FrameStyles, KindsOfFrame) {
  EXPECT_EQ(FrameKindOf(kWsCaption | kWsThickFrame, 0), frEdged);
  EXPECT_EQ(FrameKindOf(kWsCaption | kWsSysMenu, kWsExWindowEdge), frEdged);
  EXPECT_EQ(FrameKindOf(kWsCaption | kWsSysMenu, 0), frPlain);
  EXPECT_EQ(FrameKindOf(kWsPopup | kWsThickFrame | 0x00800000, kWsExWindowEdge), frPlatform)
      << "a popup with only the border half of WS_CAPTION";
  EXPECT_EQ(FrameKindOf(kWsPopup | kWsCaption, 0), frPlain);
  EXPECT_EQ(FormKindOf(kWsExMdiChild, true), fkMdiChild);
  EXPECT_EQ(BorderIconsOf(kWsCaption, true), kBorderSystemMenu) << "a system menu without the style";
  EXPECT_EQ(WindowStateOfShowCommand(kSwShowMinNoActive), swMinimised);
  EXPECT_EQ(WindowStateOfSizeType(3), std::nullopt) << "another window's SIZE_MAXSHOW";
}

TEST(FrameStyles, CaptionStylesTakenAndGivenBack) {
  const uint32_t style = kWsCaption | kWsSysMenu | kWsThickFrame | kWsMinimizeBox | kWsMaximizeBox | kWsChild;
  const uint8_t icons = BorderIconsOf(style, false);
  const auto off = CaptionStyles(false, {style, icons}, false, fkOrdinary, false, frEdged);
  EXPECT_EQ(off, (TCaptionStyles{style & ~kWsCaption, uint8_t(icons | kBorderCaptionRemoved), kWsCaption}));
  EXPECT_EQ(CaptionStyles(false, *off, false, fkOrdinary, false, frEdged), off) << "taking twice takes nothing more";
  EXPECT_EQ(CaptionStyles(true, *off, false, fkOrdinary, false, frEdged)->Style, style)
      << "switching on gives the window its styles back";

  const uint32_t dialog = kWsPopup | kWsCaption;  // owned, with a system menu but not the style
  const auto owned = CaptionStyles(false, {dialog, BorderIconsOf(dialog, true)}, true, fkOrdinary, false, frPlain);
  EXPECT_EQ(owned->Style, dialog) << "an owned window keeps its caption";
  EXPECT_EQ(CaptionStyles(true, *owned, true, fkOrdinary, false, frPlain)->Style, dialog)
      << "and gains no system menu it did not have";
  EXPECT_EQ(CaptionStyles(false, {style, icons}, true, fkOrdinary, false, frEdged)->Style,
            style & ~(kWsSysMenu | kWsMinimizeBox | kWsMaximizeBox));

  EXPECT_EQ(CaptionStyles(false, {kWsPopup | kWsBorder, 0}, false, fkOrdinary, false, frPlatform), std::nullopt)
      << "a frame that stays the platform's keeps its border";
  EXPECT_EQ(CaptionStyles(false, {style, icons}, false, fkMdiChild, true, frEdged), std::nullopt);
  EXPECT_TRUE(CaptionStyles(true, {style, icons}, false, fkMdiChild, true, frEdged));

  EXPECT_EQ(CaptionOnMinMaxInfo(fkOrdinary, swMinimised, false), (TMinMaxCaption{true, false}));
  EXPECT_EQ(CaptionOnMinMaxInfo(fkOrdinary, swMaximised, true), (TMinMaxCaption{false, false}));
  EXPECT_EQ(CaptionOnMinMaxInfo(fkMdiChild, swNormal, true), (TMinMaxCaption{false, true}));
  EXPECT_EQ(CaptionOnMinMaxInfo(fkMdiChild, swMaximised, false), (TMinMaxCaption{true, false}));
}

TEST(FrameStyles, WhichStagesRunAndWhatIsPainted) {
  EXPECT_FALSE(HandlesFrameMessages(kWsChild, fkOrdinary));
  EXPECT_TRUE(HandlesFrameMessages(kWsChild, fkMdiChild));
  EXPECT_FALSE(RunsFrameHandlers(fkOrdinary, swNormal, flAttached));
  EXPECT_TRUE(RunsFrameHandlers(fkOrdinary, swMaximised, flFitting));
  EXPECT_FALSE(RunsFrameHandlers(fkMdiChild, swMaximised, flSkinned));
  EXPECT_TRUE(PaintsFrame(flReloading, frPlain, fkOrdinary, swMaximised));
  EXPECT_FALSE(PaintsFrame(flFitting, frPlain, fkOrdinary, swNormal));
  EXPECT_FALSE(PaintsFrame(flSkinned, frPlatform, fkOrdinary, swNormal));
}

TEST(FrameActions, ButtonsAndSystemMenu) {
  EXPECT_EQ(CommandOfAction(22), fcToggleMaximise);
  EXPECT_EQ(CommandOfAction(12), fcSystemMenu);
  EXPECT_EQ(CommandOfAction(61), fcMdiRestore);
  EXPECT_EQ(CommandOfAction(4), fcPostAction);
  EXPECT_EQ(StateCommand(fcToggleMaximise, swNormal), (TStateCommand{swMaximised, kScMaximize}));
  EXPECT_EQ(StateCommand(fcToggleMaximise, swMaximised), (TStateCommand{swNormal, kScRestore}));
  EXPECT_EQ(StateCommand(fcToggleMinimise, swMaximised), (TStateCommand{swMinimised, kScMinimize}));

  std::vector<int> tags;
  for (const TSystemMenuItem& item : SystemMenuItems(kBorderMinimiseBox | kBorderSystemMenu)) tags.push_back(item.Tag);
  EXPECT_EQ(tags, (std::vector<int>{0, 2, 100, 3})) << "no Maximize without a maximise box";
  EXPECT_EQ(SystemMenuItems(0x1F).back(), (TSystemMenuItem{L" Close ", 3, L"Alt+F4"}))
      << "the shortcut shown is the one that closes";
  EXPECT_EQ(SystemMenuItemEnabled(0, swNormal), false);
  EXPECT_EQ(SystemMenuItemEnabled(0, swMinimised), true);
  EXPECT_EQ(SystemMenuItemEnabled(3, swNormal), std::nullopt);

  EXPECT_TRUE(IsSecondSystemMenuClick(1500, 1000, 500));
  EXPECT_FALSE(IsSecondSystemMenuClick(1501, 1000, 500));
  EXPECT_TRUE(IsSecondSystemMenuClick(100, 0xFFFFFF00u, 500)) << "across the tick counter's wrap";
}

TEST(FrameActions, SystemCommandsAndTheAltKey) {
  EXPECT_TRUE(IsRepostedSystemCommand(kScMove));
  EXPECT_FALSE(IsRepostedSystemCommand(kScKeyMenu));

  TKeyMenuRequest alt{false, kScKeyMenu | 2, 0, false, false};
  EXPECT_TRUE(SwallowsKeyMenu(alt)) << "Alt alone; the platform's low bits do not count";
  alt.MouseCaptured = true;
  EXPECT_FALSE(SwallowsKeyMenu(alt));
  TKeyMenuRequest letter{false, kScKeyMenu, 'f', false, false};
  EXPECT_FALSE(SwallowsKeyMenu(letter));
  letter.EnabledEntryAccelerator = true;
  EXPECT_TRUE(SwallowsKeyMenu(letter));
  letter.MenuTracking = true;
  EXPECT_FALSE(SwallowsKeyMenu(letter));
  EXPECT_FALSE(SwallowsKeyMenu({false, kScKeyMenu, ' ', false, true})) << "Alt+blank opens the system menu";
  EXPECT_FALSE(SwallowsKeyMenu({false, kScKeyMenu, '-', false, true}));

  EXPECT_EQ(StateOfSysCommand(kScMaximize | 2), (TSysCommandState{swMaximised, std::nullopt}))
      << "a double click on the title";
  EXPECT_EQ(StateOfSysCommand(kScMinimize), (TSysCommandState{swMinimised, true}));
  EXPECT_EQ(StateOfSysCommand(kScRestore), (TSysCommandState{swNormal, false}));
  EXPECT_EQ(StateOfSysCommand(kScClose), std::nullopt);
}
