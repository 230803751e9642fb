/* The S.M.A.R.T. attribute list that the S.M.A.R.T. page and the log detail
 * share. */
#ifndef APP_SMART_LIST_H
#define APP_SMART_LIST_H

#include "app/device_records.h"
#include "app/value_texts.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Refills the list's eight columns (id, name, status, flags, threshold,
 * value, worst, raw value) with one row per non-zero attribute id, "OK" in
 * white when the value is above its threshold, else "ILL" in red. A null
 * report only empties the list. The report is the values block of a
 * DiskSmartInfo (its `values`) or of a log record. */
void fillSmartAttrList(WindowHandle list, const SmartValues* smart);

/* The list's eight columns, captioned from the S.M.A.R.T. window's layout
 * section; the columns added, as addListViewColumns answers. */
int addSmartAttrColumns(WindowHandle owner, int listId);

/* The attribute names: 48 rows, an id no row knows in the unknown form. */
#define SMART_NAME_ROWS 48
extern const ValueKeyRow kSmartAttrNames[SMART_NAME_ROWS];

GUI_EXTERN_C_END

#endif
