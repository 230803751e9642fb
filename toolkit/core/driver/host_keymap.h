// Host key positions to Linux input key codes.
#ifndef CORE_DRIVER_HOST_KEYMAP_H
#define CORE_DRIVER_HOST_KEYMAP_H

namespace host {

// The Linux key code of an SDL scancode, 0 for keys without one.
int LinuxKeyFromScancode(int scancode);

}  // namespace host

#endif
