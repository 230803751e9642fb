// Binding a logical font to the device fonts that serve it best: by type,
// family and charset, then by the nearest size.
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gdi/text/devfont_list.h"

namespace {

constexpr int kTypeMark = 1;
constexpr int kFamilyMark = 2;
constexpr int kCharsetMark = 4;
constexpr int kAllMarks = kTypeMark | kFamilyMark | kCharsetMark;
constexpr int kFarthest = 256;

const CharsetOps* charsetOf(const char* name) { return GetCharsetOps(name); }

DevFont* systemSingleByteFont() {
  LogFont* sys = g_SysLogFont[0];
  return sys ? sys->singleByteDevFont : nullptr;
}

int markOf(const LogFont* lf, const DevFont* df, const char* charset) {
  int mark = 0;
  int typeId = fontGetTypeId(lf->type);
  if (typeId == FONT_TYPE_ANY || typeId == fontGetTypeIdFromName(df->name)) mark |= kTypeMark;
  char family[FONT_FIELD_LEN + 1];
  if (fontGetFamilyFromName(df->name, family) && strcasecmp(family, lf->family) == 0)
    mark |= kFamilyMark;
  if (CharsetNameMatchesOps(charset, df->charsetOps)) mark |= kCharsetMark;
  return mark;
}

struct Candidate {
  DevFont* font;
  int mark;
};

// The first font of the nearest size among those carrying every bit of
// `wanted`; null when none does.
DevFont* nearestSize(LogFont* lf, const std::vector<Candidate>& fonts, int wanted) {
  DevFont* best = nullptr;
  int bestDistance = kFarthest;
  for (const Candidate& c : fonts) {
    if ((c.mark & wanted) != wanted) continue;
    int distance = std::abs(lf->size - c.font->fontOps->fontSize(lf, c.font, lf->size));
    if (distance < bestDistance) {
      bestDistance = distance;
      best = c.font;
    }
  }
  return best;
}

template <DevFont* DevFont::*next>
DevFont* bestOfList(LogFont* lf, DevFont* head, const char* charset) {
  std::vector<Candidate> fonts;
  for (DevFont* df = head; df; df = df->*next) fonts.push_back({df, markOf(lf, df, charset)});
  DevFont* best = nearestSize(lf, fonts, kAllMarks);
  return best ? best : nearestSize(lf, fonts, kCharsetMark);
}

// Settles the chosen font's size rules (a raw font's scale) for this LogFont.
DevFont* settle(LogFont* lf, DevFont* df) {
  if (df) df->fontOps->fontSize(lf, df, lf->size);
  return df;
}

}  // namespace

extern "C" {

DevFont* MatchSingleByteDevFont(LogFont* lf) {
  if (!lf) return nullptr;
  char charset[FONT_FIELD_LEN + 1];
  const CharsetOps* own = charsetOf(lf->charset);
  if (own && !devfont::IsMultiByteCharset(own)) {
    snprintf(charset, sizeof charset, "%s", lf->charset);
  } else {
    // Multi-byte text takes its single-byte part from the system font.
    DevFont* sys = systemSingleByteFont();
    if (!sys || !fontGetCharsetFromName(sys->name, charset)) return nullptr;
  }
  DevFont* best = bestOfList<&DevFont::nextSingleByte>(lf, devfont::SingleByteHead(), charset);
  return settle(lf, best ? best : systemSingleByteFont());
}

DevFont* MatchMultiByteDevFont(LogFont* lf) {
  if (!lf) return nullptr;
  const CharsetOps* own = charsetOf(lf->charset);
  if (!own || !devfont::IsMultiByteCharset(own)) return nullptr;
  return settle(lf, bestOfList<&DevFont::nextMultiByte>(lf, devfont::MultiByteHead(), lf->charset));
}

}  // extern "C"
