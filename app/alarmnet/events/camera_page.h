// What the camera-menu pages with a live picture share: their keys, the
// live view's set-up and release, and the label split on a low-resolution
// output.
#ifndef APP_ALARMNET_EVENTS_CAMERA_PAGE_H
#define APP_ALARMNET_EVENTS_CAMERA_PAGE_H

#include "gui/common.h"

// MSG_KEYDOWN of a page: 0 when the key was handled, -1 to pass it on.
int onCameraPageKeyUp(WindowHandle page, int key, int flags);
// At creation: the page becomes the camera page and owns the live view.
void initCameraVideoPage(WindowHandle page);
// Gives the camera page and the live view back and stops the picture.
void releaseCameraVideoPage(WindowHandle page);
// MSG_CLOSE: releases the page as above and ends it.
void destroyCameraVideoPage(WindowHandle page, WParam wParam, LParam lParam);
// Last step of a page's initialisation, after its property sheet exists.
void applyLowResCtrlScale(WindowHandle page, WParam wParam, LParam lParam);

#endif
