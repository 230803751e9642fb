// Column captions and cell texts come back under one rule: the caller's size
// holds the terminator, nothing is written past it, and both messages cut a
// text at the same place.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "controls/listview/tests/listview_fixture.h"

namespace {

class ListViewTextCopy : public lvtest::ListViewFixture {};

TEST_F(ListViewTextCopy, CaptionsAndCellsCountTheTerminatorInTheSize) {
  ASSERT_NE(Make(0), GUI_INVALID_HANDLE);
  AddColumn(80, "abcdef");
  HLVROW row = AddRow(nullptr, 0);
  SetText(row, 0, "abcdef");
  struct Row {
    int size;
    const char* expected;  // null: nothing written
  } rows[] = {{0, nullptr}, {1, ""}, {2, "a"}, {6, "abcde"}, {7, "abcdef"}, {40, "abcdef"}};
  for (const Row& r : rows) {
    char column[48], cell[48];
    std::memset(column, 'X', sizeof column);
    std::memset(cell, 'X', sizeof cell);
    ListViewColumnInfo c{};
    c.text = column;
    c.textSize = r.size;
    ASSERT_EQ(SendMessage(lv_, LVM_GETCOLUMN, 0, reinterpret_cast<LParam>(&c)), 0);
    for (size_t i = static_cast<size_t>(r.size); i < sizeof column; ++i)
      ASSERT_EQ(column[i], 'X') << "size " << r.size << ": byte " << i << " written";
    if (!r.expected) {
      EXPECT_EQ(column[0], 'X') << "size 0 writes nothing";
      continue;
    }
    EXPECT_STREQ(column, r.expected) << "size " << r.size;
    ListViewSubItemInfo s{};
    s.column = 0;
    s.text = cell;
    s.bufferSize = static_cast<uintptr_t>(r.size);
    ASSERT_EQ(SendMessage(lv_, LVM_GETSUBITEMTEXT, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&s)), 0);
    EXPECT_STREQ(cell, column) << "size " << r.size;
  }
}

}  // namespace
