// Address texts typed into the network pages and the e-mail address check.
// First byte: the output buffer's size for the record-to-text direction;
// the rest is the text. A text that converts must convert back to itself
// (IPv4 in its dotted form), and no conversion writes past its buffer.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/formatting.h"

namespace {

constexpr size_t kBuffer = 96;
constexpr unsigned char kUnwritten = 0xA5;

// The word's text into `room` bytes of a marked buffer: nothing past the
// room is written, and a success leaves an ended text within it.
void ToTextStaysInside(int (*toText)(uint32_t, char*, int), uint32_t word, int room) {
  char buf[kBuffer];
  std::memset(buf, kUnwritten, sizeof buf);
  const int rc = toText(word, buf, room);
  for (size_t i = static_cast<size_t>(room > 0 ? room : 0); i < sizeof buf; ++i)
    if (static_cast<unsigned char>(buf[i]) != kUnwritten) __builtin_trap();
  if (rc == 0 && (room < 1 || strnlen(buf, static_cast<size_t>(room)) >= static_cast<size_t>(room))) __builtin_trap();
}

void RoundTrip(const std::string& text) {
  NetAddress address{};
  std::memset(&address, kUnwritten, sizeof address);
  const NetAddress before = address;
  if (textToNetAddress(text.c_str(), &address) < 0) {
    // A refused text leaves the record as it was.
    if (std::memcmp(&address, &before, sizeof address) != 0) __builtin_trap();
    return;
  }
  if (address.ipv4 != 0 && address.ipv6 != 0) __builtin_trap();
  char back[NET_ADDRESS_TEXT_SIZE];
  const bool v6 = address.ipv6 != 0;
  if ((v6 ? ipv6ToText(address.ipv6, back, sizeof back) : ipv4ToText(address.ipv4, back, sizeof back)) != 0)
    __builtin_trap();
  NetAddress again{};
  if (textToNetAddress(back, &again) < 0 || std::memcmp(&again, &address, sizeof again) != 0) __builtin_trap();
}

void EmailCheck(const std::string& text) {
  const int valid = isValidEmailAddr(text.c_str());
  const std::string ended(text.c_str());
  if (valid != 0 && valid != 1) __builtin_trap();
  if (valid && !ended.empty() && (ended.find('@') == std::string::npos || ended.front() == '@' || ended.back() == '@'))
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static unsigned runs = 0;
  // The device keeps every IPv6 text it was given: start afresh now and then.
  if (++runs % 256 == 0) device_seam::resetKeptRecords();
  if (size < 1) return 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  RoundTrip(text);
  EmailCheck(text);
  const int room = static_cast<int>(data[0] % kBuffer);
  uint32_t word = 0;
  std::memcpy(&word, text.data(), std::min(sizeof word, text.size()));
  ToTextStaysInside(ipv4ToText, word, room);
  ToTextStaysInside(ipv6ToText, word, room);
  NetAddress kept{};
  if (textToNetAddress(text.c_str(), &kept) == 0 && kept.ipv6 != 0) ToTextStaysInside(ipv6ToText, kept.ipv6, room);
  return 0;
}
