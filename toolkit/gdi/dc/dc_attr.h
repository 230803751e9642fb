// The DC's alpha layer and the two text-colour tables the text renderer
// draws glyph pixels through.
#ifndef GDI_DC_DC_ATTR_H
#define GDI_DC_DC_ATTR_H

#include "gdi/dc_record.h"

namespace gui::dc {

struct ChannelMasks {
  uint32_t r = 0, g = 0, b = 0, a = 0;
};

// The masks of the alpha layer (4 bits a channel at 16 bits per pixel, 6 at
// 24, 8 at 32); false for depths without one.
bool AlphaLayerMasks(int bitsPerPixel, ChannelMasks* masks);

// 0 when the DC has (or now has) its alpha format; -1 when its depth has
// none (8 bits and below) or memory runs out.
int GetDCAlphaFormat(DC* dc);
// Table 1: sixteen grades from the background to the text colour (or alpha
// steps of the text colour in transparent mode), then the text colour.
void BuildTextColorTable(DC* dc);
// Table 2, by the current font's style: alpha steps for grey glyphs, or the
// clear/background/text triple for outlined glyphs; else left as it is.
void BuildGlyphColorTable(DC* dc);
// Both tables later, from the DC's present colours and font (a fresh DC).
void DeferTextTables(DC* dc);
// Builds the deferred tables, as they would have been built when deferred.
void ResolveTextTables(DC* dc);
// Frees the alpha format; the DC makes a new one on its next need.
void DropDCAlphaFormat(DC* dc);

}  // namespace gui::dc

#endif
