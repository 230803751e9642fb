/* The registration calls of every page library, made once by the program
 * entry (and by test programs that open pages through the menus) before the
 * toolkit starts. Only code that links every application library includes
 * this. */
#ifndef APP_PROGRAM_PAGES_H
#define APP_PROGRAM_PAGES_H

#include "app/alarmnet_pages.h"
#include "app/camera_pages.h"
#include "app/playback_pages.h"
#include "app/record_pages.h"
#include "app/system_pages.h"

inline void registerAppPages() {
  registerPlaybackPages();
  registerCameraPages();
  registerRecordPages();
  registerSystemPages();
  registerAlarmNetPages();
}

#endif
