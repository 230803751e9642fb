// The fields of a time spinner as values and texts: reading, printing,
// joining into one time text and cutting a time text back into fields.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/spintime/spintime_internal.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace spintime {
namespace {

constexpr size_t kPrintLimit = 10;
constexpr size_t kJoinedLimit = 19;

std::atomic<int> g_currentField{0};

Field* FieldOf(WindowHandle hwnd, int field) {
  Data* d = Record(hwnd);
  if (!d || field < 1 || field > TS_MAX_FIELDS || field > d->count) return nullptr;
  return &d->fields[field - 1];
}

void Changed(WindowHandle hwnd, const Field& f) {
  InvalidateRect(hwnd, &f.field, TRUE);
  SendMessage(hwnd, TSM_WRITEBACK, 0, 0);
}

const char* Separators(int mode) {
  switch (mode) {
    case 2: return "::";
    case 3: return ":-:";
    default: return ":";
  }
}

}  // namespace

int CurrentField() { return g_currentField.load(); }
void SetCurrentField(int field) { g_currentField.store(field); }

// The text is read as a plain decimal number: a width in the print format
// ("%02d") would cut a three-digit value such as 100 short on reading.
int Value(const Field& f) { return static_cast<int>(std::strtol(f.text, nullptr, 10)); }

void Print(Field& f, int v) {
  char out[kPrintLimit + 1];
  std::snprintf(out, sizeof out, f.format.c_str(), v);
  std::memcpy(f.text, out, sizeof out);
}

std::string Compose(const Data& d) {
  static const char* kJoins[TS_MAX_FIELDS + 1] = {"", "%s", "%s:%s", "%s:%s:%s", "%s:%s-%s:%s"};
  const int n = d.count < 0 || d.count > TS_MAX_FIELDS ? 0 : d.count;
  char out[kJoinedLimit + 1];
  std::snprintf(out, sizeof out, kJoins[n], d.fields[0].text, d.fields[1].text, d.fields[2].text, d.fields[3].text);
  return out;
}

bool ParseInto(Data& d, const char* text) {
  if (!text) return false;
  const char* seps = Separators(d.separatorMode);
  // One field needs no separator; its mode's ':' would make every text fail.
  const int pieces = d.count == 1 ? 1 : static_cast<int>(std::strlen(seps)) + 1;
  const char* at = text;
  for (int i = 0; i < pieces && i < TS_MAX_FIELDS; ++i) {
    const char* end = i + 1 < pieces ? std::strchr(at, seps[i]) : at + std::strlen(at);
    if (!end) return false;
    Field& f = d.fields[i];
    const int v = static_cast<int>(std::strtol(std::string(at, end).c_str(), nullptr, 10));
    Print(f, v < f.minimum || v > f.maximum ? f.maximum : v);
    at = *end ? end + 1 : end;
  }
  return true;
}

bool SetFieldCount(WindowHandle hwnd, int count) {
  Data* d = Record(hwnd);
  if (!d || count < 1 || count > TS_MAX_FIELDS) return false;
  d->count = count;
  SendMessage(hwnd, MSG_CALCCLIENTRECT, 0, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
  return true;
}

int GetField(WindowHandle hwnd, int field) {
  const Field* f = FieldOf(hwnd, field);
  if (!f) return 0;
  const int v = Value(*f);
  return v >= 0 && v <= 100 ? v : 0;
}

bool SetField(WindowHandle hwnd, int field, int value) {
  Field* f = FieldOf(hwnd, field);
  if (!f || value < 0 || value > 100) return false;
  Print(*f, value < f->minimum || value > f->maximum ? f->maximum : value);
  Changed(hwnd, *f);
  return true;
}

bool SetFieldRange(WindowHandle hwnd, int field, int minimum, int maximum) {
  Field* f = FieldOf(hwnd, field);
  if (!f || maximum < minimum) return false;
  f->minimum = minimum;
  f->maximum = maximum;
  const int v = Value(*f);
  if (v < minimum) Print(*f, minimum);
  if (v > maximum) Print(*f, maximum);
  Changed(hwnd, *f);
  return true;
}

}  // namespace spintime
