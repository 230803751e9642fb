// The glyphs of a GNU Unifont .hex file, by Unicode code point; shared by
// the generators that draw text from it.
#pragma once

#include <cstdint>
#include <unordered_map>

// Unifont glyphs are 16 rows of 8 or 16 pixels.
struct HexGlyph {
  int width = 0;
  uint16_t rows[16] = {};  // left-aligned: pixel 0 is bit 15
};

using HexFont = std::unordered_map<uint32_t, HexGlyph>;

// False when the file cannot be read or holds no glyph.
bool readHexFont(const char* path, HexFont* font);
