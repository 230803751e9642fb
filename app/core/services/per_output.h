// One word per output, main slot and auxiliary slot, read and written whole.
#pragma once

#include <atomic>
#include <cstdint>

#include "app/app_registry.h"

namespace app {

template <typename T>
class PerOutput {
 public:
  constexpr explicit PerOutput(T initial) : slots_{initial, initial} {}

  T get(int output) const { return slots_[slotOf(output)].load(std::memory_order_relaxed); }
  // Strict: an id that is neither output changes nothing.
  void setStrict(int output, T value) {
    if (output == getMainOutput())
      slots_[0].store(value, std::memory_order_relaxed);
    else if (output == getAuxOutput())
      slots_[1].store(value, std::memory_order_relaxed);
  }
  // Loose: any id but the main one writes the auxiliary slot.
  void setLoose(int output, T value) { slots_[slotOf(output)].store(value, std::memory_order_relaxed); }

 private:
  static int slotOf(int output) { return output == getMainOutput() ? 0 : 1; }
  std::atomic<T> slots_[2];
};

// A single word.
template <typename T>
class Word {
 public:
  constexpr explicit Word(T initial) : value_(initial) {}
  T get() const { return value_.load(std::memory_order_relaxed); }
  void set(T value) { value_.store(value, std::memory_order_relaxed); }

 private:
  std::atomic<T> value_;
};

inline bool isKnownOutput(int output) { return output == getMainOutput() || output == getAuxOutput(); }

}  // namespace app
