// Puts a surface's clip rectangle back after a drawing set it per clip
// rectangle of a DC, so later blits into the surface see the whole of it.
#ifndef GDI_BITMAP_SURFACE_CLIP_H
#define GDI_BITMAP_SURFACE_CLIP_H

#include "gui/gal.h"

namespace gui::dc {

class SurfaceClipScope {
 public:
  explicit SurfaceClipScope(GalSurface* s) : surface_(s), saved_(s ? s->clipRect : GalRect{}) {}
  ~SurfaceClipScope() {
    if (surface_) surface_->clipRect = saved_;
  }
  SurfaceClipScope(const SurfaceClipScope&) = delete;
  SurfaceClipScope& operator=(const SurfaceClipScope&) = delete;

 private:
  GalSurface* surface_;
  GalRect saved_;
};

}  // namespace gui::dc

#endif
