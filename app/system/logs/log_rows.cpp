// The cells of a log result row.
#include "app/system/logs/log_rows.h"

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/page_colours.h"
#include "app/system/logs/log_tables.h"
#include "gui/gal.h"
#include "gui/window.h"

namespace logs {
namespace {

constexpr int kIconPlay = 0, kIconNotSupported = 5, kIconDetail = 6;

void setCell(WindowHandle list, LResult row, int column, const std::string& text, int icon = -1) {
  ListViewSubItemInfo cell{};
  cell.column = column;
  cell.text = const_cast<char*>(text.c_str());
  cell.textColor = SysPixelIndex[page_colours::kText];
  if (icon >= 0) {
    cell.flags = LVFLAG_BITMAP;
    cell.image = reinterpret_cast<uintptr_t>(&getListViewBitmaps()->icons[icon]);
  }
  SendMessage(list, LVM_SETSUBITEM, static_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
}

}  // namespace

RowTexts rowTexts(const LogRecord& r, int index, bool pictureCapture) {
  return {std::to_string(index), majorText(r.major), timeText(r.time), minorText(r, pictureCapture), paramText(r),
          r.channel > 0};
}

void addLogRow(WindowHandle list, int position, int index, const LogRecord& r, bool pictureCapture) {
  ListViewItemInfo item{};
  item.index = position;
  item.height = getOutputFontHeight(getCurOutput()) * 3 / 2;
  const LResult row = SendMessage(list, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&item));
  if (row == 0 || row == -1) return;
  const RowTexts t = rowTexts(r, index, pictureCapture);
  setCell(list, row, 0, t.number);
  setCell(list, row, 1, t.major);
  setCell(list, row, 2, t.time);
  setCell(list, row, 3, t.minor);
  setCell(list, row, 4, t.param);
  setCell(list, row, 5, "", t.playable ? kIconPlay : kIconNotSupported);
  setCell(list, row, 6, "", kIconDetail);
}

}  // namespace logs
