// Choosing skinners on real windows: a toolkit form's components with the
// opt-out tag, the class map, the application's own choice, containers and
// tool bars; and a dialog box's own controls by class and style.
#include "SkinnedControls.h"

#include <commctrl.h>

#include "skin/controls/ControlDispatch.h"
#include "skin/controls/SkinBars.h"
#include "skin/controls/SkinBoxes.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabs.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/StatusBar.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/forms/ToolBar.h"

namespace {

template <class Skinner>
bool SkinnedBy(const TComponent* component) {
  return dynamic_cast<Skinner*>(TSkinControl::ForComponent(component)) != nullptr;
}

template <class Skinner>
bool WindowSkinnedBy(HWND wnd) {
  return dynamic_cast<Skinner*>(TSkinControl::ForWindow(wnd)) != nullptr;
}

// Gives the application's own skinner to the controls named "Chosen".
struct TOwnChoice {
  TSkinButton* Given = nullptr;
  void Choose(TComponent*, TSkinData*, TControl*, TControl* control, const std::wstring& controlClass,
              TComponent*& skinned) {
    if (!control || control->Name() != L"Chosen" || controlClass != L"TBUTTON") return;
    Given = new TSkinButton(control);
    skinned = Given;
  }
};

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class ControlDispatch : public SkinnedForm {};

}  // namespace

TEST_F(ControlDispatch, AFormsComponentsGetTheirSkinnersOnceAndOptOutByTag) {
  TButton* kept[3];
  for (int i = 0; i < 3; ++i) {
    kept[i] = Add<TButton>(10 + 70 * i, 10, 60, 24, L"退出");
    kept[i]->SetTag(99 + 100 * i);
  }
  auto* skinned = Add<TButton>(220, 10, 60, 24, L"录音");
  skinned->SetTag(98);
  auto* chosen = Add<TButton>(290, 10, 60, 24, L"停止");
  chosen->SetName(L"Chosen");
  auto* group = Add<TGroupBox>(10, 50, 200, 100, L"录音选择");
  auto* combo = new TComboBox(Form.get());
  combo->SetParent(group);
  combo->SetBounds(10, 20, 150, 22);
  auto* speed = new TSpeedButton(Form.get());
  speed->SetParent(group);
  speed->SetBounds(170, 20, 23, 22);
  auto* bar = Add<TStatusBar>(0, 0, 100, 19);
  auto* tools = Add<TToolBar>(220, 50, 200, 26);
  (new TToolButton(Form.get()))->SetParentComponent(tools);

  TOwnChoice own;
  Skin.SetOnSkinControl(TOnSkinControl::Of<&TOwnChoice::Choose>(own));
  TControlDispatch dispatch{Skin, nullptr, nullptr, Form.get()};
  AttachFormControls(*Form, dispatch);

  for (TButton* button : kept) EXPECT_EQ(TSkinControl::ForComponent(button), nullptr) << button->Tag();
  EXPECT_TRUE(SkinnedBy<TSkinButton>(skinned));
  EXPECT_EQ(TSkinControl::ForComponent(chosen), own.Given) << "the application's choice is attached";
  EXPECT_TRUE(own.Given->Attached());
  EXPECT_TRUE(SkinnedBy<TSkinGroupBox>(group));
  EXPECT_EQ(group->Color(), Skin.Colours.ButtonFace) << "a group box takes the skin's colour";
  EXPECT_TRUE(SkinnedBy<TSkinComBox>(combo)) << "a combo box inside a group box";
  EXPECT_TRUE(SkinnedBy<TSkinSpeedButton>(speed));
  EXPECT_TRUE(SkinnedBy<TSkinStatusBar>(bar));
  EXPECT_FALSE(bar->SizeGrip());
  EXPECT_TRUE(SkinnedBy<TSkinBox>(tools));
  EXPECT_TRUE(tools->Flat() && tools->Transparent());
  EXPECT_TRUE(bool(tools->OnCustomDrawButton())) << "the buttons' faces come from the skin";

  const int skinners = combo->ComponentCount() + skinned->ComponentCount() + group->ComponentCount();
  AttachFormControls(*Form, dispatch);
  EXPECT_EQ(combo->ComponentCount() + skinned->ComponentCount() + group->ComponentCount(), skinners)
      << "handled controls get no second skinner";

  TSkinControl::ForComponent(tools)->Free();
  EXPECT_FALSE(bool(tools->OnCustomDrawButton())) << "the bar draws its own faces again";
  Skin.SetOnSkinControl({});
}

TEST_F(ControlDispatch, TheClassMapAndTheSkinControlsSetDecideBeforeTheRules) {
  auto* button = Add<TButton>(10, 10, 60, 24, L"录音");
  auto* bit = Add<TBitBtn>(80, 10, 60, 24, L"停止");
  auto* edit = Add<TEdit>(150, 10, 100, 22, L"C:\\temp.wav");
  TStringList map;
  map.Add(L"TButton=nothing");
  Skin.SetSkin3rd(map);
  Skin.SetSkinControls(Skin.SkinControls() & ~SkinControlBit(xcBitBtn));
  AttachFormControls(*Form, {Skin, nullptr, nullptr, Form.get()});
  EXPECT_EQ(TSkinControl::ForComponent(button), nullptr) << "a kind the map does not know leaves it unskinned";
  EXPECT_EQ(TSkinControl::ForComponent(bit), nullptr) << "a bit button without xcBitBtn is no plain button";
  EXPECT_TRUE(WindowSkinnedBy<TSkinEdit>(edit->Handle())) << "edits are attached to their window";
}

TEST_F(ControlDispatch, ADialogsControlsAreSkinnedByClassAndStyle) {
  HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), L"SKINNEDDIALOG", Form->Handle(), DialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<wchar_t*>(L"格式");
  SendDlgItemMessageW(dialog, 109, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tab));
  CheckDlgButton(dialog, 102, BST_INDETERMINATE);
  TComponent owner(nullptr);
  TControlDispatch dispatch{Skin, nullptr, &owner, nullptr};
  AttachChildWindows(dialog, dispatch);
  auto item = [&](int id) { return GetDlgItem(dialog, id); };

  EXPECT_TRUE(WindowSkinnedBy<TSkinGroupBox>(item(100))) << "framed as a form's group box is";
  EXPECT_TRUE(WindowSkinnedBy<TSkinCheckBox>(item(101)));
  EXPECT_TRUE(WindowSkinnedBy<TSkinCheckBox>(item(102)));
  EXPECT_TRUE(WindowSkinnedBy<TSkinRadioButton>(item(103)));
  EXPECT_TRUE(WindowSkinnedBy<TSkinButton>(item(IDOK)));
  EXPECT_TRUE(WindowSkinnedBy<TSkinComBox>(item(105)));
  EXPECT_TRUE(WindowSkinnedBy<TSkinComBox>(GetWindow(item(106), GW_CHILD))) << "the extended box's inner combo box";
  EXPECT_TRUE(WindowSkinnedBy<TSkinEdit>(item(107)));
  EXPECT_TRUE(WindowSkinnedBy<TSkinScControl>(item(108)));
  EXPECT_TRUE(WindowSkinnedBy<TSkinTab>(item(109)));
  const int skinners = owner.ComponentCount();
  AttachChildWindows(dialog, dispatch);
  EXPECT_EQ(owner.ComponentCount(), skinners);

  // The three-state box in its indeterminate state shows the glyph's frame 4.
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  TDataSkinButton& buttons = Skin.Buttons;
  RECT box;
  GetWindowRect(item(102), &box);
  const int cellWidth = buttons.CheckButton.Width() / buttons.CheckButtonFrame;
  const int left = (14 - cellWidth) / 2, top = (box.bottom - box.top - buttons.CheckButton.Height()) / 2;
  const COLORREF centre = ImagePixel(buttons.CheckButton, buttons.CheckButtonFrame, 4, cellWidth / 2, 6);
  EXPECT_EQ(Eventually([&] { return ScreenPixel(item(102), left + cellWidth / 2, top + 6); }, centre), centre);
  DestroyWindow(dialog);
}
