// Dialogs from templates: the modeless form for pages, the modal form with
// its own message loop on the calling thread, EndDialog and the default
// dialog procedure's keyboard navigation.
#include <map>
#include <mutex>
#include <vector>
#include <linux/input-event-codes.h>

#include "core/dialog/dialog_internal.h"
#include "core/control_layer.h"
#include "gui/text_entry.h"
#include "core/window/window_messages.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/keyboard.h"
#include "gui/nonclient.h"
#include "gui/text_entry.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kShiftBits = 0x03;
constexpr int kPreviousKeys[] = {103, 105, 179};
constexpr int kNextKeys[] = {106, 108, 178};

std::mutex g_modalLock;
std::map<WindowHandle, LParam*> g_modal;  // live modal dialogs and their result words

bool Refused(const DlgTemplate* dlg) { return !dlg || (dlg->controlnr > 0 && !dlg->controls); }

WindowHandle HostOf(WindowHandle owner) {
  if (owner == 0 || owner == __gui_hwnd_desktop || !ValidWindow(owner)) return 0;
  return GetMainWindowHandle(owner);
}

// The modal form keeps the template in the creation record, so that its
// procedure's MSG_CREATE makes the controls; the modeless form makes them
// itself.
MainWinCreate CreationRecord(const DlgTemplate* dlg, WindowHandle owner, WindowProc proc, bool modal) {
  MainWinCreate c{};
  c.dwStyle = (dlg->dwStyle & ~WS_VISIBLE) | (modal ? WS_DLGFRAME : 0);
  c.dwExStyle = dlg->dwExStyle;
  c.spCaption = dlg->caption;
  c.hMenu = dlg->hMenu;
  c.hCursor = 0;
  c.hIcon = dlg->hIcon;
  c.hHosting = HostOf(owner);
  c.MainWindowProc = proc ? proc : (__gui_def_proc[0] ? __gui_def_proc[0] : DefaultMainWinProc);
  c.lx = dlg->x;
  c.ty = dlg->y;
  c.rx = dlg->x + dlg->w;
  c.by = dlg->y + dlg->h;
  c.iBkColor = WinElementColors[WEC_BKC_DLG_NORMAL];
  c.dwAddData = dlg->dwAddData;
  c.dwReserved = modal ? reinterpret_cast<LParam>(dlg) : 0;
  return c;
}

void InitialiseAndShow(WindowHandle hDlg, LParam lParam) {
  WindowHandle first = GetNextDlgTabItem(hDlg, 0, FALSE);
  if (SendMessage(hDlg, MSG_INITDIALOG, first, lParam) && first) SetFocusChild(first);
  ShowWindow(hDlg, SW_SHOWNORMAL);
}

bool OnlyForHost(const Message& m, WindowHandle host) { return WindowBelongsTo(m.hwnd, host); }

// Input the host had queued before the dialog opened is dropped.
void DropHostInput(WindowHandle host) {
  Message m;
  const int ranges[][2] = {{MSG_FIRSTMOUSE, 16}, {MSG_KEYDOWN, 20}, {MSG_COMMAND, MSG_COMMAND}};
  for (bool removed = true; removed;) {
    removed = false;
    for (const auto& r : ranges) {
      if (PeekPostMessage(&m, host, r[0], r[1], FALSE) && OnlyForHost(m, host)) {
        PeekPostMessage(&m, host, r[0], r[1], TRUE);
        removed = true;
      }
    }
  }
}

void DisableHost(WindowHandle host) {
  if (!host || !ValidMainWindow(host)) return;
  if (IsWindowEnabled(host)) {
    EnableWindow(host, FALSE);
    IncludeWindowExStyle(host, WS_EX_MODALHOST);
  }
  DropHostInput(host);
}

LResult MainDefault(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[0] ? __gui_def_proc[0] : DefaultMainWinProc;
  return proc(hwnd, msg, wParam, lParam);
}

bool IsOneOf(WParam key, const int (&keys)[3]) {
  for (int k : keys)
    if (static_cast<WParam>(k) == key) return true;
  return false;
}

void MoveInGroup(WindowHandle hwnd, WindowHandle focused, bool previous) {
  WindowHandle target = GetNextDlgGroupItem(hwnd, focused, previous);
  if (!target || target == focused) return;
  if (focused && (SendMessage(focused, MSG_GETDLGCODE, 0, 0) & DLGC_STATIC)) return;
  if (Controls().isFreeStandingEdit(target)) SendMessage(target, MSG_FREESTANDING_EDIT, 1, 0);
  SetFocusChild(target);
}

LResult DialogKey(WindowHandle hwnd, WParam key, LParam shift) {
  WindowHandle focused = GetFocusChild(hwnd);
  if (focused == GUI_INVALID_HANDLE) focused = 0;
  const LResult code = focused ? SendMessage(focused, MSG_GETDLGCODE, 0, 0) : 0;
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTCHARS)) return MainDefault(hwnd, MSG_KEYDOWN, key, shift);
  if (key == KEY_ESC) {
    SetMsgBoxState(0);
    if (GetDlgItem(hwnd, IDCANCEL))
      SendMessage(hwnd, MSG_COMMAND, IDCANCEL, 0);
    else
      SendMessage(hwnd, MSG_CLOSE, 0, 0);
    return 0;
  }
  if (key == KEY_TAB && !(code & DLGC_WANTTAB)) {
    WindowHandle next = GetNextDlgTabItem(hwnd, focused, (shift & kShiftBits) != 0);
    if (next && next != focused) SetFocusChild(next);
    return 0;
  }
  if (IsOneOf(key, kPreviousKeys) || IsOneOf(key, kNextKeys)) {
    MoveInGroup(hwnd, focused, IsOneOf(key, kPreviousKeys));
    return 0;
  }
  return MainDefault(hwnd, MSG_KEYDOWN, key, shift);
}

LResult SetDefaultButton(WindowHandle hwnd, WParam id) {
  WindowHandle item = GetDlgItem(hwnd, static_cast<int>(id));
  const int oldId = GetDlgDefPushButton(hwnd);
  if (!item || !(SendMessage(item, MSG_GETDLGCODE, 0, 0) & DLGC_PUSHBUTTON)) return oldId;
  if (WindowHandle old = GetDlgItem(hwnd, oldId)) {
    ExcludeWindowStyle(old, BS_DEFPUSHBUTTON);
    InvalidateRect(old, nullptr, TRUE);
  }
  IncludeWindowStyle(item, BS_DEFPUSHBUTTON);
  InvalidateRect(item, nullptr, TRUE);
  return oldId;
}

}  // namespace

bool CreateTemplateControls(WindowHandle hDlg, const DlgTemplate* dlg) {
  for (int i = 0; i < dlg->controlnr; ++i) {
    const CtrlData& c = dlg->controls[i];
    if (!c.class_name) break;
    WindowHandle ctl = CreateWindowEx(c.class_name, c.caption, c.dwStyle | WS_CHILD, c.dwExStyle, c.id, c.x, c.y, c.w,
                                      c.h, hDlg, c.dwAddData);
    if (ctl == GUI_INVALID_HANDLE) return false;
  }
  return true;
}

namespace {

// Whether a modal dialog other than `ending` still stands over `host`.
bool OtherModalDialogOf(WindowHandle host, WindowHandle ending) {
  std::vector<WindowHandle> modal;
  {
    std::lock_guard<std::mutex> hold(g_modalLock);
    for (const auto& entry : g_modal)
      if (entry.first != ending) modal.push_back(entry.first);
  }
  for (WindowHandle dlg : modal)
    if (ValidMainWindow(dlg) && GetHosting(dlg) == host) return true;
  return false;
}

}  // namespace

bool IsModalDialog(WindowHandle hwnd) {
  std::lock_guard<std::mutex> hold(g_modalLock);
  return g_modal.count(hwnd) != 0;
}

extern "C" {

WindowHandle CreateMainWindowIndirectParam(const DlgTemplate* dlg, WindowHandle owner, WindowProc proc,
                                           LParam lParam) {
  if (Refused(dlg)) return GUI_INVALID_HANDLE;
  MainWinCreate c = CreationRecord(dlg, owner, proc, false);
  WindowHandle hDlg = CreateMainWindow(&c);
  if (hDlg == GUI_INVALID_HANDLE) return GUI_INVALID_HANDLE;
  if (!CreateTemplateControls(hDlg, dlg)) {
    DestroyMainWindow(hDlg);
    MainWindowThreadCleanup(hDlg);
    return GUI_INVALID_HANDLE;
  }
  InitialiseAndShow(hDlg, lParam);
  return hDlg;
}

BOOL DestroyMainWindowIndirect(WindowHandle hwnd) {
  DestroyMainWindow(hwnd);
  MainWindowThreadCleanup(hwnd);
  return TRUE;
}

LParam DialogBoxIndirectParam(const DlgTemplate* dlg, WindowHandle owner, WindowProc proc, LParam lParam) {
  if (Refused(dlg)) return -1;
  LParam result = IDCANCEL;
  MainWinCreate c = CreationRecord(dlg, owner, proc, true);
  WindowHandle hDlg = CreateMainWindow(&c);
  if (hDlg == GUI_INVALID_HANDLE) return -1;
  {
    std::lock_guard<std::mutex> hold(g_modalLock);
    g_modal[hDlg] = &result;
  }
  SetWindowAdditionalData2(hDlg, reinterpret_cast<LParam>(&result));
  WindowHandle host = GetHosting(hDlg);
  if (host != __gui_hwnd_desktop) DisableHost(host);
  InitialiseAndShow(hDlg, lParam);
  Message m;
  while (GetMessage(&m, hDlg)) {
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  // A quit message ended the loop while the dialog still stands: it ends as
  // cancelled and the quit goes on to the loop below, which would otherwise
  // never see it.
  if (ValidMainWindow(hDlg)) {
    PostQuitMessage(hDlg);
    EndDialog(hDlg, IDCANCEL);
  }
  {
    std::lock_guard<std::mutex> hold(g_modalLock);
    g_modal.erase(hDlg);
  }
  MainWindowThreadCleanup(hDlg);
  return result;
}

BOOL EndDialog(WindowHandle hDlg, LParam result) {
  MainWinRecord* dlg = ValidMainWindow(hDlg);
  if (!dlg) return FALSE;
  {
    std::lock_guard<std::mutex> hold(g_modalLock);
    auto it = g_modal.find(hDlg);
    if (it == g_modal.end()) return FALSE;
    *it->second = result;
  }
  WindowHandle host = GetHosting(hDlg);
  const bool wasActive = GetActiveWindow() == hDlg;
  DestroyMainWindow(hDlg);
  MainWinRecord* hostRec = host != __gui_hwnd_desktop ? ValidMainWindow(host) : nullptr;
  if (!hostRec || !(hostRec->exStyle & WS_EX_MODALHOST)) return TRUE;
  // Another modal dialog over the same host still runs: enabled now, the
  // host would take input beneath it.
  if (OtherModalDialogOf(host, hDlg)) return TRUE;
  EnableWindow(host, TRUE);
  ExcludeWindowExStyle(host, WS_EX_MODALHOST);
  if (wasActive && IsWindowVisible(host)) {
    ShowWindow(host, SW_SHOWNORMAL);
    SetActiveWindow(host);
  }
  return TRUE;
}

LResult DefaultDialogProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_CREATE: {
      auto* create = reinterpret_cast<const MainWinCreate*>(lParam);
      auto* dlg = create ? reinterpret_cast<const DlgTemplate*>(create->dwReserved) : nullptr;
      if (dlg && !CreateTemplateControls(hwnd, dlg)) {
        DestroyAllControls(hwnd);
        return -1;
      }
      return 0;
    }
    case MSG_KEYDOWN:
      return DialogKey(hwnd, wParam, lParam);
    case MSG_CLOSE:
      if (ItemUsable(hwnd, IDCANCEL)) EndDialog(hwnd, IDCANCEL);
      return 0;
    case MSG_COMMAND:
      if ((wParam & 0xFFFF) == IDCANCEL && ItemUsable(hwnd, IDCANCEL)) EndDialog(hwnd, IDCANCEL);
      return MainDefault(hwnd, msg, wParam, lParam);
    case MSG_DLG_GETDEFID:
      return GetDlgDefPushButton(hwnd);
    case MSG_DLG_SETDEFID:
      return SetDefaultButton(hwnd, wParam);
    case MSG_ISDIALOG:
      return 1;
    default:
      return MainDefault(hwnd, msg, wParam, lParam);
  }
}

}  // extern "C"
