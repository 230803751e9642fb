// The one helper the toolkit reads the element colours with; the indexes are
// the public WEC_* names of gui/element.h.
#pragma once

#include "gui/element.h"

inline GalPixel Color(int index) { return WinElementColors[index]; }
