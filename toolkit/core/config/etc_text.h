// Configuration and text files read whole: one read into one buffer, split
// into lines in place.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "gdi/readable_file.h"
#include "gui/config.h"

namespace etc {

// Files are read through the toolkit's one reader (gdi/startup).
using files::FileText;
using files::ReadableFile;

// LoadEtcFile, with the reason in `why` (after the file's name) when it
// gives null.
EtcFile* LoadEtcFile(const char* path, std::string* why);

// Calls `line` with each line of `text`, without its end: a line ends at
// every LF, and with `crEnds` at every CR too (so CR LF ends a line and
// leaves an empty one). A CR that ends no line stays in it.
template <typename Line>
void ForEachLine(std::string_view text, bool crEnds, Line line) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* stop = lf ? lf : end;
    if (crEnds)
      if (const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(stop - p)))) stop = cr;
    line(std::string_view(p, static_cast<size_t>(stop - p)));
    p = stop + 1;
  }
}

// The number of lines ForEachLine finds at most, to size tables once.
size_t LineCountAtMost(std::string_view text, bool crEnds);

}  // namespace etc
