// IP cameras: discovery and adding a camera as an IP channel.
#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"

using devsim::Kind;

extern "C" {

int startIpcDiscovery(OutputLogin*) {
  DEVICE_ENTER(startIpcDiscovery, nullptr, 0);
  return 0;
}

// No camera answers the simulated device's discovery.
int getDiscoveredIpcs(DiscoveredIpc* out, int max) {
  DEVICE_ENTER(getDiscoveredIpcs, out, out && max > 0 ? sizeof *out * static_cast<size_t>(max < IPC_DISCOVERY_MAX ? max : IPC_DISCOVERY_MAX) : 0,
               max);
  return out || max == 0 ? 0 : -1;
}

// The camera's record is kept at its position and the channel joins the IP
// channel mask that every channel count reads. A device of this kind takes
// IP channels 1 .. IP_CHANNEL_BOUND.
int addIpChannel(OutputLogin*, int ipChannel, const IpChannelInfo* in) {
  DEVICE_ENTER(addIpChannel, nullptr, 0, ipChannel);
  if (!in || ipChannel < 1 || ipChannel > IP_CHANNEL_BOUND) return -1;
  devsim::keepValue(Kind::IpChannel, ipChannel, *in);
  devsim::modifyValue<uint64_t>(Kind::IpChannel, devsim::kIpChannelMaskIndex, 0,
                                [ipChannel](uint64_t& mask) { mask |= uint64_t{1} << (ipChannel - 1); });
  return 0;
}

}  // extern "C"
