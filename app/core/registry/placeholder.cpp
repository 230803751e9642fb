// The one placeholder page: an item without a page opens it beside its menu,
// so a user who picks it sees where they are and can leave. Beside a
// sub-menu it is modeless like the pages there; the main menu's items are
// modal windows, and so is their placeholder.
#include <cstring>

#include "app/page_keys.h"
#include "app/app_registry.h"
#include "app/page_registry.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kWidth = 360, kHeight = 160;

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

void close(WindowHandle hwnd, const MenuSlot* slot) {
  if (slot && slot->setPage) slot->setPage(GUI_INVALID_HANDLE);
  if (slot && slot->modal) {
    EndDialog(hwnd, 0);
    return;
  }
  DestroyMainWindow(hwnd);
  MainWindowThreadCleanup(hwnd);
}

LResult placeholderProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  auto* slot = reinterpret_cast<const MenuSlot*>(GetWindowAdditionalData(hwnd));
  switch (message) {
    case MSG_INITDIALOG:
      SetWindowAdditionalData(hwnd, lParam);
      slot = reinterpret_cast<const MenuSlot*>(lParam);
      if (slot && slot->setPage) slot->setPage(hwnd);
      return 0;
    case MSG_KEYDOWN:
      if (wParam == PAGE_KEY_ESCAPE) SendMessage(hwnd, MSG_CLOSE, 0, 0);
      return 0;
    case MSG_CLOSE: close(hwnd, slot); return 0;
    default:
      return slot && slot->modal ? DefaultDialogProc(hwnd, message, wParam, lParam)
                                 : DefaultWindowProc(hwnd, message, wParam, lParam);
  }
}

}  // namespace

extern "C" int openPlaceholderPage(int menu, const char* item, WindowHandle owner) {
  if (menu < APP_MENU_MAIN || menu >= APP_MENU_COUNT || !item) return -1;
  const MenuSlot& slot = slotOf(menu, item);
  CtrlResInfo* rec = nullptr;
  const bool found = GetCtrlResInfo(slot.section, item, &rec) && rec;
  const int output = getCurOutput();
  DlgTemplate tmpl{};
  tmpl.dwStyle = WS_VISIBLE | WS_CAPTION | WS_CAPTION_EXTRA | WS_BORDER;
  tmpl.dwExStyle = WS_EX_NOCLOSEBOX;
  tmpl.caption = found && rec->caption ? rec->caption : "";
  tmpl.w = kWidth;
  tmpl.h = kHeight;
  tmpl.x = (getScreenWidth(output) - kWidth) / 2;
  tmpl.y = (getScreenHeight(output) - kHeight) / 2;
  const LParam param = reinterpret_cast<LParam>(&slot);
  if (slot.modal) return static_cast<int>(DialogBoxIndirectParam(&tmpl, owner, placeholderProc, param));
  const WindowHandle page = CreateMainWindowIndirectParam(&tmpl, owner, placeholderProc, param);
  return page == GUI_INVALID_HANDLE ? -1 : 0;
}
