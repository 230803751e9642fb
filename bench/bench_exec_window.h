// Time from exec of a program to the moment its window appears on the X
// server, and a minimal SDL2 program to compare with (minimal_sdl_window,
// built beside the benchmarks): a window of the same size that appears with
// its one and only present.
#pragma once

#include <SDL.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

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

// The toolkit names an empty X compose table for its window system's start
// (it never composes text through X); the SDL baselines are given the same,
// so that both sides skip that work. Call before any thread starts.
inline void SkipComposeTableLikeTheToolkit() { setenv("XCOMPOSEFILE", "/dev/null", 0); }

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

// Nanoseconds from exec of `args` (a path and its arguments) to the map of
// a window straight under the root, or 0 when none appears within 20 s.
// The program is then asked to quit (SIGTERM; SIGKILL after two seconds).
inline double ExecToMappedNs(const std::vector<std::string>& args) {
  Display* x = WatchingDisplay();
  if (!x) return 0;
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
  double ns = 0;
  while (child > 0 && ns == 0 && Clock::now() - start < std::chrono::seconds(20)) {
    if (!XPending(x)) {
      pollfd fd{ConnectionNumber(x), POLLIN, 0};
      poll(&fd, 1, 50);
      continue;
    }
    XEvent e;
    XNextEvent(x, &e);
    if (e.type == MapNotify && e.xmap.event == root)
      ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
  }
  if (child > 0) {
    kill(child, SIGTERM);
    for (int i = 0; i < 200 && waitpid(child, nullptr, WNOHANG) == 0; ++i) usleep(10000);
    if (waitpid(child, nullptr, WNOHANG) == 0) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
  }
  return ns;
}

}  // namespace benchexec
