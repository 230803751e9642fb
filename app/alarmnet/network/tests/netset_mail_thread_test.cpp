// The NTP and e-mail tabs of the network settings window: range refusals,
// the receiver cache, the preset server's port and SSL, and the test mail's
// boxes.
#include <cstring>
#include <string>

#include "app/alarmnet/network/tests/netset_steps.h"
#include "app/alarmnet_pages.h"
#include "app/testing/page_harness.h"

namespace {

using namespace netsteps;

enum : int { kNtpEnable = 20336, kInterval, kNtpServer, kNtpPort };
enum : int {
  kAuth = 20346, kUser, kPassword, kServer, kPort, kSsl, kSenderName, kSenderAddr, kReceiver, kReceiverName,
  kReceiverAddr, kAttach, kImageInterval, kTest
};
constexpr int kApply = PAGE_ID_APPLY;

NetAdvConfig StoredAdv() {
  NetAdvConfig adv{};
  getNetAdvConfig(nullptr, &adv);
  return adv;
}
EmailConfig StoredMail() {
  EmailConfig mail{};
  getEmailConfig(nullptr, &mail);
  return mail;
}

class NetMail : public NetTabs {
 protected:
  void Open() {
    NetTabs::Open();
    ntp_ = tabs_[kNtpTab];
    mail_ = tabs_[kEmailTab];
  }
  WindowHandle ntp_ = 0, mail_ = 0;
};

// Interval and port are checked only while NTP is on; each refusal names
// its range and field and stores nothing.
TEST_F(NetMail, NtpChecksIntervalAndPortWhenOn) {
  Open();
  Show(kNtpTab);
  EXPECT_FALSE(Enabled(ntp_, kInterval)) << "off: the interval is not offered";
  Check(ntp_, kNtpEnable, true);
  EXPECT_TRUE(Enabled(ntp_, kNtpServer));
  SetText(ntp_, kNtpPort, "123");
  const struct {
    int id;
    const char* text;
    const char* box;
    bool beyondLimit = false;  // longer than the field lets a hand type
  } steps[] = {{kInterval, "0", "Interval(min) is out of range (1-10080)!/64"},
               {kInterval, "10081", "Interval(min) is out of range (1-10080)!/64"},
               {kInterval, "-99999999999999999999", "Interval(min) is out of range (1-10080)!/64", true},
               {kInterval, "10080", ""},
               {kNtpPort, "65536", "NTP Port is out of range (1-65535)!/64"},
               {kNtpPort, "0", "NTP Port is out of range (1-65535)!/64"},
               {kNtpPort, "65535", ""}};
  for (const auto& s : steps) {
    if (s.beyondLimit) {
      SetBeyondLimit(ntp_, s.id, s.text);
    } else {
      SetText(ntp_, s.id, s.text);
    }
    const NetAdvConfig before = StoredAdv();
    Apply(ntp_);
    EXPECT_EQ(LastBox(), s.box) << s.text;
    if (s.box[0] != '\0') {
      EXPECT_TRUE(netsteps::Focused(ntp_, s.id)) << s.text;
      const NetAdvConfig now = StoredAdv();
      EXPECT_EQ(std::memcmp(&now, &before, sizeof now), 0) << s.text;
    }
  }
  SetText(ntp_, kNtpServer, std::string(64, 'n'));
  Apply(ntp_);
  const NetAdvConfig adv = StoredAdv();
  EXPECT_EQ(adv.ntpEnabled, 1);
  EXPECT_EQ(adv.ntpInterval, 10080);
  EXPECT_EQ(adv.ntpPort, 65535);
  EXPECT_EQ(std::string(adv.ntpServer, sizeof adv.ntpServer), std::string(64, 'n'));
  Close();
  Open();
  Show(kNtpTab);
  EXPECT_EQ(Text(ntp_, kNtpServer), std::string(64, 'n'));
  Close();
}

// Edits of all three receivers are saved by one Apply; an invalid address
// blocks the switch, an empty one never does.
TEST_F(NetMail, ReceiversWaitInTheCacheUntilApply) {
  Open();
  Show(kEmailTab);
  SetText(mail_, kPort, "25");
  SetText(mail_, kReceiverName, "first");
  SetText(mail_, kReceiverAddr, "first@example.com");
  Choose(mail_, kReceiver, 1);
  EXPECT_EQ(Text(mail_, kReceiverName), "");
  SetText(mail_, kReceiverName, "second");
  Choose(mail_, kReceiver, 2);
  SetText(mail_, kReceiverAddr, "not an address");
  livetest::Boxes().clear();
  PickRefused(mail_, kReceiver, 0);
  EXPECT_EQ(LastBox(), "Please enter a valid Recipient!/64");
  EXPECT_TRUE(netsteps::Focused(mail_, kReceiverAddr));
  EXPECT_EQ(SendDlgItemMessage(mail_, kReceiver, CB_GETSELVALUE, 0, 0), 2);
  EXPECT_EQ(Text(mail_, kReceiverAddr), "not an address");
  SetText(mail_, kReceiverAddr, "third@example.com");
  Choose(mail_, kReceiver, 0);
  EXPECT_EQ(Text(mail_, kReceiverName), "first");
  SetText(mail_, kReceiverName, "First");
  Apply(mail_);
  EXPECT_TRUE(livetest::Boxes().empty()) << LastBox();
  const EmailConfig mail = StoredMail();
  EXPECT_STREQ(mail.receivers[0].name, "First");
  EXPECT_STREQ(mail.receivers[0].address, "first@example.com");
  EXPECT_STREQ(mail.receivers[1].name, "second");
  EXPECT_STREQ(mail.receivers[2].address, "third@example.com");
  EXPECT_EQ(mail.smtpPort, 25);
  Close();
}

// Refusals of the e-mail tab by hint, range and focus.
TEST_F(NetMail, MailRefusalsNameTheirFields) {
  Open();
  Show(kEmailTab);
  SetText(mail_, kPort, "0");
  Apply(mail_);
  EXPECT_EQ(LastBox(), "SMTP Port is out of range (1-65535)!/64");
  EXPECT_TRUE(netsteps::Focused(mail_, kPort));
  SetText(mail_, kPort, "2525");
  const struct {
    int code;
    const char* box;
    int focus;
  } codes[] = {{NET_ERR_SENDER_ADDR, "Please enter a valid Sender's Address!/64", kSenderAddr},
               {NET_ERR_RECEIVER_ADDR, "Please enter a valid Recipient!/64", kReceiverAddr},
               {-9, "Saving failed, error code: -9/16", 0}};
  for (const auto& c : codes) {
    device_seam::overrideAnswer(setEmailConfig, c.code);
    Apply(mail_);
    device_seam::clearOverrides();
    EXPECT_EQ(LastBox(), c.box);
    if (c.focus) {
      EXPECT_TRUE(netsteps::Focused(mail_, c.focus)) << c.box;
    }
  }
  EXPECT_EQ(StoredMail().smtpPort, 25) << "the device's default, kept";
  Close();
}

// Moving to the preset server brings port 465 with SSL and says so; the
// name is stored in lower case; moving away brings port 25 without SSL.
TEST_F(NetMail, ThePresetServerBringsItsPortAndSsl) {
  Open();
  Show(kEmailTab);
  SetText(mail_, kServer, "SMTP.Gmail.COM");
  SetText(mail_, kPort, "25");
  Apply(mail_);
  EXPECT_EQ(LastBox(), "This server needs its own port and SSL setting; they were changed./48");
  EmailConfig mail = StoredMail();
  EXPECT_STREQ(mail.smtpServer, "smtp.gmail.com");
  EXPECT_EQ(mail.smtpPort, 465);
  EXPECT_EQ(mail.ssl, 1);
  EXPECT_EQ(Text(mail_, kPort), "465");
  EXPECT_EQ(SendDlgItemMessage(mail_, kSsl, BM_GETCHECK, 0, 0), 1);
  Apply(mail_);
  EXPECT_TRUE(livetest::Boxes().empty()) << "unchanged server: " << LastBox();
  SetText(mail_, kServer, "mail.example.com");
  Apply(mail_);
  EXPECT_EQ(LastBox(), "This server needs its own port and SSL setting; they were changed./48");
  mail = StoredMail();
  EXPECT_EQ(mail.smtpPort, 25);
  EXPECT_EQ(mail.ssl, 0);
  Close();
}

TEST_F(NetMail, TheTestMailReportsItsCode) {
  Open();
  Show(kEmailTab);
  const std::pair<int, const char*> answers[] = {
      {0, "The test mail was sent./64"}, {-2, ""}, {-1, "The test mail could not be sent!/64"},
      {3, "The test mail could not be sent!/64"}};
  for (const auto& [code, box] : answers) {
    livetest::Boxes().clear();
    device_seam::overrideAnswer(sendTestMail, code);
    livetest::Click(mail_, kTest);
    device_seam::clearOverrides();
    EXPECT_EQ(LastBox(), box) << code;
  }
  Close();
}

}  // namespace
