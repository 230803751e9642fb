// Disk health on the simulated device: the bad-sector check and the
// S.M.A.R.T. report of each local disk with its self-test. Both move on as
// they are read, so that a page polling them sees them run to their end.
#include <cstring>

#include "app/core/device/fill.h"
#include "app/core/device/sim_state.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

// Sectors a simulated check covers, and the share one read moves it on.
constexpr uint64_t kCheckSectors = 2000000;
constexpr uint64_t kCheckStep = kCheckSectors / 20;
constexpr uint16_t kSelfTestStep = 25;

struct SelfTest {
  uint8_t type;
  uint8_t running;
  uint16_t progress;
};

// A local disk by its identifier halves; the disk number is port + 2 * bus + 1.
bool localDisk(int bus, int port) {
  if (bus < 0 || port < 0 || port > 1) return false;
  const int64_t number = int64_t{port} + 2 * int64_t{bus} + 1;
  return number >= 1 && number <= 8;
}

// Moves the disk check from one state to the next when it is in `from`.
int stepDiskCheck(uint32_t from, uint32_t to) {
  int result = -1;
  devsim::modifyValue(Kind::DiskCheck, 0, DiskCheckInfo{}, [&](DiskCheckInfo& info) {
    if (info.state != from) return;
    info.state = to;
    result = 0;
  });
  return result;
}

void advanceCheck(DiskCheckInfo& info) {
  if (info.state != DISK_CHECK_RUNNING) return;
  info.checkedEnd = info.checkedEnd + kCheckStep < info.rangeEnd ? info.checkedEnd + kCheckStep : info.rangeEnd;
  if (info.checkedEnd >= info.rangeEnd) info.state = DISK_CHECK_COMPLETE;
}

// The fixed report of every simulated disk: a few healthy attributes and
// one whose value sits at its threshold.
void fillSmartReport(DiskSmartInfo& out, int disk) {
  struct Row {
    uint8_t id;
    uint16_t flags;
    uint8_t value, worst, threshold;
    uint64_t raw;
  };
  static const Row kRows[] = {
      {1, 0x000F, 200, 200, 51, 0},       {3, 0x0027, 180, 176, 21, 5983},
      {5, 0x0033, 200, 200, 140, 0},      {9, 0x0032, 93, 93, 0, 5412},
      {194, 0x0022, 112, 103, 0, 38},     {197, 0x0032, 200, 200, 0, 0},
      {199, 0x003E, 200, 200, 0, 0},      {10, 0x0013, 97, 97, 97, 0x0000A1B2C3D4E5ull},
  };
  out.temperature = 38;
  out.powerOnTime = 5412 + static_cast<uint32_t>(disk);
  out.selfEvaluation = 0;
  out.overallEvaluation = 1;
  int i = 0;
  for (const Row& r : kRows) {
    SmartAttribute& a = out.values.attributes[i];
    a.id = r.id;
    a.flags = r.flags;
    a.value = r.value;
    a.worst = r.worst;
    for (int b = 0; b < 6; ++b) a.raw[b] = static_cast<uint8_t>(r.raw >> (8 * b));
    out.values.thresholds[i].id = r.id;
    out.values.thresholds[i].threshold = r.threshold;
    ++i;
  }
}

}  // namespace

extern "C" {

// --- Bad-sector check ---

int isDiskCheckable(int bus, int port) {
  DEVICE_ENTER(isDiskCheckable, nullptr, 0, bus, port);
  return localDisk(bus, port);
}

int getDiskCheckInfo(DiskCheckInfo* out) {
  DEVICE_ENTER(getDiskCheckInfo, out, sizeof *out);
  if (!out) return -1;
  *out = devsim::modifyValue(Kind::DiskCheck, 0, DiskCheckInfo{}, advanceCheck);
  return 0;
}

int startDiskCheck(int loginId, int disk, int type) {
  DEVICE_ENTER(startDiskCheck, nullptr, 0, loginId, disk, type);
  if (disk < 1 || disk > 8 || (type != 1 && type != 2)) return -1;
  DiskCheckInfo info{};
  info.idHigh = static_cast<uint32_t>((disk - 1) / 2);
  info.idLow = static_cast<uint32_t>((disk - 1) % 2);
  info.checkType = static_cast<uint32_t>(type);
  info.rangeEnd = kCheckSectors;
  info.state = DISK_CHECK_RUNNING;
  devsim::keepValue(Kind::DiskCheck, 0, info);
  return 0;
}

int pauseDiskCheck(int loginId) {
  DEVICE_ENTER(pauseDiskCheck, nullptr, 0, loginId);
  return stepDiskCheck(DISK_CHECK_RUNNING, DISK_CHECK_PAUSED);
}

int resumeDiskCheck(int loginId) {
  DEVICE_ENTER(resumeDiskCheck, nullptr, 0, loginId);
  return stepDiskCheck(DISK_CHECK_PAUSED, DISK_CHECK_RUNNING);
}

int cancelDiskCheck(int loginId) {
  DEVICE_ENTER(cancelDiskCheck, nullptr, 0, loginId);
  if (stepDiskCheck(DISK_CHECK_RUNNING, DISK_CHECK_ABORTED) == 0) return 0;
  return stepDiskCheck(DISK_CHECK_PAUSED, DISK_CHECK_ABORTED);
}

// --- S.M.A.R.T. ---

// A started self-test reads as running, 25 % further on each read, until a
// read after 100 % finds it ended without error.
int getDiskSmartInfo(DiskSmartInfo* out, int port, int bus) {
  DEVICE_ENTER(getDiskSmartInfo, out, sizeof *out, port, bus);
  if (!out || !localDisk(bus, port)) return -1;
  const int disk = port + 2 * bus + 1;
  zeroFill(out, sizeof *out);
  fillSmartReport(*out, disk);
  const SelfTest test = devsim::modifyValue(Kind::DiskSelfTest, disk, SelfTest{}, [](SelfTest& t) {
    if (!t.running) return;
    if (t.progress >= 100) {
      t.running = 0;
      return;
    }
    t.progress = static_cast<uint16_t>(t.progress + kSelfTestStep);
  });
  out->selfTestType = test.type;
  out->selfTestProgress = test.progress;
  out->selfTestStatus = test.running ? DISK_SELFTEST_RUNNING : 0;
  return 0;
}

int startDiskSelfTest(int loginId, int bus, int port, int type) {
  DEVICE_ENTER(startDiskSelfTest, nullptr, 0, loginId, bus, port, type);
  if (!localDisk(bus, port) || type < 1 || type > 3) return -1;
  devsim::keepValue(Kind::DiskSelfTest, port + 2 * bus + 1, SelfTest{static_cast<uint8_t>(type), 1, 0});
  return 0;
}

int getSmartCheckDisabled(int loginId, uint32_t* out) {
  DEVICE_ENTER(getSmartCheckDisabled, out, out ? sizeof *out : 0, loginId);
  if (!out) return -1;
  *out = devsim::fetchValue<uint32_t>(Kind::SmartCheckOff, 0, 0);
  return 0;
}

int setSmartCheckDisabled(int loginId, int flag) {
  DEVICE_ENTER(setSmartCheckDisabled, nullptr, 0, loginId, flag);
  devsim::keepValue<uint32_t>(Kind::SmartCheckOff, 0, flag != 0);
  return 0;
}

}  // extern "C"
