// The device's capability record and the frame of the simulated backend:
// handle, display outputs, worker threads, mutexes and value tables.
#include <pthread.h>

#include <condition_variable>
#include <mutex>

#include "app/core/device/sim_state.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"

namespace {

DeviceAbility g_ability;

void fillStreamTables(DeviceAbility* r) {
  for (int i = 0; i < ABILITY_RES_BITS; ++i) {
    r->mainBitrateKey[i] = 26;
    r->mainFrameRateMask[i] = 0x1ffff;
    r->subBitrateKey[i] = 26;
    r->subFrameRateMask[i] = 0x1ffff;
  }
}

void fillOutputsAndDisks(DeviceAbility* r) {
  r->capVersion = 6;
  r->capSubVersion = 9;
  r->outputHwType = 3;
  r->hdmiOut = 1;
  r->vgaOut = 1;
  r->cvbsOut = 1;
  r->unnamed7 = 1;
  r->outResMaskKind2 = 4276;
  r->outResMaskKind1 = 3125;
  r->outputModeFlags = 2;
  r->unnamed11 = 8;
  r->esataNum = 1;
  r->localDiskNum = 17;
  r->unnamed14[0] = 1;
  r->unnamed14[1] = 8;
  r->unnamed14[2] = 8;
  r->miniSasNum = 96;
  r->diskCapacityGb = 0;
  r->limits[0] = 4000;
  r->limits[1] = 2000;
  r->limits[2] = 16318;
  r->recordTypeMask = 95;
  r->eventTypeMask = 6;
  r->unnamed24 = 0;
  r->storageFlags = 247;
}

void fillChannelsAndNetwork(DeviceAbility* r) {
  r->analogChanNum = 16;
  r->unnamed27 = 3;
  r->unnamed28 = 3;
  r->counts[0] = 16;
  r->counts[1] = 32;
  r->unnamed31 = 16;
  r->smallValues[0] = 1;
  r->smallValues[1] = 2;
  r->smallValues[2] = 1;
  r->smallValues[3] = 2;
  r->smallValues[4] = 1;
  r->unnamed37 = 1;
  r->storageFlagBytes[0] = 1;
  r->storageFlagBytes[1] = 1;
  r->esataFunction = 1;
  r->unnamed41 = 111;
  r->nicNum = 1;
  r->netDetectKind = 2;
  r->sizes[0] = 80;
  r->sizes[1] = 160;
  r->sizes[2] = 160;
  for (uint8_t& kind : r->nicModeKinds) kind = 3;
  r->netsetKind = 2;
  r->netFlags = 183;
  r->unnamed50 = 0xFFFFFFFFu;
  r->unnamed51 = 0;
}

void fillStreams(DeviceAbility* r) {
  r->streamLimits[0] = 0x400000;
  r->streamLimits[1] = 0x80000;
  r->streamLimits[2] = 0x20000;
  r->cameraOptionByte = 1;
  r->unnamed56 = 8;
  r->mainResMask = 27;
  r->subResMask = 3;
  fillStreamTables(r);
  r->osdCapByte = 5;
  r->captureOptionMask = 19;
  r->unnamed65 = 64;
  r->splitMask = 1133;
  r->pictureFlags = 295;
}

void fillDisplayAndPorts(DeviceAbility* r) {
  r->videoOutputCount = 1;
  r->colorDepthCode = 3;
  r->unnamed70 = 4;
  r->displayFlags = 1;
  r->maxSyncPlayChans = 4;
  r->reversePlayChans = 4;
  r->unnamed74 = 8;
  r->playbackFlags = 0;
  r->rs232Num = 1;
  r->logSearchKind = 1;
  r->baudMaskRs232 = 24575;
  r->baudMaskPtz = 24448;
  r->alarmInNum = 16;
  r->alarmOutNum = 4;
  r->unnamed82 = 1;
  r->unnamed83 = 16;
  r->unnamed84 = 1591899;
  r->chanSlotKind = 32;
  r->streamProtocolMask = 1;
  r->poeFlags = 0;
  r->tailCounts[0] = 128;
  r->tailCounts[1] = 32;
  r->tailCounts[2] = 64;
  r->playbackKeyFlags = 0;
  r->storageModeFlags = 6;
  r->displayModeFlags = 24;
  r->systemFlags = 28080;
}

// The worker threads still running. Never destroyed: a worker's last step
// reads it while the process may already be on its way out.
struct Workers {
  std::mutex lock;
  std::condition_variable ended;
  int running = 0;
};

Workers& workers() {
  static Workers* const w = new Workers;
  return *w;
}

void* threadTrampoline(void* entry) {
  // The entry always gets a null argument, whatever the caller passed.
  auto fn = reinterpret_cast<void* (*)(void*)>(entry);
  void* result = fn(nullptr);
  std::lock_guard<std::mutex> hold(workers().lock);
  --workers().running;
  workers().ended.notify_all();
  return result;
}

}  // namespace

namespace device_seam {
DeviceAbility* mutableAbility() { return &g_ability; }
}  // namespace device_seam

extern "C" {

const DeviceAbility* getDeviceAbility(void) { return &g_ability; }

int getDeviceHandle(void) { return DEVICE_HANDLE; }

int fillDeviceAbility(int, DeviceAbility* record) {
  if (!record) return -1;
  fillOutputsAndDisks(record);
  fillChannelsAndNetwork(record);
  fillStreams(record);
  fillDisplayAndPorts(record);
  return 0;
}

int initDeviceAbility(void) {
  g_ability.analogChanNum = 16;
  g_ability.unnamed31 = 16;
  g_ability.alarmInNum = 16;
  g_ability.alarmOutNum = 4;
  g_ability.nicNum = 1;
  g_ability.unnamed37 = 1;
  g_ability.vgaOut = 1;
  g_ability.unnamed28 = 3;
  fillDeviceAbility(getDeviceHandle(), &g_ability);
  return 0;
}

int getDisplayOutputIds(int* mainOut, int* auxOut) {
  DEVICE_ENTER(getDisplayOutputIds, nullptr, 0);
  if (!mainOut || !auxOut) return 2;
  *mainOut = 3;
  *auxOut = 1;
  return 0;
}

// An override may answer the type (0: a low-resolution output).
int getDisplayOutputType(int output, int* typeOut) {
  DEVICE_ENTER(getDisplayOutputType, typeOut, typeOut ? sizeof *typeOut : 0, output);
  if (typeOut) *typeOut = 1;
  return 0;
}

DEVICE_CONSTANT(getVideoOutNum, 3)

int getSelectableOutputNum(void) {
  DEVICE_ENTER(getSelectableOutputNum, nullptr, 0);
  int outputs = getVideoOutNum();
  if (outputs < 1) return -1;
  return outputs - hasHdmiVgaMode();
}

DEVICE_CONSTANT(gui_get_galengin, 2)

int createDetachedThread(const char*, int, int, void* (*entry)(void*), void*) {
  DEVICE_ENTER(createDetachedThread, nullptr, 0);
  if (!entry) return -1;
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) return -1;
  pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
  pthread_t thread;
  // A thread that cannot start is reported, so callers do not wait for work
  // that never runs.
  std::lock_guard<std::mutex> hold(workers().lock);
  int rc = pthread_create(&thread, &attr, threadTrampoline, reinterpret_cast<void*>(entry));
  pthread_attr_destroy(&attr);
  if (rc != 0) return -1;
  ++workers().running;
  return 0;
}

void waitForWorkerThreads(void) {
  std::unique_lock<std::mutex> hold(workers().lock);
  workers().ended.wait(hold, [] { return workers().running == 0; });
}

int lockMutexInit(pthread_mutex_t* mutex) {
  if (mutex) pthread_mutex_init(mutex, nullptr);
  return 0;
}

int lockMutexDestroy(pthread_mutex_t* mutex) {
  if (mutex) pthread_mutex_destroy(mutex);
  return 0;
}

uint32_t findTableKeyByValue(const ValueTable* table, uint32_t value) {
  for (const ValueTablePair* p = table->pairs; p->key != VALUE_TABLE_END; ++p)
    if (p->value == value) return p->key;
  return table->defaultValue;
}

uint32_t findTableValueByKey(const ValueTable* table, uint32_t key) {
  for (const ValueTablePair* p = table->pairs; p->key != VALUE_TABLE_END; ++p)
    if (p->key == key) return p->value;
  return table->defaultValue;
}

}  // extern "C"
