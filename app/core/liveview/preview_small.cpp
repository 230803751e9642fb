// The small preview: a modal dialog with a hole of the key colour through
// which the device shows one channel's live picture.
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/dialog_hooks.h"
#include "app/dialog_template.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/layout.h"
#include "app/liveview.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

int g_channel = 1;

// The video area in screen (or client) coordinates; false without the
// "previewarea" item.
bool videoArea(WindowHandle dlg, bool screen, Rect* out) {
  CtrlResInfo* r = nullptr;
  if (!GetCtrlResInfo("preview_small", "previewarea", &r)) return false;
  const int output = getCurOutput();
  int x = r->x, y = r->y, w = 0, h = 0, unusedW = 0, unusedH = 0;
  ScaleHorzToScreen(&x, &unusedW, output);
  ScaleVertToScreen(&y, &unusedH, output);
  getVideoAreaSize(&w, &h, output);
  alignAreaRect(dlg, &x, &y, &w, &h, screen ? 1 : 0);
  *out = Rect{x, y, x + w, y + h};
  return true;
}

void onInit(WindowHandle dlg) {
  ClearPreviewViewRect(dlg, 1);
  setPreviewSmallWnd(dlg);
  Rect area{};
  if (videoArea(dlg, true, &area)) showViewPosVideo(dlg, g_channel, area.left, area.top);
}

void onPaint(WindowHandle dlg) {
  HDC hdc = BeginPaint(dlg);
  Rect area{};
  if (videoArea(dlg, false, &area))
    paintVideoArea(hdc, area.left, area.top, area.right - area.left, area.bottom - area.top);
  EndPaint(dlg, hdc);
  // The picture is drawn by the device under the menus: a box above the
  // preview repaints so that it stays on top.
  if (hasViewPosOption() && GetMsgBoxState()) {
    const WindowHandle active = GetActiveWindow();
    if (IsValidHandle(active) && active != dlg) InvalidateRect(active, nullptr, TRUE);
  }
}

void onErase(WindowHandle dlg, WParam wParam, LParam lParam) {
  liveview_dialogs::eraseWith(dlg, wParam, lParam, [](HDC hdc, const Rect& client) {
    SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, static_cast<uint32_t>(SystemInfo[SYSINFO_BKCOLOR]));
    FillBox(hdc, client.left, client.top, client.right - client.left, client.bottom - client.top);
  });
}

void onClose(WindowHandle dlg) {
  setPreviewSmallWnd(GUI_INVALID_HANDLE);
  ClearPreviewViewRect(GUI_INVALID_HANDLE, 0);
  stopSmallVideo(g_channel);
  EndDialog(dlg, 0);
}

// It paints its own video hole; Escape leaves it open.
bool onMessage(WindowHandle dlg, int message, WParam wParam, LParam lParam, LResult*) {
  if (message != MSG_PAINT) return liveview_dialogs::smallDialogMessage(dlg, message, wParam, lParam, nullptr, false);
  onPaint(dlg);
  return true;
}

const app::DialogHooks kHooks{onInit, nullptr, onErase, onClose, nullptr, onMessage};

}  // namespace

extern "C" int createPreviewSmall(WindowHandle owner, int channel) {
  g_channel = channel;
  CtrlResInfo* r = nullptr;
  if (!GetCtrlResInfo("preview_small", "win_preview_small", &r)) r = nullptr;
  DlgTemplate dlg = app::templateFromRecord(r, WS_CAPTION | WS_CAPTION_EXTRA | WS_VISIBLE | WS_BORDER,
                                            WS_EX_PLACE_MASK, app::Placement::kAsRecorded, getCurOutput());
  return app::runDialog(dlg, owner, app::dialogProc<kHooks>);
}
