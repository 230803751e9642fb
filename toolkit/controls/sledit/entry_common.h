// Message numbers, scan codes and small helpers shared by the single-line
// edit, the IP-address edit and the soft keyboard.
#pragma once

#include <cstdint>

#include "core/startup/input_helpers.h"
#include "gui/common.h"
#include "gui/message.h"

namespace entry {

// Messages between the edits, the soft keyboard and the input method.
constexpr int kPress = 1, kRelease = 2, kDoubleClick = 3, kMouseMove = 4, kNcRelease = 11;
constexpr int kKeyDown = 18, kChar = 19, kKeyUp = 20, kSetCursor = 32, kPlaceCheck = 37, kRelayout = 38;
constexpr int kPlaceIme = 40, kSetFocus = 48, kKillFocus = 49, kMouseActivate = 50, kActivate = 80;
constexpr int kCreate = 96, kNcCreate = 97, kDestroy = 100, kClose = 102;
constexpr int kErase = 176, kPaint = 177, kIpMove = 182;
constexpr int kCommand = 288, kDlgCode = 290, kIsPassword = 304, kDisplayChanged = 305;
constexpr int kTextLength = 306, kGetText = 307, kSetText = 308, kEnable = 309;
constexpr int kWantsIme = 336, kImeClose = 340, kImeCmd = 342, kImeQuery = 343, kImeTarget = 344;
constexpr int kSetMode = 346, kGetMode = 347, kEditable = 352, kRegSkb = 353, kUnregSkb = 354;
constexpr int kSkbOpen = 355, kSkbClose = 356, kSkbSet = 357, kSkbGet = 358, kSkbTarget = 359, kSkbGetTarget = 360;
constexpr int kRepaintFrame = 406;

// Scan codes.
constexpr int kScanEscape = 1, kScanBackspace = 14, kScanEnter = 28, kScanA = 30, kScanCaps = 58;
constexpr int kScanHome = 102, kScanLeft = 105, kScanRight = 106, kScanEnd = 107, kScanInsert = 110;
constexpr int kScanDelete = 111, kScanImeSwitch = 130, kScanEditStart = 180;

// Input modes of an edit.
constexpr uint32_t kModeLower = 0x10, kModeNumber = 0x20, kModeChinese = 0x40, kModeUpper = 0x80, kModePunct = 0x100;
constexpr uint32_t kModeMask = 0x1F0;

// Dialog codes.
constexpr int kDlgIdle = 0x99, kDlgEditing = 0x9D, kDlgWantsAll = 0x04;

constexpr uint32_t kStyleDisabled = 0x04000000u;
constexpr WindowHandle kNoWindow = GUI_INVALID_HANDLE;

inline int LowX(LParam l) { return static_cast<int16_t>(l & 0xFFFF); }
inline int HighY(LParam l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }
inline LParam Pack(int x, int y) {
  return static_cast<LParam>((static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF));
}

// The tool windows when they exist, else 0.
WindowHandle LiveIme();
WindowHandle LiveSoftKeyboard();
// The arrow cursor over the mode icons and disabled fields.
void ShowArrowCursor();

}  // namespace entry
