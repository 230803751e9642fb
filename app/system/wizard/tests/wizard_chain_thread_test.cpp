// The chain of start-up pages on the simulated device: which page each Next
// opens and each Previous shows again (the pages beneath hidden), leaving
// by Cancel from the deepest page, the start-up flag the entry page stores,
// and the three refused passwords that close the wizard.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/device_backend.h"
#include "app/page_ids.h"
#include "app/system/tests/system_input.h"
#include "app/system/wizard/tests/wizard_steps.h"
#include "app/system_services.h"
#include "gui/button.h"
#include "gui/dialog.h"

namespace {

using wizardtest::PageName;

constexpr int kNext = PAGE_ID_NEXT, kPrevious = PAGE_ID_PREVIOUS, kCancel = IDCANCEL;
constexpr int kDiskModeNext = 20066, kDiskModePrevious = 20065;
constexpr int kShowAtStart = 16400, kOldPassword = 16416;

class WizardChain : public wizardtest::WizardTest {
 protected:
  // A click on Next, with the administrator's password where one is asked.
  // A click that opens another page returns at once (the page opens once
  // the step has returned); one the page refuses is waited for.
  void Forward(WindowHandle page, bool stays = false) {
    const std::string name = PageName(page);
    if (name == "startpasswd") SetDlgItemText(page, kOldPassword, AdminPassword().c_str());
    const int id = name == "startdiskmode" ? kDiskModeNext : kNext;
    if (stays)
      livetest::Click(page, id);
    else
      livetest::ClickItem(page, id);
  }
  void Back(WindowHandle page) {
    livetest::ClickItem(page, PageName(page) == "startdiskmode" ? kDiskModePrevious : kPrevious);
  }
  // The first step, on the entry page.
  void First(std::function<void(WindowHandle)> step) {
    Then([this, step](WindowHandle page) {
      last_ = page;
      step(page);
    });
  }
  // A step once another page than the last step's is the active one.
  void ThenNext(std::function<void(WindowHandle)> step) {
    ThenWhen(
        [this] {
          const WindowHandle active = GetActiveWindow();
          return active != last_ && PageName(active) != "?";
        },
        [this, step](WindowHandle page) {
          last_ = page;
          step(page);
        });
  }
  // Every page seen, in order, and every page window met.
  void Seen(WindowHandle page) {
    seen_.push_back(PageName(page));
    windows_seen_.insert(page);
  }
  // The entry page's loop has ended, so every page above it has; none is
  // left active (handles compared, never read).
  void ExpectAllClosed() {
    EXPECT_EQ(windows_seen_.count(GetActiveWindow()), 0u) << "a page is left";
    EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
    EXPECT_EQ(isLiveViewActive(3), 1);
  }

  std::vector<std::string> seen_;
  std::set<WindowHandle> windows_seen_;
  WindowHandle last_ = 0;
};

TEST_F(WizardChain, NextOpensEachFollowingPageAndPreviousShowsTheOneBeneathAsItWasLeft) {
  struct Row {
    bool diskMode;
    int ipChannels;
    std::vector<std::string> forward;
  };
  const Row rows[] = {
      {false, 0, {"startguide", "startpasswd", "starttime", "startnetset", "startdisk", "startrecord"}},
      {true, 1,
       {"startguide", "startpasswd", "starttime", "startnetset", "startdiskmode", "startdisk", "startcamera",
        "startrecord"}},
  };
  const DeviceAbility kept = *device_seam::mutableAbility();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.forward.size());
    seen_.clear();
    windows_seen_.clear();
    if (row.diskMode) device_seam::mutableAbility()->storageModeFlags |= 1u << 3;
    const uint64_t noneInUse = 0;
    if (row.ipChannels) device_seam::overrideAnswer(getIpChannelNum, row.ipChannels, &noneInUse, sizeof noneInUse);
    livetest::BoxAnswer() = IDYES;
    const auto forward = [this](WindowHandle page) {
      Seen(page);
      // Each page moving on leaves the output in the menu state.
      Forward(page);
    };
    First(forward);
    for (size_t i = 1; i + 1 < row.forward.size(); ++i) ThenNext(forward);
    // From the last page back to the first: each shows as it was left, and
    // alone: the pages beneath it are hidden, not drawn around it.
    for (size_t i = 0; i + 1 < row.forward.size(); ++i) ThenNext([this](WindowHandle page) {
        Seen(page);
        EXPECT_TRUE(IsWindowVisible(page));
        for (WindowHandle other : windows_seen_) {
          if (other == page) continue;
          EXPECT_FALSE(IsWindowVisible(other)) << PageName(page);
        }
        EXPECT_EQ(getOutputState(3), OUTSTATE_MENU);
        EXPECT_EQ(isLiveViewActive(3), 0);
        Back(page);
      });
    ThenNext([this](WindowHandle page) {
      Seen(page);
      livetest::ClickItem(page, kCancel);
    });
    EXPECT_EQ(Run(createStartGuideWindow), 0);
    std::vector<std::string> expected = row.forward;
    expected.insert(expected.end(), row.forward.rbegin() + 1, row.forward.rend());
    EXPECT_EQ(seen_, expected);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"commons/guideexit/34"});
    ExpectAllClosed();
    device_seam::resetAll();
    *device_seam::mutableAbility() = kept;
  }
}

TEST_F(WizardChain, CancelFromTheDeepestPageAsksAndOnlyYesClosesEveryPageStoringTheUntickedBox) {
  device_seam::startCallLog();
  First([this](WindowHandle page) {
    Seen(page);
    EXPECT_TRUE(wizardtest::Checked(page, kShowAtStart));
    livetest::Click(page, kShowAtStart);
    EXPECT_FALSE(wizardtest::Checked(page, kShowAtStart));
    Forward(page);
  });
  for (int i = 0; i < 4; ++i) ThenNext([this](WindowHandle page) {
      Seen(page);
      Forward(page);
    });
  ThenNext([this](WindowHandle page) {
    Seen(page);
    livetest::BoxAnswer() = IDNO;
    livetest::Click(page, kCancel);
    EXPECT_EQ(GetActiveWindow(), page) << "No stays";
    livetest::BoxAnswer() = IDYES;
    livetest::ClickItem(page, kCancel);
  });
  Run(createStartGuideWindow);
  EXPECT_EQ(seen_.back(), "startrecord");
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"commons/guideexit/34", "commons/guideexit/34"}));
  ExpectAllClosed();
  uint32_t flags[2] = {1, 1};
  getStartGuideFlag(nullptr, flags);
  EXPECT_EQ(flags[0], 0u);
  int saves = 0;
  for (const auto& call : device_seam::callLog()) saves += call.op == "saveDeviceParams";
  EXPECT_EQ(saves, 1) << "the entry page saves its change once, on Next";
}

// A refused start flag is shown and the box shows the device's flag; a
// file that could not be written is shown and Next stays on the page.
TEST_F(WizardChain, TheEntryPageShowsARefusedFlagAndARefusedSave) {
  device_seam::overrideAnswer(setStartGuideFlag, -5);
  First([this](WindowHandle page) {
    livetest::Click(page, kShowAtStart);
    EXPECT_TRUE(wizardtest::Checked(page, kShowAtStart)) << "the device kept the flag";
    device_seam::clearOverrides();
    livetest::Click(page, kShowAtStart);
    EXPECT_FALSE(wizardtest::Checked(page, kShowAtStart));
    device_seam::overrideAnswer(saveDeviceParams, -1);
    Forward(page, true);
    EXPECT_EQ(GetActiveWindow(), page) << "an unkept flag stays on the page";
    device_seam::clearOverrides();
    Forward(page);
  });
  ThenNext([](WindowHandle page) {
    livetest::BoxAnswer() = IDYES;
    livetest::ClickItem(page, kCancel);
  });
  Run(createStartGuideWindow);
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"commons/savefailed_code/16", "commons/savefailed_code/16",
                                               "commons/guideexit/34"}));
  uint32_t flags[2] = {1, 1};
  getStartGuideFlag(nullptr, flags);
  EXPECT_EQ(flags[0], 0u);
}

TEST_F(WizardChain, ThreeWrongPasswordsInARowCloseTheWizardAndARightOneStartsTheCountAgain) {
  const auto wrong = [](WindowHandle page) {
    SetDlgItemText(page, kOldPassword, "not-it");
    livetest::Click(page, kNext);
    EXPECT_EQ(wizardtest::Text(page, kOldPassword), "");
  };
  First([this](WindowHandle page) { Forward(page); });
  ThenNext([&](WindowHandle page) {
    wrong(page);
    wrong(page);
    Forward(page);  // right: the time page opens over it
  });
  ThenNext([this](WindowHandle page) {
    Seen(page);
    Back(page);
  });
  ThenNext([&](WindowHandle page) {
    Seen(page);
    wrong(page);
    wrong(page);
    EXPECT_EQ(GetActiveWindow(), page);
    // The third closes the wizard: its page is not read again.
    SetDlgItemText(page, kOldPassword, "not-it");
    systest::ClickClosing(page, kNext);
  });
  Run(createStartGuideWindow);
  EXPECT_EQ(seen_, (std::vector<std::string>{"starttime", "startpasswd"}));
  EXPECT_EQ(Boxes(), std::vector<std::string>(5, "startpasswd/setpasswd_clue2/16"));
  ExpectAllClosed();
}

TEST_F(WizardChain, ANewPasswordMustBeGivenTwiceAlikeAndIsStored) {
  constexpr int kChange = 16417, kNew = 16418, kConfirm = 16419;
  const std::string before = AdminPassword();
  First([this](WindowHandle page) { Forward(page); });
  ThenNext([&](WindowHandle page) {
    EXPECT_FALSE(livetest::Enabled(page, kNew));
    livetest::Click(page, kChange);
    EXPECT_TRUE(livetest::Enabled(page, kNew));
    EXPECT_TRUE(livetest::Enabled(page, kConfirm));
    SetDlgItemText(page, kOldPassword, before.c_str());
    livetest::Click(page, kNext);  // empty
    SetDlgItemText(page, kNew, "1234567890abcdef");
    SetDlgItemText(page, kConfirm, "1234567890abcdeX");
    livetest::Click(page, kNext);  // differs
    EXPECT_EQ(wizardtest::Text(page, kNew), "");
    EXPECT_EQ(AdminPassword(), before);
    SetDlgItemText(page, kNew, "1234567890abcdef");
    SetDlgItemText(page, kConfirm, "1234567890abcdef");
    livetest::BoxAnswer() = IDYES;
    livetest::ClickItem(page, kNext);
  });
  ThenNext([](WindowHandle page) { livetest::ClickItem(page, kCancel); });
  Run(createStartGuideWindow);
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"startpasswd/passwdnull/16", "startpasswd/setpasswd_clue/16",
                                               "commons/guideexit/34"}));
  // All sixteen bytes, without a terminator.
  EXPECT_EQ(AdminPassword(), "1234567890abcdef");
}

// Any refusal of the new password is one: the page stays and neither the
// device nor the application's copy of the table takes the new password.
TEST_F(WizardChain, ARefusedNewPasswordStaysOnThePageAndKeepsTheOldOne) {
  constexpr int kChange = 16417, kNew = 16418, kConfirm = 16419;
  const std::string before = AdminPassword();
  const struct {
    int64_t answer;
    const char* box;
  } rows[] = {{-1, "commons/savefailed/"}, {0x200201, "commons/savefailed_code/"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.answer);
    livetest::Boxes().clear();
    std::string stayedOn, cached;
    First([this](WindowHandle page) { Forward(page); });
    ThenNext([&](WindowHandle page) {
      livetest::ClickItem(page, kChange);
      SetDlgItemText(page, kOldPassword, before.c_str());
      SetDlgItemText(page, kNew, "1234567890abcdef");
      SetDlgItemText(page, kConfirm, "1234567890abcdef");
      device_seam::overrideAnswer(setUserConfig, row.answer);
      livetest::ClickItem(page, kNext);
    });
    ThenWhen([] { return !livetest::Boxes().empty(); }, [&](WindowHandle page) {
      stayedOn = PageName(page);
      const UserConfig* table = getCachedUserConfig();
      if (table) cached.assign(table->users[0].password, strnlen(table->users[0].password, sizeof table->users[0].password));
      device_seam::clearOverrides();
      livetest::BoxAnswer() = IDYES;
      livetest::ClickItem(page, kCancel);
    });
    Run(createStartGuideWindow);
    EXPECT_EQ(stayedOn, "startpasswd");
    EXPECT_EQ(cached, before);
    EXPECT_EQ(AdminPassword(), before);
    const std::vector<std::string> boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].rfind(row.box, 0), 0u) << boxes[0];
  }
}

TEST_F(WizardChain, AnUnreadableUserTableAndARefusedLoginSaySoAndStay) {
  setLoginState(3, -1, -1);  // nobody logged in: the right password logs in
  First([this](WindowHandle page) { Forward(page); });
  ThenNext([this](WindowHandle page) {
    device_seam::overrideAnswer(getUserConfig, -1);
    Forward(page, true);
    device_seam::clearOverrides();
    device_seam::overrideAnswer(loginDevice, 1);
    Forward(page, true);
    device_seam::clearOverrides();
    EXPECT_EQ(GetActiveWindow(), page);
    EXPECT_LT(getLoginId(3), 0);
    livetest::ClickItem(page, kCancel);
  });
  livetest::BoxAnswer() = IDYES;
  Run(createStartGuideWindow);
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"commons/getsettingshint/16", "login/login_err_passwd/16",
                                               "commons/guideexit/34"}));
}

}  // namespace
