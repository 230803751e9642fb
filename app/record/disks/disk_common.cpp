// Helpers the disk health and advanced disk pages share.
#include <cstdio>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/disk_texts.h"
#include "app/msgbox.h"
#include "app/record/disks/disks.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/timer.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace disks {

void startPoll(WindowHandle page, int timer) {
  if (IsTimerInstalled(page, timer)) return;
  SetTimer(page, timer, kPollPeriod);
  setLiveViewActive(getMainOutput(), 0);
}

void stopPoll(WindowHandle page, int timer) {
  if (!IsTimerInstalled(page, timer)) return;
  KillTimer(page, timer);
  setLiveViewActive(getMainOutput(), 1);
}

void setText(WindowHandle page, int id, const char* text) {
  SendDlgItemMessage(page, id, MSG_SETTEXT, 0, reinterpret_cast<LParam>(text ? text : ""));
}

void enable(WindowHandle page, int id, bool on) { EnableWindow(GetDlgItem(page, id), on ? TRUE : FALSE); }

void show(WindowHandle page, int id, bool on) { ShowWindow(GetDlgItem(page, id), on ? SW_SHOW : SW_HIDE); }

const char* caption(const char* section, const char* key) {
  const char* text = lookupText(section, key);
  return text ? text : "";
}

bool isLocalDiskNumber(int number) { return isValidDiskNo(number) != 0; }

int fillDiskCombo(WindowHandle page, int id, bool (*keep)(int number)) {
  SendDlgItemMessage(page, id, CB_DELETEALL, 0, 0);
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = getDiskList(rows);
  int first = -1;
  for (int i = 0; i < count && i < DISK_LIST_ROWS; ++i) {
    const int number = diskNumberOf(&rows[i]);
    if (keep && !keep(number)) continue;
    char text[16];
    std::snprintf(text, sizeof text, "%d", number);
    SendDlgItemMessage(page, id, CB_ADDSTRING, static_cast<WParam>(number), reinterpret_cast<LParam>(text));
    if (first < 0) first = number;
  }
  return first;
}

}  // namespace disks
