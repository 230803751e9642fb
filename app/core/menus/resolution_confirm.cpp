// The modal dialog that asks to keep a changed output resolution and counts
// down to restoring the previous one.
#include "app/msgbox.h"
#include "app/app_registry.h"
#include "app/core/menus/menu_paint.h"
#include "app/core/menus/resolution_rules.h"
#include "app/dialog_hooks.h"
#include "app/dialog_template.h"
#include "app/format_text.h"
#include "app/menus.h"
#include "app/page_colours.h"
#include "app/page_ids.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/static.h"
#include "gui/timer.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr char kWindow[] = "resolution";
constexpr int kTimerId = 8195, kTimerPeriod = 10;
constexpr int kOkId = PAGE_ID_OK, kCancelId = IDCANCEL, kCountdownId = 20272;

struct Dialog {
  resolution_confirm::Countdown countdown;
  Bitmap title{};
  bool hasTitle = false;
};

struct ControlRow {
  int id;
  const char* cls;
  uint32_t style;
  uint32_t exStyle;
  const char* item;
};
constexpr ControlRow kControls[] = {
    {kOkId, "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_AUTOSIZE, 0, "ok"},
    {kCancelId, "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_AUTOSIZE, 0, "cancel"},
    {0, "static", WS_CHILD | WS_VISIBLE | SS_LEFT, 32, "resolution_hint"},
    {kCountdownId, "static", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, "resolution_restore"},
};

// A control whose layout item is missing is left out.
void createControls(WindowHandle hwnd) {
  for (const ControlRow& row : kControls) {
    CtrlResInfo* rec = nullptr;
    if (!GetCtrlResInfo(kWindow, row.item, &rec) || !rec) continue;
    CreateWindowEx(row.cls, rec->caption ? rec->caption : "", row.style, row.exStyle, row.id, rec->x, rec->y, rec->w,
                   rec->h, hwnd, 0);
  }
  const WindowHandle countdown = GetDlgItem(hwnd, kCountdownId);
  if (countdown != GUI_INVALID_HANDLE) {
    // The text stands on the dialog's own grey.
    const GalPixel page = pagePixel(HDC_SCREEN, page_colours::kPageBackground);
    SendMessage(countdown, MSG_SETBKCOLOR, 0, static_cast<LParam>(page));
    ShowWindow(countdown, SW_HIDE);
  }
  const WindowHandle cancel = GetDlgItem(hwnd, kCancelId);
  if (cancel != GUI_INVALID_HANDLE) SetFocusChild(cancel);
}

void open(WindowHandle hwnd, Dialog* dialog) {
  const int main = getMainOutput();
  setDispSwitchEnabled(0);
  setOutputState(main, OUTSTATE_MENU);
  setLiveViewActive(main, 0);
  setResolutionWnd(hwnd);
  dialog->countdown.reset();
  dialog->hasTitle = GetWinBitmap("mainmenu", "mainmenu_topmiddle_bmp", &dialog->title) != 0;
  SetTimer(hwnd, kTimerId, kTimerPeriod);
  createControls(hwnd);
}

void showSecondsLeft(WindowHandle hwnd, int seconds) {
  CtrlResInfo* rec = nullptr;
  const WindowHandle text = GetDlgItem(hwnd, kCountdownId);
  if (text == GUI_INVALID_HANDLE || !GetCtrlResInfo(kWindow, "resolution_restore", &rec) || !rec || !rec->caption)
    return;
  char line[256];
  // The caption comes from a language file: only a "%d" is filled in.
  formatChecked(line, sizeof line, rec->caption, "d", seconds);
  SetWindowText(text, line);
  ShowWindow(text, SW_SHOW);
}

void finish(WindowHandle hwnd, Dialog* dialog, bool keep) {
  KillTimer(hwnd, kTimerId);
  dialog->countdown.reset();
  if (keep) {
    resolution_confirm::keepNewResolutions();
  } else {
    if (const int rc = resolution_confirm::restorePrevResolutions())
      showMsgBoxNum(hwnd, "commons", "savefailed_code", rc);
    SendMessage(__gui_hwnd_desktop, MSG_DT_PLACEIME, 0, 0);
  }
  SendMessage(hwnd, MSG_CLOSE, 0, 0);
}

void close(WindowHandle hwnd) {
  const int main = getMainOutput();
  KillTimer(hwnd, kTimerId);
  setResolutionWnd(GUI_INVALID_HANDLE);
  setOutputState(main, OUTSTATE_LIVEVIEW);
  setDispSwitchEnabled(1);
  setLiveViewActive(main, 1);
  EndDialog(hwnd, 0);
}

void eraseBackground(WindowHandle hwnd, const Dialog* dialog, WParam wParam, LParam lParam) {
  menus::eraseMenu(hwnd, wParam, lParam, [dialog](HDC hdc, int w, int h) {
    fillColour(hdc, page_colours::kPageBackground, 0, 0, w, h);
    menus::drawTitleAndTipStrip(hdc, w, h, dialog && dialog->hasTitle ? &dialog->title : nullptr,
                                menus::tipStripHeight());
  });
}

Dialog* dialogOf(WindowHandle hwnd) { return reinterpret_cast<Dialog*>(GetWindowAdditionalData(hwnd)); }

void onInit(WindowHandle hwnd) { open(hwnd, dialogOf(hwnd)); }

void onTimer(WindowHandle hwnd, int id) {
  Dialog* dialog = dialogOf(hwnd);
  if (id != kTimerId || !dialog) return;
  if (const int seconds = dialog->countdown.tick())
    showSecondsLeft(hwnd, seconds);
  else
    finish(hwnd, dialog, false);
}

// Only clicks (code 0) answer; the buttons also report focus and hover.
void onCommand(WindowHandle hwnd, int id, int code) {
  Dialog* dialog = dialogOf(hwnd);
  if (dialog && code == 0 && (id == kOkId || id == kCancelId)) finish(hwnd, dialog, id == kOkId);
}

void onErase(WindowHandle hwnd, WParam wParam, LParam lParam) { eraseBackground(hwnd, dialogOf(hwnd), wParam, lParam); }

// The dialog's state comes with its initialisation; a right click and a
// double click on the caption do nothing.
bool onMessage(WindowHandle hwnd, int message, WParam, LParam lParam, LResult*) {
  if (message == MSG_INITDIALOG) SetWindowAdditionalData(hwnd, lParam);
  return message == MSG_RBUTTONUP || message == MSG_NCLBUTTONDBLCLK;
}

const app::DialogHooks kHooks{onInit, app::takesAll<onCommand>, onErase, close, onTimer, onMessage};

}  // namespace

extern "C" {

int showResolutionConfirm(WindowHandle owner) {
  const int main = getMainOutput();
  CtrlResInfo* rect = nullptr;
  if (!GetCtrlResInfo(kWindow, "resolutionmenu_rect", &rect)) rect = nullptr;
  DlgTemplate tmpl = app::templateFromRecord(rect, WS_CAPTION | WS_VISIBLE | WS_BORDER, WS_EX_NOCLOSEBOX,
                                             app::Placement::kCentred, main);
  Dialog dialog;
  return app::runDialog(tmpl, owner, app::dialogProc<kHooks>, reinterpret_cast<LParam>(&dialog));
}

}  // extern "C"
