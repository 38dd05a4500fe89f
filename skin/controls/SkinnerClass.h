// The control skinners a choice can name, and how each is attached.
#pragma once

enum TSkinnerClass {
  scNone,
  scButton,       // TSkinButton
  scBitButton,    // TSkinBitButton
  scSpeedButton,  // TSkinSpeedButton
  scCheckBox,     // TSkinCheckBox
  scRadioButton,  // TSkinRadioButton
  scBox,          // TSkinBox
  scGroupBox,     // TSkinGroupBox
  scStatusBar,    // TSkinStatusBar
  scTab,          // TSkinTab
  scTab31,        // TSkinTab31
  scProgress,     // TSkinProgress
  scTrackBar,     // TSkinTrackBar
  scUpDown,       // TSkinUpDown
  scEdit,         // TSkinEdit
  scComBox,       // TSkinComBox
  scSizer,        // TSkinSizer
  scScControl,    // TSkinScControl
  scScrollbar,    // TSkinScrollbar
  scListView,     // TSkinListView
  scDialogPage,   // TSkinDialogPage
  scToolBar,      // TSkinToolBar
};

enum TAttachMode {
  amControl,   // AttachControl on the toolkit control, which owns the skinner
  amWindow,    // AttachWindow on a window handle
  amGraphic,   // AttachGraphic on a windowless control
  amScrolled,  // AttachScrolled with the choice's scrolled kind
};
