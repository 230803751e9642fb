// TrueType device fonts, rasterised by FreeType. A loaded face is shared by
// every logical font bound to it; each binding gets an instance with its own
// size, rotation and metrics.
#ifndef TOOLKIT_GDI_TEXT_TRUETYPE_FONT_H
#define TOOLKIT_GDI_TEXT_TRUETYPE_FONT_H

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "gui/font.h"

namespace truetype {

constexpr int kWidthTableSize = 256;
constexpr FT_UInt kNoGlyph = 0xFFFF;
constexpr uint32_t kUnmeasured = 0xFFFFFFFF;

// What a TrueType DevFont's data points to: a loaded face or an instance.
struct Record {
  bool isInstance = false;
};

struct TrueTypeFont : Record {
  FT_Face face = nullptr;
  FT_CharMap charmap = nullptr;
  int lastTableGlyph = 0;  // last glyph index the width table covers
  bool kerningUsable = false;
  bool valid = false;
};

struct TrueTypeInstance : Record {
  DevFont devfont{};  // the copy the LogFont holds
  TrueTypeFont* font = nullptr;
  FT_Size size = nullptr;
  int rotation = 0;  // tenths of a degree
  FT_Matrix matrix{};
  int maxWidth = 0, averageWidth = 0, height = 0, ascent = 0, descent = 0;
  // Widths of the table's glyphs, each measured when first asked for
  // (kUnmeasured until then; any thread may ask).
  std::array<std::atomic<uint32_t>, kWidthTableSize> widths{};
  FT_UInt glyph = kNoGlyph;
  FT_UInt previousGlyph = kNoGlyph;
  FT_Glyph outline = nullptr;  // the current glyph's outline, placed as drawn
  FT_Vector advance{};         // its advance in 26.6, rotated
  int left = 0, bottom = 0, right = 0, top = 0;  // its box in whole pixels
};

extern const FontOps kTrueTypeOps;

// The FreeType library all faces are opened with; null before loading.
FT_Library Library();

// Every logical font bound to a face shares it, and FreeType keeps the
// active size and the loaded glyph in the face: whatever selects a size,
// loads or renders a glyph, or adds or drops a size holds this lock. It is
// a leaf: nothing is called under it that takes another lock.
std::mutex& FaceLock();

// Instance operations (truetype_instance.cpp).
DevFont* NewInstance(LogFont* lf, DevFont* df, BOOL singleByte);
void DeleteInstance(LogFont* lf, DevFont* df);
// The instance behind a DevFont; null for a face that is not bound.
TrueTypeInstance* InstanceOf(DevFont* df);
// Makes the instance's size the face's active one.
bool Activate(TrueTypeInstance* inst);
// The width of a glyph the width table covers, measured at the first ask.
int TableWidth(TrueTypeInstance* inst, FT_UInt glyph);
// Loads a glyph outline scaled and hinted; false when the face has no such
// glyph (callers then use glyph 0).
bool LoadOutline(TrueTypeFont* font, FT_UInt glyph);
// Ink width of the loaded glyph in whole pixels.
int LoadedGlyphWidth(TrueTypeFont* font);

// Glyph lookup (truetype_glyph.cpp).
FT_UInt GlyphIndexOf(DevFont* df, const unsigned char* mchar, int len);

}  // namespace truetype

#endif
