// Blits with surface alpha, per-pixel alpha, colour key and run-length
// acceleration, full screen and 32 x 32, each beside SDL2's SDL_BlitSurface
// doing the same work on the same pixels and memcpy of the destination's
// bytes, in the same run. Counters:
//   MPix/s       megapixels per second of the graphics layer
//   vs_memcpy    memcpy time / layer time
//   vs_sdl       SDL2 time / layer time; goal >= 1
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "bench/bench_timing.h"
#include "gui/gal.h"

namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;

struct Format {
  int bpp;
  uint32_t r, g, b, a;
};
constexpr Format kXRGB{32, 0xFF0000, 0xFF00, 0xFF, 0};
constexpr Format kARGB{32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};
constexpr Format k565{16, 0xF800, 0x07E0, 0x001F, 0};

enum Mode { kSurfaceAlpha, kPixelAlpha, kKey, kRleKey };

// A layer surface and an SDL surface with their own copies of one picture:
// run-length encoding gives up the layer's pixel buffer, so the two never
// share it.
struct Pair {
  GalSurface* gal;
  SDL_Surface* sdl;
  Pair(const Format& f, int w, int h, uint32_t seed, bool keyed) {
    gal = GAL_CreateRGBSurface(0, w, h, f.bpp, f.r, f.g, f.b, f.a);
    sdl = SDL_CreateRGBSurface(0, w, h, f.bpp, f.r, f.g, f.b, f.a);
    std::mt19937 rng(seed);
    int bytes = f.bpp / 8;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        // Keyed pictures: runs of 16 transparent then 16 drawn pixels.
        uint32_t v = keyed && (x / 16) % 2 ? 0 : (rng() | (keyed ? 1 : 0));
        std::memcpy(gal->pixels + y * gal->pitch + x * bytes, &v, bytes);
        std::memcpy(static_cast<uint8_t*>(sdl->pixels) + y * sdl->pitch + x * bytes, &v, bytes);
      }
  }
  ~Pair() {
    SDL_FreeSurface(sdl);
    GAL_FreeSurface(gal);
  }
};

void BM_Blit(benchmark::State& state) {
  const Mode mode = static_cast<Mode>(state.range(0));
  const Format& dstFormat = state.range(1) == 16 ? k565 : kXRGB;
  const int side = static_cast<int>(state.range(2));
  const int w = side ? side : kScreenW, h = side ? side : kScreenH;
  const Format& srcFormat = mode == kPixelAlpha ? kARGB : (mode == kSurfaceAlpha ? dstFormat : dstFormat);
  const bool keyed = mode == kKey || mode == kRleKey;
  Pair src(srcFormat, w, h, 1, keyed), dst(dstFormat, kScreenW, kScreenH, 2, false);
  switch (mode) {
    case kSurfaceAlpha:
      GAL_SetAlpha(src.gal, GAL_SRCALPHA, 100);
      SDL_SetSurfaceBlendMode(src.sdl, SDL_BLENDMODE_BLEND);
      SDL_SetSurfaceAlphaMod(src.sdl, 100);
      break;
    case kPixelAlpha:
      SDL_SetSurfaceBlendMode(src.sdl, SDL_BLENDMODE_BLEND);
      break;
    case kKey:
    case kRleKey:
      GAL_SetColorKey(src.gal, GAL_SRCCOLORKEY | (mode == kRleKey ? GAL_RLEACCEL : 0), 0);
      SDL_SetColorKey(src.sdl, SDL_TRUE, 0);
      SDL_SetSurfaceRLE(src.sdl, mode == kRleKey);
      break;
  }
  const int bytes = dstFormat.bpp / 8;
  auto layer = [&] {
    GalRect from{0, 0, w, h}, to{0, 0, 0, 0};
    GAL_BlitSurface(src.gal, &from, dst.gal, &to);
    benchmark::ClobberMemory();
  };
  static uint8_t* scratch = nullptr;
  scratch = static_cast<uint8_t*>(std::realloc(scratch, static_cast<size_t>(dst.gal->pitch) * h));
  auto baseline = [&] {
    for (int y = 0; y < h; ++y)
      std::memcpy(dst.gal->pixels + y * dst.gal->pitch, scratch + y * dst.gal->pitch,
                  static_cast<size_t>(w) * bytes);
    benchmark::ClobberMemory();
  };
  auto sdl = [&] {
    SDL_Rect from{0, 0, w, h}, to{0, 0, w, h};
    SDL_BlitSurface(src.sdl, &from, dst.sdl, &to);
    benchmark::ClobberMemory();
  };
  // Layer, memcpy and SDL2 measured in turn; above 1 the layer is faster.
  const auto t = benchtime::Interleaved(3, layer, baseline, sdl);
  for (auto _ : state) layer();
  const double pixels = static_cast<double>(w) * h;
  state.counters["MPix/s"] = pixels / t[0].Median() * 1e3;
  state.counters["sdl_MPix/s"] = pixels / t[2].Median() * 1e3;
  state.counters["vs_memcpy"] = t[1].Median() / t[0].Median();
  benchtime::ReportGoal(state, "vs_sdl", t[2].Median() / t[0].Median(), 1.0);
  benchtime::ReportSpread(state, t);
}

void Cases(benchmark::internal::Benchmark* b) {
  for (int mode : {kSurfaceAlpha, kPixelAlpha, kKey, kRleKey})
    for (int bpp : {32, 16})
      for (int side : {0, 32}) b->Args({mode, bpp, side});
  b->ArgNames({"mode", "dst_bpp", "side"});
}

BENCHMARK(BM_Blit)->Apply(Cases);

}  // namespace

BENCHMARK_MAIN();
