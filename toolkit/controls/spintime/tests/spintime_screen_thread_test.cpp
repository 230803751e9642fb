// Time spinners as the user sees them, compared pixel for pixel with a
// reference picture (make update-references writes it anew).
#include <gtest/gtest.h>

#include "controls/monthcalendar/tests/calendar_fixture.h"
#include "controls/spintime/spintime_internal.h"
#include "gui/message.h"

namespace {

class SpinnerOnScreen : public caltest::CalendarGui {};

TEST_F(SpinnerOnScreen, TwoAndFourFieldsWithAMarkedArrowAndASelectedField) {
  WindowHandle two = Control("spintime", 0, 10, 10, 360, 36, 103);
  WindowHandle four = Control("spintime", 0, 10, 60, 360, 36, 104);
  ASSERT_NE(two, GUI_INVALID_HANDLE);
  ASSERT_NE(four, GUI_INVALID_HANDLE);
  spintime::SetFieldCount(two, 2);
  spintime::SetFieldCount(four, 4);
  const int values[] = {8, 0, 17, 30};
  for (int f = 1; f <= 4; ++f) {
    spintime::SetFieldRange(four, f, 0, f % 2 ? 23 : 59);
    spintime::SetField(four, f, values[f - 1]);
  }
  spintime::SetField(two, 1, 23);
  spintime::SetField(two, 2, 45);
  const spintime::Data& d = *spintime::Record(two);
  const Rect up = d.fields[1].up;
  SendMessage(two, MSG_MOUSEMOVE, 0, ((up.top + up.bottom) / 2) << 16 | ((up.left + up.right) / 2));
  const Rect text = d.fields[0].field;
  SendMessage(two, MSG_MOUSEMOVE, 0, ((text.top + text.bottom) / 2) << 16 | (text.left + 4));
  SendMessage(two, MSG_LBUTTONDOWN, 0, ((text.top + text.bottom) / 2) << 16 | (text.left + 4));
  Shoot(guitest::ReferencePath(__FILE__, "spinners.png"), 380, 106);
}

}  // namespace
