// Time from exec of a program to its window's first complete frame on the
// X server, and a minimal SDL2 program to compare with (minimal_sdl_window,
// built beside the benchmarks): a window of the same size that appears with
// its one and only present.
#pragma once

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <poll.h>
#include <signal.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
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

// Reads windows back through one shared-memory segment of the screen's
// size, made and read once before the first timed start, so that no
// reading pays for making it. A reading through the connection would take
// milliseconds to come back, and one stamped when asked for would credit a
// frame that the server completes only while the request waits behind it.
class Reader {
 public:
  explicit Reader(Display* x) : x_(x) {
    if (!x || !XShmQueryExtension(x)) return;
    const int screen = DefaultScreen(x);
    visual_ = DefaultVisual(x, screen);
    depth_ = static_cast<unsigned>(DefaultDepth(x, screen));
    const unsigned w = static_cast<unsigned>(DisplayWidth(x, screen)), h = static_cast<unsigned>(DisplayHeight(x, screen));
    XImage* probe = XShmCreateImage(x, visual_, depth_, ZPixmap, nullptr, &segment_, w, h);
    if (!probe) return;
    const size_t bytes = static_cast<size_t>(probe->bytes_per_line) * h;
    XDestroyImage(probe);
    segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment_.shmid < 0) return;
    segment_.shmaddr = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
    segment_.readOnly = False;
    const bool attached = segment_.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(x, &segment_);
    XSync(x, False);
    shmctl(segment_.shmid, IPC_RMID, nullptr);  // gone once both sides detach
    if (!attached) return;
    size_ = bytes;
    // Both sides' pages of the segment are made now, not in a timed reading.
    std::vector<uint32_t> ignored;
    Read(DefaultRootWindow(x), static_cast<int>(w), static_cast<int>(h), &ignored);
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  // Every fourth pixel of every fourth row of the top-left `width` x
  // `height` of a window as the server shows it; false when it cannot be
  // read (the pixels are then left empty).
  bool Read(Window w, int width, int height, std::vector<uint32_t>* out) {
    out->clear();
    if (width <= 0 || height <= 0) return false;
    XImage* image = nullptr;
    bool shared = false;
    if (size_ > 0) {
      image = XShmCreateImage(x_, visual_, depth_, ZPixmap, segment_.shmaddr, &segment_, static_cast<unsigned>(width),
                              static_cast<unsigned>(height));
      shared = image && static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height) <= size_ &&
               XShmGetImage(x_, w, image, 0, 0, AllPlanes);
      if (image && !shared) {
        image->data = nullptr;
        XDestroyImage(image);
        image = nullptr;
      }
    }
    if (!image)
      image = XGetImage(x_, w, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return false;
    for (int y = 0; y < image->height; y += 4)
      for (int xx = 0; xx < image->width; xx += 4) out->push_back(static_cast<uint32_t>(XGetPixel(image, xx, y)));
    if (shared) image->data = nullptr;  // the segment's memory is not the image's
    XDestroyImage(image);
    return true;
  }

 private:
  Display* x_;
  Visual* visual_ = nullptr;
  unsigned depth_ = 0;
  XShmSegmentInfo segment_{};
  size_t size_ = 0;
};

inline Reader& WatchingReader() {
  static Reader reader(WatchingDisplay());
  return reader;
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
  if (!x) return {};
  Reader& reader = WatchingReader();
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
    Reading r;
    reader.Read(shown, at.width, at.height, &r.pixels);
    r.ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    readings.push_back(std::move(r));
  }
  FirstFrame out;
  if (shown) {
    std::vector<uint32_t> a, b;
    usleep(700000);
    reader.Read(shown, at.width, at.height, &a);
    usleep(300000);
    reader.Read(shown, at.width, at.height, &b);
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
