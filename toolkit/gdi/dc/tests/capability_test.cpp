#include <mutex>

#include "gdi/dc/tests/dc_fixture.h"

namespace {

using dctest::FakeMainWindow;

class Capability : public dctest::ScreenTest {};
GUI_DC_ALL_DEPTHS(Capability);

TEST_P(Capability, SizesComeFromTheSurfaceAndTheDeviceRectangle) {
  const uint32_t bits = bytes() * 8;
  EXPECT_EQ(GetGDCapability(HDC_SCREEN, GDCAP_COLORNUM), bits >= 32 ? 0xFFFFFFFFu : 1u << bits);
  EXPECT_EQ(GetGDCapability(HDC_SCREEN, GDCAP_MAXX), uint32_t{kWidth - 1});
  EXPECT_EQ(GetGDCapability(HDC_SCREEN, GDCAP_MAXY), uint32_t{kHeight - 1});
  EXPECT_EQ(GetGDCapability(HDC_SCREEN, 11), 0xFFFFFFFFu);
  EXPECT_EQ(GetGDCapability(HDC_SCREEN, -1), 0xFFFFFFFFu);

  // A window DC reports the whole surface but its own device rectangle.
  FakeMainWindow main({5, 5, 25, 15}, {6, 6, 24, 14});
  HDC hdc = GetClientDC(main.handle());
  EXPECT_EQ(GetGDCapability(hdc, GDCAP_HPIXEL), uint32_t{kWidth});
  EXPECT_EQ(GetGDCapability(hdc, GDCAP_MAXX), 17u);
  EXPECT_EQ(GetGDCapability(hdc, GDCAP_MAXY), 7u);
  ReleaseDC(hdc);
}

// Direct access hands out the first pixel of the rectangle with the
// display held; writes through it show after UnlockDC.
TEST_P(Capability, LockDCAddressesTheRectangleAndHoldsTheDisplay) {
  FakeMainWindow main({5, 5, 25, 15}, {6, 6, 24, 14});
  HDC hdc = GetClientDC(main.handle());
  const Rect part{2, 1, 40, 3};
  int w = 0, h = 0, pitch = 0;
  uint8_t* p = LockDC(hdc, &part, &w, &h, &pitch);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(w, 16) << "cut to the client area";
  EXPECT_EQ(h, 2);
  EXPECT_EQ(p, screen_->row(7) + 8 * bytes());
  EXPECT_EQ(pitch, screen_->get()->pitch);
  std::mutex& display = gui::dc::MainGdiLock();
  EXPECT_FALSE(display.try_lock());
  p[0] = 0x42;
  UnlockDC(hdc);
  ASSERT_TRUE(display.try_lock());
  display.unlock();
  EXPECT_EQ(GetPixel(hdc, 2, 1) & 0xFF, 0x42u);

  const Rect outside{100, 100, 110, 110};
  EXPECT_EQ(LockDC(hdc, &outside, &w, &h, &pitch), nullptr);
  ASSERT_TRUE(display.try_lock()) << "a refused lock holds nothing";
  display.unlock();
  SetPixel(hdc, 0, 0, 1);
  EXPECT_EQ(screen_->pixel(6, 6), 1u);

  main.clip.Set({});  // wholly covered: nothing to hand out
  EXPECT_EQ(LockDC(hdc, nullptr, &w, &h, &pitch), nullptr);
  ASSERT_TRUE(display.try_lock());
  display.unlock();
  ReleaseDC(hdc);
}

TEST_P(Capability, LockDCOnAMemoryDCCoversItAll) {
  HDC mem = CreateCompatibleDCEx(HDC_SCREEN, 5, 4);
  int w = 0, h = 0;
  uint8_t* p = LockDC(mem, nullptr, &w, &h, nullptr);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(w, 5);
  EXPECT_EQ(h, 4);
  EXPECT_EQ(p, Record(mem)->surface->pixels);
  UnlockDC(mem);
  UnlockDC(mem);  // a second unlock has nothing to release
  TerminateSlaveScreen(mem);  // not a slave screen: untouched
  SetPixel(mem, 4, 3, 2);
  EXPECT_EQ(GetPixel(mem, 4, 3), 2u);
  DeleteMemDC(mem);
}

}  // namespace

TEST(Capability, DepthTellsFiveFiveFiveFromFiveSixFive) {
  HDC rgb555 = CreateMemDC(2, 2, 16, 0, 0x7C00, 0x03E0, 0x001F, 0);
  HDC rgb565 = CreateMemDC(2, 2, 16, 0, 0xF800, 0x07E0, 0x001F, 0);
  HDC rgb888 = CreateMemDC(2, 2, 32, 0, 0xFF0000, 0xFF00, 0xFF, 0);
  EXPECT_EQ(GetGDCapability(rgb555, GDCAP_DEPTH), 15u);
  EXPECT_EQ(GetGDCapability(rgb565, GDCAP_DEPTH), 16u);
  EXPECT_EQ(GetGDCapability(rgb888, GDCAP_DEPTH), 32u);
  EXPECT_EQ(GetGDCapability(rgb565, GDCAP_COLORNUM), 65536u);
  EXPECT_EQ(GetGDCapability(rgb888, GDCAP_COLORNUM), 0xFFFFFFFFu);
  DeleteMemDC(rgb555);
  DeleteMemDC(rgb565);
  DeleteMemDC(rgb888);
  EXPECT_EQ(InitSlaveScreen("no-such-engine", "640x480-16bpp"), 0u);
}
