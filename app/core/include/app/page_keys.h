/* The key codes the settings pages act on (message 18's first parameter):
 * the host keyboard's codes for Escape and the arrows, and the front
 * panel's keys. */
#ifndef APP_PAGE_KEYS_H
#define APP_PAGE_KEYS_H

enum {
  PAGE_KEY_ESCAPE = 1,
  PAGE_KEY_UP = 103,
  PAGE_KEY_LEFT = 105,
  PAGE_KEY_RIGHT = 106,
  PAGE_KEY_DOWN = 108,
  PAGE_KEY_EDIT = 147,      /* modify or show the properties of the selected row */
  PAGE_KEY_PLAY = 150,
  PAGE_KEY_ACTION = 153,    /* the row's own action: detail, delete, ... */
  PAGE_KEY_CHECK = 154,     /* tick the selected row */
  PAGE_KEY_CHECK_ALL = 155
};

#endif
