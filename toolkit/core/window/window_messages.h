// Message numbers and hit codes the default procedures and the painting
// code speak. The numbers are the toolkit's own; only those this folder
// reads or sends, and those the desktop sends to the tool windows, are named
// here.
#pragma once

#include "gui/input.h"

namespace winmsg {

// Mouse: client messages 1..9, non-client ones 10..17 (client + 9), and the
// desktop's raw ones 225..233 (client + 224).
constexpr int kLButtonDown = 1, kLButtonUp = 2, kLButtonDblClk = 3, kMouseMove = 4;
constexpr int kRButtonDown = 5, kRButtonUp = 6, kRButtonDblClk = 7, kWheelA = 8, kWheelB = 9;
constexpr int kNcLButtonDown = 10, kNcLButtonUp = 11, kNcLButtonDblClk = 12, kNcMouseMove = 13;
constexpr int kNcRButtonUp = 15;
constexpr int kNonClientOffset = 9;
constexpr int kRawMouseFirst = 225, kRawMouseLast = 233;
constexpr int kRawOffset = 224;
constexpr int kRawToNonClient = 215;
// Key-flag bit of mouse input the desktop hands straight to the capture
// window: the number is a client one but the position is on the screen.
constexpr unsigned long kCapturedFlag = KS_CAPTURED;

constexpr int kKeyDown = 18, kChar = 19, kKeyUp = 20, kSysKeyUp = 23, kKeyUpA = 25, kKeyUpB = 26;

constexpr int kSetCursor = 32, kHitTest = 33, kSizeChanged = 34, kGetWindowRect = 35, kGetClientRect = 36;
constexpr int kSizeChanging = 37, kCalcClientRect = 38, kClientSized = 39, kPlaceIme = 40;
constexpr int kSetFocus = 48, kKillFocus = 49, kMouseActivate = 50, kActiveState = 51;
constexpr int kPowerKey = 53, kOutputSwitch = 54, kNcSetCursor = 68, kMouseEnter = 80, kMoveWindow = 81;

constexpr int kClose = 102, kMaximize = 104, kMinimize = 105;
constexpr int kEraseBackground = 176, kPaint = 177, kNcPaint = 178, kRepaintAll = 180;

constexpr int kSysCommand = 289, kUpdate = 305, kGetTextLength = 306, kGetText = 307, kSetText = 308;
constexpr int kEnableChanged = 309;
constexpr int kAutoRepeatTick = 322, kCaretBlink = 325;

constexpr int kWantsIme = 336, kImeShow = 339, kImeClose = 340, kImeFocus = 344;
constexpr int kSkbEditClosed = 346, kWantsSkb = 352, kSkbOpen = 355, kSkbClose = 356;
constexpr int kSkbState = 358, kSkbServes = 359, kSkbCurrentEdit = 360;
constexpr int kTipShow = 400, kTipHide = 401, kTipQuery = 404, kTipOwner = 407;

constexpr unsigned long kSysCloseCommand = 61536;
constexpr int kScanNoPermission = 120;
constexpr int kCloseKey = 1;  // wParam of 18 that closes pages

}  // namespace winmsg

// Answers of message 33.
namespace hit {

constexpr int kOutside = 1, kMenuBar = 2, kTransparent = 3, kBorder = 4, kClient = 12;
constexpr int kIcon = 20, kClose = 21, kMaximize = 22, kMinimize = 23;
constexpr int kHScroll = 24, kVScroll = 25, kCaption = 33;
constexpr int kNoPressBit = 0x20;  // caption and borders
constexpr int kCaptureBit = 0x10;  // icon, buttons and bars

}  // namespace hit
