// The recording and storage settings from several threads: operations that
// change one field of a record lose no change made by another thread, and
// saves taken while others write are each one whole state.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/core/device/sim_state.h"
#include "device_test_helpers.h"

namespace {

constexpr int kRounds = 3000;

TEST_F(DeviceTest, ChangesOfOneRecordFromTwoThreadsAreAllKept) {
  // The disk row: one thread changes its attribute, the other its group.
  // What the threads leave is the point, not each answer.
  std::thread attributes([] {
    for (int i = 0; i < kRounds; ++i)
      (void)setDiskAttr(0, 0, 0, i % 2 ? DISK_ATTR_READWRITE : DISK_ATTR_READONLY, 1);
  });
  std::thread groups([] {
    for (int i = 0; i < kRounds; ++i) {
      (void)setDiskGroup(0, 0, 0, 1 + i % 16);
      DiskInfo rows[DISK_LIST_ROWS];
      getDiskList(rows);
      if (rows[0].redundancy != 0) ADD_FAILURE() << "an attribute nobody set";
    }
  });
  // The snapshot mask: each thread owns half of the channels.
  auto snapshots = [](int firstBit) {
    for (int i = 0; i < kRounds; ++i) {
      const uint64_t bit = 1ull << (firstBit + i % 32);
      (void)startManualSnapshot(0, bit);
      if (i % 3 == 0) (void)stopManualSnapshot(0, bit);
    }
  };
  std::thread low(snapshots, 0);
  std::thread high(snapshots, 32);
  attributes.join();
  groups.join();
  low.join();
  high.join();
  DiskInfo rows[DISK_LIST_ROWS];
  getDiskList(rows);
  EXPECT_EQ(rows[0].readOnly, 0);  // the attribute thread's last change
  EXPECT_EQ(rows[0].group, 1 + (kRounds - 1) % 16);
  // Rounds i = 3000 - 32 .. 2999 decide each bit last; those with i % 3 == 0 stopped it.
  uint64_t expected = 0;
  for (int i = kRounds - 32; i < kRounds; ++i)
    if (i % 3 != 0) expected |= (1ull << (i % 32)) | (1ull << (32 + i % 32));
  EXPECT_EQ(getSnapshotChanMask(), expected);
}

TEST_F(DeviceTest, SavesWhileOthersWriteAreEachWhole) {
  char pattern[] = "/tmp/device_params_thread.XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string path = std::string(pattern) + "/device_params.dat";
  device_seam::setSettingsFile(path);
  // Whole saves are the point, not each answer.
  std::thread writer([] {
    for (uint32_t i = 1; i <= 400; ++i) {
      RecordConfig r{};
      r.postRecord = i;
      r.preRecord = i;
      (void)setRecordConfig(nullptr, 2, &r, 1);
    }
  });
  auto saver = [] {
    for (int i = 0; i < 40; ++i) EXPECT_EQ(saveDeviceParams(), 0);
  };
  std::thread a(saver), b(saver);
  writer.join();
  a.join();
  b.join();
  ASSERT_EQ(saveDeviceParams(), 0);
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  device_seam::resetKeptRecords();
  std::string why;
  ASSERT_TRUE(devsim::parseSettings(image.data(), image.size(), &why)) << why;
  RecordConfig back;
  getRecordConfig(nullptr, 2, &back, 1);
  EXPECT_EQ(back.postRecord, 400u);
  std::remove(path.c_str());
  rmdir(pattern);
  device_seam::setSettingsFile("");
}

}  // namespace
