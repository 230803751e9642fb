// On an X server the host window appears with its whole first frame, sent
// into the picture it is mapped with, and the presents after it go on from
// that picture. Each case runs on an X server of its own (Xvfb), at a depth
// whose picture is made ahead on the server and at one whose is not.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/driver/host_display.h"
#include "core/driver/host_map_picture.h"
#include "core/driver/host_thread.h"
#include "gui/app_hooks.h"
#include "gui/gal.h"
#include "gui/host.h"

namespace {

// An X server started for one case, on the display it chose itself.
class OwnXServer {
 public:
  explicit OwnXServer(const char* screen) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp", "-noreset",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    // The server writes the number and then its line's end; the pipe stays
    // open for as long as it runs, or a write it still makes would fail it.
    number_ = fds[0];
    std::string number;
    char c = 0;
    while (pid_ > 0 && read(number_, &c, 1) == 1 && c != '\n') number += c;
    if (!number.empty() && c == '\n') name_ = ":" + number;
  }
  ~OwnXServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (number_ >= 0) close(number_);
  }
  OwnXServer(const OwnXServer&) = delete;
  OwnXServer& operator=(const OwnXServer&) = delete;
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = -1;
  int number_ = -1;
  std::string name_;
};

// A client that watches windows appear on `server`, which SDL then uses
// too; null when the server cannot be reached.
Display* WatchAndUse(const OwnXServer& server) {
  Display* watcher = nullptr;
  // A server just started may still refuse a moment.
  for (int attempt = 0; attempt < 100 && !watcher; ++attempt)
    if (!(watcher = XOpenDisplay(server.name().c_str()))) usleep(20000);
  if (!watcher) return nullptr;
  XSelectInput(watcher, DefaultRootWindow(watcher), SubstructureNotifyMask);
  XSync(watcher, False);
  setenv("DISPLAY", server.name().c_str(), 1);
  setenv("SDL_VIDEODRIVER", "x11", 1);
  return watcher;
}

// The window mapped straight under the root, as a watching client saw it.
Window MappedWindow(Display* x) {
  XSync(x, False);
  while (XPending(x)) {
    XEvent e;
    XNextEvent(x, &e);
    if (e.type == MapNotify && e.xmap.event == DefaultRootWindow(x)) return e.xmap.window;
  }
  return 0;
}

uint32_t ShownPixel(Display* x, Window w, int px, int py) {
  XImage* image = XGetImage(x, w, px, py, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0xFFFFFFFFu;
  const unsigned long pixel = XGetPixel(image, 0, 0);
  XVisualInfo want{};
  want.visualid = XVisualIDFromVisual(DefaultVisual(x, DefaultScreen(x)));
  int count = 0;
  XVisualInfo* info = XGetVisualInfo(x, VisualIDMask, &want, &count);
  uint32_t rgb = 0;
  for (unsigned long mask : {info->red_mask, info->green_mask, info->blue_mask}) {
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    const unsigned long top = mask >> shift;
    rgb = rgb << 8 | static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / top);
  }
  XFree(info);
  XDestroyImage(image);
  return rgb;
}

void Fill(GalSurface* screen, int x, int y, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  GalRect box{x, y, w, h};
  GAL_FillRect(screen, &box, GAL_MapRGB(screen->format, r, g, b), getMainOutputHook());
}

struct HostMapPictureTest : ::testing::TestWithParam<const char*> {
  void SetUp() override {
    if (const char* driver = std::getenv("SDL_VIDEODRIVER")) savedDriver_ = driver;
    if (const char* display = std::getenv("DISPLAY")) savedDisplay_ = display;
  }
  void TearDown() override {
    GAL_VideoQuit();
    Restore("SDL_VIDEODRIVER", savedDriver_);
    Restore("DISPLAY", savedDisplay_);
  }
  static void Restore(const char* name, const std::string& value) {
    if (value.empty())
      unsetenv(name);
    else
      setenv(name, value.c_str(), 1);
  }
  std::string savedDriver_, savedDisplay_;
};

TEST_P(HostMapPictureTest, WindowAppearsWithTheWholeFirstFrameAndPresentsGoOnFromIt) {
  OwnXServer server(GetParam());
  if (server.name().empty()) GTEST_SKIP() << "no Xvfb to run an X server";
  Display* watcher = WatchAndUse(server);
  ASSERT_NE(watcher, nullptr) << server.name();

  ASSERT_EQ(InitGAL(), 0);
  GalSurface* screen = GAL_GetVideoSurface();
  ASSERT_EQ(screen->w, 1024);
  // Four quarters of their own colours, the frame's corners included.
  Fill(screen, 0, 0, 512, 384, 0xFF, 0, 0);
  Fill(screen, 512, 0, 512, 384, 0, 0xFF, 0);
  Fill(screen, 0, 384, 512, 384, 0, 0, 0xFF);
  Fill(screen, 512, 384, 512, 384, 0xFF, 0xFF, 0xFF);
  GalRect all{0, 0, screen->w, screen->h};
  GAL_UpdateRects(screen, 1, &all);
  HostFlush();
  EXPECT_FALSE(host::WindowShown(0));
  host::OpenStartGate();
  HostFlush();
  ASSERT_TRUE(host::WindowShown(0));

  // The whole first frame, with no present of the toolkit's since the map
  // (the server's exposure of the new window may have repainted it).
  const Window w = MappedWindow(watcher);
  ASSERT_NE(w, 0u);
  const struct {
    int x, y;
    uint32_t rgb;
  } quarters[] = {{0, 0, 0xFF0000}, {1023, 0, 0x00FF00}, {0, 767, 0x0000FF}, {1023, 767, 0xFFFFFF}, {511, 383, 0xFF0000}};
  for (const auto& q : quarters) EXPECT_EQ(ShownPixel(watcher, w, q.x, q.y), q.rgb) << q.x << "," << q.y;
  const std::vector<uint32_t> first = host::FirstShownSamples(0);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first.front(), 0xFF0000u);
  EXPECT_EQ(first.back(), 0xFFFFFFu);

  // A present of one small area keeps the rest of the picture.
  Fill(screen, 600, 500, 30, 30, 0xFF, 0, 0xFF);
  GalRect changed{600, 500, 30, 30};
  GAL_UpdateRects(screen, 1, &changed);
  HostFlush();
  EXPECT_EQ(ShownPixel(watcher, w, 615, 515), 0xFF00FFu);
  for (const auto& q : quarters) {
    EXPECT_EQ(ShownPixel(watcher, w, q.x, q.y), q.rgb) << q.x << "," << q.y;
    EXPECT_EQ(HostReadWindowPixel(0, q.x, q.y), static_cast<int>(q.rgb)) << q.x << "," << q.y;
  }
  GAL_VideoQuit();
  XCloseDisplay(watcher);
}

// 24 bits: mapped with the picture made ahead; 16 bits: with one made from
// the window's own surface.
INSTANTIATE_TEST_SUITE_P(Depths, HostMapPictureTest, ::testing::Values("1024x768x24", "1024x768x16"));

// 5-6-5 widened to 8 bits a channel by repeating its top bits.
uint32_t WidenRgb565(uint16_t pixel) {
  const uint32_t r = pixel >> 11, g = (pixel >> 5) & 63, b = pixel & 31;
  return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

// What the window shows from its map on is the prepared picture alone:
// here nothing else draws it (no host thread answers its exposure) and its
// background is dropped once it is mapped, so the server keeps what the map
// painted. The frame is 16 bits and not a whole number of bands high, so
// every band is converted and placed, the short last one too.
TEST_F(HostMapPictureTest, WindowIsMappedWithTheFrameSentBandByBand) {
  OwnXServer server("1024x768x24");
  if (server.name().empty()) GTEST_SKIP() << "no Xvfb to run an X server";
  Display* watcher = WatchAndUse(server);
  ASSERT_NE(watcher, nullptr) << server.name();
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();

  constexpr int kWidth = 301, kHeight = 77, kBandRows = 16;
  SDL_Window* window = SDL_CreateWindow("bands", 0, 0, kWidth, kHeight, SDL_WINDOW_HIDDEN);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(host::PrepareMapPicture(window));
  host::HostDisplay display;
  host::FrameBufferLayout layout;
  layout.width = kWidth;
  layout.height = kHeight;
  layout.bitsPerPixel = 16;
  layout.pitch = (kWidth * 2 + 3) / 4 * 4;
  layout.rMask = 0xF800;
  layout.gMask = 0x07E0;
  layout.bMask = 0x001F;
  uint8_t* frame = display.setMode(layout);
  ASSERT_NE(frame, nullptr);
  auto pixelAt = [](int x, int y) {
    return static_cast<uint16_t>(((y * 7) & 31) << 11 | ((x * 3 + y) & 63) << 5 | ((x + 5 * y) & 31));
  };
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const uint16_t p = pixelAt(x, y);
      std::memcpy(frame + static_cast<size_t>(y) * layout.pitch + static_cast<size_t>(x) * 2, &p, 2);
    }
  display.markAllDirty();
  int bands = 0;
  display.takeDirtyInBands(kWidth, kHeight, kBandRows, [&](const uint32_t* rows, const GalRect& band) {
    ++bands;
    host::SendMapPictureRows(rows, band.x, band.y, band.w, band.h);
  });
  EXPECT_EQ(bands, (kHeight + kBandRows - 1) / kBandRows);
  {
    host::MapPicture mapped(window);
    EXPECT_TRUE(mapped.Whole());
    SDL_ShowWindow(window);
  }
  const Window shown = MappedWindow(watcher);
  ASSERT_NE(shown, 0u);
  XImage* image = XGetImage(watcher, shown, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
  ASSERT_NE(image, nullptr);
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if ((XGetPixel(image, x, y) & 0xFFFFFF) != WidenRgb565(pixelAt(x, y)) && ++wrong <= 3)
        ADD_FAILURE() << "pixel " << x << "," << y;
  EXPECT_EQ(wrong, 0);
  XDestroyImage(image);
  SDL_DestroyWindow(window);
  host::DropMapPicture();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  XCloseDisplay(watcher);
}

// Forks of this process, counted by every fork's own handler.
std::atomic<int> g_forks{0};

// Starting the window system forks no copy of the program: without a
// session bus named, the D-Bus library SDL's start asks would fork to
// launch one, and each page the program wrote afterwards would be copied.
// A bus the user named is kept.
TEST_F(HostMapPictureTest, WindowSystemStartsWithoutForkingTheProgram) {
  OwnXServer server("1024x768x24");
  if (server.name().empty()) GTEST_SKIP() << "no Xvfb to run an X server";
  Display* watcher = WatchAndUse(server);
  ASSERT_NE(watcher, nullptr) << server.name();
  const char* named = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const std::string before = named ? named : "";
  static const int registered = pthread_atfork([] { ++g_forks; }, nullptr, nullptr);
  ASSERT_EQ(registered, 0);
  const int forks = g_forks.load();

  ASSERT_EQ(InitGAL(), 0);
  host::OpenStartGate();
  HostFlush();
  EXPECT_TRUE(host::WindowShown(0));
  EXPECT_EQ(g_forks.load(), forks);
  named = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  ASSERT_NE(named, nullptr);
  if (!before.empty()) {
    EXPECT_EQ(before, named);
  }
  GAL_VideoQuit();
  XCloseDisplay(watcher);
}

}  // namespace
