// Calls into the image loading that is built separately (bitmap, icon and
// cursor files). Each stand-in does the least the finished call
// does and is replaced by it when that area lands.
#pragma once

#include "gui/bitmap.h"
#include "gui/common.h"

extern "C" {
int LoadBitmapFromFile(HDC hdc, Bitmap* bitmap, const char* fileName);
int UnloadBitmap(Bitmap* bitmap);
uintptr_t LoadIconFromFile(HDC hdc, const char* fileName, int which);
BOOL DestroyIcon(uintptr_t icon);
BOOL DrawIcon(HDC hdc, int x, int y, int w, int h, uintptr_t icon);
uintptr_t LoadCursorFromFile(const char* fileName);
}
