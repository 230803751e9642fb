// Message numbers, scan codes and small helpers shared by the single-line
// edit, the IP-address edit and the soft keyboard.
#pragma once

#include <cstdint>

#include "gui/common.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/keyboard.h"
#include "gui/window_attr.h"
#include "gui/message.h"

namespace entry {

// Input modes of an edit.
constexpr uint32_t kModeLower = 0x10, kModeNumber = 0x20, kModeChinese = 0x40, kModeUpper = 0x80, kModePunct = 0x100;
constexpr uint32_t kModeMask = 0x1F0;

// Dialog codes.
constexpr int kDlgIdle = 0x99, kDlgEditing = 0x9D;

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
