// The configured tables ([imeinfo] of the main configuration) and the
// table set the input-method window loads from them: ten slots, slot 0 the
// built-in internal-code method, slots 1.. the configured tables in order.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/ime/ime_table.h"

namespace ime {

constexpr int kTableSlots = 10;
constexpr int kMaxConfiguredNames = 5;

struct ImeConfig {
  std::string path;                // prefix of the table files
  int number = 0;                  // "imenumber"
  std::vector<std::string> names;  // at most five
};

// What InitIME read; empty before.
ImeConfig ConfiguredTables();
void SetConfiguredTables(const ImeConfig& config);

class TableSet {
 public:
  // Slot 0 and every configured table; on any failure nothing stays loaded.
  bool Load(const ImeConfig& config);
  void Release();

  const Table* Slot(int slot) const { return slot >= 0 && slot < kTableSlots ? slots_[slot].get() : nullptr; }
  int Count() const { return count_; }
  int Current() const { return current_; }
  void SetCurrent(int slot) { current_ = slot; }
  const Table* CurrentTable() const { return Slot(current_); }

 private:
  std::array<std::unique_ptr<Table>, kTableSlots> slots_;
  int count_ = 0;
  int current_ = 0;
};

}  // namespace ime
