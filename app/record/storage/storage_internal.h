// What the storage pages share inside the library.
#pragma once

#include <string>

#include "app/device_records.h"
#include "app/page_building.h"
#include "gui/dialog.h"

namespace storage {

constexpr int kCursorArrow = 0, kCursorBusy = 13;

// The caption of a layout record, or "" when there is none.
const char* caption(const char* section, const char* key);
// Sets a control's text (MSG_SETTEXT).
void setText(WindowHandle window, int id, const char* text);
void showCursor(int index);
bool isWindow(WindowHandle hwnd);

// The device's disk rows; the count, 0 without a disk.
int readDisks(DiskInfo (&rows)[DISK_LIST_ROWS]);
// A disk number's identifier halves for device calls.
inline int busOf(int number) { return (number - 1) / 2; }
inline int portOf(int number) { return (number - 1) % 2; }

// A long disk operation: the power key flagged, display switching off, the
// main output's live view held and the busy cursor; all given back when
// the scope ends, whichever way it ends.
class BusyState {
 public:
  BusyState();
  ~BusyState();
  BusyState(const BusyState&) = delete;
  BusyState& operator=(const BusyState&) = delete;
};

// The storage menu is disabled while a dialog of its page runs.
class MenuDisabled {
 public:
  MenuDisabled();
  ~MenuDisabled();
  MenuDisabled(const MenuDisabled&) = delete;
  MenuDisabled& operator=(const MenuDisabled&) = delete;
};

// Groups and attributes shared by the local and network disk dialogs.
namespace attrs {
constexpr int kAttrRw = 19762, kAttrReadOnly = 19763, kAttrRedundant = 19764;
constexpr int kGroupLabel = 19765, kCapacity = 19766, kAttrLabel = 19761;
constexpr int kGroupFirst = 19776, kGroupCount = 16;
// Builds the attribute, group and capacity controls below `top` of the
// layout (all from `section`); the shift applied (0 with redundancy).
int create(WindowHandle dialog, const char* section);
void show(WindowHandle dialog, const DiskInfo& row);
// The click of an attribute or group button; true when it was one.
bool click(WindowHandle dialog, int id);
// The dialog background, with the group frame when `withGroups`.
void paintDialog(WindowHandle dialog, const char* section, WParam hdc, LParam rect, bool withGroups);
int chosenGroup(WindowHandle dialog);
}  // namespace attrs

// Refreshes the totals of the disk list page shown by the window hosting
// `dialog`'s parent sheet.
void refreshHostTotals(WindowHandle dialog);

}  // namespace storage
