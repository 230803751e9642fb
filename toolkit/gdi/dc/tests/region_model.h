// Test helpers: a brute-force pixel-set model of a region and a checker of
// the banded form every region operation must leave behind.
#ifndef GDI_DC_TESTS_REGION_MODEL_H
#define GDI_DC_TESTS_REGION_MODEL_H

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gui/region.h"

namespace region_test {

using PixelSet = std::set<std::pair<int, int>>;  // (y, x)

inline PixelSet PixelsOf(const Rect& r) {
  PixelSet pixels;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) pixels.insert({y, x});
  return pixels;
}

inline PixelSet PixelsOf(const ClipRgn& region) {
  PixelSet pixels;
  for (const ClipRect* n = region.head; n != nullptr; n = n->next) {
    const PixelSet part = PixelsOf(n->rc);
    pixels.insert(part.begin(), part.end());
  }
  return pixels;
}

inline std::vector<Rect> NodesOf(const ClipRgn& region) {
  std::vector<Rect> nodes;
  for (const ClipRect* n = region.head; n != nullptr; n = n->next) nodes.push_back(n->rc);
  return nodes;
}

inline std::string Describe(const ClipRgn& region) {
  std::string s;
  for (const Rect& r : NodesOf(region)) {
    s += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ") ";
  }
  return s;
}

// The columns (left, right pairs) of the band starting at node.
inline std::vector<std::pair<int, int>> BandColumns(const ClipRect* node) {
  std::vector<std::pair<int, int>> columns;
  for (const ClipRect* n = node; n != nullptr && n->rc.top == node->rc.top; n = n->next)
    columns.push_back({n->rc.left, n->rc.right});
  return columns;
}

// Checks links, banded order, merged touching rectangles, coalesced bands,
// the bound and the type.
inline ::testing::AssertionResult IsBanded(const ClipRgn& region) {
  auto fail = [&](const char* why) {
    return ::testing::AssertionFailure() << why << ": " << Describe(region);
  };
  if (region.head == nullptr) {
    if (region.tail != nullptr) return fail("tail without head");
    if (region.type != 0) return fail("empty region with a type");
    const Rect& b = region.rcBound;
    if (b.left || b.top || b.right || b.bottom) return fail("empty region with a bound");
    return ::testing::AssertionSuccess();
  }
  if (region.head->prev != nullptr || region.tail->next != nullptr) return fail("open ends");
  Rect bound = region.head->rc;
  const ClipRect* band = region.head;
  for (const ClipRect* n = region.head; n != nullptr; n = n->next) {
    if (n->next != nullptr && n->next->prev != n) return fail("broken back link");
    if (n->next == nullptr && n != region.tail) return fail("tail is not the last node");
    if (n->rc.left >= n->rc.right || n->rc.top >= n->rc.bottom) return fail("empty node");
    bound.left = std::min(bound.left, n->rc.left);
    bound.right = std::max(bound.right, n->rc.right);
    bound.top = std::min(bound.top, n->rc.top);
    bound.bottom = std::max(bound.bottom, n->rc.bottom);
    if (n->rc.top != band->rc.top) {
      if (n->rc.top < band->rc.bottom) return fail("bands overlap");
      if (band->rc.bottom == n->rc.top && BandColumns(band) == BandColumns(n))
        return fail("adjacent bands not coalesced");
      band = n;
    } else if (n != band) {
      if (n->rc.bottom != band->rc.bottom) return fail("band with two bottoms");
      if (n->prev->rc.right >= n->rc.left) return fail("band rectangles touch or disorder");
    }
  }
  const Rect& b = region.rcBound;
  if (b.left != bound.left || b.top != bound.top || b.right != bound.right ||
      b.bottom != bound.bottom)
    return fail("wrong bound");
  if (region.type == 0) return fail("non-empty region typed empty");
  return ::testing::AssertionSuccess();
}

}  // namespace region_test

#endif
