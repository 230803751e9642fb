#include "core/config/etc_text.h"

#include <cstring>

namespace etc {

size_t LineCountAtMost(std::string_view text, bool crEnds) {
  size_t count = 1;
  for (char end : {'\n', '\r'}) {
    if (end == '\r' && !crEnds) break;
    const char* p = text.data();
    const char* const last = p + text.size();
    while (p < last && (p = static_cast<const char*>(std::memchr(p, end, static_cast<size_t>(last - p))))) {
      ++count;
      ++p;
    }
  }
  return count;
}

}  // namespace etc
