// The hint window shown while the recorder shuts down or reboots: it holds
// the display for a second, swallows mouse and keys, then closes itself and
// the program ends or starts again.
#include <atomic>
#include <cstdio>

#include "app/app_registry.h"
#include "app/login_rights.h"
#include "app/page_building.h"
#include "app/program.h"
#include "app/system/shutdown/shutdown_paint.h"
#include "app/system_pages.h"
#include "gui/message.h"
#include "gui/static.h"
#include "gui/timer.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "shutdownhint";
constexpr int kTimerId = 8199, kTimerTicks = 10;
constexpr int kTextId = 21264, kTextSize = 128;

std::atomic<int> g_kind{0};

const char* textKey(int kind) {
  if (kind == 0) return "shutdowning";
  if (kind == 1) return "rebooting";
  return "uprebooting";
}

void createText(WindowHandle hwnd) {
  const CtrlResInfo* r = pageframe::record(kSection, "hint");
  if (!r) return;
  const WindowHandle text = CreateWindowEx("static", "", WS_CHILD | WS_VISIBLE | SS_LEFT, WS_EX_TRANSPARENT, kTextId,
                                           r->x, r->y, r->w, r->h, hwnd, 0);
  const CtrlResInfo* caption = pageframe::record(kSection, textKey(g_kind.load()));
  char buffer[kTextSize] = "";
  if (caption && caption->caption) std::snprintf(buffer, sizeof buffer, "%s", caption->caption);
  SendMessage(text, MSG_SETTEXT, 0, reinterpret_cast<LParam>(buffer));
}

void init(WindowHandle hwnd) {
  setDispSwitchEnabled(0);
  setLiveViewActive(getMainOutput(), 0);
  setLiveViewActive(getAuxOutput(), 0);
  SetTimer(hwnd, kTimerId, kTimerTicks);
  createText(hwnd);
}

void close(WindowHandle hwnd) {
  KillTimer(hwnd, kTimerId);
  EndDialog(hwnd, 0);
}

void timer(WindowHandle hwnd, int) { SendMessage(hwnd, MSG_CLOSE, 0, 0); }

// Neither the keys nor a double click reach the dialog while it counts down.
bool other(WindowHandle, int message, WParam, LParam, LResult*) {
  return message == MSG_NCLBUTTONDBLCLK || message == MSG_KEYDOWN;
}

const pageframe::DialogHooks kHooks{init, nullptr, shutdown::paintBackground, close, timer, other};

// The screen the hint centres on: the video size a running restore of the
// defaults will give the main output, else the main output's extent.
void centringScreen(int* width, int* height) {
  const int main = getMainOutput();
  Size size{};
  DeviceConfig config{};
  if (longOpConfig(&config)) {
    if (getOutputScreenSize(main, config, &size) == 0 && size.cx > 0 && size.cy > 0) {
      *width = size.cx;
      *height = size.cy;
      return;
    }
  }
  *width = getScreenWidth(main);
  *height = getScreenHeight(main);
}

}  // namespace

static_assert(sizeof(DeviceConfig) + sizeof(int) <= LONG_OP_STATE_WORDS * sizeof(int), "long-operation copy");

extern "C" int createShutdownHintWindow(WindowHandle owner, int mode) {
  g_kind.store(mode);
  int width = 0, height = 0;
  centringScreen(&width, &height);
  const DlgTemplate tmpl = shutdown::centredTemplate(kSection, width, height, false);
  const int result = pageframe::runDialog(tmpl, owner, pageframe::dialogProc<kHooks>);
  // The recorder goes down here: the program ends, or starts over.
  if (mode == 0)
    requestShutdown();
  else
    requestReboot();
  return result;
}
