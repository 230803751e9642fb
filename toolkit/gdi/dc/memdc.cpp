// Memory DCs: compatible and explicit ones, conversion, surface alpha and
// colour key, deletion.
#include "gdi/dc/memdc.h"

#include <cstdio>
#include <mutex>
#include <new>

#include "gdi/dc/dc_attr.h"
#include "gdi/dc/gdi_heap.h"
#include "gdi/dc/pixel_ops.h"
#include "gdi/dc_window.h"
#include "gui/dc.h"

namespace gui::dc {
namespace {

constexpr uint32_t kConvertFlags = GAL_RLEACCEL;

SurfacePtr CreateSurfaceLocked(uint32_t flags, int w, int h, int bpp, uint32_t r, uint32_t g,
                               uint32_t b, uint32_t a) {
  std::lock_guard<std::mutex> hold(MainGdiLock());
  return SurfacePtr(GAL_CreateRGBSurface(flags, w, h, bpp, r, g, b, a));
}

// Regions on the GDI heap, clipped to the whole surface; the pixel
// operations pointed at it.
void AttachSurface(DC* dc, int w, int h) {
  InitClipRgn(&dc->localClip, GdiClipRectHeap());
  InitClipRgn(&dc->effClip, GdiClipRectHeap());
  dc->clipInfo = nullptr;
  dc->age = 0;
  dc->devRect = Rect{0, 0, w, h};
  SetClipRgn(&dc->effClip, &dc->devRect);
  SelectPixelOps(dc);
  RefreshDCGeometry(dc);
  if (dc->geomPixels) dc->moveTo(dc, 0, 0);
}

// The copy keeps what describes drawing (attributes, font, raster operation,
// colour tables) and drops whatever the source owns or points into.
void TakeDrawingStateOf(DC* dc, const DC& src, GalSurface* surface) {
  *dc = src;
  dc->dataType = kDcDataType;
  dc->dcType = kMemoryDC;
  dc->inUse = 1;
  dc->hwnd = DesktopWindow();
  dc->surface = surface;
  dc->alphaFormat = nullptr;
  dc->curClipBand = nullptr;
  dc->heldLock = nullptr;
  dc->client = 0;
  dc->rcOutput = Rect{};
}

}  // namespace

DCRecordPtr AllocDCRecord() {
  DCRecordPtr dc(new (std::nothrow) DC);
  if (!dc) std::fprintf(stderr, "Out of memory\n");
  return dc;
}

void GiveSurfacePalette(GalSurface* surface, const GalColor* colors) {
  const int bits = surface->format->bitsPerPixel;
  if (bits > 8 || !colors) return;
  GAL_SetPalette(surface, GAL_LOGPAL, const_cast<GalColor*>(colors), 0, 1 << bits);
}

HDC FinishMemDC(DCRecordPtr dc, SurfacePtr surface) {
  dc->dataType = kDcDataType;
  dc->dcType = kMemoryDC;
  dc->inUse = 1;
  dc->surface = surface.get();
  SetupWindowDC(dc.get(), DesktopWindow(), false);
  AttachSurface(dc.get(), surface->w, surface->h);
  surface.release();
  return HandleOfDC(dc.release());
}

bool IsMemDC(const DC* dc) { return dc && dc->dcType == kMemoryDC; }

}  // namespace gui::dc

using namespace gui::dc;

extern "C" {

HDC CreateCompatibleDCEx(HDC hdc, int width, int height) {
  DC* src = DcFromHandle(hdc);
  if (!src || !src->surface) return 0;
  ResolveTextTables(src);
  DCRecordPtr dc = AllocDCRecord();
  if (!dc) return 0;
  if (width < 1 || height < 1) {
    width = src->devRect.right - src->devRect.left;
    height = src->devRect.bottom - src->devRect.top;
  }
  const GalPixelFormat* f = src->surface->format;
  SurfacePtr surface = CreateSurfaceLocked(GAL_HWSURFACE, width, height, f->bitsPerPixel, f->rMask,
                                           f->gMask, f->bMask, f->aMask);
  if (!surface) return 0;
  if (f->palette) GiveSurfacePalette(surface.get(), f->palette->colors);
  TakeDrawingStateOf(dc.get(), *src, surface.get());
  AttachSurface(dc.get(), width, height);
  // Tables built on the source's alpha layer are read through one of the
  // copy's own.
  if (src->alphaFormat && GetDCAlphaFormat(dc.get()) != 0) {
    BuildTextColorTable(dc.get());
    BuildGlyphColorTable(dc.get());
  }
  surface.release();
  return HandleOfDC(dc.release());
}

HDC CreateMemDC(int width, int height, int depth, uint32_t flags, uint32_t rMask, uint32_t gMask,
                uint32_t bMask, uint32_t aMask) {
  if (width < 1 || height < 1) return 0;
  DCRecordPtr dc = AllocDCRecord();
  if (!dc) return 0;
  SurfacePtr surface = CreateSurfaceLocked(flags, width, height, depth, rMask, gMask, bMask, aMask);
  if (!surface) return 0;
  return FinishMemDC(std::move(dc), std::move(surface));
}

int ConvertMemDC(HDC memDC, HDC refDC, uint32_t flags) {
  DC* dc = DcFromHandle(memDC);
  const DC* ref = DcFromHandle(refDC);
  if (!IsMemDC(dc) || !ref || !ref->surface) return 0;
  GalSurface* converted =
      GAL_ConvertSurface(dc->surface, ref->surface->format, flags | kConvertFlags);
  if (!converted) return 0;
  ResolveTextTables(dc);
  const int oldBits = dc->surface->format->bitsPerPixel;
  GAL_FreeSurface(dc->surface);
  dc->surface = converted;
  SelectPixelOps(dc);
  RefreshDCGeometry(dc);
  // An alpha layer of the old depth would misread every table entry.
  if (dc->alphaFormat && converted->format->bitsPerPixel != oldBits) {
    DropDCAlphaFormat(dc);
    BuildTextColorTable(dc);
    BuildGlyphColorTable(dc);
  }
  return 1;
}

BOOL SetMemDCAlpha(HDC memDC, uint32_t flags, uint8_t alpha) {
  DC* dc = DcFromHandle(memDC);
  if (!IsMemDC(dc)) return FALSE;
  return GAL_SetAlpha(dc->surface, flags, alpha) == 0;
}

BOOL SetMemDCColorKey(HDC memDC, uint32_t flags, uint32_t colorKey) {
  DC* dc = DcFromHandle(memDC);
  if (!IsMemDC(dc)) return FALSE;
  return GAL_SetColorKey(dc->surface, flags, colorKey) == 0;
}

void DeleteMemDC(HDC memDC) {
  if (memDC == HDC_SCREEN) return;
  DC* dc = DcFromHandle(memDC);
  if (!IsMemDC(dc)) return;
  GAL_FreeSurface(dc->surface);
  DropDCAlphaFormat(dc);
  EmptyClipRgn(&dc->localClip);
  EmptyClipRgn(&dc->effClip);
  delete dc;
}

}  // extern "C"
