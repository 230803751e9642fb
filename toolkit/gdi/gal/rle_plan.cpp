// Planning the blit of a colour-keyed code: one walk with every check,
// kept for the blits that follow.
#include <limits>
#include <new>
#include <utility>

#include "gdi/gal/rle_code.h"
#include "gdi/gal/rle_walk.h"

namespace gal::rle {

namespace {

// Bounds the plan's memory (20 bytes or so per segment). Small surfaces,
// whose blits are short, gain from a plan; the blit of a large one is
// bound by its memory traffic, which reading a plan beside the code only
// adds to, so it keeps none.
constexpr size_t kMaxPlannedSegments = 4096;

uint32_t countsAt(const uint8_t* p, int countWidth) {
  return countWidth == 2 ? readCounts<4>(p) : readCounts<2>(p);
}

// Adds one row to the plan with the checks of walkRow; false (the plan
// unchanged) at the end of the code and at damage.
bool planRow(const Code& code, Reader& r, int width, int bpp, KeyPlan& plan) {
  const int cw = bpp == 4 ? 2 : 1;
  const size_t checks = plan.checks.size(), runs = plan.runs.size();
  const uint32_t w = static_cast<uint32_t>(width), pixelBytes = static_cast<uint32_t>(bpp);
  Reader at = r;
  uint32_t offset = 0;
  bool sound = true;
  do {
    const uint8_t* counts = at.p;
    uint32_t skip, n;
    const uint8_t* pixels = nullptr;
    sound = at.segment(cw, &skip, &n) && (skip || n) && (offset += skip) + n <= w &&
            (pixels = at.take(static_cast<size_t>(n) * bpp)) != nullptr;
    if (!sound) break;
    plan.checks.push_back(KeyPlan::Check{static_cast<uint32_t>(counts - code.bytes), countsAt(counts, cw)});
    if (n)
      plan.runs.push_back(KeyPlan::Run{static_cast<uint32_t>(pixels - code.bytes), offset * pixelBytes, n * pixelBytes});
    offset += n;
  } while (offset < w);
  if (!sound) {
    plan.checks.resize(checks);
    plan.runs.resize(runs);
    return false;
  }
  r = at;
  plan.rowChecks.push_back(static_cast<uint32_t>(plan.checks.size()));
  plan.rowRuns.push_back(static_cast<uint32_t>(plan.runs.size()));
  return true;
}

}  // namespace

void planKey(Code* code, int width, int bpp) {
  KeyPlan plan;
  plan.width = width;
  plan.bpp = bpp;
  if (code->size <= std::numeric_limits<uint32_t>::max() && width > 0 && bpp >= 1 && bpp <= 4) {
    try {
      Reader r(*code);
      while (plan.checks.size() <= kMaxPlannedSegments && planRow(*code, r, width, bpp, plan))
        plan.end = static_cast<uint32_t>(r.p - code->bytes);
      if (plan.checks.size() > kMaxPlannedSegments) plan = KeyPlan{};
      plan.checks.shrink_to_fit();
      plan.runs.shrink_to_fit();
      plan.rowChecks.shrink_to_fit();
      plan.rowRuns.shrink_to_fit();
    } catch (const std::bad_alloc&) {
      plan = KeyPlan{};
    }
  }
  code->plan = std::move(plan);
}

}  // namespace gal::rle
