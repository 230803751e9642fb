#include "core/config/etc_line.h"

#include <sys/types.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace etc {
namespace {

// What each byte can end, looked up once per byte: the parsers run over
// every line of files of thousands of lines.
enum : unsigned char {
  kBlank = 1,
  kLineEnd = 2,      // CR, LF, and a zero byte, which ends a line as they do
  kNameEnd = 4,      // a line end, ";" or "#"
  kKeyEnd = 8,       // a name end or "="
  kSectionEnd = 16,  // a name end or "]"
};

struct ByteClasses {
  unsigned char of[256] = {};
  constexpr ByteClasses() {
    of[static_cast<unsigned char>(' ')] = of[static_cast<unsigned char>('\t')] = kBlank;
    for (char c : {'\r', '\n', '\0'}) of[static_cast<unsigned char>(c)] = kLineEnd | kNameEnd | kKeyEnd | kSectionEnd;
    for (char c : {';', '#'}) of[static_cast<unsigned char>(c)] = kNameEnd | kKeyEnd | kSectionEnd;
    of[static_cast<unsigned char>('=')] = kKeyEnd;
    of[static_cast<unsigned char>(']')] = kSectionEnd;
  }
};

constexpr ByteClasses kClasses;

bool Is(char c, unsigned char mask) { return (kClasses.of[static_cast<unsigned char>(c)] & mask) != 0; }
bool IsBlank(char c) { return Is(c, kBlank); }

// The first position from `from` on whose byte is of a class in `mask`.
size_t Until(std::string_view s, size_t from, unsigned char mask) {
  while (from < s.size() && !Is(s[from], mask)) ++from;
  return from;
}

std::string_view CutTrailingBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view ParseSectionName(std::string_view rest) {
  size_t begin = 0;
  while (begin < rest.size() && IsBlank(rest[begin])) ++begin;
  const size_t end = Until(rest, begin, kSectionEnd);
  return CutTrailingBlanks(rest.substr(begin, end - begin));
}

ParsedLine ParseKeyLine(std::string_view rest) {
  ParsedLine parsed;
  parsed.kind = LineKind::Key;
  const size_t end = Until(rest, 0, kKeyEnd);
  parsed.name = CutTrailingBlanks(rest.substr(0, end));
  if (end < rest.size() && rest[end] == '=') {
    const size_t valueEnd = Until(rest, end + 1, kLineEnd);
    parsed.value = rest.substr(end + 1, valueEnd - end - 1);
  }
  return parsed;
}

}  // namespace

ParsedLine ParseEtcLine(std::string_view line) {
  size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  if (start == line.size() || Is(line[start], kLineEnd)) return ParsedLine{};
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
