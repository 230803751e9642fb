// What the live view and the menus get from the recording and playback
// stand-ins: the disk format request as the device receives it, the disk
// questions, and the error boxes of snapshots, searches and playback.
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "app/playback.h"
#include "app/record_pages.h"
#include "app/record_services.h"
#include "services_test_helpers.h"

namespace services_test {
namespace {

constexpr WindowHandle kOwner = 0x4321;

// The disk numbers as the device log packs them, eight to a word.
std::vector<int64_t> Packed(const std::vector<int>& disks) {
  uint64_t words[4] = {};
  for (size_t i = 0; i < disks.size(); ++i) words[i / 8] |= uint64_t(disks[i]) << (8 * (i % 8));
  return {int64_t(words[0]), int64_t(words[1]), int64_t(words[2]), int64_t(words[3])};
}

TEST_F(ServicesTest, FormatDisksSendsThePositiveNumbersInOrderAtMostThirtyTwo) {
  setLoginState(3, 0, 7);
  std::vector<int> forty;
  for (int i = 1; i <= 40; ++i) forty.push_back(i);
  struct Row {
    const char* name;
    std::function<int()> run;
    std::vector<int> sent;
  } rows[] = {
      {"one", [] { return formatDisks(3, 1, 5); }, {5}},
      {"zero and negatives skipped", [] { return formatDisks(3, 5, 2, 0, -3, 9, 256); }, {2, 9}},
      {"none", [] { return formatDisks(3, 0); }, {}},
      {"forty", [] {
         return formatDisks(3, 40, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                            23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40);
       },
       std::vector<int>(forty.begin(), forty.begin() + 32)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    device_seam::startCallLog();
    EXPECT_EQ(row.run(), 0);
    std::vector<int64_t> args{7, int64_t(row.sent.size())};
    for (int64_t w : Packed(row.sent)) args.push_back(w);
    const auto log = device_seam::callLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), (device_seam::Call{"formatDiskList", args}));
  }
  device_seam::overrideAnswer(formatDiskList, 3);
  EXPECT_EQ(formatDisks(3, 1, 1), 3) << "the device's refusal reaches the caller";
}

// The disk questions over tables of rows: a row's number is port + 2 * bus
// + 1, local from 1 to 8; detection asks the device about each row's halves.
TEST_F(ServicesTest, DiskQuestionsReadTheDiskListAndDetection) {
  EXPECT_EQ(hasLocalDisk(), 1) << "the simulated disk is disk 1";
  EXPECT_EQ(hasDetectableDisk(), 1);
  struct Row {
    std::vector<std::pair<int, int>> disks;  // (bus, port)
    int local, detectable;
  } rows[] = {
      {{}, 0, 0},
      {{{4, 0}}, 0, 0},            // disk 9
      {{{0, 2}}, 1, 0},            // disk 3 by number, but a port the device cannot check
      {{{4, 0}, {3, 1}}, 1, 1},    // disk 9, disk 8
      {{{0xFFFF, 0xFFFF}}, 0, 0},  // the largest halves
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.disks.size());
    std::vector<DiskInfo> list(DISK_LIST_ROWS);
    for (size_t i = 0; i < row.disks.size(); ++i) {
      list[i].bus = static_cast<uint16_t>(row.disks[i].first);
      list[i].port = static_cast<uint16_t>(row.disks[i].second);
    }
    device_seam::overrideAnswer(getDiskList, static_cast<int64_t>(row.disks.size()), list.data(),
                                list.size() * sizeof(DiskInfo));
    EXPECT_EQ(hasLocalDisk(), row.local);
    EXPECT_EQ(hasDetectableDisk(), row.detectable);
  }
  device_seam::overrideAnswer(isDiskCheckable, 0);
  EXPECT_EQ(hasDetectableDisk(), 0) << "no row the device can check";
  device_seam::clearOverrides();
  device_seam::mutableAbility()->storageFlags &= ~1u;
  EXPECT_EQ(hasDetectableDisk(), 0) << "a device without detection";
  device_seam::mutableAbility()->storageFlags |= 1u;
}

TEST_F(ServicesTest, ErrorBoxesOfSnapshotsSearchesAndPlayback) {
  struct Row {
    const char* name;
    std::function<void()> run;
    const char* text;  // null: no box
    uint32_t style;
    const char* dropKey;  // with this key missing no box opens
  } rows[] = {
      {"snapshot -1", [] { showManualSnapError(kOwner, -1); }, "Snapshot failed!", 16, "manualsnapshot_err_snapshot"},
      {"snapshot 12", [] { showManualSnapError(kOwner, 12); }, "Snapshot failed, error code: 12", 16,
       "manualsnapshot_err_default"},
      {"search 101", [] { showInstantSearchError(kOwner, 101); }, "No record file found!", 64, "search_nofile"},
      {"search 102", [] { showInstantSearchError(kOwner, 102); }, "Search failed!", 16, "search_failed"},
      {"search 7", [] { showInstantSearchError(kOwner, 7); }, "Search failed, error code: 7", 16, "search_err"},
      {"playback -2", [] { showPlaybackError(3, kOwner, -2); }, "Playback failed, error code: -2", 16, "play_err"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LoadShippedLayout();
    row.run();
    auto boxes = Boxes().Take();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, kOwner);
    EXPECT_EQ(boxes[0].text, row.text);
    EXPECT_EQ(boxes[0].type, row.style);
    LoadShippedLayout({row.dropKey});
    row.run();
    EXPECT_TRUE(Boxes().Take().empty());
  }
}

TEST_F(ServicesTest, InstantSearchAsksTheDeviceForTheChannelAndStopEndsTheZoom) {
  setLoginState(3, 0, 2);
  device_seam::overrideAnswer(findRecordFiles, 105);
  EXPECT_EQ(searchInstantPlayback(3, 5), 105);
  EXPECT_EQ(getPlaybackSearchChannel(3), 5);
  resetPlaybackSearch(3, -4);
  EXPECT_EQ(getPlaybackSearchChannel(3), 0);
  setZoomChannel(3, 4);
  setPlaybackType(3, 1);
  stopPlayback(3);
  EXPECT_EQ(getPlayState(3), 6);
  EXPECT_EQ(getZoomChannel(3), 0);
  EXPECT_EQ(canSwitchPlaybackChannel(3), 0);
  setPlaybackType(9, 1);
  EXPECT_EQ(getPlaybackType(9), 0) << "an unknown output keeps nothing";
}

}  // namespace
}  // namespace services_test
