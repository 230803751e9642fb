// A desktop thread per test, windows whose procedure records every message
// (with both parameters) and hands it to the default procedure, and helpers
// to read what one window received.
#pragma once

#include "core/desktop/tests/desktop_fixture.h"
#include "core/window/window_damage.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"

namespace painttest {

using desktest::Input;
using desktest::PointParam;
using desktest::Request;

using Got = SeenMessage;

// Answers a window's procedure gives before the default procedure is asked.
using Override = bool (*)(WindowHandle hwnd, int msg, WParam wParam, LParam lParam, LResult* answer);

class Log : public MessageLog<Log, Got> {
 public:
  std::atomic<Override> override{nullptr};
};

inline LResult LoggingProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  Log& log = Log::Instance();
  log.Add({hwnd, msg, wParam, lParam});
  LResult answer = 0;
  if (Override o = log.override.load(); o && o(hwnd, msg, wParam, lParam, &answer)) return answer;
  return DefaultWindowProc(hwnd, msg, wParam, lParam);
}

constexpr const char* kLoggedClass = "logged";

inline bool IsPaintTraffic(int msg) {
  return msg == MSG_ERASEBKGND || msg == MSG_PAINT || msg == MSG_NCPAINT || msg == MSG_CSIZECHANGED;
}

class PaintTest : public desktest::DesktopTest {
 protected:
  void SetUp() override {
    desktest::DesktopTest::SetUp();
    __gui_def_proc[0] = DefaultMainWinProc;
    __gui_def_proc[1] = DefaultMainWinProc;
    __gui_def_proc[2] = DefaultControlProc;
    WndClassInfo info{};
    info.className = kLoggedClass;
    info.windowProc = LoggingProc;
    SendMessage(__gui_hwnd_desktop, MSG_DT_ADDCTRLCLASS, 0, reinterpret_cast<LParam>(&info));
    Log::Instance().override = nullptr;
  }
  void TearDown() override {
    Log::Instance().override = nullptr;
    DestroyKept();
    desktest::Drain();
    SendMessage(__gui_hwnd_desktop, MSG_DT_DELCTRLCLASS, 0, reinterpret_cast<LParam>(kLoggedClass));
    desktest::DesktopTest::TearDown();
    Log::Instance().Take();
  }

  WindowHandle LoggedMain(Rect r, uint32_t style = WS_VISIBLE, uint32_t exStyle = 0, const char* caption = "main") {
    MainWinCreate create = MainWindowCreation(r, LoggingProc, caption, style, exStyle);
    return Kept(CreateMainWindow(&create));
  }

  WindowHandle LoggedControl(WindowHandle parent, Rect r, int id, uint32_t style = WS_VISIBLE, uint32_t exStyle = 0) {
    return ControlOfClass(kLoggedClass, parent, r, id, style, exStyle);
  }

  // Dispatches everything waiting, then forgets what was received.
  void Quiet() {
    desktest::Drain();
    Log::Instance().Take();
  }

  // What one window received since the last look, message numbers only,
  // the paint traffic left out unless asked for.
  MessageSequence Messages(WindowHandle hwnd, bool withPaint = false) {
    MessageSequence out;
    for (const Got& g : For(hwnd))
      if (withPaint || !IsPaintTraffic(g.message)) out.push_back(g.message);
    return out;
  }

  std::vector<Got> For(WindowHandle hwnd) {
    desktest::Drain();
    std::vector<Got> out;
    for (const Got& g : Log::Instance().Take()) {
      if (g.hwnd == hwnd)
        out.push_back(g);
      else
        Log::Instance().Add(g);
    }
    return out;
  }
};

inline bool RegionEmpty(WindowHandle hwnd) { return !HasInvalidArea(WindowOf(hwnd)); }

}  // namespace painttest
