// Message numbers of keys and characters, as the event thread posts them
// and the key translation and accelerators read them.
#pragma once

namespace keymsg {
constexpr int kKeyDown = 18;
constexpr int kChar = 19;
constexpr int kKeyUp = 20;
constexpr int kSysKeyDown = 21;
constexpr int kSysChar = 22;
constexpr int kSysKeyUp = 23;
constexpr int kManyChars = 24;
constexpr int kKeyUpAlt1 = 25;
constexpr int kKeyUpAlt2 = 26;
constexpr int kCommand = 288;
constexpr int kSysCommand = 289;
}  // namespace keymsg
