// Inside the list box: its record, the pooled item chain and the pieces the
// procedure, the input handlers and the painters share.
#pragma once

#include <cstdint>

#include "gui/listbox.h"
#include "gui/window.h"

namespace listbox {

// Item flag bits.
constexpr uint32_t kSelected = 0x001, kBitmap = 0x002, kAdded = 0x004, kStyle2 = 0x008;
constexpr uint32_t kChecked = 0x010, kPartChecked = 0x020, kCheckMask = 0x030;
constexpr uint32_t kAllItem = 0x040, kStyle3 = 0x080, kDisabled = 0x100, kStyle4 = 0x200;

// Record state bits.
constexpr uint32_t kFocused = 0x1, kAllDrawn = 0x2;

// Scroll-bar policies.
constexpr uint32_t kBarsEnable = 0, kBarsShow = 1, kBarsHidden = 2;

constexpr int kPoolSize = 16;
constexpr int kTextMax = 255;  // bytes kept of an item text
constexpr int kGridColumns = 6;
constexpr int kCheckSize = 11, kCheckZoneRight = 10;

struct Item {
  char* text;
  int32_t value;
  uint32_t flags;
  uintptr_t image;
  uint32_t data;
  Item* next;
};

struct Data {
  uint32_t state;
  ListBoxCompare compare;
  int hOffset, visibleWidth, widest;
  int count, top, visible, current, itemHeight;
  Item* head;
  int poolSize;
  Item* poolStart;
  Item* poolEnd;
  Item* freeChain;
  uint32_t barPolicy;
};

// The chain (listbox_items.cpp): no window calls, so it is usable alone.
Data* NewData();
void FreeData(Data* d);
Item* TakeItem(Data& d);           // null when neither pool nor heap has one
void GiveBack(Data& d, Item* it);  // frees the text too
Item* ItemAt(const Data& d, int index);
// Inserts at position (negative or past the end appends), or sorted; the
// new index.
int Link(Data& d, Item* it, int position, bool sorted);
Item* Unlink(Data& d, int index);
void Clear(Data& d);
// A fixed-string copy of text cut to kTextMax bytes, never inside a
// double-byte character; null when out of memory.
char* CopyText(const char* text);
int SelectedIndex(const Data& d);
int FindText(const Data& d, int start, const char* text);

// Window side (listbox.cpp and friends).
Data* Of(WindowHandle hwnd);
void Notify(WindowHandle hwnd, int code, LParam data = 0);
int FontHeight(WindowHandle hwnd);
void Refit(WindowHandle hwnd, Data& d);     // visible count and width from the client area
void FitBars(WindowHandle hwnd, Data& d);   // scroll bars after a change
void RepaintItem(WindowHandle hwnd, const Data& d, int index);
void RepaintFrom(WindowHandle hwnd, const Data& d, int index);
int ItemWidth(WindowHandle hwnd, const Item& it);
int MakeCurrent(WindowHandle hwnd, Data& d, int index);
void ScrollTo(WindowHandle hwnd, Data& d, int top);
int HitIndex(WindowHandle hwnd, const Data& d, int x, int y);
void ToggleCheck(WindowHandle hwnd, Data& d, Item& it, int index);

LResult OnKey(WindowHandle hwnd, Data& d, int scan, LParam state);
LResult OnChar(WindowHandle hwnd, Data& d, unsigned ch);
LResult OnMouse(WindowHandle hwnd, Data& d, int msg, int x, int y);
LResult OnScroll(WindowHandle hwnd, Data& d, int msg, WParam code, LParam pos);
void Paint(WindowHandle hwnd, Data& d, HDC hdc);
// Whether the list draws the focus outline (it has the focus).
bool ShowsFocus(WindowHandle hwnd, const Data& d);

}  // namespace listbox
