// The toolkit brought up once per test suite (configuration, screen, fonts,
// desktop thread), windows on the test thread whose procedure logs what it
// receives, and skins made in memory in place of the skin files.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/desktop/tests/desktop_fixture.h"
#include "core/element/system_res.h"
#include "core/message/tests/message_log.h"
#include "core/window/tests/main_window_creation.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace guitest {

class Log : public MessageLog<Log, SeenMessage> {};

inline LResult LoggingProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  Log::Instance().Add({hwnd, msg, wParam, lParam});
  return DefaultWindowProc(hwnd, msg, wParam, lParam);
}

// The event thread broadcasts the repeat tick on its own time-outs as
// well, whenever a loaded machine lets it run. A window with this procedure
// passes on only the ticks the test gives with InjectTick, so that the steps
// a repeat makes do not depend on how fast the machine runs.
inline bool& InjectingTick() {
  static bool injecting = false;  // read and set on the test thread only
  return injecting;
}

inline LResult InjectedTicksOnlyProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_BROADCAST_NOTICE && !InjectingTick()) return 0;
  return LoggingProc(hwnd, msg, wParam, lParam);
}

// One repeat tick to `hwnd`, on the calling (its own) thread.
inline void InjectTick(WindowHandle hwnd) {
  InjectingTick() = true;
  SendMessage(hwnd, MSG_BROADCAST_NOTICE, 0, 0);
  InjectingTick() = false;
}

inline GalPixel Rgb(uint8_t r, uint8_t g, uint8_t b) { return RGB2Pixel(HDC_SCREEN, r, g, b); }

// A screen-format bitmap of cells side by side (and rows below), each cell
// one solid pixel value.
class SolidBitmap {
 public:
  SolidBitmap(int cellW, int cellH, const std::vector<std::vector<GalPixel>>& rows) {
    const int cols = static_cast<int>(rows[0].size());
    width_ = cellW * cols;
    height_ = cellH * static_cast<int>(rows.size());
    pixels_.resize(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) pixels_[y * width_ + x] = rows[y / cellH][x / cellW];
    bitmap_.bmBitsPerPixel = 32;
    bitmap_.bmBytesPerPixel = 4;
    bitmap_.bmWidth = static_cast<uint32_t>(width_);
    bitmap_.bmHeight = static_cast<uint32_t>(height_);
    bitmap_.bmPitch = static_cast<uint32_t>(width_ * 4);
    bitmap_.bmBits = reinterpret_cast<uint8_t*>(pixels_.data());
  }
  const Bitmap& Get() const { return bitmap_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
  Bitmap bitmap_{};
};

class StartedGui : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetAppCallbacks(nullptr);
    ASSERT_EQ(InitGUI(0, nullptr), 0);
  }
  static void TearDownTestSuite() { TerminateGUI(0); }

  void TearDown() override {
    // A preview window refuses destruction; left listed, the desktop would
    // go on posting to the queue its thread's clean-up below frees.
    for (WindowHandle hwnd : windows_) {
      if (!IsMainWindow(hwnd) || !(desktest::Rec(hwnd)->exStyle & WS_EX_PREVIEW)) continue;
      desktest::Request(MSG_DT_REMOVEMAINWIN, hwnd);
      desktest::Rec(hwnd)->exStyle &= ~WS_EX_PREVIEW;
    }
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
      if (IsMainWindow(*it)) DestroyMainWindow(*it);
      MainWindowThreadCleanup(*it);
    }
    desktest::Drain();
    EXPECT_EQ(Listed(windows_), std::vector<WindowHandle>{}) << "windows outlived the test";
    windows_.clear();
    Log::Instance().Take();
  }

  // Those of the given windows any of the desktop's lists still holds.
  static std::vector<WindowHandle> Listed(const std::vector<WindowHandle>& windows) {
    StackReadLock hold;
    std::vector<WindowHandle> out;
    for (ZOrderList* list : {&TopmostList(), &MainDisplayList(), &AuxDisplayList()})
      for (WindowHandle hwnd : desktest::ListOrder(*list))
        if (std::find(windows.begin(), windows.end(), hwnd) != windows.end()) out.push_back(hwnd);
    return out;
  }

  WindowHandle Main(Rect r, uint32_t style, const char* caption = "main", uint32_t exStyle = 0) {
    MainWinCreate create = MainWindowCreation(r, LoggingProc, caption, style | WS_VISIBLE, exStyle);
    create.iBkColor = Rgb(0, 0, 0);
    WindowHandle hwnd = CreateMainWindow(&create);
    if (hwnd != GUI_INVALID_HANDLE) windows_.push_back(hwnd);
    return hwnd;
  }

  // What the window received since the last look (dispatching first).
  std::vector<SeenMessage> Received(WindowHandle hwnd, int message) {
    desktest::Drain();
    std::vector<SeenMessage> out;
    for (const SeenMessage& m : Log::Instance().Take())
      if (m.hwnd == hwnd && m.message == message) out.push_back(m);
    return out;
  }

  std::vector<WindowHandle> windows_;
};

}  // namespace guitest
