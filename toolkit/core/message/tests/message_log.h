// What recording window procedures received, kept under a lock so that
// procedures on any thread can write while the test reads.
#pragma once

#include <mutex>
#include <vector>

#include "gui/common.h"

// One message as a procedure received it.
struct SeenMessage {
  WindowHandle hwnd;
  int message;
  WParam wParam;
  LParam lParam;
  bool operator==(const SeenMessage& o) const {
    return hwnd == o.hwnd && message == o.message && wParam == o.wParam && lParam == o.lParam;
  }
};

// A process-wide log of Entry records; Derived adds what its tests read.
template <typename Derived, typename Entry>
class MessageLog {
 public:
  static Derived& Instance() {
    static Derived log;
    return log;
  }
  void Add(const Entry& entry) {
    std::lock_guard<std::mutex> hold(lock_);
    entries_.push_back(entry);
  }
  // Everything logged so far; the log starts empty again.
  std::vector<Entry> Take() {
    std::lock_guard<std::mutex> hold(lock_);
    std::vector<Entry> out;
    out.swap(entries_);
    return out;
  }

 private:
  std::mutex lock_;
  std::vector<Entry> entries_;
};
