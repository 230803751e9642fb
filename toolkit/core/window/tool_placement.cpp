#include "core/window/tool_placement.h"

#include "core/desktop/clip_info.h"
#include "core/startup/input_helpers.h"
#include "core/winattr/winattr_internal.h"
#include "core/window/default_proc_internal.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "core/window/window_record.h"
#include "gui/message.h"
#include "gui/text.h"
#include "gui/window.h"

namespace {

constexpr int kEdgeGap = 10;
constexpr int kImeGap = 2;
constexpr int kSystemCharFont = 0;

int Width(const Rect& r) { return r.right - r.left; }
int Height(const Rect& r) { return r.bottom - r.top; }

// The tool window, or null when it does not exist or must not serve the
// control (its main window never activates, or is one of the tool windows).
WindowRecord* ToolFor(WindowHandle tool, const WindowRecord* control) {
  WindowRecord* win = ValidMainWindow(tool);
  if (!win || !control->mainWindow) return nullptr;
  const MainWinRecord* main = control->mainWindow;
  if (main->exStyle & WS_EX_NOT_ACTIVATED) return nullptr;
  if (IsInputToolWindow(HandleOf(main))) return nullptr;
  return win;
}

bool Asks(WindowRecord* control, int question) { return CallProc(control, question, 0, 0) != 0; }

// The corner near the bottom right that the soft keyboard must not cover.
Rect ReservedCorner(const Rect& screen) {
  int charHeight = GetSysFontHeight(kSystemCharFont);
  return Rect{screen.right - 540, screen.bottom - (2 * charHeight + 34), screen.right - 100, screen.bottom - 20};
}

int KeepOffRightEdge(int x, int width, const Rect& screen) {
  return x + width > screen.right - kEdgeGap ? screen.right - kEdgeGap - width : x;
}

}  // namespace

bool IsInputToolWindow(WindowHandle hwnd) {
  return hwnd && (hwnd == SoftKeyboardWindow() || hwnd == ImeWindow());
}

void PlaceSoftKeyboard(WindowRecord* control, bool show, int leftOffset) {
  WindowRecord* skb = ToolFor(SoftKeyboardWindow(), control);
  if (!skb) return;
  WindowHandle skbHandle = HandleOf(skb);
  if (!show || !Asks(control, MSG_NEEDSKB)) {
    SendMessage(skbHandle, MSG_SKBCLOSE, 0, 0);
    return;
  }
  SendMessage(skbHandle, MSG_SKBCLOSE, 0, 0);
  const Rect screen = ScreenRect();
  const Rect at = ScreenRectOf(control);
  const Rect size = GeometryOf(skb).window;  // other threads move the tool window too
  const int w = Width(size), h = Height(size);
  int x = KeepOffRightEdge(at.left - leftOffset, w, screen);
  int y = at.bottom;
  Rect placed{x, y, x + w, y + h};
  Rect corner = ReservedCorner(screen);
  Rect overlap;
  if (y + h > screen.bottom - kEdgeGap || IntersectRect(&overlap, &placed, &corner)) y = at.top - h;
  int evenX = x & ~1, evenY = (y + 1) & ~1;
  MoveWindowTo(skbHandle, Rect{evenX, evenY, evenX + w, evenY + h}, true);
  SendMessage(skbHandle, MSG_SKBOPEN, 0, PackPoint(x, y));
  SendNotifyMessage(skbHandle, MSG_SKBACTIVEWIN, HandleOf(control), 0);
  if (WindowRecord* ime = ValidMainWindow(ImeWindow()))
    SendNotifyMessage(HandleOf(ime), MSG_IMEACTIVEWIN, HandleOf(control), 0);
}

void PlaceIme(WindowRecord* control, bool show) {
  WindowRecord* ime = ToolFor(ImeWindow(), control);
  if (!ime) return;
  WindowHandle imeHandle = HandleOf(ime);
  if (!show || !Asks(control, MSG_NEEDIME)) {
    SendMessage(imeHandle, MSG_IMECLOSE, 0, 0);
    return;
  }
  const Rect at = ScreenRectOf(control);
  const Rect size = GeometryOf(ime).window;
  const int w = Width(size), h = Height(size);
  int x = KeepOffRightEdge(at.left, w, ScreenRect()) & ~1;
  int y = (at.top - kImeGap - h) & ~1;
  MoveWindowTo(imeHandle, Rect{x, y, x + w, y + h}, true);
  SendNotifyMessage(imeHandle, MSG_IMESHOW, HandleOf(control), 0);
  SendNotifyMessage(imeHandle, MSG_IMEACTIVEWIN, HandleOf(control), 0);
}

void HideInputTools(WindowRecord* win) {
  PlaceSoftKeyboard(win, false, 0);
  PlaceIme(win, false);
}
