// The candidate page and the look-ups that fill it: the search for the
// typed keys, page filling, and association pages after an output.
#pragma once

#include <cstdint>

#include "controls/ime/ime_table.h"

namespace ime {

constexpr int kMaxKeys = 15;
constexpr int kPageSlots = 16;
// An association page shows at most this many bytes of text.
constexpr int kAssocPageBytes = 58;

struct CandidatePage {
  char slots[kPageSlots][kSlotBytes] = {};
  int count = 0;
  uint32_t first = 0;      // index (record or association word) of the page's first candidate
  uint32_t nextStart = 0;  // where the next page begins
  bool more = false;
  uint32_t rangeStart = 0, rangeEnd = 0;
  bool noMatch = false;
  int matched = 0;  // keys the last successful search used
  uint32_t starts[kMaxKeys + 1] = {};
  uint32_t key1 = 0, key2 = 0, mask1 = 0, mask2 = 0;

  void Clear() { *this = CandidatePage(); }
};

// Searches the first n typed keys (1..15) and fills the first page. With no
// match the previous page stays and noMatch is set. True when it matched.
bool SearchAndFill(const Table& table, const uint8_t* keys, int n, CandidatePage* page);
// Every record matches: the search range is the whole table (the symbol
// list's restart). True when the table has records.
bool FillFromStart(const Table& table, CandidatePage* page);
// Fills a page of the current search from record index from; as above.
bool FillPage(const Table& table, uint32_t from, CandidatePage* page);

// Looks up the associations of the GB2312 character h, l and fills their
// first page; true with at least one candidate.
bool StartAssociation(const Table& table, uint8_t h, uint8_t l, CandidatePage* page);
// Fills an association page from word position from.
bool FillAssociationPage(const Table& table, uint32_t from, CandidatePage* page);

}  // namespace ime
