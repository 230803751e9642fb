// The live-view side menu's window: where the bar goes on an output, its
// picture buttons right of the drag grip, its background and its messages.
#include <iterator>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/dialog_hooks.h"
#include "app/layout_bitmaps.h"
#include "app/left_menu.h"
#include "app/liveview_dialogs.h"
#include "app/page_keys.h"
#include "app/pages_calls.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/cursor.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kWindow = "leftmenu";
constexpr const char* kRecord = "leftmenu_rect";
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_BITMAPBUTTON | BS_TIPALWAYS | BS_NOTIFY;
constexpr int kSlots = 10;

struct Item {
  int id;
  const char* caption;
  const char* normal;
  const char* disabled;
};

const Item kItems[kSlots] = {
    {LEFTMENU_FULLSCREEN, "fullscreen", "leftclick_fullscreen_bmp", "leftclick_fullscreen_dis_bmp"},
    {LEFTMENU_STARTREC, "startrec", "leftclick_record_bmp", "leftclick_record_dis_bmp"},
    {LEFTMENU_PLAYBACK5M, "playback5m", "leftclick_playback5m_bmp", "leftclick_playback5m_dis_bmp"},
    {LEFTMENU_OPENSOUND, "opensound", "leftclick_nosound_bmp", "leftclick_nosound_dis_bmp"},
    {LEFTMENU_SNAPSHOT, "snapshot", "leftclick_snapshot_bmp", "leftclick_snapshot_dis_bmp"},
    {LEFTMENU_PTZ, "ptzctrl", "leftclick_ptz_bmp", "leftclick_ptz_dis_bmp"},
    {LEFTMENU_DIGITZOOM, "digitzoom", "leftclick_zoomin_bmp", "leftclick_zoomin_dis_bmp"},
    {LEFTMENU_COLORSET, "colorset", "leftclick_picture_bmp", "leftclick_picture_dis_bmp"},
    {LEFTMENU_STRATEGY, "previewstrategy", "leftclick_previewstrategy_bmp", "leftclick_previewstrategy_dis_bmp"},
    {LEFTMENU_HIDE, "hideleft", "leftclick_hide_bmp", "leftclick_hide_dis_bmp"},
};

// The buttons that lie over items 0, 1 and 3.
const Item kAlternates[] = {
    {LEFTMENU_COMEBACK, "comeback", "leftclick_comeback_bmp", "leftclick_comeback_dis_bmp"},
    {LEFTMENU_STOPREC, "stoprec", "leftclick_recording_bmp", "leftclick_recording_dis_bmp"},
    {LEFTMENU_CLOSESOUND, "closesound", "leftclick_sound_bmp", "leftclick_sound_dis_bmp"},
};
constexpr int kAlternateCount = static_cast<int>(std::size(kAlternates));

// One set for both outputs: normal and disabled of each item, then of each
// alternate, then the background and the hover background.
constexpr int kBackground = 2 * (kSlots + kAlternateCount), kHover = kBackground + 1;
NamedBitmap g_bitmaps[kHover + 1];

int g_leftMenuOutput = 0;

void loadBitmaps() {
  int n = 0;
  for (const Item& item : kItems) g_bitmaps[n++].key = item.normal, g_bitmaps[n++].key = item.disabled;
  for (const Item& item : kAlternates) g_bitmaps[n++].key = item.normal, g_bitmaps[n++].key = item.disabled;
  g_bitmaps[kBackground].key = "leftclick_bg_bmp";
  g_bitmaps[kHover].key = "leftclick_bghover_bmp";
  loadNamedBitmaps(kWindow, g_bitmaps, kHover + 1, 0);
}

const NamedBitmap& normalOf(int slot) { return g_bitmaps[2 * slot]; }
const NamedBitmap& alternateNormal(int a) { return g_bitmaps[2 * (kSlots + a)]; }


const char* captionOf(const char* key) {
  CtrlResInfo* record = nullptr;
  if (!GetCtrlResInfo(kWindow, key, &record)) return nullptr;
  return record->caption ? record->caption : "";
}

// A picture button: normal picture, the same over the hover background,
// and the disabled picture.
void makeButton(WindowHandle menu, int id, const char* caption, int x, int y, const Bitmap& size,
                const NamedBitmap& normal, const NamedBitmap& disabled) {
  const WindowHandle button = CreateWindowEx("button", caption, kButtonStyle, 0, id, x, y, size.bmWidth,
                                             size.bmHeight, menu, reinterpret_cast<LParam>(&normal.bitmap));
  if (!IsValidHandle(button)) return;
  const NamedBitmap& hover = g_bitmaps[kHover];
  SetCtrlBitmaps(button, &normal.bitmap, nullptr, 1);
  SetCtrlBitmaps(button, &normal.bitmap, hover.loaded ? &hover.bitmap : nullptr, 2);
  if (disabled.loaded) SetCtrlBitmaps(button, &disabled.bitmap, nullptr, 3);
}

void makeAlternate(WindowHandle menu, int a, int x, int y, const Bitmap& itemSize) {
  const char* caption = captionOf(kAlternates[a].caption);
  if (!caption || !alternateNormal(a).loaded) return;
  makeButton(menu, kAlternates[a].id, caption, x, y, itemSize, alternateNormal(a), g_bitmaps[2 * (kSlots + a) + 1]);
}

void createButtons(WindowHandle menu, int output) {
  Rect client{};
  GetClientRect(menu, &client);
  const int grip = static_cast<int>(g_bitmaps[kBackground].bitmap.bmWidth) / 3;
  int leftOut = 0;
  for (int slot = 0; slot < kSlots; ++slot) {
    if (isLeftMenuSlotLeftOut(slot, output)) {
      ++leftOut;
      continue;
    }
    const char* caption = captionOf(kItems[slot].caption);
    const NamedBitmap& normal = normalOf(slot);
    if (!caption || !normal.loaded) continue;
    const int w = static_cast<int>(normal.bitmap.bmWidth), h = static_cast<int>(normal.bitmap.bmHeight);
    const int x = grip + client.left + (slot - leftOut) * w, y = client.bottom - h;
    makeButton(menu, kItems[slot].id, caption, x, y, normal.bitmap, normal, g_bitmaps[2 * slot + 1]);
    if (slot == 1) makeAlternate(menu, 1, x, y, normal.bitmap);
    if (slot == 3) makeAlternate(menu, 2, x, y, normal.bitmap);
  }
}

void initMenu(WindowHandle menu) {
  setLeftMenuWnd(g_leftMenuOutput, menu);
  loadBitmaps();
  setLeftMenuDragArmed(0);
  createButtons(menu, g_leftMenuOutput);
  for (const Item& item : kAlternates) {
    const WindowHandle button = GetDlgItem(menu, item.id);
    if (IsValidHandle(button)) ShowWindow(button, SW_HIDE);
  }
}

void paintBackground(HDC hdc, const Rect& client) {
  const NamedBitmap& bg = g_bitmaps[kBackground];
  if (!bg.loaded) return;
  FillBoxWithBitampCombineEx(hdc, 0, 0, client.right - client.left, static_cast<int>(bg.bitmap.bmHeight),
                             &bg.bitmap, TRUE, TRUE, FALSE);
}

// Only a click (code 0) on an item acts.
void onCommand(WindowHandle hwnd, int id, int code) {
  if (code == 0) onLeftMenuItem(hwnd, id);
}

void onErase(WindowHandle hwnd, WParam wParam, LParam lParam) {
  liveview_dialogs::eraseWith(hwnd, wParam, lParam, paintBackground);
}

// The bar is dragged by its grip and hands the idle ticks to the live
// view; a right click is its own, Escape hides it over the live view.
bool onMessage(WindowHandle hwnd, int message, WParam wParam, LParam lParam, LResult*) {
  switch (message) {
    case MSG_FIRSTMOUSE: sideMenuMouseDown(hwnd, lParam); return false;
    case MSG_LBUTTONUP: sideMenuMouseUp(hwnd, lParam); return false;
    case MSG_MOUSEMOVE: sideMenuMouseMove(hwnd, lParam); return false;
    case MSG_RBUTTONUP: return true;
    case MSG_KEYDOWN:
      if (wParam == KEY_ESC && getOutputState(getCurOutput()) == OUTSTATE_LIVEVIEW) {
        hideLeftMenu(hwnd);
        SetCursor(GetSystemCursor(0));
      }
      return true;
    case MSG_DESTROY: DestroyAllControls(hwnd); return true;
    case MSG_PAINT: beginEndPaint(hwnd); return true;
    case MSG_BROADCAST_NOTICE: sideMenuDragDone(hwnd, wParam); return false;
    case MSG_IDLE: {
      const WindowHandle live = getTopMainWindow();
      if (IsValidHandle(live) && live != hwnd) SendMessage(live, MSG_IDLE, wParam, 0);
      return false;
    }
    default: return false;
  }
}

const app::DialogHooks kHooks{initMenu, app::takesAll<onCommand>, onErase, hideLeftMenu, nullptr, onMessage};

}  // namespace

extern "C" {

int isLeftMenuSlotLeftOut(int slot, int output) {
  switch (slot) {
    case 0:
      return 1;
    case 2:
    case 3:
    case 6:
      return output != getMainOutput();
    case 4:
      return hasManualSnapshot() == 0;
    case 8:
      return hasPreviewStrategy() <= 0;
    default:
      return 0;
  }
}

int getLeftMenuGeometry(int output, Rect* out) {
  if (!out) return -1;
  *out = Rect{};
  CtrlResInfo* record = nullptr;
  if (!GetCtrlResInfo(kWindow, kRecord, &record)) return -1;
  int hidden = 0;
  for (int slot = 1; slot < kSlots; ++slot) {
    Bitmap normal{};
    if (isLeftMenuSlotLeftOut(slot, output) && GetWinBitmap(kWindow, kItems[slot].normal, &normal))
      hidden += static_cast<int>(normal.bmWidth);
  }
  const int x = (getScreenWidth(output) - record->w - hidden) / 2;
  const int y = getScreenHeight(output) - 2 * record->h;
  *out = Rect{x, y, x + record->w - hidden, y + record->h};
  return 0;
}

WindowHandle createLeftMenuWindow(WindowHandle host, int output) {
  DlgTemplate dlg{};
  dlg.dwStyle = WS_VISIBLE;
  dlg.dwExStyle = WS_EX_NOCLOSEBOX | WS_EX_TRANSPARENT;
  dlg.caption = "";
  Rect place{};
  if (getLeftMenuGeometry(output, &place) == 0) {
    dlg.x = place.left;
    dlg.y = place.top;
    dlg.w = place.right - place.left;
    dlg.h = place.bottom - place.top;
    dlg.caption = captionOf(kRecord);
  }
  g_leftMenuOutput = output;
  return CreateMainWindowIndirectParam(&dlg, host, leftMenuWinProc, 0);
}

void refreshLeftMenuCaptions(int output) {
  const WindowHandle menu = getLeftMenuWnd(output);
  if (!IsValidHandle(menu)) return;
  auto refresh = [menu](const Item& item) {
    if (const char* caption = captionOf(item.caption))
      SendDlgItemMessage(menu, item.id, MSG_SETTEXT, 0, reinterpret_cast<LParam>(caption));
  };
  for (const Item& item : kItems) refresh(item);
  refresh(kAlternates[1]);
  refresh(kAlternates[2]);
}

LResult leftMenuWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  return app::runWindow(kHooks, hwnd, message, wParam, lParam);
}

}  // extern "C"
