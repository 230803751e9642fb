// Where a click finds a sheet's tab header on the screen, asked of the live
// view, which runs on the pages' thread: a test installs TabPointLiveProc
// with program_seam::setLiveViewProc and asks with TabHeaderPoint.
#pragma once

#include "app/program.h"
#include "controls/propsheet/propsheet_internal.h"
#include "core/window/default_proc_internal.h"
#include "gui/app_hooks.h"
#include "gui/livevideo.h"
#include "gui/message.h"
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

}  // namespace programtest
