// A handle is its record's address, and threads check the handles they keep
// (an open menu, a page, a button a click went to) with ValidWindow while
// another thread may free the window. A freed record is kept, marked gone,
// until `Count` later ones have gone too, so such a check reads a record that
// says so rather than freed memory.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>

template <typename Record, size_t Count>
class KeptRecords {
 public:
  // Takes a record whose mark already says it is gone.
  void Keep(Record* record) {
    std::unique_ptr<Record> oldest;
    {
      std::lock_guard<std::mutex> hold(lock_);
      records_.push_back(record);
      if (records_.size() > Count) {
        oldest.reset(records_.front());
        records_.pop_front();
      }
    }
  }

 private:
  std::mutex lock_;
  std::deque<Record*> records_;
};
