// The "scrollwnd" control and its "container": a panel of controls larger
// than the window, moved inside it as the content scrolls.
#include <new>
#include <string_view>

#include "controls/registry/control_registry.h"
#include "controls/scrollwnd/scrollwnd_class.h"
#include "controls/painters/painter_util.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/scrollwnd.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr uint32_t kDialogCode = 0x11;

// One value shared by every scroll window.
uint32_t g_dialogCode = kDialogCode;

ScrollWndData* DataOf(WindowHandle hwnd) { return reinterpret_cast<ScrollWndData*>(GetWindowAdditionalData2(hwnd)); }

void MoveContent(WindowHandle hwnd, ScrolledData* s, BOOL) {
  ScrollWndData* d = reinterpret_cast<ScrollWndData*>(s);
  if (!d->container) return;
  MoveWindow(d->container, s->leftMargin - s->nContX, s->topMargin - s->nContY, s->nContWidth, s->nContHeight, FALSE);
  Rect rc{};
  GetWindowRect(hwnd, &rc);
  WindowHandle parent = GetParent(hwnd);
  if (IsValidHandle(parent)) InvalidateRect(parent, &rc, FALSE);
}

int AddControls(ScrollWndData* d, int count, const CtrlData* controls) {
  if (!controls || count < 1) return -1;
  const GalPixel bk = GetWindowBkColor(d->container);
  for (int i = 0; i < count; ++i) {
    const CtrlData& c = controls[i];
    WindowHandle ctrl = CreateWindowEx(c.class_name, c.caption, c.dwStyle | WS_CHILD, c.dwExStyle, c.id, c.x, c.y,
                                       c.w, c.h, d->container, c.dwAddData);
    if (ctrl == GUI_INVALID_HANDLE) return -1;
    if (const char* cls = GetClassName(ctrl); cls && std::string_view(cls) == "STATIC")
      SendMessage(ctrl, MSG_SETBKCOLOR, 0, static_cast<LParam>(bk));
  }
  return 0;
}

int Create(WindowHandle hwnd) {
  ScrollWndData* d = new (std::nothrow) ScrollWndData{};
  if (!d) return -1;
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  ShowScrollBar(hwnd, SB_HORZ, FALSE);
  ShowScrollBar(hwnd, SB_VERT, FALSE);
  scrolled_init(hwnd, &d->scrdata, 0, 0);
  d->scrdata.move_content = MoveContent;
  const ContainerInfo* info = reinterpret_cast<const ContainerInfo*>(GetWindowAdditionalData(hwnd));
  d->container = CreateWindowEx("container", "", WS_VISIBLE, 0, 0, d->scrdata.nContX, d->scrdata.nContY,
                                d->scrdata.nContWidth, d->scrdata.nContHeight, hwnd, 0);
  if (d->container == GUI_INVALID_HANDLE) {
    d->container = 0;
  } else {
    d->contData = reinterpret_cast<ContainerData*>(GetWindowAdditionalData2(d->container));
    if (info) {
      if (info->containerProc) SetWindowCallbackProc(d->container, info->containerProc);
      AddControls(d, static_cast<int>(info->controlCount), info->controls);
    }
    SendMessage(d->container, MSG_SVCONTAINERINIT, 0, info ? info->param : 0);
  }
  scrolled_set_hscrollinfo(hwnd, &d->scrdata);
  scrolled_set_vscrollinfo(hwnd, &d->scrdata);
  if (GetWindowStyle(hwnd) & 0x400000u)
    ExcludeWindowStyle(hwnd, 0x400000u);
  else
    ExcludeWindowStyle(hwnd, 0x100000u);
  IncludeWindowStyle(hwnd, 0x200000u);
  return 0;
}

void Reset(WindowHandle hwnd, ScrollWndData* d) {
  if (!d->container) return;
  DestroyAllControls(d->container);
  if (d->scrdata.sbPolicy != 0) {
    ShowScrollBar(hwnd, SB_HORZ, FALSE);
    ShowScrollBar(hwnd, SB_VERT, FALSE);
  }
  scrolled_init_contsize(hwnd, &d->scrdata);
  MoveWindow(d->container, d->scrdata.leftMargin, d->scrdata.topMargin, d->scrdata.nContWidth,
             d->scrdata.nContHeight, FALSE);
  scrolled_set_hscrollinfo(hwnd, &d->scrdata);
  scrolled_set_vscrollinfo(hwnd, &d->scrdata);
  InvalidateRect(d->container, nullptr, TRUE);
}

void Key(WindowHandle hwnd, WParam scan) {
  switch (scan) {
    case KEY_ESC:
      if (g_dialogCode & DLGC_WANTCHARS) g_dialogCode = kDialogCode;
      break;
    case KEY_ENTER: g_dialogCode ^= DLGC_WANTCHARS; break;
    case KEY_UP: SendMessage(hwnd, MSG_VSCROLL, SB_LINEUP, 0); break;
    case KEY_DOWN: SendMessage(hwnd, MSG_VSCROLL, SB_LINEDOWN, 0); break;
    case KEY_LEFT: SendMessage(hwnd, MSG_HSCROLL, SB_LINELEFT, 0); break;
    case KEY_RIGHT: SendMessage(hwnd, MSG_HSCROLL, SB_LINERIGHT, 0); break;
    default: break;
  }
}

void Paint(WindowHandle hwnd, ScrollWndData* d) {
  HDC hdc = BeginPaint(hwnd);
  Rect rc{};
  GetClientRect(hwnd, &rc);
  const bool focus = d->contData && (d->contData->flags & CONTF_FOCUS);
  painters::Outline(hdc, GetWindowElementColorEx(hwnd, focus ? WEC_BKC_CONTROL_HILITE : WEC_FRAME_MENUITEM_HILITE), 1, 1,
                    rc.right - rc.left - 2, rc.bottom - rc.top - 2);
  EndPaint(hwnd, hdc);
}

LResult ScrollWndProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CREATE) {
    if (Create(hwnd) < 0) return -1;
    return DefaultScrolledProc(hwnd, message, wParam, lParam);
  }
  ScrollWndData* d = DataOf(hwnd);
  if (!d) return DefaultControlProc(hwnd, message, wParam, lParam);
  switch (message) {
    case MSG_DESTROY:
      if (d->container) DestroyWindow(d->container);
      SetWindowAdditionalData2(hwnd, 0);
      delete d;
      return DefaultControlProc(hwnd, message, wParam, lParam);
    case MSG_ERASEBKGND: EraseDefControlBkgnd(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam)); return 0;
    case MSG_PAINT: Paint(hwnd, d); return 0;
    case MSG_GETDLGCODE: return g_dialogCode;
    case MSG_MOUSEWHEELDOWN: SendMessage(hwnd, MSG_VSCROLL, SB_LINEDOWN, 0); return 0;
    case MSG_MOUSEWHEELUP: SendMessage(hwnd, MSG_VSCROLL, SB_LINEUP, 0); return 0;
    case MSG_KEYDOWN: Key(hwnd, wParam); return 0;
    case MSG_SETFOCUS:
    case MSG_KILLFOCUS:
      if (d->container) SendMessage(d->container, message, wParam, lParam);
      return 0;
    case SVM_ADDCTRLS: AddControls(d, static_cast<int>(wParam), reinterpret_cast<const CtrlData*>(lParam)); return 0;
    case SVM_GETCTRL: return d->container ? static_cast<LResult>(GetDlgItem(d->container, static_cast<int>(wParam))) : 0;
    case SVM_RESETCONTENT: Reset(hwnd, d); return 0;
    case SVM_SETCONTAINERPROC:
      if (d->container) SetWindowCallbackProc(d->container, reinterpret_cast<WindowProc>(lParam));
      return 0;
    case SVM_GETFOCUSCHILD: return d->container ? static_cast<LResult>(GetFocusChild(d->container)) : 0;
    default: break;
  }
  return DefaultScrolledProc(hwnd, message, wParam, lParam);
}

}  // namespace

extern "C" LResult DefaultContainerProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  ContainerData* c = reinterpret_cast<ContainerData*>(GetWindowAdditionalData2(hwnd));
  switch (message) {
    case MSG_CREATE:
      c = new (std::nothrow) ContainerData{GetParent(hwnd), 0};
      if (!c) return -1;
      SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(c));
      break;
    case MSG_DESTROY:
      DestroyAllControls(hwnd);
      SetWindowAdditionalData2(hwnd, 0);
      delete c;
      break;
    case MSG_SETFOCUS:
      if (c) {
        c->flags |= CONTF_FOCUS;
        InvalidateRect(c->owner, nullptr, TRUE);
      }
      break;
    case MSG_KILLFOCUS:
      if (c) {
        c->flags &= ~CONTF_FOCUS;
        InvalidateRect(c->owner, nullptr, TRUE);
      }
      return 0;
    case MSG_ERASEBKGND: EraseDefControlBkgnd(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam)); return 0;
    case MSG_COMMAND:
      if (c) SendNotifyMessage(GetParent(c->owner), MSG_SVCOMMAND, wParam, lParam);
      break;
    default: break;
  }
  return ContainerDialogProc(hwnd, message, wParam, lParam);
}

namespace controls {

BOOL RegisterScrollWndControl() {
  const GalPixel background = WinElementColors[WEC_BKC_DEFCONTROL_NORMAL];
  if (!RegisterBuiltinClass("container", 0, background, DefaultContainerProc)) return FALSE;
  return RegisterBuiltinClass("scrollwnd", 0, background, ScrollWndProc);
}

}  // namespace controls
