// What the memory-DC constructors share: the owners of a half-made record
// and surface, and the common finish.
#ifndef GDI_DC_MEMDC_H
#define GDI_DC_MEMDC_H

#include <memory>

#include "gdi/dc_record.h"

namespace gui::dc {

struct SurfaceDeleter {
  void operator()(GalSurface* surface) const { GAL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<GalSurface, SurfaceDeleter>;
using DCRecordPtr = std::unique_ptr<DC>;

// A fresh record, or null (with the diagnostic) when memory runs out.
DCRecordPtr AllocDCRecord();

// Gives an 8-bit-or-less surface the first 1 << depth colours.
void GiveSurfacePalette(GalSurface* surface, const GalColor* colors);

// Type, attribute defaults, regions and device rectangle (0, 0, w, h) of a
// memory DC that owns `surface`; returns its handle.
HDC FinishMemDC(DCRecordPtr dc, SurfacePtr surface);

bool IsMemDC(const DC* dc);

}  // namespace gui::dc

#endif
