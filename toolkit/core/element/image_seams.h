// Calls into the bitmap drawing and image loading that are built
// separately (fills, bitmap boxes, three-part skins, screen read-back,
// bitmap and icon files). Each stand-in does the least the finished call
// does and is replaced by it when that area lands.
#pragma once

#include "gui/bitmap.h"
#include "gui/common.h"

extern "C" {
void FillBox(HDC hdc, int x, int y, int w, int h);
BOOL GetBitmapFromDC(HDC hdc, int x, int y, int w, int h, Bitmap* bitmap);
BOOL FillBoxWithBitmap(HDC hdc, int x, int y, int w, int h, const Bitmap* bitmap);
BOOL FillBoxWithBitmapPart(HDC hdc, int x, int y, int w, int h, int bw, int bh, const Bitmap* bitmap, int xo,
                           int yo);
BOOL FillBoxWithBitampCombineEx(HDC hdc, int x, int y, int w, int h, const Bitmap* bitmap, BOOL head, BOOL tail,
                                BOOL vertical);
int LoadBitmapFromFile(HDC hdc, Bitmap* bitmap, const char* fileName);
int UnloadBitmap(Bitmap* bitmap);
uintptr_t LoadIconFromFile(HDC hdc, const char* fileName, int which);
BOOL DestroyIcon(uintptr_t icon);
BOOL DrawIcon(HDC hdc, int x, int y, int w, int h, uintptr_t icon);
uintptr_t LoadCursorFromFile(const char* fileName);
}
