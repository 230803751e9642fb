// Network services: NTP and DDNS, e-mail, FTP upload servers and SNMP.
#include <cstring>
#include <string>

#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/formatting.h"

using devsim::Kind;

namespace {

// The FTP protocols and their ports; a fresh server takes the first.
constexpr uint8_t kFtpProtocol = 1, kSftpProtocol = 2;
constexpr int kFtpPort = 21, kSftpPort = 22;

bool validPort(int port) { return port >= 1 && port <= 65535; }

// A copy that ends in a zero byte, for the text checks.
std::string fieldText(const char* field, size_t size) {
  return std::string(field, devsim::fieldLength(field, size));
}

int checkNetAdv(const NetAdvConfig& adv) {
  if (!adv.ntpEnabled) return 0;
  if (adv.ntpInterval < 1 || adv.ntpInterval > 10080) return NET_ERR_NTP_INTERVAL;
  return validPort(adv.ntpPort) ? 0 : NET_ERR_NTP_PORT;
}

bool validMail(const char* field, size_t size) {
  return isValidEmailAddr(fieldText(field, size).c_str()) != 0;
}

int checkEmail(const EmailConfig& mail) {
  if (!validMail(mail.senderAddress, sizeof mail.senderAddress)) return NET_ERR_SENDER_ADDR;
  for (const EmailReceiver& r : mail.receivers)
    if (!validMail(r.address, sizeof r.address)) return NET_ERR_RECEIVER_ADDR;
  return validPort(mail.smtpPort) ? 0 : NET_ERR_SMTP_PORT;
}

// A custom directory name must be given and be a valid name.
int checkDirName(const char* field, size_t size, int emptyCode, int badCode) {
  const std::string name = fieldText(field, size);
  if (name.empty()) return emptyCode;
  return hasInvalidNameChar(name.c_str(), static_cast<int>(name.size())) ? badCode : 0;
}

int checkFtp(const FtpConfig& ftp) {
  if (!ftp.enabled) return 0;
  if (!validPort(ftp.port)) return NET_ERR_FTP_PORT;
  if (ftp.dirStructure >= 1 && ftp.firstKind == FTP_FIRST_CUSTOM)
    if (int code = checkDirName(ftp.firstName, sizeof ftp.firstName, NET_ERR_FTP_FIRST_EMPTY,
                                NET_ERR_FTP_FIRST_NAME))
      return code;
  if (ftp.dirStructure >= 2 && ftp.secondKind == FTP_SECOND_CUSTOM)
    return checkDirName(ftp.secondName, sizeof ftp.secondName, NET_ERR_FTP_SECOND_EMPTY,
                        NET_ERR_FTP_SECOND_NAME);
  return 0;
}

bool validFtpServer(int server) { return server >= 1 && server <= getFtpServerNum(); }

// The agent's port may not be one the device's other services listen on.
int checkSnmp(const SnmpConfig& snmp) {
  if (!snmp.enabled) return 0;
  if (!validPort(snmp.port)) return NET_ERR_SNMP_PORT;
  if (!validPort(snmp.trapPort)) return NET_ERR_TRAP_PORT;
  NetConfig net;
  getNetConfig(nullptr, &net);
  for (int port : {int{net.interfaces[0].servicePort}, int{net.httpPort}, int{net.rtspPort}})
    if (port == snmp.port) return NET_ERR_PORT_CLASH;
  return 0;
}

}  // namespace

extern "C" {

int getNetAdvConfig(OutputLogin*, NetAdvConfig* out) {
  DEVICE_ENTER(getNetAdvConfig, out, sizeof *out);
  // Defaults each tab accepts as they come: an hourly update on NTP's port.
  return devsim::answerKept(Kind::NetAdvConfig, 0, out, [](NetAdvConfig& r) {
    zeroFill(&r, sizeof r);
    r.ntpInterval = 60;
    r.ntpPort = 123;
  });
}

int setNetAdvConfig(OutputLogin*, const NetAdvConfig* in, int) {
  DEVICE_ENTER(setNetAdvConfig, nullptr, 0, in ? in->ntpEnabled : -1, in ? in->ddnsEnabled : -1);
  return devsim::keepChecked(Kind::NetAdvConfig, 0, in, checkNetAdv);
}

int getEmailConfig(OutputLogin*, EmailConfig* out) {
  DEVICE_ENTER(getEmailConfig, out, sizeof *out);
  return devsim::answerKept(Kind::EmailConfig, 0, out, [](EmailConfig& r) {
    zeroFill(&r, sizeof r);
    r.smtpPort = 25;
  });
}

int setEmailConfig(OutputLogin*, const EmailConfig* in, int) {
  DEVICE_ENTER(setEmailConfig, nullptr, 0, in ? in->smtpPort : -1);
  return devsim::keepChecked(Kind::EmailConfig, 0, in, checkEmail);
}

int sendTestMail(OutputLogin*) {
  DEVICE_ENTER(sendTestMail, nullptr, 0);
  return 0;
}

int getFtpConfig(OutputLogin*, int server, FtpConfig* out) {
  DEVICE_ENTER(getFtpConfig, out, sizeof *out, server);
  if (!validFtpServer(server)) return -1;
  return devsim::answerKept(Kind::FtpConfig, server, out, [](FtpConfig& r) {
    zeroFill(&r, sizeof r);
    r.protocol = kFtpProtocol;
    r.port = kFtpPort;
  });
}

int checkFtpConfig(OutputLogin*, int server, const FtpConfig* in) {
  DEVICE_ENTER(checkFtpConfig, nullptr, 0, server);
  if (!in || !validFtpServer(server)) return -1;
  return checkFtp(*in);
}

int setFtpConfig(OutputLogin*, int server, const FtpConfig* in, int) {
  DEVICE_ENTER(setFtpConfig, nullptr, 0, server, in ? in->port : -1);
  if (!validFtpServer(server)) return -1;
  return devsim::keepChecked(Kind::FtpConfig, server, in, checkFtp);
}

int getFtpDirName(int level, int kind, char out[65]) {
  DEVICE_ENTER(getFtpDirName, out, out ? 65 : 0, level, kind);
  if (!out) return -1;
  zeroFill(out, 65);
  return 0;
}

int getFtpDefaultPort(int protocol) {
  DEVICE_ENTER(getFtpDefaultPort, nullptr, 0, protocol);
  if (protocol == kFtpProtocol) return kFtpPort;
  if (protocol == kSftpProtocol) return kSftpPort;
  return -1;
}

int getSnmpConfig(OutputLogin*, SnmpConfig* out) {
  DEVICE_ENTER(getSnmpConfig, out, sizeof *out);
  return devsim::answerKept(Kind::SnmpConfig, 0, out, [](SnmpConfig& r) {
    zeroFill(&r, sizeof r);
    r.version = SNMP_VERSION_2;
    r.port = 161;
    r.trapPort = 162;
  });
}

int setSnmpConfig(OutputLogin*, const SnmpConfig* in, int) {
  DEVICE_ENTER(setSnmpConfig, nullptr, 0, in ? in->port : -1, in ? in->trapPort : -1);
  return devsim::keepChecked(Kind::SnmpConfig, 0, in, checkSnmp);
}

}  // extern "C"
