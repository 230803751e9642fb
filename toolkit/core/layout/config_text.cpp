#include "core/layout/config_text.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "core/config/etc_line.h"

namespace layout {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::unique_ptr<ConfigText> ConfigText::Read(const std::string& path) {
  etc::FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) return nullptr;
  auto text = std::make_unique<ConfigText>();
  std::string line;
  while (etc::ReadEtcLine(file.get(), line)) {
    const etc::ParsedLine parsed = etc::ParseEtcLine(line);
    if (parsed.kind == etc::LineKind::Section) {
      text->sections_.push_back(TextSection{std::string(parsed.name), {}});
      continue;
    }
    if (text->sections_.empty() || parsed.kind == etc::LineKind::Comment) continue;
    auto& lines = text->sections_.back().lines;
    if (parsed.kind == etc::LineKind::Blank)
      lines.push_back(TextLine{{}, {}, true});
    else
      lines.push_back(TextLine{std::string(parsed.name), std::string(parsed.value), false});
  }
  return text;
}

std::unique_ptr<ConfigText> ConfigText::FromEtc(const EtcFile& etc) {
  auto text = std::make_unique<ConfigText>();
  for (int s = 0; s < etc.sectionCount; ++s) {
    const EtcSection& section = etc.sections[s];
    if (!section.name) continue;
    TextSection copy{section.name, {}};
    copy.lines.reserve(section.keyCount > 0 ? section.keyCount : 0);
    for (int k = 0; k < section.keyCount; ++k)
      copy.lines.push_back(TextLine{section.keys[k] ? section.keys[k] : "",
                                    section.values[k] ? section.values[k] : "", false});
    text->sections_.push_back(std::move(copy));
  }
  return text;
}

const TextSection* ConfigText::Find(std::string_view name) const {
  for (const auto& section : sections_)
    if (section.name == name) return &section;
  return nullptr;
}

std::vector<std::string> ConfigText::NamesAfter(std::string_view marker) const {
  std::vector<std::string> names;
  const TextSection* start = Find(marker);
  if (!start) return names;
  for (const TextSection* s = start + 1; s != sections_.data() + sections_.size(); ++s)
    names.push_back(s->name);
  return names;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

const std::string* FindKeyNoCase(const TextSection& section, std::string_view key) {
  for (const auto& line : section.lines)
    if (!line.blank && EqualsNoCase(line.key, key)) return &line.value;
  return nullptr;
}

int ParseInt(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 0);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace layout
