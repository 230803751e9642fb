// A list view in a main window of the test thread; what it notifies is
// recorded through its notification call-back, in order.
#pragma once

#include <string>
#include <vector>

#include "core/nonclient/tests/started_gui.h"
#include "gui/listview.h"
#include "gui/window_attr.h"

namespace lvtest {

struct Note {
  int code;
  LParam data;
  bool operator==(const Note& o) const { return code == o.code && data == o.data; }
};

inline std::vector<Note>& Notes() {
  static std::vector<Note> notes;
  return notes;
}

inline void Record(WindowHandle, int, int code, LParam data) { Notes().push_back({code, data}); }

inline LParam Point(int x, int y) { return static_cast<LParam>((y << 16) | (x & 0xFFFF)); }

class ListViewFixture : public guitest::StartedGui {
 protected:
  void SetUp() override { Notes().clear(); }

  WindowHandle Make(uint32_t style, Rect r = {0, 0, 320, 240}) {
    main_ = Main({0, 0, 400, 300}, 0);
    lv_ = CreateWindowEx("ListView", "", style | WS_VISIBLE, 0, 77, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, main_, 0);
    if (lv_ != GUI_INVALID_HANDLE) SetNotificationCallback(lv_, Record);
    return lv_;
  }

  void AddColumn(int width, const char* text, ListViewCompare cmp = nullptr, uint32_t flags = 0) {
    ListViewColumnInfo c{-1, width, const_cast<char*>(text), 0, 0, cmp, flags};
    ASSERT_EQ(SendMessage(lv_, LVM_ADDCOLUMN, 0, reinterpret_cast<LParam>(&c)), 0);
  }

  HLVROW AddRow(HLVROW parent, int index, uintptr_t data = 0, uint32_t flags = 0, int height = 20) {
    ListViewItemInfo info{index, height, data, flags};
    return reinterpret_cast<HLVROW>(
        SendMessage(lv_, LVM_ADDITEM, reinterpret_cast<WParam>(parent), reinterpret_cast<LParam>(&info)));
  }

  void SetText(HLVROW row, int column, const char* text, uint32_t flags = 0) {
    ListViewSubItemInfo s{};
    s.flags = flags;
    s.column = column;
    s.text = const_cast<char*>(text);
    ASSERT_EQ(SendMessage(lv_, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&s)), 0);
  }

  std::vector<Note> TakeNotes() {
    std::vector<Note> out;
    out.swap(Notes());
    return out;
  }

  WindowHandle main_ = 0, lv_ = 0;
};

}  // namespace lvtest
