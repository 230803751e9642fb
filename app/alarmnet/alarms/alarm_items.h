// What the alarm pages share: the numbering of inputs and outputs, the IP
// cameras that report alarms, and the rows of the alarm lists.
#pragma once

#include <cstdint>

#include "app/device_records.h"
#include "app/device_records_net.h"
#include "app/page_building.h"
#include "app/value_texts.h"
#include "gui/listview.h"

namespace alarms {

enum class Side { kIn, kOut };

// Item values: local item i (0-based) is i + 1, item k (1-based) of the IP
// camera at position j (1-based) is j * 256 + k. A code is value - 1.
inline int localValue(int index) { return index + 1; }
inline int ipValue(int position, int k1) { return position * 256 + k1; }
inline int groupOfCode(int code) { return code / 256; }
inline int indexOfCode(int code) { return code % 256; }

int localCount(Side side);

// An IP camera slot present in the IP channel mask whose alarm counts the
// device returned; `hasInfo` when its camera record was returned too.
struct IpAlarmCamera {
  int position;  // 1-based
  int inputs;
  int outputs;
  bool hasInfo;
  char address[65];
};
inline int countOf(const IpAlarmCamera& c, Side side) { return side == Side::kIn ? c.inputs : c.outputs; }
// The cameras in position order; the number written (at most `max`).
int ipAlarmCameras(IpAlarmCamera* out, int max);

// Row and label formats of the lists and selection boxes.
const char* localFormat(Side side);  // "A<-%d" / "A->%d"
const char* ipFormat(Side side);     // "D%d<-%d" / "D%d->%d"

// Value tables of the alarm type and the output delay.
extern const ValueKeyRow kAlarmTypes[2];
extern const ValueKeyRow kOutputDelays[8];

// A list row keyed `key` (also its item data) with flags `rowFlags` and
// up to four cells in white; cell 0 carries a check box when `checkCell`.
HLVROW addAlarmRow(WindowHandle list, int key, uint32_t rowFlags, const char* const* cells, int count,
                   bool checkCell);
// Sets one cell's text in white.
void setRowCell(WindowHandle list, HLVROW row, int column, const char* text);
// The key of the selected row, or -1.
int selectedRowKey(WindowHandle list, HLVROW* rowOut = nullptr);
// The check key toggles the selected row's check (no selection: the "itemselect"
// hint), the check-all key toggles every row; true when the key was one of them.
bool toggleListKeys(WindowHandle owner, WindowHandle list, int key);

// The name of a device record, terminated.
void copyName(char (&to)[33], const char (&from)[32]);

// Runs `open` with the system menu window disabled around it.
template <typename F>
void withMenuDisabled(F open);
void enableSystemMenu(bool enable);
template <typename F>
void withMenuDisabled(F open) {
  enableSystemMenu(false);
  open();
  enableSystemMenu(true);
}

// Refills the status page's input or output list when it is open.
void refillStatusList(Side side);

}  // namespace alarms

// The copy dialogs: the source item value, then the choice as a mask
// (local items first, then one bit per IP camera) and one byte per camera.
extern "C" {
int showCopyAlarmInDialog(WindowHandle parent, int value);
int showCopyAlarmOutDialog(WindowHandle parent, int value);
void getCopyAlarmInChoice(uint64_t* mask, uint8_t* bytes);
void getCopyAlarmOutChoice(uint64_t* mask, uint8_t* bytes);
}
