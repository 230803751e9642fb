#include "controls/skb/skb_keys.h"

namespace skb {
namespace {

constexpr int kCharCodes[CHSKB_KEYS] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 16, 17, 18,
                                        19, 20, 21, 22, 23, 24, 25, 130, 30, 31, 32, 33, 34, 35,
                                        36, 37, 38, 58, 44, 45, 46, 47, 48, 49, 50, 14, 57, 28};
constexpr int kNumCodes[NUSKB_KEYS] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 11, 52, 14, 57, 28};

constexpr const char* kCharNames[CHSKB_KEYS] = {
    "char_escape", "char_1", "char_2", "char_3", "char_4", "char_5",  "char_6",     "char_7",     "char_8",
    "char_9",      "char_0", "char_q", "char_w", "char_e", "char_r",  "char_t",     "char_y",     "char_u",
    "char_i",      "char_o", "char_p", "char_punc", "char_a", "char_s", "char_d",   "char_f",     "char_g",
    "char_h",      "char_j", "char_k", "char_l", "char_caps", "char_z", "char_x",   "char_c",     "char_v",
    "char_b",      "char_n", "char_m", "char_remove", "char_space", "char_enter"};
constexpr const char* kNumNames[NUSKB_KEYS] = {"char_1", "char_2", "char_3", "char_4",      "char_5",
                                               "char_6", "char_7", "char_8", "char_9",      "char_escape",
                                               "char_0", "char_comma", "char_remove", "char_space", "char_enter"};

}  // namespace

int KeyCount(Board board) { return board == kCharBoard ? CHSKB_KEYS : NUSKB_KEYS; }

int ScanCode(Board board, int k) {
  if (k < 0 || k >= KeyCount(board)) return -1;
  return board == kCharBoard ? kCharCodes[k] : kNumCodes[k];
}

const char* KeyName(Board board, int k) {
  if (k < 0 || k >= KeyCount(board)) return nullptr;
  return board == kCharBoard ? kCharNames[k] : kNumNames[k];
}

KeyTable TableOf(Board board, bool auxiliary) {
  if (board == kCharBoard)
    return {auxiliary ? g_aux_chSkb_Pos : g_chSkb_Pos, auxiliary ? g_aux_chSkb_charh : g_chSkb_charh, CHSKB_KEYS};
  return {auxiliary ? g_aux_nuSkb_Pos : g_nuSkb_Pos, auxiliary ? g_aux_nuSkb_charh : g_nuSkb_charh, NUSKB_KEYS};
}

// Keys not in use are all ones, so nothing lies strictly inside them.
int HitTest(const KeyTable& table, int x, int y) {
  for (int k = 0; k < table.count; ++k) {
    const SkbKeyPos& key = table.keys[k];
    if (x > key.x && x < key.x + key.w && y > key.y && y < key.y + table.keyHeight) return k;
  }
  return -1;
}

Rect KeyRect(const KeyTable& table, int k) {
  const SkbKeyPos& key = table.keys[k];
  return Rect{key.x, key.y, key.x + key.w, key.y + table.keyHeight};
}

}  // namespace skb
