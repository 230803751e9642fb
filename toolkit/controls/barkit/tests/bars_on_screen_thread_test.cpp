// Screenshots of the bar, tool-bar and menu-button controls in their main
// looks, compared with reference PNGs at zero tolerance
// (GUI_UPDATE_REFERENCES=1 writes them anew: make update-references).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "controls/barkit/tests/bar_fixture.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/edit.h"
#include "gui/menubutton.h"
#include "gui/message.h"
#include "gui/newtoolbar.h"
#include "gui/progressbar.h"
#include "gui/segrate.h"
#include "gui/toolbar.h"
#include "gui/trackbar.h"

namespace {

class BarsOnScreen : public bartest::BarFixture {
 protected:
  WindowHandle At(const char* cls, uint32_t style, int x, int y, int w, int h, LParam data = 0,
                  const char* caption = "") {
    WindowHandle c = CreateWindowEx(cls, caption, style | WS_VISIBLE, 0, kId, x, y, w, h, main_, data);
    EXPECT_NE(c, GUI_INVALID_HANDLE) << cls;
    return c;
  }
  void Match(const char* file) {
    desktest::Drain();
    Rect r{};
    GetWindowRect(main_, &r);
    guitest::MatchReference(guitest::Grab(r), guitest::ReferencePath(__FILE__, file));
  }
};

TEST_F(BarsOnScreen, SlidersInBothOrientationsWithTicksFocusAndLevels) {
  At("trackbar", 0, 10, 10, 200, 30);
  WindowHandle ticks = At("trackbar", TBS_TICKS, 10, 50, 200, 40);
  SendMessage(ticks, TBM_SETPOS, 7, 0);
  WindowHandle framed = At("trackbar", TBS_INSET | TBS_FOCUSED, 10, 100, 200, 30);
  SendMessage(framed, TBM_SETPOS, 10, 0);
  WindowHandle vertical = At("trackbar", TBS_VERTICAL, 230, 10, 30, 150);
  SendMessage(vertical, TBM_SETPOS, 3, 0);
  WindowHandle level = At("trackbar", TBS_SEGMENTED, 10, 150, 200, 16);
  SendMessage(level, TBM_SETPOS, 4, 0);
  WindowHandle off = At("trackbar", TBS_SEGMENTED | WS_DISABLED, 10, 180, 200, 16);
  SendMessage(off, TBM_SETPOS, 6, 0);
  WindowHandle segments = At("segrate", 0, 280, 10, 300, 60);
  SendMessage(segments, SRM_SETRANGE, (60 << 16) | 0, 0);
  SendMessage(segments, SRM_SETVALUE, 50, 0);
  WindowHandle edit = At("edit", 0, 280, 100, 160, 24, 0, "Camera 01");
  SendMessage(edit, MSG_KEYDOWN, 107, 0);
  Match("sliders.png");
}

TEST_F(BarsOnScreen, TimeBarAtEachZoomLevel) {
  const char* tips[][2] = {{"0", "24"}, {"12", "18"}, {"13", "14"}};
  for (int level = 0; level < 3; ++level) {
    WindowHandle t = At("trackbar", TBS_TIMEBAR_BOTTOM | TBS_ZOOM_RIGHT, 10, 10 + level * 70, 600, 60);
    SendMessage(t, TBM_SETTIP, reinterpret_cast<WParam>(tips[level][0]), reinterpret_cast<LParam>(tips[level][1]));
    SendMessage(t, TBM_SETTIME, reinterpret_cast<WParam>("13:25:40"), 0);
  }
  WindowHandle top = At("trackbar", TBS_TIMEBAR_TOP, 10, 220, 600, 60);
  SendMessage(top, TBM_SETTIME, 0, 6 * 3600);
  Match("time_bars.png");
}

TEST_F(BarsOnScreen, ProgressBarsInBlocksAndContinuous) {
  WindowHandle blocks = At("progressbar", 0, 10, 10, 300, 24);
  SendMessage(blocks, PBM_SETPOS, 37, 0);
  WindowHandle few = At("progressbar", 0, 10, 44, 300, 24);
  SendMessage(few, PBM_SETRANGE, 0, 3);
  SendMessage(few, PBM_SETPOS, 2, 0);
  WindowHandle continuous = At("progressbar", 0, 10, 78, 300, 24);
  SendMessage(continuous, PBM_SETRANGE, 0, 5000);
  SendMessage(continuous, PBM_SETPOS, 1850, 0);
  WindowHandle vertical = At("progressbar", PBS_VERTICAL, 330, 10, 24, 200);
  SendMessage(vertical, PBM_SETPOS, 62, 0);
  Match("progress_bars.png");
}

TEST_F(BarsOnScreen, HotAndPushedToolBarsAndADisabledMenuButton) {
  WindowHandle bar = At("toolbar", 0, 10, 10, 200, 24, (24 << 16) | 24);
  const char* const pictures[][2] = {{"zoom_bk_normal", "zoom_bk_hover"}, {"zoom_bk_normal", "zoom_bk_hover"}};
  for (int i = 0; i < 2; ++i) {
    auto info = std::make_unique<ToolbarItemInfo>();
    std::memset(info.get(), 0, sizeof *info);
    info->id = i + 1;
    std::snprintf(info->normalPath, TOOLBAR_PATH_SIZE, "../guiRes/rirurRes/bmp/%s.bmp", pictures[i][0]);
    std::snprintf(info->pushedPath, TOOLBAR_PATH_SIZE, "../guiRes/rirurRes/bmp/%s.bmp", pictures[i][1]);
    SendMessage(bar, TOOLBAR_ADDITEM, 0, reinterpret_cast<LParam>(info.get()));
  }
  desktest::Drain();
  SendMessage(bar, MSG_LBUTTONDOWN, 0, 5 | (5 << 16));  // the first item pushed

  const GalPixel a = guitest::Rgb(40, 60, 90), b = guitest::Rgb(200, 140, 40), c = guitest::Rgb(220, 60, 60),
                 d = guitest::Rgb(90, 90, 90);
  guitest::SolidBitmap image(20, 20, {{a, b, c, d}, {d, c, b, a}});
  NtbCreateData data{&image.Get(), 2, 0, 0, 0};
  WindowHandle ntb =
      At("newtoolbar", NTBS_WITHTEXT | NTBS_DRAWSTATES | NTBS_DRAWSEPARATOR, 10, 50, 300, 60, reinterpret_cast<LParam>(&data));
  char labels[][16] = {"Play", "Stop", "Rec"};
  NtbItemInfo items[] = {
      {0, NTBIF_PUSHBUTTON, 1, labels[0], nullptr, 0, nullptr, {}, 0},
      {0, NTBIF_SEPARATOR, 2, nullptr, nullptr, 0, nullptr, {}, 0},
      {0, NTBIF_CHECKBUTTON | NTBIF_CHECKED, 3, labels[1], nullptr, 1, nullptr, {}, 0},
      {0, NTBIF_PUSHBUTTON | NTBIF_DISABLED, 4, labels[2], nullptr, 0, nullptr, {}, 0},
  };
  for (NtbItemInfo& it : items) SendMessage(ntb, NTBM_ADDITEM, 0, reinterpret_cast<LParam>(&it));
  SendMessage(ntb, MSG_MOUSEMOVE, 0, 12 | (10 << 16));  // the first item hot
  WindowHandle pushed =
      At("newtoolbar", NTBS_DRAWSTATES, 10, 120, 300, 32, reinterpret_cast<LParam>(&data));
  for (NtbItemInfo& it : items) SendMessage(pushed, NTBM_ADDITEM, 0, reinterpret_cast<LParam>(&it));
  SendMessage(pushed, MSG_LBUTTONDOWN, 0, 12 | (10 << 16));  // pressed and hot

  WindowHandle menu = At("menubutton", WS_DISABLED, 330, 10, 160, 28, 0, "Channel");
  MenuButtonItemInfo info{MB_WHICH_TEXT, "Camera 02", nullptr, 0};
  SendMessage(menu, MBM_ADDITEM, static_cast<WParam>(-1), reinterpret_cast<LParam>(&info));
  SendMessage(menu, MBM_SETCURITEM, 0, 0);
  At("menubutton", MBS_LEFTARROW, 330, 50, 160, 28, 0, "Output");
  Match("tool_bars_menu_buttons.png");
  ReleaseCapture();
}

}  // namespace
