// The log detail: one entry of the last search field by field, stepping to
// the previous and next entry; disk entries show their S.M.A.R.T. values.
#include "app/smart_list.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/system/logs/log_detail_texts.h"
#include "app/system/logs/log_pages.h"
#include "app/system/logs/log_tables.h"
#include "app/msgbox.h"
#include "app/result_paging.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/scrollwnd.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace logs {
namespace {

constexpr const char* kDetail = "logdetail";
constexpr int kTimeId = 20848, kTypeId = 20849, kUserId = 20850, kHostId = 20851, kParamId = 20852, kObjectId = 20853;
constexpr int kTitleId = 20854, kScrollId = 20855, kSmartId = 20856, kTextId = 20857;
constexpr int kOkId = IDCANCEL;
constexpr uint32_t kValueStyle = WS_CHILD | WS_VISIBLE | SS_EDITFRAME;
constexpr uint32_t kWideValueStyle = kValueStyle | SS_NOTIFY | SS_ELLIPSIS;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE, kPlacedEx = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr uint32_t kHiddenListStyle = WS_CHILD | WS_BORDER | WS_VSCROLL | LVS_TREE | LVS_NOTIFY_ON_RELEASE;
constexpr uint32_t kHiddenScrollStyle = WS_CHILD | WS_BORDER | WS_VSCROLL;

// The entry shown (1-based); the dialog is modal, so one at a time.
int g_index = 1;

int count() { return getLogCount(); }

void setText(WindowHandle dialog, int id, const std::string& text) {
  SendDlgItemMessage(dialog, id, MSG_SETTEXT, 0, reinterpret_cast<LParam>(text.c_str()));
}

void setLabel(WindowHandle dialog, int id, const char* key) {
  const char* text = lookupText(kDetail, key);
  setText(dialog, id + PAGE_LABEL_OFFSET, text ? text : "");
}

void show(WindowHandle dialog, int id, bool visible) { ShowWindow(GetDlgItem(dialog, id), visible ? SW_SHOW : SW_HIDE); }

void enable(WindowHandle dialog, int id, bool on) { EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE); }

void showDescription(WindowHandle dialog, const LogRecord& r) {
  const WindowHandle scroll = GetDlgItem(dialog, kScrollId);
  const CtrlResInfo* area = pageframe::record(kDetail, "detail");
  const WindowHandle text = static_cast<WindowHandle>(SendMessage(scroll, SVM_GETCTRL, kTextId, 0));
  if (!area || !IsValidHandle(text)) return;
  SendMessage(scroll, SVM_SETCONTPOS, 0, 0);
  const TextSize size = descriptionSize(r, area->w, area->h, IsLowResDisplay(getCurOutput()) != 0);
  MoveWindow(text, 0, 0, size.w, size.h, TRUE);
  SendMessage(scroll, SVM_SETCONTRANGE, static_cast<WParam>(size.w), static_cast<LParam>(size.h));
  SetWindowText(text, descriptionText(r).c_str());
}

void showEntry(WindowHandle dialog) {
  LogRecord r{};
  getLogRecord(&r, getLogSearchState(), g_index, 0);
  const DetailRows rows = detailRows(r, getCurOutput(), deviceLogCaps().pictureCapture);
  setText(dialog, kTimeId, rows.time);
  setText(dialog, kTypeId, rows.type);
  setLabel(dialog, kUserId, rows.userLabel);
  setText(dialog, kUserId, rows.user);
  setLabel(dialog, kHostId, rows.hostLabel);
  setText(dialog, kHostId, rows.host);
  setLabel(dialog, kParamId, rows.paramLabel);
  setText(dialog, kParamId, rows.param);
  setLabel(dialog, kObjectId, rows.objectLabel);
  setText(dialog, kObjectId, rows.object);
  const bool disk = isDiskInfoKind(r.infoKind);
  show(dialog, kScrollId, !disk);
  show(dialog, kSmartId, disk);
  if (disk)
    fillSmartAttrList(GetDlgItem(dialog, kSmartId), &diskInfoBlock().smart.values);
  else
    showDescription(dialog, r);
}

void createScroll(WindowHandle dialog) {
  const CtrlResInfo* r = pageframe::record(kDetail, "detail");
  if (!r) return;
  CtrlData text{"static", WS_CHILD | WS_VISIBLE, 0, 0, r->w - 20, r->h, kTextId, "", 0, 0};
  ContainerInfo setup{nullptr, 1, &text, 0};
  CreateWindowEx("scrollwnd", "", kHiddenScrollStyle, 0, kScrollId, r->x, r->y, r->w, r->h, dialog,
                 reinterpret_cast<LParam>(&setup));
}

void createControls(WindowHandle dialog) {
  const pageframe::Control rows[] = {
      {"static", "recordtime", kValueStyle, 0, kTimeId, true},   {"static", "detailtype", kWideValueStyle, 0, kTypeId, true},
      {"static", "localuser", kValueStyle, 0, kUserId, true},    {"static", "hostip", kValueStyle, 0, kHostId, true},
      {"static", "paratype", kWideValueStyle, 0, kParamId, true}, {"static", "camno", kValueStyle, 0, kObjectId, true},
      {"static", "description", WS_CHILD | WS_VISIBLE, 0, kTitleId, false},
      {"ListView", "smartlist", kHiddenListStyle, 0, kSmartId, false}};
  pageframe::createControls(dialog, kDetail, rows, sizeof rows / sizeof rows[0]);
  addSmartAttrColumns(dialog, kSmartId);
  createScroll(dialog);
  const int y = pageframe::bottomRow(dialog);
  pageframe::createFromKey(dialog, kDetail, {"button", "preinfo", kButtonStyle | WS_DISABLED, kPlacedEx, PAGE_ID_PREVIOUS, false}, y);
  pageframe::createFromKey(dialog, kDetail, {"button", "nextinfo", kButtonStyle | WS_DISABLED, kPlacedEx, PAGE_ID_NEXT, false}, y);
  pageframe::createFromKey(dialog, kDetail, {"button", "ok", kButtonStyle, kPlacedEx, kOkId, false}, y);
}

void init(WindowHandle dialog) {
  createControls(dialog);
  g_index = getSelectedResultRow() + 1;
  enable(dialog, PAGE_ID_PREVIOUS, g_index != 1);
  enable(dialog, PAGE_ID_NEXT, g_index != count());
  showEntry(dialog);
  SetFocusChild(GetDlgItem(dialog, kOkId));
}

void step(WindowHandle dialog, int by) {
  const int next = g_index + by;
  if (next < 1 || next > count()) return;
  g_index = next;
  showEntry(dialog);
  enable(dialog, PAGE_ID_PREVIOUS, g_index != 1);
  enable(dialog, PAGE_ID_NEXT, g_index != count());
}

void command(WindowHandle dialog, int id, int) {
  switch (id) {
    case kOkId: SendMessage(dialog, MSG_CLOSE, 0, 0); return;
    case PAGE_ID_NEXT: step(dialog, 1); return;
    case PAGE_ID_PREVIOUS: step(dialog, -1); return;
    default: return;
  }
}

// The keys do not reach the dialog: only its buttons move or close it.
bool other(WindowHandle, int message, WParam, LParam, LResult*) { return message == MSG_KEYDOWN; }

const pageframe::DialogHooks kHooks{init, pageframe::takesAll<command>, nullptr, nullptr, nullptr, other};

}  // namespace

int showLogDetailDialog(WindowHandle owner) { return pageframe::runDialog(kDetail, owner, pageframe::dialogProc<kHooks>); }

}  // namespace logs
