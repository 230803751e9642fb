// A list row's picture, drawn as the list box draws it: the combo box shows
// the chosen row's picture the same way.
#pragma once

#include <cstdint>

#include "gui/common.h"

namespace listbox {

// The image (a Bitmap* when bitmap, else an icon handle) at x, stretched to
// the row height h; x moves past it. A null image draws nothing.
void PaintItemImage(HDC hdc, uintptr_t image, bool bitmap, int& x, int y, int h);

}  // namespace listbox
