// Tool windows (input method, soft keyboard) on threads of their own that
// ask the desktop something while the desktop forwards a request to them:
// the desktop, waiting for their answer, must answer them meanwhile.
#include "core/desktop/tests/desktop_fixture.h"
#include "core/message/tests/watchdog.h"

namespace desktest {
namespace {

// Answers a forwarded query with the active window the desktop names, plus
// one; a forwarded command asks the desktop too and answers 0.
LResult AskingToolProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (DestroyAndQuitOnClose(hwnd, msg)) return 0;
  switch (msg) {
    case MSG_DT_IMEQUERY:
    case MSG_DT_SKBQUERY:
      return Request(MSG_DT_GETACTIVEMAIN) + 1;
    case MSG_DT_IMECMD:
    case MSG_DT_SKBCMD:
      Request(MSG_DT_GETACTIVEMAIN);
      return 0;
    default:
      return RecordingProc(hwnd, msg, wParam, lParam);
  }
}

struct AskingTool : OwnThreadWindow {
  AskingTool() : OwnThreadWindow(MainWindowCreation({600, 600, 700, 650}, AskingToolProc, "tool", 0, WS_EX_TOPMOST)) {}
  void Start() {
    pthread_t thread;
    ASSERT_EQ(CreateThreadForMainWindow(&thread, nullptr, Run, this), 0);
    created.Wait();
    ASSERT_NE(hwnd.load(), GUI_INVALID_HANDLE);
  }
  void Close() {
    PostMessage(hwnd, MSG_CLOSE, 0, 0);
    WaitMainWindowClose(hwnd, nullptr);
  }
};

using ToolWindows = DesktopTest;

TEST_F(ToolWindows, ForwardedRequestsMayAskTheDesktopBack) {
  WindowHandle active = Main({0, 0, 100, 100});
  AskingTool ime, skb;
  ime.Start();
  skb.Start();
  ASSERT_EQ(Request(MSG_DT_REGIME, ime.hwnd), 0u);
  ASSERT_EQ(Request(MSG_DT_REGSKB, skb.hwnd), 0u);
  {
    Watchdog dog(30, "a forwarded request whose handler asks the desktop");
    for (int round = 0; round < 50; ++round) {
      EXPECT_EQ(Request(MSG_DT_IMEQUERY), active + 1);
      EXPECT_EQ(Request(MSG_DT_SKBQUERY), active + 1);
      EXPECT_EQ(Request(MSG_DT_IMECMD), 0u);
      EXPECT_EQ(Request(MSG_DT_SKBCMD), 0u);
    }
  }
  EXPECT_EQ(Request(MSG_DT_UNREGIME, ime.hwnd), 0u);
  EXPECT_EQ(Request(MSG_DT_UNREGSKB, skb.hwnd), 0u);
  ime.Close();
  skb.Close();
}

}  // namespace
}  // namespace desktest
