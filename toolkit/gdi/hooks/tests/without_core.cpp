// The graphics library linked whole and alone, without the core above it:
// the link itself proves that no object of the library names a core symbol,
// and every question the library would put to the core gets the answer of
// a toolkit without windows, configuration or display driver.
#include <gtest/gtest.h>

#include "gdi/dc_record.h"
#include "gdi/dc_window.h"
#include "gui/app_hooks.h"
#include "gui/font.h"
#include "gui/gal.h"

namespace {

TEST(GraphicsWithoutCore, EveryQueryAnswersAsIfNoWindowExisted) {
  using namespace gui::dc;
  EXPECT_EQ(DesktopWindow(), WindowHandle{0});
  EXPECT_FALSE(IsDesktopWindow(0));
  // Handles no record stands behind are never followed.
  for (WindowHandle h : {WindowHandle{0}, WindowHandle{1}, static_cast<WindowHandle>(-1),
                         static_cast<WindowHandle>(0x1234)}) {
    SCOPED_TRACE(h);
    EXPECT_FALSE(IsLiveWindow(h));
    EXPECT_FALSE(IsWindowShowing(h));
    EXPECT_FALSE(NeedsAncestorClip(h));
    const Rect r = WindowDeviceRect(h, true);
    EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0);
    Rect cut{10, 20, 30, 40};
    ClipRectToAncestors(&cut, h);
    EXPECT_TRUE(cut.left == 10 && cut.top == 20 && cut.right == 30 && cut.bottom == 40);
    EXPECT_EQ(WindowDisplay(h), getCurOutputHook());
    EXPECT_EQ(WindowPrivateClientDC(h), HDC{0});
    EXPECT_EQ(WindowClipInfo(h), nullptr);
  }
}

TEST(GraphicsWithoutCore, StartsNoDisplayAndLoadsNoFonts) {
  EXPECT_LT(GAL_VideoInit("windib"), 0);
  EXPECT_LT(GAL_VideoInit(nullptr), 0);
  EXPECT_FALSE(LoadRawBitmapFonts());
}

}  // namespace
