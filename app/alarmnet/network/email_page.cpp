// The e-mail tab: SMTP account and server, sender, three receivers kept in
// a cache while the tab is open, picture attachment and a test mail.
#include <cstdio>
#include <cstring>

#include "app/alarmnet/network/netset.h"
#include "app/control_services.h"
#include "app/formatting.h"
#include "app/msgbox.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/edit.h"
#include "gui/window.h"

namespace netset {
namespace {

enum : int {
  kAuth = 20346, kUser, kPassword, kServer, kPort, kSsl, kSenderName, kSenderAddr, kReceiver, kReceiverName,
  kReceiverAddr, kAttach, kInterval, kTest
};
constexpr int kNameChars = 32, kAddressChars = 64, kPortMax = 65535;
constexpr int kPresetPort = 465, kPlainPort = 25;
constexpr int kTestMailSilent = -2;

struct EmailState {
  EmailReceiver receivers[EMAIL_RECEIVERS];
  int shown;
};
EmailState g;

const CodeRow kErrors[] = {
    {NET_ERR_SENDER_ADDR, Reaction::Hint, "sendaddr", 0, 0, kSenderAddr},
    {NET_ERR_RECEIVER_ADDR, Reaction::Hint, "recaddr", 0, 0, kReceiverAddr},
    {NET_ERR_SMTP_PORT, Reaction::Range, "smtpport", 1, kPortMax, kPort},
};
constexpr int kErrorCount = static_cast<int>(sizeof kErrors / sizeof kErrors[0]);

// A record's text field as a terminated text.
template <size_t N>
void terminated(const char (&field)[N], char (&out)[N + 1]) {
  const size_t n = strnlen(field, N);
  std::memcpy(out, field, n);
  out[n] = '\0';
}

void createControls(WindowHandle page) {
  create(page, "button", "encomfirm", kAuth);
  create(page, "sledit", "emailuser", kUser);
  create(page, "sledit", "emailpasswd", kPassword, -1, ES_PASSWORD);
  create(page, "sledit", "smtpserver", kServer);
  create(page, "sledit", "smtpport", kPort);
  create(page, "button", "ssl", kSsl);
  create(page, "sledit", "senduser", kSenderName);
  create(page, "sledit", "sendaddr", kSenderAddr);
  create(page, "combobox", "recselect", kReceiver);
  create(page, "sledit", "recuser", kReceiverName);
  create(page, "sledit", "recaddr", kReceiverAddr);
  create(page, "button", "attach", kAttach);
  create(page, "combobox", "imageinterval", kInterval);
  pageframe::createFromKey(page, kSection,
                           {"button", "email_test", WS_CHILD | WS_VISIBLE | BS_AUTOSIZE, WS_EX_PLACE_X | WS_EX_PLACE_W,
                            kTest, false},
                           pageframe::bottomRow(page));
  pageframe::createBottomButtons(page, kSection, "email_apply", "email_close", PAGE_ID_EXIT);
}

void fillReceivers(WindowHandle page) {
  SendDlgItemMessage(page, kReceiver, CB_DELETEALL, 0, 0);
  const char* caption = lookupText(kSection, "receiver");
  for (int n = 0; n < EMAIL_RECEIVERS; ++n) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %d", caption ? caption : "", n + 1);
    SendDlgItemMessage(page, kReceiver, CB_ADDSTRING, static_cast<WParam>(n), reinterpret_cast<LParam>(text));
  }
}

void fillIntervals(WindowHandle page) {
  static const char* const kKeys[] = {"capture_interval_2", "capture_interval_3", "capture_interval_4",
                                      "capture_interval_5"};
  SendDlgItemMessage(page, kInterval, CB_DELETEALL, 0, 0);
  for (int i = 0; i < 4; ++i)
    if (const char* text = lookupText(kSection, kKeys[i]))
      SendDlgItemMessage(page, kInterval, CB_ADDSTRING, static_cast<WParam>(i + 2), reinterpret_cast<LParam>(text));
}

void showReceiver(WindowHandle page) {
  const EmailReceiver& r = g.receivers[g.shown];
  showField(page, kReceiverName, r.name, sizeof r.name);
  showField(page, kReceiverAddr, r.address, sizeof r.address);
}

void init(WindowHandle page) {
  EmailConfig mail{};
  getEmailConfig(login(), &mail);
  std::memcpy(g.receivers, mail.receivers, sizeof g.receivers);
  g.shown = 0;
  createControls(page);
  getEmailConfig(login(), &mail);
  setChecked(page, kAuth, mail.authentication != 0);
  limitText(page, kUser, kNameChars);
  showField(page, kUser, mail.user, sizeof mail.user);
  limitText(page, kPassword, kNameChars);
  showField(page, kPassword, mail.password, sizeof mail.password);
  enableLabeledCtrl(page, kUser, mail.authentication != 0);
  enableLabeledCtrl(page, kPassword, mail.authentication != 0);
  limitText(page, kServer, kAddressChars);
  showField(page, kServer, mail.smtpServer, sizeof mail.smtpServer);
  limitText(page, kPort, kPortLimit);
  showNumber(page, kPort, mail.smtpPort);
  setChecked(page, kSsl, mail.ssl != 0);
  limitText(page, kSenderName, kNameChars);
  showField(page, kSenderName, mail.senderName, sizeof mail.senderName);
  limitText(page, kSenderAddr, kAddressChars);
  showField(page, kSenderAddr, mail.senderAddress, sizeof mail.senderAddress);
  fillReceivers(page);
  selectComboValue(page, kReceiver, 0);
  limitText(page, kReceiverName, kNameChars);
  limitText(page, kReceiverAddr, kAddressChars);
  showReceiver(page);
  setChecked(page, kAttach, mail.attachPicture != 0);
  fillIntervals(page);
  selectComboValue(page, kInterval, mail.pictureInterval);
  enableLabeledCtrl(page, kInterval, mail.attachPicture != 0);
}

void keepReceiver(WindowHandle page) {
  EmailReceiver& r = g.receivers[g.shown];
  readField(page, kReceiverName, r.name, sizeof r.name);
  readField(page, kReceiverAddr, r.address, sizeof r.address);
}

void changeReceiver(WindowHandle page) {
  const int chosen = comboValue(page, kReceiver);
  if (chosen == g.shown) return;
  keepReceiver(page);
  char address[sizeof g.receivers[0].address + 1];
  terminated(g.receivers[g.shown].address, address);
  // An empty address never blocks the switch.
  const bool refused = address[0] != '\0' && !isValidEmailAddr(address);
  if (refused || chosen < 0 || chosen >= EMAIL_RECEIVERS) {
    if (refused) reportCode(page, kErrors, kErrorCount, NET_ERR_RECEIVER_ADDR);
    selectComboValue(page, kReceiver, g.shown);
    return;
  }
  g.shown = chosen;
  showReceiver(page);
  enableApply(page, 0, 0);
}

// A change to or from the preset server brings its port and SSL setting;
// the user is told when the record did not have them.
void presetServerRule(WindowHandle page, EmailConfig* mail, const char (&stored)[sizeof mail->smtpServer + 1]) {
  char now[sizeof mail->smtpServer + 1], before[sizeof mail->smtpServer + 1];
  terminated(mail->smtpServer, now);
  std::memcpy(before, stored, sizeof before);
  const bool nowPreset = isPresetSmtpServer(now) != 0, beforePreset = isPresetSmtpServer(before) != 0;
  // The name is saved as the check lower-cased it.
  std::memset(mail->smtpServer, 0, sizeof mail->smtpServer);
  std::memcpy(mail->smtpServer, now, strnlen(now, sizeof mail->smtpServer));
  if (std::strcmp(now, before) == 0 || nowPreset == beforePreset) return;
  const int port = nowPreset ? kPresetPort : kPlainPort;
  const uint8_t ssl = nowPreset ? 1 : 0;
  if (mail->smtpPort == port && mail->ssl == ssl) return;
  mail->smtpPort = port;
  mail->ssl = ssl;
  showMsgBox(page, kSection, "smtp_port_ssl", MSGBOX_WARNING);
  showNumber(page, kPort, port);
  setChecked(page, kSsl, ssl != 0);
}

int save(WindowHandle page) {
  EmailConfig mail{};
  if (int rc = getEmailConfig(login(), &mail)) return rc;
  char stored[sizeof mail.smtpServer + 1];
  terminated(mail.smtpServer, stored);
  std::memcpy(mail.receivers, g.receivers, sizeof mail.receivers);
  mail.authentication = isChecked(page, kAuth) ? 1 : 0;
  if (mail.authentication) {
    readField(page, kUser, mail.user, sizeof mail.user);
    readField(page, kPassword, mail.password, sizeof mail.password);
  }
  readField(page, kServer, mail.smtpServer, sizeof mail.smtpServer);
  const long long port = readNumber(page, kPort);
  if (port < 1 || port > kPortMax) return NET_ERR_SMTP_PORT;
  mail.smtpPort = static_cast<int32_t>(port);
  mail.ssl = isChecked(page, kSsl) ? 1 : 0;
  readField(page, kSenderName, mail.senderName, sizeof mail.senderName);
  readField(page, kSenderAddr, mail.senderAddress, sizeof mail.senderAddress);
  keepReceiver(page);
  mail.receivers[g.shown] = g.receivers[g.shown];
  mail.attachPicture = isChecked(page, kAttach) ? 1 : 0;
  const int interval = comboValue(page, kInterval);
  if (interval >= 0) mail.pictureInterval = static_cast<uint8_t>(interval);
  presetServerRule(page, &mail, stored);
  int rc = setEmailConfig(login(), &mail, 1);
  if (rc == 0) rc = applyNetConfig(login());
  return rc;
}

void testMail(WindowHandle page) {
  SetPowerKeyDownFlag(1);
  const int rc = sendTestMail(login());
  if (rc == 0) showMsgBox(page, kSection, "sendsuccess", MSGBOX_INFO);
  else if (rc != kTestMailSilent) showMsgBox(page, kSection, "sendfail", MSGBOX_INFO);
  SetPowerKeyDownFlag(0);
}

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case kAuth:
      enableLabeledCtrl(page, kUser, isChecked(page, kAuth));
      enableLabeledCtrl(page, kPassword, isChecked(page, kAuth));
      enableApply(page, 0, 0);
      break;
    case kAttach:
      enableLabeledCtrl(page, kInterval, isChecked(page, kAttach));
      enableApply(page, 0, 0);
      break;
    case kSsl: enableApply(page, 0, 0); break;
    case kReceiver:
      if (code == CBN_SELCHANGE) changeReceiver(page);
      break;
    case kInterval:
      if (code == CBN_SELCHANGE) enableApply(page, 0, 0);
      break;
    case kTest: testMail(page); break;
    case kUser: case kPassword: case kServer: case kPort: case kSenderName: case kSenderAddr: case kReceiverName:
    case kReceiverAddr:
      if (code == EN_UPDATE) enableApply(page, 0, 0);
      break;
    default: break;
  }
}

void report(WindowHandle page, int code) { reportCode(page, kErrors, kErrorCount, code); }

}  // namespace

LResult emailPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks = tabHooks(init, command, save, report);
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace netset
