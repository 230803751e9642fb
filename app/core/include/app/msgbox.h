/* Every box the user sees: titled with ("commons", "attention") and texted
 * from the language file by section and key. Each takes the owner first and
 * answers the box's answer unless stated. Styles (MsgBoxKind): 16 error with
 * OK, 34 question with Yes and No (Yes answers IDYES), 48 warning with OK, 64
 * information with OK. */
#ifndef APP_MSGBOX_H
#define APP_MSGBOX_H

#include "app/value_texts.h"

GUI_EXTERN_C_BEGIN

enum MsgBoxKind { MSGBOX_ERROR = 16, MSGBOX_QUESTION = 34, MSGBOX_WARNING = 48, MSGBOX_INFO = 64 };

/* 0 without a box when the text is missing. */
int showMsgBox(WindowHandle owner, const char* section, const char* key, int style);
/* 0 without a box when the title is missing. */
int showMsgBoxText(WindowHandle owner, const char* text, int style);
int showMsgBoxValueName(WindowHandle owner, const char* section, const ValueKeyRow* table, int count,
                        int value, int style);
/* Questions: -1 without a box when the text is missing. */
int askMsgBox(WindowHandle owner, const char* section, const char* key);
int askQuestionText(WindowHandle owner, const char* text);
int showRangeHintText(WindowHandle owner, const char* section, const char* key, const char* minText,
                      const char* maxText);
/* -1 without a box when min > max. */
int showRangeHint(WindowHandle owner, const char* section, const char* key, int min, int max);
/* Kind 1: 2000..65535; any other kind 1..65535. */
int showPortRangeHint(WindowHandle owner, int kind, const char* section, const char* key);
int showNameHint(WindowHandle owner, const char* section, const char* key);
int showValidWantedHint(WindowHandle owner, const char* section, const char* key);
int showMsgBoxNum(WindowHandle owner, const char* section, const char* key, int number);
/* 1 for Yes. The power-key flag stays set after Yes and is cleared
 * otherwise. */
int confirmMsgBox(WindowHandle owner, const char* section, const char* key);
int showChanNotAvailable(WindowHandle owner);
int showNoPermission(WindowHandle owner);
int askShutdown(WindowHandle owner);

/* The caption of (section, key) in the current language, or null. */
const char* lookupText(const char* section, const char* key);

GUI_EXTERN_C_END

#ifdef __cplusplus
#include <string>
namespace msgbox_seam {
// The toolkit's message box the functions above open; tests put a fake in
// its place and restore it with null.
using BoxFunction = int (*)(WindowHandle owner, const char* text, const char* caption, uint32_t type);
void setBoxFunction(BoxFunction box);
// Told the (section, key) of each box's text just before the box opens
// (nulls for a text that has none); null stops it.
using KeyObserver = void (*)(const char* section, const char* key);
void setKeyObserver(KeyObserver observe);
}  // namespace msgbox_seam
#endif

#endif
