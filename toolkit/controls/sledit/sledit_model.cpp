#include "controls/sledit/sledit_model.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "gui/mbtext.h"

namespace sledit {

bool LineText::Fit(int length) {
  const int need = length + 1;
  if (buf_ && need <= capacity_ && need >= capacity_ - kBlock) return true;
  const int capacity = CapacityFor(length);
  char* grown = static_cast<char*>(std::realloc(buf_.get(), static_cast<size_t>(capacity)));
  if (!grown) return false;
  buf_.release();
  buf_.reset(grown);
  if (capacity_ == 0) grown[0] = '\0';
  capacity_ = capacity;
  return true;
}

void LineText::Assign(const char* text, int length) {
  if (!Fit(length)) {
    if (buf_) SetLength(0);
    return;
  }
  std::memmove(buf_.get(), text, static_cast<size_t>(length));
  SetLength(length);
}

void FilterPassword(char* bytes, int n) {
  for (int i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x80 || !(std::isalnum(c) || std::ispunct(c) || std::isblank(c))) bytes[i] = '*';
  }
}

void EditModel::RemoveSelection() {
  const int low = SelLow(), high = SelHigh();
  char* b = text.Bytes();
  std::memmove(b + low, b + high, static_cast<size_t>(text.Length() - high));
  text.SetLength(text.Length() - (high - low));
  text.Fit(text.Length());
  caret = low;
  Collapse();
}

EditOutcome EditModel::Edit(const char* bytes, int n) {
  EditOutcome out;
  std::string typed(bytes && n > 0 ? bytes : "", bytes && n > 0 ? static_cast<size_t>(n) : 0);
  if (password && n > 0 && bytes) FilterPassword(&typed[0], n);
  if (HasSelection()) {
    RemoveSelection();
    out.changed = true;
    if (!bytes) n = 0;
  }
  const int length = text.Length();
  if (limit >= 0 && !cutAtLimit && length + n > limit) return out;
  // What is cut at the limit ends on a whole character of the typed bytes.
  if (limit >= 0 && n > 0 && !overwrite && length + n > limit) {
    out.limitHit = true;
    n = Boundary(typed.data(), n, limit - length);
  } else if (limit >= 0 && n > 0 && overwrite && caret + n > limit) {
    out.limitHit = true;
    n = Boundary(typed.data(), n, limit - caret);
  }
  if (n > 0) {
    const int newLength = overwrite ? std::max(length, caret + n) : length + n;
    if (!text.Fit(newLength)) return out;
    char* b = text.Bytes();
    if (!overwrite) std::memmove(b + caret + n, b + caret, static_cast<size_t>(length - caret));
    std::memcpy(b + caret, typed.data(), static_cast<size_t>(n));
    text.SetLength(newLength);
    caret += n;
  } else if (n < 0) {
    const int remove = std::min(-n, caret);
    if (remove == 0) return out;
    const char before = text.Data()[caret - 1];
    if (keepSeparators && (before == '-' || before == ':')) return out;
    char* b = text.Bytes();
    std::memmove(b + caret - remove, b + caret, static_cast<size_t>(length - caret));
    text.SetLength(length - remove);
    text.Fit(text.Length());
    caret -= remove;
  } else if (!out.changed) {
    return out;
  }
  Collapse();
  out.changed = true;
  return out;
}

void EditModel::SetText(const char* value, bool selectAll, bool caretToEnd) {
  int length = static_cast<int>(std::strlen(value));
  if (limit >= 0 && length > limit) length = Boundary(value, length, limit);
  text.Assign(value, length);
  if (password && text.Bytes()) FilterPassword(text.Bytes(), text.Length());
  caret = caretToEnd ? text.Length() : 0;
  const bool all = selectAll && !caretToEnd;
  selStart = all ? 0 : caret;
  selEnd = all ? text.Length() : caret;
}

bool EditModel::CutToLimit() {
  if (limit < 0 || text.Length() <= limit) return false;
  const int kept = Boundary(text.Data(), text.Length(), limit);
  text.SetLength(kept);
  text.Fit(kept);
  caret = std::min(caret, kept);
  selStart = std::min(selStart, kept);
  selEnd = std::min(selEnd, kept);
  return true;
}

int EditModel::Boundary(const char* bytes, int length, int at) const {
  if (at <= 0) return 0;
  if (!charset || at >= length) return std::min(at, length);
  int p = 0;
  while (p < at) {
    const int n = std::max(1, GetFirstMCharLen(charset, bytes + p, length - p));
    if (p + n > at) break;
    p += n;
  }
  return p;
}

}  // namespace sledit
