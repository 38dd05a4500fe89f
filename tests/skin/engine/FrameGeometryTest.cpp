// The skinned frame's sizes, client rectangle, piece places, fitting and hit
// rows, with the default skin's numbers where they matter: left and right
// pieces 8 pixels wide in two frames, a 60-pixel top in two stacked frames,
// an 8-pixel bottom in two.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "skin/engine/FrameFitting.h"
#include "skin/engine/FrameHitTest.h"
#include "skin/engine/FramePieces.h"
#include "skin/engine/WindowValues.h"

using namespace WinValue;

namespace {

const TFrameSizes kSlate = FrameSizesOf({8, 46, 2}, {8, 46, 2}, {32, 60, 2}, {32, 8, 2}, frEdged);

}  // namespace

TEST(FrameMetrics, SizesFromTheBorderImages) {
  EXPECT_EQ(kSlate, (TFrameSizes{4, 30, 4, 4}));
  EXPECT_EQ(FrameSizesOf({9, 1, 2}, {7, 1, 3}, {1, 31, 2}, {1, 5, 1}, frPlain), (TFrameSizes{4, 15, 2, 5}))
      << "integer division";
  EXPECT_EQ(FrameSizesOf({8, 1, 0}, {8, 1, -3}, {1, 30, 0}, {1, 4, INT_MIN}, frPlain), (TFrameSizes{8, 30, 8, 4}))
      << "a description's frame count below 1 counts as one frame, not a division by zero";
  EXPECT_EQ(FrameSizesOf({8, 46, 2}, {8, 46, 2}, {32, 60, 2}, {32, 8, 2}, frPlatform), TFrameSizes{});
}

TEST(FrameMetrics, ClientRectangleAndTheWayBack) {
  const int menu = 19;
  const TSkinRect client = NcClientRect(100, 50, 400, 300, kSlate, menu);
  EXPECT_EQ(client, (TSkinRect{104, 99, 496, 346}));

  // Giving the window back to a platform frame of 16 x 39 keeps that client size.
  const TSkinSize back = DetachedWindowSize({400, 300}, {16, 39}, kSlate, menu);
  EXPECT_EQ(back, (TSkinSize{400 + 16 - 8, 300 + 39 - 30 - 19 - 4}));
  EXPECT_EQ(back.Width - 16, client.Width());
  EXPECT_EQ(back.Height - 39, client.Height());

  EXPECT_EQ(NcClientRect(10, 10, 6, 20, kSlate, menu), (TSkinRect{14, 59, 14, 59}))
      << "a window smaller than its frame gets an empty client rectangle, not an inverted one";
  EXPECT_EQ(NcClientRect(INT_MAX - 2, INT_MIN, INT_MAX, 5, kSlate, menu),
            (TSkinRect{INT_MAX, INT_MIN + 49, INT_MAX, INT_MIN + 49}));

  EXPECT_EQ(ClientToWindow({5, 6}, swNormal, kSlate, menu), (TSkinPoint{9, 55}));
  EXPECT_EQ(ClientToWindow({5, 6}, swMinimised, kSlate, menu), (TSkinPoint{5, 6}));
}

TEST(FramePieces, PlacesCoverTheWindowOnceAroundTheClient) {
  const int w = 40, h = 70, menu = 19;
  const TFrameLayout layout = LayoutFrame(w, h, kSlate, menu);
  const TSkinRect client = NcClientRect(0, 0, w, h, kSlate, menu);
  std::vector<int> cover(w * h);
  for (const TSkinRect& r : {layout.Left, layout.Right, layout.Bottom, layout.Title, layout.MenuBar, client})
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) ++cover[y * w + x];
  for (int i = 0; i < w * h; ++i) ASSERT_EQ(cover[i], 1) << "pixel " << i % w << "," << i / w;
  EXPECT_EQ(layout.TitleCache, (TSkinSize{w, 30}));

  EXPECT_TRUE(PaintsPiece({5, 5, 5, 9}));
  EXPECT_FALSE(PaintsPiece(LayoutFrame(6, 20, kSlate, 0).Bottom)) << "narrower than both side pieces";
}

TEST(FramePieces, RenderingOfEachSide) {
  const TMargins margins{1, 2, 3, 4};
  EXPECT_EQ(BorderPieceRendering(bdLeft, margins, 1, 2, true), (TPieceRendering{{0, 2, 0, 4}, false, false, 2, 1}));
  EXPECT_EQ(BorderPieceRendering(bdTop, margins, 0, 2, false), (TPieceRendering{{1, 0, 3, 0}, true, true, 2, 2}));
  EXPECT_EQ(BorderPieceRendering(bdBottom, margins, 2, 1, false).Frame, 1) << "one frame serves both states";
}

TEST(FrameFitting, ClientAreaKeptInsideTheSkinFrame) {
  TFitFrameInput in;
  in.ClientAtAttach = {0, 0, 300, 200};
  in.CurrentClient = {0, 0, 300, 219};  // grown by the platform's menu bar the skin took off
  in.PlatformMenuHeight = 19;
  in.Frame = kSlate;
  in.MenuHeight = 19;
  EXPECT_EQ(FitFrame(in), (TFitFrame{{0, 0, 300, 200}, {308, 253}, 0}));
  in.CurrentClient = {0, 0, 320, 239};
  EXPECT_EQ(FitFrame(in), (TFitFrame{{0, 0, 320, 220}, {328, 273}, 0}))
      << "a window that laid itself out anew since the attach keeps that layout";

  in.CaptionRemoved = true;
  in.CurrentClient = {0, 0, 300, 250};  // the platform widened it over the caption taken away
  in.Window = {308, 242};               // under a platform frame of 8 x 42: caption, borders, menu bar
  in.PlatformFrame = {8, 42};
  EXPECT_EQ(FitFrame(in), (TFitFrame{{0, 0, 300, 200}, {308, 253}, 0}));
  in.PlatformFrame = {400, 400};
  EXPECT_EQ(FitFrame(in).ClientAtAttach, (TSkinRect{0, 0, 0, 0})) << "never a client of negative size";
  in.PlatformFrame = {8, 42};

  in.Reload = true;
  in.CurrentClient = {0, 0, 500, 100};
  const TFitFrame reload = FitFrame(in);
  EXPECT_EQ(reload.ClientAtAttach, in.CurrentClient);
  EXPECT_EQ(reload.Window, (TSkinSize{308, 153})) << "the width still comes from the client saved before";
}

TEST(FrameFitting, MessageBoxesWidenedForTheirCaption) {
  TFitFrameInput in;
  in.CurrentClient = {0, 0, 120, 80};
  in.Frame = kSlate;
  in.WidensForCaption = true;
  in.CaptionWidth = 114;
  in.ButtonsRoom = 35;
  in.Title = {24, 96, 9, 9};
  // 114 + 8 + 24 + 96 + 18 = 260 against 128: 132 wider, controls 66 to the right.
  EXPECT_EQ(FitFrame(in), (TFitFrame{{0, 0, 120, 80}, {260, 114}, 66}));
  in.ButtonsRoom = 120;
  EXPECT_EQ(FitFrame(in).Window.Width, 284) << "buttons that need more room than the right clip get it";
  in.ButtonsRoom = 35;

  in.CurrentClient.Right = 121;
  EXPECT_EQ(FitFrame(in).ChildShift, 65) << "half of an odd difference, truncated";
  in.CurrentClient.Right = 252;
  EXPECT_EQ(FitFrame(in), (TFitFrame{{0, 0, 252, 80}, {260, 114}, 0})) << "exactly wide enough";
  in.ClientAtAttach = {0, 0, 120, 80};
  in.Reload = true;
  in.CurrentClient = {0, 0, 10, 80};
  EXPECT_EQ(FitFrame(in).Window.Width, 128) << "a reload does not widen";
  in.Reload = false;
  in.Title = {INT_MAX, INT_MAX, INT_MAX, INT_MAX};
  EXPECT_EQ(FitFrame(in).Window.Width, INT_MAX) << "absurd title numbers saturate";

  EXPECT_TRUE(IsMessageBoxClass(L"#32770"));
  EXPECT_TRUE(IsMessageBoxClass(L"TMessageForm"));
  EXPECT_FALSE(IsMessageBoxClass(L"tmessageform"));
}

// The default skin's buttons: close 34, maximise and restore 64, minimise 94
// from the right (28 wide), the icon at 9 (16 wide).
TEST(FrameFitting, LeastTrackSizeKeepsTheFrameTheButtonsApartAndAFewCaptionCharacters) {
  const std::vector<TSysButtonInfo> buttons = {{0, 1, 34, 5, 0, 0, 112, 20, 4}, {1, 1, 64, 5, 6, 2, 112, 20, 4},
                                               {1, 1, 64, 5, 6, 1, 112, 20, 4}, {2, 1, 94, 5, 8, 0, 112, 20, 4},
                                               {3, 0, 9, 7, 0, 0, 16, 16, 1}};
  TTitleState state{frEdged, kBorderSystemMenu | kBorderMinimiseBox, swNormal, true};
  TMinTrackInput in{kSlate, 19, {24, 96, 9, 9}, false, 60};
  // 4 + 24 + 9 + 60 + 9, then the right clip 96 and the frame's 4.
  EXPECT_EQ(MinTrackSize(in, buttons, state), (TSkinSize{206, 30 + 19 + 4}));
  in.Popup = true;
  EXPECT_EQ(MinTrackSize(in, buttons, state).Width, 4 + 24 + 9 + 60 + 9 + 34 + 5)
      << "a popup's caption ends 5 pixels before its rightmost button";
  in.CaptionMinWidth = 0;
  in.Title = {};
  EXPECT_EQ(MinTrackSize(in, buttons, state).Width, 9 + 16 + 5 + 94) << "the icon stays clear of the minimise button";
  EXPECT_EQ(MinTrackSize(in, {}, state), (TSkinSize{8, 53})) << "without buttons or caption: the frame's sides";
  in.Title = {INT_MAX, INT_MAX, INT_MAX, INT_MAX};
  EXPECT_EQ(MinTrackSize(in, buttons, state).Width, INT_MAX) << "absurd title numbers saturate";
}

TEST(FrameHitTest, TopRowsTitleAndMenuBar) {
  for (int y = 0; y <= 3; ++y) EXPECT_EQ(FrameHitTest(kHtNowhere, y, 30), kHtNowhere) << y;
  EXPECT_EQ(FrameHitTest(kHtNowhere, 4, 30), kHtCaption);
  EXPECT_EQ(FrameHitTest(kHtNowhere, 30, 30), kHtCaption);
  EXPECT_EQ(FrameHitTest(kHtNowhere, 31, 30), kHtMenu);
  EXPECT_EQ(FrameHitTest(kHtNowhere, 2, 1), kHtNowhere) << "the top rows stay dead above a thin title";
  EXPECT_EQ(FrameHitTest(12, 1, 30), 12) << "the platform's own answer stands";

  EXPECT_EQ(ButtonDownHitCode(kHtCaption, swMaximised, true), kHtMenu) << "a maximised window is not dragged";
  EXPECT_EQ(ButtonDownHitCode(kHtCaption, swMaximised, false), kHtCaption);
  EXPECT_FALSE(RightClickOpensSystemMenu(kHtCaption, fkMdiChild));
}
