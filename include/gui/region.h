/* Rectangles, fixed-size block heaps and banded clip regions.
 *
 * A clip region is a list of non-overlapping rectangles sorted in bands:
 * rectangles with the same top form a band and share its bottom, a band is
 * sorted by left with no two rectangles touching, and two vertically adjacent
 * bands with the same left/right edges are merged. Every region operation
 * below leaves its result in that form. Regions are not locked; their owner
 * guards them. The nodes come from the region's BlockDataHeap. */
#ifndef GUI_REGION_H
#define GUI_REGION_H

#include <pthread.h>

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* ---- Rectangles (a destination may be one of the sources) ---- */

BOOL IsRectEmpty(const Rect* rect);
BOOL EqualRect(const Rect* a, const Rect* b);
void NormalizeRect(Rect* rect);
/* True when a lies wholly inside b. */
BOOL IsCovered(const Rect* a, const Rect* b);
/* dst is always written; true when it is not empty. */
BOOL IntersectRect(Rect* dst, const Rect* a, const Rect* b);
/* Rectangles that only touch along an edge or at a corner intersect. */
BOOL DoesIntersect(const Rect* a, const Rect* b);
/* True and dst = a ∪ b when that union is itself a rectangle; else dst is
 * left untouched. */
BOOL UnionRect(Rect* dst, const Rect* a, const Rect* b);
void GetBoundRect(Rect* dst, const Rect* a, const Rect* b);
/* a minus b as 0 to 4 rectangles in out; returns their number. */
int SubtractRect(Rect out[4], const Rect* a, const Rect* b);

/* ---- Block data heap ----
 * A pool of fixed-size blocks under its own mutex. Each block carries a
 * 32-bit tag word just in front of the caller's pointer. When the pool is
 * used up, blocks come from the general heap. */

#define BDH_TAG_FREE 0u
#define BDH_TAG_HEAP 1u
#define BDH_TAG_USED 2u

typedef struct BlockDataHeap {
  pthread_mutex_t lock;
  size_t bd_size;   /* bytes per block, tag header included */
  size_t heap_size; /* number of blocks in the pool */
  size_t free_hint; /* index where the next search starts */
  unsigned char* heap; /* the pool, made on the first allocation */
} BlockDataHeap;

void InitBlockDataHeap(BlockDataHeap* heap, size_t bd_size, size_t heap_size);
void* BlockDataAlloc(BlockDataHeap* heap);
void BlockDataFree(BlockDataHeap* heap, void* data);
/* Blocks taken from the general heap are the users' to give back first. */
void DestroyBlockDataHeap(BlockDataHeap* heap);

/* ---- Clip regions ---- */

#define NULLREGION 0
#define SIMPLEREGION 1
#define COMPLEXREGION 2

typedef struct ClipRect {
  Rect rc;
  struct ClipRect* next;
  struct ClipRect* prev;
} ClipRect;

typedef struct ClipRgn {
  uint32_t type; /* NULLREGION, SIMPLEREGION or COMPLEXREGION */
  Rect rcBound;  /* all zero when empty */
  ClipRect* head;
  ClipRect* tail;
  BlockDataHeap* heap;
} ClipRgn;

void InitClipRgn(ClipRgn* region, BlockDataHeap* heap);
/* A region on the GDI clip-rectangle heap; none when memory runs out. */
ClipRgn* CreateClipRgn(void);
void DestroyClipRgn(ClipRgn* region);
void EmptyClipRgn(ClipRgn* region);
BOOL IsEmptyClipRgn(const ClipRgn* region);
void GetClipRgnBoundRect(const ClipRgn* region, Rect* out);

BOOL SetClipRgn(ClipRgn* region, const Rect* rect);
BOOL ClipRgnCopy(ClipRgn* dst, const ClipRgn* src);
BOOL ClipRgnIntersect(ClipRgn* dst, const ClipRgn* a, const ClipRgn* b);
BOOL SubtractRegion(ClipRgn* dst, const ClipRgn* a, const ClipRgn* b);
BOOL UnionRegion(ClipRgn* dst, const ClipRgn* a, const ClipRgn* b);
BOOL XorRegion(ClipRgn* dst, const ClipRgn* a, const ClipRgn* b);

BOOL AddClipRect(ClipRgn* region, const Rect* rect);
BOOL IntersectClipRect(ClipRgn* region, const Rect* rect);
BOOL SubtractClipRect(ClipRgn* region, const Rect* rect);
void OffsetRegion(ClipRgn* region, int dx, int dy);

BOOL PtInRegion(const ClipRgn* region, int x, int y);
BOOL RectInRegion(const ClipRgn* region, const Rect* rect);

BOOL InitCircleRegion(ClipRgn* region, int x, int y, int r);
BOOL InitEllipseRegion(ClipRgn* region, int x, int y, int rx, int ry);
BOOL InitPolygonRegion(ClipRgn* region, const Point* points, int count);

GUI_EXTERN_C_END

#endif
