// Address records and their texts. The IPv4 word holds the address in
// dotted order; the IPv6 word refers to an address text the device keeps,
// 0 for none.
#include <arpa/inet.h>

#include <cstdio>
#include <cstring>

#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"
#include "app/formatting.h"

using devsim::Kind;

namespace {

// The same text always gets the same reference, so records compare equal
// when their addresses do.
uint32_t keepV6Text(const char* text) {
  devsim::V6Text entry{};
  std::snprintf(entry.text, sizeof entry.text, "%s", text);
  uint32_t ref = 1;
  for (devsim::V6Text kept; devsim::fetch(Kind::NetV6Text, static_cast<int>(ref), &kept, sizeof kept); ++ref)
    if (std::strcmp(kept.text, entry.text) == 0) return ref;
  devsim::keepValue(Kind::NetV6Text, static_cast<int>(ref), entry);
  return ref;
}

bool badBuffer(const char* out, int size) { return !out || size < 1; }

bool hasV6Text(uint32_t ref) {
  devsim::V6Text kept;
  return ref <= 0x7fffffffu && devsim::fetch(Kind::NetV6Text, static_cast<int>(ref), &kept, sizeof kept);
}

// Clears a reference whose text is lost; true when it did.
bool dropIfLost(uint32_t& ref) {
  if (ref == 0 || hasV6Text(ref)) return false;
  ref = 0;
  return true;
}

}  // namespace

namespace devsim {

void dropLostV6References() {
  NetConfig net;
  if (!fetch(Kind::NetConfig, 0, &net, sizeof net)) return;
  bool dropped = false;
  for (NetAddress* a : {&net.alarmHost, &net.dns1, &net.dns2, &net.multicast}) dropped |= dropIfLost(a->ipv6);
  // The interfaces' extra records also hold the IPv6 gateway in their last word.
  for (NetAddress* a : {&net.interfaceExtra[0], &net.interfaceExtra[1], &net.bondExtra}) {
    dropped |= dropIfLost(a->ipv6);
    dropped |= dropIfLost(a->reserved);
  }
  if (dropped) keepValue(Kind::NetConfig, 0, net);
}

}  // namespace devsim

extern "C" {

int ipv4ToText(uint32_t word, char* out, int size) {
  DEVICE_ENTER(ipv4ToText, nullptr, 0, word);
  if (badBuffer(out, size)) return -1;
  uint8_t bytes[4];
  std::memcpy(bytes, &word, sizeof bytes);
  return formatIpAddr(bytes, out, size);
}

int ipv6ToText(uint32_t word, char* out, int size) {
  DEVICE_ENTER(ipv6ToText, nullptr, 0, word);
  if (badBuffer(out, size)) return -1;
  devsim::V6Text kept{};
  if (word != 0 && (word > 0x7fffffffu || !devsim::fetch(Kind::NetV6Text, static_cast<int>(word), &kept, sizeof kept)))
    return -1;
  std::snprintf(out, static_cast<size_t>(size), "%s", word == 0 ? "::" : kept.text);
  return 0;
}

int textToNetAddress(const char* text, NetAddress* out) {
  DEVICE_ENTER(textToNetAddress, out, out ? sizeof *out : 0);
  if (!text || !out || std::strlen(text) >= NET_ADDRESS_TEXT_SIZE) return -1;
  unsigned char bytes[16];
  NetAddress address{};
  if (inet_pton(AF_INET, text, bytes) == 1) {
    std::memcpy(&address.ipv4, bytes, sizeof address.ipv4);
  } else if (inet_pton(AF_INET6, text, bytes) == 1) {
    address.ipv6 = keepV6Text(text);
  } else {
    return -2;
  }
  *out = address;
  return 0;
}

}  // extern "C"
