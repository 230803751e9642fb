// Generates the raw bitmap font files from a GNU Unifont .hex file: one
// headerless file per charset, glyph i of the charset at i times the glyph
// size, rows padded to bytes, most significant bit leftmost. The charset's
// bytes for each glyph index are mapped to Unicode by the C library's iconv.
//
//   rawfonts <unifont.hex> <output directory>
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "unifont_hex.h"

namespace {

// Converts one character of `encoding` to a Unicode code point; 0 when the
// bytes are no character of it.
class ToUnicode {
 public:
  explicit ToUnicode(const char* encoding) : cd_(iconv_open("UTF-32LE", encoding)) {}
  ~ToUnicode() {
    if (ok()) iconv_close(cd_);
  }
  ToUnicode(const ToUnicode&) = delete;
  ToUnicode& operator=(const ToUnicode&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  uint32_t operator()(const std::vector<unsigned char>& bytes) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char in[8];
    std::memcpy(in, bytes.data(), bytes.size());
    unsigned char out[8] = {};
    char* inp = in;
    char* outp = reinterpret_cast<char*>(out);
    size_t inLeft = bytes.size(), outLeft = sizeof out;
    if (iconv(cd_, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 ||
        sizeof out - outLeft != 4)
      return 0;
    return out[0] | out[1] << 8 | out[2] << 16 | static_cast<uint32_t>(out[3]) << 24;
  }

 private:
  iconv_t cd_;
};

struct FontFile {
  const char* fileName;
  const char* encoding;
  int width;  // 8 or 16; height is 16
  int glyphCount;
  // The charset's bytes for a glyph index (empty: no character).
  std::function<std::vector<unsigned char>(int)> bytesOf;
};

std::vector<unsigned char> singleByte(int index) {
  // Control codes have no printable glyph.
  if (index < 0x20 || (index >= 0x7F && index < 0xA0)) return {};
  return {static_cast<unsigned char>(index)};
}

std::vector<unsigned char> euc94(int index) {
  return {static_cast<unsigned char>(0xA1 + index / 94), static_cast<unsigned char>(0xA1 + index % 94)};
}

std::vector<unsigned char> shiftJis(int index) {
  int row = index / 189, col = index % 189;
  int lead = row < 31 ? 0x81 + row : 0xE0 + row - 31;
  return {static_cast<unsigned char>(lead), static_cast<unsigned char>(0x40 + col)};
}

// Writes one glyph of `width` pixels from a Unifont glyph; narrow glyphs are
// centred in a wide cell, wide glyphs do not fit a narrow one.
void appendGlyph(const HexGlyph* glyph, int width, std::vector<unsigned char>* out) {
  for (int r = 0; r < 16; ++r) {
    uint16_t row = 0;
    if (glyph && glyph->width <= width)
      row = static_cast<uint16_t>(glyph->rows[r] >> ((width - glyph->width) / 2));
    out->push_back(static_cast<unsigned char>(row >> 8));
    if (width == 16) out->push_back(static_cast<unsigned char>(row & 0xFF));
  }
}

bool writeFont(const HexFont& hex, const FontFile& file, const std::string& dir) {
  ToUnicode toUnicode(file.encoding);
  if (!toUnicode.ok()) {
    std::cerr << "rawfonts: iconv has no " << file.encoding << "\n";
    return false;
  }
  std::vector<unsigned char> data;
  for (int i = 0; i < file.glyphCount; ++i) {
    std::vector<unsigned char> bytes = file.bytesOf(i);
    uint32_t code = bytes.empty() ? 0 : toUnicode(bytes);
    auto it = code ? hex.find(code) : hex.end();
    appendGlyph(it == hex.end() ? nullptr : &it->second, file.width, &data);
  }
  std::string path = dir + "/" + file.fileName;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!out) {
    std::cerr << "rawfonts: cannot write " << path << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: rawfonts <unifont.hex> <output directory>\n";
    return 2;
  }
  HexFont hex;
  if (!readHexFont(argv[1], &hex)) {
    std::cerr << "rawfonts: cannot read " << argv[1] << "\n";
    return 1;
  }
  const FontFile files[] = {
      {"iso8859-1-8x16.bin", "ISO-8859-1", 8, 256, singleByte},
      {"iso8859-2-8x16.bin", "ISO-8859-2", 8, 256, singleByte},
      {"iso8859-5-8x16.bin", "ISO-8859-5", 8, 256, singleByte},
      {"iso8859-7-8x16.bin", "ISO-8859-7", 8, 256, singleByte},
      {"iso8859-8-8x16.bin", "ISO-8859-8", 8, 256, singleByte},
      {"iso8859-9-8x16.bin", "ISO-8859-9", 8, 256, singleByte},
      {"gb2312-16x16.bin", "GB2312", 16, 8178, euc94},
      {"jisx0208-1-16x16.bin", "SHIFT_JIS", 16, 8694, shiftJis},
  };
  for (const FontFile& f : files)
    if (!writeFont(hex, f, argv[2])) return 1;
  return 0;
}
