/* Keyboard layouts, key translation into characters, and accelerator
 * tables. Key messages carry the scan code (a Linux input key code) in
 * wParam and the shift-state word of the event layer in lParam. */
#ifndef GUI_KEYBOARD_H
#define GUI_KEYBOARD_H

/* Host keys go by their input-event names (KEY_ESC, KEY_ENTER, KEY_UP...). */
#include <linux/input-event-codes.h>

#include "gui/common.h"
#include "gui/message.h"

/* Keys of the recorder's front panel and remote control: input codes the
 * host keyboard does not send, with meanings of their own. */
#define PANEL_KEY_POWER 120
#define PANEL_KEY_SYMBOLS 130   /* the input method's symbol mode */
#define PANEL_KEY_EDIT 147      /* change the focused item: a row, a box's check, a part */
#define PANEL_KEY_PLAY 150
#define PANEL_KEY_ACTION 153    /* the selected row's own action: detail, delete, ... */
#define PANEL_KEY_CHECK 154     /* tick the selected row */
#define PANEL_KEY_CHECK_ALL 155
#define PANEL_KEY_OUTPUT 157    /* switch the output the menus show on */
#define PANEL_KEY_TYPE 180      /* start or end typing into a field */
#define PANEL_KEY_CLEAR 183

GUI_EXTERN_C_BEGIN

/* 1 when the layout exists ("default") and is now current, else 0. */
BOOL SetKeyboardLayout(const char* name);
/* Sends the characters a key message makes (19, or 24 for each of several
 * bytes) to the message's window; always 0. */
BOOL TranslateMessage(const Message* msg);
/* 1 and the byte in *ch when the key makes exactly one byte, else 0. */
int TranslateKeyMsgToChar(int message, WParam scanCode, LParam shiftState, char* ch);

/* ---- Accelerators ---- */

typedef struct AccelTable AccelTable;

#define ACCEL_ERR_NOT_TABLE (-3)
#define ACCEL_ERR_NO_MEMORY (-7)
#define ACCEL_ERR_EXISTS (-12)
#define ACCEL_ERR_NOT_FOUND (-13)
#define ACCEL_ERR_OTHER_WINDOW (-14)

/* The table and item pools, made by InitGUI's accelerator stage. */
BOOL InitAccel(void);
void TerminateAccel(void);

AccelTable* CreateAcceleratorTable(WindowHandle hwnd);
int DestroyAcceleratorTable(AccelTable* table);
/* key: a character, or a scan code with bit 0x100; mask: shift-state bits
 * (both bits of a left/right pair accept either side). */
int AddAccelerators(AccelTable* table, int key, int modifierMask, WParam wParam, LParam lParam);
int DeleteAccelerators(AccelTable* table, int key, int modifierMask);
AccelTable* CopyAcceleratorTable(AccelTable* table);
/* Sends 288 (or 289 for Alt messages) for the first matching item. */
int TranslateAccelerator(AccelTable* table, const Message* msg);

GUI_EXTERN_C_END

#endif
