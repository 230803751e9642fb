#include <vector>

#include "gdi/dc/tests/dc_fixture.h"
#include "gdi/dc_cursor.h"

namespace {

using dctest::FakeControl;
using dctest::FakeMainWindow;
using dctest::Picture;

class WindowDC : public dctest::ScreenTest {};
GUI_DC_ALL_DEPTHS(WindowDC);

TEST_P(WindowDC, ScreenDCWritesAndReadsScreenCoordinates) {
  SetPixel(HDC_SCREEN, 5, 7, 0x8C);
  EXPECT_EQ(screen_->pixel(5, 7), 0x8Cu);
  EXPECT_EQ(GetPixel(HDC_SCREEN, 5, 7), 0x8Cu);
  EXPECT_EQ(GetPixel(HDC_SCREEN, kWidth, 0), 0u);
  EXPECT_EQ(GetPixel(HDC_SCREEN, -1, 3), 0u);
  const Picture before = Shot();
  SetPixel(HDC_SCREEN, -1, 0, 1);
  SetPixel(HDC_SCREEN, 0, kHeight, 1);
  SetPixel(HDC_INVALID, 1, 1, 1);
  EXPECT_EQ(Shot(), before);
}

// Pixel (0, 0) of a DC is the top-left corner of its client area or of its
// whole window; a control's origin adds up its ancestors' client origins.
TEST_P(WindowDC, DeviceOriginsFollowWindowAndClientAreas) {
  FakeMainWindow main({10, 8, 50, 40}, {12, 12, 48, 38});
  FakeControl box(&main.record, {2, 3, 30, 20}, {3, 5, 29, 19});
  FakeControl inner(&box.record, {1, 1, 10, 10}, {2, 2, 9, 9});
  HDC whole = GetDC(main.handle());
  HDC client = GetClientDC(main.handle());
  HDC innerClient = GetClientDC(inner.handle());
  ASSERT_NE(whole, HDC_INVALID);
  SetPixel(whole, 0, 0, 1);
  SetPixel(client, 0, 0, 2);
  SetPixel(innerClient, 0, 0, 3);
  EXPECT_EQ(screen_->pixel(10, 8), 1u);
  EXPECT_EQ(screen_->pixel(12, 12), 2u);
  EXPECT_EQ(screen_->pixel(12 + 3 + 2, 12 + 5 + 2), 3u);
  EXPECT_EQ(GetPixel(innerClient, 0, 0), 3u);
  EXPECT_EQ(GetPixel(client, 36, 0), 0u) << "outside the device rectangle";
  ReleaseDC(whole);
  ReleaseDC(client);
  ReleaseDC(innerClient);
}

TEST_P(WindowDC, HiddenWindowsAndHiddenAncestorsDrawNothing) {
  FakeMainWindow main({0, 0, 40, 30}, {0, 0, 40, 30});
  FakeControl child(&main.record, {0, 0, 20, 20}, {0, 0, 20, 20});
  HDC parentDC = GetClientDC(main.handle());
  HDC childDC = GetClientDC(child.handle());
  main.record.style &= ~dctest::kVisible;
  const Picture before = Shot();
  SetPixel(parentDC, 1, 1, 5);
  SetPixel(childDC, 2, 2, 5);
  EXPECT_EQ(Shot(), before);
  main.record.style |= dctest::kVisible;
  SetPixel(childDC, 2, 2, 5);
  EXPECT_EQ(screen_->pixel(2, 2), 5u);
  ReleaseDC(parentDC);
  ReleaseDC(childDC);
  const Picture after = Shot();
  SetPixel(childDC, 3, 3, 6);
  EXPECT_EQ(Shot(), after) << "a released pool DC draws nothing";
}

// The effective region is rebuilt only when the window's clip age moves.
TEST_P(WindowDC, EffectiveRegionFollowsTheClipAge) {
  FakeMainWindow main({0, 0, 40, 30}, {0, 0, 40, 30});
  HDC hdc = GetClientDC(main.handle());
  {
    std::lock_guard<std::mutex> hold(main.clip.lock);
    const Rect left{0, 0, 10, 30};
    SetClipRgn(&main.clip.region, &left);  // same age: not seen
  }
  SetPixel(hdc, 20, 5, 7);
  EXPECT_EQ(screen_->pixel(20, 5), 7u);
  main.clip.Set({{0, 0, 10, 30}});
  SetPixel(hdc, 21, 5, 7);
  SetPixel(hdc, 9, 5, 7);
  EXPECT_EQ(screen_->pixel(21, 5), 0u);
  EXPECT_EQ(screen_->pixel(9, 5), 7u);
  EXPECT_EQ(Record(hdc)->age, main.clip.age);
  ReleaseDC(hdc);
}

// A local clip region stays attached to the client area when the window
// moves, and ReleaseDC of a private client DC keeps it usable but drops the
// local region.
TEST_P(WindowDC, LocalRegionMovesWithTheClientArea) {
  FakeMainWindow main({10, 10, 40, 40}, {10, 10, 40, 40});
  HDC hdc = CreatePrivateClientDC(main.handle());
  ASSERT_NE(hdc, 0u);
  main.record.privateDC = hdc;
  const Rect corner{0, 0, 4, 4};
  SetClipRgn(&Record(hdc)->localClip, &corner);
  main.clip.Set({{10, 10, 40, 40}});
  SetPixel(hdc, 3, 3, 1);
  SetPixel(hdc, 4, 4, 1);
  EXPECT_EQ(screen_->pixel(13, 13), 1u);
  EXPECT_EQ(screen_->pixel(14, 14), 0u);

  main.record.window = main.record.client = {20, 5, 50, 35};
  main.clip.Set({{20, 5, 50, 35}});
  SetPixel(hdc, 0, 0, 2);
  SetPixel(hdc, 4, 0, 2);
  EXPECT_EQ(screen_->pixel(20, 5), 2u);
  EXPECT_EQ(screen_->pixel(24, 5), 0u);

  ReleaseDC(hdc);
  EXPECT_EQ(GetPrivateClientDC(main.handle()), hdc);
  EXPECT_TRUE(IsEmptyClipRgn(&Record(hdc)->localClip));
  SetPixel(hdc, 10, 10, 3);
  EXPECT_EQ(screen_->pixel(30, 15), 3u);
  main.record.privateDC = 0;
  DeletePrivateDC(hdc);
}

TEST_P(WindowDC, ControlsAreCutToTheirAncestorsClientAreas) {
  FakeMainWindow main({0, 0, 40, 30}, {5, 5, 35, 25});
  FakeControl panel(&main.record, {0, 0, 10, 10}, {0, 0, 10, 10});
  FakeControl wide(&panel.record, {5, 5, 60, 8}, {5, 5, 60, 8});
  HDC hdc = GetClientDC(wide.handle());
  for (int x = 0; x < 20; ++x) SetPixel(hdc, x, 0, 9);
  // The control starts at screen column 10 and the panel ends at 15.
  for (int x = 0; x < kWidth; ++x)
    EXPECT_EQ(screen_->pixel(x, 10), x >= 10 && x < 15 ? 9u : 0u) << x;
  ReleaseDC(hdc);

  Rect r{0, 0, 100, 100};
  gui::dc::ClipRectToAncestors(&r, wide.handle());
  const Rect expected{5, 5, 15, 15};
  EXPECT_TRUE(EqualRect(&r, &expected)) << r.left << "," << r.top << "," << r.right << ","
                                        << r.bottom;
  Rect outside{50, 50, 60, 60};
  gui::dc::ClipRectToAncestors(&outside, wide.handle());
  EXPECT_TRUE(IsRectEmpty(&outside));
}

// The seventeenth pool DC is refused and draws nothing; a release frees a
// slot again.
TEST_P(WindowDC, PoolExhaustionRefusesInsteadOfHandingOutTheScreen) {
  FakeMainWindow main({0, 0, 40, 30}, {0, 0, 40, 30});
  std::vector<HDC> taken;
  for (int i = 0; i < 16; ++i) taken.push_back(GetClientDC(main.handle()));
  for (HDC h : taken) EXPECT_NE(h, HDC_INVALID);
  testing::internal::CaptureStdout();
  const HDC refused = GetClientDC(main.handle());
  EXPECT_FALSE(testing::internal::GetCapturedStdout().empty());
  EXPECT_EQ(refused, HDC_INVALID);
  SetPixel(refused, 1, 1, 4);
  EXPECT_EQ(screen_->pixel(1, 1), 0u);
  ReleaseDC(taken.back());
  taken.back() = GetDC(main.handle());
  EXPECT_NE(taken.back(), HDC_INVALID);
  for (HDC h : taken) ReleaseDC(h);
  EXPECT_EQ(GetDC(0), HDC_INVALID) << "no window";
}

TEST_P(WindowDC, ReleasingTheScreenDCKeepsItDrawable) {
  ReleaseDC(HDC_SCREEN);
  SetPixel(HDC_SCREEN, 2, 2, 1);
  EXPECT_EQ(screen_->pixel(2, 2), 1u);
}

TEST_P(WindowDC, ScaledMapModeConvertsThroughOriginsAndExtents) {
  FakeMainWindow main({0, 0, 60, 40}, {4, 2, 60, 40});
  HDC hdc = GetClientDC(main.handle());
  DC* dc = Record(hdc);
  dc->mapMode = 1;
  dc->windowOrigin = {10, 10};
  dc->windowExtent = {4, -2};
  dc->viewOrigin = {1, 20};
  dc->viewExtent = {2, 2};
  SetPixel(hdc, 17, 11, 6);  // x: 7*2/4+1 = 4, y: 1*2/-2+20 = 19
  EXPECT_EQ(screen_->pixel(4 + 4, 2 + 19), 6u);
  SetPixel(hdc, 7, 10, 6);  // x: -3*2/4 truncates to -1, +1 = 0
  EXPECT_EQ(screen_->pixel(4, 2 + 20), 6u);
  ReleaseDC(hdc);
}

TEST_P(WindowDC, RasterOperationsApplyToPixels) {
  EXPECT_EQ(SetRasterOperation(HDC_SCREEN, ROP_XOR), ROP_SET);
  EXPECT_EQ(SetRasterOperation(HDC_SCREEN, 4), ROP_XOR);
  EXPECT_EQ(GetRasterOperation(HDC_SCREEN), ROP_XOR);
  screen_->setPixel(3, 3, 0x35 & mask());
  SetPixel(HDC_SCREEN, 3, 3, 0x0F);
  EXPECT_EQ(screen_->pixel(3, 3), (0x35u ^ 0x0F) & mask());
  SetPixel(HDC_SCREEN, 3, 3, 0x0F);
  EXPECT_EQ(screen_->pixel(3, 3), 0x35u & mask());
  SetRasterOperation(HDC_SCREEN, ROP_AND);
  SetPixel(HDC_SCREEN, 3, 3, 0x0F);
  EXPECT_EQ(screen_->pixel(3, 3), 0x05u);
  SetRasterOperation(HDC_SCREEN, ROP_SET);
}

// On a palette surface too: white is the palette's nearest entry.
TEST_P(WindowDC, ColourConversionsUseTheSurfaceFormat) {
  const GalPixelFormat* format = screen_->get()->format;
  if (bytes() == 1) {  // a 3-3-2 palette; no video device here to set it through
    ASSERT_TRUE(format->palette && format->palette->ncolors == 256);
    for (int i = 0; i < 256; ++i)
      format->palette->colors[i] = GalColor{static_cast<uint8_t>((i >> 5) * 255 / 7),
                                            static_cast<uint8_t>((i >> 2 & 7) * 255 / 7),
                                            static_cast<uint8_t>((i & 3) * 255 / 3), 0};
  }
  for (const GalColor& c : {GalColor{255, 255, 255, 0}, GalColor{200, 16, 90, 0}}) {
    const GalPixel pixel = RGB2Pixel(HDC_SCREEN, c.r, c.g, c.b);
    EXPECT_EQ(pixel, GAL_MapRGB(format, c.r, c.g, c.b));
    EXPECT_EQ(SetPixelRGB(HDC_SCREEN, 1, 2, c.r, c.g, c.b), pixel);
    EXPECT_EQ(screen_->pixel(1, 2), pixel);
    uint8_t r = 0, g = 0, b = 0, wr = 1, wg = 1, wb = 1;
    GAL_GetRGB(pixel, format, &wr, &wg, &wb);
    EXPECT_EQ(GetPixelRGB(HDC_SCREEN, 1, 2, &r, &g, &b), pixel);
    EXPECT_EQ(r, wr);
    EXPECT_EQ(g, wg);
    EXPECT_EQ(b, wb);
  }
  uint8_t r = 0, g = 0, b = 0;
  GAL_GetRGB(RGB2Pixel(HDC_SCREEN, 255, 255, 255), format, &r, &g, &b);
  EXPECT_GE(r, 224) << bytes() << " bytes";
  EXPECT_GE(g, 224);
  EXPECT_GE(b, 192);
}

// The cursor guard brackets each drawing, gets the output rectangle to
// flush, and GetPixel answers the saved pixel under the cursor.
struct GuardLog {
  static inline std::vector<std::pair<int, Rect>> calls;
  static void Guard(int after, DC* dc) { calls.push_back({after, dc->rcOutput}); }
  static bool UnderCursor(int x, int y, GalPixel* pixel) {
    if (x != 30 || y != 30) return false;
    *pixel = 0x42;
    return true;
  }
};

TEST_P(WindowDC, CursorGuardBracketsDrawingAndHidesThePixelBeneath) {
  const gui::dc::CursorGuardOps ops = {GuardLog::Guard, GuardLog::UnderCursor};
  gui::dc::SetCursorGuardOps(&ops);
  GuardLog::calls.clear();
  SetPixel(HDC_SCREEN, 4, 6, 1);
  SetPixel(HDC_SCREEN, 0, 0, 1);
  ASSERT_EQ(GuardLog::calls.size(), 4u);
  EXPECT_EQ(GuardLog::calls[0].first, 0);
  EXPECT_EQ(GuardLog::calls[1].first, 1);
  const Rect cut{0, 0, 1, 1};
  EXPECT_TRUE(EqualRect(&GuardLog::calls[3].second, &cut));
  screen_->setPixel(30, 30, 7);
  EXPECT_EQ(GetPixel(HDC_SCREEN, 30, 30), 0x42u);
  EXPECT_EQ(GetPixel(HDC_SCREEN, 31, 30), 0u);
  gui::dc::SetCursorGuardOps(nullptr);
}

}  // namespace
