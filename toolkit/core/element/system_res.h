// Start-up and shut-down of the display skins, and the cursor files.
#pragma once

#include "gui/bitmap.h"
#include "gui/common.h"

// A stock bitmap of the main or the auxiliary display, whichever is
// current: a caller that reads the output once loads every skin of one
// display even while the current one changes.
const Bitmap* GetDisplayStockBitmap(bool auxiliary, const char* name, int x, int y);
// Every stock bitmap of the current display, as start-up asks once per
// display.
void PreloadStockBitmaps();
// System bitmaps and icons of the current display: 1, or 0 at the first
// that does not load.
int LoadSystemResources();
void UnloadSystemResources();
// Tests put skins made in memory in place of files (a loaded one is freed
// first; Bitmap{} empties the entry); the caller keeps the pixels.
void PutStockBitmapForTest(const char* name, bool auxiliary, const Bitmap& bitmap);
void PutSystemBitmapForTest(int n, bool auxiliary, const Bitmap& bitmap);
