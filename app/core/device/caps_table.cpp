// The settings pages' capability names: forwarded to the capability
// queries, or answered by the device where no capability field holds them.
#include "app/core/device/sim_state.h"
#include "app/device_ability.h"
#include "app/device_caps.h"

extern "C" {

int hasCaptureSchedule(void) { return hasPictureStorage(); }
int hasTamperAreaAbility(void) { return hasTamperOption(); }
int getMaxDiskCapacity(void) { return getDiskCapacityGb(); }

DEVICE_CONSTANT(needsMsgBoxRepaint, 0)
DEVICE_CONSTANT(hasNoDiskInit, 0)
DEVICE_CONSTANT(allowsSpecialNameChars, 1)
DEVICE_CONSTANT(getEncryptAbility, 1)
DEVICE_CONSTANT(hasDrawFrameMode, 0)
DEVICE_CONSTANT(isDeviceVariant, 0)
DEVICE_CONSTANT(getBandwidthKind, 3)
DEVICE_CONSTANT(getFtpServerNum, 2)
DEVICE_CONSTANT(hasPppoe, 1)

}  // extern "C"
