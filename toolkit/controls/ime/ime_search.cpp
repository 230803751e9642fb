#include "controls/ime/ime_search.h"

#include <algorithm>
#include <cstring>

namespace ime {
namespace {

const uint32_t kMask1[6] = {0, 0x3F000000, 0x3FFC0000, 0x3FFFF000, 0x3FFFFFC0, 0x3FFFFFFF};
const uint32_t kMask2[6] = {0, 0x3F000000, 0x3FFC0000, 0x3FFFF000, 0x3FFFFFC0, 0x3FFFFFFF};

uint32_t Mask1(int n) { return kMask1[std::min(n, 5)]; }
uint32_t Mask2(int n) { return n <= 5 ? 0 : kMask2[std::min(n - 5, 5)]; }

bool Matches(const CandidatePage& page, const IndexRecord& r) {
  return (r.key1 & page.mask1) == page.key1 && (r.key2 & page.mask2) == page.key2;
}

int PerPage(const Table& table) { return std::min<int>(table.header.perPage, kPageSlots); }

void PutRecord(const Table& table, const IndexRecord& r, char* slot) {
  if (r.code < kFirstCharCode) {
    table.ReadPhrase(r.code, slot);
    return;
  }
  slot[0] = static_cast<char>(r.code & 0xFF);
  slot[1] = static_cast<char>(r.code >> 8);
  slot[2] = '\0';
}

// What a fill does with what it found: the rest of the slots emptied and
// the next page's start, or on nothing the page as it was before.
bool FinishFill(const CandidatePage& before, int found, bool full, uint32_t next, CandidatePage* page) {
  if (found == 0) {
    *page = before;
    page->noMatch = true;
    return false;
  }
  for (int i = found; i < kPageSlots; ++i) page->slots[i][0] = '\0';
  page->count = found;
  page->noMatch = false;
  if (full) {
    page->nextStart = next;
    page->more = true;
  } else if (page->more) {
    page->nextStart = page->rangeStart;
  }
  return true;
}

}  // namespace

bool FillPage(const Table& table, uint32_t from, CandidatePage* page) {
  const CandidatePage before = *page;
  const uint32_t end = std::min<uint32_t>(page->rangeEnd, static_cast<uint32_t>(table.records.size()));
  const int perPage = PerPage(table);
  int found = 0;
  uint32_t at = from;
  for (; at < end && found < perPage && Matches(*page, table.records[at]); ++at)
    PutRecord(table, table.records[at], page->slots[found++]);
  page->first = from;
  bool full = found == perPage && at < end && Matches(*page, table.records[at]);
  return FinishFill(before, found, full, at, page);
}

bool SearchAndFill(const Table& table, const uint8_t* keys, int n, CandidatePage* page) {
  const CandidatePage before = *page;
  n = std::max(1, std::min(n, kMaxKeys));
  PackKeys(keys, n, &page->key1, &page->key2);
  page->mask1 = Mask1(n);
  page->mask2 = Mask2(n);
  const int k1 = keys[0];
  const uint32_t end = std::min<uint32_t>(table.RangeEnd(k1), static_cast<uint32_t>(table.records.size()));
  uint32_t at = n == 1 ? table.FirstRecord(k1) : page->starts[n - 1];
  for (; at < end; ++at) {
    const IndexRecord& r = table.records[at];
    uint32_t masked1 = r.key1 & page->mask1;
    if (masked1 > page->key1) break;
    if (masked1 == page->key1 && (r.key2 & page->mask2) >= page->key2) break;
  }
  page->starts[n] = at;
  page->rangeStart = at;
  page->rangeEnd = end;
  if (!FillPage(table, at, page)) {
    CandidatePage failed = before;
    failed.starts[n] = at;
    failed.noMatch = true;
    *page = failed;
    return false;
  }
  page->matched = n;
  return true;
}

bool FillFromStart(const Table& table, CandidatePage* page) {
  page->key1 = page->key2 = page->mask1 = page->mask2 = 0;
  page->rangeStart = 0;
  page->rangeEnd = static_cast<uint32_t>(table.records.size());
  return FillPage(table, 0, page);
}

bool FillAssociationPage(const Table& table, uint32_t from, CandidatePage* page) {
  const CandidatePage before = *page;
  const int perPage = PerPage(table);
  int found = 0, bytes = 0;
  uint32_t at = from;
  for (; at < page->rangeEnd && found < perPage; ++at) {
    uint32_t phrase = 0;
    char text[kSlotBytes];
    if (!table.AssociationAt(at, &phrase)) break;
    table.ReadPhrase(phrase, text);
    int len = static_cast<int>(std::strlen(text));
    if (bytes + len > kAssocPageBytes) break;
    bytes += len;
    std::memcpy(page->slots[found++], text, sizeof text);
  }
  page->first = from;
  return FinishFill(before, found, at < page->rangeEnd, at, page);
}

bool StartAssociation(const Table& table, uint8_t h, uint8_t l, CandidatePage* page) {
  uint32_t begin = 0, end = 0;
  table.AssociationRange(h, l, &begin, &end);
  if (begin == end) return false;
  page->rangeStart = begin;
  page->rangeEnd = end;
  page->more = false;
  return FillAssociationPage(table, begin, page);
}

}  // namespace ime
