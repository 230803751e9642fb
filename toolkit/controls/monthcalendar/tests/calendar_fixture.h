// A started toolkit at a fixed time zone and a fixed "today" (Thursday
// 2026-03-19), with a logging main window to host calendars.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

#include "core/nonclient/tests/screen_picture.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/monthcal.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace caltest {

constexpr time_t kToday = 1773921600;  // 2026-03-19 12:00 UTC

inline time_t FixedClock() { return kToday; }

class CalendarGui : public guitest::StartedGui {
 protected:
  static void SetUpTestSuite() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    SetWallClock(FixedClock);
    StartedGui::SetUpTestSuite();
  }
  static void TearDownTestSuite() {
    StartedGui::TearDownTestSuite();
    SetWallClock(nullptr);
  }
  void SetUp() override { host_ = Main(Rect{0, 0, 640, 480}, 0, "host"); }

  WindowHandle Control(const char* cls, uint32_t style, int x, int y, int w, int h, int id = 100) {
    return CreateWindowEx(cls, "", style | WS_VISIBLE, 0, id, x, y, w, h, host_, 0);
  }

  // The host's top-left w x h on a dark background against the reference.
  void Shoot(const std::string& reference, int w, int h) {
    SetWindowBkColor(host_, guitest::Rgb(0x18, 0x18, 0x20));
    InvalidateRect(host_, nullptr, TRUE);
    UpdateWindow(host_, TRUE);
    desktest::Drain();
    int x = 0, y = 0;
    ClientToScreen(host_, &x, &y);
    guitest::MatchReference(guitest::Grab(Rect{x, y, x + w, y + h}), reference);
  }

  WindowHandle host_ = 0;
};

}  // namespace caltest
