// The stock bitmaps an open popup draws with. A missing one reads as
// null, and the popup then uses zero sizes and plain fills.
#pragma once

#include "gui/bitmap.h"

namespace menu {
// "caption", loaded again at each layout and shared by every popup.
void ReloadCaptionSkin();
const Bitmap* CaptionSkin();
// "rirur_menu": the highlight band and the least height of a text row.
const Bitmap* HighlightSkin();
}  // namespace menu
