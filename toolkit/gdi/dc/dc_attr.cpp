// DC attribute words, the current font and the text-colour tables built
// from them.
#include "gdi/dc/dc_attr.h"

#include <cstdint>

#include "gui/dc.h"
#include "gui/font.h"
#include "gui/text.h"

namespace gui::dc {
namespace {

constexpr int kAlphaSteps = kTextColorSlots - 1;
constexpr int kAlphaStepSize = 256 / kAlphaSteps;

// Entries 0..15 the colour at alpha 16 x i, entry 16 at alpha 255.
void FillAlphaSteps(GalPixel* table, const GalPixelFormat* alpha, uint8_t r, uint8_t g,
                    uint8_t b) {
  for (int i = 0; i < kAlphaSteps; ++i)
    table[i] = GAL_MapRGBA(alpha, r, g, b, static_cast<uint8_t>(kAlphaStepSize * i));
  table[kAlphaSteps] = GAL_MapRGBA(alpha, r, g, b, 255);
}

// Sixteen even steps from the background to the text colour, each channel
// advanced by its truncated delta in 8 bits.
void FillGradient(DC* dc) {
  const GalPixelFormat* format = dc->surface->format;
  uint8_t bk[3], fg[3];
  GAL_GetRGB(dc->bkColor, format, &bk[0], &bk[1], &bk[2]);
  GAL_GetRGB(dc->textColor, format, &fg[0], &fg[1], &fg[2]);
  int delta[3];
  for (int c = 0; c < 3; ++c) delta[c] = (fg[c] - bk[c]) / kAlphaSteps;
  dc->textColors[0] = dc->bkColor;
  uint8_t now[3] = {bk[0], bk[1], bk[2]};
  for (int i = 1; i < kAlphaSteps; ++i) {
    for (int c = 0; c < 3; ++c) now[c] = static_cast<uint8_t>(now[c] + delta[c]);
    dc->textColors[i] = GAL_MapRGB(format, now[0], now[1], now[2]);
  }
  dc->textColors[kAlphaSteps] = dc->textColor;
}

void SplitTextColor(const DC* dc, uint8_t* r, uint8_t* g, uint8_t* b) {
  GAL_GetRGB(dc->textColor, dc->surface->format, r, g, b);
}

}  // namespace

bool AlphaLayerMasks(int bitsPerPixel, ChannelMasks* masks) {
  switch (bitsPerPixel) {
    case 16:
      *masks = ChannelMasks{0xF000, 0x0F00, 0x00F0, 0x000F};
      return true;
    case 24:
      *masks = ChannelMasks{0xFC0000, 0x03F000, 0x000FC0, 0x00003F};
      return true;
    case 32:
      *masks = ChannelMasks{0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
      return true;
    default:
      return false;
  }
}

int GetDCAlphaFormat(DC* dc) {
  if (dc->alphaFormat) return 0;
  if (!dc->surface || !dc->surface->format) return -1;
  ChannelMasks m;
  const int bits = dc->surface->format->bitsPerPixel;
  if (!AlphaLayerMasks(bits, &m)) return -1;
  dc->alphaFormat = GAL_AllocFormat(bits, m.r, m.g, m.b, m.a);
  return dc->alphaFormat ? 0 : -1;
}

void DropDCAlphaFormat(DC* dc) {
  if (dc->alphaFormat) GAL_FreeFormat(dc->alphaFormat);
  dc->alphaFormat = nullptr;
}

void DeferTextTables(DC* dc) {
  dc->textTablesPending = true;
  dc->pendingBkColor = dc->bkColor;
  dc->pendingTextColor = dc->textColor;
  dc->pendingFont = dc->font;
}

void ResolveTextTables(DC* dc) {
  if (!dc->textTablesPending) return;
  dc->textTablesPending = false;
  const GalPixel bk = dc->bkColor, text = dc->textColor;
  const int32_t mode = dc->bkMode;
  LogFont* font = dc->font;
  dc->bkColor = dc->pendingBkColor;
  dc->textColor = dc->pendingTextColor;
  dc->bkMode = BM_OPAQUE;
  dc->font = dc->pendingFont;
  BuildTextColorTable(dc);
  BuildGlyphColorTable(dc);
  dc->bkColor = bk, dc->textColor = text, dc->bkMode = mode, dc->font = font;
}

void BuildTextColorTable(DC* dc) {
  ResolveTextTables(dc);
  if (!dc->surface) return;
  if (dc->bkMode == BM_TRANSPARENT && GetDCAlphaFormat(dc) == 0) {
    uint8_t r, g, b;
    SplitTextColor(dc, &r, &g, &b);
    FillAlphaSteps(dc->textColors, dc->alphaFormat, r, g, b);
  } else if (dc->surface->format->bitsPerPixel <= 8) {
    for (int i = 0; i < kAlphaSteps; ++i) dc->textColors[i] = dc->bkColor;
    dc->textColors[kAlphaSteps] = dc->textColor;
  } else {
    FillGradient(dc);
  }
}

void BuildGlyphColorTable(DC* dc) {
  ResolveTextTables(dc);
  if (!dc->surface || !dc->font) return;
  const uint32_t style = dc->font->style;
  if ((style & FONT_WEIGHT_GREY) && GetDCAlphaFormat(dc) == 0) {
    uint8_t r, g, b;
    SplitTextColor(dc, &r, &g, &b);
    FillAlphaSteps(dc->textColors2, dc->alphaFormat, r, g, b);
  } else if (style & FONT_WEIGHT_OUTLINE) {
    // Entry 0 is the key the outline buffer is cleared with: any value but
    // the two colours drawn.
    GalPixel clear = dc->bkColor ^ 1;
    if (clear == dc->textColor) clear = dc->bkColor ^ 3;
    dc->textColors2[0] = clear;
    dc->textColors2[1] = dc->bkColor;
    dc->textColors2[2] = dc->textColor;
  }
}

}  // namespace gui::dc

using namespace gui::dc;

namespace {

uint32_t* AttrWord(DC* dc, int index) {
  switch (index) {
    case DC_ATTR_BK_COLOR: return &dc->bkColor;
    case DC_ATTR_BK_MODE: return reinterpret_cast<uint32_t*>(&dc->bkMode);
    case DC_ATTR_PEN_COLOR: return &dc->penColor;
    case DC_ATTR_BRUSH_COLOR: return &dc->brushColor;
    case DC_ATTR_TEXT_COLOR: return &dc->textColor;
    case DC_ATTR_TAB_STOP: return reinterpret_cast<uint32_t*>(&dc->tabStop);
    case DC_ATTR_CHAR_EXTRA: return reinterpret_cast<uint32_t*>(&dc->charExtra);
    case DC_ATTR_ALINE_EXTRA: return reinterpret_cast<uint32_t*>(&dc->aboveLineExtra);
    case DC_ATTR_BLINE_EXTRA: return reinterpret_cast<uint32_t*>(&dc->belowLineExtra);
    case DC_ATTR_MAP_MODE: return reinterpret_cast<uint32_t*>(&dc->mapMode);
    default: return nullptr;
  }
}

}  // namespace

extern "C" {

uint32_t GetDCAttr(HDC hdc, int index) {
  DC* dc = DcFromHandle(hdc);
  const uint32_t* word = dc ? AttrWord(dc, index) : nullptr;
  return word ? *word : 0;
}

uint32_t SetDCAttr(HDC hdc, int index, uint32_t value) {
  DC* dc = DcFromHandle(hdc);
  uint32_t* word = dc ? AttrWord(dc, index) : nullptr;
  if (!word) return 0;
  const uint32_t old = *word;
  *word = value;
  if (index == DC_ATTR_TEXT_COLOR) {
    BuildTextColorTable(dc);
    BuildGlyphColorTable(dc);
  }
  return old;
}

LogFont* SelectFont(HDC hdc, LogFont* logfont) {
  DC* dc = DcFromHandle(hdc);
  if (!dc) return nullptr;
  LogFont* old = dc->font;
  dc->font = logfont ? logfont : (g_SysLogFont[1] ? g_SysLogFont[1] : g_SysLogFont[0]);
  BuildTextColorTable(dc);
  BuildGlyphColorTable(dc);
  return old;
}

LogFont* GetCurFont(HDC hdc) {
  DC* dc = DcFromHandle(hdc);
  return dc ? dc->font : nullptr;
}

void GetLogFontInfo(HDC hdc, LogFont* logfont) {
  DC* dc = DcFromHandle(hdc);
  if (!dc || !dc->font || !logfont) return;
  *logfont = *dc->font;
}

}  // extern "C"
