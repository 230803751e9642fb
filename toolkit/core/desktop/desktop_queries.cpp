// Questions about the stacks: what lies under the pointer, which window is
// a display's preview window, on which display a window lives.
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/zorder.h"
#include "core/window/window_damage.h"
#include "gui/app_hooks.h"
#include "gui/display.h"
#include "gui/window.h"

namespace {

ZOrderList* OwnListOf(int display) {
  if (display == getMainOutputHook()) return &MainDisplayList();
  if (display == getAuxOutputHook()) return &AuxDisplayList();
  return nullptr;
}

ZOrderList* OtherListOf(int display) {
  if (!AuxDisplayPresent()) return OwnListOf(display);
  if (display == getMainOutputHook()) return &AuxDisplayList();
  if (display == getAuxOutputHook()) return &MainDisplayList();
  return nullptr;
}

bool IsPreviewMain(const WindowRecord* win) { return !IsControlRecord(win) && (win->exStyle & WS_EX_PREVIEW); }

WindowHandle FirstPreviewIn(const ZOrderList* list) {
  WindowHandle found = 0;
  if (list) ForEachInList(*list, [&found](WindowRecord* win) {
      if (!IsPreviewMain(win)) return true;
      found = HandleOf(win);
      return false;
    });
  return found;
}

WindowHandle UnderPointerIn(const ZOrderList& list, int x, int y) {
  WindowHandle found = 0;
  ForEachInList(list, [&](WindowRecord* win) {
    if (!IsVisibleRecord(win)) return true;
    Rect r = ScreenRectOf(win);
    if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return true;
    found = HandleOf(win);
    return false;
  });
  return found;
}

WindowHandle DisplayPreviewWindow(int display) {
  WindowHandle found = FirstPreviewIn(OwnListOf(display));
  return found ? found : __gui_hwnd_desktop;
}

// Asks the device layer first: no lock is taken under the stack lock.
int WindowDisplay(WindowHandle hwnd) {
  int current = getCurOutputHook();
  if (!IsValidHandle(hwnd) || hwnd == __gui_hwnd_desktop || !HasAuxOutput()) return current;
  StackReadLock hold;
  MainWinRecord* main = MainWindowOf(hwnd);
  if (!main) return current;
  ZOrderList* currentList = CurrentDisplayList();
  if ((main->exStyle & WS_EX_TOPMOST) || (currentList && ListHolds(*currentList, HandleOf(main)))) return current;
  return current == getMainOutputHook() ? getAuxOutputHook() : getMainOutputHook();
}

}  // namespace

WindowHandle FindFirstPreviewWindow(int display) { return FirstPreviewIn(OtherListOf(display)); }

// Each exported query walks the stacks under one read lock; the helpers
// above, but WindowDisplay, expect it held.
extern "C" {

WindowHandle WindowUnderPointer(int x, int y) {
  StackReadLock hold;
  if (WindowHandle top = UnderPointerIn(TopmostList(), x, y)) return top;
  ZOrderList* current = CurrentDisplayList();
  return current ? UnderPointerIn(*current, x, y) : 0;
}

WindowHandle GetDisplayPreviewWindow(int display) {
  StackReadLock hold;
  return DisplayPreviewWindow(display);
}

WindowHandle FirstPreviewWindow(int display) {
  StackReadLock hold;
  return FindFirstPreviewWindow(display);
}

WindowHandle GetCurTopMainWindow(void) {
  StackReadLock hold;
  return DisplayPreviewWindow(getCurOutputHook());
}

int IsNoWinsOnPreview(int display) {
  if (IsPreviewBusyState(display)) return 0;
  StackReadLock hold;
  bool anyWindow = false;
  if (ZOrderList* own = OwnListOf(display)) ForEachInList(*own, [&anyWindow](WindowRecord* win) {
      if (IsVisibleRecord(win) && !(win->exStyle & WS_EX_PREVIEW)) anyWindow = true;
      return !anyWindow;
    });
  return anyWindow ? 0 : 1;
}

int GetWindowDisplay(WindowHandle hwnd) { return WindowDisplay(hwnd); }

WindowHandle getTopMainWindowHook(void) { return GetCurTopMainWindow(); }

// The owner is read under the lock, its display asked after it.
int IsMenuPopup(int display) {
  WindowHandle owner = 0;
  {
    StackReadLock hold;
    const auto& chain = Desk().popups;
    if (chain.empty()) return 0;
    owner = chain.front()->owner;
  }
  return WindowDisplay(owner) == display ? 1 : 0;
}

pthread_t GetMainWinThread(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !IsMainRecord(win)) return pthread_t{};
  return static_cast<MainWinRecord*>(win)->thread;
}

}  // extern "C"
