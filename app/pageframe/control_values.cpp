// Reading and setting the value of a page's combo boxes and check boxes.
#include "app/page_frame.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"

int comboValue(WindowHandle window, int id) {
  return static_cast<int>(SendDlgItemMessage(window, id, CB_GETSELVALUE, 0, 0));
}

void selectComboValue(WindowHandle window, int id, int value) {
  SendDlgItemMessage(window, id, CB_SELECTVALUE, static_cast<WParam>(value), 0);
}

bool isChecked(WindowHandle window, int id) { return SendDlgItemMessage(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void setChecked(WindowHandle window, int id, bool on) {
  SendDlgItemMessage(window, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}
