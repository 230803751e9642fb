// Shared set-up of the device-font tests: configuration values held in a
// map, and a fixture that leaves the global font lists empty.
#ifndef TOOLKIT_GDI_TEXT_TESTS_FONT_FIXTURE_H
#define TOOLKIT_GDI_TEXT_TESTS_FONT_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "gdi/text/devfont_load.h"
#include "gui/config.h"
#include "gui/font.h"

namespace fonttest {

// Where the build puts the generated raw fonts, seen from build/bin.
inline std::string RawFontPath(const char* file) {
  return std::string("../guiRes/rirurRes/font/") + file;
}

class ConfigMap {
 public:
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    values_[{section, key}] = value;
  }
  void SetFont(const char* section, int index, const std::string& name, const std::string& file) {
    Set(section, "name" + std::to_string(index), name);
    Set(section, "fontfile" + std::to_string(index), file);
  }
  devfont::ConfigRead Reader() const {
    return [this](const char* section, const char* key, char* value, int len) {
      auto it = values_.find({section, key});
      if (it == values_.end()) return ETC_NO_KEY;
      std::snprintf(value, static_cast<size_t>(len) + 1, "%s", it->second.c_str());
      return ETC_OK;
    };
  }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

class DevFontTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }

  static void Reset() {
    for (LogFont*& slot : g_SysLogFont) slot = nullptr;
    UnloadTrueTypeFonts();
    UnloadRawBitmapFonts();
    ClearDevFontLists();
  }
};

// Owns a LogFont for the length of a test.
struct LogFontHolder {
  explicit LogFontHolder(LogFont* lf) : font(lf) {}
  ~LogFontHolder() { DestroyLogFont(font); }
  LogFontHolder(const LogFontHolder&) = delete;
  LogFontHolder& operator=(const LogFontHolder&) = delete;
  LogFont* operator->() const { return font; }
  LogFont* get() const { return font; }
  LogFont* font;
};

}  // namespace fonttest

#endif
