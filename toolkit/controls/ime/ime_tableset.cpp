#include "controls/ime/ime_tableset.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "core/control_support.h"
#include "gui/gui_etc.h"
#include "gui/ime.h"

namespace ime {
namespace {

std::mutex g_configLock;
ImeConfig g_config;

constexpr int kPathBytes = 1024;
constexpr int kNameBytes = 256;

bool ReadValue(const char* key, int size, std::string* out) {
  std::vector<char> buffer(size + 1, '\0');
  if (GetGuiEtcValue("imeinfo", key, buffer.data(), size) < 0) return false;
  *out = buffer.data();
  return true;
}

}  // namespace

ImeConfig ConfiguredTables() {
  std::lock_guard<std::mutex> hold(g_configLock);
  return g_config;
}

void SetConfiguredTables(const ImeConfig& config) {
  std::lock_guard<std::mutex> hold(g_configLock);
  g_config = config;
}

bool TableSet::Load(const ImeConfig& config) {
  Release();
  slots_[0] = BuildIntCodeTable();
  count_ = 1;
  // Names missing for "imenumber" are empty, so such a table fails to load.
  const int wanted = std::min(config.number, kTableSlots - 1);
  for (int i = 0; i < wanted; ++i) {
    std::string name = i < static_cast<int>(config.names.size()) ? config.names[i] : std::string();
    TableFailure failure;
    slots_[count_] = LoadTable(config.path + name + ".tab", &failure);
    if (!slots_[count_]) {
      std::printf("IME: cannot load table %s%s.tab\n", config.path.c_str(), name.c_str());
      const std::string key = "[imeinfo] ime" + std::to_string(i);
      WarnOfUnusableFile("input-method table", failure.file.c_str(), key.c_str(), failure.reason,
                         "the input method is left out");
      Release();
      return false;
    }
    ++count_;
  }
  current_ = count_ > 1 ? 1 : 0;
  return true;
}

void TableSet::Release() {
  for (auto& slot : slots_) slot.reset();
  count_ = 0;
  current_ = 0;
}

}  // namespace ime

extern "C" int InitIME(void) {
  ime::ImeConfig config;
  std::string number;
  if (!ime::ReadValue("imetabpath", ime::kPathBytes, &config.path) || !ime::ReadValue("imenumber", 16, &number))
    return 0;
  config.number = std::atoi(number.c_str());
  // Below 1 leaves only the built-in method; a count that is no number or
  // below 0 is a damaged file, said so.
  char* end = nullptr;
  const long said = std::strtol(number.c_str(), &end, 10);
  if (end == number.c_str() || *end != '\0' || said < 0)
    WarnOfUnusableSetting("imeinfo", "imenumber", number.c_str(), "no count of tables",
                          config.number < 1 ? "no table" : std::to_string(config.number));
  const int names = std::min(config.number, ime::kMaxConfiguredNames);
  for (int i = 0; i < names; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "ime%d", i);
    std::string name;
    if (!ime::ReadValue(key, ime::kNameBytes, &name)) return 0;
    config.names.push_back(name);
  }
  ime::SetConfiguredTables(config);
  return 1;
}
