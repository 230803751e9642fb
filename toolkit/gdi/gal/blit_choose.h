// The interface between the blit map and the converting row loops.
#ifndef GDI_GAL_BLIT_CHOOSE_H
#define GDI_GAL_BLIT_CHOOSE_H

#include "gui/gal.h"

namespace gal {

// The row loop for a source whose map is not a plain copy (format
// conversion, colour key or alpha; index: bit 0 key, bit 1 alpha), or null
// when none exists for the pair.
GalRowBlit chooseConvertingBlit(GalSurface* surface, int index);

// The surface blit of a chosen map: the run-length blits when the surface
// allows them and encodes, else GAL_SoftBlit.
GalBlitFunc chooseSurfaceBlit(GalSurface* surface, int index);

}  // namespace gal

#endif
