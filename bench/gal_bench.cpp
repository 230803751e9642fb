// Solid fills and same-format copies of the graphics layer at 16 and 32 bits
// per pixel, full screen and small rectangles. Each benchmark also measures,
// on the same surfaces in the same run, memset/memcpy of the same bytes and
// SDL2's SDL_FillRect/SDL_BlitSurface, and reports:
//   MPix/s        megapixels per second of the graphics layer
//   vs_memset     (or vs_memcpy) baseline time / layer time; goal >= 0.7
//   vs_sdl        SDL2 time / layer time; goal >= 1
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "bench/bench_timing.h"
#include "gui/app_hooks.h"
#include "gui/gal.h"

namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;
constexpr int kSmallAt = 64;

struct Pair {
  GalSurface* gal;
  SDL_Surface* sdl;
};

Pair makeSurface(int bpp) {
  uint32_t r = bpp == 16 ? 0xF800 : 0xFF0000, g = bpp == 16 ? 0x07E0 : 0xFF00,
           b = bpp == 16 ? 0x001F : 0xFF;
  GalSurface* s = GAL_CreateRGBSurface(0, kScreenW, kScreenH, bpp, r, g, b, 0);
  SDL_Surface* view = SDL_CreateRGBSurfaceFrom(s->pixels, kScreenW, kScreenH, bpp, s->pitch, r, g, b, 0);
  SDL_SetSurfaceBlendMode(view, SDL_BLENDMODE_NONE);
  return Pair{s, view};
}

void freeSurface(Pair p) {
  SDL_FreeSurface(p.sdl);
  GAL_FreeSurface(p.gal);
}

GalRect areaFor(int side) {
  if (side == 0) return GalRect{0, 0, kScreenW, kScreenH};
  return GalRect{kSmallAt, kSmallAt, side, side};
}

using bench::Timings;

template <typename Layer, typename Baseline, typename Sdl>
Timings measure(Layer layer, Baseline baseline, Sdl sdl) {
  return bench::Measure(layer, baseline, sdl);
}

template <typename Op>
void runLoop(benchmark::State& state, Op op) {
  for (auto _ : state) {
    op();
    benchmark::ClobberMemory();
  }
}

void report(benchmark::State& state, const GalRect& r, const Timings& t, const char* baselineName) {
  double layerNs = t.layer, baselineNs = t.baseline, sdlNs = t.sdl;
  double pixels = static_cast<double>(r.w) * r.h;
  state.counters["MPix/s"] = pixels / layerNs * 1e3;
  state.counters[baselineName] = baselineNs / layerNs;
  state.counters["vs_sdl"] = sdlNs / layerNs;
  state.counters["sdl_MPix/s"] = pixels / sdlNs * 1e3;
}

void BM_Fill(benchmark::State& state) {
  int bpp = static_cast<int>(state.range(0));
  GalRect r = areaFor(static_cast<int>(state.range(1)));
  Pair s = makeSurface(bpp);
  int bytesPerPixel = bpp / 8;
  GalPixel color = bpp == 16 ? 0x1234 : 0x123456;
  int main = getMainOutputHook();
  auto layer = [&] {
    GAL_FillRect(s.gal, &r, color, main);
    benchmark::ClobberMemory();
  };
  auto baseline = [&] {
    for (int y = 0; y < r.h; ++y)
      std::memset(s.gal->pixels + (r.y + y) * s.gal->pitch + r.x * bytesPerPixel, 0x12,
                  static_cast<size_t>(r.w) * bytesPerPixel);
    benchmark::ClobberMemory();
  };
  SDL_Rect sr{r.x, r.y, r.w, r.h};
  auto sdl = [&] {
    SDL_FillRect(s.sdl, &sr, color);
    benchmark::ClobberMemory();
  };
  Timings t = measure(layer, baseline, sdl);
  runLoop(state, layer);
  report(state, r, t, "vs_memset");
  freeSurface(s);
}

void BM_Copy(benchmark::State& state) {
  int bpp = static_cast<int>(state.range(0));
  GalRect r = areaFor(static_cast<int>(state.range(1)));
  Pair src = makeSurface(bpp), dst = makeSurface(bpp);
  std::memset(src.gal->pixels, 0x5A, static_cast<size_t>(src.gal->pitch) * kScreenH);
  int bytesPerPixel = bpp / 8;
  auto layer = [&] {
    GalRect from = r, to = r;
    GAL_BlitSurface(src.gal, &from, dst.gal, &to);
  };
  auto baseline = [&] {
    size_t offset = static_cast<size_t>(r.y) * src.gal->pitch + static_cast<size_t>(r.x) * bytesPerPixel;
    for (int y = 0; y < r.h; ++y)
      std::memcpy(dst.gal->pixels + offset + y * dst.gal->pitch,
                  src.gal->pixels + offset + y * src.gal->pitch,
                  static_cast<size_t>(r.w) * bytesPerPixel);
    benchmark::ClobberMemory();
  };
  auto sdl = [&] {
    SDL_Rect from{r.x, r.y, r.w, r.h}, to{r.x, r.y, r.w, r.h};
    SDL_BlitSurface(src.sdl, &from, dst.sdl, &to);
    benchmark::ClobberMemory();
  };
  Timings t = measure(layer, baseline, sdl);
  runLoop(state, layer);
  report(state, r, t, "vs_memcpy");
  freeSurface(src);
  freeSurface(dst);
}

// Sizes: 0 = full screen (1024 x 768), else a square of that side.
void Shapes(benchmark::internal::Benchmark* b) {
  for (int bpp : {16, 32})
    for (int side : {0, 32, 8}) b->Args({bpp, side});
  b->ArgNames({"bpp", "side"});
}

BENCHMARK(BM_Fill)->Apply(Shapes);
BENCHMARK(BM_Copy)->Apply(Shapes);

}  // namespace

BENCHMARK_MAIN();
