// A configuration or language text file as the layout and caption loaders
// walk it: sections in file order, each with its key lines in order. Blank
// lines are kept because a language text file gives them meaning (an empty
// caption); comments and the lines before the first header are dropped.
// Names, keys and values are views into the file's text, read whole once.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/etc_text.h"
#include "gui/config.h"

namespace layout {

struct TextLine {
  std::string_view key;
  std::string_view value;
  bool blank = false;
};

// The lines of one section: a stretch of the text's table of lines.
class TextLines {
 public:
  TextLines() = default;
  TextLines(const TextLine* first, size_t count) : first_(first), count_(count) {}

  const TextLine* begin() const { return first_; }
  const TextLine* end() const { return first_ + count_; }
  size_t size() const { return count_; }
  const TextLine& operator[](size_t i) const { return first_[i]; }

 private:
  const TextLine* first_ = nullptr;
  size_t count_ = 0;
};

struct TextSection {
  std::string_view name;
  TextLines lines;
};

class ConfigText {
 public:
  ConfigText() = default;
  ConfigText(const ConfigText&) = delete;
  ConfigText& operator=(const ConfigText&) = delete;

  // Null when the file is refused or cannot be read, with the reason (after
  // the file's name) in `why`.
  static std::unique_ptr<ConfigText> Read(const std::string& path, std::string* why = nullptr);
  // Views of the object's strings: the object must outlive the text.
  static std::unique_ptr<ConfigText> FromEtc(const EtcFile& etc);

  // First section of that name (case-sensitive), or null.
  const TextSection* Find(std::string_view name) const;
  // Names of the sections that follow the first one named `marker`; empty
  // when there is no such section.
  std::vector<std::string> NamesAfter(std::string_view marker) const;

 private:
  void AddSection(std::string_view name);
  void AddLine(const TextLine& line) { lines_.push_back(line); }
  // Points every section at its lines, once the table of lines is whole.
  void Seal();

  etc::FileText text_;
  std::vector<TextLine> lines_;
  std::vector<size_t> firstLines_;
  std::vector<TextSection> sections_;
};

// Case-insensitive comparisons of ASCII names.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// The value of the first key line whose key equals `key` without regard to
// case, or null.
const std::string_view* FindKeyNoCase(const TextSection& section, std::string_view key);

// Integer text as strtol with base 0 reads it, held to the int range.
int ParseInt(std::string_view text);

}  // namespace layout
