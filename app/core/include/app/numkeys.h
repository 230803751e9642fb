/* Channel numbers typed on the front panel's or the remote's numeric keys.
 * Set A: keys 131..139 digits 1..9, 140 the tenth key, 141..146 channels
 * 11..16 at once. Set B: keys 194..202 digits 1..9, 203 digit 0. A digit
 * that is not followed within a second ends the entry on timer 8192 of the
 * window that takes the keys. -9 means nothing entered. */
#ifndef APP_NUMKEYS_H
#define APP_NUMKEYS_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define NUMKEY_NONE (-9)
#define NUMKEY_TIMER_ID 8192
#define NUMKEY_TIMER_PERIOD 10

int isNumKeyA(int key);
int isNumKeyB(int key);
void resetNumKeyEntry(WindowHandle hwnd);
int isNumKeyEntryActive(void);
/* A key of neither set cancels an entry in progress. */
void onNumKeyFirst(WindowHandle hwnd, int key);
/* A key of the other set starts a new entry; then as numKeyEntryStep. */
int onNumKey(WindowHandle hwnd, int key, int maxDigits);
/* The entry's value once it is complete, else NUMKEY_NONE. */
int numKeyEntryStep(WindowHandle hwnd, int key, int maxDigits);
int isNumKeyEntryDone(void);
int getNumKeyEntryValue(void);

GUI_EXTERN_C_END

#endif
