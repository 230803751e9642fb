// Stand-ins for what the removable-device module asks of the system pages:
// the new-folder dialog makes no folder.
#include "app/usbdev.h"

extern "C" {

int showNewFolderDialog(WindowHandle) { return -1; }

}  // extern "C"
