// The desktop on a screen of its own: its initialisation, and request 253
// against a model of the screen (a patterned screen, a window partly
// covered by another, every pixel and every invalid point checked after
// each scroll).
#include <mutex>

#include "core/desktop/tests/desktop_fixture.h"
#include "gdi/dc_record.h"
#include "gdi/gal/tests/guarded_surface.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/dialog.h"

namespace desktest {
namespace {

constexpr int kSpan = 210;  // the part of the screen the windows cover, and more

uint32_t Pattern(int x, int y) { return static_cast<uint32_t>(x * 7 + y * 1031) & 0xFFFFFF; }

class ScreenDesktop : public TwoWindows {
 protected:
  void SetUp() override {
    screen_ = std::make_unique<GuardedSurface>(1024, 768, 32, 0xFF0000, 0xFF00, 0xFF);
    ASSERT_TRUE(InitGDI(screen_->get()));
    TwoWindows::SetUp();
    // The desktop paints its background once at start: not over the pattern.
    AwaitDesktopRead();
    Request(MSG_DT_GETACTIVEMAIN);
  }
  void TearDown() override {
    TwoWindows::TearDown();
    TerminateGDI();
  }
  void Paint() {
    for (int y = 0; y < kSpan; ++y)
      for (int x = 0; x < kSpan; ++x) screen_->setPixel(x, y, Pattern(x, y));
    std::lock_guard<std::mutex> hold(Rec(back_)->invalid.lock);
    EmptyClipRgn(&Rec(back_)->invalid.region);
  }
  std::unique_ptr<GuardedSurface> screen_;
};

// back (0,0)-(200,200) has its client area at the screen's origin; front
// (50,50)-(150,150) covers part of it.
TEST_F(ScreenDesktop, VisiblePixelsMoveAndOnlyWhatTheyUncoverIsInvalid) {
  const Rect front{50, 50, 150, 150};
  const Rect area{20, 10, 180, 170};
  const struct { int dx, dy; } moves[] = {{7, -3}, {-12, 5}, {0, 9}, {30, 0}, {-200, 0}};
  // Partly covered first, then whole (one rectangle to move).
  for (bool covered : {true, false}) {
    if (!covered) {
      Request(MSG_DT_HIDEMAINWIN, front_);
      Settle();
    }
    for (const auto& m : moves) {
      SCOPED_TRACE(testing::Message() << m.dx << "," << m.dy << (covered ? " covered" : ""));
      Paint();
      ScrollWindowInfo info{m.dx, m.dy, area};
      Request(MSG_DT_SCROLLMAINWIN, back_, reinterpret_cast<LParam>(&info));
      auto visible = [&](int x, int y) {
        return x >= area.left && x < area.right && y >= area.top && y < area.bottom &&
               !(covered && x >= front.left && x < front.right && y >= front.top && y < front.bottom);
      };
      int wrongPixels = 0, wrongInvalid = 0;
      std::lock_guard<std::mutex> hold(Rec(back_)->invalid.lock);
      for (int y = 0; y < kSpan; ++y)
        for (int x = 0; x < kSpan; ++x) {
          const bool moved = visible(x, y) && visible(x - m.dx, y - m.dy);
          const uint32_t expected = moved ? Pattern(x - m.dx, y - m.dy) : Pattern(x, y);
          wrongPixels += screen_->pixel(x, y) != expected;
          const bool invalid = visible(x, y) && !moved;
          wrongInvalid += PtInRegion(&Rec(back_)->invalid.region, x, y) != invalid;
        }
      EXPECT_EQ(wrongPixels, 0);
      EXPECT_EQ(wrongInvalid, 0);
    }
  }
  Settle();
}

const char* kGerman[] = {"Schliessen", "OK",     "Weiter",    "Abbrechen", "Zurueck",
                                             "Ja",         "Nein",   "Abbrechen", "Wiederholen", "Ignorieren"};

TEST_F(ScreenDesktop, InitialisationResetsTranslationsAndMakesAPrivateDC) {
  const HDC first = Desk().privateDC;
  ASSERT_NE(first, 0u);
  EXPECT_EQ(gui::dc::DcFromHandle(first)->hwnd, __gui_hwnd_desktop);
  local_SysText = kGerman;
  EXPECT_STREQ(GetSysText("Cancel"), "Abbrechen");
  EXPECT_STREQ(GetSysText("cancel"), "cancel");
  Request(MSG_DT_REINIT, 0);
  EXPECT_EQ(local_SysText, kGerman) << "211 without wParam keeps the translation";
  EXPECT_NE(Desk().privateDC, 0u);
  Request(MSG_DT_REINIT, 1);
  EXPECT_EQ(local_SysText, SysText);
  EXPECT_STREQ(GetSysText("Cancel"), "Cancel");
  local_SysText = kGerman;
  Request(MSG_DT_INIT);
  EXPECT_EQ(local_SysText, SysText);
  EXPECT_NE(Desk().privateDC, 0u);
}

}  // namespace
}  // namespace desktest
