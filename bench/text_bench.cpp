// Text output through a DC: TextOutLen of a 40-character line with the
// width caches warm, in TrueType and raw bitmap fonts, beside FreeType
// rendering the same glyphs itself with nothing cached (the baseline), and
// DrawTextEx2 of a word-wrapped paragraph. The cached TrueType line is also
// drawn on the host window's screen, each line with its screen update, and
// compared with the baseline in the same run: goal 5 times as fast.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_fonts.h"
#include "bench/bench_timing.h"
#include "gdi/dc/dc_record.h"
#include "gui/dc.h"
#include "gui/gal.h"
#include "gui/text.h"

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
  state.counters["screen_ns/line"] = t[1].best;
  state.counters["memory_ns/line"] = t[2].best;
  state.counters["freetype_ns/line"] = t[0].best;
  benchtime::ReportGoal(state, "5x_freetype", t[0].best / t[1].best / 5.0, 1.0);
  benchtime::ReportSpread(state, t);
  InitGDI(screen().surface);
  gui::dc::ScreenDC()->font = lf;
  GAL_VideoQuit();
}

BENCHMARK(BM_FreeTypeUncachedLine);
BENCHMARK(BM_TextOutLenTrueType);
BENCHMARK(BM_TextOutLenRawBitmap);
BENCHMARK(BM_DrawTextWrappedParagraph);
BENCHMARK(BM_CachedTrueTypeLineOnScreenVsUncachedFreeType);

}  // namespace

BENCHMARK_MAIN();
