/* The mark of a device answer the caller must read: a write or an action
 * the device may refuse. A caller with a reason to drop it says why beside
 * an explicit (void). */
#ifndef APP_DEVICE_STATUS_H
#define APP_DEVICE_STATUS_H

#ifdef __cplusplus
#define DEVICE_STATUS [[nodiscard]]
#else
#define DEVICE_STATUS
#endif

#endif
