#include "controls/edit/edit_text.h"

#include <algorithm>
#include <cstring>

namespace controls::edit {

namespace {

// Moves the first visible byte forward by whole characters until it has
// moved at least the given bytes, so the caret stays in the area.
void ScrollForward(EditText& t, int atLeast) {
  int moved = 0;
  while (moved < atLeast && t.first < t.length) {
    const int s = SizeAt(t, t.first);
    t.first += s;
    moved += s;
  }
  t.column = t.caret - t.first;
}

// After a step back: at column 0 with text before it, show one character
// before the caret.
Change KeepOneBefore(EditText& t, Change otherwise) {
  if (t.column > 0) return otherwise;
  if (t.caret > 0) {
    const int back = SizeBefore(t, t.caret);
    t.first = t.caret - back;
    t.column = back;
    return Change::kWhole;
  }
  const bool scrolled = t.first != 0;
  t.column = t.first = 0;
  return scrolled ? Change::kWhole : otherwise;
}

void Erase(EditText& t, int at, int n) {
  std::memmove(t.buffer + at, t.buffer + at + n, static_cast<size_t>(t.length - at - n));
  t.length -= n;
}

}  // namespace

bool High(uint8_t b) { return b >= 161; }

int SizeAt(const EditText& t, int index) {
  return (index + 1 < t.length && High(t.buffer[index]) && High(t.buffer[index + 1])) ? 2 : 1;
}

int BoundaryWithin(const uint8_t* bytes, int length, int at) {
  int p = 0;
  while (p < at && p < length) {
    const int size = (p + 1 < length && High(bytes[p]) && High(bytes[p + 1])) ? 2 : 1;
    if (p + size > at) break;
    p += size;
  }
  return p;
}

int SizeBefore(const EditText& t, int index) {
  return (index >= 2 && High(t.buffer[index - 1]) && High(t.buffer[index - 2])) ? 2 : 1;
}

Change Backspace(EditText& t) {
  if (t.caret == 0) return Change::kNone;
  const int n = SizeBefore(t, t.caret);
  Erase(t, t.caret - n, n);
  t.caret -= n;
  t.column -= n;
  return KeepOneBefore(t, Change::kFromCaret);
}

Change Delete(EditText& t) {
  if (t.caret >= t.length) return Change::kNone;
  Erase(t, t.caret, SizeAt(t, t.caret));
  return Change::kFromCaret;
}

Change Home(EditText& t) {
  const bool scrolled = t.first != 0;
  t.caret = t.column = t.first = 0;
  return scrolled ? Change::kWhole : Change::kCaret;
}

Change End(EditText& t) {
  int first = 0;
  while (first < t.length && t.length - first > t.cells) first += SizeAt(t, first);
  const bool scrolled = first != t.first;
  t.first = first;
  t.caret = t.length;
  t.column = t.caret - t.first;
  return scrolled ? Change::kWhole : Change::kCaret;
}

Change Left(EditText& t) {
  if (t.caret == 0) return Change::kNone;
  const int n = SizeBefore(t, t.caret);
  t.caret -= n;
  t.column -= n;
  return KeepOneBefore(t, Change::kCaret);
}

Change Right(EditText& t) {
  if (t.caret >= t.length) return Change::kNone;
  const int n = SizeAt(t, t.caret);
  t.caret += n;
  t.column += n;
  if (t.column <= t.cells) return Change::kCaret;
  ScrollForward(t, n);
  return Change::kWhole;
}

Change Insert(EditText& t, const uint8_t* bytes, int n, bool overwrite) {
  const int replaced = (overwrite && t.caret < t.length) ? SizeAt(t, t.caret) : 0;
  const int length = t.length - replaced + n;
  if (length > EDIT_BUFFER_SIZE || (t.limit >= 0 && length > t.limit)) return Change::kFull;
  std::memmove(t.buffer + t.caret + n, t.buffer + t.caret + replaced,
               static_cast<size_t>(t.length - t.caret - replaced));
  std::memcpy(t.buffer + t.caret, bytes, static_cast<size_t>(n));
  t.length = length;
  t.caret += n;
  t.column += n;
  if (t.column <= t.cells) return Change::kFromCaret;
  ScrollForward(t, n);
  return Change::kWhole;
}

void ClickAt(EditText& t, int x, int charWidth) {
  int pos = t.first, px = 0;
  while (pos < t.length) {
    const int w = SizeAt(t, pos) * charWidth;
    if (px + w / 2 >= x) break;  // passed only when more than half lies left of x
    px += w;
    pos += SizeAt(t, pos);
  }
  t.caret = pos;
  t.column = pos - t.first;
}

int VisibleBytes(const EditText& t) {
  int pos = t.first;
  while (pos < t.length && pos + SizeAt(t, pos) - t.first <= t.cells) pos += SizeAt(t, pos);
  return pos - t.first;
}

}  // namespace controls::edit
