// The message record that passes through a control's WindowProc, and the
// toolkit's own notifications. Their numbers are fixed: the skin engine
// subclasses controls and relies on them.
#pragma once

#include <windows.h>

#include "toolkit/core/Method.h"

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

using TWndMethod = TMethod<TMessage&>;

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;      // the mouse capture went elsewhere mid-click
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;      // Alt+letter reached the form
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;     // lParam: the control entered
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;     // lParam: the control left
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_EXIT = CM_BASE + 27;           // focus left the control
// Posted to a form: it frees itself. Sent to a windowless control: it is about to go.
constexpr UINT CM_RELEASE = CM_BASE + 33;
// A child's notification, reflected back to the child: CN_BASE + the message.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
