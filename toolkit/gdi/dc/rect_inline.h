// The rectangle helpers that drawing loops call per glyph or per clip
// rectangle, inline; the exported functions of the same work call these.
#ifndef GDI_DC_RECT_INLINE_H
#define GDI_DC_RECT_INLINE_H

#include <algorithm>

#include "gui/region.h"

namespace gui::rect {

// As IntersectRect: the overlap in `dst` (which may alias a source), true
// when it is not empty.
inline bool Intersect(Rect* dst, const Rect& a, const Rect& b) {
  const Rect r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
  *dst = r;
  return r.left < r.right && r.top < r.bottom;
}

inline Rect Normalized(const Rect& r) {
  return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

// As GetBoundRect: the box around both, each normalized first.
inline void Bound(Rect* dst, const Rect& a, const Rect& b) {
  const Rect na = Normalized(a), nb = Normalized(b);
  *dst = {std::min(na.left, nb.left), std::min(na.top, nb.top), std::max(na.right, nb.right),
          std::max(na.bottom, nb.bottom)};
}

}  // namespace gui::rect

#endif
