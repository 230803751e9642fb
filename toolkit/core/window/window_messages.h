// The few command words the default procedures read, and the bits
// of the hit-test answers. Message numbers and hit codes are the public
// MSG_* and HT_* names.
#pragma once

#include "gui/input.h"

namespace winmsg {

constexpr unsigned long kSysCloseCommand = 61536;  // wParam of MSG_SYSCOMMAND that closes

}  // namespace winmsg

// Bits of the hit-test answers (HT_*).
namespace hit {

constexpr int kNoPressBit = 0x20;  // caption and borders
constexpr int kCaptureBit = 0x10;  // icon, buttons and bars

}  // namespace hit
