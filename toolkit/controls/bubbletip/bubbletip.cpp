// The bubble-tip window: one top-level window on a thread of its own that
// shows the whole text of a cut cell or header next to its control. The
// record is touched only on the tip's thread.
#include "controls/bubbletip/bubbletip.h"

#include <semaphore.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "controls/painters/painter_util.h"
#include "core/control_support.h"
#include "gui/app_hooks.h"
#include "gui/control_tip.h"
#include "gui/dc.h"
#include "gui/bubbletip.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/static.h"
#include "gui/text.h"
#include "gui/timer.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kTimerId = 9478, kTimerTicks = 4, kTextId = 9479;
constexpr int kMargin = 10, kWrapWidth = 200;

struct BubbleTipData {
  BubbleTipExchange exchange;  // buffer size, placement kind, text
  WindowHandle tip = 0;
  WindowHandle owner = 0;
  Rect ownerRect{};
  Rect tipRect{};
  Rect textRect{};
  int pending = 0;
  int cursorX = 0, cursorY = 0;  // screen, from the last request
};

std::atomic<WindowHandle> g_tip{0};
std::atomic<WindowHandle> g_lastControl{GUI_INVALID_HANDLE};
BubbleTipData* g_data = nullptr;  // the tip's thread only
// A close that arrives while a control is asked for its text (the tip
// answers sends while it waits) waits until that send returns: the control
// writes into the tip's record meanwhile.
bool g_asking = false, g_closeAsked = false;  // the tip's thread only

void CloseTip(WindowHandle hwnd) {
  g_closeAsked = false;
  SendMessage(__gui_hwnd_desktop, MSG_DT_UNREGBUBBLETIP, hwnd, 0);
  g_tip = 0;
  delete g_data;
  g_data = nullptr;
  DestroyMainWindow(hwnd);
  PostQuitMessage(hwnd);
}

void Hide(BubbleTipData* d) {
  if (IsWindowVisible(d->tip)) ShowWindow(d->tip, SW_HIDE);
}

void Request(BubbleTipData* d, WindowHandle control, LParam pos) {
  if (!control) return;
  g_lastControl = control;
  // Asked with a send: the control answers on its own thread.
  g_asking = true;
  const LResult answer = SendMessage(control, MSG_TIPTEXT, reinterpret_cast<WParam>(&d->exchange), pos);
  g_asking = false;
  if (g_closeAsked) return CloseTip(d->tip);
  if (answer < 1) return;
  Rect rc{};
  GetWindowRect(control, &rc);
  WindowHandle parent = GetParent(control);
  if (IsValidHandle(parent) && IsControl(control) == 1) {
    ClientToScreen(parent, &rc.left, &rc.top);
    ClientToScreen(parent, &rc.right, &rc.bottom);
  }
  d->ownerRect = rc;
  d->owner = control;
  d->cursorX = static_cast<int16_t>(pos & 0xFFFF);
  d->cursorY = static_cast<int16_t>((pos >> 16) & 0xFFFF);
  d->pending = 1;
  ResetTimer(d->tip, kTimerId, kTimerTicks);
}

void Geometry(BubbleTipData* d) {
  const int output = getCurOutputHook();
  Size screen{};
  GetScreenExtentEx(output, &screen);
  LogFont* font = g_SysLogFont[IsLowResDisplay(output) ? 6 : 5];
  SelectFont(HDC_SCREEN, font);
  Rect text{0, 0, kWrapWidth, GetFontHeight(HDC_SCREEN)};
  DrawTextEx2(HDC_SCREEN, d->exchange.text, -1, &text, 0, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK, nullptr);
  SelectFont(HDC_SCREEN, nullptr);
  const int tw = text.right - text.left, th = text.bottom - text.top;
  d->textRect = Rect{text.left + 4, text.top + 4, text.right + 8, text.bottom + 4};
  const int w = tw + 16, h = th + 8;
  const int kind = static_cast<int>(d->exchange.flags);
  const Rect& c = d->ownerRect;
  int x = kind == 1 ? (c.left + c.right - w) / 2 : d->cursorX;
  if (x + kMargin + w > screen.cx)
    x = screen.cx - w - kMargin;
  else if (x < kMargin)
    x = kMargin;
  int y = kind == 1 ? c.top - h - 6 : kind == 4 ? d->cursorY - h : c.top - h;
  if (y - kMargin < 0) y = kind == 4 ? kMargin : c.bottom;
  d->tipRect = Rect{x, y, x + w, y + h};
}

void Tick(BubbleTipData* d) {
  if (!d->pending || !IsWindowVisible(d->owner)) {
    d->pending = 0;
    Hide(d);
    // Nothing to show or hide until the next request, which resets the timer.
    RestTimer(d->tip, kTimerId);
    return;
  }
  // A shown tip stays as it is until it has been hidden.
  if (IsWindowVisible(d->tip)) return;
  Geometry(d);
  WindowHandle text = GetDlgItem(d->tip, kTextId);
  if (text == GUI_INVALID_HANDLE) text = 0;
  if (text) SendMessage(text, MSG_SETTEXT, 0, reinterpret_cast<LParam>(d->exchange.text));
  const Rect& r = d->tipRect;
  MoveWindow(d->tip, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
  if (text)
    MoveWindow(text, d->textRect.left, d->textRect.top, d->textRect.right - d->textRect.left,
               d->textRect.bottom - d->textRect.top, FALSE);
  ShowWindow(d->tip, SW_SHOW);
}

void Paint(WindowHandle hwnd) {
  HDC hdc = BeginPaint(hwnd);
  Rect rc{};
  GetClientRect(hwnd, &rc);
  painters::Fill(hdc, WinElementColors[WEC_BKC_TIP_NORMAL], 0, 0, rc.right - rc.left, rc.bottom - rc.top);
  painters::Outline(hdc, SysPixelIndex[SYSPIXEL_LIGHTGREY], 0, 0, rc.right - rc.left - 1, rc.bottom - rc.top - 1);
  EndPaint(hwnd, hdc);
}

LResult TipProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  BubbleTipData* d = g_data;
  switch (message) {
    case MSG_MOUSEENTER:
      if (wParam && d) {
        Hide(d);
        d->pending = 0;
      }
      break;
    case MSG_CREATE: {
      if (g_data) return -1;
      d = new (std::nothrow) BubbleTipData{};
      if (!d) return -1;
      d->tip = hwnd;
      d->exchange.bufferSize = BUBBLETIP_TEXT_SIZE;
      g_data = d;
      CreateWindowEx("static", "", WS_CHILD | WS_VISIBLE | SS_LEFT, WS_EX_TRANSPARENT, kTextId, 0, 0, 0, 0, hwnd, 0);
      SendMessage(__gui_hwnd_desktop, MSG_DT_REGBUBBLETIP, hwnd, 0);
      g_tip = hwnd;
      SetTimer(hwnd, kTimerId, kTimerTicks);
      break;
    }
    case MSG_CLOSE:
      if (g_asking) {
        g_closeAsked = true;
        return 0;
      }
      CloseTip(hwnd);
      return 0;
    case MSG_PAINT: Paint(hwnd); return 0;
    case MSG_TIMER:
      if (d) Tick(d);
      return 0;
    case MSG_TIPSHOW:
      if (d) Request(d, static_cast<WindowHandle>(wParam), lParam);
      return 0;
    case MSG_TIPHIDE:
      if (d) {
        Hide(d);
        d->pending = 0;
      }
      return 0;
    case MSG_TIPOWNER: return static_cast<LResult>(g_lastControl.load());
    default: break;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

struct HandBack {
  sem_t ready;
  WindowHandle hwnd = GUI_INVALID_HANDLE;
};

void* TipThread(void* arg) {
  HandBack* back = static_cast<HandBack*>(arg);
  MainWinCreate create{};
  create.dwStyle = 0x80000000u;
  create.dwExStyle = WS_EX_TOPMOST;
  create.spCaption = "The Bubble Tip Window";
  create.hHosting = __gui_hwnd_desktop;
  create.MainWindowProc = TipProc;
  create.iBkColor = WinElementColors[WEC_BKC_CONTROL_NORMAL];
  WindowHandle hwnd = CreateMainWindow(&create);
  back->hwnd = hwnd;
  sem_post(&back->ready);  // `back` belongs to the creator from here on
  if (hwnd == GUI_INVALID_HANDLE) return nullptr;
  Message msg{};
  while (GetMessage(&msg, hwnd)) DispatchMessage(&msg);
  MainWindowThreadCleanup(hwnd);
  return nullptr;
}

}  // namespace

namespace controls {

WindowHandle BubbleTipWindow() { return g_tip.load(); }

}  // namespace controls

extern "C" WindowHandle bubbletipWindow(void) {
  if (g_tip.load()) return 0;
  HandBack back;
  if (sem_init(&back.ready, 0, 0) != 0) return GUI_INVALID_HANDLE;
  pthread_t thread;
  if (CreateThreadForMainWindow(&thread, nullptr, TipThread, &back) != 0) {
    sem_destroy(&back.ready);
    return GUI_INVALID_HANDLE;
  }
  while (sem_wait(&back.ready) != 0) {
  }
  sem_destroy(&back.ready);
  if (back.hwnd == GUI_INVALID_HANDLE) JoinThreadWithoutWindow(thread);
  return back.hwnd;
}
