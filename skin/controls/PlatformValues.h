// The platform's style bits, message codes and answers that the control
// decisions read, restated so that they build without the platform headers.
// The Windows build's tests compare every one with the platform's own.
#pragma once

#include <cstdint>

// Window styles and extended styles.
constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsDisabled = 0x08000000;
constexpr uint32_t kWsVScroll = 0x00200000;
constexpr uint32_t kWsHScroll = 0x00100000;
constexpr uint32_t kWsExLeftScrollBar = 0x00004000;

// Button styles and states.
constexpr uint32_t kBsTypeMask = 0x0F;
constexpr uint32_t kBsCheckBox = 0x02;
constexpr uint32_t kBsAutoCheckBox = 0x03;
constexpr uint32_t kBsRadioButton = 0x04;
constexpr uint32_t kBs3State = 0x05;
constexpr uint32_t kBsGroupBox = 0x07;
constexpr uint32_t kBsAutoRadioButton = 0x09;
constexpr uint32_t kBsOwnerDraw = 0x0B;
constexpr uint32_t kBsLeftText = 0x20;
constexpr uint32_t kBstChecked = 0x01;
constexpr uint32_t kBstIndeterminate = 0x02;

// Scroll-bar controls that are size boxes.
constexpr uint32_t kSbsSizeBox = 0x08;
constexpr uint32_t kSbsSizeGrip = 0x10;

// Combo boxes, tab controls, up-downs, track bars, headers.
constexpr uint32_t kCbsSimple = 0x01;
constexpr uint32_t kTcsBottom = 0x02;
constexpr uint32_t kTcsVertical = 0x80;
constexpr uint32_t kTcsButtons = 0x100;
constexpr uint32_t kTcsOwnerDrawFixed = 0x2000;
constexpr uint32_t kUdsHorz = 0x40;
constexpr uint32_t kTbsVert = 0x02;
constexpr uint32_t kHdfRight = 0x01;
constexpr uint32_t kHdfCenter = 0x02;
constexpr uint32_t kHdfImage = 0x0800;
constexpr uint32_t kHdfString = 0x4000;

// Scroll-bar request codes and the hit-test codes of the two bars.
constexpr int kSbLineLeft = 0;
constexpr int kSbLineRight = 1;
constexpr int kSbThumbPosition = 4;
constexpr int kSbThumbTrack = 5;
constexpr int kSbEndScroll = 8;
constexpr int kHtHScroll = 6;
constexpr int kHtVScroll = 7;

// Custom drawing: the notification, its stages, its answers, the track bar's
// parts and the item-state bits of a tool-bar button.
constexpr uint32_t kWmNotify = 0x004E;
constexpr int kNmCustomDraw = -12;
constexpr uint32_t kCddsPrePaint = 0x00001;
constexpr uint32_t kCddsItemPrePaint = 0x10001;
constexpr uint32_t kCdrfDoDefault = 0x00;
constexpr uint32_t kCdrfSkipDefault = 0x04;
constexpr uint32_t kCdrfNotifyItemDraw = 0x20;
constexpr uint32_t kTbcdTics = 1;
constexpr uint32_t kTbcdThumb = 2;
constexpr uint32_t kTbcdChannel = 3;
constexpr uint32_t kCdisSelected = 0x01;
constexpr uint32_t kCdisGrayed = 0x02;
constexpr uint32_t kCdisDisabled = 0x04;
constexpr uint32_t kCdisFocus = 0x10;
constexpr uint32_t kCdisDefault = 0x20;
constexpr uint32_t kCdisHot = 0x40;

// The toolkit's own message numbers that the skinners see.
constexpr uint32_t kCnNotify = 0xBC4E;  // a WM_NOTIFY reflected to the control
