// The attribute, group and capacity controls of a disk's properties, shared
// by the local and the network disk dialogs.
#include <cstdio>

#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/liveview_dialogs.h"
#include "app/record/storage/storage_internal.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/static.h"
#include "gui/display.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace storage {
namespace attrs {
namespace {

constexpr uint32_t kLabelStyle = WS_CHILD | WS_VISIBLE | SS_EDITFRAME;
constexpr uint32_t kRadioStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTORADIOBUTTON;
constexpr uint32_t kGroupStyle = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr uint32_t kFirstRowEx = EDIT_CORNER_TOPLEFT | EDIT_CORNER_TOPRIGHT;
constexpr uint32_t kLastRadioEx = EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kRightEx = EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kFrameStyle = EDIT_CORNER_TOPLEFT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr int kGroupColumns = 8;

// How far the controls below the redundancy choice move up without it.
int shiftOf(const char* section) {
  if (hasDiskRedundancy()) return 0;
  const CtrlResInfo* r = pageframe::record(section, "attr_redundant");
  return r ? r->h : 0;
}

WindowHandle at(WindowHandle dialog, const char* section, const pageframe::Control& c, int shift) {
  const CtrlResInfo* r = pageframe::record(section, c.key);
  if (!r) return 0;
  return pageframe::createFromKey(dialog, section, c, r->y - shift);
}

void createGroups(WindowHandle dialog, const char* section, int shift) {
  const CtrlResInfo* r = pageframe::record(section, "disk_group_radio");
  if (!r) return;
  for (int i = 0; i < kGroupCount; ++i) {
    char text[12];
    std::snprintf(text, sizeof text, "%d", i + 1);
    const int64_t x = r->x + int64_t{i % kGroupColumns} * r->w, y = r->y - shift + int64_t{i / kGroupColumns} * r->h;
    CreateWindowEx("button", text, kGroupStyle, 0, kGroupFirst + i, static_cast<int>(x), static_cast<int>(y), r->w,
                   r->h, dialog, 0);
  }
}


}  // namespace

int create(WindowHandle dialog, const char* section) {
  const bool redundancy = hasDiskRedundancy() != 0;
  const int shift = shiftOf(section);
  pageframe::createFromKey(dialog, section, {"static", "diskattr", kLabelStyle, kFirstRowEx, kAttrLabel, false});
  pageframe::createFromKey(dialog, section, {"button", "attr_rw", kRadioStyle, 0, kAttrRw, false});
  pageframe::createFromKey(dialog, section,
                           {"button", "attr_readonly", kRadioStyle, redundancy ? 0 : kLastRadioEx, kAttrReadOnly, false});
  if (redundancy)
    pageframe::createFromKey(dialog, section, {"button", "attr_redundant", kRadioStyle, kLastRadioEx, kAttrRedundant, false});
  at(dialog, section, {"static", "group", WS_CHILD | WS_VISIBLE, 0, kGroupLabel, false}, shift);
  createGroups(dialog, section, shift);
  at(dialog, section, {"static", "capacity", kLabelStyle, kRightEx, kCapacity, true}, shift);
  return shift;
}

void show(WindowHandle dialog, const DiskInfo& row) {
  setChecked(dialog, kAttrReadOnly, row.readOnly != 0);
  setChecked(dialog, kAttrRedundant, row.readOnly == 0 && row.redundancy != 0);
  setChecked(dialog, kAttrRw, row.readOnly == 0 && row.redundancy == 0);
  for (int i = 0; i < kGroupCount; ++i) setChecked(dialog, kGroupFirst + i, false);
  if (row.group >= 1 && row.group <= kGroupCount) setChecked(dialog, kGroupFirst + row.group - 1, true);
  char text[32];
  formatCapacity(text, sizeof text, static_cast<int64_t>(row.capacity) << 20);
  setText(dialog, kCapacity, text);
}

bool click(WindowHandle dialog, int id) {
  if (id >= kAttrRw && id <= kAttrRedundant) {
    if (isChecked(dialog, id)) {
      for (int other = kAttrRw; other <= kAttrRedundant; ++other)
        if (other != id) setChecked(dialog, other, false);
    } else {
      setChecked(dialog, id, true);
    }
    enableApply(dialog, 0, 0);
    return true;
  }
  if (id >= kGroupFirst && id < kGroupFirst + kGroupCount) {
    if (isChecked(dialog, id))
      for (int i = 0; i < kGroupCount; ++i) setChecked(dialog, kGroupFirst + i, false);
    setChecked(dialog, id, true);
    enableApply(dialog, 0, 0);
    return true;
  }
  return false;
}

void paintDialog(WindowHandle dialog, const char* section, WParam hdc, LParam rect, bool withGroups) {
  paintDialogBackground(dialog, hdc, rect);
  const CtrlResInfo* r = pageframe::record(section, "disk_group_rect");
  if (!withGroups || !r) return;
  const int shift = shiftOf(section);
  liveview_dialogs::eraseWith(dialog, hdc, rect, [r, shift](HDC dc, const Rect&) {
    Rect frame{r->x, r->y - shift, r->x + r->w, r->y - shift + r->h};
    drawRoundFrame(dc, kFrameStyle, &frame);
  });
}

// The first checked group button's group, 0 when none is.
int chosenGroup(WindowHandle dialog) {
  for (int i = 0; i < kGroupCount; ++i)
    if (isChecked(dialog, kGroupFirst + i)) return i + 1;
  return 0;
}

}  // namespace attrs
}  // namespace storage
