// The desktop window's procedure: window management requests, tool-window
// registrations, input routing, broadcasts, the tick and the idle time-out.
#include "core/desktop/desktop_proc.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>

#include "core/caret/caret.h"
#include "core/desktop/caret_seam.h"
#include "core/desktop/clip_info.h"
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/popup_chain.h"
#include "core/desktop/window_stack.h"
#include "core/livevideo/areas.h"
#include "core/control_layer.h"
#include "core/livevideo/display_switch.h"
#include "core/startup/input_helpers.h"
#include "core/timer/timer_internal.h"
#include "core/window/window_damage.h"
#include "gui/app_hooks.h"
#include "gui/caret.h"
#include "gui/control_class.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/text.h"
#include "gui/timer.h"
#include "gui/window.h"

namespace {

int PostToMainWindows(const ZOrderList& list, const Message& notice) {
  int count = 0;
  ForEachInList(list, [&](WindowRecord* win) {
    if (IsControlRecord(win)) return true;
    PostMessage(HandleOf(win), notice.message, notice.wParam, notice.lParam);
    ++count;
    return true;
  });
  return count;
}

// Each list once, whichever display is current.
int Broadcast(const Message* notice) {
  if (!notice) return 0;
  return PostToMainWindows(TopmostList(), *notice) + PostToMainWindows(MainDisplayList(), *notice) +
         PostToMainWindows(AuxDisplayList(), *notice);
}

// Initialisation (MSG_DT_INIT) and re-initialisation (MSG_DT_REINIT, wParam
// non-zero: the translations as well): the private DC follows the screen of the moment.
void InitDesktopWindow(bool resetTranslations) {
  if (resetTranslations) local_SysText = SysText;
  DesktopState& d = Desk();
  if (d.privateDC) DeletePrivateDC(d.privateDC);
  d.privateDC = CreatePrivateDC(__gui_hwnd_desktop);
  FreeBackgroundPicture();
  LoadBackgroundPicture();
}

LResult EndDesktop() {
  ZOrderList* current = CurrentDisplayList();
  if (TopmostList().head || (current && current->head)) return 0;
  DesktopState& d = Desk();
  if (d.privateDC) DeletePrivateDC(d.privateDC);
  d.privateDC = 0;
  FreeBackgroundPicture();
  PostQuitMessage(__gui_hwnd_desktop);
  return 1;
}

std::atomic<bool> g_blinkHeld{false};

}  // namespace

namespace caret_seam {
void holdBlink(bool held) { g_blinkHeld.store(held, std::memory_order_relaxed); }
}  // namespace caret_seam

namespace {

void DesktopTick() {
  DesktopState& d = Desk();
  // The timer thread sleeps through steps with nothing due: the tick counts
  // every step up to the one it was marked for.
  uint64_t step = MarkedDesktopStep();
  uint64_t steps = 1;
  if (step > d.tickStep) {
    steps = step - d.tickStep;
    d.tickStep = step;
    TimerTickToStep(step);
  } else {
    TimerTick(1);  // a tick not from the timer thread counts one step
  }
  d.caretCounter += static_cast<unsigned>(std::min<uint64_t>(steps * 100, UINT_MAX - d.caretCounter));  // a long sleep saturates
  const WindowHandle caretWindow = d.caretWindow;
  WindowRecord* caret = ValidWindow(caretWindow);
  if (!caret || HandleOf(caret->mainWindow) != ActiveOfCurrentDisplay() || d.caretCounter < d.caretPeriod) return;
  if (IsControlOfClass(caretWindow, "listview") || g_blinkHeld.load(std::memory_order_relaxed)) return;
  PostMessage(caretWindow, MSG_CARETBLINK, 0, 0);
  d.caretCounter = 0;
}

// Repaint request: wParam top<<16|left, lParam bottom<<16|right; empty
// means the whole screen.
void RepaintRect(WParam wParam, LParam lParam) {
  Rect rect{static_cast<int16_t>(wParam & 0xFFFF), static_cast<int16_t>((wParam >> 16) & 0xFFFF),
            static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
  if (IsRectEmpty(&rect)) rect = ScreenRect();
  EndAllPopupMenus();
  auto repaint = [&rect](WindowRecord* win) {
    Rect overlap;
    Rect frame = ScreenRectOf(win);
    if (IsVisibleRecord(win) && !IsControlRecord(win) && IntersectRect(&overlap, &rect, &frame))
      RepaintPart(win, overlap);
    return true;
  };
  ForEachInList(TopmostList(), repaint);
  if (ZOrderList* current = CurrentDisplayList()) ForEachInList(*current, repaint);
}

void PlaceImeWindow() {
  WindowRecord* ime = ValidWindow(ImeWindow());
  if (!ime) return;
  bool aux = getCurOutputHook() == getAuxOutputHook();
  int fontHeight = GetSysFontHeight(aux ? 6 : 1);  // system font 6 on the auxiliary display, 1 on the main
  const Rect& screen = ScreenRect();
  Rect place{screen.right - 540, screen.bottom - (2 * fontHeight + 34), 0, 0};
  place.right = place.left + 440;
  place.bottom = place.top + 2 * fontHeight + 14;
  MoveStackedWindow(ime, &place);
  WindowHandle top = GetCurTopMainWindow();
  if (top != __gui_hwnd_desktop) InvalidateWindowArea(ValidWindow(top), nullptr, true);
}

WindowRecord* RequestTarget(WParam wParam) { return ValidWindow(static_cast<WindowHandle>(wParam)); }

LResult WindowRequest(int msg, WParam wParam, LParam lParam) {
  if (msg != MSG_DT_STARTDRAGWIN && msg != MSG_DT_CANCELDRAGWIN) EndTrackingForRequest();
  WindowRecord* win = RequestTarget(wParam);
  switch (msg) {
    case MSG_DT_ADDNEWMAINWIN:
    case MSG_DT_ADDPREVIEWWIN:
      return win ? AddStackedWindow(win, reinterpret_cast<ZOrderNode*>(lParam), msg == MSG_DT_ADDPREVIEWWIN) : 0;
    case MSG_DT_REMOVEMAINWIN:
      return win ? RemoveStackedWindow(win) : ActiveOfCurrentDisplay();
    case MSG_DT_MOVETOTOP:
      EndAllPopupMenus();
      return win ? RaiseStackedWindow(win, lParam == DT_RAISE_ONLY ? kRaiseOnly : kRaiseShowAndActivate) : 0;
    case MSG_DT_SETACTIVEMAIN:
      return ActivateWindow(win ? HandleOf(win) : 0);
    case MSG_DT_GETACTIVEMAIN:
      return ActiveOfCurrentDisplay();
    case MSG_DT_SHOWMAINWIN:
    case MSG_DT_SHOWCTRLWIN:
      EndAllPopupMenus();
      return win ? ShowStackedWindow(win) : 0;
    case MSG_DT_HIDEMAINWIN:
    case MSG_DT_HIDECTRLWIN:
      EndAllPopupMenus();
      return win ? HideStackedWindow(win) : ActiveOfCurrentDisplay();
    case MSG_DT_MOVEMAINWIN:
      return win ? MoveStackedWindow(win, reinterpret_cast<const Rect*>(lParam)) : 0;
    case MSG_DT_SETCAPTURE:
      return SetDesktopCapture(win ? HandleOf(win) : 0);
    case MSG_DT_GETCAPTURE:
      return Desk().capture;
    case MSG_DT_ENDTRACKMENU:
      return EndPopupMenu(reinterpret_cast<PopupMenuHead*>(lParam));
    case MSG_DT_TRACKPOPUPMENU:
      return StartPopupMenu(reinterpret_cast<PopupMenuHead*>(lParam));
    case MSG_DT_CLOSEMENU:
      // A menu about to lose records (wParam) closes only popups that show it.
      if (wParam && !TellMenuTracker(MSG_DT_CLOSEMENU, wParam, 0)) return 0;
      return EndAllPopupMenus();
    case MSG_DT_SCROLLMAINWIN:
      return win ? ScrollStackedWindow(win, reinterpret_cast<const ScrollWindowInfo*>(lParam)) : 0;
    case MSG_DT_CARETCREATE:
      SetCaretWindow(win ? HandleOf(win) : 0, CaretPeriodOf(wParam));
      return 0;
    case MSG_DT_CARETDESTROY:
      ClearCaretWindow(wParam);
      return 0;
    case MSG_DT_ENABLEMAINWIN:
      return win ? EnableStackedWindow(win, lParam != 0) : 0;
    case MSG_DT_ISENABLED:
      return win && !(win->style & WS_DISABLED) ? 1 : 0;
    case MSG_DT_SETWINCURSOR: {
      if (!win) return 0;
      return static_cast<LResult>(win->cursor.exchange(static_cast<uintptr_t>(lParam)));
    }
    case MSG_DT_GETNEXTMAINWIN:
      return NextStackedWindow(wParam);
    case MSG_DT_STARTDRAGWIN:
      return StartTracking(wParam, reinterpret_cast<const DragInfo*>(lParam));
    case MSG_DT_CANCELDRAGWIN:
      return CancelTracking(wParam);
    default:
      return 0;
  }
}

}  // namespace

void SetCaretWindow(WindowHandle hwnd, unsigned period) {
  DesktopState& d = Desk();
  d.caretWindow = hwnd;
  d.caretPeriod = period;
  if (hwnd) RaiseDesktopCaretNeed();
}

void ClearCaretWindow(WindowHandle hwnd) {
  if (hwnd) Desk().caretWindow.ReplaceIf(hwnd, 0);
}

namespace {

LResult SetHook(HookSlot* slot, WParam context, LParam function) {
  MsgHook old = slot->function;
  slot->context = context;
  slot->function = reinterpret_cast<MsgHook>(function);
  return reinterpret_cast<LResult>(old);
}

}  // namespace

extern "C" LResult DesktopWinProc(WindowHandle, int message, WParam wParam, LParam lParam) {
  if (message >= MSG_FIRSTMOUSE && message <= MSG_LASTMOUSE) return RouteMouse(message, wParam, lParam);
  if (message >= MSG_KEYDOWN && message <= MSG_LASTKEY) return RouteKey(message, wParam, lParam);
  if (message >= MSG_DT_ADDNEWMAINWIN && message <= MSG_DT_CANCELDRAGWIN)
    return WindowRequest(message, wParam, lParam);
  switch (message) {
    case MSG_DT_PLACEIME:
      EndTrackingForRequest();
      PlaceImeWindow();
      return 0;
    case MSG_PAINT:
      EndTrackingForRequest();  // repainting draws through the regions it holds
      RepaintRect(wParam, lParam);
      return 0;
    case MSG_DT_INIT:
      InitDesktopWindow(true);
      return 0;
    case MSG_DT_END:
      return EndDesktop();
    case MSG_DT_REINIT:
      InitDesktopWindow(wParam != 0);
      return 0;
    case MSG_DT_RETURNTOPREVIEW:
      ReturnToPreview();
      return 0;
    case MSG_DT_BACKGROUND:
      PaintDesktopBackground(reinterpret_cast<const Rect*>(lParam));
      return 0;
    case MSG_DT_IDLEBROADCAST:
      return BroadcastMessage(MSG_BROADCAST_NOTICE, wParam, 0);
    case MSG_TIMER:
      DesktopTick();
      return 0;
    case MSG_DT_CLOSEALLWINS:
      if (HoldCloseDuringSwitch()) return 0;  // made on the new display once the switch ends
      EndTrackingForRequest();
      return CloseAllWindows();
    case MSG_DT_BROADCAST:
      return Broadcast(reinterpret_cast<const Message*>(lParam));
    case MSG_DT_ADDCTRLCLASS:
      return Controls().addNewControlClass(reinterpret_cast<const WndClassInfo*>(lParam));
    case MSG_DT_DELCTRLCLASS:
      return Controls().deleteControlClass(reinterpret_cast<const char*>(lParam));
    case MSG_DT_ADDCTRL:
      EndTrackingForRequest();
      return AddControlToParent(ValidWindow(wParam), ValidControl(static_cast<WindowHandle>(lParam)));
    case MSG_DT_REMOVECTRL:
      EndTrackingForRequest();
      return RemoveControlFromParent(ValidWindow(wParam), ValidControl(static_cast<WindowHandle>(lParam)));
    case MSG_DT_FORGETCTRLS:
      return ForgetControls(reinterpret_cast<const WindowHandle*>(lParam), static_cast<size_t>(wParam));
    case MSG_DT_FINDCTRLCLASS:
      return reinterpret_cast<LResult>(Controls().findControlClass(reinterpret_cast<const char*>(lParam)));
    case MSG_DT_CTRLCLASSINFO:
      return Controls().controlClassInfoOp(static_cast<int>(wParam), reinterpret_cast<WndClassInfo*>(lParam));
    case MSG_DT_SETKEYHOOK:
      return SetHook(&Desk().keyHook, wParam, lParam);
    case MSG_DT_SETMOUSEHOOK:
      return SetHook(&Desk().mouseHook, wParam, lParam);
    default:
      return ToolWindowRequest(message, wParam, lParam);
  }
}
