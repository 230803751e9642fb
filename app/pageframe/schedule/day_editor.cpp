// One day of a schedule to and from its editor's boxes.
#include "app/day_editor.h"

#include "app/control_services.h"
#include "app/page_frame.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/window.h"

namespace pageframe {
namespace {

uint8_t selection(WindowHandle window, int id, uint8_t keep) {
  const auto value = SendDlgItemMessage(window, id, CB_GETSELVALUE, 0, 0);
  // A box that shows no row keeps what the record held.
  return value < 0 || value > 255 ? keep : static_cast<uint8_t>(value);
}

}  // namespace

int saveDay(WindowHandle window, const DayBoxes& boxes, DayEdit* day) {
  if (!day) return -1;
  if (isChecked(window, boxes.allDayCheck)) {
    day->allDay = 1;
    day->allDayType = selection(window, boxes.allDayType, day->allDayType);
    return 0;
  }
  TimeSegment read[SEGMENTS_PER_DAY] = {};
  const int rc = readSegmentBoxes(window, boxes.firstTimeBox, read);
  if (rc != 0) return rc;
  day->allDay = 0;
  for (int k = 0; k < SEGMENTS_PER_DAY; ++k) {
    day->segments[k] = read[k];
    day->types[k] = selection(window, boxes.firstTimeBox + 2 * k + 1, day->types[k]);
  }
  return 0;
}

void loadDay(WindowHandle window, const DayBoxes& boxes, const DayEdit& day) {
  setChecked(window, boxes.allDayCheck, day.allDay != 0);
  if (day.allDay != 0)
    selectComboValue(window, boxes.allDayType, day.allDayType);
  else
    SendDlgItemMessage(window, boxes.allDayType, CB_SETCURSEL, 0, 0);
  for (int k = 0; k < SEGMENTS_PER_DAY; ++k) {
    const int id = boxes.firstTimeBox + 2 * k;
    writeSegmentBox(window, id, &day.segments[k]);
    selectComboValue(window, id + 1, day.types[k]);
  }
  const int editable = day.allDay == 0 ? 1 : 0;
  for (int k = 0; k < SEGMENTS_PER_DAY; ++k) {
    enableLabeledCtrl(window, boxes.firstTimeBox + 2 * k, editable);
    enableLabeledCtrl(window, boxes.firstTimeBox + 2 * k + 1, editable);
  }
}

}  // namespace pageframe
