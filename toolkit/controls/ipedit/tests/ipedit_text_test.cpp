#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/ipedit/ipedit.h"

namespace {

using ipedit::Assemble;
using ipedit::Split;

TEST(IpEditTextTest, AddressesAreAssembledFromTheFields) {
  struct Row {
    ipedit::Variant variant;
    std::vector<std::string> fields;
    const char* address;
  } rows[] = {
      {ipedit::kIpv4, {"010", "", "0", "1"}, "10.0.0.1"},
      {ipedit::kIpv4, {"192", "168", "001", "255"}, "192.168.1.255"},
      {ipedit::kIpv4, {"", "", "", ""}, "0.0.0.0"},
      {ipedit::kMac, {"a", "", "0B", "1", "ff", "00"}, "0a:00:0B:01:ff:00"},
      {ipedit::kMac, {"", "", "", "", "", ""}, "00:00:00:00:00:00"},
  };
  for (const Row& row : rows) EXPECT_EQ(Assemble(row.variant, row.fields), row.address);
}

TEST(IpEditTextTest, AddressesAreSplitAtTheirSeparators) {
  struct Row {
    ipedit::Variant variant;
    const char* text;
    std::vector<std::string> parts;
  } rows[] = {
      {ipedit::kIpv4, "10.0.0.1", {"10", "0", "0", "1"}},
      {ipedit::kIpv4, "192.168", {"192", "168"}},         // only what it contains
      {ipedit::kIpv4, "1.2.3.45678", {"1", "2", "3", "456"}},  // the last part is cut
      {ipedit::kIpv4, "1..3", {"1", "", "3"}},
      {ipedit::kIpv4, "", {}},
      {ipedit::kMac, "0a:1b:2c:3d:4e:5f", {"0a", "1b", "2c", "3d", "4e", "5f"}},
      {ipedit::kMac, "12:345", {"12", "34"}},
      {ipedit::kIpv4, "0a:1b", {"0a:"}},  // a MAC text in an IPv4 edit is one field, cut
  };
  for (const Row& row : rows) EXPECT_EQ(Split(row.variant, row.text), row.parts) << row.text;
}

}  // namespace
