// What recording window procedures received, kept under a lock so that
// procedures on any thread can write while the test reads.
#pragma once

#include <mutex>
#include <ostream>
#include <vector>

#include "core/message/message_names.h"
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

inline void PrintTo(const SeenMessage& s, std::ostream* out) {
  *out << "{0x" << std::hex << s.hwnd << ", " << DescribeMessage(s.message) << ", 0x" << s.wParam << ", 0x"
       << s.lParam << std::dec << "}";
}

// Message numbers in the order received; a failed comparison prints them by
// name.
struct MessageSequence : std::vector<int> {
  using std::vector<int>::vector;
};

inline void PrintTo(const MessageSequence& messages, std::ostream* out) {
  *out << "{";
  for (size_t i = 0; i < messages.size(); ++i) *out << (i ? ", " : "") << DescribeMessage(messages[i]);
  *out << "}";
}

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
