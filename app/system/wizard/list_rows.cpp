// The check-box lists of the disk and camera pages: rows, the tick keys and
// the ticked rows.
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/page_keys.h"
#include "app/system/wizard/wizard_lists.h"
#include "gui/dialog.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/window.h"

namespace wizard {

bool addRow(WindowHandle list, int index, const Cell* cells, int count, bool checkBox) {
  ListViewItemInfo item{};
  item.index = index;
  item.height = getOutputFontHeight(getCurOutput()) * 3 / 2;
  item.flags = checkBox ? LVIF_CHECKBOX : 0;
  const LResult row = SendMessage(list, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&item));
  if (row == 0 || row == -1) return false;
  for (int column = 0; column < count; ++column) {
    ListViewSubItemInfo cell{};
    cell.column = column;
    cell.text = const_cast<char*>(cells[column]);
    cell.textColor = SysPixelIndex[page_colours::kText];
    SendMessage(list, LVM_SETSUBITEM, static_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
  }
  if (checkBox) SendMessage(list, LVM_SETUNCHECKEDBYKEY, static_cast<WParam>(index), 0);
  return true;
}

bool rowChecked(WindowHandle page, int listId, int index) {
  return SendDlgItemMessage(page, listId, LVM_GETCHECKEDBYKEY, static_cast<WParam>(index), 0) == 1;
}

bool listKey(WindowHandle page, int listId, int key) {
  if (key == PANEL_KEY_CHECK_ALL) {
    SendDlgItemMessage(page, listId, LVM_TOGGLECHECKALL, 0, 0);
    return true;
  }
  if (key != PANEL_KEY_CHECK) return false;
  int32_t selected = -1;
  if (SendDlgItemMessage(page, listId, LVM_GETSELECTEDITEM, 0, reinterpret_cast<LParam>(&selected)) == 0 ||
      selected < 0) {
    showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return true;
  }
  const bool on = rowChecked(page, listId, selected);
  if (on) SendDlgItemMessage(page, listId, LVM_SETHEADCHECK, 0, 0);
  SendDlgItemMessage(page, listId, on ? LVM_SETUNCHECKEDBYKEY : LVM_SETCHECKEDBYKEY, static_cast<WParam>(selected), 0);
  return true;
}

}  // namespace wizard
