// The five pixel operations a DC carries, picked from fixed tables by the
// surface's bytes per pixel and the DC's raster operation, so the inner
// loops of lines, fills and blits never test either.
#ifndef GDI_DC_PIXEL_OPS_H
#define GDI_DC_PIXEL_OPS_H

#include "gdi/dc_record.h"

namespace gui::dc {

constexpr int kRopCount = 4;
constexpr int kDepthCount = 4;

// Entry (bytes per pixel - 1) + 4 * raster operation.
extern const SetPixelOp kSetPixelOps[kDepthCount * kRopCount];
extern const SetSpanOp kSetSpanOps[kDepthCount * kRopCount];
extern const PutSpanOp kPutSpanOps[kDepthCount * kRopCount];
// Rows down from the current pixel, every step-th: the vertical form of a
// span, which leaves the current pointer below the last row drawn.
extern const SetSpanOp kSetColumnOps[kDepthCount * kRopCount];
// Entry bytes per pixel - 1.
extern const MoveToOp kMoveToOps[kDepthCount];
extern const StepOp kStepOps[kDepthCount];

// Bytes per pixel of the DC's surface, clamped to the tables (1..4).
int DepthIndexOf(const DC* dc);
// All five operations for the DC's raster operation and depth.
void SelectPixelOps(DC* dc);
// Only the three that depend on the raster operation.
void SelectRopOps(DC* dc);

}  // namespace gui::dc

#endif
