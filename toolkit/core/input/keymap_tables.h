// Tables of the "default" keyboard layout, generated at build time from the
// console keymap files (tools/keymaps).
#pragma once

#include <cstdint>

// Key codes of scan codes 0..128 for one modifier combination.
constexpr int kKeyMapCodeCount = 129;

struct KeyMapColumn {
  int index;  // modifier combination (shift 1, AltGr 2, control 4, Alt 8)
  const uint16_t* codes;
};

// A diacritic and a base character compose to a Latin-1 byte.
struct AccentEntry {
  uint8_t diacritic;
  uint8_t base;
  uint8_t result;
};

extern const KeyMapColumn kDefaultKeyMaps[];
extern const int kDefaultKeyMapCount;
extern const AccentEntry kDefaultAccents[];
extern const int kDefaultAccentCount;
// Indexed by function-key value; null where no string is defined.
extern const char* const kDefaultFuncStrings[];
extern const int kDefaultFuncStringCount;
