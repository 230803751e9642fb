/* The removable-device module the maintenance pages share: the device
 * combo, the file list of the chosen device's current folder, the selected
 * file's path and the module's error boxes. A page names itself the client
 * and says what it uses the device for. This recorder has no removable
 * device: the combo stays empty and the check answers USBDEV_ERR_NO_DEVICE. */
#ifndef APP_USBDEV_H
#define APP_USBDEV_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Ids the pages give the module's controls. */
#define USBDEV_ID_LIST 4128
#define USBDEV_ID_REFRESH 4129
#define USBDEV_ID_DEVICE 4130
#define USBDEV_ID_NEW_FOLDER 4131
#define USBDEV_LIST_COLUMNS 6

/* What the device is used for: configuration files, firmware. */
#define USBDEV_PURPOSE_CONFIG 1
#define USBDEV_PURPOSE_UPGRADE 2

/* Codes of the check and of the selected path. */
#define USBDEV_ERR_NO_DEVICE (-40)
#define USBDEV_ERR_NOT_READY (-41)
#define USBDEV_NO_SELECTION (-50)
#define USBDEV_FOLDER_SELECTED (-51)
#define USBDEV_PATH_SIZE 1024

void setUsbdevPurpose(int purpose);
int getUsbdevPurpose(void);
/* 0 when a device is chosen and ready, else a USBDEV_ERR_* code. */
int checkUsbdev(void);
/* The box of a check's code (nothing for 0). */
void showUsbdevError(WindowHandle owner, int code);
/* Fills the owner's device combo with the present devices (value: the
 * device's index) and answers how many there are. */
int fillUsbdevCombo(WindowHandle owner);
/* Chooses device `index` (out of range: none) and lists its top folder in
 * the owner's file list; 0, or a USBDEV_ERR_* code. */
int selectUsbdev(WindowHandle owner, int index);
/* Non-zero when the chosen device is an optical disc. */
int usbdevIsCd(void);
/* Lists the current folder again. */
void refreshUsbdevList(WindowHandle owner);
/* How the list is refilled after a write: 0 from the current folder. */
int getUsbdevListMode(void);
/* The full path of the list's selected row into `out` (at most `size` - 1
 * characters, ended): 0, USBDEV_NO_SELECTION, USBDEV_FOLDER_SELECTED, or -1
 * for a path that does not fit. */
int getUsbdevSelectedPath(WindowHandle owner, char* out, int size);
/* The list's columns from the layout section's file columns. */
int addUsbdevColumns(WindowHandle owner, const char* section);
/* Keys 150 and 153 of a page showing the list: nothing to do here. */
int usbdevKeyHandler(WindowHandle owner, int key);
/* The modal new-folder dialog on the chosen device; 0 when a folder was
 * made. */
int showNewFolderDialog(WindowHandle owner);

GUI_EXTERN_C_END

#ifdef __cplusplus
#include <string>
#include <vector>
namespace usbdev_seam {
// A test makes a removable device present (optical disc or not) holding
// these top-level entries; `absent` takes it away again.
struct Entry {
  std::string name;
  bool folder;
};
void present(bool cd, const std::vector<Entry>& entries);
void absent();
}  // namespace usbdev_seam
#endif

#endif
