// Solid fills and same-format copies of the graphics layer at 16, 24 and 32
// bits per pixel, full screen, a 256 x 256 tile and small rectangles. Each benchmark also measures,
// on the same pixels in the same run, memset/memcpy of the same bytes and
// SDL2's SDL_FillRect/SDL_BlitSurface (SDL's fill writes with streaming
// stores, which bypass the cache even for small rectangles). Counters:
//   MPix/s        megapixels per second of the graphics layer
//   goal_memset   (or goal_memcpy) baseline time / layer time; goal >= 0.8
//   goal_sdl      SDL2 time / layer time; goal >= 1 (ahead of SDL2)
//   spread        the range of the rounds over their median
// Every figure is the median of the rounds.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "bench/bench_timing.h"
#include "gui/app_hooks.h"
#include "gui/gal.h"

namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;
constexpr int kSmallAt = 64;
// Many short rounds rather than a few long ones: each variant then sees
// the same share of whatever else the machine is doing.
constexpr int kRounds = 11;
constexpr double kRoundNs = 5e6;
// Every shape and depth within this share of memset's or memcpy's speed.
constexpr double kMemoryGoal = 0.8;

// Both surfaces' pixels in one block, placed on purpose: the destination
// starts 2112 bytes (33 cache lines) past a 4 KiB boundary relative to the
// source, so loads of one row never alias stores of the other in the low
// 12 address bits (4 KiB aliasing would slow every variant alike, but by
// chance rather than by design).
struct Pixels {
  static constexpr size_t kBytes = size_t{kScreenW} * kScreenH * 4;
  static constexpr size_t kDstOffset = kBytes + 2112;
  std::unique_ptr<uint8_t, decltype(&std::free)> block{
      static_cast<uint8_t*>(std::aligned_alloc(4096, (kDstOffset + kBytes + 4095) / 4096 * 4096)), std::free};
  uint8_t* src() const { return block.get(); }
  uint8_t* dst() const { return block.get() + kDstOffset; }
};

struct Pair {
  GalSurface* gal;
  SDL_Surface* sdl;
};

Pair makeSurface(uint8_t* pixels, int bpp) {
  const uint32_t r = bpp == 16 ? 0xF800 : 0xFF0000, g = bpp == 16 ? 0x07E0 : 0xFF00,
                 b = bpp == 16 ? 0x001F : 0xFF;
  const int pitch = kScreenW * bpp / 8;
  GalSurface* s = GAL_CreateRGBSurfaceFrom(pixels, kScreenW, kScreenH, bpp, pitch, r, g, b, 0);
  SDL_Surface* view = SDL_CreateRGBSurfaceFrom(pixels, kScreenW, kScreenH, bpp, pitch, r, g, b, 0);
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

template <typename Op>
void runLoop(benchmark::State& state, Op op) {
  for (auto _ : state) {
    op();
    benchmark::ClobberMemory();
  }
}

// t: layer, baseline, SDL.
void report(benchmark::State& state, const GalRect& r, const std::vector<benchtime::Timing>& t,
            const char* baselineName) {
  double pixels = static_cast<double>(r.w) * r.h;
  state.counters["MPix/s"] = pixels / t[0].Median() * 1e3;
  state.counters["sdl_MPix/s"] = pixels / t[2].Median() * 1e3;
  benchtime::ReportGoal(state, baselineName, t[1].Median() / t[0].Median(), kMemoryGoal);
  benchtime::ReportGoal(state, "sdl", t[2].Median() / t[0].Median(), 1.0);
  benchtime::ReportSpread(state, t);
}

void BM_Fill(benchmark::State& state) {
  int bpp = static_cast<int>(state.range(0));
  GalRect r = areaFor(static_cast<int>(state.range(1)));
  Pixels block;
  Pair s = makeSurface(block.dst(), bpp);
  const size_t bytesPerPixel = static_cast<size_t>(bpp / 8);
  GalPixel color = bpp == 16 ? 0x1234 : 0x123456;
  int main = getMainOutputHook();
  auto layer = [&] {
    GAL_FillRect(s.gal, &r, color, main);
    benchmark::ClobberMemory();
  };
  // The loop a plain C caller would write: the row pointer and its bytes in
  // registers, one memset a row.
  const size_t pitch = static_cast<size_t>(s.gal->pitch);
  uint8_t* const first = s.gal->pixels + static_cast<size_t>(r.y) * pitch + static_cast<size_t>(r.x) * bytesPerPixel;
  const size_t rowBytes = static_cast<size_t>(r.w) * bytesPerPixel;
  auto baseline = [&] {
    uint8_t* row = first;
    for (int y = 0; y < r.h; ++y, row += pitch) std::memset(row, 0x12, rowBytes);
    benchmark::ClobberMemory();
  };
  SDL_Rect sr{r.x, r.y, r.w, r.h};
  auto sdl = [&] {
    SDL_FillRect(s.sdl, &sr, color);
    benchmark::ClobberMemory();
  };
  auto t = benchtime::InterleavedFor(kRounds, kRoundNs, layer, baseline, sdl);
  runLoop(state, layer);
  report(state, r, t, "memset");
  freeSurface(s);
}

void BM_Copy(benchmark::State& state) {
  int bpp = static_cast<int>(state.range(0));
  GalRect r = areaFor(static_cast<int>(state.range(1)));
  Pixels block;
  Pair src = makeSurface(block.src(), bpp), dst = makeSurface(block.dst(), bpp);
  std::memset(src.gal->pixels, 0x5A, static_cast<size_t>(src.gal->pitch) * kScreenH);
  const size_t bytesPerPixel = static_cast<size_t>(bpp / 8);
  auto layer = [&] {
    GalRect from = r, to = r;
    GAL_BlitSurface(src.gal, &from, dst.gal, &to);
    benchmark::ClobberMemory();
  };
  // As for fills: row pointers in registers, one memcpy a row.
  const size_t pitch = static_cast<size_t>(src.gal->pitch);
  const size_t offset = static_cast<size_t>(r.y) * pitch + static_cast<size_t>(r.x) * bytesPerPixel;
  const uint8_t* const from = src.gal->pixels + offset;
  uint8_t* const to = dst.gal->pixels + offset;
  const size_t rowBytes = static_cast<size_t>(r.w) * bytesPerPixel;
  auto baseline = [&] {
    const uint8_t* s = from;
    uint8_t* d = to;
    for (int y = 0; y < r.h; ++y, s += pitch, d += pitch) std::memcpy(d, s, rowBytes);
    benchmark::ClobberMemory();
  };
  auto sdl = [&] {
    SDL_Rect from{r.x, r.y, r.w, r.h}, to{r.x, r.y, r.w, r.h};
    SDL_BlitSurface(src.sdl, &from, dst.sdl, &to);
    benchmark::ClobberMemory();
  };
  auto t = benchtime::InterleavedFor(kRounds, kRoundNs, layer, baseline, sdl);
  runLoop(state, layer);
  report(state, r, t, "memcpy");
  freeSurface(src);
  freeSurface(dst);
}

// Sizes: 0 = full screen (1024 x 768), else a square of that side.
void Shapes(benchmark::internal::Benchmark* b) {
  for (int bpp : {16, 24, 32})
    for (int side : {0, 256, 32, 8}) b->Args({bpp, side});
  b->ArgNames({"bpp", "side"});
}

BENCHMARK(BM_Fill)->Apply(Shapes);
BENCHMARK(BM_Copy)->Apply(Shapes);

}  // namespace

BENCHMARK_MAIN();
