// The caption file of the third language is read by position: one line per
// window, then per window one line per control in layout order (controls
// past the last line keep their English caption). Both layout files must
// agree with it: a line too many shifts every caption after it.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Sections = std::map<std::string, std::vector<std::string>>;

// Section name -> its lines (comments dropped), in file order of names.
Sections Read(const std::string& path, std::vector<std::string>* order) {
  Sections sections;
  std::ifstream in(path);
  std::string line, current;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '#') continue;
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      current = line.substr(1, line.size() - 2);
      if (order) order->push_back(current);
      sections[current];
      continue;
    }
    if (!current.empty()) sections[current].push_back(line);
  }
  return sections;
}

int Number(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& l : lines)
    if (l.rfind(key + "=", 0) == 0) return std::stoi(l.substr(key.size() + 1));
  return -1;
}

// Windows whose every control has its German caption.
const std::set<std::string> kComplete{"shutdown", "shutdownhint", "copyweek", "handleset", "scheduleset"};

TEST(CaptionFiles, TheGermanCaptionsKeepStepWithBothLayouts) {
  std::vector<std::string> ignored;
  const Sections german = Read("../guiRes/rirurRes/string/gui_value6.cfg", &ignored);
  ASSERT_FALSE(german.empty());
  for (const char* file : {"../guiRes/rirurRes/conf/1024x768.cfg", "../guiRes/rirurRes/conf/720x576.cfg"}) {
    SCOPED_TRACE(file);
    std::vector<std::string> order;
    const Sections layout = Read(file, &order);
    ASSERT_FALSE(layout.empty());
    // The windows are the sections after [global_defines].
    std::vector<std::string> windows;
    bool after = false;
    for (const std::string& name : order) {
      if (after) windows.push_back(name);
      if (name == "global_defines") after = true;
    }
    EXPECT_EQ(Number(layout.at("menuinfo"), "win_number"), static_cast<int>(windows.size()));
    EXPECT_EQ(german.at("winsCaptions").size(), windows.size());
    for (const auto& [name, lines] : german) {
      if (name == "winsCaptions") continue;
      ASSERT_TRUE(layout.count(name)) << name;
      // Empty lines before the next section only separate it.
      size_t count = lines.size();
      while (count > 0 && lines[count - 1].empty()) --count;
      const int controls = Number(layout.at(name), "controlnumber");
      EXPECT_LE(static_cast<int>(count), controls) << name;
      if (kComplete.count(name)) {
        EXPECT_EQ(static_cast<int>(lines.size()), controls) << name;
      }
    }
  }
}

}  // namespace
