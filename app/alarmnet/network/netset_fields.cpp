// Fields, combos and refusal reactions shared by the network tabs.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/alarmnet/network/netset.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_registry.h"
#include "gui/text_entry.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/desktop.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/edit.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace netset {
namespace {

constexpr uint32_t kComboStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST, kComboExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W | EDIT_CORNER_TOPRIGHT;
constexpr uint32_t kCheckStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX, kCheckExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W | EDIT_CORNER_BOTTOMRIGHT;
// No tab stops: the page's other controls have none, and Tab from a field
// could never come back to them.
constexpr uint32_t kEditStyle = WS_CHILD | WS_VISIBLE, kEditExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W | EDIT_CORNER_TOPRIGHT;
// The address edit's low bits choose its IPv4 form; it tells of typing, so
// that an address typed alone enables Apply.
constexpr uint32_t kIpv4EditStyle = kEditStyle | IPS_IPV4 | IPS_NOTIFY;
constexpr uint32_t kStaticStyle = WS_CHILD | WS_VISIBLE, kStaticExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr int kNumberChars = 128;
// The widest text field of the network records (a directory name).
constexpr size_t kFieldChars = 66;
constexpr int kRebootHint = 1;

}  // namespace

OutputLogin* login() { return getOutputLogin(getMainOutput()); }

WindowHandle create(WindowHandle page, const char* cls, const char* key, int id, int y, uint32_t extraStyle) {
  return createIn(page, kSection, cls, key, id, y, extraStyle);
}

WindowHandle createIn(WindowHandle page, const char* section, const char* cls, const char* key, int id, int y,
                      uint32_t extraStyle) {
  uint32_t style = kEditStyle, exStyle = kEditExStyle;
  if (std::strcmp(cls, "combobox") == 0) {
    style = kComboStyle;
    exStyle = kComboExStyle;
  } else if (std::strcmp(cls, "button") == 0) {
    style = kCheckStyle;
    exStyle = kCheckExStyle;
  } else if (std::strcmp(cls, "ipedit") == 0) {
    style = kIpv4EditStyle;
  } else if (std::strcmp(cls, "static") == 0) {
    style = kStaticStyle;
    exStyle = kStaticExStyle;
  }
  return pageframe::createFromKey(page, section, {cls, key, style | extraStyle, exStyle, id, true}, y);
}

int recordY(const char* key) {
  const CtrlResInfo* r = pageframe::record(kSection, key);
  return r ? r->y : 0;
}

int recordHeight(const char* key) {
  const CtrlResInfo* r = pageframe::record(kSection, key);
  return r ? r->h : 0;
}

void addressText(const NetAddress& address, char out[NET_ADDRESS_TEXT_SIZE]) {
  if (ipv4ToText(address.ipv4, out, NET_ADDRESS_TEXT_SIZE) == 0 && std::strcmp(out, "0.0.0.0") != 0) return;
  if (ipv6ToText(address.ipv6, out, NET_ADDRESS_TEXT_SIZE) == 0 && std::strcmp(out, "::") != 0) return;
  out[0] = '\0';
}

void showAddress(WindowHandle page, int id, const NetAddress& address) {
  char text[NET_ADDRESS_TEXT_SIZE];
  addressText(address, text);
  SetDlgItemText(page, id, text);
}

bool readAddress(WindowHandle page, int id, NetAddress* out) {
  char text[NET_ADDRESS_TEXT_SIZE];
  readText(page, id, text, sizeof text);
  return textToNetAddress(text[0] ? text : "0.0.0.0", out) >= 0;
}

void readText(WindowHandle page, int id, char* out, int size) {
  if (!out || size <= 0) return;
  out[0] = '\0';
  if (GetDlgItemText(page, id, out, size) < 0) out[0] = '\0';
  out[size - 1] = '\0';
}

long long readNumber(WindowHandle page, int id) {
  char text[kNumberChars + 1];
  readText(page, id, text, sizeof text);
  // strtoll saturates where atoi would wrap: a long text stays out of range.
  return std::strtoll(text, nullptr, 10);
}

void showNumber(WindowHandle page, int id, long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "%lld", value);
  SetDlgItemText(page, id, text);
}

bool readInRange(WindowHandle page, int id, int min, int max, uint16_t* out) {
  const long long value = readNumber(page, id);
  if (value < min || value > max) return false;
  *out = static_cast<uint16_t>(value);
  return true;
}

void limitText(WindowHandle page, int id, int limit) { SendDlgItemMessage(page, id, EM_LIMITTEXT, limit, 0); }

void showField(WindowHandle page, int id, const char* field, size_t size) {
  char text[kFieldChars + 1] = "";
  const size_t n = field ? strnlen(field, std::min(size, kFieldChars)) : 0;
  std::memcpy(text, field, n);
  text[n] = '\0';
  SetDlgItemText(page, id, text);
}

void readField(WindowHandle page, int id, char* field, size_t size) {
  if (!field || size == 0) return;
  char text[kFieldChars + 1];
  readText(page, id, text, sizeof text);
  // Zero padded; a text of the field's full size stays unterminated, as
  // the record holds it.
  const size_t width = std::min(size, kFieldChars);
  std::memset(field, 0, width);
  std::memcpy(field, text, strnlen(text, width));
}

bool fieldsDiffer(const char* a, const char* b, size_t size) { return std::strncmp(a, b, size) != 0; }

int saveAndOfferReboot(WindowHandle page, const NetConfig& net, bool (*rebootNow)(WindowHandle page)) {
  if (const int rc = setNetConfig(login(), &net, 1)) return rc;
  const bool now = rebootNow(page);
  SetPowerKeyDownFlag(0);
  if (!now) return 0;
  // What was written stays for the next start; a refused reboot is told.
  if (const int rc = rebootDevice(login())) return reportSaveFailed(page, rc);
  const WindowHandle menu = getSystemMenuWnd();
  EnableWindow(menu, FALSE);
  openShutdownHint(page, kRebootHint);
  EnableWindow(menu, TRUE);
  return 0;
}

const CodeRow* findRow(const CodeRow* rows, int count, int code) {
  for (int i = 0; rows && i < count; ++i)
    if (rows[i].code == code) return &rows[i];
  return nullptr;
}

void reportCode(WindowHandle page, const CodeRow* rows, int count, int code) {
  const CodeRow* row = findRow(rows, count, code);
  if (!row) {
    showMsgBoxNum(page, "commons", "savefailed_code", code);
    return;
  }
  switch (row->reaction) {
    case Reaction::Nothing: return;
    case Reaction::Box: showMsgBox(page, kSection, row->key, row->style); break;
    case Reaction::Hint: showValidWantedHint(page, kSection, row->key); break;
    case Reaction::Range: showRangeHint(page, kSection, row->key, row->style, row->max); break;
    case Reaction::CommonsBox: showMsgBox(page, "commons", row->key, row->style); break;
    case Reaction::NameHint: showNameHint(page, kSection, row->key); break;
  }
  if (row->focus != 0) SetFocusChild(GetDlgItem(page, row->focus));
}

pageframe::PageHooks tabHooks(void (*init)(WindowHandle), void (*command)(WindowHandle, int, int),
                              int (*save)(WindowHandle), void (*report)(WindowHandle, int)) {
  return {init, [](WindowHandle p, WParam w, LParam l) { eraseBkgndGrey50(p, w, l); }, command, save, report,
          closeSystemMenu};
}

}  // namespace netset
