// The copy-to-days dialog: a check box per weekday and for the holiday in a
// grid of six columns, and "all"; OK hands back the checked days as a mask.
#include <atomic>
#include <cstdio>

#include "app/control_services.h"
#include "app/liveview_dialogs.h"
#include "app/page_building.h"
#include "app/time_segments.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "copyweek";
constexpr int kAllId = 4176, kFirstDayId = 4192, kHolidayId = kFirstDayId + SCHEDULE_HOLIDAY;
constexpr int kDays = SCHEDULE_HOLIDAY + 1, kColumns = 6;
constexpr uint32_t kDayStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
// The layout bits drawRoundFrame scales by.
constexpr uint32_t kGroupFrameStyle = EDIT_CORNER_TOPLEFT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr int kFrameBelowGrid = 8;

// The dialog's state: one dialog at a time, on the thread that opened it;
// the mask is read by the caller afterwards.
int g_source = 0;
int g_gridBottom = 0;
std::atomic<uint64_t> g_mask{0};

bool exists(WindowHandle dlg, int id) {
  const WindowHandle box = GetDlgItem(dlg, id);
  return IsValidHandle(box);
}

// A disabled box refuses a check from outside; the dialog's own "all"
// reaches the source day's box too.
void setCheck(WindowHandle dlg, int id, bool on) {
  const WindowHandle box = GetDlgItem(dlg, id);
  const bool disabled = (GetWindowStyle(box) & WS_DISABLED) != 0;
  if (disabled) ExcludeWindowStyle(box, WS_DISABLED);
  SendMessage(box, BM_SETCHECK, on ? BST_CHECKED : 0, 0);
  if (disabled) IncludeWindowStyle(box, WS_DISABLED);
}

void createCell(WindowHandle dlg, int day, int n, const CtrlResInfo& cell, const char* caption, int w, int h) {
  const int x = cell.x + (n % kColumns) * cell.w, y = cell.y + (n / kColumns) * cell.h;
  CreateWindowEx("button", caption, kDayStyle, 0, kFirstDayId + day, x, y, w, h, dlg, 0);
  g_gridBottom = y + cell.h;
}

void createGrid(WindowHandle dlg) {
  pageframe::createFromKey(dlg, kSection, {"button", "week_all", kDayStyle | BS_MULTLINE, 0, kAllId, false});
  const CtrlResInfo* cell = pageframe::record(kSection, "week_day");
  int made = 0;
  if (cell) {
    for (int day = 0; day < SCHEDULE_HOLIDAY; ++day) {
      char caption[12];
      std::snprintf(caption, sizeof caption, "%d", day + 1);
      createCell(dlg, day, made++, *cell, caption, cell->w, cell->h);
    }
    if (const CtrlResInfo* hol = pageframe::record("scheduleset", "rect_hol"))
      createCell(dlg, SCHEDULE_HOLIDAY, made++, *cell, hol->caption ? hol->caption : "", hol->w, hol->h);
  }
  if (made == 0) ShowWindow(GetDlgItem(dlg, kAllId), SW_HIDE);
}

void init(WindowHandle dlg) {
  g_mask.store(0);
  g_gridBottom = 0;
  createGrid(dlg);
  const int y = pageframe::bottomRow(dlg);
  pageframe::createFromKey(dlg, kSection, {"button", "ok", kButtonStyle, 0, PAGE_ID_OK, false}, y);
  pageframe::createFromKey(dlg, kSection, {"button", "cancel", kButtonStyle, 0, IDCANCEL, false}, y);
  for (int day = 0; day < kDays; ++day)
    if (exists(dlg, kFirstDayId + day)) setCheck(dlg, kFirstDayId + day, false);
  // The device keeps holiday schedules: the holiday box stays as created.
  if (g_source >= 0 && g_source < kDays && exists(dlg, kFirstDayId + g_source))
    EnableWindow(GetDlgItem(dlg, kFirstDayId + g_source), FALSE);
  if (exists(dlg, IDCANCEL)) SetFocusChild(GetDlgItem(dlg, IDCANCEL));
}

uint64_t checkedDays(WindowHandle dlg) {
  uint64_t mask = 0;
  for (int day = 0; day < kDays; ++day)
    if (exists(dlg, kFirstDayId + day) && isChecked(dlg, kFirstDayId + day)) mask |= 1ull << day;
  return mask;
}

bool command(WindowHandle dlg, WParam wParam, LParam) {
  const int id = pageframe::idOf(wParam);
  if (id == kAllId) {
    const bool all = isChecked(dlg, kAllId);
    for (int day = 0; day < kDays; ++day)
      if (exists(dlg, kFirstDayId + day)) setCheck(dlg, kFirstDayId + day, all);
  } else if (id >= kFirstDayId && id <= kHolidayId) {
    if (!isChecked(dlg, id)) setCheck(dlg, kAllId, false);
  } else if (id == PAGE_ID_OK || id == IDCANCEL) {
    g_mask.store(id == PAGE_ID_OK ? checkedDays(dlg) : 0);
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  } else {
    return false;
  }
  return true;
}

void paint(WindowHandle dlg, WParam wParam, LParam lParam) {
  paintDialogBackground(dlg, wParam, lParam);
  const CtrlResInfo* r = pageframe::record(kSection, "week_chkbox_rect");
  if (!r) return;
  liveview_dialogs::eraseWith(dlg, wParam, lParam, [r](HDC hdc, const Rect&) {
    Rect frame{r->x, r->y, r->x + r->w, g_gridBottom + kFrameBelowGrid};
    drawRoundFrame(hdc, kGroupFrameStyle, &frame);
  });
}

const pageframe::DialogHooks kHooks{init, command, paint};

}  // namespace

extern "C" {

int showCopyWeekDialog(WindowHandle parent, int sourceDay) {
  g_source = sourceDay;
  return pageframe::runDialog(kSection, parent, pageframe::dialogProc<kHooks>);
}

uint64_t getCopyWeekMask(void) { return g_mask.load(); }

}  // extern "C"
