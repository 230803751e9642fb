// Inside the new tool bar: its record and items, placement and painting.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/newtoolbar.h"

namespace controls::ntb {

struct Item {
  uint32_t flags = 0;
  int id = 0, row = 0;
  char label[16] = {};
  char tip[256] = {};
  Rect rect{}, labelRect{}, arrow{};
  NtbHotspotProc hotspot = nullptr;
  LParam addData = 0;

  uint32_t Type() const { return flags & NTBIF_TYPEMASK; }
  bool Button() const { return Type() == 1 || Type() == 2 || Type() == 5; }
  bool NewLine() const { return Type() == NTBIF_NEWLINE; }
  bool Separator() const { return !Button() && !NewLine(); }
  bool Disabled() const { return (flags & NTBIF_DISABLED) != 0; }
};

struct BarData {
  std::vector<Item> items;
  uint32_t style = 0;
  const Bitmap* image = nullptr;
  int rows = 0, columns = 0, cellWidth = 0, cellHeight = 0;
  int hot = -1;  // index into items
  bool pressed = false;
};

// Image and cell geometry with the defaults of creation.
void SetImage(BarData* d, const NtbCreateData* data);
// Label of at most 15 bytes, never splitting a double-byte character.
void CopyLabel(WindowHandle hwnd, char out[16], const char* text);
// Places items[index] after the one before it.
void Place(WindowHandle hwnd, BarData* d, size_t index, bool relayout);
// Places every item again up to and including the first new line.
void Relayout(WindowHandle hwnd, BarData* d);
// MSG_SIZECHANGING: the requested rectangle, adjusted by the size rule.
void SizeRule(WindowHandle hwnd, const BarData& d, const Rect* requested, Rect* out);

void Paint(WindowHandle hwnd, HDC hdc, const BarData& d);

}  // namespace controls::ntb
