// The clip API. A window DC keeps the chosen clipping as its local region
// (DC coordinates) and rebuilds its effective region (screen coordinates)
// from it; every other DC clips by its effective region alone.
#include <mutex>

#include "gdi/dc_record.h"
#include "gdi/dc_window.h"
#include "gui/dc.h"

using namespace gui::dc;

namespace {

// The local region's stand-in for "everything" before a first cut.
constexpr Rect kWholeLocalArea{0, 0, 65535, 65535};

// Screen, memory and slave-screen DCs start at (0, 0): for them DC and
// screen coordinates are the same.
bool IsWindowDC(const DC* dc) { return dc->dcType == kWindowDC; }

// A normalised copy of the caller's rectangle; false when it is empty.
bool NormalisedCopy(const Rect* rect, Rect* out) {
  if (!rect) return false;
  *out = *rect;
  NormalizeRect(out);
  return !IsRectEmpty(out);
}

Rect ToScreen(const DC* dc, Rect r) {
  return Rect{FarCoord(int64_t{r.left} + dc->devRect.left), FarCoord(int64_t{r.top} + dc->devRect.top),
              FarCoord(int64_t{r.right} + dc->devRect.left), FarCoord(int64_t{r.bottom} + dc->devRect.top)};
}

// Rebuilds a window DC's effective region from its local one.
void RefreshUnderClipLock(DC* dc) {
  if (!dc->clipInfo) return;
  LockClipInfo(dc->clipInfo);
  RefreshDCClipRgn(dc, true);
  UnlockClipInfo(dc->clipInfo);
}

// A DC without a window has no clip to rebuild from: what lies outside its
// device rectangle is not its memory, so its region never grows past it.
void CutEffectiveToDevice(DC* dc) { IntersectClipRect(&dc->effClip, &dc->devRect); }

// Exclusion and intersection: a window DC cuts its local region (the whole
// area when it had none) and its effective region at once, so the cut holds
// before and after the next rebuild.
void CutClip(HDC hdc, const Rect* rect, BOOL (*cut)(ClipRgn*, const Rect*)) {
  DC* dc = DcFromHandle(hdc);
  Rect r;
  if (!dc || !NormalisedCopy(rect, &r)) return;
  if (IsWindowDC(dc)) {
    if (IsEmptyClipRgn(&dc->localClip)) SetClipRgn(&dc->localClip, &kWholeLocalArea);
    cut(&dc->localClip, &r);
    dc->localCutToNothing = IsEmptyClipRgn(&dc->localClip);
  }
  const Rect screen = ToScreen(dc, r);
  cut(&dc->effClip, &screen);
}

}  // namespace

extern "C" {

void SelectClipRect(HDC hdc, const Rect* rect) {
  DC* dc = DcFromHandle(hdc);
  if (!dc) return;
  Rect r{0, 0, dc->devRect.right - dc->devRect.left, dc->devRect.bottom - dc->devRect.top};
  if (rect && !NormalisedCopy(rect, &r)) return;
  if (IsWindowDC(dc)) {
    if (rect)
      SetClipRgn(&dc->localClip, &r);
    else
      EmptyClipRgn(&dc->localClip);
    dc->localCutToNothing = false;
    RefreshUnderClipLock(dc);
    return;
  }
  if (IntersectRect(&r, &r, &dc->devRect))
    SetClipRgn(&dc->effClip, &r);
  else
    EmptyClipRgn(&dc->effClip);
}

void IncludeClipRect(HDC hdc, const Rect* rect) {
  DC* dc = DcFromHandle(hdc);
  Rect r;
  if (!dc || !NormalisedCopy(rect, &r)) return;
  if (IsWindowDC(dc)) {
    if (IsEmptyClipRgn(&dc->localClip))
      SetClipRgn(&dc->localClip, &r);
    else
      AddClipRect(&dc->localClip, &r);
    dc->localCutToNothing = false;
    RefreshUnderClipLock(dc);
    return;
  }
  AddClipRect(&dc->effClip, &r);
  CutEffectiveToDevice(dc);
}

void ExcludeClipRect(HDC hdc, const Rect* rect) { CutClip(hdc, rect, SubtractClipRect); }

void ClipRectIntersect(HDC hdc, const Rect* rect) { CutClip(hdc, rect, IntersectClipRect); }

void SelectClipRegion(HDC hdc, const ClipRgn* region) {
  DC* dc = DcFromHandle(hdc);
  if (!dc || !region) return;
  if (IsWindowDC(dc)) {
    if (!ClipRgnCopy(&dc->localClip, region)) EmptyClipRgn(&dc->localClip);
    dc->localCutToNothing = false;
    RefreshUnderClipLock(dc);
    return;
  }
  if (!ClipRgnCopy(&dc->effClip, region)) {
    EmptyClipRgn(&dc->effClip);
    return;
  }
  CutEffectiveToDevice(dc);
}

void GetBoundsRect(HDC hdc, Rect* bounds) {
  DC* dc = DcFromHandle(hdc);
  if (!dc || !bounds) return;
  *bounds = IsWindowDC(dc) ? dc->localClip.rcBound : dc->effClip.rcBound;
}

BOOL PtVisible(HDC hdc, int x, int y) {
  DC* dc = DcFromHandle(hdc);
  if (!dc) return FALSE;
  if (IsWindowDC(dc))
    return !LocalClipApplies(dc) || PtInRegion(&dc->localClip, x, y);
  return PtInRegion(&dc->effClip, x, y);
}

BOOL RectVisible(HDC hdc, const Rect* rect) {
  DC* dc = DcFromHandle(hdc);
  if (!dc || !rect) return FALSE;
  Rect r = *rect;
  NormalizeRect(&r);
  if (IsWindowDC(dc)) return !LocalClipApplies(dc) || RectInRegion(&dc->localClip, &r);
  return RectInRegion(&dc->effClip, &r);
}

}  // extern "C"
