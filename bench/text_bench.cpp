// Text output through a DC: TextOutLen of a 40-character line with the
// width caches warm, in TrueType and raw bitmap fonts, beside FreeType
// rendering the same glyphs itself with nothing cached (the baseline), and
// DrawTextEx2 of a word-wrapped paragraph.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gdi/dc/dc_record.h"
#include "gdi/text/devfont_load.h"
#include "gui/config.h"
#include "gui/dc.h"
#include "gui/gal.h"
#include "gui/text.h"

namespace {

const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kLine[] = "The quick brown fox jumps over a lazy do";  // 40 characters
const char kParagraph[] =
    "Recording continues on every channel while the disk has room; when it fills, the oldest "
    "files are overwritten unless the overwrite option is off, in which case recording stops and "
    "an alarm is raised on the outputs linked to the disk-full event.";
constexpr int kPixels = 16;
constexpr int kChars = sizeof kLine - 1;

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

// A 32-bit screen in memory with the DC layer on it and both fonts.
struct Screen {
  Screen() : pixels(static_cast<size_t>(640) * 480) {
    surface = GAL_CreateRGBSurfaceFrom(pixels.data(), 640, 480, 32, 640 * 4, 0xFF0000, 0xFF00, 0xFF, 0);
    ready = surface && InitGDI(surface) && devfont::LoadRawBitmapFontsFrom(readValue) &&
            devfont::LoadTrueTypeFontsFrom(readValue);
    raw = CreateLogFont("rbf", "fixed", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', kPixels, 0);
    trueType = CreateLogFont("ttf", "dejavu", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', kPixels, 0);
  }
  std::vector<uint32_t> pixels;
  GalSurface* surface = nullptr;
  bool ready = false;
  LogFont* raw = nullptr;
  LogFont* trueType = nullptr;
};

Screen& screen() {
  static Screen s;
  return s;
}

void textOut(benchmark::State& state, LogFont* lf) {
  if (!screen().ready || !lf) {
    state.SkipWithError("screen or font not ready");
    return;
  }
  gui::dc::ScreenDC()->font = lf;
  TextOutLen(HDC_SCREEN, 10, 10, kLine, kChars);  // warms the width cache
  for (auto _ : state) benchmark::DoNotOptimize(TextOutLen(HDC_SCREEN, 10, 10, kLine, kChars));
  state.SetItemsProcessed(state.iterations() * kChars);
}

void BM_TextOutLenTrueType(benchmark::State& state) { textOut(state, screen().trueType); }
void BM_TextOutLenRawBitmap(benchmark::State& state) { textOut(state, screen().raw); }

// Baseline: FreeType loads and renders each glyph of the line itself.
void BM_FreeTypeUncachedLine(benchmark::State& state) {
  FT_Library library;
  FT_Face face;
  if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, kDejaVu, 0, &face) != 0) {
    state.SkipWithError("FreeType face not loaded");
    return;
  }
  FT_Set_Pixel_Sizes(face, kPixels, kPixels);
  for (auto _ : state) {
    for (int i = 0; i < kChars; ++i) {
      FT_Load_Char(face, static_cast<unsigned char>(kLine[i]),
                   FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP);
      benchmark::DoNotOptimize(face->glyph->bitmap.buffer);
    }
  }
  state.SetItemsProcessed(state.iterations() * kChars);
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

void BM_DrawTextWrappedParagraph(benchmark::State& state) {
  if (!screen().ready || !screen().trueType) {
    state.SkipWithError("screen or font not ready");
    return;
  }
  gui::dc::ScreenDC()->font = screen().trueType;
  for (auto _ : state) {
    Rect rect{20, 20, 300, 460};
    benchmark::DoNotOptimize(DrawTextEx2(HDC_SCREEN, kParagraph, -1, &rect, 16, DT_WORDBREAK, nullptr));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(std::strlen(kParagraph)));
}

BENCHMARK(BM_FreeTypeUncachedLine);
BENCHMARK(BM_TextOutLenTrueType);
BENCHMARK(BM_TextOutLenRawBitmap);
BENCHMARK(BM_DrawTextWrappedParagraph);

}  // namespace

BENCHMARK_MAIN();
