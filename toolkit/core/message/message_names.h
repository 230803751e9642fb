// Message numbers by the names the public headers give them, for traces and
// for test failures.
#pragma once

#include <cstddef>
#include <string>

struct MessageNameEntry {
  unsigned number;
  const char* name;
};

// Generated from include/gui at build time: sorted by number, one entry per
// number (controls that share a number have their names joined by '/').
extern const MessageNameEntry kMessageNames[];
extern const size_t kMessageNameCount;

// The name of `message`, or null for a number without one.
const char* MessageName(unsigned message);
// "MSG_LBUTTONDOWN (0x0001)", or the number alone ("0x0400") without a name.
std::string DescribeMessage(int message);
