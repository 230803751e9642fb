/* The search pages of the playback library, which the export menu opens
 * through the page registry, and their registration. */
#ifndef APP_PLAYBACK_PAGES_H
#define APP_PLAYBACK_PAGES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* The general, event and picture search pages (modeless under the export
 * menu). */
int createSearchEventWindow(WindowHandle owner);
int createSearchGenWindow(WindowHandle owner);
int createSearchPicWindow(WindowHandle owner);

/* Registers the search pages with the page registry. */
void registerPlaybackPages(void);

GUI_EXTERN_C_END

#endif
