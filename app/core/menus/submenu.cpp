#include "app/core/menus/submenu.h"

#include <string>
#include <vector>

#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/core/menus/menu_paint.h"
#include "app/dialog_hooks.h"
#include "app/dialog_template.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/page_keys.h"
#include "app/page_registry.h"
#include "gui/button.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/region.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace menus {
namespace {

constexpr uint32_t kItemStyle = WS_CHILD | WS_VISIBLE | BS_FRAMEBUTTON | BS_AUTOSIZE;
constexpr uint32_t kExitStyle = WS_CHILD | WS_VISIBLE | BS_IMAGEBUTTON | BS_AUTOSIZE;
constexpr uint32_t kButtonExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr uint32_t kDialogStyle = WS_CAPTION | WS_VISIBLE | WS_BORDER;
constexpr uint32_t kDialogExStyle = WS_EX_NOCLOSEBOX | WS_EX_ROUTE_OUTPUTSWITCH | WS_EX_PLACE_MASK;
constexpr int kExitFromBottom = 40;
constexpr int kNoItem = -1;

int (*g_pageOpener)(const SubMenuFamily&, int, WindowHandle) = nullptr;

struct BitmapPair {
  Bitmap normal{}, selected{};
  bool hasNormal = false, hasSelected = false;
};

struct Dialog {
  const SubMenuFamily* family;
  int selected = kNoItem;
  BitmapPair exit;
  std::vector<BitmapPair> items;
};

void loadPair(const char* section, const std::string& normalKey, const std::string& selectedKey, BitmapPair* pair) {
  pair->hasNormal = GetWinBitmap(section, normalKey.c_str(), &pair->normal) != 0;
  pair->hasSelected = GetWinBitmap(section, selectedKey.c_str(), &pair->selected) != 0;
}

void loadBitmaps(Dialog* d) {
  const SubMenuFamily& f = *d->family;
  loadPair("systemmenu", "home_bmp", "home_sel_bmp", &d->exit);
  d->items.assign(f.count, BitmapPair{});
  for (int i = 0; i < f.count; ++i)
    loadPair(f.section, std::string(f.items[i].key) + "_bmp", std::string(f.items[i].key) + "_sel_bmp", &d->items[i]);
}

void giveBitmaps(WindowHandle button, const BitmapPair& pair) {
  if (pair.hasNormal) SetCtrlBitmaps(button, &pair.normal, nullptr, 1);
  if (pair.hasSelected) SetCtrlBitmaps(button, &pair.selected, nullptr, 2);
}

const CtrlResInfo* record(const char* section, const char* key) {
  CtrlResInfo* rec = nullptr;
  return GetCtrlResInfo(section, key, &rec) && rec ? rec : nullptr;
}

void createItems(WindowHandle dlg, Dialog* d) {
  const SubMenuFamily& f = *d->family;
  int shift = 0;
  for (int i = 0; i < f.count; ++i) {
    const CtrlResInfo* rec = record(f.section, f.items[i].key);
    if (isItemLeftOut(f.which, i)) {
      if (rec && f.movesUp) shift += rec->h;
      continue;
    }
    if (!rec) continue;
    const WindowHandle button = CreateWindowEx("button", rec->caption ? rec->caption : "", kItemStyle, kButtonExStyle,
                                               f.firstId + i, rec->x, rec->y - shift, rec->w, rec->h, dlg, 0);
    if (button != GUI_INVALID_HANDLE) giveBitmaps(button, d->items[i]);
  }
  const CtrlResInfo* exit = record(f.section, "exit");
  if (!exit) return;
  Rect client{};
  GetClientRect(dlg, &client);
  const WindowHandle button = CreateWindowEx("button", exit->caption ? exit->caption : "", kExitStyle, kButtonExStyle,
                                             f.exitId, exit->x, client.bottom - client.top - kExitFromBottom, exit->w,
                                             exit->h, dlg, 0);
  if (button != GUI_INVALID_HANDLE) giveBitmaps(button, d->exit);
}

void focusExit(WindowHandle dlg, const Dialog* d) {
  const WindowHandle exit = GetDlgItem(dlg, d->family->exitId);
  if (IsValidHandle(exit)) SetFocusChild(exit);
}

void select(WindowHandle dlg, Dialog* d, int position) {
  if (d->selected != kNoItem) SendDlgItemMessage(dlg, d->family->firstId + d->selected, MSG_ENABLE, 1, 0);
  SendDlgItemMessage(dlg, d->family->firstId + position, MSG_ENABLE, 0, 0);
  d->selected = position;
}

void build(WindowHandle dlg, Dialog* d) {
  d->family->setMenuWnd(dlg);
  loadBitmaps(d);
  createItems(dlg, d);
  const int initial = initialSubMenuItem(d->family->which);
  if (initial != kNoItem) {
    select(dlg, d, initial);
    SendNotifyMessage(dlg, MSG_OPENITEMPAGE, static_cast<WParam>(initial), 0);
  }
  focusExit(dlg, d);
}

bool isWindowHandle(WindowHandle hwnd) { return IsValidHandle(hwnd) && IsWindow(hwnd); }

WindowHandle openPage(const Dialog* d) {
  const WindowHandle page = d->family->getPageWnd();
  return isWindowHandle(page) ? page : GUI_INVALID_HANDLE;
}

void openItemPage(WindowHandle dlg, const Dialog* d, int position, bool initial) {
  const SubMenuFamily& f = *d->family;
  if (position < 0 || position >= f.count || !f.items[position].opens) return;
  if (f.beforeOpen) f.beforeOpen(position, initial);
  if (g_pageOpener)
    g_pageOpener(f, position, dlg);
  else
    openMenuPage(f.registryMenu, f.items[position].key, dlg);
}

void refuse(WindowHandle dlg, const Dialog* d, const Check& check) {
  const WindowHandle page = openPage(d);
  const WindowHandle owner = page != GUI_INVALID_HANDLE ? page : dlg;
  if (check.verdict == Verdict::kNoPermission)
    showNoPermission(owner);
  else if (check.verdict == Verdict::kNoChannel)
    showChanNotAvailable(owner);
  else
    showMsgBox(owner, check.section, check.key, MSGBOX_INFO);
}

// A click on the menu raises it over its page, and a raise repaints no
// background: what the page covered of the menu is painted again once the
// page goes, or the next page, when narrower, leaves it showing.
void closePageAndRepaint(WindowHandle dlg, WindowHandle page) {
  if (page == GUI_INVALID_HANDLE) return;
  Rect covered{};
  GetWindowRect(page, &covered);
  SendMessage(page, MSG_CLOSE, 0, 0);
  ScreenToClient(dlg, &covered.left, &covered.top);
  ScreenToClient(dlg, &covered.right, &covered.bottom);
  InvalidateRect(dlg, &covered, TRUE);
}

void choose(WindowHandle dlg, Dialog* d, int position) {
  if (position == d->selected) return;
  const Check check = checkSubMenuItem(d->family->which, position);
  if (check.verdict != Verdict::kAllowed) return refuse(dlg, d, check);
  closePageAndRepaint(dlg, openPage(d));
  // The selection moves before the page opens: a page that runs modally
  // should find the menu showing what is open.
  select(dlg, d, position);
  openItemPage(dlg, d, position, false);
}

void onCommand(WindowHandle dlg, Dialog* d, int id) {
  if (id == d->family->exitId) {
    SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
    return;
  }
  choose(dlg, d, id - d->family->firstId);
}

void eraseBackground(WindowHandle dlg, const Dialog* d, WParam wParam, LParam lParam) {
  const CtrlResInfo* divline = d ? record(d->family->section, "divline") : nullptr;
  eraseMenu(dlg, wParam, lParam, [divline](HDC hdc, int w, int h) {
    fillColour(hdc, page_colours::kDialogBackground, 0, 0, w, h);
    if (!divline) return;
    fillColour(hdc, page_colours::kDividerBody, divline->x, 0, divline->w, divline->h);
    selectPenColour(hdc, page_colours::kDividerEdge);
    MoveTo(hdc, divline->x + divline->w, 0);
    LineTo(hdc, divline->x + divline->w, divline->h);
  });
}

void close(WindowHandle dlg, Dialog* d) {
  if (d) {
    const WindowHandle page = openPage(d);
    if (page != GUI_INVALID_HANDLE) SendMessage(page, MSG_CLOSE, 0, 0);
    d->family->setMenuWnd(GUI_INVALID_HANDLE);
  }
  EndDialog(dlg, 0);
}

// A press on the column away from an enabled item (the chosen one, the
// space between) raises the menu over its page. The page goes back in
// front at once, raised only: activated even for a moment, it would take
// a key typed right after the press from the column.
bool liesAbove(WindowHandle upper, WindowHandle lower) {
  for (WindowHandle h = GetNextMainWindow(0); h; h = GetNextMainWindow(h)) {
    if (h == upper) return true;
    if (h == lower) return false;
  }
  return false;
}

void keepPageInFront(WindowHandle dlg, const Dialog* d) {
  const WindowHandle page = d ? openPage(d) : GUI_INVALID_HANDLE;
  if (page == GUI_INVALID_HANDLE || !IsWindowVisible(page) || !liesAbove(dlg, page)) return;
  SendMessage(__gui_hwnd_desktop, MSG_DT_MOVETOTOP, page, DT_RAISE_ONLY);
}

// The caption and border are drawn only where the page leaves them
// showing: while the menu lies over its page for a moment (a press on the
// column raises it) they would cover the page's top.
void paintFrameBesidePage(WindowHandle dlg, const Dialog* d, WParam wParam, LParam lParam) {
  const WindowHandle page = d ? openPage(d) : GUI_INVALID_HANDLE;
  if (page == GUI_INVALID_HANDLE || !IsWindowVisible(page)) {
    app::dialogDefault(dlg, MSG_NCPAINT, wParam, lParam);
    return;
  }
  Rect frame{}, covered{};
  GetWindowRect(dlg, &frame);
  GetWindowRect(page, &covered);
  Rect whole{0, 0, frame.right - frame.left, frame.bottom - frame.top};
  const Rect* asked = reinterpret_cast<const Rect*>(lParam);
  Rect limit{};
  if (asked && !IntersectRect(&limit, &whole, asked)) return;
  if (!asked) limit = whole;
  const Rect local{covered.left - frame.left, covered.top - frame.top, covered.right - frame.left,
                   covered.bottom - frame.top};
  Rect parts[4];
  const int count = SubtractRect(parts, &limit, &local);
  for (int i = 0; i < count; ++i) app::dialogDefault(dlg, MSG_NCPAINT, wParam, reinterpret_cast<LParam>(&parts[i]));
}

bool ownsId(const Dialog* d, int id) {
  return id == d->family->exitId || (id >= d->family->firstId && id < d->family->firstId + d->family->count);
}

Dialog* dialogOf(WindowHandle dlg) { return reinterpret_cast<Dialog*>(GetWindowAdditionalData(dlg)); }

void onInit(WindowHandle dlg) { build(dlg, dialogOf(dlg)); }

// A click on an item or Exit acts; every command then goes to the default.
bool onItemCommand(WindowHandle dlg, WParam wParam, LParam) {
  Dialog* d = dialogOf(dlg);
  if (d && app::codeOf(wParam) == BN_CLICKED && ownsId(d, app::idOf(wParam))) onCommand(dlg, d, app::idOf(wParam));
  return false;
}

void onErase(WindowHandle dlg, WParam wParam, LParam lParam) { eraseBackground(dlg, dialogOf(dlg), wParam, lParam); }

void onClose(WindowHandle dlg) { close(dlg, dialogOf(dlg)); }

// The menu beside its page: the page opens and hears of the motion grid
// through it, Right goes over to it, a press keeps it in front and the
// frame is drawn beside it. The menu's state comes with its initialisation.
bool onMessage(WindowHandle dlg, int message, WParam wParam, LParam lParam, LResult*) {
  Dialog* d = dialogOf(dlg);
  switch (message) {
    case MSG_INITDIALOG: SetWindowAdditionalData(dlg, lParam); return false;
    case MSG_OPENITEMPAGE:
      if (d) openItemPage(dlg, d, static_cast<int>(wParam), true);
      return true;
    case MSG_RELOADMOTIONGRID: {
      const WindowHandle page = d ? openPage(d) : GUI_INVALID_HANDLE;
      if (page != GUI_INVALID_HANDLE) SendMessage(page, message, wParam, lParam);
      return true;
    }
    case MSG_KEYDOWN:
      if (wParam == KEY_LEFT) return true;
      if (wParam != KEY_RIGHT) return false;
      if (const WindowHandle page = d ? openPage(d) : GUI_INVALID_HANDLE; page != GUI_INVALID_HANDLE)
        SetActiveWindow(page);
      return true;
    case MSG_LBUTTONDOWN:
    case MSG_RBUTTONDOWN: keepPageInFront(dlg, d); return false;
    case MSG_NCPAINT: paintFrameBesidePage(dlg, d, wParam, lParam); return true;
    default: return false;
  }
}

const app::DialogHooks kHooks{onInit, onItemCommand, onErase, onClose, nullptr, onMessage};

}  // namespace

int runSubMenu(const SubMenuFamily& family, WindowHandle owner) {
  DlgTemplate tmpl = app::templateFromRecord(record(family.section, family.rectKey), kDialogStyle, kDialogExStyle,
                                             app::Placement::kAsRecorded, getMainOutput());
  Dialog dialog{&family};
  return app::runDialog(tmpl, owner, app::dialogProc<kHooks>, reinterpret_cast<LParam>(&dialog));
}

namespace submenu_seam {
void setPageOpener(int (*open)(const SubMenuFamily&, int, WindowHandle)) { g_pageOpener = open; }
}  // namespace submenu_seam

}  // namespace menus
