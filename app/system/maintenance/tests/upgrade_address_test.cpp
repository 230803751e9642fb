// The FTP upgrade's address check against a model that splits the text
// into groups, over the documented cases and random texts.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/maintenance_pages.h"

namespace {

bool Model(const std::string& text) {
  std::vector<std::string> groups(1);
  for (char c : text) {
    if (c == '.') groups.emplace_back();
    else if (c >= '0' && c <= '9') groups.back() += c;
    else return false;
  }
  if (groups.size() != 4 && groups.size() != 6) return false;
  for (const std::string& g : groups) {
    if (g.empty()) return false;
    if (groups.size() == 6) continue;
    const size_t first = g.find_first_not_of('0');
    const std::string digits = first == std::string::npos ? "0" : g.substr(first);
    if (digits.size() > 3 || std::stoi(digits) > 255) return false;
  }
  return true;
}

TEST(UpgradeAddress, AcceptsFourBytesOrSixGroupsAndNothingElse) {
  struct Row {
    const char* text;
    bool valid;
  } rows[] = {
      {"192.168.1.1", true},  {"1.2.3.4.5.6", true},   {"0.0.0.0", true},       {"255.255.255.255", true},
      {"192.168.1.256", false}, {"192..1.1", false},   {".1.2.3", false},       {"1.2.3.", false},
      {"1.2.3", false},       {"", false},             {"...", false},          {"1.2.3.4.5", false},
      {"1.2.3.4.5.6.7", false}, {"1.2.3.a", false},    {"1.2.3.4 ", false},     {"999.1.1.1", false},
      {"1.2.3.99999999999999999999", false}, {"1.2.3.000255", true}, {"999999.1.2.3.4.5", true},
      {"-1.2.3.4", false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(isValidUpgradeIp(row.text) != 0, row.valid) << row.text;
    EXPECT_EQ(Model(row.text), row.valid) << "model: " << row.text;
  }
  EXPECT_FALSE(isValidUpgradeIp(nullptr));
}

TEST(UpgradeAddress, RandomTextsAgreeWithTheModel) {
  std::mt19937 rng(3);
  const std::string alphabet = "0123456789....2x";
  for (int i = 0; i < 50000; ++i) {
    std::string text;
    const int length = static_cast<int>(rng() % 22);
    for (int c = 0; c < length; ++c) text += alphabet[rng() % alphabet.size()];
    ASSERT_EQ(isValidUpgradeIp(text.c_str()) != 0, Model(text)) << text;
  }
}

}  // namespace
