// The live view's small dialogs run modally on the test thread: a helper
// window posted before the dialog opens runs each test's steps inside the
// dialog's loop, and the test checks what the device was told. The steps
// click and type through the host's input, and once a dialog has closed
// the live view under it takes a click again.
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/color_panel.h"
#include "app/device_backend.h"
#include "app/core/liveview/tests/host_input.h"
#include "app/liveview_dialogs.h"
#include "app/page_ids.h"
#include "app/program.h"
#include "app/testing/page_harness.h"
#include "gui/app_hooks.h"
#include "gui/config.h"
#include "gui/dialog.h"
#include "gui/gui_etc.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "app/page_keys.h"

namespace {

using device_seam::Call;
using livetest::LiveGui;

constexpr int kStandard = 12576, kBright = 12577, kSoft = 12578, kGlaring = 12579;
constexpr int kRealTime = 20672, kBalanced = 20673, kFluent = 20674, kOk = PAGE_ID_OK, kCancel = IDCANCEL;

std::vector<int> Checked(WindowHandle dlg, int first, int last) {
  std::vector<int> on;
  for (int id = first; id <= last; ++id)
    if (SendDlgItemMessage(dlg, id, BM_GETCHECK, 0, 0) == 1) on.push_back(id);
  return on;
}

using livetest::Click;

std::vector<Call> Calls(const std::string& op) {
  std::vector<Call> out;
  for (const Call& c : device_seam::callLog())
    if (c.op == op) out.push_back(c);
  return out;
}

class Dialogs : public LiveGui {
 protected:
  // The live view of four windows the dialogs open over.
  void SetUp() override {
    LiveGui::SetUp();
    ASSERT_EQ(showLiveSplit(3, 4, 1), 0);
    live_ = Main({0, 0, 1024, 768}, previewMainWinProc, WS_EX_PREVIEW);
  }
  // A click on the live view's bottom-right window selects it and opens the
  // side menu: nothing the closed dialog left holds the mouse.
  void LiveViewTakesAClick() {
    setPreviewSelWin(3, 0);
    setLiveViewPopup(3, 0);
    EXPECT_TRUE(inputtest::ClickAt(700, 500, [] { return getLiveViewPopup(3) == 1; }));
    EXPECT_EQ(getPreviewSelWin(3), 3);
    setLiveViewPopup(3, 0);
  }
  WindowHandle live_ = 0;
  inputtest::SingleClicks singleClicks_;
  void SetMode(int output, int mode) {
    DeviceConfig config{};
    ASSERT_EQ(getDeviceConfig(getOutputLogin(output), &config), 0);
    config.outputs[output].pictureMode = static_cast<uint8_t>(mode);
    ASSERT_EQ(setDeviceConfig(getOutputLogin(output), &config, 1), 0);
  }
  std::vector<int> StoredModes() {
    DeviceConfig config{};
    getDeviceConfig(getOutputLogin(3), &config);
    std::vector<int> modes;
    for (const auto& block : config.outputs) modes.push_back(block.pictureMode);
    return modes;
  }
};

TEST_F(Dialogs, OutputModeOpensOnTheStoredModePreviewsClicksAndStoresOk) {
  SetMode(3, 2);
  device_seam::startCallLog();
  std::vector<int> atOpen, afterClick, afterSecond;
  int stateInside = -1;
  RunInLoop(showOutModeSet, [&] {
    WindowHandle dlg = getOutModeSetWnd();
    stateInside = getOutputState(3);
    atOpen = Checked(dlg, kStandard, kGlaring);
    Click(dlg, kBright);
    afterClick = Checked(dlg, kStandard, kGlaring);
    Click(dlg, kBright);  // a checked button stays the only one checked
    afterSecond = Checked(dlg, kStandard, kGlaring);
    inputtest::ClickClosing(dlg, kOk);
  });
  EXPECT_EQ(stateInside, 17);
  EXPECT_EQ(atOpen, std::vector<int>{kSoft});
  EXPECT_EQ(afterClick, std::vector<int>{kBright});
  EXPECT_EQ(afterSecond, std::vector<int>{kBright});
  const int outputs = getVideoOutNum();
  ASSERT_EQ(static_cast<int>(Calls("previewPictureMode").size()), 2 * outputs);
  EXPECT_EQ(Calls("previewPictureMode")[0], (Call{"previewPictureMode", {1, 1}}));
  EXPECT_EQ(Calls("applyPictureMode").size(), 1u);
  EXPECT_EQ(static_cast<int>(Calls("endPictureModePreview").size()), outputs);
  EXPECT_EQ(StoredModes(), (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
  EXPECT_EQ(getOutModeSetWnd(), GUI_INVALID_HANDLE);
  LiveViewTakesAClick();
}

TEST_F(Dialogs, OutputModeClosesAtOnceWhenStoringFailsAndOnEscapeOnlyInItsState) {
  SetMode(3, 1);
  device_seam::overrideAnswer(setDeviceConfig, -1);
  device_seam::startCallLog();
  bool openAfterForeignEscape = false;
  RunInLoop(showOutModeSet, [&] {
    WindowHandle dlg = getOutModeSetWnd();
    Click(dlg, kGlaring);
    inputtest::ClickClosing(dlg, kOk);
  });
  EXPECT_TRUE(Calls("applyPictureMode").empty());
  device_seam::clearOverrides();
  EXPECT_EQ(StoredModes()[3], 1);
  LiveViewTakesAClick();
  RunInLoop(showOutModeSet, [&] {
    WindowHandle dlg = getOutModeSetWnd();
    setOutputState(3, OUTSTATE_LIVEVIEW);
    EXPECT_TRUE(inputtest::Type(dlg, KEY_ESC));
    openAfterForeignEscape = IsWindow(dlg) && getOutModeSetWnd() == dlg;
    setOutputState(3, OUTSTATE_OUTMODE);
    livetest::PressKey(KEY_ESC);
  });
  EXPECT_TRUE(openAfterForeignEscape);
  EXPECT_EQ(getOutModeSetWnd(), GUI_INVALID_HANDLE);
  LiveViewTakesAClick();
  // Cancel previews nothing more and stores nothing.
  RunInLoop(showOutModeSet, [&] {
    WindowHandle dlg = getOutModeSetWnd();
    Click(dlg, kStandard);
    inputtest::ClickClosing(dlg, kCancel);
  });
  EXPECT_EQ(StoredModes()[3], 1);
  EXPECT_EQ(Calls("applyPictureMode").size(), 0u);
  EXPECT_EQ(getOutModeSetWnd(), GUI_INVALID_HANDLE);
  EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
  LiveViewTakesAClick();
}

// The start-up's disk check is sent to the live view from the start-up
// thread, and may come once the user has opened a dialog over it: the dialog
// keeps its state through the check and still closes on Escape.
TEST_F(Dialogs, EachKeepsItsStateThroughTheStartUpsDiskCheck) {
  struct Row {
    const char* name;
    int (*open)(WindowHandle);
    WindowHandle (*window)();
    int state;
  };
  const Row rows[] = {
      {"output mode", showOutModeSet, getOutModeSetWnd, OUTSTATE_OUTMODE},
      {"strategy", showPreviewStrategy, getPreviewStrategyWnd, OUTSTATE_STRATEGY},
      {"colour panel", showLeftColorSetDialog, getLeftColorSetWnd, OUTSTATE_COLORPANEL},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    setPreviewSelChan(3, 1);
    int afterCheck = -1;
    bool escaped = false;
    RunInLoop(row.open, [&] {
      const WindowHandle dlg = row.window();
      std::atomic<bool> checked{false};
      std::thread startUp([&] {
        SendMessage(live_, MSG_DISKCHECK, 0, 0);
        checked = true;
      });
      livetest::PumpTyping([&] { return checked.load(); });
      startUp.join();
      afterCheck = getOutputState(3);
      livetest::PressKey(KEY_ESC);
      escaped = livetest::PumpTyping([&] { return row.window() != dlg; }, 1500);
      if (!escaped) SendMessage(dlg, MSG_CLOSE, 0, 0);
    });
    EXPECT_EQ(afterCheck, row.state);
    EXPECT_TRUE(escaped);
    EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
    EXPECT_EQ(isLiveViewActive(3), 1);
    LiveViewTakesAClick();
  }
}

TEST_F(Dialogs, StrategyShowsTheDeviceValueAndKeepsOnlyWhatTheDeviceAccepts) {
  setPreviewSelChan(3, 4);
  setLiveViewPopup(3, 1);
  ASSERT_EQ(setPreviewStrategy(getOutputLogin(3), 4, 5), 0);
  device_seam::startCallLog();
  std::vector<int> atOpen;
  int stateInside = -1;
  RunInLoop(showPreviewStrategy, [&] {
    WindowHandle dlg = getPreviewStrategyWnd();
    stateInside = getOutputState(3);
    atOpen = Checked(dlg, kRealTime, kFluent);
    Click(dlg, kBalanced);
    inputtest::ClickClosing(dlg, kOk);
  });
  EXPECT_EQ(stateInside, 19);
  EXPECT_EQ(atOpen, std::vector<int>{kFluent});
  EXPECT_EQ(Calls("setPreviewStrategy"), (std::vector<Call>{{"setPreviewStrategy", {4, 3}}}));
  EXPECT_EQ(Calls("refreshLivePicture"), (std::vector<Call>{{"refreshLivePicture", {4}}}));
  EXPECT_EQ(getKeptPreviewStrategy(), 3);
  EXPECT_EQ(getLiveViewPopup(3), 0);
  EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);

  device_seam::overrideAnswer(setPreviewStrategy, -1);
  RunInLoop(showPreviewStrategy, [&] {
    WindowHandle dlg = getPreviewStrategyWnd();
    Click(dlg, kRealTime);
    EXPECT_EQ(Checked(dlg, kRealTime, kFluent), std::vector<int>{kRealTime});
    inputtest::ClickClosing(dlg, kOk);
  });
  EXPECT_EQ(getKeptPreviewStrategy(), 3);
  LiveViewTakesAClick();
  // Escape and Cancel leave the device alone.
  device_seam::clearOverrides();
  device_seam::startCallLog();
  for (const bool escape : {true, false}) {
    RunInLoop(showPreviewStrategy, [&] {
      WindowHandle dlg = getPreviewStrategyWnd();
      Click(dlg, kFluent);
      if (escape)
        livetest::PressKey(KEY_ESC);
      else
        inputtest::ClickClosing(dlg, kCancel);
    });
    EXPECT_EQ(getPreviewStrategyWnd(), GUI_INVALID_HANDLE) << escape;
    EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW) << escape;
    LiveViewTakesAClick();
  }
  EXPECT_TRUE(Calls("setPreviewStrategy").empty());
  EXPECT_EQ(getKeptPreviewStrategy(), 3);
}

TEST_F(Dialogs, CaptionDragMovesOnlyPastTheDeadZoneAndStaysOnScreen) {
  Rect start{}, afterSmall{}, afterLarge{}, afterFar{};
  RunInLoop(showPreviewStrategy, [&] {
    WindowHandle dlg = getPreviewStrategyWnd();
    GetWindowRect(dlg, &start);
    // Pressed on the caption at (x, y), moved to (x + dx, y + dy), released.
    auto drag = [&](int dx, int dy) {
      const int x = start.left + 50, y = start.top + 10;
      livetest::DragAt(x, y, x + dx, y + dy, [dlg] { return GetCapture() == dlg; });
      livetest::PumpUntil([] { return GetCapture() == 0; });
    };
    drag(20, 20);
    GetWindowRect(dlg, &afterSmall);
    drag(40, 0);
    GetWindowRect(dlg, &afterLarge);
    start = afterLarge;
    drag(1023 - start.left - 50, 767 - start.top - 10);  // the grip to the corner: the dialog would pass it
    GetWindowRect(dlg, &afterFar);
    inputtest::ClickClosing(dlg, kCancel);
  });
  EXPECT_EQ(afterSmall.left, afterLarge.left - 40);
  EXPECT_EQ(afterSmall.top, afterLarge.top);
  EXPECT_EQ(afterFar.right, 1024);
  EXPECT_EQ(afterFar.bottom, 768);
}

TEST_F(Dialogs, SmallPreviewStartsTheChannelsPictureOnAnAlignedArea) {
  device_seam::startCallLog();
  RunInLoop([](WindowHandle owner) { return createPreviewSmall(owner, 7); },
      [&] { inputtest::AltEscape(); });
  const auto started = Calls("startSmallVideo");
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].args[0], 7);
  EXPECT_EQ(started[0].args[1] % 8, 0);
  EXPECT_EQ(Calls("stopSmallVideo"), (std::vector<Call>{{"stopSmallVideo", {7}}}));
}

// ---- Pictures ----

class DialogsOnScreen : public Dialogs {
 protected:
  template <typename Open>
  void Shows(const char* name, Open open) {
    RunInLoop(open, [name] {
      WindowHandle dlg = GetActiveWindow();
      UpdateWindow(dlg, TRUE);
      Rect r{};
      GetWindowRect(dlg, &r);
      livetest::MatchesReference(__FILE__, name, livetest::SettledGrab(r));
      if (IsValidHandle(GetDlgItem(dlg, kCancel)))
        inputtest::ClickClosing(dlg, kCancel);
      else
        inputtest::AltEscape();
    });
  }
};

TEST_F(DialogsOnScreen, OutputModeStrategyAndSmallPreview) {
  Shows("outmodeset", showOutModeSet);
  Shows("previewstrategy", showPreviewStrategy);
  Shows("preview_small", [](WindowHandle owner) { return createPreviewSmall(owner, 1); });
}

}  // namespace

namespace {

// The small dialogs of the live view and the camera stand-ins, on the main
// and the auxiliary output: every bottom button lies whole inside the
// client area, not cut by the dialog's frame.
TEST_F(Dialogs, BottomButtonsLieInsideTheClientAreaOnBothOutputs) {
  struct Case {
    const char* name;
    int (*open)(WindowHandle owner);
    WindowHandle (*window)();
    std::vector<int> buttons;
    const char* section;
    std::vector<const char*> keys;
  } cases[] = {
      {"PTZ", showPtzPlayDialog, getPtzPlayWindow, {IDCANCEL}, "ptzplay", {"cancel"}},
      {"add camera", showAddIpcDialog, getAddIpcWnd, {IDCANCEL}, "addipc", {"cancel"}},
      {"output mode", showOutModeSet, getOutModeSetWnd, {kOk, IDCANCEL}, "outmodeset", {"ok", "cancel"}},
      {"strategy", showPreviewStrategy, getPreviewStrategyWnd, {kOk, IDCANCEL}, "previewstrategy", {"ok", "cancel"}},
  };
  // The auxiliary output's layout file, with the frame the main one has.
  for (const Case& c : cases) {
    int frame = 0;
    RunInLoop(c.open, [&] {
      const WindowHandle dlg = c.window();
      Rect outer{}, client{};
      GetWindowRect(dlg, &outer);
      GetClientRect(dlg, &client);
      frame = (outer.bottom - outer.top) - (client.bottom - client.top);
      inputtest::ClickClosing(dlg, IDCANCEL);
    });
    auto value = [&](const std::string& key) {
      int v = -1;
      EXPECT_EQ(GetIntValueFromEtcFile(AUXSETCFILEPATH, c.section, key.c_str(), &v), ETC_OK) << c.name << " " << key;
      return v;
    };
    const int height = value(std::string(c.section) + "_win_h");
    for (const char* key : c.keys)
      EXPECT_LE(value(std::string(key) + "_y") + value(std::string(key) + "_h"), height - frame)
          << c.name << " " << key << " in the auxiliary layout";
  }
  for (int output : {3, 1}) {
    setCurOutput(output);
    for (const Case& c : cases) {
      RunInLoop(c.open, [&] {
        const WindowHandle dlg = c.window();
        ASSERT_NE(dlg, GUI_INVALID_HANDLE) << c.name;
        Rect client{};
        GetClientRect(dlg, &client);
        for (int id : c.buttons) {
          Rect r{};
          ASSERT_TRUE(GetWindowRect(GetDlgItem(dlg, id), &r)) << c.name << " " << id;
          EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                      r.bottom <= client.bottom)
              << c.name << " button " << id << " on output " << output << ": " << r.left << "," << r.top << ","
              << r.right << "," << r.bottom << " in " << client.right << "x" << client.bottom;
        }
        // The host's pointer moves on the main output only.
        if (output == 3)
          inputtest::ClickClosing(dlg, IDCANCEL);
        else
          SendMessage(dlg, MSG_CLOSE, 0, 0);
      });
    }
  }
  setCurOutput(3);
}

}  // namespace
