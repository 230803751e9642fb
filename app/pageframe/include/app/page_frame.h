/* What every settings page and dialog shares: the Apply helpers, the
 * background painters (app/dialog_hooks.h), the page registration and menu close helpers, the key
 * hooks of the pages under the system, maintenance, record and storage menus, and the
 * boxes of a failed save. */
#ifndef APP_PAGE_FRAME_H
#define APP_PAGE_FRAME_H

#include <stdbool.h>

#include "app/dialog_hooks.h"
#include "app/page_ids.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Enable Apply (PAGE_ID_APPLY): always, when a combo box's selection changed
 * (CBN_SELCHANGE), when its selection or its typed text changed
 * (CBN_SELCHANGE or CBN_EDITCHANGE), or when an edit's text was typed
 * (EN_UPDATE); the send's result, else the notification code. */
LResult enableApply(WindowHandle page, WParam wParam, LParam lParam);
LResult enableApplyOnNotify1(WindowHandle page, WParam wParam, LParam lParam);
LResult enableApplyOnNotify1Or5(WindowHandle page, WParam wParam, LParam lParam);
LResult enableApplyOnChange(WindowHandle page, WParam wParam, LParam lParam);

/* The value of the row chosen in combo box `id`; choosing the row that
 * holds `value`. */
int comboValue(WindowHandle window, int id);
void selectComboValue(WindowHandle window, int id, int value);
/* Whether button `id` is checked: a missing or three-state box that is not
 * plainly checked is not. */
bool isChecked(WindowHandle window, int id);
void setChecked(WindowHandle window, int id, bool on);

void registerSystemPage(WindowHandle page);
void registerMaintenancePage(WindowHandle page);
void registerDiskPage(WindowHandle page);
void registerManualPage(WindowHandle page);
/* Close handler of a manual page: unregisters and destroys it. */
void destroyManualPage(WindowHandle page);
/* Close handler of a system page: unregisters and destroys it. */
void closeMainWindow(WindowHandle page);

/* Send 102 to the open menu (or to the window in the first additional data
 * word of `window`); the send's result. */
LResult closeSystemMenu(void);
LResult closeMaintenanceMenu(void);
LResult closeManualMenu(void);
LResult closeRecordMenu(void);
LResult closeOwnerWindow(WindowHandle window);

/* Key hooks (MSG_KEYDOWN): 0 handled, -1 pass on. */
int systemPageHook(WindowHandle page, int key, int argument);
int maintenancePageHook(WindowHandle page, int key, int argument);
int recordPageHook(WindowHandle page, int key, int argument);
int diskPageHook(WindowHandle page, int key, int argument);
/* The key hook of the pages beside the manual menu. */
int onManualPageKeyUp(WindowHandle page, int key, int argument);

/* ("commons", "savefailed_code") with the code; the first shows nothing for
 * PAGE_CODE_DECLINED. Both answer 0. */
int showSaveFailedCode(WindowHandle window, int code);
int reportSaveFailed(WindowHandle window, int code);

GUI_EXTERN_C_END

#endif
