// The network record: its defaults, its checks, and the steps after a save.
#include <cstring>
#include <initializer_list>

#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

// The bytes of an address word in dotted order.
struct Quad {
  uint8_t b[4];
};
Quad quad(uint32_t word) {
  Quad q;
  std::memcpy(q.b, &word, sizeof word);
  return q;
}

// Dotted order to a number whose high byte is the first part, so that masks
// and host parts read as written.
uint32_t hostOrder(uint32_t word) {
  const Quad q = quad(word);
  return uint32_t{q.b[0]} << 24 | uint32_t{q.b[1]} << 16 | uint32_t{q.b[2]} << 8 | q.b[3];
}

bool isLoopback(uint32_t word) { return quad(word).b[0] == 127; }
// Multicast, reserved and the all-ones broadcast are no host addresses.
bool isNotUnicast(uint32_t word) { return quad(word).b[0] >= 224; }

int checkMask(uint32_t maskWord) {
  const uint32_t mask = hostOrder(maskWord);
  if (mask == 0) return NET_ERR_MASK;
  const uint32_t hosts = ~mask;
  // A run of ones from the top leaves a run of ones below it.
  return (hosts & (hosts + 1)) == 0 ? 0 : NET_ERR_MASK_VALUE;
}

int checkAddress(const NetInterfaceBlock& nic) {
  if (nic.ipv4 == 0 || isNotUnicast(nic.ipv4)) return NET_ERR_IPV4;
  if (isLoopback(nic.ipv4)) return NET_ERR_IPV4_LOOPBACK;
  if (int code = checkMask(nic.mask)) return code;
  const uint32_t hosts = ~hostOrder(nic.mask);
  const uint32_t host = hostOrder(nic.ipv4) & hosts;
  if (host == 0) return NET_ERR_HOST_ZERO;
  if (host == hosts) return NET_ERR_HOST_BROADCAST;
  if (isNotUnicast(nic.gateway)) return NET_ERR_GATEWAY;
  if (isLoopback(nic.gateway)) return NET_ERR_GATEWAY_LOOPBACK;
  return 0;
}

int checkInterface(const NetInterfaceBlock& nic, bool dhcp) {
  if (nic.mtu < NET_MTU_MIN || nic.mtu > NET_MTU_MAX) return NET_ERR_MTU;
  return dhcp ? 0 : checkAddress(nic);
}

int checkDns(const NetAddress& dns, int code) {
  return dns.ipv4 != 0 && (isLoopback(dns.ipv4) || isNotUnicast(dns.ipv4)) ? code : 0;
}

// The multicast field holds a group address or nothing.
int checkMulticast(const NetAddress& address) {
  const uint8_t first = quad(address.ipv4).b[0];
  return address.ipv4 == 0 || (first >= 224 && first <= 239) ? 0 : NET_ERR_MULTICAST;
}

int checkPortRanges(const NetConfig& net) {
  if (net.interfaces[0].servicePort < 2000) return NET_ERR_SERVICE_PORT;
  if (net.httpPort == 21 || net.httpPort == 23) return NET_ERR_HTTP_PORT;
  if (hasRtspPort() && net.rtspPort != 554 && net.rtspPort < 1024) return NET_ERR_RTSP_PORT;
  return 0;
}

// Two services of the device may not listen on one port; unset ports (0)
// clash with nothing.
int checkPortClash(const NetConfig& net) {
  const uint16_t ports[] = {net.interfaces[0].servicePort, net.httpPort,
                            static_cast<uint16_t>(net.httpsEnabled ? net.httpsPort : 0),
                            static_cast<uint16_t>(hasRtspPort() ? net.rtspPort : 0)};
  const size_t n = sizeof ports / sizeof ports[0];
  for (size_t i = 0; i < n; ++i)
    for (size_t j = i + 1; j < n; ++j)
      if (ports[i] != 0 && ports[i] == ports[j]) return NET_ERR_PORT_CLASH;
  return 0;
}

int checkInterfaces(const NetConfig& net) {
  if (int code = checkInterface(net.interfaces[0], net.dhcp[0] != 0)) return code;
  if (!hasMultiNic()) return 0;
  if (net.workMode != 2) return checkInterface(net.bond, net.bondDhcp != 0);
  if (int code = checkInterface(net.interfaces[1], net.dhcp[1] != 0)) return code;
  const uint32_t a = net.interfaces[0].ipv4, b = net.interfaces[1].ipv4;
  return !net.dhcp[0] && !net.dhcp[1] && a == b ? NET_ERR_ADDRESS_CLASH : 0;
}

int checkNet(const NetConfig& net) {
  if (int code = checkInterfaces(net)) return code;
  if (int code = checkDns(net.dns1, NET_ERR_PREFERRED_DNS)) return code;
  if (int code = checkDns(net.dns2, NET_ERR_ALTERNATE_DNS)) return code;
  if (net.pppoeEnabled && devsim::fieldLength(net.pppoeUser, sizeof net.pppoeUser) == 0)
    return NET_ERR_PPPOE_USER;
  if (int code = checkMulticast(net.multicast)) return code;
  if (int code = checkPortRanges(net)) return code;
  return checkPortClash(net);
}

bool sameAddress(const IpChannelInfo& camera, uint32_t word) {
  char text[sizeof camera.bytes + 1] = "";
  std::memcpy(text, camera.bytes, sizeof camera.bytes);
  NetAddress address{};
  return textToNetAddress(text, &address) >= 0 && address.ipv4 == word;
}

// The PoE ports' own network: a host address outside the LAN's network and
// apart from every added camera; 0 leaves the interface without one.
int checkPoe(OutputLogin* login, const NetAddress& poe) {
  if (poe.ipv4 == 0) return 0;
  if (isLoopback(poe.ipv4)) return NET_ERR_POE_LOOPBACK;
  if (quad(poe.ipv4).b[0] == 0 || isNotUnicast(poe.ipv4)) return NET_ERR_POE_INVALID;
  NetConfig net{};
  getNetConfig(login, &net);
  const NetInterfaceBlock& lan = net.interfaces[0];
  const uint32_t mask = lan.mask != 0 ? lan.mask : ~0u;
  if (lan.ipv4 != 0 && ((lan.ipv4 ^ poe.ipv4) & mask) == 0) return NET_ERR_POE_LAN_CLASH;
  for (int channel = 1; channel <= 64; ++channel) {
    IpChannelInfo camera{};
    if (devsim::fetch(Kind::IpChannel, channel, &camera, sizeof camera) && sameAddress(camera, poe.ipv4))
      return NET_ERR_POE_CAMERA_CLASH;
  }
  return 0;
}

void defaultNet(NetConfig* out) {
  zeroFill(out, sizeof *out);
  out->interfaces[0].mtu = 1500;
  out->interfaces[1].mtu = 1500;
  out->bond.mtu = 1500;
  for (NetInterfaceBlock* nic : {&out->interfaces[0], &out->interfaces[1], &out->bond}) nic->speed = 6;  // self-adaptive
  out->interfaces[0].servicePort = 8000;
  out->dhcp[0] = 1;
  out->workMode = 2;
  out->rtspPort = 2000;
  // The host tab refuses ports 0: a fresh device must be savable as it comes.
  out->httpPort = 80;
  out->httpsPort = 443;
}

}  // namespace

extern "C" {

int getNetConfig(OutputLogin*, NetConfig* out) {
  DEVICE_ENTER(getNetConfig, out, sizeof *out);
  if (!out) return 0;
  return devsim::answerKept(Kind::NetConfig, 0, out, [](NetConfig& r) { defaultNet(&r); });
}

int checkNetConfig(OutputLogin*, const NetConfig* in) {
  DEVICE_ENTER(checkNetConfig, nullptr, 0);
  return in ? checkNet(*in) : -1;
}

int setNetConfig(OutputLogin*, const NetConfig* in, int) {
  DEVICE_ENTER(setNetConfig, nullptr, 0, in ? in->interfaces[0].mtu : -1, in ? in->workMode : -1);
  return devsim::keepChecked(Kind::NetConfig, 0, in, checkNet);
}

int keepNetConfig(OutputLogin*, const NetConfig* in) {
  DEVICE_ENTER(keepNetConfig, nullptr, 0);
  return devsim::keepChecked(Kind::NetConfigPending, 0, in, checkNet);
}

// The network layer never refuses a change here.
int returnNoError(void) {
  DEVICE_ENTER(returnNoError, nullptr, 0);
  return 0;
}

// Saves what the last check kept; with nothing kept the record stays.
int saveNetConfig(OutputLogin* login) {
  DEVICE_ENTER(saveNetConfig, nullptr, 0);
  NetConfig pending;
  if (!devsim::fetch(Kind::NetConfigPending, 0, &pending, sizeof pending)) return 0;
  devsim::forget(Kind::NetConfigPending, 0);
  return setNetConfig(login, &pending, 1);
}

int checkNetPorts(OutputLogin*, const NetConfig* in) {
  DEVICE_ENTER(checkNetPorts, nullptr, 0);
  return in ? checkPortClash(*in) : -1;
}

int applyNetConfig(OutputLogin*) {
  DEVICE_ENTER(applyNetConfig, nullptr, 0);
  return 0;
}

int rebootDevice(OutputLogin*) {
  DEVICE_ENTER(rebootDevice, nullptr, 0);
  return 0;
}

int getPppoeHint(OutputLogin*, char out[16]) {
  DEVICE_ENTER(getPppoeHint, out, out ? 16 : 0);
  if (!out) return -1;
  zeroFill(out, 16);
  return 0;
}

int getPoeAddress(OutputLogin*, NetAddress* out) {
  DEVICE_ENTER(getPoeAddress, out, sizeof *out);
  return devsim::answerKeptOrZero(Kind::PoeAddress, 0, out);
}

int setPoeAddress(OutputLogin* login, const NetAddress* in) {
  DEVICE_ENTER(setPoeAddress, nullptr, 0, in ? in->ipv4 : -1);
  if (!in) return -1;
  if (const int code = checkPoe(login, *in)) return code;
  devsim::keepValue(Kind::PoeAddress, 0, *in);
  return 0;
}

DEVICE_CONSTANT(getNetInterfaceCount, -1)

}  // extern "C"
