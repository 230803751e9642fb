#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "gdi/dc/tests/window_fakes.h"
#include "gdi/text/tests/text_fixture.h"
#include "gui/gal.h"
#include "gui/host.h"
#include "gui/text.h"

namespace {

// Text and drawing through window DCs on the host screen, from many threads
// at once: after HostFlush the window shows exactly the frame buffer.
class ScreenOutputThreads : public texttest::TextFontTest {
 protected:
  void SetUp() override {
    TextFontTest::SetUp();
    ASSERT_EQ(InitGAL(), 0);
    screen_ = GAL_GetVideoSurface();
    ASSERT_TRUE(InitGDI(screen_));
    gui::dc::SetClipInfoOps(dctest::FakeClipInfoOps());
  }
  void TearDown() override {
    gui::dc::SetClipInfoOps(nullptr);
    TerminateGDI();
    GAL_VideoQuit();
    TextFontTest::TearDown();
  }
  GalPixel FramePixel(int x, int y) const {
    return ReadPixelValue(screen_->pixels + y * screen_->pitch + x * 4, 4) & 0xFFFFFF;
  }
  GalSurface* screen_ = nullptr;
};

TEST_F(ScreenOutputThreads, EverythingDrawnReachesTheWindow) {
  LogFont* lf = CreateLogFont("ttf", "dejavu", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', 14, 0);
  ASSERT_NE(lf, nullptr);
  constexpr int kThreads = 6, kSide = 60;
  std::vector<std::unique_ptr<dctest::FakeMainWindow>> windows;
  for (int i = 0; i < kThreads; ++i) {
    const Rect r{20 + i * 70, 30, 20 + i * 70 + kSide, 30 + kSide};
    windows.push_back(std::make_unique<dctest::FakeMainWindow>(r, r));
  }
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i)
    threads.emplace_back([&, i] {
      HDC hdc = GetClientDC(windows[static_cast<size_t>(i)]->handle());
      SelectFont(hdc, lf);
      SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, 0x204060 + i);
      for (int round = 0; round < 20; ++round) {
        const int x = round % 5;
        const Point square[] = {{x, 30}, {x + 40, 30}, {x + 40, 50}, {x, 50}};
        FillPolygon(hdc, square, 4);
        SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, 0xFFFF00 - round);
        TextOutLen(hdc, 2, 2 + round % 3, "Ok", 2);
      }
      ReleaseDC(hdc);
    });
  for (std::thread& t : threads) t.join();
  HostFlush();
  int differ = 0, ink = 0;
  for (const auto& w : windows) {
    const Rect& r = w->record.client;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const GalPixel frame = FramePixel(x, y);
        differ += HostReadWindowPixel(0, x, y) != static_cast<int64_t>(frame);
        ink += (frame >> 8) == 0xFFFF;  // the text colour's red and green
      }
  }
  EXPECT_EQ(differ, 0);
  EXPECT_GT(ink, kThreads * 20);
  DestroyLogFont(lf);
}

}  // namespace
