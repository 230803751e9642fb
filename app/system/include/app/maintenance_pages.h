/* The pages of the maintenance menu the system library builds: system
 * information, restore defaults, configuration import and export, and the
 * firmware upgrade with its progress dialog. Each opens modeless beside the
 * maintenance menu; 0, or -1 when the window could not be made. */
#ifndef APP_MAINTENANCE_PAGES_H
#define APP_MAINTENANCE_PAGES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

int createSystemInfoWindow(WindowHandle owner);
int createDefaultSetWindow(WindowHandle owner);
int createConfigurationWindow(WindowHandle owner);
int createUpgradeWindow(WindowHandle owner);
/* The modal progress of an upgrade from `source` (mode 1 a file path, 0 an
 * FTP address); the result is getLastOpResult afterwards. The device ends
 * it with MSG_DISK_REFRESH (disk_texts.h), wParam the result. */
int showUpgradingDialog(WindowHandle owner, int mode, const char* source);
/* The address check of the FTP upgrade: four numbers of at most 255, or six
 * digit groups, joined by single dots; 1 valid, 0 not (null included). */
int isValidUpgradeIp(const char* text);

GUI_EXTERN_C_END

#endif
