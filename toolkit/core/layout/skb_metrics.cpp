// Key positions of the two soft keyboards, per display.
#include "core/layout/skb_metrics.h"

#include <cstring>
#include <string>

#include "core/element/size_limit.h"
#include "gui/display.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"

int g_chSkb_num, g_chSkb_charh, g_aux_chSkb_charh;
SkbKeyPos g_chSkb_Pos[SKB_POS_ENTRIES], g_aux_chSkb_Pos[SKB_POS_ENTRIES];
int g_nuSkb_num, g_nuSkb_charh, g_aux_nuSkb_charh;
SkbKeyPos g_nuSkb_Pos[SKB_POS_ENTRIES], g_aux_nuSkb_Pos[SKB_POS_ENTRIES];

static_assert(sizeof g_chSkb_Pos == 600, "a key position table holds 600 bytes");

namespace layout {
namespace {

const char* const kCharKeys[CHSKB_KEYS] = {
    "char_escape", "char_1", "char_2", "char_3", "char_4", "char_5",      "char_6",
    "char_7",      "char_8", "char_9", "char_0", "char_q", "char_w",      "char_e",
    "char_r",      "char_t", "char_y", "char_u", "char_i", "char_o",      "char_p",
    "char_punc",   "char_a", "char_s", "char_d", "char_f", "char_g",      "char_h",
    "char_j",      "char_k", "char_l", "char_caps", "char_z", "char_x",   "char_c",
    "char_v",      "char_b", "char_n", "char_m", "char_remove", "char_space", "char_enter"};

const char* const kNumberKeys[NUSKB_KEYS] = {
    "char_1", "char_2", "char_3",     "char_4",      "char_5",     "char_6",    "char_7",     "char_8",
    "char_9", "char_escape", "char_0", "char_comma", "char_remove", "char_space", "char_enter"};

using IntReader = int (*)(const char* section, const char* key, int* value);

// A value beyond the size limit counts as missing: a key placed 2^31
// pixels away would be as unusable as one without a place.
void ReadIfPresent(IntReader read, const char* section, const std::string& key, int32_t* out) {
  int value = 0;
  if (read(section, key.c_str(), &value) == ETC_OK && element::WithinSizeLimit(value)) *out = value;
}

void ReadPositions(IntReader read, const char* section, const char* const* keys, int count,
                   SkbKeyPos* table) {
  std::memset(table, 0xFF, sizeof(SkbKeyPos) * SKB_POS_ENTRIES);
  for (int i = 0; i < count; ++i) {
    const std::string key = keys[i];
    ReadIfPresent(read, section, key + "_x", &table[i].x);
    ReadIfPresent(read, section, key + "_y", &table[i].y);
    ReadIfPresent(read, section, key + "_w", &table[i].w);
  }
}

struct Keyboard {
  const char* section;
  const char* const* keys;
  int keyCount;
  int* number;
  int* charHeight;
  SkbKeyPos* positions;
  int* auxCharHeight;
  SkbKeyPos* auxPositions;
};

void LoadKeyboard(const Keyboard& kb, bool withAux) {
  *kb.number = 0;
  ReadIfPresent(GetGuiEtcIntValue, kb.section, "char_number", kb.number);
  ReadIfPresent(GetGuiEtcIntValue, kb.section, "char_h", kb.charHeight);
  const bool complete = *kb.number == kb.keyCount;
  ReadPositions(GetGuiEtcIntValue, kb.section, kb.keys, complete ? kb.keyCount : 0, kb.positions);
  if (!withAux) return;
  ReadIfPresent(GetAuxGuiEtcIntValue, kb.section, "char_h", kb.auxCharHeight);
  ReadPositions(GetAuxGuiEtcIntValue, kb.section, kb.keys, complete ? kb.keyCount : 0,
                kb.auxPositions);
}

}  // namespace

void LoadSoftKeyboardMetrics() {
  const bool withAux = HasAuxOutput();
  LoadKeyboard(Keyboard{"chskb_metrics", kCharKeys, CHSKB_KEYS, &g_chSkb_num, &g_chSkb_charh,
                        g_chSkb_Pos, &g_aux_chSkb_charh, g_aux_chSkb_Pos},
               withAux);
  LoadKeyboard(Keyboard{"nuskb_metrics", kNumberKeys, NUSKB_KEYS, &g_nuSkb_num, &g_nuSkb_charh,
                        g_nuSkb_Pos, &g_aux_nuSkb_charh, g_aux_nuSkb_Pos},
               withAux);
}

}  // namespace layout
