// What a window's styles and states make of its skinned frame: the kinds of
// form and frame, the border icons, the window state, the caption styles the
// form skinner switches, and which messages it handles in which state.
#pragma once

#include <cstdint>
#include <optional>

enum TFormKind : uint8_t { fkOrdinary = 0, fkMdiFrame = 1, fkMdiChild = 2 };

// frPlatform windows keep the platform's frame.
enum TFrameKind : uint8_t { frEdged = 0, frPlatform = 2, frPlain = 3 };

enum TSkinWindowState : uint8_t { swNormal = 0, swMaximised = 1, swMinimised = 2 };

// The form skinner's life: attached but not shown, skinned, reloading the
// skin, its window being destroyed, fitting the window to the frame, destroyed.
enum TFrameLife : int32_t {
  flAttached = 0, flSkinned = 1, flReloading = 3, flDestroying = 4, flFitting = 5, flDestroyed = 6
};

// Bits of the form skinner's BorderIcons.
constexpr uint8_t kBorderMaximiseBox = 0x01;
constexpr uint8_t kBorderMinimiseBox = 0x02;
constexpr uint8_t kBorderSystemMenu = 0x08;
constexpr uint8_t kBorderCaptionRemoved = 0x10;

// 2 for a popup without the whole caption style, else 0 with a window edge or
// a thick frame, else 3.
TFrameKind FrameKindOf(uint32_t style, uint32_t exStyle);

// An MDI child by its extended style wins over a frame with an MDI client.
TFormKind FormKindOf(uint32_t exStyle, bool hasMdiClientChild);

uint8_t BorderIconsOf(uint32_t style, bool hasSystemMenu);

bool IsRightToLeft(uint32_t exStyle);

// The state of a window placement's show command.
TSkinWindowState WindowStateOfShowCommand(unsigned showCommand);

// The state a WM_SIZE request type means; none for the types that do not
// change it (another window maximised or restored).
std::optional<TSkinWindowState> WindowStateOfSizeType(unsigned sizeType);

struct TCaptionStyles {
  uint32_t Style = 0;
  uint8_t BorderIcons = 0;
  uint32_t Removed = 0;  // the styles taken away and not given back yet
  bool operator==(const TCaptionStyles&) const = default;
};

// The window style after taking the caption styles away (off) or putting
// back what was taken (on), and the border icons, whose caption bit tells
// that WS_CAPTION was taken (it stays once set). Off takes WS_CAPTION from a
// window without an owner that has the whole caption, and only the boxes and
// the system menu from an owned one, which keeps its caption. A frame that
// stays the platform's (a popup without the whole caption) keeps all its
// styles. None when nothing changes, as for an MDI child whose caption stays
// while children are maximised.
std::optional<TCaptionStyles> CaptionStyles(bool on, const TCaptionStyles& current, bool hasOwner,
                                            TFormKind formKind, bool mdiMaximised, TFrameKind frameKind);

// What WM_GETMINMAXINFO does to the caption styles, with the window state
// just read from the placement. An MDI child back in the normal state first
// ends the MDI-maximised state.
struct TMinMaxCaption {
  bool On = false;
  bool LeaveMdiMaximised = false;
  bool operator==(const TMinMaxCaption&) const = default;
};
TMinMaxCaption CaptionOnMinMaxInfo(TFormKind formKind, TSkinWindowState state, bool mdiMaximised);

// An MDI child outside the normal state and a kind-2 frame keep the platform's
// frame: its client rectangle, its painting, no region.
bool KeepsPlatformFrame(TFormKind formKind, TSkinWindowState state, TFrameKind frameKind);

// Whether the non-client messages (the window procedure's second stage) are
// the skinner's at all: not for child windows other than MDI children.
bool HandlesFrameMessages(uint32_t style, TFormKind formKind);

// Whether the frame's size, paint, hit-test and mouse handlers (the third
// stage) run: not before the first presentation, not while minimised, and not
// for an MDI child outside the normal state.
bool RunsFrameHandlers(TFormKind formKind, TSkinWindowState state, TFrameLife life);

// Whether PaintFrame draws (given that the shared scratch bitmap exists).
bool PaintsFrame(TFrameLife life, TFrameKind frameKind, TFormKind formKind, TSkinWindowState state);
