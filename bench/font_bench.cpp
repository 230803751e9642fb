// Per-glyph cost of looking up and rendering a glyph: a raw bitmap font, a
// TrueType font through the device-font operations (nothing cached), and,
// as the baseline, FreeType's own FT_Load_Char with rendering of the same
// glyphs at the same size.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <climits>
#include <cstdio>
#include <string>

#include "gdi/text/devfont_load.h"
#include "gui/config.h"
#include "gui/font.h"

namespace {

const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kText[] = "The quick brown fox jumps over the lazy dog 0123456789";
constexpr int kPixels = 16;

// The generated fonts sit beside the executable's folder.
std::string resourceFont(const char* file) {
  char exe[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string dir = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string(".");
  dir = dir.substr(0, dir.rfind('/'));
  return dir + "/../guiRes/rirurRes/font/" + file;
}

int readValue(const char* section, const char* key, char* value, int len) {
  static const std::string rawFile = resourceFont("iso8859-1-8x16.bin");
  std::string s = section, k = key;
  const char* answer = nullptr;
  if (k == "font_number") answer = "1";
  if (s == "rawbitmapfonts" && k == "name0") answer = "rbf-fixed-rrncnn-8-16-ISO8859-1";
  if (s == "rawbitmapfonts" && k == "fontfile0") answer = rawFile.c_str();
  if (s == "truetypefonts" && k == "name0") answer = "ttf-dejavu-rrncnn-0-0-ISO8859-1";
  if (s == "truetypefonts" && k == "fontfile0") answer = kDejaVu;
  if (!answer) return ETC_NO_KEY;
  std::snprintf(value, static_cast<size_t>(len) + 1, "%s", answer);
  return ETC_OK;
}

// Loads both fonts once for the whole run.
struct Fonts {
  Fonts() {
    loaded = devfont::LoadRawBitmapFontsFrom(readValue) && devfont::LoadTrueTypeFontsFrom(readValue);
    raw = CreateLogFont("rbf", "fixed", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', kPixels, 0);
    trueType = CreateLogFont("ttf", "dejavu", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', kPixels, 0);
  }
  bool loaded = false;
  LogFont* raw = nullptr;
  LogFont* trueType = nullptr;
};

Fonts& fonts() {
  static Fonts f;
  return f;
}

void glyphsOf(benchmark::State& state, LogFont* lf) {
  if (!lf) {
    state.SkipWithError("font not loaded");
    return;
  }
  size_t i = 0;
  for (auto _ : state) {
    GlyphBitmap g{};
    GetGlyphBitmap(lf, reinterpret_cast<const unsigned char*>(kText + i), 1, &g);
    benchmark::DoNotOptimize(g.bits);
    if (++i == sizeof kText - 1) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_RawBitmapGlyph(benchmark::State& state) { glyphsOf(state, fonts().raw); }

void BM_TrueTypeGlyph(benchmark::State& state) { glyphsOf(state, fonts().trueType); }

void BM_FreeTypeLoadChar(benchmark::State& state) {
  FT_Library library;
  FT_Face face;
  if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, kDejaVu, 0, &face) != 0) {
    state.SkipWithError("FreeType face not loaded");
    return;
  }
  FT_Set_Pixel_Sizes(face, kPixels, kPixels);
  size_t i = 0;
  for (auto _ : state) {
    FT_Load_Char(face, static_cast<unsigned char>(kText[i]), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP);
    benchmark::DoNotOptimize(face->glyph->bitmap.buffer);
    if (++i == sizeof kText - 1) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

BENCHMARK(BM_FreeTypeLoadChar);
BENCHMARK(BM_RawBitmapGlyph);
BENCHMARK(BM_TrueTypeGlyph);

}  // namespace

BENCHMARK_MAIN();
