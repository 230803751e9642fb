#include "core/dialog/dialog_seams.h"

#include "core/element/image_seams.h"
#include "core/window/window_messages.h"
#include "core/window/window_record.h"
#include "gui/control_class.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kScanEnter = 28, kScanSpace = 57;
constexpr int kDesktopAddClass = 375, kDesktopFindClass = 379;

void PaintText(WindowHandle hwnd, uint32_t format, bool framed) {
  HDC hdc = BeginPaint(hwnd);
  Rect r{};
  GetClientRect(hwnd, &r);
  WindowRecord* win = WindowOf(hwnd);
  const bool focused = win->parent && win->parent->activeChild == win;
  if (framed) {
    SetDCAttr(hdc, DC_ATTR_PEN_COLOR, WinElementColors[focused ? WEC_FRAME_WIN_HILITE : WEC_FRAME_BORDER]);
    Rectangle(hdc, 0, 0, r.right - 1, r.bottom - 1);
  }
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, WinElementColors[4]);
  SelectFont(hdc, win->font);
  const char* text = GetWindowCaption(hwnd);
  if (text) DrawTextEx2(hdc, text, -1, &r, 0, format, nullptr);
  EndPaint(hwnd, hdc);
}

void Click(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (win && win->parent) SendNotifyMessage(HandleOf(win->parent), MSG_COMMAND, static_cast<WParam>(win->id), hwnd);
}

LResult ButtonProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_PAINT: PaintText(hwnd, DT_CENTER | DT_VCENTER | DT_SINGLELINE, true); return 0;
    case MSG_GETDLGCODE: return (GetWindowStyle(hwnd) & BS_DEFPUSHBUTTON) ? DLGC_DEFPUSHBUTTON : DLGC_PUSHBUTTON;
    case winmsg::kLButtonUp: Click(hwnd); return 0;
    case MSG_KEYDOWN:
      if (wParam == kScanEnter || wParam == kScanSpace) Click(hwnd);
      return 0;
    case winmsg::kSetFocus: case winmsg::kKillFocus: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    default: return DefaultControlProc(hwnd, msg, wParam, lParam);
  }
}

constexpr uint32_t kStaticKindMask = 0x0F, kStaticIcon = 3;

// An icon static shows the icon handed in its additional data.
void PaintIcon(WindowHandle hwnd) {
  HDC hdc = BeginPaint(hwnd);
  Rect r{};
  GetClientRect(hwnd, &r);
  DrawIcon(hdc, 0, 0, r.right, r.bottom, static_cast<uintptr_t>(GetWindowAdditionalData(hwnd)));
  EndPaint(hwnd, hdc);
}

LResult StaticProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_PAINT:
      if ((GetWindowStyle(hwnd) & kStaticKindMask) == kStaticIcon)
        PaintIcon(hwnd);
      else
        PaintText(hwnd, DT_WORDBREAK, false);
      return 0;
    case MSG_GETDLGCODE: return DLGC_STATIC;
    default: return DefaultControlProc(hwnd, msg, wParam, lParam);
  }
}

void Register(const char* name, WindowProc proc) {
  if (SendMessage(__gui_hwnd_desktop, kDesktopFindClass, 0, reinterpret_cast<LParam>(name)) > 0) return;
  WndClassInfo info{};
  info.className = name;
  info.windowProc = proc;
  info.backgroundColor = WinElementColors[WEC_BKC_DLG_NORMAL];
  SendMessage(__gui_hwnd_desktop, kDesktopAddClass, 0, reinterpret_cast<LParam>(&info));
}

}  // namespace

void EnsureDialogControlClasses() {
  Register("button", ButtonProc);
  Register("static", StaticProc);
}
