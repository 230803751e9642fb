// The S.M.A.R.T. attribute list: one row per reported attribute, judged
// against its threshold.
#include <cstdio>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/page_colours.h"
#include "app/smart_list.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/window.h"

namespace {

constexpr ListColumnDesc kSmartColumns[] = {
    {"smart_listv_id", 0, nullptr},        {"smart_listv_attr", 0, nullptr},  {"smart_listv_status", 0, nullptr},
    {"smart_listv_flags", 0, nullptr},     {"smart_listv_threshold", 0, nullptr},
    {"smart_listv_value", 0, nullptr},     {"smart_listv_worst", 0, nullptr}, {"smart_listv_rawvalue", 0, nullptr},
};

}  // namespace

extern "C" int addSmartAttrColumns(WindowHandle owner, int listId) {
  return addListViewColumns(owner, listId, "disk_smartinfo", kSmartColumns,
                            static_cast<int>(sizeof kSmartColumns / sizeof kSmartColumns[0]));
}

extern "C" const ValueKeyRow kSmartAttrNames[SMART_NAME_ROWS] = {
    {"Unknown attribute", 0},
    {"Raw Read Error Rate", 1},
    {"Throughput Performance", 2},
    {"Spin Up Time", 3},
    {"Start/Stop Count", 4},
    {"Reallocated Sector Count", 5},
    {"Read Channel Margin", 6},
    {"Seek Error Rate", 7},
    {"Seek Time Performance", 8},
    {"Power-on Hours Count", 9},
    {"Spin Up Retry Count", 10},
    {"Calibration Retry Count", 11},
    {"Power Cycle Count", 12},
    {"Soft Read Error Rate", 13},
    {"Reported Uncorrectable Errors", 187},
    {"High Fly Writes", 189},
    {"Temperature Difference from 100", 190},
    {"G-Sense Error Rate", 191},
    {"Power Off Retract Count", 192},
    {"Load/Unload Cycle Count", 193},
    {"Power temperature", 194},
    {"ECC on the Fly count", 195},
    {"Reallocation Event Count", 196},
    {"Current Pending Sector Count", 197},
    {"Off-line Scan Uncorrect. Sector Count", 198},
    {"Ultra ATA CRC Error Rate", 199},
    {"Write Error Count", 200},
    {"TA Increase Count", 202},
    {"Run Out Cancel", 203},
    {"Shock Count Write Opern", 204},
    {"Shock Rate Write Opern", 205},
    {"Flying Height Measurement", 206},
    {"Spin High Current", 207},
    {"Spin Buzz", 208},
    {"Offline Seek Performance", 209},
    {"Disk Shift", 220},
    {"G-Sense Error Rate", 221},
    {"Loaded Hours", 222},
    {"Load Retry Count", 223},
    {"Load Friction", 224},
    {"Load Cycle Count", 225},
    {"Load-in Time", 226},
    {"Torq-amp Count", 227},
    {"Power Off Retract Count", 228},
    {"Head Amplitude", 230},
    {"Temperature Celsius", 231},
    {"Head Flying Hours", 240},
    {"Read Error Retry Rate", 250},
};

namespace {

constexpr int kCellSize = 64;
constexpr int kColumns = 8;

uint64_t rawValue(const uint8_t (&raw)[6]) {
  uint64_t value = 0;
  for (int b = 5; b >= 0; --b) value = value << 8 | raw[b];
  return value;
}

void setCell(WindowHandle list, LResult row, int column, const char* text, GalPixel colour) {
  ListViewSubItemInfo cell{};
  cell.column = column;
  cell.text = const_cast<char*>(text);
  cell.textColor = colour;
  SendMessage(list, LVM_SETSUBITEM, static_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
}

void addRow(WindowHandle list, int index, const SmartAttribute& a, const SmartThreshold& t) {
  const bool ok = a.value > t.threshold;
  const GalPixel colour = SysPixelIndex[ok ? page_colours::kText : page_colours::kTextFailed];
  ListViewItemInfo item{};
  item.index = index;
  item.height = getOutputFontHeight(getCurOutput()) * 3 / 2;
  const LResult row = SendMessage(list, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&item));
  if (row == 0 || row == -1) return;
  char texts[kColumns][kCellSize];
  std::snprintf(texts[0], kCellSize, "0x%x", a.id);
  formatValueName(kSmartAttrNames, SMART_NAME_ROWS, a.id, texts[1], kCellSize);
  std::snprintf(texts[2], kCellSize, "%s", ok ? "OK" : "ILL");
  std::snprintf(texts[3], kCellSize, "%x", a.flags);
  std::snprintf(texts[4], kCellSize, "%d", t.threshold);
  std::snprintf(texts[5], kCellSize, "%d", a.value);
  std::snprintf(texts[6], kCellSize, "%d", a.worst);
  std::snprintf(texts[7], kCellSize, "%llu", static_cast<unsigned long long>(rawValue(a.raw)));
  for (int c = 0; c < kColumns; ++c) setCell(list, row, c, texts[c], colour);
}

}  // namespace

extern "C" {

void fillSmartAttrList(WindowHandle list, const SmartValues* smart) {
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  if (!smart) return;
  SendMessage(list, LVM_STOPREDRAW, 0, 0);
  for (int i = 0; i < SMART_ENTRIES; ++i)
    if (smart->attributes[i].id != 0) addRow(list, i, smart->attributes[i], smart->thresholds[i]);
  SendMessage(list, LVM_STARTREDRAW, 0, 0);
}

}  // extern "C"
