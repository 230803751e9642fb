// The numbering of alarm inputs and outputs, the IP cameras that report
// alarms, and the rows every alarm list shares.
#include "app/alarmnet/alarms/alarm_items.h"

#include <cstring>

#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/page_keys.h"
#include "gui/button.h"
#include "gui/gal.h"
#include "gui/window.h"
#include "gui/message.h"
#include "gui/control_paint.h"
#include "gui/display.h"
#include "gui/window_attr.h"

namespace alarms {

const ValueKeyRow kAlarmTypes[2] = {{"normallyopen", 0}, {"normallyclose", 1}};
const ValueKeyRow kOutputDelays[8] = {{"delay_value_5", 0},   {"delay_value_10", 1},  {"delay_value_30", 2},
                                      {"delay_value_60", 3},  {"delay_value_120", 4}, {"delay_value_300", 5},
                                      {"delay_value_600", 6}, {"delay_value_manual", 7}};

int localCount(Side side) {
  const int n = side == Side::kIn ? getAlarmInNum() : getAlarmOutNum();
  return n < 0 ? 0 : (n > 32 ? 32 : n);
}

int ipAlarmCameras(IpAlarmCamera* out, int max) {
  uint64_t mask = 0;
  getIpChannelNum(&mask);
  int made = 0;
  for (int j = 1; j <= IP_ALARM_CAMERAS && made < max; ++j) {
    if (!((mask >> (j - 1)) & 1u)) continue;
    IpAlarmCamera c{};
    c.position = j;
    if (getChannelAlarmFlags(j, &c.inputs, &c.outputs) != 0) continue;
    // An IP camera has at most 16 of each.
    c.inputs = c.inputs < 0 ? 0 : (c.inputs > 16 ? 16 : c.inputs);
    c.outputs = c.outputs < 0 ? 0 : (c.outputs > 16 ? 16 : c.outputs);
    IpChannelInfo info{};
    c.hasInfo = getIpChannelInfo(j, &info, 0) == 0;
    // The address text leads the camera record.
    std::memcpy(c.address, info.bytes, 64);
    c.address[64] = '\0';
    out[made++] = c;
  }
  return made;
}

const char* localFormat(Side side) { return side == Side::kIn ? "A<-%d" : "A->%d"; }
const char* ipFormat(Side side) { return side == Side::kIn ? "D%d<-%d" : "D%d->%d"; }

HLVROW addAlarmRow(WindowHandle list, int key, uint32_t rowFlags, const char* const* cells, int count,
                   bool checkCell) {
  ListViewItemInfo item{};
  item.index = key;
  item.addData = static_cast<uintptr_t>(key);
  item.height = getOutputFontHeight(getCurOutput()) * 3 / 2;
  item.flags = rowFlags;
  const LResult added = SendMessage(list, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&item));
  if (added == 0 || added == -1) return nullptr;
  HLVROW row = reinterpret_cast<HLVROW>(added);
  for (int column = 0; column < count; ++column) {
    ListViewSubItemInfo cell{};
    cell.column = column;
    cell.text = const_cast<char*>(cells[column]);
    cell.textColor = SysPixelIndex[page_colours::kText];
    cell.flags = column == 0 && checkCell ? LVFLAG_CHECKBOX : 0;
    SendMessage(list, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
  }
  return row;
}

void setRowCell(WindowHandle list, HLVROW row, int column, const char* text) {
  ListViewSubItemInfo cell{};
  cell.column = column;
  cell.text = const_cast<char*>(text);
  cell.textColor = SysPixelIndex[page_colours::kText];
  SendMessage(list, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
}

int selectedRowKey(WindowHandle list, HLVROW* rowOut) {
  int32_t key = -1;
  const LResult row = SendMessage(list, LVM_GETSELECTEDITEM, 0, reinterpret_cast<LParam>(&key));
  if (row == 0 || row == -1) return -1;
  if (rowOut) *rowOut = reinterpret_cast<HLVROW>(row);
  return key;
}

bool toggleListKeys(WindowHandle owner, WindowHandle list, int key) {
  if (key == PANEL_KEY_CHECK_ALL) {
    SendMessage(list, LVM_TOGGLECHECKALL, 0, 0);
    return true;
  }
  if (key != PANEL_KEY_CHECK) return false;
  HLVROW row = nullptr;
  if (selectedRowKey(list, &row) < 0) {
    showMsgBox(owner, "commons", "itemselect", MSGBOX_INFO);
    return true;
  }
  const LParam r = reinterpret_cast<LParam>(row);
  if (SendMessage(list, LVM_GETCHECKED, 0, r) == 1) {
    SendMessage(list, LVM_SETUNCHECKED, 0, r);
    SendMessage(list, LVM_SETHEADCHECK, 0, 0);
  } else {
    SendMessage(list, LVM_SETCHECKED, 0, r);
  }
  return true;
}

void copyName(char (&to)[33], const char (&from)[32]) {
  std::memcpy(to, from, sizeof from);
  to[32] = '\0';
}

void enableSystemMenu(bool enable) {
  const WindowHandle menu = getSystemMenuWnd();
  if (IsValidHandle(menu)) EnableWindow(menu, enable ? TRUE : FALSE);
}

}  // namespace alarms
