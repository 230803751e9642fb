// The desktop's window-management requests on the stacking lists: adding,
// removing, showing, hiding, raising, moving, enabling and activating main
// windows (and controls with a node of their own). Desktop thread only;
// the locking rule they keep is written at the top of zorder.h.
#pragma once

#include "core/control_support.h"  // ActiveOfCurrentDisplay
#include "core/desktop/zorder.h"
#include "core/window/window_record.h"

enum RaiseMode { kRaiseByMouse = 1, kRaiseByAltTab = 2, kRaiseShowAndActivate = 3, kRaiseOnly = 4 };

LResult AddStackedWindow(WindowRecord* win, ZOrderNode* node, bool previewAware);
LResult RemoveStackedWindow(WindowRecord* win);
LResult ShowStackedWindow(WindowRecord* win);
LResult HideStackedWindow(WindowRecord* win);
// A raise by the mouse gives the press's screen point, which the hidden
// drop-down's parent is told with MSG_TOPCTRLHIDDEN.
LResult RaiseStackedWindow(WindowRecord* win, int mode, LParam point = 0);
// The control with a node of its own (a drop-down list, calendar or time
// spinner) that heads the topmost or the current display's list while it
// shows; null when none is open.
WindowRecord* OpenDropDown();
LResult MoveStackedWindow(WindowRecord* win, const Rect* rect);
LResult EnableStackedWindow(WindowRecord* win, bool enable);
WindowHandle NextStackedWindow(WindowHandle hwnd);
// Moves the visible pixels of the scrolled rectangle (client coordinates;
// empty: the client area) by dx, dy and invalidates what they uncover.
LResult ScrollStackedWindow(WindowRecord* win, const struct ScrollWindowInfo* info);
LResult SetDesktopCapture(WindowHandle hwnd);

// Activation of the current display (0 clears it); answers the previous
// active window.
WindowHandle ActivateWindow(WindowHandle hwnd);
void SetActiveOfCurrentDisplay(WindowHandle hwnd);
// The first window of the current display's list, then of the topmost list,
// that may become active.
WindowHandle FirstActivatable();
bool IsToolWindow(WindowHandle hwnd);

// Controls joining and leaving their parent (requests 377 and 378).
LResult AddControlToParent(WindowRecord* parent, ControlRecord* control);
// On the creating thread: links a control without a stack node of its own
// under the stack lock; false (nothing done) for any other, or while tracking
// may run, which the desktop's request ends first.
bool LinkPlainControl(WindowRecord* parent, ControlRecord* control);
LResult RemoveControlFromParent(WindowRecord* parent, ControlRecord* control);
// On the destroying thread, the counterpart of LinkPlainControl: unlinks a
// control without a stack node of its own under the stack lock and drops its
// class count. The desktop still holds whatever pointer state names it until
// request 383 (ForgetControls) runs.
enum class LocalUnlink { kUnlinked, kNotAChild, kOnDesktopOnly };
LocalUnlink UnlinkPlainControl(WindowRecord* parent, ControlRecord* control);
// Request 383: the pointer, press, capture and caret state naming any of the
// controls (already out of their parents' lists) is forgotten.
LResult ForgetControls(const WindowHandle* controls, size_t count);

// 178 with the part (screen coordinates) in window coordinates and an
// erasing invalidation of it; a preview window while the auxiliary display
// is current passes the invalidation to the main display's preview window.
void RepaintPart(WindowRecord* win, const Rect& screenPart);
// Forgets pointer, press, capture and caret state that refers to the window
// or its controls.
void ForgetPointerStateOf(WindowHandle hwnd);
