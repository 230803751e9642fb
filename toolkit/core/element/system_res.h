// Start-up and shut-down of the display skins, and the cursor files.
#pragma once

#include "core/control_support.h"  // GetDisplayStockBitmap
#include "gui/bitmap.h"
#include "gui/common.h"

// Every stock bitmap of the current display, as start-up asks once per
// display.
void PreloadStockBitmaps();
// The stock bitmaps that did not load: one warning line each, once start-up
// is past every stage that needs one of them (a stage that cannot do
// without one names it in its refusal instead).
void WarnOfStockBitmapsNotLoaded();
// System bitmaps and icons of the current display: 1, or 0 when one of
// them does not load (each such file is warned of; the rest still load).
int LoadSystemResources();
void UnloadSystemResources();
// Tests put skins made in memory in place of files (a loaded one is freed
// first; Bitmap{} empties the entry); the caller keeps the pixels.
void PutStockBitmapForTest(const char* name, bool auxiliary, const Bitmap& bitmap);
void PutSystemBitmapForTest(int n, bool auxiliary, const Bitmap& bitmap);
