// What recording window procedures received, kept under a lock so that
// procedures on any thread can write while the test reads. Every test that
// checks an order of messages reads them here: a failed comparison prints
// each message by name.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <vector>

#include "core/message/message_names.h"
#include "gui/common.h"

// A second parameter a test leaves out: it matches any (a pointer, or a
// value the test does not look at).
constexpr LParam kAnyParam = INTPTR_MIN + 0x5EE5;

// One message as a procedure received it, or as a test expects it.
struct SeenMessage {
  WindowHandle hwnd;
  int message;
  WParam wParam;
  LParam lParam = kAnyParam;
  bool operator==(const SeenMessage& o) const {
    return hwnd == o.hwnd && message == o.message && wParam == o.wParam &&
           (lParam == o.lParam || lParam == kAnyParam || o.lParam == kAnyParam);
  }
};

inline void PrintTo(const SeenMessage& s, std::ostream* out) {
  *out << "{0x" << std::hex << s.hwnd << ", " << DescribeMessage(s.message) << ", 0x" << s.wParam;
  if (s.lParam != kAnyParam) *out << ", 0x" << s.lParam;
  *out << std::dec << "}";
}
inline std::ostream& operator<<(std::ostream& out, const SeenMessage& s) {
  PrintTo(s, &out);
  return out;
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

// Entries in the order they came, from any thread.
template <typename Entry>
class MessageRecord {
 public:
  void Add(const Entry& entry) {
    std::lock_guard<std::mutex> hold(lock_);
    entries_.push_back(entry);
    changed_.notify_all();
  }
  // Everything logged so far; the log starts empty again.
  std::vector<Entry> Take() {
    std::lock_guard<std::mutex> hold(lock_);
    std::vector<Entry> out;
    out.swap(entries_);
    return out;
  }
  // Waits (bounded, so a broken road fails instead of hanging) until
  // `ready` holds for what has come; with `forget`, the log then starts
  // empty again.
  template <typename Ready>
  bool WaitUntil(Ready ready, bool forget = false) {
    std::unique_lock<std::mutex> hold(lock_);
    const bool came = changed_.wait_for(hold, std::chrono::seconds(10), [&] { return ready(entries_); });
    if (forget) entries_.clear();
    return came;
  }
  // Waits likewise for a message with this number; answers the first.
  bool WaitFor(int message, Entry* out) {
    return WaitUntil([&](const std::vector<Entry>& entries) {
      for (const Entry& e : entries)
        if (e.message == message) {
          *out = e;
          return true;
        }
      return false;
    });
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<Entry> entries_;
};

// A process-wide log of Entry records; Derived adds what its tests read.
template <typename Derived, typename Entry>
class MessageLog : public MessageRecord<Entry> {
 public:
  static Derived& Instance() {
    static Derived log;
    return log;
  }
};
