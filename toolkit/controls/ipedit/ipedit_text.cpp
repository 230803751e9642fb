#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/ipedit/ipedit.h"

namespace ipedit {

int FieldCount(Variant v) { return v == kIpv4 ? 4 : v == kMac ? 6 : 0; }

std::string Assemble(Variant v, const std::vector<std::string>& fields) {
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += v == kIpv4 ? "." : ":";
    if (v == kIpv4) {
      char number[16];
      std::snprintf(number, sizeof number, "%d", static_cast<int>(std::strtol(fields[i].c_str(), nullptr, 10)));
      out += number;
    } else if (fields[i].empty()) {
      out += "00";
    } else {
      out += fields[i].size() == 1 ? "0" + fields[i] : fields[i].substr(0, 2);
    }
  }
  return out;
}

std::vector<std::string> Split(Variant v, const char* text) {
  std::vector<std::string> parts;
  if (!text || !*text || v == kNone) return parts;
  const char separator = v == kIpv4 ? '.' : ':';
  const size_t width = v == kIpv4 ? 3 : 2;
  const int most = FieldCount(v);
  std::string part;
  for (const char* p = text;; ++p) {
    if (*p == separator || *p == '\0') {
      parts.push_back(part);
      part.clear();
      if (*p == '\0' || static_cast<int>(parts.size()) == most) break;
    } else {
      part += *p;
    }
  }
  if (parts.back().size() > width) parts.back().resize(width);
  return parts;
}

}  // namespace ipedit
