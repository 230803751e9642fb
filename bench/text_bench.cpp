// Text output through a DC: TextOutLen of a 40-character line with the
// width caches warm, in TrueType and raw bitmap fonts, beside FreeType
// rendering the same glyphs itself with nothing cached (the baseline), and
// DrawTextEx2 of a word-wrapped paragraph. The cached TrueType line is also
// drawn on the host window's screen, each line with its screen update, and
// compared with the baseline in the same run: goal_budget_5x_freetype asks
// it to be 5 times as fast, a budget (the baseline renders every glyph, the
// line reuses cached ones), not the same work.
//
// Like with like, measured in turn in one run (goals: 1 or more meets each):
//   goal_cached_vs_ftcache = 1.5 x FreeType's own glyph cache (same face and
//     size, warmed alike) drawing the line into memory / the toolkit's cached
//     line into memory: within 1.5 times it
//   goal_uncached_vs_freetype = 1.5 x FreeType rendering and drawing every
//     glyph afresh / the toolkit's line with its caches emptied first
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_fonts.h"
#include "bench/bench_timing.h"
#include "gdi/dc_record.h"
#include "gui/dc.h"
#include "gui/gal.h"
#include "gui/text.h"
#include "gui/font.h"

namespace {

const char kLine[] = "The quick brown fox jumps over a lazy do";  // 40 characters
const char kParagraph[] =
    "Recording continues on every channel while the disk has room; when it fills, the oldest "
    "files are overwritten unless the overwrite option is off, in which case recording stops and "
    "an alarm is raised on the outputs linked to the disk-full event.";
constexpr int kChars = sizeof kLine - 1;

// A 32-bit screen in memory with the DC layer on it and both fonts.
struct Screen {
  Screen() : pixels(static_cast<size_t>(640) * 480) {
    surface = GAL_CreateRGBSurfaceFrom(pixels.data(), 640, 480, 32, 640 * 4, 0xFF0000, 0xFF00, 0xFF, 0);
    ready = surface && InitGDI(surface) && benchfonts::LoadBothFonts();
    raw = benchfonts::CreateRawFont();
    trueType = benchfonts::CreateTrueTypeFont();
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
  benchfonts::FreeTypeFace face;
  if (!face.ok()) {
    state.SkipWithError("FreeType face not loaded");
    return;
  }
  for (auto _ : state) {
    for (int i = 0; i < kChars; ++i) benchmark::DoNotOptimize(face.Render(static_cast<unsigned char>(kLine[i])));
  }
  state.SetItemsProcessed(state.iterations() * kChars);
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

// The cached line on a memory screen and on the host window's screen (with
// the update), beside uncached FreeType, measured in turn.
void BM_CachedTrueTypeLineOnScreenVsUncachedFreeType(benchmark::State& state) {
  benchfonts::FreeTypeFace face;
  LogFont* lf = screen().trueType;
  if (!screen().ready || !lf || !face.ok() || InitGAL() != 0) {
    state.SkipWithError("screen, font or video not ready");
    return;
  }
  auto freeType = [&] {
    for (int i = 0; i < kChars; ++i) benchmark::DoNotOptimize(face.Render(static_cast<unsigned char>(kLine[i])));
  };
  auto onMemory = [&] {
    InitGDI(screen().surface);
    gui::dc::ScreenDC()->font = lf;
    benchmark::DoNotOptimize(TextOutLen(HDC_SCREEN, 10, 10, kLine, kChars));
  };
  auto onScreen = [&] { benchmark::DoNotOptimize(TextOutLen(HDC_SCREEN, 10, 10, kLine, kChars)); };
  auto useHostScreen = [&] {
    InitGDI(GAL_GetVideoSurface());
    gui::dc::ScreenDC()->font = lf;
  };
  useHostScreen();
  onScreen();  // warms the caches
  std::vector<benchtime::Timing> t(3);
  for (int round = 0; round < 5; ++round) {
    t[0].Add(benchtime::NsPerOp(freeType));
    useHostScreen();
    t[1].Add(benchtime::NsPerOp(onScreen));
    onMemory();
    t[2].Add(benchtime::NsPerOp([&] { TextOutLen(HDC_SCREEN, 10, 10, kLine, kChars); }));
  }
  useHostScreen();
  for (auto _ : state) onScreen();
  state.SetItemsProcessed(state.iterations() * kChars);
  state.counters["screen_ns/line"] = t[1].Median();
  state.counters["memory_ns/line"] = t[2].Median();
  state.counters["freetype_ns/line"] = t[0].Median();
  benchtime::ReportGoal(state, "budget_5x_freetype", t[0].Median() / t[1].Median() / 5.0, 1.0);
  benchtime::ReportSpread(state, t);
  InitGDI(screen().surface);
  gui::dc::ScreenDC()->font = lf;
  GAL_VideoQuit();
}

// FreeType's baselines draw their glyphs into a buffer of their own at the
// same place, so both sides write the same pixels: each character's cell
// background (the DC draws text over an opaque background by default), then
// its ink.
void BM_LineCachedAndUncachedVsFreeType(benchmark::State& state) {
  benchfonts::FreeTypeFace face;
  benchfonts::FreeTypeCache cache;
  LogFont* lf = screen().trueType;
  if (!screen().ready || !lf || !face.ok() || !cache.ok()) {
    state.SkipWithError("screen, font or FreeType not ready");
    return;
  }
  std::vector<uint32_t> buffer(static_cast<size_t>(640) * 480);
  const int baseline = 10 + benchfonts::kPixels * 4 / 5;
  auto ftCached = [&] {
    int x = 10;
    for (int i = 0; i < kChars; ++i) {
      FTC_SBit g = cache.Glyph(static_cast<unsigned char>(kLine[i]));
      if (!g) continue;
      benchfonts::FillCell(buffer.data(), 640, x, 10, g->xadvance, benchfonts::kPixels, 0);
      benchfonts::PutMono(buffer.data(), 640, x + g->left, baseline - g->top, g->buffer, g->width, g->height, g->pitch,
                          0xFFFFFF);
      x += g->xadvance;
    }
    benchmark::ClobberMemory();
  };
  auto ftUncached = [&] {
    int x = 10;
    for (int i = 0; i < kChars; ++i) {
      face.Render(static_cast<unsigned char>(kLine[i]));
      const FT_GlyphSlot g = face.Slot();
      benchfonts::FillCell(buffer.data(), 640, x, 10, static_cast<int>(g->advance.x >> 6), benchfonts::kPixels, 0);
      benchfonts::PutMono(buffer.data(), 640, x + g->bitmap_left, baseline - g->bitmap_top, g->bitmap.buffer,
                          static_cast<int>(g->bitmap.width), static_cast<int>(g->bitmap.rows), g->bitmap.pitch,
                          0xFFFFFF);
      x += static_cast<int>(g->advance.x >> 6);
    }
    benchmark::ClobberMemory();
  };
  InitGDI(screen().surface);
  gui::dc::ScreenDC()->font = lf;
  auto cached = [&] { benchmark::DoNotOptimize(TextOutLen(HDC_SCREEN, 10, 10, kLine, kChars)); };
  auto uncached = [&] {
    ResetCharWidthCaches();
    benchmark::DoNotOptimize(TextOutLen(HDC_SCREEN, 10, 10, kLine, kChars));
  };
  cached();
  ftCached();  // both warmed alike
  std::vector<benchtime::Timing> t;
  for (auto _ : state) t = benchtime::Interleaved(5, cached, ftCached, uncached, ftUncached);
  state.counters["cached_ns"] = t[0].Median();
  state.counters["ftcache_ns"] = t[1].Median();
  state.counters["uncached_ns"] = t[2].Median();
  state.counters["freetype_ns"] = t[3].Median();
  benchtime::ReportGoal(state, "cached_vs_ftcache", 1.5 * t[1].Median() / t[0].Median(), 1.0);
  benchtime::ReportGoal(state, "uncached_vs_freetype", 1.5 * t[3].Median() / t[2].Median(), 1.0);
  benchtime::ReportSpread(state, t);
  cached();  // the caches warm again for the benchmarks after this one
}

BENCHMARK(BM_FreeTypeUncachedLine);
BENCHMARK(BM_LineCachedAndUncachedVsFreeType)->Iterations(1);
BENCHMARK(BM_TextOutLenTrueType);
BENCHMARK(BM_TextOutLenRawBitmap);
BENCHMARK(BM_DrawTextWrappedParagraph);
BENCHMARK(BM_CachedTrueTypeLineOnScreenVsUncachedFreeType);

}  // namespace

BENCHMARK_MAIN();
