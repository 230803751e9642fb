// Loads arbitrary bytes as a raw bitmap font or a TrueType face and, when
// the load succeeds, binds a logical font to it and draws a few glyphs.
//
// Input: byte 0 picks the font type (even: raw bitmap, odd: TrueType),
// byte 1 the glyph width or font size, byte 2 the glyph height, byte 3 the
// charset; the rest is the font file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gdi/text/devfont_load.h"
#include "gui/config.h"
#include "gui/font.h"

namespace {

const char* const kCharsets[] = {"ISO8859-1", "GB2312-0", "UTF-8", "JISX0208-1", "US-ASCII"};

// One temporary file per process, removed at exit.
struct ScratchFile {
  ScratchFile() {
    char name[] = "/tmp/font_fuzz_XXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path = name;
  }
  ~ScratchFile() { std::remove(path.c_str()); }
  std::string path;
};

const std::string& scratchFile() {
  static const ScratchFile file;
  return file.path;
}

bool writeScratch(const uint8_t* data, size_t size) {
  FILE* f = std::fopen(scratchFile().c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

void drawSome(LogFont* lf, const uint8_t* text, size_t size) {
  for (size_t i = 0; i + 1 < size && i < 24; i += 2) {
    GlyphBitmap g{};
    GetGlyphBitmap(lf, text + i, 2, &g);
    volatile unsigned sink = 0;
    for (int b = 0; g.bits && b < g.bitmapSize; ++b) sink = sink + g.bits[b];
    DevFont* df = lf->singleByteDevFont;
    if (df->fontOps->charGreyPixmap) {
      int pitch = 0;
      unsigned short scale = 0;
      df->fontOps->charGreyPixmap(lf, df, text + i, 1, &pitch, &scale);
    }
  }
  FontMetrics m{};
  GetFontMetrics(lf, &m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4 || !writeScratch(data + 4, size - 4)) return 0;
  bool trueType = data[0] & 1;
  const char* charset = kCharsets[data[3] % (sizeof kCharsets / sizeof kCharsets[0])];
  const char* section = trueType ? "truetypefonts" : "rawbitmapfonts";
  char name[DEVFONT_NAME_SIZE];
  std::snprintf(name, sizeof name, "%s-fuzz-rrnSnn-%d-%d-%s", trueType ? "ttf" : "rbf",
                data[1] % 33, data[2] % 33, charset);
  devfont::ConfigRead read = [&](const char* sec, const char* key, char* value, int len) {
    std::string k = key;
    const char* answer = nullptr;
    if (std::string(sec) != section) return ETC_NO_SECTION;
    if (k == "font_number") answer = "1";
    if (k == "name0") answer = name;
    if (k == "fontfile0") answer = scratchFile().c_str();
    if (!answer) return ETC_NO_KEY;
    std::snprintf(value, static_cast<size_t>(len) + 1, "%s", answer);
    return ETC_OK;
  };

  bool loaded = trueType ? devfont::LoadTrueTypeFontsFrom(read) : devfont::LoadRawBitmapFontsFrom(read);
  if (loaded) {
    LogFont* lf = CreateLogFont(trueType ? "ttf" : "rbf", "fuzz", charset, 'r', 'r', 'n',
                                data[0] & 2 ? 'K' : 'S', 'n', 'n', 4 + data[1] % 60,
                                data[0] & 4 ? 450 : 0);
    if (lf) {
      drawSome(lf, data + 4, size - 4);
      DestroyLogFont(lf);
    }
  }
  UnloadTrueTypeFonts();
  UnloadRawBitmapFonts();
  ClearDevFontLists();
  return 0;
}
