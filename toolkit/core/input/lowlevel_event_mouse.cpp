// Mouse half of the event reader: moves, button downs and ups, double
// clicks and wheel steps from the change of the engine's button word.
#include "core/input/lowlevel_event.h"

namespace lowlevel {
namespace {

constexpr int kLeft = IAL_MOUSE_LEFTBUTTON;
constexpr int kRight = IAL_MOUSE_RIGHTBUTTON;
constexpr int kWheel = IAL_MOUSE_WHEEL_TOWARDS | IAL_MOUSE_WHEEL_AWAY;

// A wheel step while a button is down ends that button's press.
int WheelCode(int old, int code) {
  if (old & kLeft) return ME_LEFTUP;
  if (old & kRight) return ME_RIGHTUP;
  return code;
}

bool Within(unsigned int now, unsigned int since, int threshold) {
  return now - since <= static_cast<unsigned int>(threshold);
}

int LeftPressed(State& s, unsigned int now) {
  if (s.leftDownTick != 0 && Within(now, s.leftDownTick, s.dblclickTicks)) {
    s.leftDownTick = 0;
    return ME_LEFTDBLCLICK;
  }
  s.leftDownTick = now;
  return ME_LEFTDOWN;
}

// Unlike the left button, a late second press does not start a new
// double-click window: it only ends the old one.
int RightPressed(State& s, unsigned int now) {
  if (s.rightDownTick != 0) {
    const bool quick = Within(now, s.rightDownTick, s.dblclickTicks);
    s.rightDownTick = 0;
    return quick ? ME_RIGHTDBLCLICK : ME_RIGHTDOWN;
  }
  s.rightDownTick = now;
  return ME_RIGHTDOWN;
}

// The event code of a button change, or -1 for none.
int ButtonCode(State& s, int old, int now_buttons) {
  if (now_buttons & IAL_MOUSE_WHEEL_TOWARDS) return WheelCode(old, ME_WHEEL_TOWARDS);
  if (now_buttons & IAL_MOUSE_WHEEL_AWAY) return WheelCode(old, ME_WHEEL_AWAY);
  if (!(old & kLeft) && (now_buttons & kLeft)) return LeftPressed(s, Now());
  if ((old & kLeft) && !(now_buttons & kLeft)) return ME_LEFTUP;
  if (!(old & kRight) && (now_buttons & kRight)) return RightPressed(s, Now());
  if ((old & kRight) && !(now_buttons & kRight)) return ME_RIGHTUP;
  return -1;
}

uint32_t ButtonStatus(uint32_t status, int buttons) {
  status &= ~0xF000u;
  if (buttons & kLeft) status |= KS_LEFTBUTTON;
  if (buttons & kRight) status |= KS_RIGHTBUTTON;
  if (buttons & kWheel) status |= KS_WHEEL;
  return status;
}

}  // namespace

int ReadMouse(LowLevelEvent* event) {
  State& s = state();
  int x = 0, y = 0, buttons = 0;
  const bool moved = CursorUpdate(&x, &y, &buttons) != 0;
  *event = LowLevelEvent{};
  event->type = kEventMouse;
  event->data1 = x;
  event->data2 = y;
  event->mouseStatus = static_cast<int32_t>(s.status.load());
  const int old = s.lastButtons.load();
  if (moved) {
    event->event = ME_MOVED;
    s.leftDownTick = s.rightDownTick = 0;
    // Only a move ends here. After a wheel step (which leaves its bit in the
    // button word) a move ends here too, but only when no left or right
    // button changed with it: a press or release read with the move would
    // otherwise be lost.
    const bool clickChanged = ((buttons ^ old) & (kLeft | kRight)) != 0;
    if (buttons == old || ((old & kWheel) && !clickChanged)) {
      SetTimeout(s.timeoutUsec);
      return 1;
    }
  }
  const int code = ButtonCode(s, old, buttons);
  if (code < 0) return 0;
  event->event = code;
  s.lastButtons = buttons;
  const uint32_t status = ButtonStatus(s.status.load(), buttons);
  s.status = status;
  event->mouseStatus = static_cast<int32_t>(status);
  s.previous = *event;
  SetTimeout(s.timeoutUsec);
  return 1;
}

}  // namespace lowlevel
