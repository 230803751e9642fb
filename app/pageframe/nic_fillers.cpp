// The interface combo fillers of the network pages, their dialogs and the
// start-up pages: each row's text is the caption of its key in section
// "netset", its value the row's.
#include "app/nic_fillers.h"

#include "app/device_backend.h"
#include "app/device_ability.h"
#include "app/device_caps.h"
#include "app/msgbox.h"
#include "gui/combobox.h"
#include "gui/dialog.h"

namespace {

constexpr const char* kSection = "netset";

struct Row {
  const char* key;
  int value;
};

template <int N>
void fill(WindowHandle window, int comboId, const Row (&rows)[N], bool (*keep)(int value, int arg), int arg) {
  SendDlgItemMessage(window, comboId, CB_DELETEALL, 0, 0);
  for (const Row& row : rows) {
    if (keep && !keep(row.value, arg)) continue;
    const char* text = lookupText(kSection, row.key);
    if (text) SendDlgItemMessage(window, comboId, CB_ADDSTRING, static_cast<WParam>(row.value), reinterpret_cast<LParam>(text));
  }
}

}  // namespace

extern "C" {

void fillNetWorkModeCombo(WindowHandle window, int comboId) {
  static const Row kModes[] = {{"mode_failover", 0}, {"mode_balance", 1}, {"mode_alone", 2}};
  fill(window, comboId, kModes, [](int value, int) { return value == 2 || hasMultiNic() != 0; }, 0);
}

void fillNicCombo(WindowHandle window, int comboId) {
  static const Row kNics[] = {{"nic_eth0", 0}, {"nic_eth1", 1}};
  fill(window, comboId, kNics, [](int value, int) { return isNicPresent(value) != 0; }, 0);
}

void fillBondNicCombo(WindowHandle window, int comboId) {
  static const Row kBond[] = {{"nic_bond0", 0}};
  fill(window, comboId, kBond, nullptr, 0);
}

void fillNicSpeedCombo(WindowHandle window, int comboId, int nicIndex) {
  static const Row kSpeeds[] = {{"nettype10MB", 1},     {"nettype10MBALL", 2},  {"nettype100MT", 3},
                                {"nettype100MALL", 4}, {"nettype1000MALL", 5}, {"nettypeadapt", 6}};
  fill(window, comboId, kSpeeds, [](int value, int nic) { return isNicModeSupported(value, nic) != 0; }, nicIndex);
}

int savePoeAddress(WindowHandle window, int id, OutputLogin* login) {
  if (!hasPoe()) return 0;
  char text[NET_ADDRESS_TEXT_SIZE] = "";
  GetDlgItemText(window, id, text, sizeof text);
  text[sizeof text - 1] = '\0';
  NetAddress typed{};
  if (textToNetAddress(text[0] ? text : "0.0.0.0", &typed) < 0 || typed.ipv6 != 0) return NET_ERR_POE_INVALID;
  NetAddress stored{};
  if (getPoeAddress(login, &stored) == 0 && stored.ipv4 == typed.ipv4) return 0;
  return setPoeAddress(login, &typed);
}

}  // extern "C"
