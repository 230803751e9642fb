// The bars that take the capture at a press, clicked through the host
// window as a hand clicks: the release either follows at once, routed by
// the parent with a client position, or comes once the press took the
// capture, under it with a screen position. Both name the place pressed.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include "controls/barkit/tests/bar_fixture.h"
#include "core/input/lowlevel_event.h"
#include "gui/host.h"
#include "gui/menubutton.h"
#include "gui/message.h"
#include "gui/newtoolbar.h"
#include "gui/toolbar.h"

namespace {

// Every reading of the clock a second later: no two clicks make a double click.
std::atomic<unsigned int> g_ticks{1000};
unsigned int SlowHand() { return g_ticks += 100; }

class BarClicks : public bartest::BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    SetLowLevelEventClock(SlowHand);
  }
  void TearDown() override {
    SetLowLevelEventClock(nullptr);
    BarFixture::TearDown();
  }

  static bool Pump(const std::function<bool()>& until) {
    for (int i = 0; i < 1000 && !until(); ++i) {
      desktest::Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return until();
  }

  // A click at a client point of `control`; true once the parent heard
  // `code` and no window keeps the capture.
  bool Click(WindowHandle control, int x, int y, bool afterCapture, int code) {
    ClientToScreen(control, &x, &y);
    HostInjectMouseMove(x, y);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    if (afterCapture) Pump([control] { return GetCapture() == control; });
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    bool heard = false;
    return Pump([&] {
      for (int c : Codes()) heard = heard || c == code;
      return heard && GetCapture() == 0;
    });
  }
};

TEST_F(BarClicks, TheReleaseNamesThePlacePressed) {
  WindowHandle menu = Make("menubutton", MBS_LEFTARROW, 200, 30, "Output");
  MenuButtonItemInfo item{MB_WHICH_TEXT, "Camera 02", nullptr, 0};
  SendMessage(menu, MBM_ADDITEM, static_cast<WParam>(-1), reinterpret_cast<LParam>(&item));

  WindowHandle bar = CreateWindowEx("toolbar", "", WS_VISIBLE, 0, kId, 10, 60, 200, 32, main_, (48 << 16) | 32);
  auto info = std::make_unique<ToolbarItemInfo>();
  std::memset(info.get(), 0, sizeof *info);
  info->id = 11;
  std::strcpy(info->normalPath, "../guiRes/rirurRes/bmp/zoom_bk_normal.bmp");
  SendMessage(bar, TOOLBAR_ADDITEM, 0, reinterpret_cast<LParam>(info.get()));

  const GalPixel dark = guitest::Rgb(10, 10, 10), red = guitest::Rgb(200, 0, 0);
  guitest::SolidBitmap image(24, 24, {{dark, red, dark, dark}});
  NtbCreateData data{&image.Get(), 1, 0, 0, 0};
  WindowHandle ntb = CreateWindowEx("newtoolbar", "", WS_VISIBLE, 0, kId, 10, 110, 200, 40, main_,
                                    reinterpret_cast<LParam>(&data));
  NtbItemInfo play{0, NTBIF_PUSHBUTTON, 7, nullptr, nullptr, 0, nullptr, {}, 0};
  SendMessage(ntb, NTBM_ADDITEM, 0, reinterpret_cast<LParam>(&play));
  desktest::Drain();
  Codes();

  struct Target {
    const char* what;
    WindowHandle control;
    int x, y, code;
  } targets[] = {
      {"the menu button's text", menu, 150, 15, MBN_CLICKED},
      {"the tool bar's item", bar, 20, 16, 11},
      {"the new tool bar's item", ntb, 12, 10, 7},
  };
  for (bool afterCapture : {false, true})
    for (const Target& t : targets)
      EXPECT_TRUE(Click(t.control, t.x, t.y, afterCapture, t.code))
          << t.what << (afterCapture ? ", released under the capture" : ", released at once");
}

}  // namespace
