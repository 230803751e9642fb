/* The built-in words of dialogs and message boxes and their translation. */
#ifndef GUI_SYS_TEXT_H
#define GUI_SYS_TEXT_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define SYS_TEXT_WORDS 10

/* "Close", "OK", "Next", "Cancel", "Previous", "Yes", "No", "Abort",
 * "Retry", "Ignore". */
extern const char* const SysText[SYS_TEXT_WORDS];
/* The translated words in the same order, or SysText itself when no
 * translation is installed; desktop messages 208 and 211 reset it. */
extern const char* const* local_SysText;

/* The translation of a built-in word; any other word comes back as is. */
const char* GetSysText(const char* word);

GUI_EXTERN_C_END

#endif
