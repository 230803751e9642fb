#include "core/desktop/idle.h"

#include <algorithm>
#include <atomic>
#include <ctime>

#include "core/cursor/system_cursor.h"
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_proc.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/output_state.h"
#include "core/desktop/window_stack.h"
#include "core/livevideo/display_switch.h"
#include "core/timer/timer_internal.h"
#include "gui/app_hooks.h"
#include "gui/message.h"

namespace {

constexpr int kIdleNoticeSeconds = 21;
constexpr int kReferenceSpan = 22;
constexpr int kBusyCursor = 13;

std::atomic<long> g_planned{-1};  // the last plan, in the desktop's seconds
// The time-out index the checks read last (desktop thread only): the plan
// made after the message uses it rather than reading the device record
// again. A change made meanwhile is read at the notice's check at the
// latest, which every input plans and which comes before any time-out.
int g_checkedIndex = 0;

void SendIdleNotice() {
  int current = getCurOutputHook();
  if (WindowHandle active = ActiveOfCurrentDisplay()) PostMessage(active, MSG_IDLE, current, 0);
  int other = OtherOutput(current);
  WindowHandle otherActive = current == getMainOutputHook() ? Desk().activeAux : Desk().activeMain;
  if (otherActive && otherActive == GetDisplayPreviewWindow(other)) PostMessage(otherActive, MSG_IDLE, other, 0);
}

}  // namespace

int IdleTimeoutSeconds(int index) {
  static const int kSeconds[] = {60, 120, 300, 600, 1200, 1800};
  return index >= 1 && index <= 6 ? kSeconds[index - 1] : -1;
}

void StartIdleBookkeeping() {
  DesktopState& d = Desk();
  d.keyHook = HookSlot{0, RecordInputActivity};
  d.mouseHook = HookSlot{0, RecordInputActivity};
  d.lastInput = d.idleReference = DesktopNow();
  d.idleNoticeSent = d.idleTimeoutFired = false;
}

void RunIdleChecks() {
  DesktopState& d = Desk();
  long now = DesktopNow();
  int index = DeviceConfigIdleIndex(getCurOutputHook());
  g_checkedIndex = index;
  long timeout = IdleTimeoutSeconds(index);
  // A clock jump, or the time-out being off, restarts the count.
  if (now < d.lastInput || static_cast<unsigned long>(now - d.lastInput) > static_cast<unsigned long>(timeout + 1))
    d.lastInput = now;
  if (now < d.idleReference || now - d.idleReference >= kReferenceSpan) d.idleReference = now;
  if (!d.idleNoticeSent && now - d.idleReference >= kIdleNoticeSeconds) {
    d.idleNoticeSent = true;
    SendIdleNotice();
  }
  if (!d.idleTimeoutFired && index != 0 && index != 65535 && timeout != -1 && now - d.lastInput > timeout &&
      CurrentSystemCursor() != kBusyCursor) {
    EndTrackingForRequest();  // the windows it holds locked are closed and repainted
    ReturnToPreview();
    ShowSystemCursor(0);
    d.idleTimeoutFired = true;
  }
}

long NextIdleCheck(long now) {
  const DesktopState& d = Desk();
  long due = -1;
  if (!d.idleNoticeSent) due = d.idleReference + kIdleNoticeSeconds;
  const int index = g_checkedIndex;
  const long timeout = IdleTimeoutSeconds(index);
  if (!d.idleTimeoutFired && index != 0 && index != 65535 && timeout != -1) {
    const long fires = d.lastInput + timeout + 1;
    due = due < 0 ? fires : std::min(due, fires);
  }
  // Passed already: held back (the busy cursor), looked at each second.
  return due < 0 ? -1 : std::max(due, now + 1);
}

void PublishTickNeeds() {
  const long now = DesktopNow();
  const long due = NextIdleCheck(now);
  g_planned = due;
  // The timer thread counts in the system's seconds; a test's clock is offset.
  const long wallDue = due < 0 || !DesktopClockIsFake() ? due : due - now + static_cast<long>(time(nullptr));
  const bool caret = Desk().caretWindow != 0;
  SetDesktopTickNeeds(caret, due < 0 ? kNoIdleCheck : wallDue);
  // A caret set on its own thread since the read above may have raised the
  // need just before the line above lowered it.
  if (!caret && Desk().caretWindow != 0) RaiseDesktopCaretNeed();
}

long PlannedIdleCheckForTest() { return g_planned.load(); }

int RecordInputActivity(WindowHandle, WindowHandle, int, WParam, LParam) {
  DesktopState& d = Desk();
  d.lastInput = d.idleReference = DesktopNow();
  if (d.idleTimeoutFired) {
    int current = getCurOutputHook();
    int other = OtherOutput(current);
    if (getOutputStateHook(current) == OUTSTATE_RETURNED) {
      setOutputStateHook(OUTSTATE_LIVEVIEW, current);
      if (WindowHandle top = GetCurTopMainWindow()) PostMessage(top, MSG_IDLEINPUT, 0, 0);
    }
    if (getOutputStateHook(other) == OUTSTATE_RETURNED) {
      if (WindowHandle preview = FirstPreviewWindow(current)) PostMessage(preview, MSG_IDLEINPUT, 0, 0);
      setOutputStateHook(OUTSTATE_LIVEVIEW, other);
    }
    d.idleTimeoutFired = false;
  }
  d.idleNoticeSent = false;
  return 0;
}
