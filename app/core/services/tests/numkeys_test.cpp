#include <random>
#include <string>

#include "app/numkeys.h"
#include "core/message/tests/hand_made_windows.h"
#include "core/timer/timer_internal.h"
#include "gui/timer.h"
#include "services_test_helpers.h"

namespace services_test {
namespace {

class NumKeyTest : public ServicesTest {
 protected:
  void TearDown() override {
    resetNumKeyEntry(hwnd());
    TerminateTimers();
    ServicesTest::TearDown();
  }
  WindowHandle hwnd() const { return H(window_); }
  bool TimerRuns() const { return IsTimerInstalled(hwnd(), NUMKEY_TIMER_ID) != 0; }

  ThreadQueue thread_;
  std::unique_ptr<MainWinRecord> window_ = MakeMainWindow(thread_.info());
};

// How a user reads an entry: the typed digits as one decimal number (the
// tenth key typing 0, or channel 10 alone on a device with that option), a
// channel key giving its channel. Complete after `maxDigits` keys, at a
// channel key, or at the tenth key alone with the option.
struct EntryModel {
  char set = 0;
  std::string digits;
  int keys = 0;
  int value = NUMKEY_NONE;
  bool done = false;

  void Add(int key, int maxDigits, bool tenthOption) {
    const bool a = key <= 146;
    const int d = a ? key - 130 : key - 193;
    set = a ? 'A' : 'B';
    ++keys;
    if (a && d >= 11) {
      value = d;
      done = true;
      return;
    }
    if (a && d == 10 && keys == 1 && tenthOption) {
      value = 10;
      done = true;
      return;
    }
    digits += std::to_string(d % 10);
    value = std::stoi(digits);
    done = done || keys >= maxDigits;
  }
};

TEST_F(NumKeyTest, RandomKeysFollowTheModel) {
  std::mt19937 random(109);
  const int keys[] = {131, 135, 139, 140, 141, 146, 194, 199, 202, 203, 5, 150};
  for (bool option : {false, true}) {
    device_seam::mutableAbility()->playbackKeyFlags = option ? 0x3 : 0;
    ASSERT_EQ(hasNumKeyOption() != 0, option);
    for (int maxDigits : {2, 3}) {
      EntryModel model;
      for (int i = 0; i < 3000; ++i) {
        const int key = keys[random() % (sizeof keys / sizeof keys[0])];
        SCOPED_TRACE(testing::Message() << "key " << key << " step " << i << " max " << maxDigits);
        if (!isNumKeyA(key) && !isNumKeyB(key)) {
          onNumKeyFirst(hwnd(), key);
          model = EntryModel{};
        } else {
          if (model.set && model.set != (isNumKeyA(key) ? 'A' : 'B')) model = EntryModel{};
          model.Add(key, maxDigits, option);
          const int answer = onNumKey(hwnd(), key, maxDigits);
          ASSERT_EQ(answer, model.done ? model.value : NUMKEY_NONE);
        }
        ASSERT_EQ(getNumKeyEntryValue(), model.value);
        ASSERT_EQ(isNumKeyEntryDone(), model.done ? 1 : 0);
        ASSERT_EQ(isNumKeyEntryActive(), model.set ? 1 : 0);
        ASSERT_EQ(TimerRuns(), model.set && !model.done);
        // The window takes a complete value, or one the timer ended.
        if (model.done || random() % 8 == 0) {
          resetNumKeyEntry(hwnd());
          model = EntryModel{};
          ASSERT_FALSE(TimerRuns());
        }
      }
    }
  }
}

TEST_F(NumKeyTest, EntriesOfTheUsualKinds) {
  EXPECT_EQ(onNumKey(hwnd(), 131, 2), NUMKEY_NONE);
  EXPECT_EQ(onNumKey(hwnd(), 132, 2), 12);
  resetNumKeyEntry(hwnd());

  EXPECT_EQ(onNumKey(hwnd(), 140, 3), NUMKEY_NONE);
  EXPECT_EQ(getNumKeyEntryValue(), 0);
  EXPECT_TRUE(TimerRuns());
  EXPECT_EQ(onNumKey(hwnd(), 135, 2), 5);
  resetNumKeyEntry(hwnd());

  EXPECT_EQ(onNumKey(hwnd(), 132, 3), NUMKEY_NONE);
  EXPECT_EQ(onNumKey(hwnd(), 143, 3), 13);
  resetNumKeyEntry(hwnd());

  onNumKey(hwnd(), 133, 3);
  EXPECT_EQ(onNumKey(hwnd(), 196, 3), NUMKEY_NONE) << "a set-B key starts a new entry";
  EXPECT_EQ(getNumKeyEntryValue(), 3);
  EXPECT_EQ(onNumKey(hwnd(), 203, 2), 30);
  resetNumKeyEntry(hwnd());

  onNumKey(hwnd(), 134, 3);
  EXPECT_EQ(numKeyEntryStep(hwnd(), 135, 4), NUMKEY_NONE);
  EXPECT_EQ(getNumKeyEntryValue(), 4) << "a bad digit count changes nothing";
  EXPECT_EQ(numKeyEntryStep(hwnd(), 160, 3), NUMKEY_NONE);
  EXPECT_EQ(getNumKeyEntryValue(), 4);

  // The timer ends an entry after ten ticks of 100 ms.
  TimerTick(9);
  Message msg;
  EXPECT_FALSE(PeekMessage(&msg, hwnd(), MSG_TIMER, MSG_TIMER, TRUE));
  TimerTick(1);
  ASSERT_TRUE(PeekMessage(&msg, hwnd(), MSG_TIMER, MSG_TIMER, TRUE));
  EXPECT_EQ(msg.wParam, static_cast<WParam>(NUMKEY_TIMER_ID));
}

}  // namespace
}  // namespace services_test
