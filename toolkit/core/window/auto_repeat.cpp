#include "core/window/auto_repeat.h"

#include <mutex>

#include "core/input/event_thread.h"
#include "core/window/window_record.h"
#include "gui/window.h"

namespace {
std::mutex g_lock;
Message g_repeat{};
}  // namespace

Message AutoRepeatMessage() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_repeat;
}

bool AutoRepeatIsSet() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_repeat.hwnd != 0;
}

void ClearAutoRepeatOf(WindowHandle hwnd) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (g_repeat.hwnd != 0 && (g_repeat.hwnd == hwnd || WindowBelongsTo(g_repeat.hwnd, hwnd))) g_repeat = Message{};
}

extern "C" void SetAutoRepeatMessage(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (hwnd == 0) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_repeat = Message{};
    return;
  }
  if (!ValidWindow(hwnd)) return;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    g_repeat = Message{hwnd, msg, wParam, lParam, 0, nullptr};
  }
  // The event thread may wait without a time limit: its time-outs drive the repeat.
  WakeEventThread();
}
