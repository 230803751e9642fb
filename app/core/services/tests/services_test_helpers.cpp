#include "services_test_helpers.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "core/layout/source_files.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"

namespace services_test {

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Renames every dropped key, so the section keeps its control count and the
// key is no longer found.
std::string Without(const std::string& text, const std::vector<std::string>& drop) {
  std::istringstream in(text);
  std::string line, out;
  while (std::getline(in, line)) {
    for (const auto& key : drop)
      if (line.rfind(key + "=", 0) == 0 || line.rfind(key + "_cap", 0) == 0) line = "gone_" + line;
    out += line + "\n";
  }
  return out;
}

}  // namespace

void ServicesTest::LoadShippedLayout(const std::vector<std::string>& drop) {
  layout::SetTextFileDirectory("");
  ASSERT_TRUE(InitEtcFilePath());
  if (!drop.empty()) {
    const std::string path = DroppedLayoutPath();
    std::ofstream(path, std::ios::binary) << Without(ReadFile(ETCFILEPATH), drop);
    std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", path.c_str());
  }
  ASSERT_TRUE(LoadLayoutRes());
}

void ServicesTest::UseLanguage(int languageId) {
  changeCachedDeviceConfig([languageId](DeviceConfig& config) { config.language = languageId; });
  SetSysInfoLanguage(languageId);
  ASSERT_TRUE(LoadStrings());
}

}  // namespace services_test
