// Generates the language pictures of the language lists: each language's
// own name, drawn from GNU Unifont, as an uncompressed 24-bit BMP file named
// after its bitmap slot (the toolkit's language index).
//
//   langpics <unifont.hex> <output directory>
#include <cstdio>
#include <string>

#include "../resgen/bmp_writer.h"
#include "unifont_hex.h"

namespace {

// The languages whose texts the resources carry, each named in itself.
struct LanguageName {
  int slot;
  const char32_t* name;
};
constexpr LanguageName kNames[] = {
    {0, U"English"},
    {1, U"\u7B80\u4F53\u4E2D\u6587"},
    {6, U"Deutsch"},
};

// One list row high: the glyph rows and a pixel above and below.
constexpr int kHeight = 18;
constexpr int kPadX = 6;
constexpr Rgb kBack{44, 62, 86}, kEdge{96, 122, 156}, kInk{255, 255, 255};

int textWidth(const HexFont& font, const char32_t* text) {
  int w = 0;
  for (; *text; ++text) {
    auto glyph = font.find(static_cast<uint32_t>(*text));
    w += glyph != font.end() ? glyph->second.width : 8;
  }
  return w;
}

Image drawName(const HexFont& font, const char32_t* text) {
  Image img(textWidth(font, text) + 2 * kPadX, kHeight, kBack);
  img.FrameRect(0, 0, img.Width(), img.Height(), kEdge);
  int x = kPadX;
  for (; *text; ++text) {
    auto glyph = font.find(static_cast<uint32_t>(*text));
    if (glyph == font.end()) {
      x += 8;
      continue;
    }
    const HexGlyph& g = glyph->second;
    for (int row = 0; row < 16; ++row)
      for (int col = 0; col < g.width; ++col)
        if (g.rows[row] & (0x8000u >> col)) img.Set(x + col, 1 + row, kInk);
    x += g.width;
  }
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: langpics <unifont.hex> <output directory>\n");
    return 2;
  }
  HexFont font;
  if (!readHexFont(argv[1], &font)) {
    std::fprintf(stderr, "langpics: cannot read %s\n", argv[1]);
    return 1;
  }
  for (const LanguageName& language : kNames) {
    const std::string path = std::string(argv[2]) + "/lang_bmp" + std::to_string(language.slot) + ".bmp";
    if (!drawName(font, language.name).WriteBmp(path)) {
      std::fprintf(stderr, "langpics: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
