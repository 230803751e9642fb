// A main window of the test thread holding one control of the classes
// under test; the notifications the window receives are collected.
#pragma once

#include <vector>

#include "core/nonclient/tests/started_gui.h"
#include "gui/window_attr.h"

namespace bartest {

class BarFixture : public guitest::StartedGui {
 protected:
  void SetUp() override {
    main_ = Main({0, 0, 640, 400}, 0);
    ASSERT_NE(main_, GUI_INVALID_HANDLE);
  }

  WindowHandle Make(const char* cls, uint32_t style, int w = 200, int h = 30, const char* caption = "") {
    WindowHandle c = CreateWindowEx(cls, caption, style | WS_VISIBLE, 0, kId, 10, 10, w, h, main_, 0);
    EXPECT_NE(c, GUI_INVALID_HANDLE) << cls;
    Codes();
    return c;
  }

  // Notification codes from the control since the last look, in order.
  std::vector<int> Codes() {
    std::vector<int> out;
    for (const SeenMessage& m : Received(main_, MSG_COMMAND))
      if ((m.wParam & 0xFFFF) == kId) out.push_back(static_cast<int>(m.wParam >> 16));
    return out;
  }

  static constexpr int kId = 30;
  WindowHandle main_ = 0;
};

}  // namespace bartest
