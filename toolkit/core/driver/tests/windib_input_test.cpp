#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "core/driver/windib.h"
#include "gui/host.h"

namespace {

// The button word of the next mouse change the engine would read.
int TakeButtons() {
  HostMouseRecord change{};
  HostTakeMouseRecord(&change);
  return change.buttons;
}

struct InputTest : ::testing::Test {
  HostEvent* mouse = HostCreateEvent("MOUSE");
  HostEvent* keyboard = HostCreateEvent("kbd");

  void SetUp() override {
    HostSetInputEvents(mouse, keyboard);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    TakeButtons();  // takes the queued release
    drain();
  }
  void TearDown() override {
    HostSetInputEvents(nullptr, nullptr);
    HostCloseEvent(mouse);
    HostCloseEvent(keyboard);
  }
  // Which event is signalled now (0 mouse, 1 keyboard, -1 none), consuming it.
  int signalled() {
    HostEvent* both[2] = {mouse, keyboard};
    return HostWaitForEvents(both, 2, 0);
  }
  void drain() {
    while (signalled() >= 0) {
    }
  }
};

TEST_F(InputTest, ButtonsReplaceEachOther) {
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  EXPECT_EQ(TakeButtons(), HOST_BUTTON_LEFT);
  EXPECT_EQ(signalled(), 0);
  EXPECT_EQ(signalled(), -1);  // one signal, consumed by one wait
  HostInjectMouseButton(HOST_BUTTON_RIGHT, 1);
  EXPECT_EQ(TakeButtons(), HOST_BUTTON_RIGHT);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  EXPECT_EQ(TakeButtons(), HOST_BUTTON_NONE);
  HostInjectMouseButton(HOST_BUTTON_MIDDLE, 1);
  EXPECT_EQ(TakeButtons(), HOST_BUTTON_MIDDLE);
  HostInjectMouseButton(HOST_BUTTON_RIGHT, 0);
  EXPECT_EQ(TakeButtons(), HOST_BUTTON_NONE);
}

TEST_F(InputTest, WheelStaysUntilTheNextButtonMessage) {
  HostInjectWheel(120);
  EXPECT_EQ(TakeButtons(), HOST_WHEEL_AWAY);
  HostInjectWheel(-240);
  EXPECT_EQ(TakeButtons(), HOST_WHEEL_TOWARDS);
  HostInjectMouseMove(3, 4);
  EXPECT_EQ(TakeButtons(), HOST_WHEEL_TOWARDS);
  HostInjectWheel(0);
  EXPECT_EQ(TakeButtons(), HOST_WHEEL_AWAY);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  EXPECT_EQ(TakeButtons(), HOST_BUTTON_LEFT);
}

TEST_F(InputTest, DoubleClickMessagesAreNotUsed) {
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  drain();
  for (unsigned message : {windib::kLeftDouble, windib::kRightDouble, windib::kMiddleDouble})
    windib::WinDibWndProc(message, 0, 0);
  EXPECT_EQ(TakeButtons(), HOST_BUTTON_LEFT);
  EXPECT_EQ(signalled(), -1);
}

TEST_F(InputTest, MouseMoveSignalsAndRecordsThePointer) {
  HostInjectMouseMove(5, 6);
  EXPECT_EQ(signalled(), 0);
  HostMouseRecord change{};
  EXPECT_EQ(HostTakeMouseRecord(&change), 0);
  EXPECT_EQ(change.x, 5);
  EXPECT_EQ(change.y, 6);
}

TEST_F(InputTest, KeysAreRecordedAsLinuxCodes) {
  HostInjectKey(KEY_A, 1);
  uint32_t word = 0;
  uint8_t pressed = 0;
  HostGetKeyRecord(&word, &pressed);
  EXPECT_EQ(word, uint32_t{KEY_A} << 16);
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(signalled(), 1);
  HostInjectKey(KEY_A, 0);
  HostGetKeyRecord(&word, &pressed);
  EXPECT_EQ(word, uint32_t{KEY_A} << 16);
  EXPECT_EQ(pressed, 0);
  HostInjectKey(KEY_F12, 1);
  HostGetKeyRecord(&word, nullptr);
  EXPECT_EQ(word >> 16 & 0xFF, uint32_t{KEY_F12});
  EXPECT_EQ(signalled(), 1);
  EXPECT_EQ(signalled(), -1);
}

TEST_F(InputTest, NoRegisteredEventsStillRecords) {
  HostSetInputEvents(nullptr, nullptr);
  HostInjectMouseButton(HOST_BUTTON_RIGHT, 1);
  EXPECT_EQ(TakeButtons(), HOST_BUTTON_RIGHT);
  EXPECT_EQ(signalled(), -1);
}

TEST(HostEvents, BadArgumentsAndTimeOut) {
  EXPECT_EQ(HostWaitForEvents(nullptr, 1, 0), -2);
  HostEvent* e = HostCreateEvent("e");
  HostEvent* list[2] = {e, nullptr};
  EXPECT_EQ(HostWaitForEvents(list, 2, 0), -2);
  EXPECT_EQ(HostWaitForEvents(list, 1, 0), -1);
  HostSignalEvent(e);
  HostSignalEvent(e);  // signals do not count up
  EXPECT_EQ(HostWaitForEvents(list, 1, 0), 0);
  EXPECT_EQ(HostWaitForEvents(list, 1, 0), -1);
  HostCloseEvent(e);
}

}  // namespace
