// The device backend from several threads: the kept records, the live-view
// state and the seam share one lock, and detached workers start with a null
// argument, and the end waits for them.
#include <atomic>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <sched.h>
#include <unistd.h>

#include "app/core/device/sim_state.h"
#include "app/program.h"
#include "device_test_helpers.h"

namespace {

TEST_F(DeviceTest, KeptRecordsStayWholeUnderTwoThreads) {
  device_seam::startCallLog();
  constexpr int kRounds = 2000;
  // Whole records under two threads are the point, not each answer.
  auto writer = [](int channel, uint8_t value) {
    for (int i = 0; i < kRounds; ++i) {
      ChannelConfig config{};
      std::memset(&config, value, sizeof config);
      (void)setChannelConfig(nullptr, channel, &config, 1);
      ChannelConfig back;
      getChannelConfig(nullptr, 1, &back);
      // A record is read whole: every byte from the same write.
      for (size_t b = 1; b < sizeof back; ++b)
        if (reinterpret_cast<uint8_t*>(&back)[b] != reinterpret_cast<uint8_t*>(&back)[0]) {
          ADD_FAILURE() << "torn record at byte " << b;
          return;
        }
      (void)startManualRecord(0, 1ull << (value % 64), 1);
      showLiveSplit(3, i % 2 ? 4 : 9, 1);
    }
  };
  std::thread a(writer, 1, 0x11);
  std::thread b(writer, 1, 0x22);
  a.join();
  b.join();
  EXPECT_EQ(device_seam::callLog().size(), 2u * kRounds * 4);
  EXPECT_EQ(getRecordingChanMask(), (1ull << (0x11 % 64)) | (1ull << (0x22 % 64)));
}

std::atomic<int> g_workerRuns{0};
std::atomic<bool> g_workerArgWasNull{false};

void* worker(void* arg) {
  g_workerArgWasNull = arg == nullptr;
  g_workerRuns.fetch_add(1);
  return nullptr;
}

TEST_F(DeviceTest, DetachedWorkerRunsWithANullArgument) {
  int marker = 0;
  ASSERT_EQ(createDetachedThread("worker", 50, 8192, worker, &marker), 0);
  waitForWorkerThreads();
  EXPECT_EQ(g_workerRuns.load(), 1);
  EXPECT_TRUE(g_workerArgWasNull.load());
}

std::atomic<bool> g_workersGo{false};
std::atomic<int> g_workersDone{0};

// Still at work when the end comes: it goes on only once released.
void* lateWorker(void*) {
  while (!g_workersGo.load()) sched_yield();
  for (int i = 0; i < 1000; ++i) sched_yield();  // the rest of its work
  g_workersDone.fetch_add(1);
  return nullptr;
}

// The program's end waits for every worker, so that none reaches into what
// the end frees; with none running the wait returns at once.
TEST_F(DeviceTest, TheEndWaitsUntilEveryWorkerHasReturned) {
  waitForWorkerThreads();
  g_workersGo = false;
  g_workersDone = 0;
  for (int i = 0; i < 3; ++i) ASSERT_EQ(createDetachedThread("late", 50, 8192, lateWorker, nullptr), 0);
  g_workersGo = true;
  waitForWorkerThreads();
  EXPECT_EQ(g_workersDone.load(), 3);
}

// Pages apply on threads of their own, each writing the file after its
// message: however the writes interleave with the sets, the file written
// last holds every setting as it finally stands.
TEST_F(DeviceTest, SettingsAppliedOnSeveralThreadsAllReachTheFile) {
  char folder[] = "/tmp/device_store_thread_test.XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string path = std::string(folder) + "/device_params.dat";
  device_seam::setSettingsFile(path);
  constexpr int kRounds = 40;
  // Whole files under many writers are the point, not each answer.
  auto page = [](int channel) {
    for (int i = 1; i <= kRounds; ++i) {
      RecordConfig record{};
      record.postRecord = static_cast<uint32_t>(i);
      (void)setRecordConfig(nullptr, channel, &record, 1);
      writeChangedDeviceParams();
    }
  };
  std::thread a(page, 1), b(page, 2), c(page, 3);
  a.join();
  b.join();
  c.join();
  finishDeviceParams();
  const std::vector<uint8_t> kept = devsim::serializeSettings();
  device_seam::resetKeptRecords();
  loadSavedDeviceParams();
  EXPECT_EQ(devsim::serializeSettings(), kept);
  RecordConfig back{};
  getRecordConfig(nullptr, 3, &back, 1);
  EXPECT_EQ(back.postRecord, static_cast<uint32_t>(kRounds));
  std::remove(path.c_str());
  rmdir(folder);
  device_seam::setSettingsFile("");
}

}  // namespace
