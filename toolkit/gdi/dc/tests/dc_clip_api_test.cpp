#include <vector>

#include "gdi/dc/tests/dc_fixture.h"

namespace {

using dctest::FakeMainWindow;
using dctest::Picture;

class ClipAPI : public dctest::ScreenTest {
 protected:
  // Marks every pixel of the DC's w x h area, reports the screen pixels
  // that took the mark and clears the screen again.
  std::vector<Point> Drawn(HDC hdc, int w, int h) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) SetPixel(hdc, x, y, 1);
    std::vector<Point> hits;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (screen_->pixel(x, y) == 1) hits.push_back(Point{x, y});
    Clear();
    return hits;
  }
  void Clear() {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) screen_->setPixel(x, y, 0);
  }
  static bool Has(const std::vector<Point>& hits, int x, int y) {
    for (const Point& p : hits)
      if (p.x == x && p.y == y) return true;
    return false;
  }
};
GUI_DC_ALL_DEPTHS(ClipAPI);

// A client DC at (10, 5) of a 20 x 10 window.
struct ClientWindow {
  FakeMainWindow main{{8, 3, 32, 17}, {10, 5, 30, 15}};
  HDC hdc = GetClientDC(main.handle());
  ~ClientWindow() { ReleaseDC(hdc); }
};

TEST_P(ClipAPI, SelectClipRectLimitsAWindowDCUntilSelectingNone) {
  ClientWindow w;
  const Rect inverted{6, 4, 2, 1};  // normalised to (2, 1, 6, 4)
  SelectClipRect(w.hdc, &inverted);
  Rect bounds;
  GetBoundsRect(w.hdc, &bounds);
  EXPECT_TRUE((bounds.left == 2 && bounds.top == 1 && bounds.right == 6 && bounds.bottom == 4));
  auto hits = Drawn(w.hdc, 20, 10);
  EXPECT_EQ(hits.size(), 12u);
  EXPECT_TRUE(Has(hits, 12, 6));
  EXPECT_TRUE(Has(hits, 15, 8));

  const Rect empty{3, 3, 3, 9};
  SelectClipRect(w.hdc, &empty);
  EXPECT_EQ(Drawn(w.hdc, 20, 10).size(), 12u) << "an empty rectangle changes nothing";

  SelectClipRect(w.hdc, nullptr);
  EXPECT_TRUE(IsEmptyClipRgn(&Record(w.hdc)->localClip));
  EXPECT_EQ(Drawn(w.hdc, 20, 10).size(), 200u);
}

TEST_P(ClipAPI, ExcludeAndIntersectStartFromTheWholeArea) {
  ClientWindow w;
  const Rect hole{5, 2, 15, 8};
  ExcludeClipRect(w.hdc, &hole);
  Rect bounds;
  GetBoundsRect(w.hdc, &bounds);
  EXPECT_EQ(bounds.right, 65535);
  EXPECT_FALSE(PtVisible(w.hdc, 5, 2));
  EXPECT_TRUE(PtVisible(w.hdc, 4, 2));
  auto hits = Drawn(w.hdc, 20, 10);
  EXPECT_EQ(hits.size(), 200u - 60u);
  EXPECT_FALSE(Has(hits, 15, 7));
  EXPECT_TRUE(Has(hits, 14, 7));

  // The exclusion survives a rebuild of the effective region.
  w.main.clip.Set({{8, 3, 32, 17}});
  EXPECT_EQ(Drawn(w.hdc, 20, 10).size(), 140u);

  SelectClipRect(w.hdc, nullptr);
  const Rect keep{0, 0, 3, 2};
  ClipRectIntersect(w.hdc, &keep);
  EXPECT_EQ(Drawn(w.hdc, 20, 10).size(), 6u);
  EXPECT_TRUE(RectVisible(w.hdc, &keep));
  const Rect away{10, 5, 12, 9};
  EXPECT_FALSE(RectVisible(w.hdc, &away));
}

// Cuts that leave nothing keep nothing drawable, also after the effective
// region is rebuilt; selecting none brings the whole window back.
TEST_P(ClipAPI, CutsThatLeaveNothingStayEmptyAcrossRebuilds) {
  ClientWindow w;
  const Rect away{30, 20, 40, 30};  // beyond the 20 x 10 client area
  const Rect keep{0, 0, 3, 2};
  ClipRectIntersect(w.hdc, &keep);
  ClipRectIntersect(w.hdc, &away);
  EXPECT_TRUE(Drawn(w.hdc, 20, 10).empty());
  EXPECT_FALSE(PtVisible(w.hdc, 1, 1));
  EXPECT_FALSE(RectVisible(w.hdc, &keep));
  w.main.clip.Set({{8, 3, 32, 17}});
  EXPECT_TRUE(Drawn(w.hdc, 20, 10).empty()) << "a rebuild must not restore the window";

  SelectClipRect(w.hdc, nullptr);
  const Rect all{0, 0, 65535, 65535};
  ExcludeClipRect(w.hdc, &all);
  w.main.clip.Set({{8, 3, 32, 17}});
  EXPECT_TRUE(Drawn(w.hdc, 20, 10).empty());

  IncludeClipRect(w.hdc, &keep);
  EXPECT_EQ(Drawn(w.hdc, 20, 10).size(), 6u) << "an emptied region takes a new rectangle";
  SelectClipRect(w.hdc, nullptr);
  EXPECT_TRUE(PtVisible(w.hdc, 19, 9));
  EXPECT_EQ(Drawn(w.hdc, 20, 10).size(), 200u);
}

TEST_P(ClipAPI, IncludeAndSelectRegionAddUpInDCCoordinates) {
  ClientWindow w;
  const Rect a{0, 0, 2, 2}, b{18, 8, 20, 10};
  IncludeClipRect(w.hdc, &a);
  EXPECT_EQ(Drawn(w.hdc, 20, 10).size(), 4u) << "an empty local region becomes the rectangle";
  IncludeClipRect(w.hdc, &b);
  auto hits = Drawn(w.hdc, 20, 10);
  EXPECT_EQ(hits.size(), 8u);
  EXPECT_TRUE(Has(hits, 29, 14));

  ClipRgn* region = CreateClipRgn();
  const Rect r1{1, 1, 3, 3}, r2{4, 1, 6, 2};
  AddClipRect(region, &r1);
  AddClipRect(region, &r2);
  SelectClipRegion(w.hdc, region);
  DestroyClipRgn(region);  // the DC keeps its own copy
  hits = Drawn(w.hdc, 20, 10);
  EXPECT_EQ(hits.size(), 6u);
  EXPECT_TRUE(Has(hits, 15, 6));
}

// Visibility asks the DC's own clipping, not what other windows cover.
TEST_P(ClipAPI, VisibilityOfAWindowDCIgnoresCoveringWindows) {
  ClientWindow w;
  w.main.clip.Set({{8, 3, 20, 17}});  // the right part is covered
  EXPECT_TRUE(PtVisible(w.hdc, 15, 5));
  const Rect covered{12, 0, 20, 10};
  EXPECT_TRUE(RectVisible(w.hdc, &covered));
  EXPECT_EQ(Drawn(w.hdc, 20, 10).size(), 100u);
}

// Screen and memory DCs clip by the effective region alone, which never
// grows past the DC's own pixels.
TEST_P(ClipAPI, ScreenDCRegionStaysInsideTheScreen) {
  const Rect wide{-10, -10, 5, 4};
  SelectClipRect(HDC_SCREEN, &wide);
  Rect bounds;
  GetBoundsRect(HDC_SCREEN, &bounds);
  EXPECT_TRUE((bounds.left == 0 && bounds.top == 0 && bounds.right == 5 && bounds.bottom == 4));
  const Rect huge{-100, -100, 1000, 1000};
  IncludeClipRect(HDC_SCREEN, &huge);
  GetBoundsRect(HDC_SCREEN, &bounds);
  EXPECT_TRUE((bounds.left == 0 && bounds.top == 0 && bounds.right == kWidth &&
               bounds.bottom == kHeight));

  const Rect hole{10, 10, 20, 20};
  ExcludeClipRect(HDC_SCREEN, &hole);
  EXPECT_FALSE(PtVisible(HDC_SCREEN, 10, 10));
  EXPECT_TRUE(RectVisible(HDC_SCREEN, &wide));
  EXPECT_EQ(Drawn(HDC_SCREEN, kWidth, kHeight).size(), size_t{kWidth * kHeight - 100});

  ClipRgn* region = CreateClipRgn();
  const Rect outside{kWidth - 2, 0, kWidth + 50, 1};
  AddClipRect(region, &outside);
  SelectClipRegion(HDC_SCREEN, region);
  DestroyClipRgn(region);
  EXPECT_EQ(Drawn(HDC_SCREEN, kWidth, kHeight).size(), 2u);

  const Rect off{kWidth, 0, kWidth + 5, 5};
  SelectClipRect(HDC_SCREEN, &off);
  EXPECT_TRUE(IsEmptyClipRgn(&Record(HDC_SCREEN)->effClip));
  SelectClipRect(HDC_SCREEN, nullptr);
  EXPECT_EQ(Drawn(HDC_SCREEN, kWidth, kHeight).size(), size_t{kWidth * kHeight});
}

}  // namespace
