// On-disk layout of the input-method code tables: the ".tab" file (a
// 416-byte header and 12-byte index records), its ".phr" phrase file and its
// ".lx" association file. Little-endian, read and written as they stand.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ime {

constexpr char kTableMagic[] = "CCEGB";
constexpr int kKeyMapSize = 128;
constexpr int kKeyValues = 64;
constexpr int kSelectKeyBytes = 16;

struct TableHeader {
  char magic[6];
  char name[24];
  char displayName[16];  // GB2312
  char selectKeys[kSelectKeyBytes];
  uint8_t autoSelect;
  uint8_t reserved;
  uint32_t unused;
  uint32_t autoSelectKeys;
  uint32_t perPage;
  uint32_t recordCount;
  uint8_t keyMap[kKeyMapSize];  // character -> key value 1..63, 0 none
  char keyNames[kKeyValues];    // key value -> the character shown
  uint16_t firstRecord[kKeyValues];
  uint32_t phraseCount;
  uint8_t runtime[12];  // ignored in the file
};
static_assert(sizeof(TableHeader) == 416, "table header is 416 bytes");
static_assert(offsetof(TableHeader, selectKeys) == 46 && offsetof(TableHeader, autoSelect) == 62, "header layout");
static_assert(offsetof(TableHeader, autoSelectKeys) == 68 && offsetof(TableHeader, recordCount) == 76, "header layout");
static_assert(offsetof(TableHeader, keyMap) == 80 && offsetof(TableHeader, keyNames) == 208, "header layout");
static_assert(offsetof(TableHeader, firstRecord) == 272 && offsetof(TableHeader, phraseCount) == 400, "header layout");

struct IndexRecord {
  uint32_t key1;  // keys 1..5, 6 bits each, first key highest
  uint32_t key2;  // keys 6..10
  uint16_t code;  // below 0xA1A1 a phrase number, else a GB2312 character (first byte low)
  uint16_t unused;
};
static_assert(sizeof(IndexRecord) == 12, "index record is 12 bytes");

constexpr uint16_t kFirstCharCode = 0xA1A1;

// Association file: words 0..kAssocIndexWords-1 index the GB2312 characters
// from 0xB0A1 on (94 per row); word i and i + 1 bound character i's list,
// counted from word kAssocListBase.
constexpr uint32_t kAssocIndexWords = 6768;
constexpr uint32_t kAssocListBase = 6769;

// Key words of up to ten key values (more are ignored).
inline void PackKeys(const uint8_t* keys, int count, uint32_t* key1, uint32_t* key2) {
  uint32_t words[2] = {0, 0};
  for (int i = 0; i < 10; ++i) {
    uint32_t v = i < count ? (keys[i] & 0x3F) : 0;
    words[i / 5] |= v << (6 * (4 - i % 5));
  }
  *key1 = words[0];
  *key2 = words[1];
}

}  // namespace ime
