/* Language texts used as printf formats. A translated text may carry any
 * conversions; it is used as a format only when its conversions are exactly
 * the ones the caller passes ("d", "sss": one letter per argument, in order;
 * flags, width and precision digits and "%%" allowed). Any other text is
 * shown bare, so a bad translation never reads stray arguments. */
#ifndef APP_FORMAT_TEXT_H
#define APP_FORMAT_TEXT_H

#include <stdarg.h>

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* 1 when `format`'s conversions are exactly `conversions`. */
int formatMatches(const char* format, const char* conversions);
/* Writes the formatted text, or the bare format when it does not match;
 * an empty text for a null format. Answers the formatted length, -1 for a
 * null buffer or a size below 1 (nothing written). */
int formatChecked(char* buf, int size, const char* format, const char* conversions, ...);
int vformatChecked(char* buf, int size, const char* format, const char* conversions, va_list args);

GUI_EXTERN_C_END

#endif
