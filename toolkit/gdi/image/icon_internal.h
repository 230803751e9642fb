// Icon files parsed from a byte range, for callers (and fuzzing) that know
// the size of the data.
#ifndef GDI_IMAGE_ICON_INTERNAL_H
#define GDI_IMAGE_ICON_INTERNAL_H

#include <cstddef>

#include "gui/image.h"

namespace gui::image {

HICON LoadIconFromBytes(HDC hdc, const uint8_t* data, size_t size, int which);

}  // namespace gui::image

#endif
