// The gallery: a toolkit form with one of every kind of control the skin
// engine skins and every kind of button in each state, and a dialog box of
// the platform's own controls, pictured with a skin and without.
#pragma once

#include <string>

#include "skin/model/SkinData.h"
#include "toolkit/forms/Form.h"

// Read from the layout resource TGALLERYFORM; the bit buttons get glyphs.
class TGalleryForm : public TForm {
 public:
  explicit TGalleryForm(TComponent* owner);
  std::wstring ClassName() const override { return L"TGalleryForm"; }
  // The second button of each row hot, the third pressed, the fifth push
  // button focused (the fourth of each row is disabled by the layout, the
  // fifth speed button down). Without the skin a pressed button is pushed
  // the platform's way.
  void ShowStates(bool skinned);
  // Every window of the form painted again, at once.
  void RepaintAll();

 private:
  void DrawGlyphs();
};

// The dialog box of template GALLERYDIALOG, with its lists and tabs filled.
class TGalleryDialog {
 public:
  explicit TGalleryDialog(HWND owner);
  ~TGalleryDialog();
  TGalleryDialog(const TGalleryDialog&) = delete;
  TGalleryDialog& operator=(const TGalleryDialog&) = delete;
  HWND Handle() const { return FHandle; }
  // A hot and a pressed push button.
  void ShowStates();

 private:
  HWND FHandle;
};

// Loads the skin package a program carries as the RCDATA resource
// resourceName; false when it is missing or refused.
bool LoadSkinResource(TSkinData& skin, const wchar_t* resourceName);

// What the screen shows of wnd, its frame included, as a PNG file.
void WriteWindowPicture(HWND wnd, const std::wstring& path);

// gallery-plain.png (the form without the skin), gallery.png (with it) and
// dialog.png (the dialog box with it) into folder. The program needs the
// application initialised and the skin engine's shared bitmap started.
void WriteGallery(TSkinData& skin, const std::wstring& folder);
