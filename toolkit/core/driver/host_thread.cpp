// The host window thread on SDL. Every SDL video call happens on this one
// thread; other threads hand it work through a queue and wake it. Drawing
// only marks areas dirty; the host presents them about once a frame (a
// short run at once after a quiet spell) and sleeps without polling while
// nothing happens.
#include "core/driver/host_thread.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/driver/host_keymap.h"
#include "core/driver/host_map_picture.h"
#include "core/driver/host_wait.h"
#include "core/driver/present_pacer.h"
#include "gdi/startup_report.h"
#include "core/driver/windib.h"
#include "gui/host.h"

namespace host {
namespace {

using Clock = std::chrono::steady_clock;
// The longest the start gate keeps the main window unshown.
constexpr int kMaxStartGateMs = 3000;

struct HostState {
  std::mutex lock;  // guards tasks and thread
  // A start under way: the thread runs and has not yet said whether its
  // window is open. `startLock` guards `started`.
  std::mutex startLock;
  std::future<bool> started;
  std::atomic<bool> starting{false};
  std::atomic<int> startWidth{0}, startHeight{0};
  // Why the start failed: written by the host thread before it answers
  // `started`, reported by the thread that takes the answer, so that a
  // start in the background never mixes its words with another stage's.
  std::string startProblem;
  std::deque<std::function<void()>> tasks;
  std::thread thread;
  std::atomic<bool> running{false};
  std::atomic<bool> stopping{false};
  std::atomic<uint32_t> wakeEvent{0};
  // SDL's own wait sleeps on the host's connection (x11, wayland); other
  // drivers would poll in it, so the host sleeps on `woken` instead.
  std::atomic<bool> sdlWaits{false};
  // Set when the host sleeps in `waiter` (on the x11 connection, or alone
  // without a window system) instead of either; wake() always signals it.
  HostWaiter waiter;
  std::atomic<bool> waiterWaits{false};
  int connectionFd = -1;  // host thread only
  std::mutex wakeLock;
  std::condition_variable woken;
  bool wakeSignalled = false;  // under wakeLock
  // A present was asked for and has not started yet; while it is set,
  // further asks do not wake the host.
  std::atomic<bool> presentPending{false};
  // Until when (steady clock ticks; 0 while the host is awake) the host
  // sleeps at most: a present asked for before then waits for that wake-up
  // rather than making one of its own.
  std::atomic<Clock::rep> presentRidesUntil{0};
  std::atomic<uint64_t> presentsMade{0};
  std::atomic<Clock::rep> lastPresent{0};
  // A present under way (tests wait for it to end).
  std::atomic<bool> presenting{false};
  // Drawing under way that must show whole, and since when (steady clock
  // ticks) the count has been above zero.
  std::atomic<int> presentHolds{0};
  std::atomic<int> maxHoldMs{kMaxPresentHoldMs};
  std::atomic<int> maxStartGateMs{kMaxStartGateMs};
  std::atomic<Clock::rep> heldSince{0};
  // The last hold went with a present pending: that present completes an
  // action and is not paced.
  std::atomic<bool> actionDrawn{false};
  // Closed from the start until the first window shown has been painted:
  // the main window appears with its first complete frame, not before.
  std::atomic<bool> startGate{true};
  // The first screen held beyond the first window's paint, and whether a
  // window has been painted whole since the start.
  std::atomic<bool> firstScreenHeld{false};
  std::atomic<bool> windowPainted{false};
  // What each window appeared with (tests), under its own lock.
  std::mutex shownLock;
  std::vector<uint32_t> firstShown[kSlotCount];
  PresentObserver observer;  // under shownLock
  // Held while a wake-up event is pushed and while SDL's events are shut
  // down, so no thread pushes into an event queue SDL is tearing down.
  std::mutex sdlEventLock;
  std::thread::id hostThreadId;
  // Host thread only.
  SDL_Window* windows[kSlotCount] = {nullptr, nullptr};
  PresentPacer pacer;
  // Whether SDL may have read events off the connection since they were
  // last taken (a present or a task talked to the window system): poll()
  // would not wake for those.
  bool eventsMayWait = true;
  Clock::time_point gateDeadline{};
};

HostState& state() {
  static HostState s;
  return s;
}

HostDisplay g_displays[kSlotCount];

int slotOfWindow(uint32_t windowId) {
  for (int i = 0; i < kSlotCount; ++i)
    if (state().windows[i] && SDL_GetWindowID(state().windows[i]) == windowId) return i;
  return -1;
}

LParam pointParam(int x, int y) {
  return static_cast<LParam>((static_cast<uint32_t>(y) & 0xFFFF) << 16 |
                             (static_cast<uint32_t>(x) & 0xFFFF));
}

void recordPointer(uint32_t windowId, int x, int y) {
  int slot = slotOfWindow(windowId);
  int w = 0, h = 0;
  if (slot >= 0) SDL_GetWindowSize(state().windows[slot], &w, &h);
  windib::RecordPointer(x, y, slot >= 0 && x >= 0 && y >= 0 && x < w && y < h);
}

unsigned buttonMessage(uint8_t button, bool down) {
  switch (button) {
    case SDL_BUTTON_LEFT: return down ? windib::kLeftDown : windib::kLeftUp;
    case SDL_BUTTON_RIGHT: return down ? windib::kRightDown : windib::kRightUp;
    case SDL_BUTTON_MIDDLE: return down ? windib::kMiddleDown : windib::kMiddleUp;
    default: return 0;
  }
}

void dispatchWindowEvent(const SDL_WindowEvent& e) {
  switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE: windib::WinDibWndProc(windib::kDestroy, 0, 0); break;
    case SDL_WINDOWEVENT_EXPOSED: windib::WinDibWndProc(windib::kPaint, 0, 0); break;
    default: break;
  }
}

void dispatch(const SDL_Event& e) {
  switch (e.type) {
    case SDL_WINDOWEVENT: dispatchWindowEvent(e.window); break;
    case SDL_MOUSEMOTION:
      recordPointer(e.motion.windowID, e.motion.x, e.motion.y);
      windib::WinDibWndProc(windib::kMouseMove, 0, pointParam(e.motion.x, e.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      recordPointer(e.button.windowID, e.button.x, e.button.y);
      unsigned msg = buttonMessage(e.button.button, e.type == SDL_MOUSEBUTTONDOWN);
      if (msg) windib::WinDibWndProc(msg, 0, pointParam(e.button.x, e.button.y));
      break;
    }
    case SDL_MOUSEWHEEL: {
      int delta = e.wheel.y * 120;
      if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) delta = -delta;
      if (delta) windib::WinDibWndProc(windib::kWheel, windib::WheelParam(delta), 0);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      int code = LinuxKeyFromScancode(e.key.keysym.scancode);
      if (code) windib::WinDibWndProc(e.type == SDL_KEYDOWN ? windib::kKeyDown : windib::kKeyUp, 0,
                                      windib::KeyParam(code));
      break;
    }
    default: break;
  }
}

// The pixel at (x, y) of a window surface as 0x00RRGGBB; the surface is
// locked by the caller when it must be.
uint32_t surfacePixel(const SDL_Surface* surface, int x, int y) {
  const uint8_t* p = static_cast<const uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch +
                     static_cast<size_t>(x) * surface->format->BytesPerPixel;
  uint32_t pixel = 0;
  for (int i = 0; i < surface->format->BytesPerPixel; ++i) pixel |= uint32_t{p[i]} << (8 * i);
  uint8_t r, g, b;
  SDL_GetRGB(pixel, surface->format, &r, &g, &b);
  return uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}

// Samples of the picture a window appears with, for tests that check it
// was the whole first screen.
void recordFirstShown(int slot, SDL_Surface* surface) {
  std::vector<uint32_t> samples;
  if (!SDL_MUSTLOCK(surface) || SDL_LockSurface(surface) == 0) {
    for (int y = 0; y < surface->h; y += kShownSampleStep)
      for (int x = 0; x < surface->w; x += kShownSampleStep) samples.push_back(surfacePixel(surface, x, y));
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  }
  std::lock_guard<std::mutex> guard(state().shownLock);
  state().firstShown[slot] = std::move(samples);
}

// The whole picture a window shows, for a test that watches every present.
void notePresented(int slot, SDL_Surface* surface) {
  std::lock_guard<std::mutex> guard(state().shownLock);
  if (!state().observer) return;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  std::vector<uint32_t> image(static_cast<size_t>(surface->w) * static_cast<size_t>(surface->h));
  for (int y = 0; y < surface->h; ++y)
    for (int x = 0; x < surface->w; ++x)
      image[static_cast<size_t>(y) * static_cast<size_t>(surface->w) + static_cast<size_t>(x)] =
          surfacePixel(surface, x, y);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  state().observer(slot, image, surface->w, surface->h);
}

// The window's own surface takes the picture it appeared with, for the
// presents after the first; what is marked since stays marked for them.
void takeShownPicture(int slot, SDL_Surface* surface) {
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  if (surface->format->format == SDL_PIXELFORMAT_RGB888) {
    g_displays[slot].copyWholeInto(static_cast<uint8_t*>(surface->pixels), static_cast<size_t>(surface->pitch),
                                   surface->w, surface->h);
  } else {
    std::vector<uint32_t> rgb(static_cast<size_t>(surface->w) * static_cast<size_t>(surface->h));
    g_displays[slot].copyWholeInto(reinterpret_cast<uint8_t*>(rgb.data()), static_cast<size_t>(surface->w) * 4,
                                   surface->w, surface->h);
    SDL_ConvertPixels(surface->w, surface->h, SDL_PIXELFORMAT_RGB888, rgb.data(), surface->w * 4,
                      surface->format->format, surface->pixels, surface->pitch);
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

// Rows a band of the first frame has on its way to the picture prepared
// for the map: few enough to stay in the cache.
constexpr int kMapBandRows = 16;

// The first frame sent into the picture prepared for the map, which shows
// it as the window appears; the window's own surface is made and given the
// same picture only then. False when none was prepared.
bool showPrepared(int slot, SDL_Window* win) {
  int width = 0, height = 0;
  if (!MapPicturePrepared(win, &width, &height)) return false;
  g_displays[slot].takeDirtyInBands(width, height, kMapBandRows, [](const uint32_t* rows, const GalRect& band) {
    SendMapPictureRows(rows, band.x, band.y, band.w, band.h);
  });
  MapPicture mapped(win);
  SDL_ShowWindow(win);
  if (SDL_Surface* surface = SDL_GetWindowSurface(win)) {
    takeShownPicture(slot, surface);
    recordFirstShown(slot, surface);
    notePresented(slot, surface);
  }
  return true;
}

// What presents do with a window kept unshown behind the start gate.
enum class Unshown { kSkip, kDraw };

void presentSlot(int slot, Unshown unshown = Unshown::kSkip) {
  SDL_Window* win = state().windows[slot];
  if (!win) return;
  // Behind the start gate a window stays unshown and its changes stay
  // marked (nobody sees them; they are drawn when it shows, unless a reader
  // asks for its pixels); past the gate, it shows with the whole of its
  // frame, drawn into it before it is shown.
  bool showing = false;
  if (SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN) {
    if (!state().startGate.load()) {
      g_displays[slot].markAllDirty();
      showing = true;
    } else if (unshown == Unshown::kSkip) {
      return;
    }
  }
  if (showing && showPrepared(slot, win)) return;
  SDL_Surface* surface = SDL_GetWindowSurface(win);
  if (!surface) {
    if (showing) SDL_ShowWindow(win);
    return;
  }
  SDL_Rect shown{0, 0, 0, 0};
  if (surface->format->format == SDL_PIXELFORMAT_RGB888) {
    // The window keeps the image itself: convert straight into it.
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    const GalRect r = g_displays[slot].takeDirtyInto(static_cast<uint8_t*>(surface->pixels),
                                                     static_cast<size_t>(surface->pitch), surface->w, surface->h);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    shown = SDL_Rect{r.x, r.y, r.w, r.h};
    std::unique_ptr<MapPicture> mapped;
    if (showing) {
      mapped = std::make_unique<MapPicture>(win, surface);
      SDL_ShowWindow(win);
      recordFirstShown(slot, surface);
    }
    // A window that appeared with the whole frame already shows it.
    if (shown.w > 0 && !(mapped && mapped->Whole())) SDL_UpdateWindowSurfaceRects(win, &shown, 1);
    mapped.reset();
    if (shown.w > 0 || showing) notePresented(slot, surface);
    return;
  }
  g_displays[slot].takeDirty([&](const uint32_t* image, int imageWidth, GalRect r) {
    int w = std::min(r.w, surface->w - r.x), h = std::min(r.h, surface->h - r.y);
    if (w <= 0 || h <= 0) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    uint8_t* dst = static_cast<uint8_t*>(surface->pixels) + r.y * surface->pitch +
                   r.x * surface->format->BytesPerPixel;
    SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, image + r.y * imageWidth + r.x,
                      imageWidth * 4, surface->format->format, dst, surface->pitch);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    shown = SDL_Rect{r.x, r.y, w, h};
  });
  std::unique_ptr<MapPicture> mapped;
  if (showing) {
    mapped = std::make_unique<MapPicture>(win, surface);
    SDL_ShowWindow(win);
    recordFirstShown(slot, surface);
  }
  if (shown.w > 0 && !(mapped && mapped->Whole())) SDL_UpdateWindowSurfaceRects(win, &shown, 1);
  mapped.reset();
  if (shown.w > 0 || showing) notePresented(slot, surface);
}

// The picture the window kept unshown is mapped with is made while the
// toolkit draws the first frame, rather than once that is due; where none
// can be, the window's own surface is made and its pages mapped instead.
// Its pixels are left as they are: the first present writes every one of
// them before the window shows (a page is mapped by writing back one of
// its own bytes).
void prepareUnshownSurface() {
  SDL_Window* win = state().windows[kMainSlot];
  if (!win || !(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN) || PrepareMapPicture(win)) return;
  SDL_Surface* surface = SDL_GetWindowSurface(win);
  if (!surface || (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)) return;
  constexpr size_t kPage = 4096;
  auto* pixels = static_cast<volatile uint8_t*>(surface->pixels);
  const size_t bytes = static_cast<size_t>(surface->h) * static_cast<size_t>(surface->pitch);
  for (size_t at = 0; at < bytes; at += kPage) pixels[at] = pixels[at];
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

void presentAll(Unshown unshown = Unshown::kSkip) {
  state().eventsMayWait = true;
  for (int slot = 0; slot < kSlotCount; ++slot) presentSlot(slot, unshown);
}

void runTasks() {
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard<std::mutex> guard(state().lock);
      if (state().tasks.empty()) return;
      task = std::move(state().tasks.front());
      state().tasks.pop_front();
    }
    state().eventsMayWait = true;
    task();
  }
}

// A window that cannot be made: said when the start's answer is taken (by
// the caller for later windows).
void noteWindowFailure() {
  std::string problem = std::string("the host window cannot be opened: ") + SDL_GetError();
  if (state().starting.load())
    state().startProblem = problem;
  else
    ReportStartupProblem("%s", problem.c_str());
  std::fputs("Couldn't create window", stdout);
  std::fflush(stdout);
}

// A window system reports where the pointer is only once the window shows.
// Where it already rests over the new window, the cursor is drawn there in
// the first frame rather than moved there in the next.
void notePointerOver(SDL_Window* win, int width, int height) {
  int x = 0, y = 0, left = 0, top = 0;
  SDL_GetGlobalMouseState(&x, &y);
  SDL_GetWindowPosition(win, &left, &top);
  x -= left;
  y -= top;
  if (x >= 0 && y >= 0 && x < width && y < height) windib::RecordPointer(x, y, true);
}

bool makeWindow(int slot, int width, int height) {
  HostState& s = state();
  SDL_Window* old = s.windows[slot];
  if (old) {
    int w = 0, h = 0;
    SDL_GetWindowSize(old, &w, &h);
    if (w == width && h == height) return true;
  }
  // The main window sits at the desktop's origin, the auxiliary one beside it.
  int x = slot == kMainSlot ? 0 : Display(kMainSlot).width();
  // Behind the start gate the main window stays unshown until its first present.
  const bool gated = slot == kMainSlot && !old && s.startGate.load();
  SDL_Window* made = SDL_CreateWindow("ZelGUI", x, 0, width, height, gated ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
  if (!made) {
    noteWindowFailure();
    return false;
  }
  if (old) SDL_DestroyWindow(old);
  s.windows[slot] = made;
  windib::WinDibWndProc(windib::kCreate, 0, 0);
  // A window kept unshown is drawn whole when it shows.
  if (gated) {
    if (s.sdlWaits) notePointerOver(made, width, height);
    s.presentPending = true;
  } else {
    g_displays[slot].markAllDirty();
    presentSlot(slot);
  }
  return true;
}

void destroyWindows() {
  DropMapPicture();
  for (SDL_Window*& w : state().windows) {
    if (w) SDL_DestroyWindow(w);
    w = nullptr;
  }
}

// Releases SDL's video and, when nothing else uses SDL, SDL itself with the
// thread's own SDL data.
void quitVideo() {
  {
    std::lock_guard<std::mutex> guard(state().sdlEventLock);
    state().wakeEvent = 0;
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
  SDL_TLSCleanup();
}

// One read of the connection, then what it queued: each SDL_PollEvent
// would read the connection again.
void dispatchQueued() {
  state().eventsMayWait = false;
  SDL_PumpEvents();
  SDL_Event e;
  while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) dispatch(e);
}

// The earlier of two waits in milliseconds (-1: none).
int earlier(int a, int b) {
  if (a < 0) return b;
  return b < 0 ? a : std::min(a, b);
}

// Sleeps until something happens or `timeoutMs` passes (-1: no limit), then
// handles what SDL queued. Input taken in before the sleep goes to the
// engine first.
void waitForWork(int timeoutMs) {
  HostState& s = state();
  if (s.waiterWaits) {
    // Events SDL or the connection already took in would not wake poll().
    if (s.eventsMayWait) dispatchQueued();
    timeoutMs = earlier(timeoutMs, windib::DeliverInput());
    s.waiter.wait(s.connectionFd, timeoutMs);
  } else if (s.sdlWaits) {
    SDL_Event e;
    int got = timeoutMs < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeoutMs);
    if (got) dispatch(e);
  } else {
    std::unique_lock<std::mutex> hold(s.wakeLock);
    auto signalled = [&] { return s.wakeSignalled; };
    if (timeoutMs < 0)
      s.woken.wait(hold, signalled);
    else
      s.woken.wait_for(hold, std::chrono::milliseconds(timeoutMs), signalled);
    s.wakeSignalled = false;
  }
  dispatchQueued();
}

// Presents when the pacer lets it and no drawing holds it back; answers
// how long to sleep before the next one is due (-1: nothing to present).
// The pending mark stays set until the present starts, so updates in the
// meantime do not wake the host again.
int presentIfDue() {
  HostState& s = state();
  if (!s.presentPending.load()) return -1;
  Clock::time_point now = Clock::now();
  if (s.actionDrawn.exchange(false)) s.pacer.completeAction();
  Clock::time_point due = s.pacer.due();
  if (s.startGate.load()) {
    if (now < s.gateDeadline)
      return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(s.gateDeadline - now).count());
    s.startGate = false;
  }
  if (s.presentHolds.load() > 0)
    due = std::max(due, Clock::time_point(Clock::duration(s.heldSince.load())) +
                            std::chrono::milliseconds(s.maxHoldMs.load()));
  if (now < due) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(due - now);
    return static_cast<int>(left.count());
  }
  s.presenting = true;
  s.presentPending = false;
  presentAll();
  s.pacer.presented(now);
  s.lastPresent = Clock::now().time_since_epoch().count();
  ++s.presentsMade;
  s.presenting = false;
  return -1;
}

// The engine has just been woken for motion alone: the pointer's new place
// asks for a present within moments. That present goes with the host's
// next wake-up (most often the next move), a frame later at the latest,
// instead of waking the host once more in between.
int letPresentRide(int timeoutMs) {
  constexpr int kRideMs = static_cast<int>(std::chrono::milliseconds(PresentPacer::kFrame).count());
  timeoutMs = earlier(timeoutMs, kRideMs);
  state().presentRidesUntil = (Clock::now() + std::chrono::milliseconds(timeoutMs)).time_since_epoch().count();
  return timeoutMs;
}

bool driverWaits() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
}

bool NoDisplay() {
  const char* display = std::getenv("DISPLAY");
  state().startProblem = std::string("no display to open the host window on (DISPLAY=\"") + (display ? display : "") +
                         "\"); set SDL_VIDEODRIVER=dummy to run without one";
  return false;
}

// Without a reachable window system SDL falls back to drivers that show
// nothing; running on one is only right when the user asked for it.
bool DriverWasAskedFor() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || (std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0)) return true;
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (asked && std::strstr(asked, driver)) return true;
  return NoDisplay();
}

// No driver asked for and no window system named: SDL's probing would only
// add complaints of its own to the one line that says so.
bool WindowSystemNamed() {
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && value[0];
  };
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return (asked && asked[0]) || set("DISPLAY") || set("WAYLAND_DISPLAY") || NoDisplay();
}

void hostMain(int width, int height, std::promise<bool> ready) {
  HostState& s = state();
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // A plain frame buffer in memory: no renderer and no GPU threads to start.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (!WindowSystemNamed()) {
    SDL_TLSCleanup();
    ready.set_value(false);
    return;
  }
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    noteWindowFailure();
    SDL_TLSCleanup();
    ready.set_value(false);
    return;
  }
  if (!DriverWasAskedFor()) {
    quitVideo();
    ready.set_value(false);
    return;
  }
  s.gateDeadline = Clock::now() + std::chrono::milliseconds(s.maxStartGateMs.load());
  s.wakeEvent = SDL_RegisterEvents(1);
  s.sdlWaits = driverWaits();
  if (!makeWindow(kMainSlot, width, height)) {
    quitVideo();
    ready.set_value(false);
    return;
  }
  s.connectionFd = ConnectionFd(s.windows[kMainSlot]);
  s.waiterWaits = s.waiter.ok() && (s.connectionFd >= 0 || !s.sdlWaits);
  s.running = true;
  windib::PaceInputOnThisThread();
  ready.set_value(true);
  prepareUnshownSurface();
  // A start gate opened while the window was opening is not waited for.
  int timeoutMs = s.startGate.load() ? -1 : presentIfDue();
  while (!s.stopping) {
    waitForWork(timeoutMs);
    // Awake: a present asked for from now on wakes the host (or finds it
    // still awake), and the one asked for meanwhile is seen below.
    s.presentRidesUntil = 0;
    runTasks();
    bool motionOnly = false;
    timeoutMs = earlier(presentIfDue(), windib::DeliverInput(&motionOnly));
    if (motionOnly) timeoutMs = letPresentRide(timeoutMs);
  }
  s.running = false;
  s.waiterWaits = false;
  s.connectionFd = -1;
  runTasks();
  destroyWindows();
  quitVideo();
}

void wake() {
  HostState& s = state();
  // First, so that a wait that began in the waiter meanwhile ends too.
  s.waiter.wake();
  if (s.waiterWaits) return;
  if (!s.sdlWaits) {
    {
      std::lock_guard<std::mutex> hold(s.wakeLock);
      s.wakeSignalled = true;
    }
    s.woken.notify_one();
    return;
  }
  std::lock_guard<std::mutex> guard(s.sdlEventLock);
  uint32_t type = s.wakeEvent;
  if (type == 0 || type == static_cast<uint32_t>(-1)) return;
  SDL_Event e{};
  e.type = type;
  SDL_PushEvent(&e);
}

}  // namespace

// What SDL's video start would do for services the toolkit never uses is
// named away, each only where the user named nothing. Set once, before the
// first host thread exists, so that no thread reads the environment
// meanwhile.
// - The toolkit reads keys as scan codes and composes text with its own
//   input method: the X input method's compose table, which SDL's keyboard
//   start has the X library read character by character, is never used,
//   and reading it was most of the window system's start. An empty table.
// - With no session bus named, the D-Bus library SDL asks for the desktop's
//   input method and screen saver launches one by forking this whole
//   program; after that, every page the program writes first is copied.
//   The toolkit asks nothing of a desktop bus: an address no bus answers.
void skipUnusedDesktopServices() {
  static std::once_flag once;
  std::call_once(once, [] {
    setenv("XCOMPOSEFILE", "/dev/null", 0);
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
  });
}

bool StartHostInBackground(int width, int height) {
  HostState& s = state();
  skipUnusedDesktopServices();
  std::lock_guard<std::mutex> start(s.startLock);
  std::lock_guard<std::mutex> guard(s.lock);
  if (s.thread.joinable()) return true;
  s.stopping = false;
  s.startGate = true;
  s.firstScreenHeld = false;
  s.windowPainted = false;
  {
    std::lock_guard<std::mutex> shown(s.shownLock);
    for (std::vector<uint32_t>& samples : s.firstShown) samples.clear();
  }
  s.startProblem.clear();
  std::promise<bool> ready;
  s.started = ready.get_future();
  s.starting = true;
  s.startWidth = width;
  s.startHeight = height;
  s.thread = std::thread(hostMain, width, height, std::move(ready));
  s.hostThreadId = s.thread.get_id();
  return true;
}

bool FinishHostStart() {
  HostState& s = state();
  std::lock_guard<std::mutex> start(s.startLock);
  if (!s.starting.load()) return s.running.load();
  const bool open = s.started.get();
  s.starting = false;
  if (open) return true;
  ReportStartupProblem("%s", s.startProblem.c_str());
  std::lock_guard<std::mutex> guard(s.lock);
  s.thread.join();
  s.hostThreadId = std::thread::id();
  return false;
}

bool StartHost(int width, int height) { return StartHostInBackground(width, height) && FinishHostStart(); }

bool HostStarting() { return state().starting.load(); }

void StopHost() {
  HostState& s = state();
  // A start still under way ends first: the thread then owns what it made.
  FinishHostStart();
  std::thread thread;
  {
    std::lock_guard<std::mutex> guard(s.lock);
    if (!s.thread.joinable()) return;
    s.stopping = true;
    thread = std::move(s.thread);
  }
  wake();
  if (thread.get_id() == std::this_thread::get_id())
    thread.detach();
  else
    thread.join();
  std::lock_guard<std::mutex> guard(s.lock);
  s.hostThreadId = std::thread::id();
  for (HostDisplay& d : g_displays) d.release();
}

bool HostRunning() { return state().running; }

bool OnHostThread() {
  std::lock_guard<std::mutex> guard(state().lock);
  return state().hostThreadId == std::this_thread::get_id();
}

HostDisplay& Display(int slot) { return g_displays[slot == kAuxSlot ? kAuxSlot : kMainSlot]; }

bool RunOnHost(const std::function<void()>& task) {
  if (OnHostThread()) {
    task();
    return true;
  }
  // Work for the host waits until its start has ended.
  if (state().starting.load()) FinishHostStart();
  std::promise<void> done;
  std::future<void> finished = done.get_future();
  {
    std::lock_guard<std::mutex> guard(state().lock);
    if (!state().running || state().stopping) return false;
    state().tasks.emplace_back([&] {
      task();
      done.set_value();
    });
  }
  wake();
  finished.wait();
  return true;
}

bool ShowDisplay(int slot, int width, int height) {
  // The start under way opens this very window; whether it could is
  // answered when the start is finished.
  HostState& s = state();
  if (slot == kMainSlot && HostStarting() && width == s.startWidth.load() && height == s.startHeight.load())
    return true;
  bool made = false;
  RunOnHost([&] { made = makeWindow(slot, width, height); });
  return made;
}

void CloseDisplay(int slot) {
  // A host still starting makes only its main window: no other to close.
  const bool nothingToClose = slot != kMainSlot && HostStarting();
  if (!nothingToClose) {
    RunOnHost([slot] {
      SDL_Window*& w = state().windows[slot];
      if (w) SDL_DestroyWindow(w);
      w = nullptr;
    });
  }
  Display(slot).release();
}

void RequestPresent() {
  HostState& s = state();
  if (s.presentPending.exchange(true)) return;
  // A host that sleeps only until shortly anyway presents then.
  if (Clock::now().time_since_epoch().count() < s.presentRidesUntil.load()) return;
  wake();
}

uint64_t PresentsMade() { return state().presentsMade.load(); }

Clock::time_point LastPresentTime() { return Clock::time_point(Clock::duration(state().lastPresent.load())); }

bool PresentPending() { return state().presentPending.load() || state().presenting.load(); }

void PresentNow() { RunOnHost([] { presentAll(); }); }

void HoldPresents() {
  HostState& s = state();
  if (s.presentHolds.fetch_add(1) == 0) s.heldSince = Clock::now().time_since_epoch().count();
}

int HeldPresents() { return state().presentHolds.load(); }

void SetMaxPresentHoldMs(int ms) { state().maxHoldMs = ms > 0 ? ms : kMaxPresentHoldMs; }
void SetMaxStartGateMs(int ms) { state().maxStartGateMs = ms > 0 ? ms : kMaxStartGateMs; }

bool WindowShown(int slot) {
  bool shown = false;
  RunOnHost([&] {
    SDL_Window* win = slot >= 0 && slot < kSlotCount ? state().windows[slot] : nullptr;
    shown = win && !(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN);
  });
  return shown;
}

void ObservePresents(PresentObserver observer) {
  std::lock_guard<std::mutex> guard(state().shownLock);
  state().observer = std::move(observer);
}

bool StartGateClosed() { return state().startGate.load(); }

namespace {

void openGate() {
  HostState& s = state();
  if (!s.startGate.exchange(false)) return;
  s.presentPending = true;
  wake();
}

}  // namespace

void OpenStartGate() {
  HostState& s = state();
  s.windowPainted = true;
  if (!s.firstScreenHeld.load()) openGate();
}

void HoldStartGate() {
  HostState& s = state();
  if (s.startGate.load()) s.firstScreenHeld = true;
}

void ReleaseStartGate(GateRelease how) {
  HostState& s = state();
  s.firstScreenHeld = false;
  // With the next window, the next whole paint opens the gate; a release
  // now also ends a wait for a next window that never came.
  if (how == GateRelease::kNow && s.windowPainted.load()) openGate();
}

std::vector<uint32_t> FirstShownSamples(int slot) {
  if (slot < 0 || slot >= kSlotCount) return {};
  std::lock_guard<std::mutex> guard(state().shownLock);
  return state().firstShown[slot];
}

void ReleasePresents(int count) {
  HostState& s = state();
  if (count <= 0) return;
  // The last release lets a present that waited for it go at once.
  if (s.presentHolds.fetch_sub(count) == count && s.presentPending.load()) {
    s.actionDrawn = true;
    wake();
  }
}

void HideHostCursor() { SDL_ShowCursor(SDL_DISABLE); }

void RepaintAll() {
  for (HostDisplay& d : g_displays) d.markAllDirty();
  if (OnHostThread())
    presentAll();
  else
    RequestPresent();
}

int GetDesktopDepth() { return 32; }

}  // namespace host

extern "C" {

void HostFlush(void) { host::PresentNow(); }

void HostHoldStartGate(void) { host::HoldStartGate(); }

void HostReleaseStartGate(int how) {
  if (how == HOST_GATE_RELEASE_NOW)
    host::ReleaseStartGate(host::GateRelease::kNow);
  else if (how == HOST_GATE_RELEASE_WITH_NEXT_WINDOW)
    host::ReleaseStartGate(host::GateRelease::kWithNextWindow);
}

int64_t HostReadWindowPixel(int slot, int x, int y) {
  if (slot < 0 || slot >= host::kSlotCount) return -1;
  int64_t answer = -1;
  host::RunOnHost([&] {
    host::presentAll(host::Unshown::kDraw);
    SDL_Window* win = host::state().windows[slot];
    SDL_Surface* surface = win ? SDL_GetWindowSurface(win) : nullptr;
    if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    answer = host::surfacePixel(surface, x, y);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  });
  return answer;
}

int HostGetWindowSize(int slot, int* width, int* height) {
  if (slot < 0 || slot >= host::kSlotCount) return 0;
  int w = 0, h = 0;
  host::RunOnHost([&] {
    SDL_Window* win = host::state().windows[slot];
    if (win) SDL_GetWindowSize(win, &w, &h);
  });
  if (width) *width = w;
  if (height) *height = h;
  return w > 0 ? 1 : 0;
}

}  // extern "C"
