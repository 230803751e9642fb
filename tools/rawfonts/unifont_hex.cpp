#include "unifont_hex.h"

#include <fstream>
#include <string>

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool parseHexLine(const std::string& line, uint32_t* code, HexGlyph* glyph) {
  size_t colon = line.find(':');
  if (colon == std::string::npos) return false;
  *code = static_cast<uint32_t>(std::stoul(line.substr(0, colon), nullptr, 16));
  std::string bits = line.substr(colon + 1);
  while (!bits.empty() && (bits.back() == '\r' || bits.back() == ' ')) bits.pop_back();
  int digitsPerRow = bits.size() == 32 ? 2 : bits.size() == 64 ? 4 : 0;
  if (!digitsPerRow) return false;
  glyph->width = digitsPerRow * 4;
  for (int r = 0; r < 16; ++r) {
    uint32_t row = 0;
    for (int d = 0; d < digitsPerRow; ++d) {
      int v = hexDigit(bits[r * digitsPerRow + d]);
      if (v < 0) return false;
      row = row << 4 | static_cast<uint32_t>(v);
    }
    glyph->rows[r] = static_cast<uint16_t>(row << (16 - glyph->width));
  }
  return true;
}

}  // namespace

bool readHexFont(const char* path, HexFont* font) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    uint32_t code;
    HexGlyph glyph;
    if (parseHexLine(line, &code, &glyph)) (*font)[code] = glyph;
  }
  return !font->empty();
}
