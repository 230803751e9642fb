// Inside the combo box: its record, the shared dialog code and the pieces
// the procedure, layout, list, spin, input and painting files share.
#pragma once

#include <cstdint>

#include "gui/bitmap.h"
#include "gui/combobox.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace combobox {

// State flags.
constexpr uint16_t kFocused = 0x10, kOpen = 0x20, kFirstMarked = 0x40, kSecondMarked = 0x80, kPressed = 0x100;

// Dialog codes.
constexpr int kCodeNormal = 0x11, kCodeListKeys = 0x4011, kCodeTyping = 0x4015;

constexpr int kTextMax = 50;      // bytes of the edit's text read for a number or a search
constexpr int kMatchMax = 128;    // bytes compared when the edit's text names an item
constexpr int kMaxRows = 11;      // drop-down rows without the grid
constexpr int kGridPerRow = 6;

struct ComboBoxData {
  uint16_t state;
  WindowHandle edit, list, calendar, spinner;
  const Bitmap* button;
  Rect first, second, listRect, spinRect;
  int listHeight, spinHeight, count;
  int spinMin, spinMax, lineStep, pageStep;
  char* format;
  int openedAt;  // the list's current row when it opened: a close without a choice goes back to it
};

struct Skins {
  const Bitmap *date, *time, *down, *spin, *leftRight;
};
Skins LoadSkins();  // loading stops at the first missing one

int DialogCode();
void SetDialogCode(int code);

ComboBoxData* Of(WindowHandle hwnd);
inline uint32_t Kind(WindowHandle hwnd) { return GetWindowStyle(hwnd) & CBS_TYPEMASK; }
// Notifications marked for the notify style pass only with it.
void Notify(WindowHandle hwnd, int code);
void NotifyAlways(WindowHandle hwnd, int code);
LResult Default(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);

// The edit's text (at most size - 1 bytes) / replaced.
void EditText(const ComboBoxData& d, char* out, int size);
void SetEditText(const ComboBoxData& d, const char* text);
void CopyCurrentToEdit(const ComboBoxData& d);
bool InsideEdit(const ComboBoxData& d, WindowHandle hwnd, int x, int y);
bool Inside(const Rect& r, int x, int y);

// Layout (combobox_layout.cpp).
void Layout(WindowHandle hwnd, ComboBoxData& d);
void RelayoutList(WindowHandle hwnd, ComboBoxData& d, const char* addedText, bool wasEmpty);
void ShrinkList(WindowHandle hwnd, ComboBoxData& d);

// Lists (combobox_list.cpp): true when the message was one of them.
bool ListMessage(WindowHandle hwnd, ComboBoxData& d, int msg, WParam wParam, LParam lParam, LResult* answer);
LResult SetCurrent(WindowHandle hwnd, ComboBoxData& d, int index);
int MatchEditText(ComboBoxData& d);  // 0xF147: the item named by the edit, made current; -1 none
void OpenList(WindowHandle hwnd, ComboBoxData& d, bool choose);
void CloseList(WindowHandle hwnd, ComboBoxData& d, int code);  // notifies code (9 or 10), then 8
// Lights the arrow (or the second one) the point (client coordinates) lies
// on, and no other.
void MarkArrow(WindowHandle hwnd, ComboBoxData& d, int x, int y);

// Number spin (combobox_spin.cpp).
bool SpinMessage(WindowHandle hwnd, ComboBoxData& d, int msg, WParam wParam, LParam lParam, LResult* answer);
void ResetSpin(WindowHandle hwnd, ComboBoxData& d);
void Step(WindowHandle hwnd, ComboBoxData& d, int msg, WParam down);
LResult DigitFilter(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);

// Input (combobox_input.cpp).
LResult OnKey(WindowHandle hwnd, ComboBoxData& d, int scan, WParam wParam, LParam lParam);
LResult OnMouse(WindowHandle hwnd, ComboBoxData& d, int msg, WParam wParam, LParam lParam);
void OnDropDownHidden(WindowHandle hwnd, ComboBoxData& d, WParam wParam, LParam lParam);
void OnActive(WindowHandle hwnd, ComboBoxData& d, WParam on);
void OnCommand(WindowHandle hwnd, ComboBoxData& d, WParam wParam);
void OnFocus(WindowHandle hwnd, ComboBoxData& d);
void OnBlur(WindowHandle hwnd, ComboBoxData& d);

// Typing into the edit of a date or time box (combobox_time.cpp).
constexpr uint32_t kEditReadOnly = 0x800, kEditEditable = 0x200;
void CaretToEnd(const ComboBoxData& d);
void StartTyping(ComboBoxData& d, int scan, int limit);
void StopTyping(ComboBoxData& d);
bool TypeOverDigit(const ComboBoxData& d, WParam ch);  // true when the digit was typed

// The date box (combobox_date.cpp).
void CreateCalendar(WindowHandle hwnd, ComboBoxData& d);
void PlaceCalendar(WindowHandle hwnd, ComboBoxData& d);
bool DateMessage(ComboBoxData& d, int msg, WParam wParam, LParam lParam, LResult* answer);
void ToggleCalendar(WindowHandle hwnd, ComboBoxData& d);
void CalendarChoice(WindowHandle hwnd, ComboBoxData& d, int code);
LResult DateKey(WindowHandle hwnd, ComboBoxData& d, int scan, WParam wParam, LParam lParam);
void DateBlur(WindowHandle hwnd, ComboBoxData& d);

// The time box (combobox_time.cpp).
void CreateTimeSpinner(WindowHandle hwnd, ComboBoxData& d);
void PlaceSpinner(WindowHandle hwnd, ComboBoxData& d);
bool TimeMessage(ComboBoxData& d, int msg, WParam wParam, LParam lParam, LResult* answer);
void ToggleSpinner(ComboBoxData& d);
LResult TimeKey(WindowHandle hwnd, ComboBoxData& d, int scan, WParam wParam, LParam lParam);
void TimeBlur(ComboBoxData& d);

// The edit's own procedure, for a filter set in front of it.
LResult EditOwn(WindowHandle edit, int msg, WParam wParam, LParam lParam);

// Painting (combobox_paint.cpp).
void Paint(WindowHandle hwnd, ComboBoxData& d, HDC hdc);
// In front of a drop-down list's edit: a chosen row that is a picture alone
// shows its picture where the text would be.
LResult PictureField(WindowHandle edit, int msg, WParam wParam, LParam lParam);
LResult EraseBackground(WindowHandle hwnd, WParam wParam, LParam lParam);

}  // namespace combobox
