// The fills and bitmap blits the controls draw with (FillBox,
// FillBoxWithBitmap, FillBoxWithBitmapPart, FillBoxWithBitampCombineEx,
// DrawIcon), declared in one place for every control.
#pragma once

#include "gui/bitmap.h"
#include "gui/image.h"
