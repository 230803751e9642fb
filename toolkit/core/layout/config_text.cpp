#include "core/layout/config_text.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/config/etc_line.h"

namespace layout {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A C string of the object's, or "" for none.
std::string_view Text(const char* s) { return s ? std::string_view(s) : std::string_view(); }

}  // namespace

std::unique_ptr<ConfigText> ConfigText::Read(const std::string& path, std::string* why) {
  etc::ReadableFile file(path.c_str(), files::kMaxTextFile);
  auto text = std::make_unique<ConfigText>();
  if (!file.ReadWhole(text->text_)) {
    if (why != nullptr) *why = file.Why();
    return nullptr;
  }
  const std::string_view all(text->text_.bytes.get(), text->text_.size);
  text->lines_.reserve(etc::LineCountAtMost(all, false));
  etc::ForEachLine(all, false, [&](std::string_view line) {
    const etc::ParsedLine parsed = etc::ParseEtcLine(line);
    if (parsed.kind == etc::LineKind::Section) {
      text->AddSection(parsed.name);
    } else if (!text->sections_.empty() && parsed.kind != etc::LineKind::Comment) {
      text->AddLine(parsed.kind == etc::LineKind::Blank ? TextLine{{}, {}, true}
                                                         : TextLine{parsed.name, parsed.value, false});
    }
  });
  text->Seal();
  return text;
}

std::unique_ptr<ConfigText> ConfigText::FromEtc(const EtcFile& etc) {
  auto text = std::make_unique<ConfigText>();
  size_t lines = 0;
  for (int s = 0; s < etc.sectionCount; ++s) lines += etc.sections[s].keyCount > 0 ? etc.sections[s].keyCount : 0;
  text->lines_.reserve(lines);
  for (int s = 0; s < etc.sectionCount; ++s) {
    const EtcSection& section = etc.sections[s];
    if (!section.name) continue;
    text->AddSection(section.name);
    for (int k = 0; k < section.keyCount; ++k)
      text->AddLine(TextLine{Text(section.keys[k]), Text(section.values[k]), false});
  }
  text->Seal();
  return text;
}

void ConfigText::AddSection(std::string_view name) {
  sections_.push_back(TextSection{name, {}});
  firstLines_.push_back(lines_.size());
}

void ConfigText::Seal() {
  for (size_t s = 0; s < sections_.size(); ++s) {
    const size_t first = firstLines_[s];
    const size_t last = s + 1 < sections_.size() ? firstLines_[s + 1] : lines_.size();
    sections_[s].lines = TextLines(lines_.data() + first, last - first);
  }
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
    names.emplace_back(s->name);
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

const std::string_view* FindKeyNoCase(const TextSection& section, std::string_view key) {
  for (const auto& line : section.lines)
    if (!line.blank && EqualsNoCase(line.key, key)) return &line.value;
  return nullptr;
}

int ParseInt(std::string_view text) {
  // strtol needs the text terminated; a view ends where its line does.
  char shortText[64];
  std::string longText;
  const char* terminated = shortText;
  if (text.size() < sizeof shortText) {
    if (!text.empty()) std::memcpy(shortText, text.data(), text.size());
    shortText[text.size()] = '\0';
  } else {
    longText.assign(text);
    terminated = longText.c_str();
  }
  const long value = std::strtol(terminated, nullptr, 0);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace layout
