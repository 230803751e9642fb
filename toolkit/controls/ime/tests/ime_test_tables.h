// Small code tables written into a scratch directory for the input-method
// tests, and a way to damage their bytes.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "controls/ime/ime_table.h"
#include "tools/imetables/ime_table_writer.h"

namespace imetest {

class Scratch {
 public:
  Scratch() {
    char pattern[] = "/tmp/ime_test_XXXXXX";
    const char* made = ::mkdtemp(pattern);
    path_ = made ? std::string(made) + "/" : "";
  }
  ~Scratch() {
    if (!path_.empty()) (void)std::system(("rm -rf '" + path_ + "'").c_str());
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteTable(const std::string& tabPath, const imetables::TableFiles& files) {
  WriteBytes(tabPath, files.tab);
  if (!files.phr.empty()) WriteBytes(tabPath + ".phr", files.phr);
  if (!files.lx.empty()) WriteBytes(tabPath + ".lx", files.lx);
}

template <typename T>
void Poke(std::string* bytes, size_t offset, T value) {
  std::memcpy(&(*bytes)[offset], &value, sizeof value);
}

// GB2312 texts used below.
constexpr const char* kNi = "\xC4\xE3";      // ni
constexpr const char* kNi2 = "\xC4\xE2";     // a second ni
constexpr const char* kHao = "\xBA\xC3";     // hao
constexpr const char* kNiHao = "\xC4\xE3\xBA\xC3";
constexpr const char* kNiMen = "\xC4\xE3\xC3\xC7";
constexpr const char* kA = "\xB0\xA1";       // first indexed character

// Letters as keys; seven "ni" characters so that "ni" spans two pages.
inline imetables::TableDraft SmallDraft() {
  imetables::TableDraft d;
  d.name = "small";
  d.displayName = "\xC6\xB4";
  d.keyChars = "abcdefghijklmnopqrstuvwxyz";
  d.entries = {{kNi, "ni", 100},     {kNi2, "ni", 90},       {"\xC4\xE0", "ni", 80}, {"\xC4\xE1", "ni", 70},
               {"\xC4\xE4", "ni", 60}, {"\xC4\xE5", "ni", 50}, {"\xC4\xE6", "ni", 40}, {kHao, "hao", 100},
               {kNiHao, "nihao", 95}, {kNiMen, "nimen", 30},  {kA, "a", 10},           {"\xB0\xA2", "ao", 5}};
  return d;
}

}  // namespace imetest
