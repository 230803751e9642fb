// Binding a TrueType face to one logical font: size, rotation and the
// metrics the text code reads.
#include <cmath>
#include <cstdio>
#include <memory>

#include "gdi/text/devfont_list.h"
#include "gdi/text/truetype_font.h"

#include FT_OUTLINE_H
#include FT_SIZES_H

namespace truetype {
namespace {

constexpr double kRadiansPerTenthDegree = 0.0017453292519943296;
constexpr FT_UInt kAverageProbeGlyph = 256;

TrueTypeFont* fontOf(DevFont* df) {
  auto* record = static_cast<Record*>(df->data);
  if (!record) return nullptr;
  if (record->isInstance) return static_cast<TrueTypeInstance*>(record)->font;
  return static_cast<TrueTypeFont*>(record);
}

// Single-byte text drawn with a multi-byte face uses the face's compatible
// (single-byte) charset, the list entry after the first.
bool bindCharset(TrueTypeInstance* inst, BOOL singleByte) {
  DevFont& copy = inst->devfont;
  if (!singleByte || !devfont::IsMultiByteCharset(copy.charsetOps)) return true;
  char charset[FONT_FIELD_LEN + 1];
  if (!fontGetCompatibleCharsetFromName(copy.name, charset)) return false;
  copy.charsetOps = GetCharsetOpsEx(charset);
  return copy.charsetOps != nullptr;
}

void setRotation(TrueTypeInstance* inst, int rotation) {
  inst->rotation = rotation;
  double angle = rotation * kRadiansPerTenthDegree;
  FT_Fixed c = static_cast<FT_Fixed>(std::cos(angle) * 65536.0);
  FT_Fixed s = static_cast<FT_Fixed>(std::sin(angle) * 65536.0);
  inst->matrix = FT_Matrix{c, -s, s, c};
}

int glyphWidthOrFirst(TrueTypeFont* font, FT_UInt glyph) {
  if (LoadOutline(font, glyph) || LoadOutline(font, 0)) return LoadedGlyphWidth(font);
  return 0;
}

// The metric rules of these fonts: a pixel more above and below the face's
// own ascender and descender, widths of the first 256 glyphs kept in a table.
// Measuring a glyph runs its hinting: a face of 256 glyphs or more, whose
// average needs no table, has its widths measured as they are asked for
// (start-up binds several sizes, and the first screen uses few glyphs).
void measure(TrueTypeInstance* inst) {
  TrueTypeFont* font = inst->font;
  FT_Face face = font->face;
  const FT_Size_Metrics& m = inst->size->metrics;
  inst->maxWidth = static_cast<int>((static_cast<int64_t>(face->max_advance_width) * m.x_scale) >> 22);
  inst->ascent = static_cast<int>((static_cast<int64_t>(face->ascender) * m.y_scale / 65536) / 64 + 1);
  inst->descent = static_cast<int>((static_cast<int64_t>(face->descender) * m.y_scale / 65536) / 64 + 1);
  inst->height = inst->ascent - inst->descent;

  for (std::atomic<uint32_t>& width : inst->widths) width.store(kUnmeasured, std::memory_order_relaxed);
  // A face of 256 glyphs or more is measured by the glyph just past the
  // table, loaded for the purpose rather than read beyond it.
  if (face->num_glyphs >= kWidthTableSize) {
    inst->averageWidth = glyphWidthOrFirst(font, kAverageProbeGlyph);
    return;
  }
  long sum = 0;
  for (int g = 0; g <= font->lastTableGlyph; ++g) {
    const int width = static_cast<uint16_t>(glyphWidthOrFirst(font, g));
    inst->widths[g].store(static_cast<uint32_t>(width), std::memory_order_relaxed);
    sum += width;
  }
  inst->averageWidth = face->num_glyphs > 0 ? static_cast<int>(sum / face->num_glyphs) : 0;
}

void release(TrueTypeInstance* inst) {
  if (inst->outline) FT_Done_Glyph(inst->outline);
  if (inst->size) FT_Done_Size(inst->size);
  delete inst;
}

struct InstanceDeleter {
  void operator()(TrueTypeInstance* inst) const { release(inst); }
};

}  // namespace

TrueTypeInstance* InstanceOf(DevFont* df) {
  auto* record = df ? static_cast<Record*>(df->data) : nullptr;
  return record && record->isInstance ? static_cast<TrueTypeInstance*>(record) : nullptr;
}

bool Activate(TrueTypeInstance* inst) { return FT_Activate_Size(inst->size) == 0; }

int TableWidth(TrueTypeInstance* inst, FT_UInt glyph) {
  std::atomic<uint32_t>& stored = inst->widths[glyph];
  uint32_t width = stored.load(std::memory_order_acquire);
  if (width != kUnmeasured) return static_cast<int>(width);
  std::lock_guard<std::mutex> hold(FaceLock());
  // A size that cannot be made active measures as nothing, as a glyph
  // that cannot be loaded does, and is tried again at the next ask.
  if (!Activate(inst)) return 0;
  width = static_cast<uint16_t>(glyphWidthOrFirst(inst->font, glyph));
  stored.store(width, std::memory_order_release);
  return static_cast<int>(width);
}

bool LoadOutline(TrueTypeFont* font, FT_UInt glyph) {
  FT_Face face = font->face;
  if (glyph >= static_cast<FT_UInt>(face->num_glyphs)) return false;
  if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_BITMAP) != 0) return false;
  return face->glyph->format == FT_GLYPH_FORMAT_OUTLINE;
}

int LoadedGlyphWidth(TrueTypeFont* font) {
  FT_BBox box;
  FT_Outline_Get_CBox(&font->face->glyph->outline, &box);
  FT_Pos right = (box.xMax + 63) & -64;
  FT_Pos left = box.xMin & -64;
  return static_cast<int>((right - left) >> 6);
}

DevFont* NewInstance(LogFont* lf, DevFont* df, BOOL singleByte) {
  TrueTypeFont* font = df ? fontOf(df) : nullptr;
  if (!lf || !font || !font->valid) return nullptr;
  std::lock_guard<std::mutex> hold(FaceLock());
  std::unique_ptr<TrueTypeInstance, InstanceDeleter> inst(new (std::nothrow) TrueTypeInstance);
  if (!inst) return nullptr;
  inst->isInstance = true;
  inst->font = font;
  inst->devfont = *df;
  inst->devfont.nextSingleByte = inst->devfont.nextMultiByte = nullptr;
  inst->devfont.data = inst.get();
  if (!bindCharset(inst.get(), singleByte)) return nullptr;

  // Pixel sizes as a 96 dpi screen shows the LogFont's size.
  if (FT_New_Size(font->face, &inst->size) != 0) return nullptr;
  if (!Activate(inst.get()) || FT_Set_Pixel_Sizes(font->face, lf->size, lf->size) != 0)
    return nullptr;
  setRotation(inst.get(), lf->rotation);
  measure(inst.get());
  return &inst.release()->devfont;
}

void DeleteInstance(LogFont*, DevFont* df) {
  TrueTypeInstance* inst = InstanceOf(df);
  if (!inst) return;
  std::lock_guard<std::mutex> hold(FaceLock());
  release(inst);
}

}  // namespace truetype
