// A configuration or language text file as the layout and caption loaders
// walk it: sections in file order, each with its key lines in order. Blank
// lines are kept because a language text file gives them meaning (an empty
// caption); comments and the lines before the first header are dropped.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gui/config.h"

namespace layout {

struct TextLine {
  std::string key;
  std::string value;
  bool blank = false;
};

struct TextSection {
  std::string name;
  std::vector<TextLine> lines;
};

class ConfigText {
 public:
  // Null when the file cannot be opened.
  static std::unique_ptr<ConfigText> Read(const std::string& path);
  static std::unique_ptr<ConfigText> FromEtc(const EtcFile& etc);

  // First section of that name (case-sensitive), or null.
  const TextSection* Find(std::string_view name) const;
  // Names of the sections that follow the first one named `marker`; empty
  // when there is no such section.
  std::vector<std::string> NamesAfter(std::string_view marker) const;

 private:
  std::vector<TextSection> sections_;
};

// Case-insensitive comparisons of ASCII names.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// The value of the first key line whose key equals `key` without regard to
// case, or null.
const std::string* FindKeyNoCase(const TextSection& section, std::string_view key);

// Integer text as strtol with base 0 reads it, held to the int range.
int ParseInt(const std::string& text);

}  // namespace layout
