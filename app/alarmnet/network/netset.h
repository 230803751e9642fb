// What the tabs of the network settings window share: the section, the
// address and number fields, combo selection by value and the reaction
// tables that turn a refusal code into a box or hint with its focus.
#pragma once

#include "app/device_backend.h"
#include "app/device_records.h"
#include "app/page_building.h"
#include "gui/combobox.h"
#include "gui/common.h"
#include "gui/edit.h"
#include "gui/text_entry.h"

namespace netset {

constexpr const char* kSection = "netset";
constexpr int kLabelOffset = PAGE_LABEL_OFFSET;
// Limits of the text fields.
constexpr int kAddressLimit = 64, kPortLimit = 5, kMtuLimit = 4;

OutputLogin* login();

// Labelled controls of the section; `y` >= 0 places the control there;
// `extraStyle` joins the class's style (a masked edit).
WindowHandle create(WindowHandle page, const char* cls, const char* key, int id, int y = -1, uint32_t extraStyle = 0);
// The same from another layout section.
WindowHandle createIn(WindowHandle page, const char* section, const char* cls, const char* key, int id, int y = -1,
                      uint32_t extraStyle = 0);
// The y of a layout record (0 when missing) and its height.
int recordY(const char* key);
int recordHeight(const char* key);

// An address record as the pages show it: the IPv4 text unless it is
// "0.0.0.0", else the IPv6 text unless it is "::", else empty.
void addressText(const NetAddress& address, char out[NET_ADDRESS_TEXT_SIZE]);
void showAddress(WindowHandle page, int id, const NetAddress& address);
// The field's text into a record; an empty field counts as "0.0.0.0".
// False when the text is no address.
bool readAddress(WindowHandle page, int id, NetAddress* out);

// Bounded reads of a field: at most size - 1 characters, always ended.
void readText(WindowHandle page, int id, char* out, int size);
// The field's number (the first 128 characters read as `atoi` does), in
// 64 bits so that no text wraps into range.
long long readNumber(WindowHandle page, int id);
void showNumber(WindowHandle page, int id, long long value);
// The field's number (a port, an interval) when it lies in min..max, at
// most 65535; false otherwise.
bool readInRange(WindowHandle page, int id, int min, int max, uint16_t* out);
void limitText(WindowHandle page, int id, int limit);

// A record's text field of `size` bytes, full or ended: shown and read
// back without relying on a terminator (a full field stays unterminated).
void showField(WindowHandle page, int id, const char* field, size_t size);
void readField(WindowHandle page, int id, char* field, size_t size);
// The two fields' first `size` characters differ.
bool fieldsDiffer(const char* a, const char* b, size_t size);

// A change that takes effect at the next start: the record is saved first,
// then `rebootNow` asks whether that start comes now (No keeps the change
// for later); Yes reboots and shows the reboot hint over `page` with the
// system menu disabled. The power-key flag is cleared; the save's code.
int saveAndOfferReboot(WindowHandle page, const NetConfig& net, bool (*rebootNow)(WindowHandle page));


// How a page answers a refusal code.
// CommonsBox shows a box of section "commons"; NameHint names a field
// holding a character names refuse.
enum class Reaction { Nothing, Box, Hint, Range, CommonsBox, NameHint };
struct CodeRow {
  int code;
  Reaction reaction;
  const char* key;
  int style;  // box style, or the range's minimum
  int max;    // the range's maximum
  int focus;  // control that takes the focus, 0 for none
};
// The row of `code`, or null: the caller then shows ("commons",
// "savefailed_code") with the code.
const CodeRow* findRow(const CodeRow* rows, int count, int code);
void reportCode(WindowHandle page, const CodeRow* rows, int count, int code);
// The fields an interface's address refusals give the focus to.
struct AddressFields {
  int ipv4, mask, gateway, preDns, altDns;
};
// Shows a refusal of the IPv4 address, mask, gateway or DNS servers (or
// nothing for the quiet success); false for any other code.
bool reportAddressCode(WindowHandle page, const AddressFields& fields, int code);

// The hooks of a tab: grey background, Exit closes the system menu.
pageframe::PageHooks tabHooks(void (*init)(WindowHandle), void (*command)(WindowHandle, int, int),
                              int (*save)(WindowHandle), void (*report)(WindowHandle, int));

// The sheet's pages.
LResult basePageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult pppoePageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult ddnsPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult ntpPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult emailPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult ftpPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult snmpPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult hostPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);

}  // namespace netset
