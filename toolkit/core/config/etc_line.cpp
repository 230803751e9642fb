#include "core/config/etc_line.h"

#include <sys/types.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace etc {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool EndsName(char c) { return IsLineEnd(c) || c == ';' || c == '#'; }

std::string_view CutTrailingBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view ParseSectionName(std::string_view rest) {
  size_t begin = 0;
  while (begin < rest.size() && IsBlank(rest[begin])) ++begin;
  size_t end = begin;
  while (end < rest.size() && rest[end] != ']' && !EndsName(rest[end])) ++end;
  return CutTrailingBlanks(rest.substr(begin, end - begin));
}

ParsedLine ParseKeyLine(std::string_view rest) {
  ParsedLine parsed;
  parsed.kind = LineKind::Key;
  size_t end = 0;
  while (end < rest.size() && rest[end] != '=' && !EndsName(rest[end])) ++end;
  parsed.name = CutTrailingBlanks(rest.substr(0, end));
  if (end < rest.size() && rest[end] == '=') {
    size_t valueEnd = end + 1;
    while (valueEnd < rest.size() && !IsLineEnd(rest[valueEnd])) ++valueEnd;
    parsed.value = rest.substr(end + 1, valueEnd - end - 1);
  }
  return parsed;
}

}  // namespace

ParsedLine ParseEtcLine(std::string_view line) {
  line = line.substr(0, line.find('\0'));
  size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  if (start == line.size() || IsLineEnd(line[start])) return ParsedLine{};
  char first = line[start];
  if (first == '#' || first == ';') return ParsedLine{LineKind::Comment, {}, {}};
  if (first == '[') {
    ParsedLine parsed;
    parsed.kind = LineKind::Section;
    parsed.name = ParseSectionName(line.substr(start + 1));
    return parsed;
  }
  return ParseKeyLine(line.substr(start));
}

bool IsWritableSection(std::string_view name) {
  if (name.find_first_of("\r\n") != std::string_view::npos) return false;
  std::string line = "[" + std::string(name) + "]";
  ParsedLine parsed = ParseEtcLine(line);
  return parsed.kind == LineKind::Section && parsed.name == name;
}

bool IsWritableKeyLine(std::string_view key, std::string_view value) {
  if (key.empty() || key.find_first_of("\r\n=") != std::string_view::npos) return false;
  if (value.find_first_of("\r\n") != std::string_view::npos) return false;
  std::string line = std::string(key) + "=" + std::string(value);
  ParsedLine parsed = ParseEtcLine(line);
  return parsed.kind == LineKind::Key && parsed.name == key && parsed.value == value;
}

bool ReadEtcLine(std::FILE* stream, std::string& line) {
  line.clear();
  char* raw = nullptr;
  size_t capacity = 0;
  ssize_t got = ::getline(&raw, &capacity, stream);
  std::unique_ptr<char, decltype(&std::free)> owner(raw, &std::free);
  if (got <= 0) return false;
  line.assign(raw, static_cast<size_t>(got));
  return true;
}

}  // namespace etc
