// The bitmaps the layout files name, loaded for the screen DC.
#pragma once

#include <vector>

#include "gui/bitmap.h"
#include "gui/layout.h"

// Loads a window bitmap for the screen DC; a failure leaves it all zero.
void LoadWindowBitmap(const char* file, Bitmap* bitmap);
// Frees the bitmaps of a table and leaves them all zero.
void UnloadWindowBitmaps(std::vector<WinBmpInfo>& table);
