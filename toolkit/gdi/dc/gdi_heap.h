// The GDI clip-rectangle heap: one process-wide BlockDataHeap of 128
// ClipRect nodes shared by every thread, for DC regions and CreateClipRgn.
#ifndef GDI_DC_GDI_HEAP_H
#define GDI_DC_GDI_HEAP_H

#include "gui/region.h"

namespace gui {

constexpr size_t kGdiClipRectBlocks = 128;

// Created on first use (thread-safe) and kept for the life of the process,
// so regions bound to it stay valid across a shut-down and a new start-up.
BlockDataHeap* GdiClipRectHeap();

}  // namespace gui

#endif
