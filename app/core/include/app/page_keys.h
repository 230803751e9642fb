/* The key codes the settings pages act on (MSG_KEYDOWN's first parameter):
 * the host keyboard's by their input-event names (KEY_ESC, KEY_UP...), the
 * front panel's by theirs (PANEL_KEY_EDIT, PANEL_KEY_CHECK...). */
#ifndef APP_PAGE_KEYS_H
#define APP_PAGE_KEYS_H

#include "gui/keyboard.h"

#endif
