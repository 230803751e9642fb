// List boxes as the user sees them, compared pixel for pixel with a
// reference picture: a plain list with a selection, check marks in their
// three states, item images, a grid with an "all" item and its colour
// classes, and a gradient grid with disabled items.
#include <gtest/gtest.h>

#include "core/nonclient/tests/screen_picture.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/listbox.h"
#include "gui/window_attr.h"

namespace {

class ListBoxOnScreen : public guitest::StartedGui {
 protected:
  WindowHandle Box(uint32_t style, int x, int y, int w, int h) {
    return CreateWindowEx("listbox", "", style | WS_VISIBLE, 0, 1, x, y, w, h, main_, 0);
  }
  void Add(WindowHandle lb, int msg, const char* text) { SendMessage(lb, msg, 0, reinterpret_cast<LParam>(text)); }
  void AddInfo(WindowHandle lb, const char* text, uint32_t flags, uintptr_t image = 0) {
    ListBoxItemInfo info{text, flags, image, 0};
    SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LParam>(&info));
  }
  WindowHandle main_ = 0;
};

TEST_F(ListBoxOnScreen, ListsChecksImagesAndGridsMatchTheReference) {
  main_ = Main({0, 0, 440, 220}, 0);
  ASSERT_NE(main_, GUI_INVALID_HANDLE);

  WindowHandle plain = Box(0, 10, 10, 130, 90);
  for (const char* t : {"Channel 1", "Channel 2", "Channel 3", "Channel 4", "Channel 5", "Channel 6"}) Add(plain, LB_ADDSTRING, t);
  SendMessage(plain, LB_SETCURSEL, 1, 0);

  WindowHandle checks = Box(LBS_CHECKBOX, 150, 10, 130, 90);
  AddInfo(checks, "Checked", LBIF_CHECKED);
  AddInfo(checks, "Unchecked", 0);
  AddInfo(checks, "Partly", LBIF_PARTCHECKED);

  guitest::SolidBitmap picture(6, 12, {{guitest::Rgb(0, 160, 0), guitest::Rgb(200, 0, 0)}});
  WindowHandle images = Box(LBS_USEICON, 290, 10, 130, 90);
  AddInfo(images, "Camera", LBIF_BITMAP, reinterpret_cast<uintptr_t>(&picture.Get()));
  AddInfo(images, "Disk", LBIF_BITMAP, reinterpret_cast<uintptr_t>(&picture.Get()));

  WindowHandle grid = Box(LBS_GRID, 10, 110, 200, 100);
  Add(grid, LB_ADDALL, "all");
  for (int msg : {LB_ADDSTRING, LB_ADDSTYLE2, LB_ADDSTYLE3, LB_ADDSTYLE4, LB_ADDSTRING, LB_ADDSTRING, LB_ADDSTRING})
    Add(grid, msg, "x");
  SendMessage(grid, LB_SETCURSEL, 2, 0);

  WindowHandle gradient = Box(LBS_GRID | LBS_GRADIENT, 220, 110, 200, 100);
  for (int i = 0; i < 9; ++i) Add(gradient, i % 3 == 1 ? LB_ADDDISABLED : LB_ADDSTRING, "x");
  SendMessage(gradient, LB_SETCURSEL, 4, 0);

  desktest::Drain();
  Rect r{};
  GetWindowRect(main_, &r);
  guitest::MatchReference(guitest::Grab(r), guitest::ReferencePath(__FILE__, "listboxes.png"));
}

}  // namespace
