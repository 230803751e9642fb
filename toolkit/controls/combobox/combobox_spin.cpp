// The number spin (kind 1): format, range, value and steps, and the list
// spin's step (kind 2) through the list's cursor keys.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/combobox/combobox_internal.h"
#include "controls/listbox/control_measures.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/window_attr.h"

namespace combobox {

namespace {

constexpr uint32_t kEditSelectOnSet = 0x20000;
constexpr int kDelete = 127;

int ReadValue(const ComboBoxData& d) {
  char text[kTextMax + 1];
  EditText(d, text, sizeof text);
  int value = 0;
  if (!d.format || std::sscanf(text, d.format, &value) != 1) return 0;
  return value;
}

void ShowValue(const ComboBoxData& d, int value, bool select) {
  char text[kTextMax + 1] = {0};
  if (d.format) std::snprintf(text, sizeof text, d.format, value);
  if (select && d.edit) IncludeWindowStyle(d.edit, kEditSelectOnSet);
  SetEditText(d, text);
  if (select && d.edit) ExcludeWindowStyle(d.edit, kEditSelectOnSet);
}

// One integer conversion and nothing else to convert: the format is used
// both to print and to read a plain int.
bool OneIntegerConversion(const char* format) {
  int conversions = 0;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') continue;
    if (*++p == '%') continue;
    p += std::strspn(p, "-+ #0123456789");
    if (!*p || !std::strchr("dixXou", *p)) return false;
    ++conversions;
  }
  return conversions == 1;
}

LResult SetFormat(ComboBoxData& d, const char* format) {
  std::free(d.format);
  d.format = nullptr;
  if (!format || !OneIntegerConversion(format)) return -3;  // anything else would misread the value
  const size_t n = std::strlen(format) + 1;
  d.format = static_cast<char*>(std::malloc(n));
  if (!d.format) return -3;
  std::memcpy(d.format, format, n);
  return 0;
}

LResult SetRange(ComboBoxData& d, int minimum, int maximum) {
  if (minimum > maximum) return -3;
  d.spinMin = minimum;
  d.spinMax = maximum;
  const int value = ReadValue(d);
  if (value < minimum) ShowValue(d, minimum, false);
  if (value > maximum) ShowValue(d, maximum, false);
  return 0;
}

void StorePair(WParam first, LParam second, int a, int b) {
  if (first) *reinterpret_cast<int*>(first) = a;
  if (second) *reinterpret_cast<int*>(second) = b;
}

}  // namespace

void ResetSpin(WindowHandle hwnd, ComboBoxData& d) {
  if (Kind(hwnd) == CBS_SPINNUMBER) {
    d.spinMin = 0;
    d.spinMax = 100;
  }
  d.lineStep = 1;
  d.pageStep = 5;
}

void Step(WindowHandle hwnd, ComboBoxData& d, int msg, WParam down) {
  if (Kind(hwnd) == CBS_SPINLIST) {
    if (d.list) SendMessage(d.list, MSG_KEYDOWN, down ? KEY_DOWN : KEY_UP, 0);
    Notify(hwnd, CBN_EDITCHANGE);
    return;
  }
  const int old = ReadValue(d);
  const int step = msg == CB_FASTSPIN ? d.pageStep : d.lineStep;
  long long value = down ? static_cast<long long>(old) - step : static_cast<long long>(old) + step;
  if (GetWindowStyle(hwnd) & CBS_AUTOLOOP) {
    if (value > d.spinMax) value = d.spinMin;
    if (value < d.spinMin) value = d.spinMax;
  } else {
    value = value < d.spinMin ? d.spinMin : value > d.spinMax ? d.spinMax : value;
  }
  if (value == old) return;
  ShowValue(d, static_cast<int>(value), true);
  Notify(hwnd, CBN_EDITCHANGE);
}

bool SpinMessage(WindowHandle hwnd, ComboBoxData& d, int msg, WParam wParam, LParam lParam, LResult* answer) {
  *answer = 0;
  switch (msg) {
    case CB_SETSPINFORMAT: *answer = SetFormat(d, reinterpret_cast<const char*>(lParam)); return true;
    case CB_SETSPINRANGE: *answer = SetRange(d, static_cast<int>(wParam), static_cast<int>(lParam)); return true;
    case CB_GETSPINRANGE: StorePair(wParam, lParam, d.spinMin, d.spinMax); return true;
    case CB_SETSPINVALUE: {
      const int value = static_cast<int>(wParam);
      if (value < d.spinMin || value > d.spinMax) {
        *answer = -3;
        return true;
      }
      ShowValue(d, value, false);
      return true;
    }
    case CB_GETSPINVALUE: *answer = ReadValue(d); return true;
    case CB_SETSPINPACE:
      if (wParam) d.lineStep = static_cast<int>(wParam);
      if (lParam) d.pageStep = static_cast<int>(lParam);
      return true;
    case CB_GETSPINPACE: StorePair(wParam, lParam, d.lineStep, d.pageStep); return true;
    case CB_SPIN: case CB_FASTSPIN: Step(hwnd, d, msg, wParam); return true;
    case CB_CLEARSPIN: SetEditText(d, ""); return true;
    default: return false;
  }
}

// In front of the number spin's edit: only digits and Delete get through.
LResult DigitFilter(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CHAR && !(wParam >= '0' && wParam <= '9') && wParam != kDelete) return 0;
  return EditOwn(hwnd, msg, wParam, lParam);
}

}  // namespace combobox
