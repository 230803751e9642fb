// Feeds the input-method table loader and its look-ups with arbitrary
// files. Input: two little-endian u32 lengths, then the ".tab" bytes, the
// ".phr" bytes, and the rest as the ".lx" file.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "controls/ime/ime_search.h"

namespace {

std::FILE* MemoryFile(std::vector<uint8_t>* bytes) {
  if (bytes->empty()) bytes->push_back(0);  // fmemopen refuses an empty buffer
  return fmemopen(bytes->data(), bytes->size(), "rb");
}

void Exercise(const ime::Table& table) {
  ime::CandidatePage page;
  for (int k = 0; k < ime::kKeyValues; ++k) {
    uint8_t keys[ime::kMaxKeys];
    for (int i = 0; i < ime::kMaxKeys; ++i) keys[i] = static_cast<uint8_t>((k + i) & 0x3F);
    for (int n = 1; n <= 3; ++n) ime::SearchAndFill(table, keys, n, &page);
    for (int pages = 0; pages < 4 && page.more; ++pages) ime::FillPage(table, page.nextStart, &page);
  }
  char slot[ime::kSlotBytes];
  for (uint32_t n = 0; n < 64; ++n) table.ReadPhrase(n, slot);
  table.ReadPhrase(table.header.phraseCount, slot);
  table.ReadPhrase(UINT32_MAX, slot);
  for (int h = 0xAF; h <= 0xF8; h += 3)
    for (int l = 0xA0; l <= 0xFF; l += 7) {
      ime::StartAssociation(table, static_cast<uint8_t>(h), static_cast<uint8_t>(l), &page);
      for (int pages = 0; pages < 3 && page.more; ++pages) ime::FillAssociationPage(table, page.nextStart, &page);
    }
  ime::FillFromStart(table, &page);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  uint32_t lengths[2];
  std::memcpy(lengths, data, sizeof lengths);
  data += 8;
  size -= 8;
  const size_t tabLen = lengths[0] < size ? lengths[0] : size;
  const size_t phrLen = lengths[1] < size - tabLen ? lengths[1] : size - tabLen;
  std::vector<uint8_t> tab(data, data + tabLen), phr(data + tabLen, data + tabLen + phrLen),
      lx(data + tabLen + phrLen, data + size);
  std::FILE* tabFile = MemoryFile(&tab);
  auto table = ime::LoadTableFiles(tabFile, ime::FilePtr(MemoryFile(&phr)), ime::FilePtr(MemoryFile(&lx)));
  if (tabFile) std::fclose(tabFile);
  if (table) Exercise(*table);
  return 0;
}
