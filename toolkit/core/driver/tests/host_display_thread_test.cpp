#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <linux/input-event-codes.h>
#include <mutex>
#include <thread>
#include <vector>

#include "gdi/dc_record.h"
#include "gui/app_hooks.h"
#include "gui/gal.h"
#include "gui/host.h"

namespace {

constexpr auto kWatchdog = std::chrono::seconds(20);

uint8_t g_outputs = 1;
int outputCount(uint8_t* count) {
  *count = g_outputs;
  return 0;
}

struct HostDisplayThreads : ::testing::Test {
  void TearDown() override {
    GAL_VideoQuit();
    SetAppCallbacks(nullptr);
    g_outputs = 1;
  }
  void useOutputs(uint8_t count) {
    g_outputs = count;
    GuiAppCallbacks cb{};
    cb.getVideoOutputCount = outputCount;
    SetAppCallbacks(&cb);
  }
};

// Fills and shows a square the way a drawing bracket does: under the
// display's lock, the update before the unlock.
void drawSquare(GalSurface* screen, int output, const GalRect& r, GalPixel color) {
  std::lock_guard<std::mutex> hold(gui::dc::GdiLockOfDisplay(output));
  GalRect box = r;
  GAL_FillRect(screen, &box, color, output);
  GAL_UpdateRect(screen, r.x, r.y, r.w, r.h);
}

// Threads drawing on the main and the auxiliary display at once, each on
// squares of its own, at the same places on both displays: everything drawn
// reaches the windows, and neither display's pixels are read under the
// other display's lock.
TEST_F(HostDisplayThreads, NothingDrawnOnEitherDisplayIsLost) {
  useOutputs(2);
  ASSERT_EQ(InitGAL(), 0);
  GalSurface* screen = GAL_GetVideoSurface();
  ASSERT_NE(screen->auxPixels, nullptr);
  const int outputs[2] = {getMainOutputHook(), getAuxOutputHook()};
  constexpr int kThreadsPerDisplay = 3, kRounds = 200;
  auto squareOf = [](int thread, int round) { return GalRect{thread * 40, (round % 10) * 20, 16, 16}; };
  auto colorOf = [](int slot, int thread) { return 0x102030u + static_cast<GalPixel>(slot * 0x400000 + thread * 0x10); };
  std::vector<std::thread> threads;
  for (int slot = 0; slot < 2; ++slot)
    for (int t = 0; t < kThreadsPerDisplay; ++t)
      threads.emplace_back([&, slot, t] {
        for (int round = 0; round < kRounds; ++round)
          drawSquare(screen, outputs[slot], squareOf(t, round), colorOf(slot, t));
      });
  for (std::thread& t : threads) t.join();
  HostFlush();
  for (int slot = 0; slot < 2; ++slot)
    for (int t = 0; t < kThreadsPerDisplay; ++t)
      for (int row = 0; row < 10; ++row) {
        GalRect r = squareOf(t, row);
        EXPECT_EQ(HostReadWindowPixel(slot, r.x + 15, r.y + 15), colorOf(slot, t)) << slot << " " << t;
      }
}

// The frame buffer is swapped under the display lock while a thread draws
// into it; a refused mode leaves buffer, size and window as they were.
TEST_F(HostDisplayThreads, ModeChangesWhileAThreadDraws) {
  ASSERT_EQ(InitGAL(), 0);
  GalSurface* screen = GAL_GetVideoSurface();
  const int main = getMainOutputHook();
  std::atomic<bool> done{false};
  std::thread drawer([&] {
    for (GalPixel c = 1; !done; ++c) drawSquare(screen, main, GalRect{0, 0, 64, 64}, c & 0xFFFFFF);
  });
  for (int i = 0; i < 6; ++i) ASSERT_NE(GAL_SetVideoMode(i % 2 ? 1024 : 800, i % 2 ? 768 : 600, 32, 0), nullptr);
  uint8_t* pixels = screen->pixels;
  EXPECT_EQ(GAL_SetVideoMode(40000, 600, 32, 0), nullptr);
  done = true;
  drawer.join();
  EXPECT_EQ(screen->pixels, pixels);
  EXPECT_EQ(screen->w, 1024);
  EXPECT_EQ(screen->h, 768);
  int w = 0, h = 0;
  EXPECT_EQ(HostGetWindowSize(0, &w, &h), 1);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  drawSquare(screen, main, GalRect{1000, 700, 24, 68}, 0xABCDEF);
  HostFlush();
  EXPECT_EQ(HostReadWindowPixel(0, 1023, 767), 0xABCDEF);
}

// Input recorded much faster than the engine reads: the recording thread
// never waits, and the reader still sees every change in order.
TEST(HostInputThreads, InputFasterThanTheEngineReadsIsNotLost) {
  HostEvent* mouse = HostCreateEvent("MOUSE");
  HostEvent* keyboard = HostCreateEvent("kbd");
  HostSetInputEvents(mouse, keyboard);
  constexpr int kClicks = 25, kKeys = 20;
  auto injected = std::async(std::launch::async, [] {
    for (int i = 0; i < kClicks; ++i) {
      HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
      HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
      HostInjectWheel(-120);
    }
    for (int i = 0; i < kKeys; ++i) {
      HostInjectKey(KEY_A + i % 10, 1);
      HostInjectKey(KEY_A + i % 10, 0);
    }
  });
  // Nobody reads until every change is recorded.
  ASSERT_EQ(injected.wait_for(kWatchdog), std::future_status::ready);

  std::vector<int> buttons;
  std::vector<uint32_t> keys;
  auto reader = std::async(std::launch::async, [&] {
    HostEvent* both[2] = {mouse, keyboard};
    while (buttons.size() < 3 * kClicks || keys.size() < 2 * kKeys) {
      int which = HostWaitForEvents(both, 2, 2000);
      if (which < 0) return;
      if (which == 0) {
        HostMouseRecord change{};
        HostTakeMouseRecord(&change);
        buttons.push_back(change.buttons);
      }
      if (which == 1) {
        uint32_t word = 0;
        uint8_t pressed = 0;
        HostGetKeyRecord(&word, &pressed);
        keys.push_back(word | pressed);
      }
    }
  });
  ASSERT_EQ(reader.wait_for(kWatchdog), std::future_status::ready);
  ASSERT_EQ(buttons.size(), 3u * kClicks);
  for (int i = 0; i < kClicks; ++i) {
    EXPECT_EQ(buttons[3 * i], HOST_BUTTON_LEFT);
    EXPECT_EQ(buttons[3 * i + 1], HOST_BUTTON_NONE);
    EXPECT_EQ(buttons[3 * i + 2], HOST_WHEEL_TOWARDS);
  }
  ASSERT_EQ(keys.size(), 2u * kKeys);
  for (int i = 0; i < kKeys; ++i) {
    EXPECT_EQ(keys[2 * i], (uint32_t{KEY_A} + i % 10) << 16 | 1);
    EXPECT_EQ(keys[2 * i + 1], (uint32_t{KEY_A} + i % 10) << 16);
  }
  HostSetInputEvents(nullptr, nullptr);
  HostCloseEvent(mouse);
  HostCloseEvent(keyboard);
}

}  // namespace
