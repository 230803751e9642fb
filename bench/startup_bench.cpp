// Start-up of the video layer to its first frame on the host window (the
// host thread, SDL's video, the window, the frame buffer filled and its
// first present, which shows the window), beside SDL starting its video,
// creating a shown window of the same size and presenting one filled frame
// in it, measured in turn in the same run. Meant to run under an X server
// (`make bench` starts a virtual one when there is no display). Goal: the
// toolkit within 1.5 times SDL's own time, reported as
//   goal_startup = 1.5 x SDL time / toolkit time (1 or more meets it).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/bench_exec_window.h"
#include "bench/bench_timing.h"
#include "core/driver/host_thread.h"
#include "gui/app_hooks.h"
#include "gui/gal.h"
#include "gui/host.h"

namespace {

// The window shows with its first complete frame, as the baseline's does:
// its first frame is drawn, then the start gate lets the present show it.
void toolkitFirstFrame() {
  if (InitGAL() != 0) return;
  GalSurface* screen = GAL_GetVideoSurface();
  GalRect all{0, 0, screen->w, screen->h};
  GAL_FillRect(screen, &all, GAL_MapRGB(screen->format, 0x20, 0x30, 0x40), getMainOutputHook());
  GAL_UpdateRects(screen, 1, &all);
  host::OpenStartGate();
  HostFlush();
  GAL_VideoQuit();
}

// With the hints the toolkit's host sets: a window surface in plain memory,
// not an accelerated one (SDL_Quit clears hints, so each round sets them).
void sdlWindowAlone() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
  SDL_Window* window = SDL_CreateWindow("bench", 0, 0, 1024, 768, SDL_WINDOW_SHOWN);
  if (SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr) {
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x20, 0x30, 0x40));
    SDL_UpdateWindowSurface(window);
  }
  if (window) SDL_DestroyWindow(window);
  SDL_Quit();
}

void BM_StartupToFirstFrameVsSdlWindowAlone(benchmark::State& state) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    state.SkipWithError("needs an X server (make bench starts one)");
    return;
  }
  benchexec::SkipDesktopServicesLikeTheToolkit();
  auto t = benchtime::Interleaved(5, toolkitFirstFrame, sdlWindowAlone);
  for (auto _ : state) toolkitFirstFrame();
  state.counters["toolkit_ms"] = t[0].Median() / 1e6;
  state.counters["sdl_ms"] = t[1].Median() / 1e6;
  benchtime::ReportGoal(state, "startup", 1.5 * t[1].Median() / t[0].Median(), 1.0);
  benchtime::ReportSpread(state, t);
  state.SetLabel(SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "x11");
}

BENCHMARK(BM_StartupToFirstFrameVsSdlWindowAlone)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
