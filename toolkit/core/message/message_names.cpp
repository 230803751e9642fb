#include "core/message/message_names.h"

#include <algorithm>
#include <cstdio>

const char* MessageName(unsigned message) {
  const MessageNameEntry* end = kMessageNames + kMessageNameCount;
  const MessageNameEntry* at = std::lower_bound(
      kMessageNames, end, message, [](const MessageNameEntry& e, unsigned number) { return e.number < number; });
  return at != end && at->number == message ? at->name : nullptr;
}

std::string DescribeMessage(int message) {
  char number[16];
  std::snprintf(number, sizeof number, "0x%04x", static_cast<unsigned>(message));
  const char* name = MessageName(static_cast<unsigned>(message));
  return name ? std::string(name) + " (" + number + ")" : std::string(number);
}
