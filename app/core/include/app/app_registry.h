/* Where the application's windows find each other: the three output ids,
 * what each output shows, the handles of the open windows, the start-up
 * copies of the device records and a few per-output screen queries.
 *
 * Every value is one word, written and read whole without a lock; the
 * toolkit's threads read them through the call-backs. A per-output value has
 * a main slot and an auxiliary slot: getters read the main slot for the main
 * id and the auxiliary slot for any other id. Strict setters ignore an id
 * that is neither output; loose setters write the auxiliary slot for it. */
#ifndef APP_APP_REGISTRY_H
#define APP_APP_REGISTRY_H

#include "app/device_records.h"

GUI_EXTERN_C_BEGIN

/* Output ids (1 composite, 2 HDMI, 3 VGA); 3, 3 and 1 until main sets them. */
void setCurOutput(int id);
int getCurOutput(void);
void setMainOutput(int id);
int getMainOutput(void);
void setAuxOutput(int id);
int getAuxOutput(void);

/* What an output shows, one of the OUTSTATE_* values of gui/app_hooks.h;
 * 0 for an unknown id; the setter is strict. */
void setOutputState(int output, int state);
int getOutputState(int output);
/* 1 while nothing holds the output's live view; loose setter. */
void setLiveViewActive(int output, int on);
int isLiveViewActive(int output);

/* Handles of open windows; GUI_INVALID_HANDLE when none. */
void setLoginWnd(int output, WindowHandle hwnd); /* strict */
WindowHandle getLoginWnd(int output);
void setLeftMenuWnd(int output, WindowHandle hwnd); /* strict */
WindowHandle getLeftMenuWnd(int output);
void setInstantPlayWnd(int output, WindowHandle hwnd); /* loose */
WindowHandle getInstantPlayWnd(int output);
void setPlaybackWnd(int output, WindowHandle hwnd); /* loose */
WindowHandle getPlaybackWnd(int output);
void setSideBarWnd(int output, WindowHandle hwnd); /* loose */
WindowHandle getSideBarWnd(int output);
/* By output id 0..3; the slots start at 0, other ids give -1. */
void setPtzStatusWnd(int output, WindowHandle hwnd);
WindowHandle getPtzStatusWnd(int output);
/* Extra windows of the toolkit's policy queries: nothing opens them. */
WindowHandle getPreviewExtraWnd(int output);
WindowHandle getOutputExtraWnd(int output);
WindowHandle getPlaybackExtraWnd(int output);

#define APP_SINGLE_WINDOW(Name)            \
  void set##Name##Wnd(WindowHandle hwnd); \
  WindowHandle get##Name##Wnd(void);
#define APP_SINGLE_WINDOWS(X)                                                                     \
  X(LeftColorSet) X(CopyChan) X(OutModeSet) X(PlaySmall) X(ExportMenu) X(SearchPic)              \
  X(SmartSearch) X(MainMenu) X(ManualMenu) X(ManualPage) X(DiskMenu) X(DiskPage) X(FormatOwner)  \
  X(RecordMenu) X(RecordPage) X(CameraMenu) X(CameraPage) X(SystemMenu) X(SystemPage)             \
  X(MaintenanceMenu) X(MaintenancePage) X(AddIpc) X(PreviewStrategy)
APP_SINGLE_WINDOWS(APP_SINGLE_WINDOW)
#undef APP_SINGLE_WINDOW

/* Windows that register themselves; nothing reads these. */
void setSearchResultWnd(WindowHandle hwnd);
void setEventResultWnd(WindowHandle hwnd);
void setEventDetailWnd(WindowHandle hwnd);
void setPicResultWnd(WindowHandle hwnd);
void setResolutionWnd(WindowHandle hwnd);
void setUsbClientWnd(WindowHandle hwnd);
void setPreviewSmallWnd(WindowHandle hwnd);

/* Label and control shares of a labelled row, in tenths (3 and 7). */
void setCtrlScale(int labelTenths, int ctrlTenths);
int getLabelScale(void);

/* The start-up copies of the device records, kept for the whole run. */
DeviceInfo* getCachedDeviceInfo(void);
UserConfig* getCachedUserConfig(void);

/* The copy of the device's configuration, kept for the whole run. The
 * toolkit's threads read it as they run while the application's threads
 * change it, so it is read and written only through these, on any thread:
 * every word the toolkit reads (gui/app_hooks.h) as one relaxed atomic of
 * its width, every other byte as a relaxed atomic byte. A store writes only
 * what differs; a change edits a copy of the record as it stands, under the
 * lock every writer takes. */
DeviceConfig cachedDeviceConfig(void);
void storeCachedDeviceConfig(const DeviceConfig* config);
void changeCachedDeviceConfig(void (*change)(DeviceConfig* config, void* context), void* context);
/* Where the copy lies, for the toolkit's call-back alone. */
void* cachedDeviceConfigAddress(void);

/* Screen queries per output. */
int getOutputFontHeight(int output);
int getScreenWidth(int output);
int getScreenHeight(int output);
/* Picture size of a video output under `config`; 0, or -1 for a null size. */
int getOutputScreenSize(int output, DeviceConfig config, Size* size);
/* Whether the current output's video standard is `std` (1 NTSC, 2 PAL). */
int isVideoStandard(int std);
WindowHandle getTopMainWindow(void);

/* Shared words the toolkit reads: the idle handler acts only while the
 * session flag is set; display switching follows the enabled flag. */
void setSessionFlag(int value);
int getSessionFlag(void);
void setDispSwitchEnabled(int value);
int isDispSwitchEnabled(void);

GUI_EXTERN_C_END

#ifdef __cplusplus
/* The change as a function of the record: `change(DeviceConfig&)`. */
template <typename Change>
void changeCachedDeviceConfig(Change change) {
  changeCachedDeviceConfig([](DeviceConfig* config, void* context) { (*static_cast<Change*>(context))(*config); },
                           &change);
}
#endif

#endif
