/* Named bitmaps of a layout window, copied out of the layout once and kept
 * by the window that draws them. */
#ifndef APP_LAYOUT_BITMAPS_H
#define APP_LAYOUT_BITMAPS_H

#include "gui/bitmap.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

typedef struct NamedBitmap {
  const char* key;
  Bitmap bitmap;
  int loaded; /* 0 when the layout has no such key (bitmap zeroed) */
} NamedBitmap;

/* Loads each key of `window` from the main display's layout, or the
 * auxiliary display's when `aux` is set; missing keys are skipped. Answers
 * how many were loaded. */
int loadNamedBitmaps(const char* window, NamedBitmap* items, int count, int aux);
/* The loaded bitmap of `key`, or null. */
const Bitmap* findNamedBitmap(const NamedBitmap* items, int count, const char* key);

GUI_EXTERN_C_END

#endif
