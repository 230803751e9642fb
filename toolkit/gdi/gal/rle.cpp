// Run-length form of surfaces. Nothing encodes surfaces yet, so a surface
// never carries the run-length flag unless a caller set it by hand; decoding
// then only drops the mark and encoding reports that it is unavailable.
#include "gdi/gal/gal_internal.h"

namespace gal {

void unRleSurface(GalSurface* surface, bool keepMarked) {
  if (!keepMarked) surface->flags &= ~GAL_RLEACCEL;
}

int rleSurface(GalSurface*) { return -1; }

}  // namespace gal
