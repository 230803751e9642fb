/* The camera library's registration, made once by the program entry. */
#ifndef APP_CAMERA_PAGES_H
#define APP_CAMERA_PAGES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Registers the camera menu with the page registry. */
void registerCameraPages(void);

GUI_EXTERN_C_END

#endif
