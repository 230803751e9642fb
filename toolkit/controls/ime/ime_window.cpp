// The input-method window: its thread with its own message loop, the
// hand-back of the handle to the creator, and the window procedure.
#include "controls/ime/ime_window.h"

#include <pthread.h>

#include "controls/ime/ime_toolkit.h"
#include "core/control_support.h"
#include "core/semaphore.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/element.h"
#include "gui/ime.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/text.h"
#include "gui/window.h"

namespace ime {
namespace {

constexpr LParam kPostedKeyFlag = 0x200;
constexpr int kSymbolsKind = 16;

void Repaint(WindowHandle hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

bool LoadWindowResources(ImeWindowState& w) {
  w.Reset();
  if (!w.engine.Load(ConfiguredTables())) return false;
  if (!ime_toolkit::StockBitmap("IMEctrlbtn") ||
      !ime_toolkit::InitScreenBitmap(&w.status, kStatusBitmapWidth, kStatusBitmapHeight)) {
    w.engine.Release();
    return false;
  }
  // Candidates are GB2312 whatever the interface language's font is.
  const bool aux = getCurOutputHook() == getAuxOutputHook() && getAuxOutputHook() != getMainOutputHook();
  w.font = CreateLogFont("rbf", "fixed", "GB2312-0", 'r', 'r', 'n', 'c', 'n', 'n', GetSysFontHeight(aux ? 6 : 1), 0);
  return true;
}

void ReleaseWindowResources(ImeWindowState& w) {
  w.engine.Release();
  ime_toolkit::UnloadScreenBitmap(&w.status);
  if (w.font) DestroyLogFont(w.font);
  w.font = nullptr;
}

void Open(WindowHandle hwnd, ImeWindowState& w) {
  if (w.engine.Shown()) return;
  ime_toolkit::ShowTool(hwnd, true);
  w.engine.SetStatus(kItemShown, 1);
  w.engine.ClearInput();
}

void Close(WindowHandle hwnd, ImeWindowState& w) {
  if (!w.engine.Shown()) return;
  ime_toolkit::ShowTool(hwnd, false);
  w.engine.SetStatus(kItemShown, 0);
  w.engine.ClearInput();
}

// The window is kept on the screen while it moves.
LResult KeepOnScreen(WParam wParam, LParam lParam) {
  const Rect* requested = reinterpret_cast<const Rect*>(wParam);
  Rect* r = reinterpret_cast<Rect*>(lParam);
  if (!r || !requested) return 0;
  *r = *requested;
  const int width = r->right - r->left, height = r->bottom - r->top;
  const int screenW = static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_HPIXEL));
  const int screenH = static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_VPIXEL));
  if (r->right > screenW) r->left = screenW - width;
  if (r->bottom > screenH) r->top = screenH - height;
  if (r->left < 0) r->left = 0;
  if (r->top < 0) r->top = 0;
  r->right = r->left + width;
  r->bottom = r->top + height;
  return 0;
}

LResult ImeWinProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  ImeWindowState& w = TheWindow();
  Engine& e = w.engine;
  switch (msg) {
    case MSG_NCCREATE:
      if (!LoadWindowResources(w)) return -1;
      SendMessage(__gui_hwnd_desktop, MSG_DT_REGIME, hwnd, 0);
      break;
    case MSG_CLOSE:
      SendMessage(__gui_hwnd_desktop, MSG_DT_UNREGIME, hwnd, 0);
      ReleaseWindowResources(w);
      DestroyMainWindow(hwnd);
      PostQuitMessage(hwnd);
      return 0;
    case MSG_IMESHOW:
      Open(hwnd, w);
      break;
    case MSG_IMECLOSE:
      Close(hwnd, w);
      break;
    case MSG_DT_IMECMD:
      e.SetStatus(static_cast<int>(wParam), lParam);
      Repaint(hwnd);
      return 0;
    case MSG_DT_IMEQUERY:
      return e.Status(static_cast<int>(wParam));
    case MSG_IMEACTIVEWIN:
      if (e.Receiver() != hwnd) e.SetReceiver(wParam);
      return 0;
    case MSG_IMERECEIVER:
      return e.Receiver();
    case MSG_IMEKEY:
      e.ClearInput();
      Repaint(hwnd);
      return 0;
    case MSG_PAINT:
      DrawImeWindow(hwnd, w);
      return 0;
    case MSG_LBUTTONDOWN:
    case MSG_LBUTTONDBLCLK:  // a quick second press of a key or page arrow acts again
      return ImeMouseDown(hwnd, w, static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>(lParam >> 16),
                          wParam, lParam);
    case MSG_LBUTTONUP:
      ime_toolkit::ReleaseMouse();
      w.dragging = false;
      break;
    case MSG_KEYDOWN:
      if (e.KeyDown(static_cast<int>(wParam), lParam)) Repaint(hwnd);
      return 0;
    case MSG_KEYUP:
      if (e.KeyUp(static_cast<int>(wParam), lParam)) Repaint(hwnd);
      return 0;
    case MSG_CHAR:
      if (!e.Shown() || wParam == 9 || wParam == 10 || wParam == 13) return 0;
      if (e.Char(static_cast<int>(wParam))) Repaint(hwnd);
      return 0;
    case MSG_SIZECHANGING:
      return KeepOnScreen(wParam, lParam);
    case MSG_SETFOCUS:
    case MSG_KILLFOCUS:
      return 0;
    default:
      break;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// Keys reach the engine translated only while the window is shown with
// Chinese input on; otherwise they go on to the receiver.
void RouteKey(const Message& msg, Engine& e) {
  if (e.Shown() && e.Chinese()) {
    TranslateMessage(&msg);
    return;
  }
  if (!e.Receiver()) return;
  const int scan = static_cast<int>(msg.wParam);
  if (!e.Symbol() || scan == KEY_BACKSPACE || scan == KEY_ENTER)
    PostMessage(e.Receiver(), msg.message, msg.wParam, msg.lParam | kPostedKeyFlag);
  else
    TranslateMessage(&msg);
}

struct Start {
  Semaphore tried;
  WindowHandle hwnd = GUI_INVALID_HANDLE;
};

void* ImeThread(void* arg) {
  Start* start = static_cast<Start*>(arg);
  const Size screen = ime_toolkit::CurrentScreenSize();
  const int charHeight = GetSysCharHeight();
  MainWinCreate create{};
  create.dwStyle = 0x80400000u;
  create.dwExStyle = WS_EX_TOPMOST;
  create.spCaption = "The IME Window";
  create.MainWindowProc = ImeWinProc;
  create.lx = screen.cx - 540;
  create.ty = screen.cy - (2 * charHeight + 34);
  create.rx = screen.cx - 100;
  create.by = screen.cy - 20;
  create.iBkColor = ime_toolkit::ElementColor(0, WEC_BKC_CONTROL_NORMAL);
  WindowHandle hwnd = CreateMainWindow(&create);
  if (hwnd != GUI_INVALID_HANDLE) ime_toolkit::ShowTool(hwnd, false);
  start->hwnd = hwnd;
  start->tried.Post();  // start is the creator's: not touched after this
  if (hwnd == GUI_INVALID_HANDLE) return nullptr;
  ImeWindowState& w = TheWindow();
  w.self = hwnd;
  Message msg;
  while (GetMessage(&msg, hwnd)) {
    if (msg.message == MSG_KEYDOWN || msg.message == MSG_KEYUP) RouteKey(msg, w.engine);
    DispatchMessage(&msg);
  }
  MainWindowThreadCleanup(hwnd);
  return nullptr;
}

}  // namespace

ImeWindowState& TheWindow() {
  static ImeWindowState window;
  return window;
}

void WindowHost::PostToReceiver(WindowHandle receiver, int msg, WParam wParam, LParam lParam) {
  if (receiver) PostMessage(receiver, msg, wParam, lParam);
}

void WindowHost::CloseAfterSymbol() {
  ImeWindowState& w = TheWindow();
  SendNotifyMessage(w.self, MSG_IMECLOSE, 0, 0);
  SetSoftKeyboardMode(kSymbolsKind);
  if (w.engine.Receiver()) SendNotifyMessage(w.engine.Receiver(), MSG_EDITSKBMODE, kSymbolsKind, 0);
}

}  // namespace ime

extern "C" WindowHandle GBIMEWindow(WindowHandle) {
  if (ImeWindow()) return 0;
  ime::Start start;
  pthread_t thread;
  if (CreateThreadForMainWindow(&thread, nullptr, ime::ImeThread, &start) != 0) return GUI_INVALID_HANDLE;
  start.tried.Wait();
  if (start.hwnd == GUI_INVALID_HANDLE) JoinThreadWithoutWindow(thread);
  return start.hwnd;
}
