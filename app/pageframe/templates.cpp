// Templates, controls and the property sheet of a page, each from the
// records of its layout section.
#include <string>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/page_building.h"
#include "gui/button.h"
#include "gui/display.h"
#include "gui/nonclient.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace pageframe {
namespace {

constexpr uint32_t kPageStyle = WS_VISIBLE;
constexpr uint32_t kPageExStyle = WS_EX_NOCLOSEBOX | WS_EX_PLACE_MASK;
constexpr uint32_t kDialogStyle = WS_VISIBLE | WS_CAPTION | WS_CAPTION_EXTRA | WS_BORDER;
constexpr uint32_t kDialogExStyle = WS_EX_NOCLOSEBOX;
constexpr uint32_t kSheetStyle = WS_VISIBLE | PSS_SCROLLABLE;
constexpr uint32_t kSheetExStyle = WS_EX_PLACE_MASK;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kButtonExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr int kBottomOffset = 40;

bool isWindow(WindowHandle hwnd) { return IsValidHandle(hwnd); }

const CtrlResInfo* winRecord(const char* section) {
  return record(section, (std::string("win_") + section).c_str());
}

void addPage(WindowHandle window, WindowHandle sheet, const char* section, const SheetPage& page) {
  const CtrlResInfo* r = record(section, (std::string("tab_") + section + "_" + page.page).c_str());
  if ((!r && !page.keptWithoutRecord) || (page.available && !page.available())) return;
  DlgTemplate tmpl{};
  tmpl.caption = r && r->caption ? r->caption : "";
  tmpl.dwAddData = static_cast<LParam>(window);
  SendMessage(sheet, PSM_ADDPAGE, reinterpret_cast<WParam>(&tmpl), reinterpret_cast<LParam>(page.proc));
}

// Caption and size from the record `r` (and its place when `placed`); a
// missing record leaves an empty caption and zeros.
DlgTemplate fromRecord(const CtrlResInfo* r, uint32_t style, uint32_t exStyle, bool placed) {
  DlgTemplate tmpl{};
  tmpl.dwStyle = style;
  tmpl.dwExStyle = exStyle;
  tmpl.caption = "";
  if (r) {
    tmpl.caption = r->caption ? r->caption : "";
    if (placed) {
      tmpl.x = r->x;
      tmpl.y = r->y;
    }
    tmpl.w = r->w;
    tmpl.h = r->h;
  }
  return tmpl;
}

}  // namespace

const CtrlResInfo* record(const char* section, const char* key) {
  CtrlResInfo* r = nullptr;
  if (!section || !key || !GetCtrlResInfo(section, key, &r)) return nullptr;
  return r;
}

DlgTemplate pageTemplate(const char* section) {
  return fromRecord(winRecord(section), kPageStyle, kPageExStyle, true);
}

DlgTemplate dialogTemplate(const char* section) { return dialogTemplate(section, nullptr, getCurOutput()); }

DlgTemplate dialogTemplate(const char* section, const char* key, int output) {
  DlgTemplate tmpl =
      fromRecord(key ? record(section, key) : winRecord(section), kDialogStyle, kDialogExStyle, false);
  // In 64 bits: a hostile record size must not wrap the centring.
  tmpl.x = static_cast<int32_t>((static_cast<int64_t>(getScreenWidth(output)) - tmpl.w) / 2);
  tmpl.y = static_cast<int32_t>((static_cast<int64_t>(getScreenHeight(output)) - tmpl.h) / 2);
  return tmpl;
}

WindowHandle openPage(const char* section, WindowHandle host, WindowProc proc) {
  const DlgTemplate tmpl = pageTemplate(section);
  return CreateMainWindowIndirectParam(&tmpl, host, proc, 0);
}

int openWindow(const char* section, WindowHandle host, WindowProc proc) {
  return IsValidHandle(openPage(section, host, proc)) ? 0 : -1;
}

int runDialog(const char* section, WindowHandle parent, WindowProc proc) {
  return runDialog(dialogTemplate(section), parent, proc);
}

WindowHandle createFromKey(WindowHandle window, const char* section, const Control& c, int y, LParam data) {
  const CtrlResInfo* r = record(section, c.key);
  if (!r) return 0;
  const char* caption = r->caption ? r->caption : "";
  const int top = y >= 0 ? y : r->y;
  if (c.labelled)
    return createLabeledCtrl(c.cls, caption, c.style, c.exStyle, c.id, r->x, top, r->w, r->h, window, data);
  return CreateWindowEx(c.cls, caption, c.style, c.exStyle, c.id, r->x, top, r->w, r->h, window, data);
}

int createControls(WindowHandle window, const char* section, const Control* controls, int count) {
  int made = 0;
  for (int i = 0; controls && i < count; ++i)
    if (isWindow(createFromKey(window, section, controls[i]))) ++made;
  return made;
}

int bottomRow(WindowHandle window) {
  Rect client{};
  GetClientRect(window, &client);
  return client.bottom - kBottomOffset;
}

void createBottomButtons(WindowHandle window, const char* section, const char* applyKey, const char* secondKey,
                         int secondId) {
  const int y = bottomRow(window);
  createFromKey(window, section, {"button", applyKey, kButtonStyle | WS_DISABLED, kButtonExStyle, PAGE_ID_APPLY, false},
                y);
  createFromKey(window, section, {"button", secondKey, kButtonStyle, kButtonExStyle, secondId, false}, y);
}

WindowHandle buildSheet(WindowHandle window, const char* section, const SheetPage* pages, int count) {
  const CtrlResInfo* r = record(section, (std::string("tab_") + section).c_str());
  if (!r) return 0;
  const WindowHandle sheet =
      CreateWindowEx("propsheet", "", kSheetStyle, kSheetExStyle, PAGE_ID_SHEET, r->x, r->y, r->w, r->h, window, 0);
  if (!isWindow(sheet)) return 0;
  for (int i = 0; pages && i < count; ++i) addPage(window, sheet, section, pages[i]);
  SendMessage(sheet, PSM_SETACTIVEINDEX, 0, 0);
  return sheet;
}

bool applyOtherPages(WindowHandle page) {
  const WindowHandle sheet = GetParent(page);
  const LResult count = SendMessage(sheet, PSM_GETPAGECOUNT, 0, 0);
  for (LResult i = 0; i < count; ++i) {
    const WindowHandle other = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, static_cast<WParam>(i), 0));
    if (other == page || !isWindow(other)) continue;
    const WindowHandle apply = GetDlgItem(other, PAGE_ID_APPLY);
    if (!isWindow(apply) || !IsWindowEnabled(apply)) continue;
    SendMessage(other, MSG_COMMAND, PAGE_ID_APPLY, 0);
    if (IsWindowEnabled(apply)) {
      SendMessage(sheet, PSM_SETACTIVEINDEX, static_cast<WParam>(i), 0);
      return false;
    }
  }
  return true;
}

}  // namespace pageframe
