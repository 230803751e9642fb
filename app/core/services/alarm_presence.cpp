// Whether the recorder or one of its IP cameras has alarm inputs (outputs):
// the system menu offers the alarm window, and the window its input and
// output pages, only then.
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/system_services.h"

namespace {

// A camera slot present in the IP channel mask whose counts are returned
// and name at least one input (`inputs`) or output.
bool anyIpCameraHas(bool inputs) {
  uint64_t mask = 0;
  getIpChannelNum(&mask);
  for (int slot = 1; slot <= IP_ALARM_CAMERAS; ++slot) {
    if (!((mask >> (slot - 1)) & 1u)) continue;
    int in = 0, out = 0;
    if (getChannelAlarmFlags(slot, &in, &out) == 0 && (inputs ? in : out) > 0) return true;
  }
  return false;
}

}  // namespace

extern "C" {

int hasAlarmIn(void) { return getAlarmInNum() > 0 || anyIpCameraHas(true) ? 1 : 0; }
int hasAlarmOut(void) { return getAlarmOutNum() > 0 || anyIpCameraHas(false) ? 1 : 0; }

}  // extern "C"
