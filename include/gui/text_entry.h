/* Text entry: the single-line edit ("sledit"), the IP-address edit
 * ("ipedit") and the soft keyboard window that types into them. */
#ifndef GUI_TEXT_ENTRY_H
#define GUI_TEXT_ENTRY_H

#include "gui/bitmap.h"
#include "gui/common.h"

/* IP-address edit styles: the low bits choose the form; a MAC edit shows
 * six hexadecimal fields. */
#define IPS_IPV4 0x1u
#define IPS_MAC 0x2u
/* The fields' focus notifications are passed on to the parent too. */
#define IPS_NOTIFY 0x8u

GUI_EXTERN_C_BEGIN

/* Creates the soft keyboard on a thread of its own and waits for it: its
 * handle, all ones when it could not be made (a skin is missing), 0 when a
 * soft keyboard is registered already. */
WindowHandle SKBWindow(void);

/* The keyboard's caps-lock state (0 or 1), readable from any thread. */
int GetSoftKeyboardCapsLock(void);

/* Module-wide flags of the two edits: 1 while the soft keyboard serves a
 * single-line edit / while a MAC-address edit shows its mode icon. */
void SetSLEditSKBState(int flag);
int GetSLEditSKBState(void);
void SetIPEditSKBState(int flag);

/* What hosts a single-line edit: 0 a main window (or nothing, or another
 * class), 2 an IP-address edit, 1 or 3 a combo box (1 with its style 0x4). */
int GetSLEditParentKind(WindowHandle edit);
/* A field not inside another control, or a plain (style 0x1000) field. */
BOOL IsFreeStandingEdit(WindowHandle edit);

BOOL RegisterSLEditClass(void);
BOOL RegisterIPEditClass(void);

GUI_EXTERN_C_END

#endif
