// The 16 x 12 mark bitmap, redrawn for every use from one of three
// patterns in the menu item colours.
#pragma once

#include "gui/bitmap.h"

namespace menu {

enum class Mark { kDot = 1, kCheck = 2, kArrow = 3 };
constexpr int kMarkWidth = 16, kMarkHeight = 12;

void CreateMarkBitmap();
void DestroyMarkBitmap();
// The bitmap drawn with the pattern; its background is the colour key.
// Null when it could not be made. One buffer serves every call: popup menus
// are drawn on the desktop thread only, so nothing else writes it meanwhile.
const Bitmap* MarkBitmap(Mark mark, bool highlighted);

}  // namespace menu
