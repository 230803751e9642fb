// The two soft keyboards' keys: scan codes in table order and the strict
// hit test on the current display's key rectangles.
#pragma once

#include "gui/common.h"
#include "gui/layout.h"

namespace skb {

enum Board { kCharBoard = 0, kNumBoard = 1 };

constexpr int kCapsKey = 31;

// The scan code of key index k of a board; -1 outside the board.
int ScanCode(Board board, int k);
// The layout names of a board's keys, in table order (the generator labels
// its skins from them).
const char* KeyName(Board board, int k);
int KeyCount(Board board);

// A board's key table and key height for the main or the auxiliary display.
struct KeyTable {
  const SkbKeyPos* keys;
  int keyHeight;
  int count;
};
KeyTable TableOf(Board board, bool auxiliary);

// The first key whose rectangle holds (x, y) strictly inside, or -1.
int HitTest(const KeyTable& table, int x, int y);
// The rectangle of key k: x, y, x + width, y + key height.
Rect KeyRect(const KeyTable& table, int k);

}  // namespace skb
