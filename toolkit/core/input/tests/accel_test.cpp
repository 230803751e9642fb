#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "core/message/tests/hand_made_windows.h"
#include "gui/input.h"
#include "gui/keyboard.h"

namespace {

class AccelTest : public ::testing::Test {
 protected:
  ThreadQueue queue;
  std::unique_ptr<MainWinRecord> win = MakeMainWindow(queue.info());
  std::unique_ptr<MainWinRecord> other = MakeMainWindow(queue.info());
  AccelTable* table = nullptr;

  void SetUp() override {
    ASSERT_TRUE(InitAccel());
    table = CreateAcceleratorTable(H(win));
    ASSERT_NE(table, nullptr);
    Recorder::Instance().Take();
  }
  void TearDown() override { TerminateAccel(); }

  int Translate(int message, WParam wParam, uint32_t shift, WindowHandle to = 0) {
    Message msg{to ? to : H(win), message, wParam, static_cast<LParam>(shift), 0, nullptr};
    return TranslateAccelerator(table, &msg);
  }
  std::vector<Seen> Sent() {
    DrainQueue(H(win));
    return Recorder::Instance().Take();
  }
};

TEST_F(AccelTest, ItemsAreUniqueAndDeletedByKeyAndMask) {
  EXPECT_EQ(AddAccelerators(table, 'x', 0, 1, 0), 0);
  EXPECT_EQ(AddAccelerators(table, 'x', 0x03, 2, 0), 0);
  EXPECT_EQ(AddAccelerators(table, 'x', 0, 3, 0), ACCEL_ERR_EXISTS);
  EXPECT_EQ(DeleteAccelerators(table, 'x', 0x01), ACCEL_ERR_NOT_FOUND);
  EXPECT_EQ(DeleteAccelerators(table, 'x', 0x03), 0);
  EXPECT_EQ(DeleteAccelerators(table, 'x', 0x03), ACCEL_ERR_NOT_FOUND);
}

TEST_F(AccelTest, HandlesThatAreNoTableAreRefused) {
  AccelTable* gone = CreateAcceleratorTable(H(win));
  ASSERT_EQ(DestroyAcceleratorTable(gone), 0);
  for (AccelTable* bad : {gone, static_cast<AccelTable*>(nullptr), reinterpret_cast<AccelTable*>(win.get())}) {
    EXPECT_EQ(DestroyAcceleratorTable(bad), ACCEL_ERR_NOT_TABLE);
    EXPECT_EQ(AddAccelerators(bad, 'a', 0, 0, 0), ACCEL_ERR_NOT_TABLE);
    EXPECT_EQ(DeleteAccelerators(bad, 'a', 0), ACCEL_ERR_NOT_TABLE);
    EXPECT_EQ(CopyAcceleratorTable(bad), nullptr);
  }
}

TEST_F(AccelTest, KeyPressesAndCharactersSendCommands) {
  ASSERT_EQ(AddAccelerators(table, KEY_F2 | 0x100, 0, 11, 12), 0);
  ASSERT_EQ(AddAccelerators(table, 'q', 0x20, 21, 22), 0);
  EXPECT_EQ(Translate(18, KEY_F2, 0), 0);
  EXPECT_EQ(Translate(21, KEY_F2, 0), 0);
  EXPECT_EQ(Translate(19, 'q', 0x20), 0);
  EXPECT_EQ(Translate(19, 'q' | 0x300, 0x20), 0) << "only the low byte of a character counts";
  std::vector<Seen> sent = Sent();
  ASSERT_EQ(sent.size(), 4u);
  EXPECT_EQ(sent[0], (Seen{H(win), 288, 11, 12}));
  EXPECT_EQ(sent[1], (Seen{H(win), 289, 11, 12}));
  EXPECT_EQ(sent[2], (Seen{H(win), 288, 21, 22}));
  EXPECT_EQ(Translate(18, 'q', 0x20), ACCEL_ERR_NOT_FOUND) << "a key press is a scan code";
  EXPECT_EQ(Translate(20, KEY_F2, 0), ACCEL_ERR_NOT_FOUND);
  EXPECT_EQ(Translate(18, KEY_F2, 0, H(other)), ACCEL_ERR_OTHER_WINDOW);
}

TEST_F(AccelTest, ModifierPairsMatchEitherSideOnlyWhenBothBitsAreGiven) {
  ASSERT_EQ(AddAccelerators(table, 'a', 0x03, 1, 0), 0);
  ASSERT_EQ(AddAccelerators(table, 'b', 0x01, 2, 0), 0);
  ASSERT_EQ(AddAccelerators(table, 'c', 0x30 | 0x0C, 3, 0), 0);
  EXPECT_EQ(Translate(19, 'a', 0x01), 0);
  EXPECT_EQ(Translate(19, 'a', 0x02), 0);
  EXPECT_EQ(Translate(19, 'a', 0x03), 0);
  EXPECT_EQ(Translate(19, 'a', 0), ACCEL_ERR_NOT_FOUND);
  EXPECT_EQ(Translate(19, 'b', 0x01), 0);
  EXPECT_EQ(Translate(19, 'b', 0x03), ACCEL_ERR_NOT_FOUND);
  EXPECT_EQ(Translate(19, 'b', 0x01 | 0x20), ACCEL_ERR_NOT_FOUND) << "control not in the mask";
  EXPECT_EQ(Translate(19, 'b', 0x01 | 0x100 | 0x1000), 0) << "locks and buttons are ignored";
  EXPECT_EQ(Translate(19, 'c', 0x10 | 0x08), 0);
  EXPECT_EQ(Translate(19, 'c', 0x10), ACCEL_ERR_NOT_FOUND);
}

TEST_F(AccelTest, NewestItemWinsAndCopiesComeReversed) {
  ASSERT_EQ(AddAccelerators(table, 'k', 0x03, 1, 0), 0);
  ASSERT_EQ(AddAccelerators(table, 'k', 0x01, 2, 0), 0);
  EXPECT_EQ(Translate(19, 'k', 0x01), 0);
  EXPECT_EQ(Sent().at(0).wParam, 2u);

  AccelTable* copy = CopyAcceleratorTable(table);
  ASSERT_NE(copy, nullptr);
  Message msg{H(win), 19, 'k', 0x01, 0, nullptr};
  EXPECT_EQ(TranslateAccelerator(copy, &msg), 0);
  EXPECT_EQ(Sent().at(0).wParam, 1u) << "the older item is first in the copy";
  EXPECT_EQ(DestroyAcceleratorTable(copy), 0);
  EXPECT_EQ(DestroyAcceleratorTable(table), 0);
}

TEST(AccelPools, NothingIsMadeBeforeTheStartUpStep) {
  TerminateAccel();
  EXPECT_EQ(CreateAcceleratorTable(1), nullptr);
}

}  // namespace
