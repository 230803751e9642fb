// A main configuration object held in memory for the length of a test, so
// that the input layer reads exactly the keys a test gives it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gui/gui_etc.h"

struct ConfigKey {
  std::string section, key, value;
};

inline std::vector<ConfigKey> DefaultInputKeys() {
  return {{"system", "ial_engine", "Win"},   {"system", "mdev", "/dev/input/mice"},
          {"system", "mtype", "IMPS2"},       {"mouse", "dblclicktime", "300"},
          {"event", "timeoutusec", "300000"}, {"event", "repeatusec", "50000"}};
}

// Replaces or (with an empty value) drops one key of a list.
inline std::vector<ConfigKey> With(std::vector<ConfigKey> keys, const std::string& key, const std::string& value) {
  std::vector<ConfigKey> out;
  bool replaced = false;
  for (ConfigKey& k : keys) {
    if (k.key != key) {
      out.push_back(std::move(k));
    } else if (!value.empty()) {
      out.push_back({k.section, key, value});
      replaced = true;
    } else {
      replaced = true;
    }
  }
  if (!replaced && !value.empty()) out.push_back({"event", key, value});
  return out;
}

class ConfigScope {
 public:
  explicit ConfigScope(const std::vector<ConfigKey>& keys) : saved_(hGuiEtc), object_(LoadEtcFile(nullptr)) {
    for (const ConfigKey& k : keys)
      GetValueFromEtc(object_, k.section.c_str(), k.key.c_str(), const_cast<char*>(k.value.c_str()), 0);
    hGuiEtc = object_;
  }
  ~ConfigScope() {
    hGuiEtc = saved_;
    UnloadEtcFile(object_);
  }
  ConfigScope(const ConfigScope&) = delete;
  ConfigScope& operator=(const ConfigScope&) = delete;

 private:
  EtcFile* saved_;
  EtcFile* object_;
};
