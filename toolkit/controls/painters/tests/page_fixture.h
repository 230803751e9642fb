// A page (a control running the default page procedure) in a main window
// of the test thread; the commands it receives are logged.
#pragma once

#include <vector>

#include "core/nonclient/tests/started_gui.h"
#include "gui/control_paint.h"
#include "gui/window_attr.h"

namespace pagetest {

inline LResult LoggedPageProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_COMMAND) guitest::Log::Instance().Add({hwnd, msg, wParam, lParam});
  return DefaultPageProc(hwnd, msg, wParam, lParam);
}

class PageFixture : public guitest::StartedGui {
 protected:
  void SetUp() override {
    main_ = Main({0, 0, 660, 520}, 0);
    ASSERT_NE(main_, GUI_INVALID_HANDLE);
    page_ = CreateWindowEx("static", "", WS_VISIBLE, 0, 100, 0, 0, 660, 520, main_, 0);
    ASSERT_NE(page_, GUI_INVALID_HANDLE);
    SetWindowCallbackProc(page_, LoggedPageProc);
  }

  WindowHandle Add(const char* cls, uint32_t style, int id, int x, int y, const char* caption = "", int w = 90,
                   int h = 24) {
    WindowHandle h2 = CreateWindowEx(cls, caption, style | WS_VISIBLE, 0, id, x, y, w, h, page_, 0);
    EXPECT_NE(h2, GUI_INVALID_HANDLE) << cls << " " << id;
    return h2;
  }

  // The commands the page received since the last look: wParam each.
  std::vector<WParam> Commands() {
    std::vector<WParam> out;
    for (const SeenMessage& m : Received(page_, MSG_COMMAND)) out.push_back(m.wParam);
    return out;
  }

  WindowHandle main_ = 0, page_ = 0;
};

}  // namespace pagetest
