// Creation of main windows and controls. Each step that can fail undoes
// what the earlier ones made; the desktop learns about a new window through
// a synchronous request, so the window is stacked when creation returns.
#include <memory>

#include "core/desktop/desktop.h"
#include "core/desktop/window_stack.h"
#include "core/desktop/zorder.h"
#include "core/control_layer.h"
#include "core/message/msg_queue.h"
#include "core/nonclient/frame.h"
#include "core/window/window_damage.h"
#include "core/window/window_internal.h"
#include "core/window/window_threads.h"
#include "gui/app_hooks.h"
#include "gui/control_class.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/display.h"
#include "gui/fixstr.h"
#include "gui/font.h"
#include "gui/paint.h"
#include "gui/window.h"

namespace {

constexpr int kMainWindowFont = 1;
constexpr int kControlFontMain = 5;
constexpr int kControlFontAux = 6;
constexpr int kControlFont7 = 7;
constexpr int kPreviewRight = 1024;
constexpr int kPreviewBottom = 768;

// The caption of a control created without one: shared, never freed.
char g_emptyCaption[] = "";

void SetUpScrollBar(ScrollBarInfo* bar, bool present) {
  if (!present) {
    bar->Reset(0, 0, 0, kBarDisabled | kBarHidden);
    return;
  }
  bar->Reset(0, 100, 10, 0);
}

void SetUpScrollBars(WindowRecord* win) {
  SetUpScrollBar(&win->vscroll, win->style & WS_VSCROLL);
  SetUpScrollBar(&win->hscroll, win->style & WS_HSCROLL);
}

LogFont* SystemFont(int slot) { return g_SysLogFont[slot]; }

// Places the creation rectangle on the screen and writes it back.
void PlaceMainWindow(MainWinCreate* create) {
  int x = create->lx, y = create->ty, w = create->rx - create->lx, h = create->by - create->ty;
  ScaleWindowRect(create->dwExStyle, 1, &x, &y, &w, &h);
  create->lx = x;
  create->ty = y;
  create->rx = x + w;
  create->by = y + h;
  if (create->dwExStyle & WS_EX_PREVIEW) {
    create->rx = kPreviewRight;
    create->by = kPreviewBottom;
  }
}

// The queue the window's messages go to and the main window hosting it.
// The thread record's first main window owns it (releases it at its
// clean-up).
struct QueueChoice {
  MsgQueue* queue = nullptr;
  MainWinRecord* hosting = nullptr;
  ThreadMsgInfo* madeInfo = nullptr;   // made here, released on failure
  ThreadMsgInfo* takenInfo = nullptr;  // taken over from a destroyed first window
  MainWinRecord* formerFirst = nullptr;
  bool formerOwned = false;
  bool ok = false;
  ThreadMsgInfo* OwnedInfo() const { return madeInfo ? madeInfo : formerOwned ? takenInfo : nullptr; }
};

// The thread's first window is destroyed but not cleaned up yet: the new
// window becomes the first and the owner, so that the old one's clean-up
// does not free the queue the new one reads.
void TakeOverThreadRecord(QueueChoice* choice, ThreadMsgInfo* info, MainWinRecord* win) {
  MainWinRecord* former = info->mainWindow;
  choice->takenInfo = info;
  choice->formerFirst = former;
  choice->formerOwned = former && former->threadInfo == info;
  if (choice->formerOwned) former->threadInfo = nullptr;
  info->mainWindow = win;
}

// Gives the thread record back as it was before a failed creation.
void UndoQueueChoice(const QueueChoice& choice) {
  if (choice.madeInfo) FreeThreadMsgQueue(choice.madeInfo);
  if (!choice.takenInfo) return;
  choice.takenInfo->mainWindow = choice.formerFirst;
  if (choice.formerOwned) choice.formerFirst->threadInfo = choice.takenInfo;
}

QueueChoice ChooseQueue(MainWinRecord* win, WindowHandle hosting) {
  QueueChoice choice;
  if (hosting == 0 || hosting == __gui_hwnd_desktop) {
    ThreadMsgInfo* info = CurrentThreadMsgInfo();
    if (!info) {
      info = AllocThreadMsgQueue();
      if (!info) return choice;
      choice.madeInfo = info;
      info->mainWindow = win;
    } else if (ValidMainWindow(HandleOf(info->mainWindow))) {
      choice.hosting = info->mainWindow;
    } else {
      TakeOverThreadRecord(&choice, info, win);
    }
    choice.queue = info->queue;
    choice.ok = true;
    return choice;
  }
  MainWinRecord* host = MainWindowOf(hosting);
  if (!host || !host->queue) return choice;
  choice.hosting = host;
  choice.queue = host->queue;
  choice.ok = true;
  return choice;
}

// A window hosted by a preview window on the auxiliary display is hosted by
// the main display's preview window instead.
MainWinRecord* RedirectPreviewHost(MainWinRecord* hosting) {
  if (!hosting || !(hosting->exStyle & WS_EX_PREVIEW) || getCurOutputHook() != getAuxOutputHook()) return hosting;
  MainWinRecord* preview = ValidMainWindow(FirstPreviewWindow(getMainOutputHook()));
  return preview ? preview : hosting;
}

void FillMainRecord(MainWinRecord* win, const MainWinCreate* create) {
  win->mainWindow = win;
  win->dataType = kWindowValid;
  win->windowType = kWindowMain;
  win->previewSlot = -1;
  win->thread = pthread_self();
  win->style = create->dwStyle;
  win->exStyle = create->dwExStyle;
  win->menu = create->hMenu;
  win->cursor = create->hCursor;
  win->icon = create->hIcon;
  win->font = SystemFont(kMainWindowFont);
  win->caption = FixStrDup(create->spCaption ? create->spCaption : "");
  win->procedure = create->MainWindowProc;
  win->background = create->iBkColor;
  win->additionalData = create->dwAddData;
  SetUpScrollBars(win);
}

// Undoes a main window that never came to life. Messages already queued
// for it (the desktop's show and activation notices, its own posts) go
// first: they would otherwise reach the freed record.
void DiscardMainWindow(std::unique_ptr<MainWinRecord> win, const QueueChoice& choice) {
  ThrowAwayMessages(HandleOf(win.get()));
  UndoQueueChoice(choice);
  delete win->zorderNode;
  if (win->privateDC) DeletePrivateDC(win->privateDC);
  if (win->caption) FreeFixStr(win->caption);
  win->dataType = 0;
}

LogFont* ControlFont(const WindowRecord* parent, uint32_t exStyle) {
  if (exStyle & WS_EX_USEPARENTFONT) return parent->font;
  if (exStyle & WS_EX_SYSFONT7) return SystemFont(kControlFont7);
  return SystemFont(getCurOutputHook() == getAuxOutputHook() ? kControlFontAux : kControlFontMain);
}

void FillControlRecord(ControlRecord* ctl, const ControlClass* cls, const char* caption, uint32_t style,
                       uint32_t exStyle, WindowRecord* parent) {
  ctl->dataType = kWindowValid;
  ctl->windowType = kWindowControl;
  ctl->caption = caption ? FixStrDup(caption) : g_emptyCaption;
  ctl->style = style | cls->style | WS_CHILD;
  ctl->exStyle = cls->exStyle | exStyle;
  ctl->background = cls->backgroundColor;
  ctl->cursor = cls->cursor;
  ctl->font = ControlFont(parent, ctl->exStyle);
  ctl->procedure = cls->windowProc;
  ctl->mainWindow = parent->mainWindow;
  ctl->parent = parent;
  ctl->controlClass = const_cast<ControlClass*>(cls);
  SetUpScrollBars(ctl);
}

// MSG_SIZECHANGING and MSG_SIZECHANGED. The procedure fills a copy: a control is already in
// its parent's child list, where other threads read its rectangle.
void PlaceWindow(WindowRecord* win, Rect requested) {
  Rect placed = win->window;
  CallProc(win, MSG_SIZECHANGING, reinterpret_cast<WParam>(&requested), reinterpret_cast<LParam>(&placed));
  StoreWindowRect(win, placed);
  CallProc(win, MSG_SIZECHANGED, reinterpret_cast<WParam>(&placed), 0);
}

void FreeCaption(WindowRecord* win) {
  if (win->caption && win->caption != g_emptyCaption) FreeFixStr(win->caption);
  win->caption = nullptr;
}

void DiscardControl(std::unique_ptr<ControlRecord> ctl) {
  ThrowAwayMessages(HandleOf(ctl.get()));
  if (ctl->exStyle & WS_EX_OWN_CLIPINFO) {
    delete ctl->clipInfo;
    delete ctl->zorderNode;
  }
  if (ctl->privateDC) DeletePrivateDC(ctl->privateDC);
  FreeCaption(ctl.get());
  ctl->dataType = 0;
}

}  // namespace

void FreeWindowCaption(WindowRecord* win) { FreeCaption(win); }

extern "C" {

WindowHandle CreateMainWindow(MainWinCreate* create) {
  if (!create) return GUI_INVALID_HANDLE;
  std::unique_ptr<MainWinRecord> win(new (std::nothrow) MainWinRecord);
  if (!win) return GUI_INVALID_HANDLE;
  PlaceMainWindow(create);
  QueueChoice choice = ChooseQueue(win.get(), create->hHosting);
  if (!choice.ok) return GUI_INVALID_HANDLE;
  win->queue = choice.queue;
  win->threadInfo = choice.OwnedInfo();
  win->hosting = RedirectPreviewHost(choice.hosting);
  FillMainRecord(win.get(), create);
  WindowHandle hwnd = HandleOf(win.get());

  win->zorderNode = new (std::nothrow) ZOrderNode;
  if (!win->zorderNode || CallProc(win.get(), MSG_NCCREATE, 0, reinterpret_cast<LParam>(create)) != 0) {
    DiscardMainWindow(std::move(win), choice);
    return GUI_INVALID_HANDLE;
  }
  Rect requested{create->lx, create->ty, create->rx, create->by};
  PlaceWindow(win.get(), requested);

  win->clipInfo = &win->ownClip;
  int addRequest = (win->exStyle & WS_EX_PREVIEW) ? MSG_DT_ADDPREVIEWWIN : MSG_DT_ADDNEWMAINWIN;
  SendMessage(__gui_hwnd_desktop, addRequest, hwnd, reinterpret_cast<LParam>(win->zorderNode));
  if (CallProc(win.get(), MSG_CREATE, 0, reinterpret_cast<LParam>(create)) != 0) {
    SendMessage(__gui_hwnd_desktop, MSG_DT_REMOVEMAINWIN, hwnd, 0);
    DiscardMainWindow(std::move(win), choice);
    return GUI_INVALID_HANDLE;
  }
  if (win->exStyle & WS_EX_PRIVATE_DC) win->privateDC = CreatePrivateClientDC(hwnd);
  NoteMainWindowOfThread(hwnd);
  return HandleOf(win.release());
}

WindowHandle CreateWindowEx(const char* className, const char* caption, uint32_t style, uint32_t exStyle, int id,
                            int x, int y, int w, int h, WindowHandle parent, LParam addData) {
  // The desktop is no window a control can live in.
  WindowRecord* parentRec = parent == __gui_hwnd_desktop ? nullptr : ValidWindow(parent);
  if (!parentRec || !parentRec->mainWindow || !className) return GUI_INVALID_HANDLE;
  // Looked up under the registry's own lock: a page creates hundreds of
  // controls, and a round trip to the desktop each would cost a frame.
  ControlClass* cls = Controls().findControlClass(className);
  if (!cls) return GUI_INVALID_HANDLE;
  std::unique_ptr<ControlRecord> ctl(new (std::nothrow) ControlRecord);
  if (!ctl) return GUI_INVALID_HANDLE;

  ScaleWindowRect(exStyle, 0, &x, &y, &w, &h);
  ctl->window = ctl->client = Rect{x, y, x + w, y + h};
  FillControlRecord(ctl.get(), cls, caption, style, exStyle, parentRec);
  ctl->id = id;
  ctl->additionalData = addData;
  WindowHandle hwnd = HandleOf(ctl.get());

  if (ctl->exStyle & WS_EX_OWN_CLIPINFO) {
    ctl->clipInfo = new (std::nothrow) GlobalClipInfo;
    ctl->zorderNode = new (std::nothrow) ZOrderNode;
    if (!ctl->clipInfo || !ctl->zorderNode) {
      DiscardControl(std::move(ctl));
      return GUI_INVALID_HANDLE;
    }
  } else {
    ctl->clipInfo = parentRec->mainWindow->clipInfo;
  }
  if (cls->style & CLASS_STYLE_PRIVATE_DC) {
    ctl->privateDC = CreatePrivateClientDC(hwnd);
    ctl->exStyle |= WS_EX_PRIVATE_DC;
  }

  if (CallProc(ctl.get(), MSG_NCCREATE, 0, static_cast<LParam>(hwnd)) != 0 ||
      (!LinkPlainControl(parentRec, ctl.get()) &&
       SendMessage(__gui_hwnd_desktop, MSG_DT_ADDCTRL, parent, static_cast<LParam>(hwnd)) < 0)) {
    DiscardControl(std::move(ctl));
    return GUI_INVALID_HANDLE;
  }
  if (CallProc(ctl.get(), MSG_CREATE, parent, addData) != 0) {
    SendMessage(__gui_hwnd_desktop, MSG_DT_REMOVECTRL, parent, static_cast<LParam>(hwnd));
    DiscardControl(std::move(ctl));
    return GUI_INVALID_HANDLE;
  }
  PlaceWindow(ctl.get(), Rect{x, y, x + w, y + h});
  // Painted at once: a page that builds its controls after showing itself
  // shows each one complete as it comes.
  bool paintNow = IsVisibleRecord(parentRec) && IsVisibleRecord(ctl.get());
  ctl.release();
  if (paintNow) UpdateWindow(hwnd, TRUE);
  return hwnd;
}

}  // extern "C"
