// The one placeholder page: an item without a page opens it beside its menu,
// so a user who picks it sees where they are and can leave. Beside a
// sub-menu it is modeless like the pages there; the main menu's items are
// modal windows, and so is their placeholder.
#include <cstring>

#include "app/app_messages.h"
#include "app/page_keys.h"
#include "app/app_registry.h"
#include "app/dialog_hooks.h"
#include "app/dialog_template.h"
#include "app/liveview_dialogs.h"
#include "app/page_ids.h"
#include "app/page_registry.h"
#include "app/placeholder_page.h"
#include "gui/app_hooks.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kWidth = 360, kHeight = 160;
constexpr uint32_t kStyle = WS_VISIBLE | WS_CAPTION | WS_CAPTION_EXTRA | WS_BORDER;

const liveview_dialogs::DialogItem kCancelItem[] = {
    {IDCANCEL, "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, "cancel"}};

struct MenuSlot {
  const char* section;
  void (*setPage)(WindowHandle);  // the menu's page slot; may be null
  bool modal;
};

constexpr MenuSlot kSlots[APP_MENU_COUNT] = {
    {"mainmenu", nullptr, true},                   {"exportmenu", setSearchPicWnd, false},
    {"manualmenu", setManualPageWnd, false},       {"recordmenu", setRecordPageWnd, false},
    {"systemmenu", setSystemPageWnd, false},       {"maintenancemenu", setMaintenancePageWnd, false},
    {"diskmenu", setDiskPageWnd, false},           {"cameramenu", nullptr, true},
};
constexpr MenuSlot kStorageSlot{"mainmenu", setDiskMenuWnd, true};

const MenuSlot& slotOf(int menu, const char* item) {
  if (menu == APP_MENU_MAIN && std::strcmp(item, "disk") == 0) return kStorageSlot;
  return kSlots[menu];
}

// What an open page holds: its description and the output it opened on.
struct OpenPage {
  PlaceholderPage page;
  int output;
};

void close(WindowHandle hwnd, OpenPage* open) {
  if (!open) return;
  if (open->page.registerWnd) open->page.registerWnd(GUI_INVALID_HANDLE);
  if (open->page.state >= 0) setOutputState(open->output, OUTSTATE_LIVEVIEW);
  if (open->page.modal) {
    EndDialog(hwnd, 0);
    return;
  }
  auto afterClose = open->page.afterClose;
  DestroyMainWindow(hwnd);
  MainWindowThreadCleanup(hwnd);
  if (afterClose) afterClose();
}

bool laidOut(const OpenPage* open) { return open && open->page.modal && open->page.section; }

OpenPage* openOf(WindowHandle hwnd) { return reinterpret_cast<OpenPage*>(GetWindowAdditionalData(hwnd)); }

void onInit(WindowHandle hwnd) {
  const OpenPage* open = openOf(hwnd);
  if (open->page.registerWnd) open->page.registerWnd(hwnd);
  if (open->page.state >= 0) setOutputState(open->output, open->page.state);
  if (laidOut(open)) liveview_dialogs::createDialogItems(hwnd, open->page.section, kCancelItem, 1, IDCANCEL);
}

// A laid-out page takes every command: its Cancel closes it.
bool onCommand(WindowHandle hwnd, WParam wParam, LParam) {
  if (!laidOut(openOf(hwnd))) return false;
  if (app::idOf(wParam) == IDCANCEL) SendMessage(hwnd, MSG_CLOSE, 0, 0);
  return true;
}

// Without a layout of its own it keeps the toolkit's background.
void onErase(WindowHandle hwnd, WParam hdc, LParam rect) { app::dialogDefault(hwnd, MSG_ERASEBKGND, hdc, rect); }

void onClose(WindowHandle hwnd) { close(hwnd, openOf(hwnd)); }

// What it takes beyond its hooks: its description with the initialisation,
// every key (Escape closes it), the copy a modeless page owns on its
// destruction, and on a laid-out page the showing again after a box or a
// mouse mode.
bool onMessage(WindowHandle hwnd, int message, WParam wParam, LParam lParam, LResult*) {
  OpenPage* open = openOf(hwnd);
  switch (message) {
    case MSG_INITDIALOG: SetWindowAdditionalData(hwnd, lParam); return false;
    case MSG_DESTROY:
      if (open && !open->page.modal) {  // a modeless page owns its copy, however it ends
        SetWindowAdditionalData(hwnd, 0);
        delete open;
      }
      return false;
    case MSG_PTZSHOW:  // shown again after a box or a mouse mode
      if (!laidOut(open)) return false;
      ShowWindow(hwnd, SW_SHOWNORMAL);
      EnableWindow(hwnd, TRUE);
      return true;
    case MSG_PTZCOVERED: return laidOut(open);  // a box is about to cover it
    default:
      return (message == MSG_KEYDOWN || laidOut(open)) &&
             liveview_dialogs::smallDialogMessage(hwnd, message, wParam, lParam, nullptr, true);
  }
}

const app::DialogHooks kHooks{onInit, onCommand, onErase, onClose, nullptr, onMessage};

DlgTemplate templateOf(const PlaceholderPage& page, int output) {
  if (page.modal && page.section) {
    CtrlResInfo* r = nullptr;
    if (!page.record || !GetCtrlResInfo(page.section, page.record, &r)) r = nullptr;
    return app::templateFromRecord(r, kStyle, page.exStyle, app::Placement::kCentred, output);
  }
  DlgTemplate tmpl{};
  tmpl.dwStyle = kStyle;
  tmpl.dwExStyle = page.exStyle;
  tmpl.caption = page.caption ? page.caption : "";
  tmpl.w = kWidth;
  tmpl.h = kHeight;
  tmpl.x = (getScreenWidth(output) - kWidth) / 2;
  tmpl.y = (getScreenHeight(output) - kHeight) / 2;
  return tmpl;
}

}  // namespace

int runPlaceholderPage(WindowHandle owner, const PlaceholderPage& page) {
  const int output = page.output < 0 ? getCurOutput() : page.output;
  const DlgTemplate tmpl = templateOf(page, output);
  if (page.modal) {
    OpenPage open{page, output};
    const int result = app::runDialog(tmpl, owner, app::dialogProc<kHooks>, reinterpret_cast<LParam>(&open));
    if (page.afterClose) page.afterClose();
    return result;
  }
  auto* open = new OpenPage{page, output};
  const WindowHandle hwnd = CreateMainWindowIndirectParam(&tmpl, owner, app::windowProc<kHooks>,
                                                          reinterpret_cast<LParam>(open));
  if (hwnd != GUI_INVALID_HANDLE) return 0;
  delete open;
  return -1;
}

extern "C" int openPlaceholderPage(int menu, const char* item, WindowHandle owner) {
  if (menu < APP_MENU_MAIN || menu >= APP_MENU_COUNT || !item) return -1;
  const MenuSlot& slot = slotOf(menu, item);
  CtrlResInfo* rec = nullptr;
  const bool found = GetCtrlResInfo(slot.section, item, &rec) && rec;
  PlaceholderPage page;
  page.caption = found ? rec->caption : "";
  page.modal = slot.modal;
  page.exStyle = WS_EX_NOCLOSEBOX;
  if (slot.setPage) page.registerWnd = slot.setPage;
  return runPlaceholderPage(owner, page);
}
