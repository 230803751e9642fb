// Glyph operations of TrueType fonts: boxes, advances with kerning and
// rotation, and rendering into the shared glyph buffer.
#include <cstring>
#include <vector>

#include "gdi/text/truetype_font.h"

#include FT_OUTLINE_H

namespace truetype {
namespace {

constexpr size_t kBufferStep = 32;
constexpr unsigned char kGreyLevels[5] = {0x00, 0x20, 0x40, 0x80, 0xFF};

// Each thread renders glyph images into a buffer of its own, which only
// grows: the bits handed out (GetGlyphBitmap, or the text renderer) stay
// the caller's until its next request, whatever other threads render.
unsigned char* clearedBuffer(size_t bytes) {
  static thread_local std::vector<unsigned char> buffer;
  size_t rounded = (bytes / kBufferStep + 1) * kBufferStep;
  if (buffer.size() < rounded) buffer.resize(rounded);
  std::memset(buffer.data(), 0, bytes);
  return buffer.data();
}

FT_Pos roundToPixels(FT_Pos v) { return (v + 32) >> 6; }

int kerningPixels(const LogFont* lf, TrueTypeInstance* inst, FT_UInt glyph) {
  if (!(lf->style & FONT_OTHER_KERNING) || !inst->font->kerningUsable ||
      inst->previousGlyph == kNoGlyph)
    return 0;
  // The kerning value is scaled by the face's active size: make it ours.
  FT_Vector delta{};
  if (!Activate(inst)) return 0;
  if (FT_Get_Kerning(inst->font->face, inst->previousGlyph, glyph, FT_KERNING_DEFAULT, &delta) != 0)
    return 0;
  return static_cast<int>(roundToPixels(delta.x));
}

FT_Outline* outlineOf(TrueTypeInstance* inst) {
  return &reinterpret_cast<FT_OutlineGlyph>(inst->outline)->outline;
}

void forgetGlyph(TrueTypeInstance* inst) {
  if (inst->outline) FT_Done_Glyph(inst->outline);
  inst->outline = nullptr;
  inst->advance = FT_Vector{};
  inst->left = inst->bottom = inst->right = inst->top = 0;
}

// Loads the glyph into the instance: outline rotated and shifted by the
// kerning against the previous glyph, its box in whole pixels.
void loadGlyph(const LogFont* lf, TrueTypeInstance* inst, FT_UInt glyph) {
  forgetGlyph(inst);
  inst->glyph = glyph;
  TrueTypeFont* font = inst->font;
  if (!Activate(inst)) return;
  if (!LoadOutline(font, glyph) && !LoadOutline(font, 0)) return;
  if (FT_Get_Glyph(font->face->glyph, &inst->outline) != 0) {
    inst->outline = nullptr;
    return;
  }
  inst->advance = font->face->glyph->advance;
  if (inst->rotation) {
    FT_Outline_Transform(outlineOf(inst), &inst->matrix);
    FT_Vector_Transform(&inst->advance, &inst->matrix);
  }
  if (int kern = kerningPixels(lf, inst, glyph)) FT_Outline_Translate(outlineOf(inst), kern * 64, 0);
  FT_BBox box;
  FT_Outline_Get_CBox(outlineOf(inst), &box);
  inst->left = static_cast<int>((box.xMin & -64) >> 6);
  inst->bottom = static_cast<int>((box.yMin & -64) >> 6);
  inst->right = static_cast<int>(((box.xMax + 63) & -64) >> 6);
  inst->top = static_cast<int>(((box.yMax + 63) & -64) >> 6);
}

TrueTypeInstance* currentGlyph(LogFont* lf, DevFont* df, const unsigned char* mchar, int len) {
  TrueTypeInstance* inst = InstanceOf(df);
  if (!inst) return nullptr;
  FT_UInt glyph = GlyphIndexOf(df, mchar, len);
  if (glyph != inst->glyph || !inst->outline) loadGlyph(lf, inst, glyph);
  return inst;
}

// Renders the current outline into a cleared buffer of rows x pitch bytes.
bool render(TrueTypeInstance* inst, FT_Pixel_Mode mode, int pitch, unsigned char* buffer) {
  if (!inst->outline) return false;
  FT_Bitmap target{};
  target.rows = static_cast<unsigned>(inst->top - inst->bottom);
  target.width = static_cast<unsigned>(inst->right - inst->left);
  target.pitch = pitch;
  target.buffer = buffer;
  target.pixel_mode = static_cast<unsigned char>(mode);
  target.num_grays = mode == FT_PIXEL_MODE_GRAY ? 256 : 2;
  FT_Outline* outline = outlineOf(inst);
  FT_Pos dx = -static_cast<FT_Pos>(inst->left) * 64, dy = -static_cast<FT_Pos>(inst->bottom) * 64;
  FT_Outline_Translate(outline, dx, dy);
  bool ok = FT_Outline_Get_Bitmap(Library(), outline, &target) == 0;
  FT_Outline_Translate(outline, -dx, -dy);
  return ok;
}

// Coverage comes in 256 levels; text is drawn with five.
void quantiseGrey(unsigned char* pixels, int width, int rows, int pitch) {
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned char& p = pixels[y * pitch + x];
      p = kGreyLevels[(p * 4 + 127) / 255];
    }
}

int charWidth(LogFont*, DevFont* df, const unsigned char* mchar, int len) {
  TrueTypeInstance* inst = InstanceOf(df);
  if (!inst) return 0;
  FT_UInt glyph = GlyphIndexOf(df, mchar, len);
  if (glyph <= static_cast<FT_UInt>(inst->font->lastTableGlyph)) return TableWidth(inst, glyph);
  return inst->averageWidth;
}

int averageWidth(LogFont*, DevFont* df) {
  TrueTypeInstance* inst = InstanceOf(df);
  return inst ? inst->averageWidth : 0;
}
int maxWidth(LogFont*, DevFont* df) {
  TrueTypeInstance* inst = InstanceOf(df);
  return inst ? inst->maxWidth : 0;
}
int fontHeight(LogFont*, DevFont* df) {
  TrueTypeInstance* inst = InstanceOf(df);
  return inst ? inst->height : 0;
}
int fontSize(LogFont*, DevFont*, int expect) { return expect; }
int ascent(LogFont*, DevFont* df) {
  TrueTypeInstance* inst = InstanceOf(df);
  return inst ? inst->ascent : 0;
}
int descent(LogFont*, DevFont* df) {
  TrueTypeInstance* inst = InstanceOf(df);
  return inst ? -inst->descent : 0;
}

const unsigned char* charBitmap(LogFont* lf, DevFont* df, const unsigned char* mchar, int len,
                                unsigned short* scale) {
  std::lock_guard<std::mutex> hold(FaceLock());
  TrueTypeInstance* inst = currentGlyph(lf, df, mchar, len);
  if (!inst) return nullptr;
  if (scale) *scale = 1;
  int pitch = (inst->right - inst->left + 7) / 8;
  unsigned char* buffer = clearedBuffer(static_cast<size_t>(pitch) * (inst->top - inst->bottom));
  render(inst, FT_PIXEL_MODE_MONO, pitch, buffer);
  return buffer;
}

const unsigned char* charGreyPixmap(LogFont* lf, DevFont* df, const unsigned char* mchar, int len,
                                    int* pitchOut, unsigned short* scale) {
  std::lock_guard<std::mutex> hold(FaceLock());
  TrueTypeInstance* inst = currentGlyph(lf, df, mchar, len);
  if (!inst) return nullptr;
  if (scale) *scale = 1;
  int width = inst->right - inst->left, rows = inst->top - inst->bottom;
  int pitch = (width + 3) & ~3;
  if (pitchOut) *pitchOut = pitch;
  unsigned char* buffer = clearedBuffer(static_cast<size_t>(pitch) * rows);
  if (render(inst, FT_PIXEL_MODE_GRAY, pitch, buffer)) quantiseGrey(buffer, width, rows, pitch);
  return buffer;
}

void startStringOutput(LogFont*, DevFont* df) {
  if (TrueTypeInstance* inst = InstanceOf(df)) inst->previousGlyph = kNoGlyph;
}

void charBoundingBox(LogFont* lf, DevFont* df, const unsigned char* mchar, int len, int* x, int* y,
                     int* w, int* h) {
  TrueTypeInstance* inst = InstanceOf(df);
  if (!inst) return;
  std::lock_guard<std::mutex> hold(FaceLock());
  loadGlyph(lf, inst, GlyphIndexOf(df, mchar, len));
  if (x) *x += inst->left;
  if (y) *y -= inst->top;
  if (w) *w = inst->right - inst->left;
  if (h) *h = inst->top - inst->bottom;
}

void charAdvance(LogFont* lf, DevFont* df, const unsigned char* mchar, int len, int* x, int* y) {
  std::lock_guard<std::mutex> hold(FaceLock());
  TrueTypeInstance* inst = currentGlyph(lf, df, mchar, len);
  if (!inst) return;
  FT_UInt glyph = inst->glyph;
  int kern = kerningPixels(lf, inst, glyph);
  if (x) *x += static_cast<int>(roundToPixels(inst->advance.x)) + kern;
  if (y) *y -= static_cast<int>(roundToPixels(inst->advance.y));
  inst->previousGlyph = glyph;
}

}  // namespace

FT_UInt GlyphIndexOf(DevFont* df, const unsigned char* mchar, int len) {
  TrueTypeInstance* inst = InstanceOf(df);
  if (!inst || !mchar || len < 1 || !df->charsetOps) return 0;
  Uchar16 code = df->charsetOps->conv_to_uc16(mchar, len);
  return FT_Get_Char_Index(inst->font->face, code);
}

const FontOps kTrueTypeOps = {
    charWidth,      averageWidth,      maxWidth,        fontHeight,   fontSize,
    ascent,         descent,           charBitmap,      charGreyPixmap, startStringOutput,
    charBoundingBox, charAdvance,      NewInstance,     DeleteInstance,
};

}  // namespace truetype
