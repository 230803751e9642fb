// Keyboard half of the event reader: the first changed key of the engine's
// key-state array, modifiers, lock keys with their latches and lights.
#include <linux/input-event-codes.h>

#include "core/input/ial.h"
#include "core/input/lowlevel_event.h"

namespace lowlevel {
namespace {

void SetLights(State& s) {
  const unsigned int lights = (s.caps ? 4u : 0u) | (s.num ? 2u : 0u) | (s.scroll ? 1u : 0u);
  IalEngine* engine = CurrentIalEngine();
  if (engine && engine->set_leds) engine->set_leds(lights);
  s.status = lights << 16;
}

// A lock toggles on a press that follows a release of its key.
void LockKey(State& s, bool down, bool* lock, bool* latch) {
  if (down && *latch) {
    *lock = !*lock;
    SetLights(s);
  }
  *latch = !down;
}

void TrackModifier(State& s, int code, bool down) {
  switch (code) {
    case KEY_LEFTCTRL: s.leftCtrl = down; break;
    case KEY_RIGHTCTRL: s.rightCtrl = down; break;
    case KEY_LEFTSHIFT: s.leftShift = down; break;
    case KEY_RIGHTSHIFT: s.rightShift = down; break;
    case KEY_LEFTALT: s.leftAlt = down; break;
    case KEY_RIGHTALT: s.rightAlt = down; break;
    case KEY_CAPSLOCK: LockKey(s, down, &s.caps, &s.capsLatch); break;
    case KEY_NUMLOCK: LockKey(s, down, &s.num, &s.numLatch); break;
    case KEY_SCROLLLOCK: LockKey(s, down, &s.scroll, &s.scrollLatch); break;
    default: break;
  }
}

uint32_t PackedFlags(const State& s) {
  uint32_t flags = 0;
  if (s.rightShift) flags |= KS_RIGHTSHIFT;
  if (s.leftShift) flags |= KS_LEFTSHIFT;
  if (s.rightAlt) flags |= KS_RIGHTALT;
  if (s.leftAlt) flags |= KS_LEFTALT;
  if (s.rightCtrl) flags |= KS_RIGHTCTRL;
  if (s.leftCtrl) flags |= KS_LEFTCTRL;
  if (s.scroll) flags |= KS_SCROLLLOCK;
  if (s.num) flags |= KS_NUMLOCK;
  if (s.caps) flags |= KS_CAPSLOCK;
  return flags;
}

void UpdateStatus(State& s) {
  uint32_t status = (s.status.load() & ~0xFFFu) | PackedFlags(s);
  const int buttons = s.lastButtons.load();
  if (buttons & IAL_MOUSE_LEFTBUTTON) status |= KS_LEFTBUTTON;
  else if (buttons & IAL_MOUSE_RIGHTBUTTON) status |= KS_RIGHTBUTTON;
  s.status = status;
}

int FirstChange(const State& s, const uint8_t* keys, int keyCount) {
  for (int code = 1; code < keyCount; ++code)
    if ((keys[code] != 0) != (s.oldKeys[code].load(std::memory_order_relaxed) != 0)) return code;
  return 0;
}

}  // namespace

void ResetKeyState() {
  State& s = state();
  for (auto& key : s.oldKeys) key.store(0, std::memory_order_relaxed);
  s.lastPressed = 0;
  s.capsLatch = s.numLatch = s.scrollLatch = true;
  s.status = 0;
  s.leftAlt = s.rightAlt = s.leftCtrl = s.rightCtrl = s.leftShift = s.rightShift = false;
  s.caps = s.num = s.scroll = false;
  IalEngine* engine = CurrentIalEngine();
  if (engine && engine->set_leds) engine->set_leds(0);
  SetTimeout(s.timeoutUsec);
}

int ReadKeyboard(int keyCount, LowLevelEvent* event) {
  State& s = state();
  IalEngine* engine = CurrentIalEngine();
  const uint8_t* keys = engine && engine->get_keyboard_state ? engine->get_keyboard_state() : nullptr;
  if (keyCount > kKeyStates) keyCount = kKeyStates;
  *event = LowLevelEvent{};
  event->type = kEventKey;
  const int code = keys ? FirstChange(s, keys, keyCount) : 0;
  if (code) {
    const bool down = keys[code] != 0;
    event->event = down ? KE_KEYDOWN : KE_KEYUP;
    event->data1 = code;
    if (down) {
      s.lastPressed = static_cast<uint8_t>(code);
      s.keyDownTick = Now();
    }
    TrackModifier(s, code, down);
    UpdateStatus(s);
    for (int i = 0; i < keyCount; ++i) s.oldKeys[i].store(keys[i], std::memory_order_relaxed);
  } else if (s.lastPressed && s.oldKeys[s.lastPressed].load(std::memory_order_relaxed)) {
    // A key held while the engine reports activity repeats as a down; a key
    // already released does not come back.
    event->event = KE_KEYDOWN;
    event->data1 = s.lastPressed;
  } else {
    s.previous.type = kEventTimeout;
    return 0;
  }
  event->data2 = static_cast<int32_t>(s.status.load());
  s.previous = *event;
  SetTimeout(s.timeoutUsec);
  return 1;
}

}  // namespace lowlevel
