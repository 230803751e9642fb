// The window-policy answers for the application's output states.
#include <gtest/gtest.h>

#include <cstring>

#include "core/desktop/desktop.h"
#include "core/window/window_record.h"
#include "gui/app_hooks.h"
#include "gui/control_class.h"
#include "gui/window.h"

namespace {

int g_mainType = 1, g_auxType = 1;
int FakeOutputType(int output, int* type) {
  *type = output == getMainOutputHook() ? g_mainType : g_auxType;
  return 0;
}

class Policy : public ::testing::Test {
 protected:
  void SetUp() override {
    GuiAppCallbacks fakes{};
    fakes.getDisplayOutputType = FakeOutputType;
    SetAppCallbacks(&fakes);
    preview_.exStyle = WS_EX_PREVIEW;
    preview_.mainWindow = &preview_;
  }
  void TearDown() override {
    setOutputStateHook(OUTSTATE_LIVEVIEW, getCurOutputHook());
    SetAutoRepeatMessage(0, 0, 0, 0);
    SetAppCallbacks(nullptr);
  }
  void State(int state) { setOutputStateHook(state, getCurOutputHook()); }
  MainWinRecord preview_;
};

TEST_F(Policy, PreviewPaintIsSuppressedOutsideLiveViewPtzAndPlayback) {
  WindowHandle hwnd = HandleOf(&preview_);
  for (int state : {0, 2, 9}) {
    State(state);
    EXPECT_EQ(IsPreviewPaintSuppressed(hwnd), 0) << state;
  }
  State(1);
  EXPECT_EQ(IsPreviewPaintSuppressed(hwnd), 1);
  preview_.exStyle = 0;
  EXPECT_EQ(IsPreviewPaintSuppressed(hwnd), 0);
}

TEST_F(Policy, BusyStatesAndIdleTicks) {
  for (int state : {2, 4, 6, 7, 8, 9, 10, 13}) {
    State(state);
    EXPECT_EQ(IsPreviewBusyState(getCurOutputHook()), 1) << state;
    EXPECT_EQ(ShouldBroadcastIdleTick(), 1) << state;
  }
  for (int state : {1, 11}) {
    State(state);
    EXPECT_EQ(IsPreviewBusyState(getCurOutputHook()), 0) << state;
    EXPECT_EQ(ShouldBroadcastIdleTick(), 0) << state;
  }
  SetAutoRepeatMessage(HandleOf(&preview_), 288, 1, 2);
  EXPECT_EQ(ShouldBroadcastIdleTick(), 1);
  State(0);
  EXPECT_EQ(CanReturnToPreview(getCurOutputHook()), 1);
  State(1);
  EXPECT_EQ(CanReturnToPreview(getCurOutputHook()), 0);
}

TEST_F(Policy, LowResolutionOnlyOnTheMainDisplayMatters) {
  g_mainType = 0;
  g_auxType = 1;
  EXPECT_EQ(BothOutputsNotLowRes(), 0);
  g_auxType = 0;
  EXPECT_EQ(BothOutputsNotLowRes(), 1);
  g_mainType = 1;
  EXPECT_EQ(BothOutputsNotLowRes(), 1);
}

TEST_F(Policy, ClassQueriesAskControlsOnly) {
  ControlClass button{};
  std::strcpy(button.name, "BUTTON");
  ControlRecord control;
  control.windowType = kWindowControl;
  control.controlClass = &button;
  control.mainWindow = &preview_;
  EXPECT_EQ(IsControlOfClass(HandleOf(&control), "button"), 1);
  EXPECT_EQ(IsControlOfClass(HandleOf(&control), "static"), 0);
  EXPECT_EQ(IsControlOfClass(HandleOf(&preview_), "button"), 0);
  EXPECT_EQ(IsControlOfClass(GUI_INVALID_HANDLE, "button"), 0);
  EXPECT_EQ(IsPlaybackWindow(HandleOf(&preview_)), 0);  // no playback window: -1 is never matched
  EXPECT_EQ(IsPlaybackScreenWindow(GUI_INVALID_HANDLE), 0);
}

}  // namespace
