// Calendars as the user sees them, compared pixel for pixel with reference
// pictures (make update-references writes them anew).
#include <gtest/gtest.h>

#include "controls/monthcalendar/monthcalendar_internal.h"
#include "controls/monthcalendar/tests/calendar_fixture.h"

namespace {

class CalendarOnScreen : public caltest::CalendarGui {
 protected:
  WindowHandle Calendar(uint32_t style, int x) {
    WindowHandle cal = Control("monthcalendar", style, x, 10, 280, 200);
    EXPECT_NE(cal, GUI_INVALID_HANDLE);
    return cal;
  }
};

TEST_F(CalendarOnScreen, BothSkinsWithMarksFocusAndTheNoneCell) {
  WindowHandle dark = Calendar(MCS_NONECELL, 10);
  WindowHandle light = Calendar(MCS_LIGHTSKIN | MCS_NONECELL, 310);
  // The Chinese interface (language id 2) gives the "none" cell one day.
  monthcalendar::Record(light)->noneWidth = 1;
  MonthCalDate date{2026, 2, 11, 0};  // February 2026 ends on a Saturday: the "none" cell wraps
  SendMessage(dark, MCM_SETCURDATE, 0, reinterpret_cast<LParam>(&date));
  SendMessage(dark, MCM_SETDATEKIND, 2u << 16 | 3, MCK_ALARM);
  SendMessage(dark, MCM_SETDATEKIND, 2u << 16 | 4, MCK_PLAN);
  SendMessage(dark, MCM_SETDATEKIND, 2u << 16 | 5, MCK_RECORD);
  SendMessage(dark, MCM_SETDAYCOLOR, 20, static_cast<LParam>(guitest::Rgb(0xFF, 0x40, 0x40)));
  date = MonthCalDate{2026, 4, 27, 0};  // April 2026 ends on a Thursday
  SendMessage(light, MCM_SETCURDATE, 0, reinterpret_cast<LParam>(&date));
  SendMessage(light, MCM_SETYEARRANGE, 2026, 2026);
  SendMessage(light, MCM_SETDATEKIND, 4u << 16 | 9, MCK_RECORD);
  Shoot(guitest::ReferencePath(__FILE__, "calendars.png"), 600, 220);
}

}  // namespace
