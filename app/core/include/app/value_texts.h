/* Coded device values shown as words: each code family is a table of
 * (text key, value) rows; the first row with the value gives its key, shown
 * as it stands or looked up as a caption of a layout section. A value no row
 * knows reads "Unknown Type Value: 7" ("7 :Value Type Unknown" right to
 * left). Every text is cut to the caller's buffer and terminated; a null
 * buffer or a length below 1 gives -1 and writes nothing. */
#ifndef APP_VALUE_TEXTS_H
#define APP_VALUE_TEXTS_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

typedef struct ValueKeyRow {
  char key[64];
  int32_t value;
} ValueKeyRow;

int formatValueName(const ValueKeyRow* rows, int count, int value, char* out, int outLen);
int formatValueText(const char* section, const ValueKeyRow* rows, int count, int value, char* out,
                    int outLen);
int formatValueTextForOutput(int output, const char* section, const ValueKeyRow* rows, int count,
                             int value, char* out, int outLen);
int getRowValue(const ValueKeyRow* rows, int count, int index);
int formatUnknownValue(const void* table, int value, char* out, int outLen);

GUI_EXTERN_C_END

#endif
