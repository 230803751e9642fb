// The soft keyboard: a top-level window on a thread of its own that shows
// the character or the numeric keyboard and turns clicks on its keys into
// key-down messages for the edit it serves (or the input method). Its state
// is touched only on its own thread; the caps-lock flag, which the edits
// read, is atomic.
#include <pthread.h>

#include <atomic>

#include "controls/skb/skb_keys.h"
#include "controls/sledit/entry_common.h"
#include "core/control_support.h"
#include "gui/bitmap.h"
#include "gui/image.h"
#include "core/semaphore.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/element.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

using namespace entry;

namespace {

constexpr uint32_t kKeyStateCaps = 0x100, kMacStyle = 0x2;
constexpr int kKindChar = 0, kKindNum = 1, kKindIme = 2;

struct Skins {
  const Bitmap* chars = nullptr;
  const Bitmap* numbers = nullptr;
  const Bitmap* caps = nullptr;
  int output = -1;
  bool auxiliary = false;
  bool Complete() const { return chars && numbers && caps; }
};

struct Keyboard {
  Skins skins;
  int shown = 0;
  int kind = kKindChar;
  WindowHandle target = kNoWindow;
  WindowHandle receiver = kNoWindow;
  int hilite = -1;
  Rect hiliteRect{};
};

Keyboard g_kb;
std::atomic<int> g_capsLock{0};

// The keys lie where the loaded skins put them.
bool Auxiliary() { return g_kb.skins.auxiliary; }

// The output is read once: every skin then comes from one display even
// when the current one changes during the reload.
Skins LoadSkins(int output) {
  Skins s;
  s.output = output;
  s.auxiliary = output != getMainOutputHook();
  s.chars = GetDisplayStockBitmap(s.auxiliary, "SKBctrlbtn_chr", 0, 0);
  s.numbers = GetDisplayStockBitmap(s.auxiliary, "SKBctrlbtn_num", 0, 0);
  s.caps = GetDisplayStockBitmap(s.auxiliary, "capslock_skb", -1, -1);
  return s;
}

// Skins are reloaded only on the keyboard's own thread, which owns them.
pthread_t g_kbThread{};
std::atomic<bool> g_kbThreadKnown{false};
bool OnKeyboardThread() { return g_kbThreadKnown.load() && pthread_equal(pthread_self(), g_kbThread); }

skb::Board BoardOfKind() { return g_kb.kind == kKindNum ? skb::kNumBoard : skb::kCharBoard; }
skb::KeyTable Table(skb::Board board) { return skb::TableOf(board, Auxiliary()); }

bool Exists(WindowHandle hwnd) { return hwnd != 0 && hwnd != kNoWindow && IsWindow(hwnd) == 1; }

bool ActiveMainOnCurrentDisplay() {
  WindowHandle active = ActiveOfCurrentDisplay();
  return active != 0 && active != kNoWindow && IsMainWindow(active) == 1;
}

// Before every message: skins of the display now current, the window sized
// to them. False while a skin is missing. The messages of the resize itself
// use the skins being put in place rather than start another reload.
bool CheckDisplay(WindowHandle hwnd) {
  static bool resizing = false;
  if (!OnKeyboardThread() || resizing) return g_kb.skins.Complete();
  const int output = getCurOutputHook();
  if (g_kb.skins.output == output && g_kb.skins.Complete()) return true;
  g_kb.skins = LoadSkins(output);
  if (!g_kb.skins.Complete()) return false;
  resizing = true;
  MoveWindow(hwnd, 0, 0, static_cast<int>(g_kb.skins.chars->bmWidth), static_cast<int>(g_kb.skins.chars->bmHeight),
             TRUE);
  resizing = false;
  return true;
}

Rect Enlarged(Rect r) { return Rect{r.left, r.top, r.right + 8, r.bottom + 2}; }

void RepaintCapsKey(WindowHandle hwnd) {
  Rect r = Enlarged(skb::KeyRect(Table(skb::kCharBoard), skb::kCapsKey));
  InvalidateRect(hwnd, &r, FALSE);
}

void DropHighlight(WindowHandle hwnd) {
  if (g_kb.hilite < 0) return;
  Rect old = Enlarged(g_kb.hiliteRect);
  g_kb.hilite = -1;
  InvalidateRect(hwnd, &old, FALSE);
}

void Highlight(WindowHandle hwnd, int x, int y) {
  const skb::KeyTable table = Table(BoardOfKind());
  const int k = skb::HitTest(table, x, y);
  if (k == g_kb.hilite) return;
  Rect old = Enlarged(g_kb.hiliteRect);
  g_kb.hiliteRect = k >= 0 ? skb::KeyRect(table, k) : Rect{};
  g_kb.hilite = k;
  Rect now = Enlarged(g_kb.hiliteRect);
  InvalidateRect(hwnd, &now, FALSE);
  InvalidateRect(hwnd, &old, FALSE);
}

void Paint(WindowHandle hwnd) {
  HDC hdc = BeginPaint(hwnd);
  FillBoxWithBitmap(hdc, 0, 0, 0, 0, g_kb.kind == kKindNum ? g_kb.skins.numbers : g_kb.skins.chars);
  if (g_capsLock && g_kb.kind != kKindNum) {
    const SkbKeyPos& caps = Table(skb::kCharBoard).keys[skb::kCapsKey];
    FillBoxWithBitmap(hdc, caps.x, caps.y, 0, 0, g_kb.skins.caps);
  }
  if (g_kb.hilite >= 0) {
    SetDCAttr(hdc, DC_ATTR_PEN_COLOR, WinElementColors[WEC_FRAME_CONTROL_HILITE]);
    const Rect& r = g_kb.hiliteRect;
    Rectangle2(hdc, r.left, r.top, r.right, r.bottom);
  }
  EndPaint(hwnd, hdc);
}

void Close(WindowHandle hwnd) {
  if (!g_kb.shown) return;
  DropHighlight(hwnd);
  ShowWindow(hwnd, SW_HIDE);
  g_kb.shown = 0;
  g_kb.target = kNoWindow;
}

bool ImeShowing(WindowHandle ime) { return ime && SendMessage(ime, MSG_DT_IMEQUERY, 5, 0) == 1; }

void Open(WindowHandle hwnd) {
  if (g_kb.shown) return;
  WindowHandle ime = LiveIme();
  if ((g_kb.kind == kKindChar || GetSysInfoLanguage() == 1) && ImeShowing(ime))
    PostMessage(ime, MSG_IMECLOSE, 0, 0);
  g_kb.hilite = -1;
  ShowWindow(hwnd, SW_SHOW);
  g_kb.shown = 1;
  g_capsLock = 0;
}

void SetTarget(WindowHandle hwnd, WindowHandle target) {
  g_kb.target = target;
  if (g_kb.receiver == hwnd) return;
  if (WindowHandle ime = LiveIme())
    g_kb.receiver = ime;
  else if (target != kNoWindow)
    g_kb.receiver = target;
}

void PostKey(int code, bool caps) {
  const LParam state = caps ? kKeyStateCaps : 0;
  PostMessage(g_kb.receiver, MSG_KEYDOWN, static_cast<WParam>(code), state);
  if (code == KEY_BACKSPACE) SetAutoRepeatMessage(g_kb.receiver, MSG_KEYDOWN, KEY_BACKSPACE, state);
}

// Escape or Enter ends the typing: the edit leaves its mode, the keyboard
// hides, and both tool windows end for good when no menu is left.
void EndTyping(WindowHandle hwnd, bool post) {
  PostMessage(g_kb.target, MSG_EDITSKBMODE, 0, 0);
  WindowHandle ime = LiveIme();
  if (!ActiveMainOnCurrentDisplay()) {
    if (ime) {
      if (post)
        PostMessage(ime, MSG_CLOSE, 0, 0);
      else
        SendMessage(ime, MSG_CLOSE, 0, 0);
    }
    PostMessage(hwnd, MSG_CLOSE, 0, 0);
    return;
  }
  if (!ime) {
    Close(hwnd);
  } else if (g_kb.receiver == ime) {
    SendMessage(ime, MSG_IMECLOSE, 0, 0);
    Close(hwnd);
  }
}

bool IsMacEdit(WindowHandle hwnd) {
  return Exists(hwnd) && IsControlOfClass(hwnd, "ipedit") && (GetWindowStyle(hwnd) & kMacStyle);
}

void ToggleCaps() {
  if (g_capsLock) {
    g_capsLock = 0;
    PostMessage(g_kb.target, MSG_EDITSKBMODE, kModeLower, 0);
    return;
  }
  if (IsMacEdit(g_kb.target)) return;
  g_capsLock = 1;
  PostMessage(g_kb.target, MSG_EDITSKBMODE, kModeUpper, 0);
  if (g_kb.kind == kKindIme) {
    g_kb.kind = kKindChar;
    WindowHandle ime = LiveIme();
    if (ime && SendMessage(ime, MSG_DT_IMEQUERY, 5, 0) != 0) SendMessage(ime, MSG_IMECLOSE, 0, 0);
  }
}

// The switch key hands the edit to the input method's punctuation mode.
void SwitchKey(WindowHandle hwnd) {
  g_capsLock = 0;
  RepaintCapsKey(hwnd);
  WindowHandle ime = LiveIme();
  if (!ime || SendMessage(ime, MSG_DT_IMEQUERY, 6, 0) != 0) return;
  if (!Exists(g_kb.target) || SendMessage(g_kb.target, MSG_NEEDIME, 0, 0) != 1) return;
  if (g_kb.kind != kKindChar && g_kb.kind != kKindIme) return;
  SendMessage(ime, MSG_DT_IMECMD, 1, 0);
  SendMessage(ime, MSG_DT_IMECMD, 6, 1);
  SendMessage(g_kb.target, MSG_PLACEIME, g_kb.target, 1);
  SendMessage(ime, MSG_IMEACTIVEWIN, g_kb.target, 0);
  PostMessage(g_kb.target, MSG_EDITSKBMODE, kModePunct, 0);
  SendMessage(ime, MSG_KEYDOWN, PANEL_KEY_SYMBOLS, 0);
  SendMessage(ime, MSG_KEYUP, PANEL_KEY_SYMBOLS, 0);
  SendMessage(ime, MSG_CHAR, PANEL_KEY_SYMBOLS, 0);
}

void PressChar(WindowHandle hwnd, int k) {
  const int code = skb::ScanCode(skb::kCharBoard, k);
  if (k == skb::kCapsKey) ToggleCaps();
  if (ActiveMainOnCurrentDisplay()) {
    if (code == KEY_CAPSLOCK) RepaintCapsKey(hwnd);
    if (!g_capsLock && code != KEY_ESC && code != PANEL_KEY_SYMBOLS) PostKey(code, false);
    if (g_capsLock && code != PANEL_KEY_SYMBOLS) PostKey(code, true);
  }
  if (code == KEY_ESC || code == KEY_ENTER) EndTyping(hwnd, false);
  if (code == PANEL_KEY_SYMBOLS) SwitchKey(hwnd);
}

void PressNumber(WindowHandle hwnd, int k) {
  const int code = skb::ScanCode(skb::kNumBoard, k);
  if (ActiveMainOnCurrentDisplay() && code != KEY_ESC && code != PANEL_KEY_SYMBOLS) PostKey(code, false);
  if (code == KEY_ESC || code == KEY_ENTER) EndTyping(hwnd, true);
}

void Press(WindowHandle hwnd, int x, int y) {
  const skb::Board board = BoardOfKind();
  const int k = skb::HitTest(Table(board), x, y);
  if (k < 0) return;
  if (board == skb::kCharBoard)
    PressChar(hwnd, k);
  else
    PressNumber(hwnd, k);
}

// A release ends a held backspace; after a character typed for the input
// method the edit goes back to letters.
void Release(int x, int y) {
  SetAutoRepeatMessage(0, 0, 0, 0);
  if (g_kb.kind != kKindChar) return;
  const int code = skb::ScanCode(skb::kCharBoard, skb::HitTest(Table(skb::kCharBoard), x, y));
  if (code < 0 || code == PANEL_KEY_SYMBOLS) return;
  WindowHandle ime = LiveIme();
  if (!ImeShowing(ime)) return;
  if (code != KEY_CAPSLOCK) SendMessage(g_kb.target, MSG_EDITSKBMODE, kModeLower, 0);
  PostMessage(ime, MSG_IMECLOSE, 0, 0);
}

void Activate(WindowHandle hwnd, WParam on) {
  if (!on) {
    DropHighlight(hwnd);
    return;
  }
  WindowHandle target = g_kb.target;
  if (!Exists(target) || SendMessage(target, MSG_NEEDSKB, 0, 0) != 1) return;
  // The edit keeps its text unselected because the keyboard is shown; its
  // style word is not changed from this thread, which would race with the
  // edit's own thread reading it.
  SetFocusChild(target);
}

// Moves the proposed rectangle, keeping its size, onto the screen.
void KeepOnScreen(const Rect* proposed, Rect* out) {
  if (!proposed || !out) return;
  Rect r = *proposed;
  const int width = static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_HPIXEL));
  const int height = static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_VPIXEL));
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (r.right > width) r.left = width - w;
  if (r.bottom > height) r.top = height - h;
  if (r.left < 0) r.left = 0;
  if (r.top < 0) r.top = 0;
  *out = Rect{r.left, r.top, r.left + w, r.top + h};
}

void SetState(WindowHandle hwnd, WParam which, LParam value) {
  if (which == 1) g_kb.shown = static_cast<int>(value);
  if (which == 2) g_kb.kind = static_cast<int>(value);
  if (which == 3) g_capsLock = value != 0;
  InvalidateRect(hwnd, nullptr, FALSE);
}

LResult SoftKeyboardProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (!CheckDisplay(hwnd)) return 0;
  switch (msg) {
    // A quick second press of a key arrives as a double click: it types again.
    case MSG_LBUTTONDOWN:
    case MSG_LBUTTONDBLCLK: Press(hwnd, LowX(lParam), HighY(lParam)); break;
    case MSG_LBUTTONUP: Release(LowX(lParam), HighY(lParam)); break;
    case MSG_MOUSEMOVE: Highlight(hwnd, LowX(lParam), HighY(lParam)); break;
    case MSG_SIZECHANGING:
      KeepOnScreen(reinterpret_cast<const Rect*>(wParam), reinterpret_cast<Rect*>(lParam));
      return 0;
    case MSG_MOUSEENTER: Activate(hwnd, wParam); break;
    case MSG_NCCREATE:
      g_kb.shown = 0;
      g_kb.kind = kKindChar;
      SendMessage(__gui_hwnd_desktop, MSG_DT_REGSKB, hwnd, 0);
      break;
    case MSG_CLOSE:
      SendMessage(__gui_hwnd_desktop, MSG_DT_UNREGSKB, hwnd, 0);
      DestroyMainWindow(hwnd);
      PostQuitMessage(hwnd);
      return 0;
    case MSG_PAINT: Paint(hwnd); return 0;
    case MSG_SKBOPEN: Open(hwnd); break;
    case MSG_SKBCLOSE: Close(hwnd); break;
    case MSG_DT_SKBCMD: SetState(hwnd, wParam, lParam); break;
    case MSG_DT_SKBQUERY: return wParam == 1 ? g_kb.shown : wParam == 2 ? g_kb.kind : 0;
    case MSG_SKBACTIVEWIN: SetTarget(hwnd, static_cast<WindowHandle>(wParam)); break;
    case MSG_SKBCURRENTEDIT:
      if (wParam == SKB_FORGET_EDIT) {
        const auto gone = static_cast<WindowHandle>(lParam);
        if (g_kb.target == gone) g_kb.target = kNoWindow;
        if (g_kb.receiver == gone) g_kb.receiver = kNoWindow;
        return 0;
      }
      return static_cast<LResult>(g_kb.target);
    default: break;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

struct HandBack {
  Semaphore done;
  WindowHandle hwnd = kNoWindow;
};

WindowHandle CreateKeyboardWindow() {
  g_kb = Keyboard{};
  g_kbThread = pthread_self();
  g_kbThreadKnown = true;
  g_kb.skins = LoadSkins(getCurOutputHook());
  // A missing skin hands back failure rather than leave the creator waiting.
  if (!g_kb.skins.Complete()) return kNoWindow;
  MainWinCreate create{};
  create.dwStyle = 0x80000000u;
  create.dwExStyle = WS_EX_TOPMOST;
  create.spCaption = "The Softkey Window";
  create.MainWindowProc = SoftKeyboardProc;
  create.rx = static_cast<int32_t>(g_kb.skins.chars->bmWidth);
  create.by = static_cast<int32_t>(g_kb.skins.chars->bmHeight);
  create.iBkColor = WinElementColors[WEC_BKC_CONTROL_NORMAL];
  WindowHandle hwnd = CreateMainWindow(&create);
  if (hwnd != kNoWindow) ShowWindow(hwnd, SW_HIDE);
  return hwnd;
}

void* KeyboardThread(void* arg) {
  auto* handBack = static_cast<HandBack*>(arg);
  const WindowHandle hwnd = CreateKeyboardWindow();
  handBack->hwnd = hwnd;
  handBack->done.Post();  // the hand-back record is the creator's from here on
  if (hwnd == kNoWindow) return nullptr;
  Message msg{};
  while (GetMessage(&msg, hwnd)) DispatchMessage(&msg);
  MainWindowThreadCleanup(hwnd);
  return nullptr;
}

}  // namespace

extern "C" {

WindowHandle SKBWindow(void) {
  if (SoftKeyboardWindow()) return 0;
  HandBack handBack;
  // Joinable through WaitMainWindowClose, so that a program can see the
  // keyboard's thread end before it shuts the toolkit down.
  pthread_t thread;
  if (CreateThreadForMainWindow(&thread, nullptr, KeyboardThread, &handBack) != 0) return kNoWindow;
  handBack.done.Wait();
  if (handBack.hwnd == kNoWindow) JoinThreadWithoutWindow(thread);
  return handBack.hwnd;
}

int GetSoftKeyboardCapsLock(void) { return g_capsLock; }

}  // extern "C"
