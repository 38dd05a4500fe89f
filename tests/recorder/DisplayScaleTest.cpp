// The recorder's windows at the display's scale: ctest runs this program at
// 96, 120, 144 and 192 DPI (QUILL_DPI, each in a Wine prefix of that DPI).
// Every window's client area and every control's place are the layout's
// taken to the scale, fonts grow with it and every glyph is drawn whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>

#include "capture/ScriptedCaptureDevice.h"
#include "recorder/Main.h"
#include "recorder/UAbout.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/StdCtrls.h"
#include "support/GlyphBench.h"
#include "toolkit/core/DisplayScale.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/DisplayDpi.h"

namespace {

int DisplayDpiOfTheRun() {
  const char* dpi = std::getenv("QUILL_DPI");
  return dpi && *dpi ? std::atoi(dpi) : kLayoutDpi;
}

// What the layout gave each control, before any window was made.
std::map<TControl*, RECT> LayoutBounds(TForm& form) {
  std::map<TControl*, RECT> bounds;
  for (int i = 0; i < form.ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(form.Components(i))) bounds[control] = control->BoundsRect();
  return bounds;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c < 128 ? char(c) : '?';
  return narrow;
}

void ExpectNear(int actual, int expected, const std::string& what) {
  EXPECT_LE(std::abs(actual - expected), 1) << what << ": " << actual << " for " << expected;
}

void ExpectLaidOutAtScale(TForm& form, SIZE layoutClient, const std::map<TControl*, RECT>& layout, TDpiScale scale) {
  std::string name = Narrow(form.ClassName());
  RECT client;
  GetClientRect(form.Handle(), &client);
  ExpectNear(client.right, scale.Scale(layoutClient.cx), name + " client width");
  ExpectNear(client.bottom, scale.Scale(layoutClient.cy), name + " client height");
  EXPECT_EQ(WindowDpi(form.Handle()), scale.Dpi());
  for (const auto& [control, bounds] : layout) {
    std::string what = name + "." + Narrow(control->Name());
    const RECT& now = control->BoundsRect();
    auto* label = dynamic_cast<TLabel*>(control);
    if (control->Align() == alBottom) {
      EXPECT_EQ(now.bottom, control->Parent()->ClientRect().bottom) << what << " stands at the bottom";
      ExpectNear(now.bottom - now.top, scale.Scale(bounds.bottom - bounds.top), what + " height");
    } else {
      ExpectNear(now.top, scale.Scale(bounds.top), what + " top");
      // A label sizes itself to its text in its font.
      if (!label || !label->AutoSize()) ExpectNear(now.bottom, scale.Scale(bounds.bottom), what + " bottom");
    }
    if (control->Align() == alNone) {
      ExpectNear(now.left, scale.Scale(bounds.left), what + " left");
      if (!label || !label->AutoSize()) ExpectNear(now.right, scale.Scale(bounds.right), what + " right");
    } else {
      EXPECT_EQ(now.right - now.left, control->Parent()->ClientRect().right) << what << " fills the width";
    }
    EXPECT_EQ(control->Font().PixelHeight(), scale.Scale(control->Font().Height())) << what;
    // The platform draws the font at the scaled size: its cell holds the whole height.
    HDC screen = GetDC(nullptr);
    {
      TSelectObject selected(screen, control->Font().Handle());
      TEXTMETRICW metrics{};
      GetTextMetricsW(screen, &metrics);
      EXPECT_GE(metrics.tmHeight, -control->Font().PixelHeight()) << what;
    }
    ReleaseDC(nullptr, screen);
  }
}

// Every glyph of every control's text, in the control's own font, has ink
// from the top row of its box to the bottom one.
int ExpectGlyphsWhole(TForm& form, TGlyphBench& bench) {
  int glyphs = 0;
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(form.Components(i));
    if (!control) continue;
    HFONT font = control->Font().Handle();
    for (wchar_t glyph : control->Text()) {
      TRows ink = bench.Ink(font, glyph), box = bench.Box(font, glyph);
      if (ink.Empty() || box.Empty()) continue;
      ++glyphs;
      EXPECT_LE(ink.Top, box.Top + 1) << int(glyph) << " loses its top rows";
      EXPECT_GE(ink.Bottom, box.Bottom - 1) << int(glyph) << " loses its bottom rows";
    }
  }
  return glyphs;
}

}  // namespace

TEST(DisplayScale, TheRecorderWindowsHoldTheirLayoutsAtTheDisplayScale) {
  const int dpi = DisplayDpiOfTheRun();
  ASSERT_EQ(SystemDpi(), dpi) << "the display is not at the DPI this run was started for";
  TScriptedCaptureDevice device;  // the window records from a device the test controls
  Application.Initialize();
  auto* main = new TMainForm(nullptr);
  auto* about = new TAboutForm(nullptr);
  auto mainLayout = LayoutBounds(*main), aboutLayout = LayoutBounds(*about);
  main->DoCreate();
  main->Show();
  about->Show();
  // The skin engine attaches on its timer; the client areas must hold after that too.
  Application.ProcessMessagesFor(800);

  TDpiScale scale(dpi);
  // The client areas at 96 DPI, as the picture test's figures give them.
  ExpectLaidOutAtScale(*main, {359, 302}, mainLayout, scale);
  ExpectLaidOutAtScale(*about, {481, 245}, aboutLayout, scale);
  TGlyphBench bench;
  EXPECT_GT(ExpectGlyphsWhole(*main, bench) + ExpectGlyphsWhole(*about, bench), 60);

  // The about picture (200 x 60 at 96 DPI, in a box of 201 x 65) is drawn at
  // the scale too, each pixel of a whole factor repeated across its square.
  SetWindowPos(about->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(about->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Application.ProcessMessagesFor(300);
  auto* picture = dynamic_cast<TImage*>(about->FindComponent(L"Image1"));
  ASSERT_NE(picture, nullptr);
  POINT corner{picture->BoundsRect().left, picture->BoundsRect().top};
  ClientToScreen(about->Handle(), &corner);
  const int width = picture->Width(), height = picture->Height();
  std::vector<COLORREF> drawn(size_t(width) * size_t(height));
  {
    HDC screen = GetDC(nullptr);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) drawn[size_t(y) * size_t(width) + size_t(x)] = GetPixel(screen, corner.x + x, corner.y + y);
    ReleaseDC(nullptr, screen);
  }
  auto at = [&](int x, int y) { return drawn[size_t(y) * size_t(width) + size_t(x)]; };
  const COLORREF ground = at(width - 1, height - 1);
  int right = 0, bottom = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (at(x, y) != ground) right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
  ExpectNear(right, scale.Scale(200), "the about picture's width");
  ExpectNear(bottom, scale.Scale(60), "the about picture's height");
  if (dpi % kLayoutDpi == 0) {
    const int factor = dpi / kLayoutDpi;
    int broken = 0;
    for (int y = 0; y + factor <= bottom; y += factor)
      for (int x = 0; x + factor <= right; x += factor)
        for (int k = 1; k < factor; ++k) broken += at(x + k, y + k) != at(x, y) || at(x + k, y) != at(x, y);
    EXPECT_EQ(broken, 0) << "pixels of the about picture not repeated " << factor << " times";
  }

  // Back and forth between scales, as a move between monitors does: every
  // control comes back to the very place it had.
  RECT before = main->BoundsRect();
  auto shown = LayoutBounds(*main);
  for (int step : {144, 120, 192, dpi}) main->ChangeScale(step);
  for (const auto& [control, bounds] : shown)
    EXPECT_TRUE(EqualRect(&bounds, &control->BoundsRect())) << Narrow(control->Name()) << " moved";
  EXPECT_EQ(main->Width(), before.right - before.left);
  about->Free();
  main->Free();
}
