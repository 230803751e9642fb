// A dialog's controls come and go on its own thread while another thread
// looks its items up and walks them: by id, in tab and group order, the
// default button, the child list. Each answer names a control of the dialog
// (or none), and no record is read after it is freed (ThreadSanitizer).
#include <gtest/gtest.h>

#include <sched.h>

#include <atomic>
#include <thread>

#include "core/nonclient/tests/started_gui.h"
#include "core/window/child_walk.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"

namespace {

constexpr int kLabel = 100, kPassing = 200;
constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP;

LResult DialogProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_INITDIALOG) return 1;
  return DefaultDialogProc(hwnd, msg, wParam, lParam);
}

class DialogItems : public guitest::StartedGui {};

TEST_F(DialogItems, AnotherThreadLooksItemsUpWhileTheDialogsThreadMakesAndDestroysThem) {
  CtrlData items[] = {
      {"static", WS_VISIBLE, 10, 40, 80, 20, kLabel, "label", 0, 0},
      {"button", kButton | BS_DEFPUSHBUTTON, 10, 10, 80, 26, IDOK, "OK", 0, 0},
  };
  DlgTemplate tpl{WS_BORDER, 0, 200, 200, 300, 120, "items", 0, 0, 2, items, 0};
  const WindowHandle dlg = CreateMainWindowIndirectParam(&tpl, 0, DialogProc, 0);
  ASSERT_NE(dlg, GUI_INVALID_HANDLE);
  windows_.push_back(dlg);
  const WindowHandle label = GetDlgItem(dlg, kLabel), ok = GetDlgItem(dlg, IDOK);
  ASSERT_NE(ok, 0u);

  std::atomic<bool> stop{false};
  std::atomic<int> seen{0};  // lookups that found the passing control this round
  std::atomic<bool> done{false};
  std::thread reader([&] {
    while (!stop.load()) {
      if (GetDlgItem(dlg, kPassing)) ++seen;
      EXPECT_EQ(GetDlgItem(dlg, IDOK), ok);
      EXPECT_EQ(GetNextChild(dlg, 0), label);
      // The passing button comes after the default one and is no default.
      EXPECT_EQ(GetDlgDefPushButton(dlg), IDOK);
      const WindowHandle tab = GetNextDlgTabItem(dlg, ok, FALSE);
      const WindowHandle group = GetNextDlgGroupItem(dlg, ok, TRUE);
      EXPECT_TRUE(tab != 0 && tab != label) << "the label takes no tab stop";
      EXPECT_TRUE(group != 0 && group != label) << "a static is no group member";
      char text[8] = {};
      EXPECT_EQ(GetDlgItemText(dlg, kLabel, text, sizeof text), 5);
    }
    done = true;
  });
  for (int round = 0; round < 200; ++round) {
    seen = 0;
    const WindowHandle passing =
        CreateWindowEx("button", "go", kButton, 0, kPassing, 100, 10, 80, 26, dlg, 0);
    ASSERT_NE(passing, GUI_INVALID_HANDLE);
    // The reader's sends to the controls are answered here while it looks.
    while (seen.load() == 0) {
      desktest::Drain();
      sched_yield();
    }
    EXPECT_TRUE(DestroyWindow(passing));
  }
  stop = true;
  while (!done.load()) {
    desktest::Drain();
    sched_yield();
  }
  reader.join();
  EXPECT_EQ(GetDlgItem(dlg, kPassing), 0u);
  EXPECT_EQ(GetNextDlgTabItem(dlg, ok, FALSE), ok);
  EXPECT_EQ(ReclaimRetiredControls(), 0u);  // nothing kept once no walk runs
}

}  // namespace
