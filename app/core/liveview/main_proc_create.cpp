// Creation of the live-view window: its state, the tool-window thread, the
// pop-up menus' resources and menus, the label/control split, the side menu
// and the add-channel button.
#include <initializer_list>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/core/liveview/main_proc.h"
#include "app/device_backend.h"
#include "app/liveview.h"
#include "app/liveview_menu.h"
#include "app/numkeys.h"
#include "app/pages_calls.h"
#include "app/playback.h"
#include "app/program.h"
#include "gui/app_hooks.h"
#include "gui/button.h"
#include "gui/display.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace liveproc {
namespace {

constexpr uint32_t kAddChanStyle = WS_CHILD | BS_BITMAPBUTTON | BS_NOTIFY;
constexpr int kDefaultLabelTenths = 3, kDefaultCtrlTenths = 7;

// The button keeps pointers to its pictures: they live for the program.
Bitmap g_addIpc{}, g_addIpcHover{};
bool g_haveAddIpc = false;

void loadBitmaps() {
  loadPlaybackBarBitmaps();
  if (HasAuxOutput()) loadPlaybackBarBitmapsAux();
  g_haveAddIpc = GetWinBitmap("preview", "add_ipc_bmp", &g_addIpc) && g_addIpc.bmBits;
  if (!GetWinBitmap("preview", "add_ipc_hover_bmp", &g_addIpcHover)) g_addIpcHover = Bitmap{};
  loadResultPageBitmaps();
  loadListViewBitmaps();
}

void readCtrlScale() {
  CtrlResInfo* record = nullptr;
  if (GetCtrlResInfo("commons", "rirur_ctrl_scale", &record) && record->x > 0 && record->y > 0)
    setCtrlScale(record->x, record->y);
  else
    setCtrlScale(kDefaultLabelTenths, kDefaultCtrlTenths);
}

void createSideMenu(WindowHandle hwnd) {
  const WindowHandle menu = createLeftMenuWindow(hwnd, getMainOutput());
  if (IsValidHandle(menu)) ShowWindow(menu, SW_HIDE);
}

void createAddChanButton(WindowHandle hwnd) {
  setAddChanButton(0);
  uint64_t mask = 0;
  if (getIpChannelNum(&mask) <= 0) return;
  const int w = g_haveAddIpc ? g_addIpc.bmWidth : 1, h = g_haveAddIpc ? g_addIpc.bmHeight : 1;
  const WindowHandle button = CreateWindowEx("button", "", kAddChanStyle, 0, kAddChanButton, 0, 0, w, h, hwnd, 0);
  if (!IsValidHandle(button)) return;
  if (g_haveAddIpc) {
    SetCtrlBitmaps(button, &g_addIpc, nullptr, 1);
    if (g_addIpcHover.bmBits) SetCtrlBitmaps(button, &g_addIpcHover, nullptr, 2);
  }
  setAddChanButton(button);
}

}  // namespace

void onCreate(WindowHandle hwnd) {
  initLiveViewState();
  resetNumKeyEntry(hwnd);
  for (int output : {1, 2, 3}) setOutputState(output, OUTSTATE_LIVEVIEW);
  // First, so that the tool windows are made while the rest is loaded; the
  // thread's sends wait for the live view's creation to return.
  startMenuMainThread();
  loadLiveViewMenuRes();
  loadBitmaps();
  buildLiveViewMenu(getMainOutput());
  if (HasAuxOutput()) buildLiveViewMenu(getAuxOutput());
  readCtrlScale();
  createSideMenu(hwnd);
  createAddChanButton(hwnd);
  // The video background is looked up by the painter on each paint: the
  // layout owns its bits and a language switch may reload them.
}

}  // namespace liveproc
