// The line grammar of configuration files, shared by the in-memory loader,
// the by-path reader and writer, and the layout and text loaders.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace etc {

enum class LineKind { Blank, Comment, Section, Key };

// For a section header `name` is the section's name; for a key line `name`
// is the key (trailing blanks cut) and `value` everything after the first
// "=" up to CR, LF or the end, unchanged. Views point into the parsed line.
struct ParsedLine {
  LineKind kind = LineKind::Blank;
  std::string_view name;
  std::string_view value;
};

// Parses one line; it may still carry its CR/LF terminator. A zero byte ends
// the line as a terminator would.
ParsedLine ParseEtcLine(std::string_view line);

// Whether a writer may store these: the written "[name]" or "key=value" line
// must read back as the same section name, key and value. A line break
// would plant extra lines, "=" in a key or "]" in a section name would move
// the split, a leading blank, "[", "#" or ";" would change the line's kind,
// and an empty key is dropped by the next rewrite.
bool IsWritableSection(std::string_view name);
bool IsWritableKeyLine(std::string_view key, std::string_view value);

inline bool IsSectionNamed(const ParsedLine& line, std::string_view section) {
  return line.kind == LineKind::Section && line.name == section;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Reads one physical line with its "\n" (lines are never split, whatever
// their length). False at the end of the file or on a read error; tell them
// apart with ferror.
bool ReadEtcLine(std::FILE* stream, std::string& line);

}  // namespace etc
