/* The live-view side menu: one bar of picture buttons per output, acting on
 * the channel of the selected live-view window. createLeftMenuWindow and
 * refreshLeftMenuCaptions are declared with the other page entry points
 * (app/pages_calls.h). */
#ifndef APP_LEFT_MENU_H
#define APP_LEFT_MENU_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Button ids: 12288 + slot for the items, and the alternates that lie over
 * items 1 and 3. */
enum LeftMenuId {
  LEFTMENU_FULLSCREEN = 12288,
  LEFTMENU_STARTREC = 12289,
  LEFTMENU_PLAYBACK5M = 12290,
  LEFTMENU_OPENSOUND = 12291,
  LEFTMENU_SNAPSHOT = 12292,
  LEFTMENU_PTZ = 12293,
  LEFTMENU_DIGITZOOM = 12294,
  LEFTMENU_COLORSET = 12295,
  LEFTMENU_STRATEGY = 12296,
  LEFTMENU_HIDE = 12297,
  LEFTMENU_COMEBACK = 12301,
  LEFTMENU_STOPREC = 12302,
  LEFTMENU_CLOSESOUND = 12303
};

LResult leftMenuWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);
/* Whether item `slot` 0..9 has no button on `output` (slot 0 never has). */
int isLeftMenuSlotLeftOut(int slot, int output);
/* The bar's place on `output` before the live view moves it: width and
 * height from "leftmenu_rect" less the items left out; 0 without the record. */
int getLeftMenuGeometry(int output, Rect* out);

/* The bar's grip drag, one for both outputs. */
void setLeftMenuDragArmed(int value);
int getLeftMenuDragArmed(void);
void sideMenuMouseDown(WindowHandle hwnd, LParam lParam);
void sideMenuMouseUp(WindowHandle hwnd, LParam lParam);
void sideMenuMouseMove(WindowHandle hwnd, LParam lParam);
void sideMenuDragDone(WindowHandle hwnd, WParam wParam);

/* Item handlers, run on notification code 0 of a button. */
void onLeftMenuItem(WindowHandle menu, int id);
/* Hides the bar: the live-view pop-up closed, capture and drag ended, the
 * output's login checked again. */
void hideLeftMenu(WindowHandle menu);

GUI_EXTERN_C_END

#endif
