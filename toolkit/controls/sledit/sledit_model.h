// The text of a single-line edit with its caret, selection, limit and
// overwrite mode: the editing rules without any drawing, so the control
// layer only lays out, paints and notifies after each change.
#pragma once

#include <cstdlib>
#include <memory>

#include "gui/font.h"

namespace sledit {

// A text buffer growing and shrinking in blocks: n bytes of text take n + 1
// rounded up to the next multiple of the block, a whole block more when
// n + 1 is a multiple already. Always terminated.
class LineText {
 public:
  static constexpr int kBlock = 32;
  static int CapacityFor(int length) { return ((length + 1) / kBlock + 1) * kBlock; }

  const char* Data() const { return buf_ ? buf_.get() : ""; }
  char* Bytes() { return buf_.get(); }
  int Length() const { return length_; }
  int Capacity() const { return capacity_; }
  // Resizes for a text of `length` bytes by the block rule; false (and
  // nothing changed) when memory runs out.
  bool Fit(int length);
  // Replaces the text; an allocation failure leaves it empty.
  void Assign(const char* text, int length);
  void SetLength(int length) {
    length_ = length;
    buf_.get()[length] = '\0';
  }

 private:
  struct Free {
    void operator()(char* p) const { std::free(p); }
  };
  std::unique_ptr<char, Free> buf_;
  int length_ = 0;
  int capacity_ = 0;
};

struct EditOutcome {
  bool changed = false;   // text, caret or selection moved: repaint and notify
  bool limitHit = false;  // ring the bell and notify 1281
};

class EditModel {
 public:
  LineText text;
  int caret = 0, selStart = 0, selEnd = 0;
  int limit = -1;            // -1: none
  bool overwrite = false;
  bool password = false;     // typed and set bytes that are not printable become '*'
  bool cutAtLimit = false;   // IP-address and right-aligned fields cut instead of refusing
  bool keepSeparators = false;  // combobox fields: backspace does not remove '-' or ':'
  const LogFont* charset = nullptr;  // whose characters a cut must not split; null: bytes

  bool HasSelection() const { return selStart != selEnd; }
  int SelLow() const { return selStart < selEnd ? selStart : selEnd; }
  int SelHigh() const { return selStart < selEnd ? selEnd : selStart; }
  void Collapse() { selStart = selEnd = caret; }

  // The one editing routine: n > 0 inserts n bytes at the caret, n < 0
  // removes -n bytes before it; a selection goes first (and alone when no
  // bytes are given).
  EditOutcome Edit(const char* bytes, int n);
  // Set-text: cut to the limit, filtered for passwords.
  void SetText(const char* text, bool selectAll, bool caretToEnd);
  // Cuts the text to a lower limit; true when it was longer.
  bool CutToLimit();
  // The last character boundary at or before byte `at` of the bytes.
  int Boundary(const char* bytes, int length, int at) const;

 private:
  void RemoveSelection();
};

// Password filter: bytes that are not letters, digits, punctuation or
// blanks become '*'.
void FilterPassword(char* bytes, int n);

}  // namespace sledit
