// What the small live-view dialogs share: controls from layout items,
// centring on the current output, exclusive buttons, the messages they take
// beyond their hooks and the grey background.
#include "app/app_registry.h"
#include "app/dialog_template.h"
#include "app/liveview_dialogs.h"
#include "app/page_colours.h"
#include "app/page_ids.h"
#include "app/page_keys.h"
#include "app/popup_drag.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace liveview_dialogs {

void createDialogItems(WindowHandle dialog, const char* window, const DialogItem* items, int count,
                       int focusId) {
  for (int i = 0; i < count; ++i) {
    CtrlResInfo* r = nullptr;
    if (!GetCtrlResInfo(window, items[i].item, &r)) continue;
    CreateWindowEx(items[i].className, r->caption ? r->caption : "", items[i].style, items[i].exStyle,
                   items[i].id, r->x, r->y, r->w, r->h, dialog, 0);
  }
  const WindowHandle focus = GetDlgItem(dialog, focusId);
  if (IsValidHandle(focus)) SetFocusChild(focus);
}

int runCentredDialog(WindowHandle owner, const char* window, const char* record, WindowProc proc) {
  CtrlResInfo* r = nullptr;
  if (!GetCtrlResInfo(window, record, &r)) r = nullptr;
  DlgTemplate dlg = app::templateFromRecord(r, WS_CAPTION | WS_CAPTION_EXTRA | WS_VISIBLE | WS_BORDER, 0,
                                            app::Placement::kCentred, getCurOutput());
  return app::runDialog(dlg, owner, proc);
}

void checkExclusive(WindowHandle dialog, int first, int last, int id) {
  for (int b = first; b <= last; ++b) SendDlgItemMessage(dialog, b, BM_SETCHECK, 0, 0);
  if (id) SendDlgItemMessage(dialog, id, BM_SETCHECK, 1, 0);
}

int firstChecked(WindowHandle dialog, int first, int last) {
  for (int b = first; b <= last; ++b)
    if (SendDlgItemMessage(dialog, b, BM_GETCHECK, 0, 0) == 1) return b;
  return 0;
}

void clickExclusive(WindowHandle dialog, int first, int last, int id) {
  if (SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0) == 1) checkExclusive(dialog, first, last, 0);
  SendDlgItemMessage(dialog, id, BM_SETCHECK, 1, 0);
}

void modeCommand(const ModeDialog& d, WindowHandle dlg, int id) {
  if (id >= d.first && id <= d.last) {
    clickExclusive(dlg, d.first, d.last, id);
    if (d.clicked) d.clicked(dlg, id);
  } else if (id == PAGE_ID_OK) {
    d.ok(dlg);
  } else if (id == IDCANCEL) {
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  }
}

bool modeMessage(const ModeDialog& d, WindowHandle dlg, int message, WParam wParam, LParam lParam) {
  return smallDialogMessage(dlg, message, wParam, lParam, d.drag,
                            message == MSG_KEYDOWN && getOutputState(getCurOutput()) == d.state);
}

bool smallDialogMessage(WindowHandle dlg, int message, WParam wParam, LParam lParam, PopupDrag* drag, bool escape) {
  if (drag && popupDragHandle(drag, dlg, message, wParam, lParam)) return true;
  switch (message) {
    case MSG_KEYDOWN:
      if (wParam == KEY_ESC && escape) SendMessage(dlg, MSG_CLOSE, 0, 0);
      return true;
    case MSG_NCLBUTTONDBLCLK: return true;
    default: return false;
  }
}

void eraseWith(WindowHandle hwnd, WParam wParam, LParam lParam,
               const std::function<void(HDC hdc, const Rect& client)>& fill) {
  HDC hdc = static_cast<HDC>(wParam);
  const bool own = hdc == 0;
  if (own) hdc = GetClientDC(hwnd);
  if (!hdc) return;
  Rect client{};
  GetClientRect(hwnd, &client);
  if (lParam) {
    Rect clip = *reinterpret_cast<const Rect*>(lParam);
    if (IsMainWindow(hwnd)) {
      ScreenToClient(hwnd, &clip.left, &clip.top);
      ScreenToClient(hwnd, &clip.right, &clip.bottom);
    }
    SelectClipRect(hdc, &clip);
  }
  fill(hdc, client);
  if (own) ReleaseDC(hdc);
}

void erasePage(WindowHandle dlg, WParam wParam, LParam lParam) {
  eraseWith(dlg, wParam, lParam, [](HDC hdc, const Rect& client) {
    fillColour(hdc, page_colours::kPageBackground, client.left, client.top, client.right - client.left,
               client.bottom - client.top);
  });
}

}  // namespace liveview_dialogs
