// A screen of every depth with the DC layer started on it and fake windows
// reachable through the clip information test hook.
#ifndef GDI_DC_TESTS_DC_FIXTURE_H
#define GDI_DC_TESTS_DC_FIXTURE_H

#include <gtest/gtest.h>

#include "gdi/dc/tests/dc_test_support.h"
#include "gdi/dc/tests/window_fakes.h"
#include "gdi/dc_record.h"
#include "gui/dc.h"

namespace dctest {

class ScreenTest : public testing::TestWithParam<int> {
 protected:
  static constexpr int kWidth = 64;
  static constexpr int kHeight = 48;

  void SetUp() override {
    screen_ = MakeSurface(kWidth, kHeight, GetParam());
    ASSERT_TRUE(InitGDI(screen_->get()));
    gui::dc::SetClipInfoOps(FakeClipInfoOps());
  }
  void TearDown() override {
    gui::dc::SetClipInfoOps(nullptr);
    TerminateGDI();
    EXPECT_TRUE(screen_->paddingIntact());
  }

  int bytes() const { return GetParam(); }
  uint32_t mask() const { return MaskOf(GetParam()); }
  Picture Shot() const { return Snapshot(*screen_); }
  static DC* Record(HDC hdc) { return gui::dc::DcFromHandle(hdc); }

  std::unique_ptr<GuardedSurface> screen_;
};

inline std::string DepthName(const testing::TestParamInfo<int>& info) {
  return std::to_string(info.param) + "bytes";
}

#define GUI_DC_ALL_DEPTHS(suite) \
  INSTANTIATE_TEST_SUITE_P(Depths, suite, testing::Values(1, 2, 3, 4), dctest::DepthName)

}  // namespace dctest

#endif
