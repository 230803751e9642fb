// Where a click finds a sheet's tab header on the screen, asked of the live
// view, which runs on the pages' thread: a test installs TabPointLiveProc
// with program_seam::setLiveViewProc and asks with TabHeaderPoint.
#pragma once

#include "app/core/program/tests/recorder_driver.h"
#include "app/program.h"
#include "controls/propsheet/propsheet_internal.h"
#include "core/window/default_proc_internal.h"
#include "gui/app_hooks.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/window_attr.h"

namespace programtest {

constexpr int kTabPoint = 0x9310;

inline LResult TabPointLiveProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message != kTabPoint) return previewMainWinProc(hwnd, message, wParam, lParam);
  const propsheet::Sheet* s = propsheet::SheetOf(static_cast<WindowHandle>(wParam));
  int left = 0, right = 0;
  if (!s || !propsheet::TabSpan(s, static_cast<int>(lParam), &left, &right)) return -1;
  int x = (left + right) / 2, y = (s->headTop + s->headBottom) / 2;
  ClientToScreen(static_cast<WindowHandle>(wParam), &x, &y);
  return PackPoint(x, y);
}

// The screen point of tab `index`'s header; false when it is not shown.
inline bool TabHeaderPoint(WindowHandle sheet, int index, int* x, int* y) {
  const LResult at = SendMessage(FirstPreviewWindow(getMainOutput()), kTabPoint, sheet, index);
  if (at == -1) return false;
  *x = PointX(at);
  *y = PointY(at);
  return true;
}

// A user's click on tab `index`'s header of `sheet`, unless the sheet shows
// that tab already; true once it does.
inline bool ShowTabByClick(Driver& d, WindowHandle sheet, int index) {
  const auto shown = [sheet, index] { return SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0) == index; };
  if (shown()) return true;
  int x = 0, y = 0;
  if (!TabHeaderPoint(sheet, index, &x, &y)) return false;
  d.Click(x, y, HOST_BUTTON_LEFT);
  return Driver::WaitFor(shown);
}

}  // namespace programtest
