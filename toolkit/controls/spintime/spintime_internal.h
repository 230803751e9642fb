// Inside the time spinner: its record, the operations the time combo box
// performs on it, and the pieces painting and input share.
#pragma once

#include <cstdint>
#include <string>

#include "gui/bitmap.h"
#include "gui/timespin.h"

namespace spintime {

constexpr uint16_t kUpMarked = 0x40, kDownMarked = 0x80, kSelected = 0x100;

struct Field {
  uint16_t flags = 0;
  int minimum = 0, maximum = 100;
  int lineStep = 1, pageStep = 5;
  std::string format = "%02d";
  char text[12] = "0";
  Rect field{}, up{}, down{};
};

struct Data {
  int count = 0;
  int separatorMode = 1;
  Field fields[TS_MAX_FIELDS];
  char separators[3] = {':', ':', ':'};
  const Bitmap* arrows = nullptr;
};

Data* Record(WindowHandle hwnd);

// Field value read back from its text.
int Value(const Field& f);
// Prints v with the field's format into its text (at most 10 bytes).
void Print(Field& f, int v);
// The fields joined by count: "%s", "%s:%s", "%s:%s:%s" or "%s:%s-%s:%s".
std::string Compose(const Data& d);
// Cuts a time text at the separators of the spinner's mode into the
// fields' texts; a piece outside its field's range becomes the maximum.
// False at a missing separator (the pieces before it are kept).
bool ParseInto(Data& d, const char* text);

// What the time combo box does with its spinner.
bool SetFieldCount(WindowHandle hwnd, int count);
int GetField(WindowHandle hwnd, int field);
bool SetField(WindowHandle hwnd, int field, int value);
bool SetFieldRange(WindowHandle hwnd, int field, int minimum, int maximum);

// Shared by all spinners: the field under the mouse (0 none, 1..4).
int CurrentField();
void SetCurrentField(int field);

// The shared width factor back to 1 (at every creation).
void ResetScale();
void Layout(WindowHandle hwnd, Data& d, int clientWidth, int clientHeight);
void Paint(WindowHandle hwnd, HDC hdc, const Data& d);
LResult Step(WindowHandle hwnd, Data& d, bool page, bool down);
void Mouse(WindowHandle hwnd, Data& d, int msg, int x, int y);
void MouseLeave(WindowHandle hwnd, Data& d, bool entering);

// Where the composed time goes: the combo box's edit.
WindowHandle TextTarget(WindowHandle spinner);

}  // namespace spintime
