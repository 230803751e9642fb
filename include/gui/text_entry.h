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
#define IPS_READONLYFIELDS 0x4u
/* The fields' focus notifications are passed on to the parent too. */
#define IPS_NOTIFY 0x8u
#define IPS_SKINNED 0x10u
/* The first IPv4 field takes 1..223 only: a host address. */
#define IPS_HOSTADDRESS 0x20u
/* Set by the settings pages on their address fields; the edit reads no
 * meaning from it. */
#define IPS_RESERVED9 0x200u
/* The address field of the settings pages. */
#define IPS_PAGEADDRESS (IPS_IPV4 | IPS_NOTIFY | IPS_HOSTADDRESS | IPS_RESERVED9)

/* IP-address edit messages; EM_SETSEL, EM_GETCARETPOS, EM_SETCARETPOS and
 * EM_GETLIMITTEXT go to the current field. */
#define IPM_GETLASTFIELD 0xF140 /* the last field's handle, -1 for no form */
#define IPM_GETFIELDTEXT 0xF141 /* field index, buffer of 5 bytes */
#define IPM_SHOWCARET 0xF142

/* IP-address edit notifications: a field's release; with IPS_NOTIFY also
 * a field's double click and its text changed by typing. */
#define IPN_DBLCLK 1
#define IPN_UPDATE 4
#define IPN_CLICKED 6

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
