// Shared by the benchmarks that draw through window DCs: a window's visible
// region kept by the benchmark itself (no desktop), with the cursor guard's
// flush left out on request.
#pragma once

#include <mutex>

#include "gdi/dc_cursor.h"
#include "gdi/dc_window.h"
#include "gui/region.h"

namespace benchdc {

struct BenchClipInfo {
  std::mutex lock;
  ClipRgn region{};
  uint32_t age = 1;
};

inline BenchClipInfo* Info(const GlobalClipInfo* i) {
  return reinterpret_cast<BenchClipInfo*>(const_cast<GlobalClipInfo*>(i));
}

inline const gui::dc::ClipInfoOps kOps = {
    [](GlobalClipInfo* i) { Info(i)->lock.lock(); },
    [](GlobalClipInfo* i) { Info(i)->lock.unlock(); },
    [](const GlobalClipInfo* i) { return Info(i)->age; },
    [](const GlobalClipInfo* i) -> const ClipRgn* { return &Info(i)->region; },
};

inline void NoFlushGuard(int, DC*) {}
inline bool NoCursorPixel(int, int, GalPixel*) { return false; }
inline const gui::dc::CursorGuardOps kNoFlush = {NoFlushGuard, NoCursorPixel};

}  // namespace benchdc
