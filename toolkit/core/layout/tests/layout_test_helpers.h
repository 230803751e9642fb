// A small device and a small layout for the layout tests: fake output
// answers, a layout file written to a scratch directory, and language text
// files beside it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gui/app_hooks.h"
#include "gui/layout.h"

namespace layout_test {

struct FakeDevice {
  int outputCount = 1;
  int mainType = 1;  // 0 marks a low-resolution output
  int auxType = 1;
  int languageId = 1;
  int mainResolutionCode = 0;
};

// The device the installed call-backs answer for; tests change it freely.
FakeDevice& Device();

// The layout every test starts from: four windows (displayset, login,
// setup, commons), both soft keyboards, popup and start menu bitmaps.
extern const char* const kTestLayout;
// A text file of language index 5 for that layout.
extern const char* const kTestStrings5;

// Language ids of indexes 0, 1 and 5.
constexpr int kEnglishId = 1;
constexpr int kChineseId = 2;
constexpr int kIndex5Id = 32;

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  void Write(const std::string& name, const std::string& text) const;
  // Writes the main layout and points the main path at it.
  void UseMainLayout(const std::string& text) const;
  void UseAuxLayout(const std::string& text) const;
  void WriteStrings(int index, const std::string& text) const;
  // The caption of a main-display control, or "<none>" / "<missing>".
  static std::string Caption(const char* window, const char* control);

 private:
  std::string dir_;
};

// kTestLayout with one line replaced (the first line starting with `from`).
std::string ReplaceLine(const std::string& text, const std::string& from, const std::string& to);

}  // namespace layout_test
