// The "spintime" control: its record, its messages and its class.
#include <new>

#include "controls/spintime/spintime_class.h"
#include "controls/barkit/ctl_util.h"
#include "controls/registry/control_registry.h"
#include "controls/spintime/spintime_internal.h"
#include "gui/combobox.h"
#include "gui/control_class.h"
#include "gui/element.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace spintime {
namespace {

LResult Default(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[2] ? __gui_def_proc[2] : DefaultControlProc;
  return proc(hwnd, msg, wParam, lParam);
}

using barkit::HighY;
using barkit::LowX;
using barkit::PressOf;

LResult Create(WindowHandle hwnd) {
  Data* d = new (std::nothrow) Data;
  if (!d) return -1;
  d->arrows = GetStockBitmap("updownarrow", -1, -1);
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  IncludeWindowStyle(hwnd, TSS_WRAP);
  ResetScale();
  return 0;
}

}  // namespace

// The combo box names its edit; a spinner placed elsewhere writes to its parent.
WindowHandle TextTarget(WindowHandle spinner) {
  const WindowHandle parent = GetParent(spinner);
  WindowHandle edit = 0;
  if (IsValidHandle(parent))
    SendMessage(parent, CB_GETCHILDREN, reinterpret_cast<WParam>(&edit), 0);
  return edit ? edit : parent;
}

namespace {

void WriteBack(WindowHandle hwnd, const Data& d) {
  const WindowHandle target = TextTarget(hwnd);
  if (!target || target == GUI_INVALID_HANDLE) return;
  const std::string text = Compose(d);
  SendMessage(target, MSG_SETTEXT, 0, reinterpret_cast<LParam>(text.c_str()));
}

void LayOut(WindowHandle hwnd, Data& d) {
  Rect client{};
  GetClientRect(hwnd, &client);
  Layout(hwnd, d, client.right - client.left, client.bottom - client.top);
}

LResult Proc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) return Create(hwnd);
  Data* d = Record(hwnd);
  if (!d) return Default(hwnd, msg, wParam, lParam);
  switch (msg) {
    case MSG_DESTROY:
      SetWindowAdditionalData2(hwnd, 0);
      delete d;
      break;
    case MSG_SIZECHANGING:
      if (wParam && lParam) *reinterpret_cast<Rect*>(lParam) = *reinterpret_cast<const Rect*>(wParam);
      return 0;
    case MSG_CALCCLIENTRECT: {
      const LResult r = Default(hwnd, msg, wParam, lParam);
      LayOut(hwnd, *d);
      return r;
    }
    case MSG_ERASEBKGND: return 0;  // the paint covers the whole control
    case MSG_PAINT: {
      HDC hdc = BeginPaint(hwnd);
      d->arrows = GetStockBitmap("updownarrow", -1, -1);
      Paint(hwnd, hdc, *d);
      EndPaint(hwnd, hdc);
      return 0;
    }
    case TSM_LINESTEP: return Step(hwnd, *d, false, wParam != 0);
    case TSM_PAGESTEP: return Step(hwnd, *d, true, wParam != 0);
    case TSM_WRITEBACK: WriteBack(hwnd, *d); return 0;
    case MSG_LBUTTONDOWN:
    case MSG_LBUTTONDBLCLK:
    case MSG_LBUTTONUP:
    case MSG_MOUSEMOVE:
    case MSG_MOUSEWHEELDOWN:
    case MSG_MOUSEWHEELUP:
      Mouse(hwnd, *d, PressOf(msg), LowX(lParam), HighY(lParam));
      if (msg != MSG_LBUTTONUP) return 0;
      break;
    case MSG_MOUSEENTER: MouseLeave(hwnd, *d, wParam != 0); return 0;
  }
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace

Data* Record(WindowHandle hwnd) { return reinterpret_cast<Data*>(GetWindowAdditionalData2(hwnd)); }

}  // namespace spintime

namespace controls {

BOOL RegisterTimeSpinnerControl() {
  return RegisterBuiltinClass("spintime", 0, GetExtraColorEx(WEC_EX_LISTBOX_BKGND_FILL), spintime::Proc);
}

}  // namespace controls
