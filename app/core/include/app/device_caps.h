/* Capability names of the settings pages, each answered from the device's
 * capability queries or by the device itself. The answer of this device is
 * given beside each name.
 *
 * | name                      | answered by                                 | here |
 * |---------------------------|---------------------------------------------|------|
 * | hasCaptureSchedule        | hasPictureStorage (pictures exist)          | 1    |
 * | hasTamperAreaAbility      | hasTamperOption                             | 1    |
 * | needsMsgBoxRepaint        | the device                                  | 0    |
 * | hasNoDiskInit             | the device                                  | 0    |
 * | allowsSpecialNameChars    | the device                                  | 1    |
 * | getEncryptAbility         | the device                                  | 1    |
 * | hasDrawFrameMode          | the device                                  | 0    |
 * | hasLocalDisk              | record_pages.h: a local row in the disk list| 0    |
 * | hasDetectableDisk         | record_pages.h: hasDiskDetect and that row  | 0    |
 * | isDeviceVariant           | the device                                  | 0    |
 * | getBandwidthKind          | the device: 1 total, 2 receive and send, 3  | 3    |
 * | getFtpServerNum           | the device                                  | 2    |
 * | hasPppoe                  | the device                                  | 1    |
 * | getMaxDiskCapacity        | getDiskCapacityGb                           | 0    |
 * | IP count of copy loops and| getIpChannelNum (device_backend.h)          | 0    |
 * |   network statistics      |                                             |      |
 * | interface count (netda)   | getNetInterfaceCount (device_backend_net.h) | -1   |
 * | hasMultiNic, getNicNum    | device_ability.h                            | 0, 1 |
 * | isNicModeSupported        | device_ability.h                            | 1..6 |
 * | hasIpv6, hasFtp, hasSnmp  | device_ability.h                            | 1    |
 * | hasRtspPort               | device_ability.h                            | 1    |
 * | hasPoe                    | device_ability.h                            | 0    |
 * | hasCvbsOutput             | device_ability.h                            | 1    |
 * | hasContrastSetting        | device_ability.h                            | 0    |
 * | hasDiskDetect             | device_ability.h                            | 1    |
 * | hasDiskModeSetting        | device_ability.h                            | 0    |
 * | getEsataNum, getMiniSasNum| device_ability.h                            | 1, 96|
 * | getLocalDiskNum           | device_ability.h                            | 17   |
 * | getAlarmInNum/OutNum      | device_ability.h                            | 16, 4|
 */
#ifndef APP_DEVICE_CAPS_H
#define APP_DEVICE_CAPS_H

#include "app/device_ability.h"

GUI_EXTERN_C_BEGIN

int hasCaptureSchedule(void);
int hasTamperAreaAbility(void);
int needsMsgBoxRepaint(void);
int hasNoDiskInit(void);
int allowsSpecialNameChars(void);
int getEncryptAbility(void);
int hasDrawFrameMode(void);
int isDeviceVariant(void);
int getBandwidthKind(void);
int getFtpServerNum(void);
int hasPppoe(void);
int getMaxDiskCapacity(void);
/* 1 when interface `index` is listed present: none on a single-interface
 * device, else each index below getNicNum. */
int isNicPresent(int index);

GUI_EXTERN_C_END

#endif
