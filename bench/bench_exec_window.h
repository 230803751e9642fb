// Time from exec of a program to its window's first complete frame on the
// X server, and a minimal SDL2 program to compare with (minimal_sdl_window,
// built beside the benchmarks): a window of the same size that appears with
// its one and only present.
#pragma once

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_window_reader.h"

namespace benchexec {

inline std::string OwnPath() {
  char path[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

// The baseline program: a hidden window, filled once, shown with its first
// present, then idle until a signal ends it (SDL turns SIGTERM into a quit).
inline int RunMinimalSdlWindow() {
  // The window surface in plain memory, as the toolkit's host makes it.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window = SDL_CreateWindow("minimal", 0, 0, 1024, 768, SDL_WINDOW_HIDDEN);
  SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!surface) return 1;
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x20, 0x30, 0x40));
  SDL_ShowWindow(window);
  SDL_UpdateWindowSurface(window);
  SDL_Event e;
  while (SDL_WaitEvent(&e) && e.type != SDL_QUIT) {
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}

// The toolkit names an empty X compose table and an unanswered session bus
// for its window system's start (it composes no text through X and asks
// nothing of a desktop bus); the SDL baselines are given the same, so that
// both sides skip that work. Call before any thread starts.
inline void SkipDesktopServicesLikeTheToolkit() {
  setenv("XCOMPOSEFILE", "/dev/null", 0);
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}

// A program built beside the running benchmark.
inline std::string BesideMe(const char* name) {
  const std::string self = OwnPath();
  return self.substr(0, self.rfind('/') + 1) + name;
}

// The watching connection to the X server, opened once and kept: a server
// started by xvfb-run resets whenever its last client leaves and refuses
// connections while it does, which a connection per run (or a program run
// in-process before) would run into. A few tries cover a reset under way.
inline Display* WatchingDisplay() {
  static Display* const display = [] {
    for (int attempt = 0; attempt < 50; ++attempt) {
      if (Display* x = XOpenDisplay(nullptr)) {
        XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
        return x;
      }
      usleep(20000);
    }
    return static_cast<Display*>(nullptr);
  }();
  return display;
}

// Reads back the windows the watching connection sees.
inline benchx::WindowReader& WatchingReader() {
  static benchx::WindowReader reader(WatchingDisplay());
  return reader;
}

// Every fourth pixel of every fourth row of the top-left `width` x
// `height` of a window as the server shows it; empty when it cannot be read.
inline std::vector<uint32_t> SampleWindow(Window w, int width, int height) {
  std::vector<uint32_t> out;
  WatchingReader().Read(w, 0, 0, width, height, [&](XImage& image) {
    for (int y = 0; y < image.height; y += 4)
      for (int x = 0; x < image.width; x += 4) out.push_back(static_cast<uint32_t>(XGetPixel(&image, x, y)));
  });
  return out;
}

// What a start showed: nanoseconds from exec to the window's first
// complete frame (0 when no window appeared within 20 s), and whether the
// first picture read after the window's map was already that frame (not
// black, not partly drawn).
struct FirstFrame {
  double ns = 0;
  bool firstWhole = false;
};

// From exec of `args` (a path and its arguments) to its window showing its
// first complete frame. From the map of a window straight under the root,
// the window is read back for half a second; once it has settled, two
// readings 300 ms apart tell which pixels hold still (a live picture
// moves), and the first reading that agrees with the settled one on all of
// those is the complete frame. The program is then asked to quit (SIGTERM;
// SIGKILL after two seconds).
inline FirstFrame ExecToFirstFrame(const std::vector<std::string>& args) {
  Display* x = WatchingDisplay();
  if (!x || !WatchingReader().ok()) return {};
  const Window root = DefaultRootWindow(x);
  // Events of earlier runs are dropped.
  XSync(x, True);
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  Window shown = 0;
  while (child > 0 && !shown && Clock::now() - start < std::chrono::seconds(20)) {
    if (!XPending(x)) {
      pollfd fd{ConnectionNumber(x), POLLIN, 0};
      poll(&fd, 1, 50);
      continue;
    }
    XEvent e;
    XNextEvent(x, &e);
    if (e.type == MapNotify && e.xmap.event == root) shown = e.xmap.window;
  }
  struct Reading {
    double ns;
    std::vector<uint32_t> pixels;
  };
  std::vector<Reading> readings;
  XWindowAttributes at{};
  if (shown && !XGetWindowAttributes(x, shown, &at)) shown = 0;
  const auto mapped = Clock::now();
  // Each reading is stamped once the server has answered it: the pixels
  // were taken before then, perhaps after frames the program sent meanwhile.
  while (shown && Clock::now() - mapped < std::chrono::milliseconds(500)) {
    std::vector<uint32_t> pixels = SampleWindow(shown, at.width, at.height);
    readings.push_back({std::chrono::duration<double, std::nano>(Clock::now() - start).count(), std::move(pixels)});
  }
  FirstFrame out;
  if (shown) {
    usleep(700000);
    const std::vector<uint32_t> a = SampleWindow(shown, at.width, at.height);
    usleep(300000);
    const std::vector<uint32_t> b = SampleWindow(shown, at.width, at.height);
    for (size_t k = 0; k < readings.size(); ++k) {
      const Reading& r = readings[k];
      if (r.pixels.size() != b.size() || a.size() != b.size()) continue;
      bool same = true;
      for (size_t i = 0; i < b.size() && same; ++i) same = a[i] != b[i] || r.pixels[i] == b[i];
      if (same) {
        out.ns = r.ns;
        out.firstWhole = k == 0;
        break;
      }
    }
  }
  if (child > 0) {
    kill(child, SIGTERM);
    for (int i = 0; i < 200 && waitpid(child, nullptr, WNOHANG) == 0; ++i) usleep(10000);
    if (waitpid(child, nullptr, WNOHANG) == 0) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
  }
  return out;
}

}  // namespace benchexec
