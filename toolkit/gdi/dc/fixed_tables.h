// The square-root table behind fixsqrt and fixhypot (not exported).
#ifndef GDI_DC_FIXED_TABLES_H
#define GDI_DC_FIXED_TABLES_H

#include <cstdint>

#include "gui/fixed_math.h"

namespace gui {

extern const uint16_t kSqrtTable[256];

}  // namespace gui

#endif
