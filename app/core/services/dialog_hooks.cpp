// The one runner of a dialog's or window's hooks, the dialog default it
// falls back on and the background painters.
#include "app/dialog_hooks.h"

#include "app/liveview_dialogs.h"
#include "app/page_colours.h"
#include "gui/dc.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"

namespace {

// The dialog's bottom band, where its buttons stand.
constexpr int kDialogBand = 50;

LResult run(const app::DialogHooks& hooks, WindowProc fallback, WindowHandle window, int message, WParam wParam,
            LParam lParam) {
  LResult answer = 0;
  if (hooks.message && hooks.message(window, message, wParam, lParam, &answer)) return answer;
  switch (message) {
    case MSG_INITDIALOG:
      if (hooks.init) hooks.init(window);
      break;
    case MSG_COMMAND:
      if (hooks.command && hooks.command(window, wParam, lParam)) return 0;
      break;
    case MSG_ERASEBKGND: (hooks.erase ? hooks.erase : paintDialogBackground)(window, wParam, lParam); return 0;
    case MSG_CLOSE:
      if (!hooks.close) break;
      hooks.close(window);
      return 0;
    case MSG_TIMER:
      if (!hooks.timer) break;
      hooks.timer(window, static_cast<int>(wParam));
      return 0;
    default: break;
  }
  return fallback(window, message, wParam, lParam);
}

}  // namespace

namespace app {

LResult dialogDefault(WindowHandle dialog, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_DESTROY: DestroyAllControls(dialog); return 0;
    case MSG_CLOSE: EndDialog(dialog, 0); return 0;
    case MSG_PAINT: beginEndPaint(dialog); return DefaultDialogProc(dialog, message, wParam, lParam);
    default: return DefaultDialogProc(dialog, message, wParam, lParam);
  }
}

LResult runDialog(const DialogHooks& hooks, WindowHandle dialog, int message, WParam wParam, LParam lParam) {
  return run(hooks, dialogDefault, dialog, message, wParam, lParam);
}

LResult runWindow(const DialogHooks& hooks, WindowHandle window, int message, WParam wParam, LParam lParam) {
  return run(hooks, DefaultWindowProc, window, message, wParam, lParam);
}

int runDialog(const DlgTemplate& tmpl, WindowHandle parent, WindowProc proc, LParam param) {
  return static_cast<int>(DialogBoxIndirectParam(&tmpl, parent, proc, param));
}

}  // namespace app

extern "C" {

void eraseBkgndGrey50(WindowHandle window, WParam hdc, LParam rect) {
  liveview_dialogs::erasePage(window, hdc, rect);
}

void eraseBkgndGrey34(WindowHandle window, WParam hdc, LParam rect) {
  liveview_dialogs::eraseWith(window, hdc, rect, [](HDC dc, const Rect& c) {
    fillColour(dc, page_colours::kDialogBackground, 0, 0, c.right - c.left, c.bottom - c.top);
  });
}

void paintDialogBackground(WindowHandle window, WParam hdc, LParam rect) {
  liveview_dialogs::eraseWith(window, hdc, rect, [](HDC dc, const Rect& c) {
    const int w = c.right - c.left, h = c.bottom - c.top;
    fillColour(dc, page_colours::kDialogBackground, 0, 0, w, h);
    fillColour(dc, page_colours::kPageBackground, 0, 0, w, h - kDialogBand);
  });
}

LResult beginEndPaint(WindowHandle window) {
  EndPaint(window, BeginPaint(window));
  return 0;
}

}  // extern "C"
