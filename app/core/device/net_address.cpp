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

struct V6Text {
  char text[NET_ADDRESS_TEXT_SIZE];
};

// The same text always gets the same reference, so records compare equal
// when their addresses do.
uint32_t keepV6Text(const char* text) {
  V6Text entry{};
  std::snprintf(entry.text, sizeof entry.text, "%s", text);
  uint32_t ref = 1;
  for (V6Text kept; devsim::fetch(Kind::NetV6Text, static_cast<int>(ref), &kept, sizeof kept); ++ref)
    if (std::strcmp(kept.text, entry.text) == 0) return ref;
  devsim::keepValue(Kind::NetV6Text, static_cast<int>(ref), entry);
  return ref;
}

bool badBuffer(const char* out, int size) { return !out || size < 1; }

}  // namespace

extern "C" {

int ipv4ToText(uint32_t word, char* out, int size) {
  DEVICE_ENTER(nullptr, 0, word);
  if (badBuffer(out, size)) return -1;
  uint8_t bytes[4];
  std::memcpy(bytes, &word, sizeof bytes);
  return formatIpAddr(bytes, out, size);
}

int ipv6ToText(uint32_t word, char* out, int size) {
  DEVICE_ENTER(nullptr, 0, word);
  if (badBuffer(out, size)) return -1;
  V6Text kept{};
  if (word != 0 && (word > 0x7fffffffu || !devsim::fetch(Kind::NetV6Text, static_cast<int>(word), &kept, sizeof kept)))
    return -1;
  std::snprintf(out, static_cast<size_t>(size), "%s", word == 0 ? "::" : kept.text);
  return 0;
}

int textToNetAddress(const char* text, NetAddress* out) {
  DEVICE_ENTER(out, out ? sizeof *out : 0);
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
