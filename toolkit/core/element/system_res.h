// Start-up and shut-down of the display skins, and the cursor files.
#pragma once

#include "core/control_support.h"  // GetDisplayStockBitmap
#include "gui/bitmap.h"
#include "gui/common.h"

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
