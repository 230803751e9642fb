// A started toolkit at a fixed time zone and a fixed "today" (Thursday
// 2026-03-19), with a logging main window to host calendars.
#pragma once

#include <cstdlib>
#include <ctime>

#include "core/nonclient/tests/started_gui.h"
#include "gui/monthcal.h"

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

  WindowHandle host_ = 0;
};

}  // namespace caltest
