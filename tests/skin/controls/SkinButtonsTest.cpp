// The button skinners on real buttons under real mouse input: what a press
// and a release click, the hot look moving between buttons, the frame each
// state shows, the glyph cell of bit buttons, speed buttons, and what a
// skinner gives back when the window or the skinner goes.
#include <vector>

#include "SkinnedControls.h"
#include "skin/controls/SkinButtons.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/platform/WindowSubclass.h"

namespace {

struct TClicks {
  int Count = 0;
  void Clicked(TComponent*) { ++Count; }
  TNotifyEvent Event() { return TNotifyEvent::Of<&TClicks::Clicked>(*this); }
};

// Counts the WM_COMMAND notifications a window gets from one child.
struct TCommandLog {
  HWND From = nullptr;
  std::vector<WPARAM> Codes;
  TWindowSubclass Subclass;
  void Handle(TMessage& message) {
    if (message.Msg == WM_COMMAND && reinterpret_cast<HWND>(message.LParam) == From)
      Codes.push_back(HIWORD(message.WParam));
    Subclass.CallPrevious(message);
  }
};

class SkinButtons : public SkinnedForm {
 protected:
  // The frame of the "Buttons" element a window shows, read from the pixel
  // (1, 1) of its top-left corner, which the nine-slice copies unscaled.
  int FrameShown(HWND wnd) { return FrameOf(ScreenPixel(wnd, 1, 1)); }
  // The frame wnd comes to show, once the messages before have been handled.
  int Frame(HWND wnd, int expected) { return Eventually([&] { return FrameShown(wnd); }, expected); }
  int FrameOf(COLORREF shown) {
    for (int frame = 1; frame <= 4; ++frame)
      if (ImagePixel(Skin.Buttons.Image, 5, frame, 1, 1) == shown) return frame;
    return 0;
  }
  TButton* SkinnedButton(int left, const std::wstring& text, TClicks& clicks) {
    auto* button = Add<TButton>(left, 20, 90, 28, text);
    button->SetOnClick(clicks.Event());
    (new TSkinButton(button))->AttachControl(nullptr, Skin, false, nullptr);
    return button;
  }
  POINT Centre(TWinControl& control) { return ScreenPoint(control.Handle(), control.Width() / 2, control.Height() / 2); }
};

}  // namespace

TEST_F(SkinButtons, APressReleasedElsewhereDoesNotClickOneReleasedOverTheButtonClicksOnce) {
  TClicks clicks;
  TButton* button = SkinnedButton(20, L"录音", clicks);
  Settle();
  EXPECT_EQ(Frame(button->Handle(), 1), 1);

  MouseTo(Centre(*button));
  MouseButton(true);
  EXPECT_EQ(Frame(button->Handle(), 2), 2) << "pressed";
  MouseTo(ScreenPoint(Form->Handle(), 300, 250));
  MouseButton(false);
  Pump(200);
  EXPECT_EQ(clicks.Count, 0);
  EXPECT_EQ(Frame(button->Handle(), 4), 4) << "not pressed any more, and focused since the press";

  MouseTo(Centre(*button));
  MouseButton(true);
  MouseButton(false);
  Pump(200);
  EXPECT_EQ(clicks.Count, 1);
}

TEST_F(SkinButtons, ABareButtonClicksWithCommandCodeZeroToItsParent) {
  HWND bare = CreateWindowExW(0, L"BUTTON", L"停止", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 80, 90, 28,
                              Form->Handle(), reinterpret_cast<HMENU>(1234), GetModuleHandleW(nullptr), nullptr);
  TCommandLog log;
  log.From = bare;
  log.Subclass.Install(Form->Handle(), TWndMethod::Of<&TCommandLog::Handle>(log));
  TComponent owner(nullptr);
  (new TSkinButton(&owner))->AttachWindow(bare, Skin, nullptr, nullptr);
  Settle();
  EXPECT_EQ(Frame(bare, 1), 1);

  ClickAt(ScreenPoint(bare, 45, 14));
  Pump(200);
  ASSERT_EQ(log.Codes.size(), 1u) << "the platform's own click must not come as well";
  EXPECT_EQ(log.Codes[0], 0u);
  EXPECT_EQ(GetFocus(), bare);

  MouseTo(ScreenPoint(bare, 45, 14));
  MouseButton(true);
  MouseTo(ScreenPoint(Form->Handle(), 300, 250));
  MouseButton(false);
  Pump(200);
  EXPECT_EQ(log.Codes.size(), 1u);
  log.Subclass.Remove();
}

TEST_F(SkinButtons, TheHotLookMovesFromOneButtonToTheNextAtOnce) {
  TClicks clicks;
  TButton* first = SkinnedButton(20, L"录音", clicks);
  TButton* second = SkinnedButton(120, L"停止", clicks);
  Settle();
  MouseTo(Centre(*first));
  EXPECT_EQ(Frame(first->Handle(), 4), 4);
  EXPECT_EQ(FrameShown(second->Handle()), 1);
  MouseTo(Centre(*second));
  EXPECT_EQ(Frame(second->Handle(), 4), 4);
  EXPECT_EQ(FrameShown(first->Handle()), 1) << "at the moment the second one turns hot";
}

TEST_F(SkinButtons, ADisabledButtonShowsFrameThreeWhileFocusedAndHot) {
  TClicks clicks;
  TButton* button = SkinnedButton(20, L"录音", clicks);
  Settle();
  MouseTo(Centre(*button));
  SetFocus(button->Handle());
  Pump();
  ASSERT_EQ(Frame(button->Handle(), 4), 4);
  // Disabled behind the platform's back, so the focus and the hot look stay.
  SetWindowLongPtrW(button->Handle(), GWL_STYLE, GetWindowLongPtrW(button->Handle(), GWL_STYLE) | WS_DISABLED);
  Settle();
  EXPECT_EQ(GetFocus(), button->Handle());
  EXPECT_EQ(Frame(button->Handle(), 3), 3);
  ClickAt(Centre(*button));
  EXPECT_EQ(clicks.Count, 0);
}

TEST_F(SkinButtons, ABitButtonShowsAStatesOwnGlyphOnlyFromAStripOfFour) {
  // Cells of 8 x 8 in distinct colours, each with a grey top-left pixel as its transparent colour.
  const COLORREF cells[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
  auto makeButton = [&](int left, int numGlyphs) {
    auto* button = Add<TBitBtn>(left, 20, 90, 40);
    button->Glyph().SetSize(8 * numGlyphs, 8);
    HDC dc = button->Glyph().Canvas().Handle();
    for (int cell = 0; cell < numGlyphs; ++cell) {
      RECT rect{cell * 8, 0, cell * 8 + 8, 8};
      TBrushHandle brush(CreateSolidBrush(cells[cell]));
      FillRect(dc, &rect, brush.Get());
      SetPixel(dc, cell * 8, 0, RGB(128, 128, 128));
    }
    button->SetNumGlyphs(numGlyphs);
    button->SetLayout(blGlyphTop);
    button->SetMargin(4);
    (new TSkinBitButton(button))->AttachControl(nullptr, Skin, false, nullptr);
    return button;
  };
  TBitBtn* two = makeButton(20, 2);
  TBitBtn* four = makeButton(140, 4);
  Settle();
  // Glyph-top, margin 4: the glyph's centre lies at (45, 8).
  auto glyphPixel = [&](TBitBtn* button) { return ScreenPixel(button->Handle(), 45, 8); };
  EXPECT_EQ(glyphPixel(two), cells[0]);
  EXPECT_EQ(glyphPixel(four), cells[0]);

  for (TBitBtn* button : {two, four}) {
    MouseTo(Centre(*button));
    MouseButton(true);
    const COLORREF pressed = button == two ? cells[0] : cells[2];
    EXPECT_EQ(Eventually([&] { return glyphPixel(button); }, pressed), pressed) << "pressed";
    MouseButton(false);
  }
  for (TBitBtn* button : {two, four}) button->SetEnabled(false);
  Settle();
  EXPECT_EQ(glyphPixel(two), cells[0]);
  EXPECT_EQ(Eventually([&] { return glyphPixel(four); }, cells[1]), cells[1]) << "disabled";
}

TEST_F(SkinButtons, ASpeedButtonShowsPressedWhileDownAndClicksOnlyByItself) {
  TClicks clicks;
  auto* speed = Add<TSpeedButton>(20, 100, 60, 30, L"...");
  speed->SetOnClick(clicks.Event());
  (new TSkinSpeedButton(speed))->AttachGraphic(nullptr, Skin, nullptr);
  Settle();
  auto frameAt = [&] {
    POINT corner = ScreenPoint(Form->Handle(), speed->Left() + 1, speed->Top() + 1);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, corner.x, corner.y);
    ReleaseDC(nullptr, screen);
    return FrameOf(colour);
  };
  auto frame = [&](int expected) { return Eventually(frameAt, expected); };
  EXPECT_EQ(frame(1), 1);
  POINT centre = ScreenPoint(Form->Handle(), speed->Left() + 30, speed->Top() + 15);
  MouseTo(centre);
  EXPECT_EQ(frame(4), 4) << "hot";
  MouseButton(true);
  EXPECT_EQ(frame(2), 2) << "pressed";
  MouseButton(false);
  EXPECT_EQ(clicks.Count, 1);
  EXPECT_EQ(frame(4), 4);

  speed->SetDown(true);
  MouseTo(ScreenPoint(Form->Handle(), 300, 250));
  Settle();
  EXPECT_EQ(frame(2), 2) << "down";

  delete speed;  // the skinner gives the WindowProc back before the button goes
  Settle();
}

TEST_F(SkinButtons, AControlGetsItsColourBackWhenItsWindowDiesAndItsWindowProcWhenTheSkinnerGoes) {
  auto* button = Add<TButton>(20, 100, 90, 28, L"录音");
  const TColor before = button->Color();
  const TWndMethod original = button->WindowProc();
  auto* skinner = new TSkinButton(button);
  skinner->AttachControl(nullptr, Skin, true, nullptr);
  EXPECT_EQ(button->Color(), Skin.Colours.ButtonFace);
  EXPECT_EQ(TSkinControl::ForComponent(button), skinner);
  EXPECT_FALSE(button->WindowProc() == original);

  DestroyWindow(button->Handle());
  EXPECT_EQ(skinner->LifeState(), kSkinWindowGone);
  EXPECT_EQ(button->Color(), before);
  EXPECT_EQ(TSkinControl::ForComponent(button), nullptr) << "a skinner whose window is gone handles nothing";

  skinner->Free();
  EXPECT_TRUE(button->WindowProc() == original);
}
