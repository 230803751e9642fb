// A user's click on a property sheet's tab header, from the thread that runs
// the sheet's page (a headless page harness test's own thread).
#pragma once

#include "app/testing/page_harness.h"
#include "controls/propsheet/propsheet_internal.h"
#include "gui/propsheet.h"

namespace livetest {

// Tab `index` of `sheet` clicked in the middle of its header; false when
// the header is not shown or the sheet did not turn to that tab.
inline bool ClickTab(WindowHandle sheet, int index) {
  const propsheet::Sheet* s = propsheet::SheetOf(sheet);
  int left = 0, right = 0;
  if (!s || !propsheet::TabSpan(s, index, &left, &right)) return false;
  int x = (left + right) / 2, y = (s->headTop + s->headBottom) / 2;
  ClientToScreen(sheet, &x, &y);
  // The sheet turns on the press.
  const auto turned = [sheet, index] { return SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0) == index; };
  ClickAt(x, y, turned);
  return PumpUntil(turned) && PumpUntil([] { return GetCapture() == 0; });
}

}  // namespace livetest
