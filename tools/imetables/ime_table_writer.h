// Builds the three files of an input-method code table (".tab", ".tab.phr",
// ".tab.lx") from a list of entries: a GB2312 text typed with a sequence of
// key characters, and its frequency. Used by the build's table generator
// and by tests that need small or deliberately broken tables.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/ime/ime_format.h"

namespace imetables {

struct Entry {
  std::string text;  // GB2312
  std::string keys;  // key characters, at most ten
  long weight = 0;   // higher first among equal keys
};

struct TableDraft {
  std::string name;
  std::string displayName;  // GB2312
  std::string keyChars;     // key value 1 is keyChars[0], and so on
  uint8_t autoSelect = 0;
  uint32_t autoSelectKeys = 0;
  std::vector<Entry> entries;
};

struct TableFiles {
  std::string tab, phr, lx;
};

inline bool IsGbChar(const std::string& s, size_t i) {
  return i + 1 < s.size() && static_cast<uint8_t>(s[i]) >= 0xA1 && static_cast<uint8_t>(s[i + 1]) >= 0xA1;
}

template <typename T>
void Append(std::string* out, const T& value) {
  out->append(reinterpret_cast<const char*>(&value), sizeof value);
}

namespace detail {

struct Row {
  uint32_t key1, key2;
  uint16_t code;
  long weight;
  size_t order;
};

inline std::vector<uint8_t> KeyValues(const TableDraft& draft, const std::string& keys) {
  if (keys.empty() || keys.size() > 10) throw std::runtime_error("key sequence of " + std::to_string(keys.size()) + " keys");
  std::vector<uint8_t> values;
  for (char c : keys) {
    size_t at = draft.keyChars.find(c);
    if (c == 0 || at == std::string::npos) throw std::runtime_error(std::string("key outside the key map: ") + c);
    values.push_back(static_cast<uint8_t>(at + 1));
  }
  return values;
}

// Index of a character with an association list, or -1.
inline int AssocIndex(const std::string& text) {
  if (!IsGbChar(text, 0)) return -1;
  uint8_t h = static_cast<uint8_t>(text[0]), l = static_cast<uint8_t>(text[1]);
  if (h < 0xB0 || h > 0xF7) return -1;
  return (h - 0xB0) * 94 + (l - 0xA1);
}

}  // namespace detail

// Throws std::runtime_error naming the first malformed entry.
inline TableFiles BuildTableFiles(const TableDraft& draft) {
  if (draft.keyChars.size() > 63) throw std::runtime_error("more than 63 keys");
  std::vector<detail::Row> rows;
  std::vector<std::string> phrases;
  std::map<std::string, uint16_t> phraseNumbers;
  std::map<std::pair<std::string, std::string>, bool> seen;
  std::vector<std::pair<long, uint16_t>> phraseWeights;
  for (size_t i = 0; i < draft.entries.size(); ++i) {
    const Entry& e = draft.entries[i];
    if (e.text.empty() || e.text.size() > 19) throw std::runtime_error("text of " + std::to_string(e.text.size()) + " bytes");
    std::vector<uint8_t> values = detail::KeyValues(draft, e.keys);
    if (!seen.emplace(std::make_pair(e.text, e.keys), true).second) continue;
    detail::Row row{0, 0, 0, e.weight, i};
    ime::PackKeys(values.data(), static_cast<int>(values.size()), &row.key1, &row.key2);
    if (e.text.size() == 2 && IsGbChar(e.text, 0)) {
      row.code = static_cast<uint16_t>(static_cast<uint8_t>(e.text[0]) | static_cast<uint8_t>(e.text[1]) << 8);
    } else {
      auto found = phraseNumbers.find(e.text);
      if (found == phraseNumbers.end()) {
        // The last number is kept free: its end offset would be the text area's first word.
        if (phrases.size() + 1 >= ime::kFirstCharCode) throw std::runtime_error("too many phrases");
        found = phraseNumbers.emplace(e.text, static_cast<uint16_t>(phrases.size())).first;
        phrases.push_back(e.text);
        phraseWeights.emplace_back(e.weight, found->second);
      }
      row.code = found->second;
    }
    rows.push_back(row);
  }
  if (rows.size() > 0xFFFF) throw std::runtime_error("more than 65535 records");
  std::stable_sort(rows.begin(), rows.end(), [](const detail::Row& a, const detail::Row& b) {
    if (a.key1 != b.key1) return a.key1 < b.key1;
    if (a.key2 != b.key2) return a.key2 < b.key2;
    return a.weight > b.weight;
  });

  ime::TableHeader h{};
  std::memcpy(h.magic, ime::kTableMagic, sizeof ime::kTableMagic);
  std::strncpy(h.name, draft.name.c_str(), sizeof h.name - 1);
  std::strncpy(h.displayName, draft.displayName.c_str(), sizeof h.displayName - 1);
  std::memcpy(h.selectKeys, "12345", 5);
  h.autoSelect = draft.autoSelect;
  h.autoSelectKeys = draft.autoSelectKeys;
  h.perPage = 5;
  h.recordCount = static_cast<uint32_t>(rows.size());
  for (size_t v = 0; v < draft.keyChars.size(); ++v) {
    h.keyMap[static_cast<uint8_t>(draft.keyChars[v]) & 0x7F] = static_cast<uint8_t>(v + 1);
    h.keyNames[v + 1] = draft.keyChars[v];
  }
  for (int k = 0; k < ime::kKeyValues; ++k) {
    size_t at = 0;
    while (at < rows.size() && (rows[at].key1 >> 24) < static_cast<uint32_t>(k)) ++at;
    h.firstRecord[k] = static_cast<uint16_t>(at);
  }
  h.phraseCount = phrases.empty() ? 0 : static_cast<uint32_t>(phrases.size() + 1);

  TableFiles files;
  Append(&files.tab, h);
  for (const detail::Row& r : rows) Append(&files.tab, ime::IndexRecord{r.key1, r.key2, r.code, 0});
  if (phrases.empty()) return files;

  Append(&files.phr, h.phraseCount);
  uint32_t offset = 0;
  Append(&files.phr, offset);
  for (const std::string& p : phrases) Append(&files.phr, offset += static_cast<uint32_t>(p.size()));
  for (const std::string& p : phrases) files.phr += p;

  std::vector<std::vector<uint32_t>> lists(ime::kAssocIndexWords);
  std::stable_sort(phraseWeights.begin(), phraseWeights.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& pw : phraseWeights) {
    int at = detail::AssocIndex(phrases[pw.second]);
    if (at >= 0) lists[at].push_back(pw.second);
  }
  uint32_t start = 0;
  for (const auto& list : lists) {
    Append(&files.lx, start);
    start += static_cast<uint32_t>(list.size());
  }
  Append(&files.lx, start);
  for (const auto& list : lists)
    for (uint32_t n : list) Append(&files.lx, n);
  return files;
}

}  // namespace imetables
