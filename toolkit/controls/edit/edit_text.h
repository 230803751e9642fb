// The edit's text, caret and view as plain data, and the edits on them.
// Every byte is one cell of the fixed pitch; a pair of bytes of 161 or more
// is one double-byte character two cells wide.
#pragma once

#include <cstdint>

#include "gui/edit.h"

namespace controls::edit {

struct EditText {
  uint8_t buffer[EDIT_BUFFER_SIZE];
  int length = 0, caret = 0, column = 0, first = 0;
  int limit = -1;
  int cells = 1;  // whole characters that fit the text area
};

bool High(uint8_t b);
// Bytes of the character at (after) index and before it.
int SizeAt(const EditText& t, int index);
// The last character boundary at or before byte `at` of the bytes.
int BoundaryWithin(const uint8_t* bytes, int length, int at);
int SizeBefore(const EditText& t, int index);

// Result of an edit: what to repaint.
enum class Change { kNone, kCaret, kFromCaret, kWhole, kFull };

Change Backspace(EditText& t);
Change Delete(EditText& t);
Change Home(EditText& t);
Change End(EditText& t);
Change Left(EditText& t);
Change Right(EditText& t);
// kFull when the text would pass the buffer or the limit (nothing changes).
Change Insert(EditText& t, const uint8_t* bytes, int n, bool overwrite);
void ClickAt(EditText& t, int x, int charWidth);  // x from the text area's left
// Bytes shown from the first visible one.
int VisibleBytes(const EditText& t);

}  // namespace controls::edit
