// Reads a pinyin dictionary as Debian's pinyin data packages ship it: a
// YAML head ending with a line "...", then one entry a line: the text in
// UTF-8, a tab, syllables without tones separated by spaces, a tab and a
// frequency. Entries become table entries keyed by the letters of their
// syllables; texts outside GB2312 and key sequences longer than the ten keys
// a record holds are left out.
#pragma once

#include <iconv.h>

#include <cctype>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/imetables/ime_table_writer.h"

namespace imetables {

constexpr const char* kPinyinKeys = "abcdefghijklmnopqrstuvwxyz";

// UTF-8 to GB2312 through the C library.
class Gb2312Converter {
 public:
  Gb2312Converter() : cd_(iconv_open("GB2312", "UTF-8")) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert UTF-8 to GB2312");
  }
  ~Gb2312Converter() { iconv_close(cd_); }
  Gb2312Converter(const Gb2312Converter&) = delete;
  Gb2312Converter& operator=(const Gb2312Converter&) = delete;

  // False when the text has a character outside GB2312.
  bool Convert(const std::string& utf8, std::string* out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string in = utf8;
    std::string buffer(utf8.size() * 2 + 8, '\0');
    char* inPtr = &in[0];
    size_t inLeft = in.size();
    char* outPtr = &buffer[0];
    size_t outLeft = buffer.size();
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft) return false;
    if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
    buffer.resize(buffer.size() - outLeft);
    *out = buffer;
    return true;
  }

 private:
  iconv_t cd_;
};

inline std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
    fields.push_back(line.substr(start, tab - start));
  fields.push_back(line.substr(start));
  return fields;
}

// Letters of the syllables; throws on anything but lower-case letters
// separated by single spaces.
inline std::string PinyinKeys(const std::string& syllables) {
  std::string keys;
  bool wantLetter = true;
  for (char c : syllables) {
    if (c == ' ' && !wantLetter) {
      wantLetter = true;
    } else if (c >= 'a' && c <= 'z') {
      keys += c;
      wantLetter = false;
    } else {
      throw std::runtime_error("syllables \"" + syllables + "\"");
    }
  }
  if (wantLetter) throw std::runtime_error("syllables \"" + syllables + "\"");
  return keys;
}

inline long Frequency(const std::string& field) {
  if (field.empty() || field.size() > 12) throw std::runtime_error("frequency \"" + field + "\"");
  for (char c : field)
    if (!std::isdigit(static_cast<unsigned char>(c))) throw std::runtime_error("frequency \"" + field + "\"");
  return std::stol(field);
}

// The entries kept; throws std::runtime_error naming the line of the first
// malformed entry.
inline std::vector<Entry> ReadPinyinDict(std::istream& in) {
  Gb2312Converter gb;
  std::vector<Entry> entries;
  std::string line;
  bool inBody = false;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!inBody) {
      inBody = line == "...";
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    try {
      std::vector<std::string> f = SplitTabs(line);
      if (f.size() != 3 || f[0].empty()) throw std::runtime_error("not text, syllables and frequency");
      Entry e;
      e.keys = PinyinKeys(f[1]);
      e.weight = Frequency(f[2]);
      if (e.keys.size() > 10 || !gb.Convert(f[0], &e.text) || e.text.size() > 19) continue;
      entries.push_back(e);
    } catch (const std::exception& error) {
      throw std::runtime_error("line " + std::to_string(number) + ": " + error.what());
    }
  }
  if (!inBody) throw std::runtime_error("no \"...\" line before the entries");
  return entries;
}

}  // namespace imetables
