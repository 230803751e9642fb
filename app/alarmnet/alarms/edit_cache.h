// The edits of the inputs (outputs) a page switched away from, kept until
// one Apply writes them all. Entries are taken in order and freed only all
// at once, so the used ones always lead.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "app/device_records.h"
#include "app/device_records_net.h"

namespace alarms {

template <typename Record, int N>
class EditCache {
 public:
  struct Entry {
    uint32_t used;
    uint32_t code;
    Record record;
    TimeSegment holiday[HOLIDAY_SEGMENTS];
  };

  void clear() { std::memset(entries_.data(), 0, sizeof(Entry) * N); }

  // The used entry of `code`, or null.
  Entry* find(int code) {
    for (Entry& e : entries_)
      if (e.used && static_cast<int>(e.code) == code) return &e;
    return nullptr;
  }

  // The entry of `code`, else the first free one marked used with it; null
  // when every entry belongs to another item.
  Entry* take(int code) {
    for (Entry& e : entries_) {
      if (e.used && static_cast<int>(e.code) == code) return &e;
      if (!e.used) {
        e.used = 1;
        e.code = static_cast<uint32_t>(code);
        return &e;
      }
    }
    return nullptr;
  }

  template <typename F>
  void forEachUsed(F visit) {
    for (Entry& e : entries_)
      if (e.used) visit(e);
  }

  static constexpr int size() { return N; }

 private:
  std::array<Entry, N> entries_{};
};

}  // namespace alarms
