// Per-glyph cost of looking up and rendering a glyph: a raw bitmap font, a
// TrueType font through the device-font operations (nothing cached), and,
// as the baseline, FreeType's own FT_Load_Char with rendering of the same
// glyphs at the same size.
#include <benchmark/benchmark.h>

#include "bench/bench_fonts.h"
#include "gui/font.h"

namespace {

const char kText[] = "The quick brown fox jumps over the lazy dog 0123456789";

// Loads both fonts once for the whole run.
struct Fonts {
  Fonts() {
    loaded = benchfonts::LoadBothFonts();
    raw = benchfonts::CreateRawFont();
    trueType = benchfonts::CreateTrueTypeFont();
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
  benchfonts::FreeTypeFace face;
  if (!face.ok()) {
    state.SkipWithError("FreeType face not loaded");
    return;
  }
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(face.Render(static_cast<unsigned char>(kText[i])));
    if (++i == sizeof kText - 1) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_FreeTypeLoadChar);
BENCHMARK(BM_RawBitmapGlyph);
BENCHMARK(BM_TrueTypeGlyph);

}  // namespace

BENCHMARK_MAIN();
