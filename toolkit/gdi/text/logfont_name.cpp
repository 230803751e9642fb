// Readers of the fields of a font name:
//   type-family-style-width-height-charset[,charset...]
#include <strings.h>

#include <cstdlib>
#include <cstring>

#include "gui/font.h"

namespace {

constexpr int kStyleLetters = 6;
constexpr int kCharsetField = 5;

// Start of field `index` (0-based), or null when the name ends before it.
const char* fieldStart(const char* name, int index) {
  if (!name) return nullptr;
  const char* p = name;
  for (int i = 0; i < index; ++i) {
    p = std::strchr(p, '-');
    if (!p) return nullptr;
    ++p;
  }
  return p;
}

// Copies up to `stop` (or the end) and at most `maxLen` characters.
char* copyUntil(const char* from, char stop, char* out, size_t maxLen) {
  size_t n = 0;
  while (from[n] && from[n] != stop && n < maxLen) {
    out[n] = from[n];
    ++n;
  }
  out[n] = '\0';
  return out;
}

// A number field counts only when a '-' follows it.
int numberField(const char* name, int index) {
  const char* start = fieldStart(name, index);
  if (!start || !std::strchr(start, '-')) return -1;
  return std::atoi(start);
}

uint32_t weightBits(char c) {
  switch (c) {
    case 'b': return FONT_WEIGHT_BOLD;
    case 'c': return FONT_WEIGHT_C;
    case 'd': return FONT_WEIGHT_BOLD_GREY;
    case 'k': return FONT_WEIGHT_GREY;
    case 'l': return FONT_WEIGHT_OUTLINE;
    case 'm': return FONT_WEIGHT_M;
    case 'r': return 0;
    default: return FONT_STYLE_INVALID;
  }
}

uint32_t slantBits(char c) {
  switch (c) {
    case 'i': return FONT_SLANT_ITALIC;
    case 'o': return FONT_SLANT_OBLIQUE;
    case 'r': return 0;
    case '*': return FONT_SLANT_ANY;
    default: return FONT_STYLE_INVALID;
  }
}

uint32_t flipBits(char c) {
  switch (c) {
    case 'H': return FONT_FLIP_HORZ;
    case 'V': return FONT_FLIP_VERT;
    case 'T': return FONT_FLIP_BOTH;
    default: return 0;
  }
}

uint32_t otherBits(char c) {
  switch (c) {
    case 'S': return FONT_OTHER_SCALE;
    case 'N': return FONT_OTHER_N;
    case 'K': return FONT_OTHER_KERNING;
    case 'R': return FONT_OTHER_R;
    default: return 0;
  }
}

uint32_t lineBits(char c, uint32_t set, uint32_t any) {
  switch (c) {
    case 'n': return 0;
    case '*': return any;
    default: return c == (set == FONT_UNDERLINE ? 'u' : 's') ? set : FONT_STYLE_INVALID;
  }
}

}  // namespace

extern "C" {

char* fontGetTypeNameFromName(const char* name, char* type) {
  if (!name || !type || !std::strchr(name, '-')) return nullptr;
  return copyUntil(name, '-', type, FONT_FIELD_LEN);
}

int fontGetTypeId(const char* type) {
  if (!type) return -1;
  struct Known {
    const char* name;
    int id;
  };
  static const Known kTypes[] = {{"rbf", FONT_TYPE_RAW_BITMAP},
                                 {"vbf", FONT_TYPE_VAR_BITMAP},
                                 {"ttf", FONT_TYPE_TRUETYPE},
                                 {"t1f", FONT_TYPE_TYPE1},
                                 {"*", FONT_TYPE_ANY}};
  for (const Known& k : kTypes)
    if (strcasecmp(type, k.name) == 0) return k.id;
  return -1;
}

int fontGetTypeIdFromName(const char* name) {
  char type[FONT_FIELD_LEN + 1];
  if (!fontGetTypeNameFromName(name, type)) return -1;
  return fontGetTypeId(type);
}

char* fontGetFamilyFromName(const char* name, char* family) {
  const char* start = fieldStart(name, 1);
  if (!start || !family) return nullptr;
  return copyUntil(start, '-', family, FONT_FIELD_LEN);
}

uint32_t fontConvertStyle(const char* s) {
  if (!s || std::strlen(s) < kStyleLetters) return FONT_STYLE_INVALID;
  const uint32_t parts[] = {weightBits(s[0]),
                            slantBits(s[1]),
                            flipBits(s[2]),
                            otherBits(s[3]),
                            lineBits(s[4], FONT_UNDERLINE, FONT_UNDERLINE_ANY),
                            lineBits(s[5], FONT_STRUCKOUT, FONT_STRUCKOUT_ANY)};
  uint32_t style = 0;
  for (uint32_t bits : parts) {
    if (bits == FONT_STYLE_INVALID) return FONT_STYLE_INVALID;
    style |= bits;
  }
  return style;
}

uint32_t fontGetStyleFromName(const char* name) {
  const char* start = fieldStart(name, 2);
  if (!start) return FONT_STYLE_INVALID;
  char letters[kStyleLetters + 1];
  copyUntil(start, '-', letters, kStyleLetters);
  return fontConvertStyle(letters);
}

int fontGetWidthFromName(const char* name) { return numberField(name, 3); }

int fontGetHeightFromName(const char* name) { return numberField(name, 4); }

char* fontGetCharsetListFromName(const char* name, char* list) {
  const char* start = fieldStart(name, kCharsetField);
  if (!start || !list) return nullptr;
  return copyUntil(start, '\0', list, FONT_CHARSET_LIST_LEN);
}

char* fontGetCharsetFromName(const char* name, char* charset) {
  const char* start = fieldStart(name, kCharsetField);
  if (!start || !charset) return nullptr;
  return copyUntil(start, ',', charset, FONT_FIELD_LEN);
}

char* fontGetCompatibleCharsetFromName(const char* name, char* charset) {
  char list[FONT_CHARSET_LIST_LEN + 1];
  if (!fontGetCharsetListFromName(name, list)) return nullptr;
  return fontGetNthCharsetFromName(list, charset, 1);
}

int fontGetCharsetCount(const char* list) {
  if (!list) return 0;
  int count = 1;
  for (const char* p = list; *p; ++p)
    if (*p == ',') ++count;
  return count;
}

char* fontGetNthCharsetFromName(const char* list, char* charset, int n) {
  if (!list || !charset || n < 0) return nullptr;
  const char* p = list;
  for (int i = 0; i < n; ++i) {
    p = std::strchr(p, ',');
    if (!p) return nullptr;
    ++p;
  }
  return copyUntil(p, ',', charset, FONT_FIELD_LEN);
}

}  // extern "C"
