/* The "toolbar" control: a row of equally sized picture buttons with
 * normal, hot and pushed pictures; a click reports the item's identifier
 * as the notification code. Additional data 1 at creation: item width in
 * bits 16-31, height in bits 0-15. */
#ifndef GUI_TOOLBAR_H
#define GUI_TOOLBAR_H

#include <stdint.h>

#define TOOLBAR_PATH_SIZE 1034

#define TOOLBAR_ADDITEM 0xFE00 /* lParam a ToolbarItemInfo */

typedef struct ToolbarItemInfo {
  intptr_t reserved; /* not read */
  int id;
  char normalPath[TOOLBAR_PATH_SIZE];
  char hotPath[TOOLBAR_PATH_SIZE];    /* empty: the normal picture */
  char pushedPath[TOOLBAR_PATH_SIZE]; /* empty: the normal picture */
} ToolbarItemInfo;

#endif
