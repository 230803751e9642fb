// Drawing strings glyph by glyph: the background cell, the glyph expanded
// into the shared buffer, the put through the clip region, then underline
// and strike-out. Device coordinates; the caller has locked the DC.
#include <algorithm>

#include "gdi/dc/rect_inline.h"
#include "gdi/dc_record.h"
#include "gdi/text/textrender.h"
#include "gdi/text/textrender_buffer.h"
#include "gdi/text/textrender_glyphcache.h"
#include "gdi/text/textrender_style.h"
#include "gui/dc.h"

namespace textrender {
namespace {

// The metrics of the device font that draws a character.
struct FaceMetrics {
  int height = 0;
  int ascent = 0;
  int descent = 0;
};

FaceMetrics metricsOf(LogFont* lf, DevFont* df) {
  FaceMetrics m;
  if (!df) return m;
  m.height = df->fontOps->fontHeight(lf, df);
  m.ascent = df->fontOps->ascent(lf, df);
  m.descent = df->fontOps->descent(lf, df);
  return m;
}

// Both device fonts of a LogFont, placed on one baseline.
struct StringFonts {
  LogFont* lf;
  FaceMetrics single, multi;
  uint32_t singleId = 0, multiId = 0;  // identities for the glyph cache
  int ascent = 0;   // the larger one: the baseline's distance from the top
  int descent = 0;

  explicit StringFonts(LogFont* font) : lf(font) {
    single = metricsOf(lf, lf->singleByteDevFont);
    multi = metricsOf(lf, lf->multiByteDevFont);
    ascent = std::max(single.ascent, multi.ascent);
    descent = std::max(single.descent, multi.descent);
    singleId = WidthFontId(lf, lf->singleByteDevFont);
    multiId = WidthFontId(lf, lf->multiByteDevFont);
  }
};

int italicOf(const LogFont* lf, const DevFont* df, int height) {
  const bool wanted = (lf->style & FONT_SLANT_ITALIC) && !(df->style & FONT_SLANT_ITALIC);
  return wanted ? std::max(0, (height - 1) / 2) : 0;
}

// One character's glyph as the font describes it at the pen.
struct PlacedGlyph {
  Rect box{};      // the ink box, widened for bold and italic
  Rect cell{};     // what the background covers
  GlyphSource source;
  GlyphShape shape;
  const std::vector<InkRun>* runs = nullptr;  // ready to draw, when kept
};

void fillBackground(DC* dc, const Rect& cell) {
  if (dc->bkMode == BM_TRANSPARENT) return;
  FillClipped(dc, cell, dc->bkColor);
}

// Monochrome glyphs whose background the cell fill has painted: only the
// ink is left to write.
bool inkOnly(const PlacedGlyph& g, const GlyphStyle& style) {
  return !g.source.grey && style.effect == Effect::kPlain;
}

// A plain glyph (no bold, italic, effect or mirroring) drawn in ink only
// from the runs kept with it.
bool putKeptRuns(DC* dc, const PlacedGlyph& g, const GlyphStyle& style, int x, int y) {
  const GlyphShape& s = g.shape;
  if (!g.runs || !inkOnly(g, style) || s.bold || s.italic || s.mirror || s.flip) return false;
  PutInkRuns(dc, x, y, *g.runs, g.source.width, g.source.height, style.table[kLevels - 1]);
  return true;
}

void putGlyph(DC* dc, const PlacedGlyph& g, const GlyphStyle& style, int x, int y) {
  if (putKeptRuns(dc, g, style, x, y)) return;
  GlyphBuffer& shared = SharedGlyphBuffer();
  LevelImage& image = shared.levels;
  ExpandLevels(g.source, g.shape, &image);
  if (image.width < 1 || image.height < 1) return;
  if (inkOnly(g, style)) {
    PutInkRuns(dc, x, y, image, style.table[kLevels - 1]);
    return;
  }
  PixelBuffer buffer;
  buffer.bytesPerPixel =
      style.kind == BufferKind::kAlpha ? style.alpha->bytesPerPixel : dc->surface->format->bytesPerPixel;
  uint8_t* pixels = shared.Prepare(image.width, image.height, buffer.bytesPerPixel, &buffer.pitch);
  MapLevels(image, style.table, buffer.bytesPerPixel, pixels, buffer.pitch);
  buffer.pixels = pixels;
  buffer.width = image.width;
  buffer.height = image.height;
  buffer.kind = style.kind;
  buffer.key = style.key;
  buffer.alpha = style.alpha;
  PutClipped(dc, x, y, buffer);
}

// One drawing bracket for a whole string: opened at the first glyph that
// shows, over the output rectangle the caller set (so the cursor is out of
// the way for all of it), and closed with only what the glyphs touched as
// the output rectangle, which is what reaches the screen.
class StringBracket {
 public:
  explicit StringBracket(DC* dc) : dc_(dc), limit_(dc->rcOutput) {}
  ~StringBracket() { Close(); }
  StringBracket(const StringBracket&) = delete;
  StringBracket& operator=(const StringBracket&) = delete;

  // Makes `area` (cut to what may be drawn) the output rectangle of the
  // next drawing; false when none of it shows.
  bool Enter(const Rect& area) {
    Rect visible;
    if (!gui::rect::Intersect(&visible, area, limit_)) return false;
    if (!open_) {
      dc_->rcOutput = limit_;
      if (gui::dc::BeginDCDrawing(dc_) != 0) {
        dc_->rcOutput = limit_;
        return false;
      }
      open_ = true;
      bound_ = dc_->rcOutput;
      touched_ = Rect{};
    }
    if (!gui::rect::Intersect(&visible, visible, bound_)) return false;
    dc_->rcOutput = visible;
    if (IsRectEmpty(&touched_))
      touched_ = visible;
    else
      gui::rect::Bound(&touched_, touched_, visible);
    return true;
  }
  void Close() {
    if (open_) {
      dc_->rcOutput = touched_;
      gui::dc::EndDCDrawing(dc_);
      open_ = false;
    }
    dc_->rcOutput = limit_;
  }

 private:
  DC* dc_;
  Rect limit_;
  Rect bound_{};
  Rect touched_{};
  bool open_ = false;
};

// Draws one character at the pen and moves the pen on.
void drawOneChar(StringBracket& bracket, DC* dc, LogFont* lf, DevFont* df, uint32_t fontId,
                 const FaceMetrics& face, int* penX, int penY, const unsigned char* ch, int len) {
  const int bold = AddedBold(lf, df);
  const int oldX = *penX;
  const GlyphDesc desc = DescribeGlyph(lf, df, fontId, face.ascent, face.height, ch, len);
  *penX = gui::dc::ClampToInt(int64_t{*penX} + desc.advance + bold);
  // A pen moved beyond the far coordinates (a huge character extra) is on
  // no surface: nothing is drawn there, and its sums stay in the int range.
  if (!desc.source.bits || gui::dc::FarCoord(oldX) != oldX) return;
  const int bx = oldX + desc.dx, by = penY + desc.dy, bw = desc.width, bh = desc.height;
  PlacedGlyph g;
  g.source = desc.source;
  g.runs = desc.runs;
  g.shape.bold = bold;
  g.shape.italic = italicOf(lf, df, bh);
  g.shape.mirror = (lf->style & FONT_FLIP_HORZ) != 0;
  g.shape.flip = (lf->style & FONT_FLIP_VERT) != 0;

  g.box = Rect{bx, by, bx + bw + g.shape.italic + bold, by + bh};
  g.cell = Rect{bx, by, bx + bw, by + bh};
  const int cellTop = penY - face.ascent;
  if (dc->bkMode != BM_TRANSPARENT && desc.advanceOp && *penX != oldX) {
    const Rect advance{std::min(oldX, *penX), cellTop, std::max(oldX, *penX), cellTop + face.height};
    gui::rect::Bound(&g.cell, g.cell, advance);
  }
  const GlyphStyle style = ChooseGlyphStyle(dc, lf, g.source.grey, g.shape.italic > 0);
  g.shape.effect = style.effect;
  int x = bx, y = by;
  if (style.effect != Effect::kPlain) {
    // Smoothing and outlining add a pixel on every side.
    --x;
    --y;
    g.box = Rect{g.box.left - 1, g.box.top - 1, g.box.right + 1, g.box.bottom + 1};
  }
  if (g.shape.flip) {
    // The glyph turns about the middle of its cell.
    const int dy = 2 * (penY - by) - face.height / 2 - bh;
    y += dy;
    g.box.top += dy;
    g.box.bottom += dy;
  }
  // A plain monochrome glyph paints its whole box: background and ink.
  if (inkOnly(g, style) && style.kind == BufferKind::kPlain) gui::rect::Bound(&g.cell, g.cell, g.box);

  Rect area;
  gui::rect::Bound(&area, g.box, g.cell);
  if (!bracket.Enter(area)) return;
  fillBackground(dc, g.cell);
  putGlyph(dc, g, style, x, y);
}

void drawHorizontalLine(DC* dc, int x0, int x1, int y) {
  if (x1 <= x0) return;
  const Rect saved = dc->rcOutput;
  const Rect line{x0, y, x1, y + 1};
  if (IntersectRect(&dc->rcOutput, &line, &saved) && gui::dc::BeginDCDrawing(dc) == 0) {
    FillClipped(dc, line, dc->textColor);
    gui::dc::EndDCDrawing(dc);
  }
  dc->rcOutput = saved;
}

void drawDecorations(DC* dc, const StringFonts& fonts, int x0, int x1, int baseline) {
  const uint32_t style = fonts.lf->style;
  const bool flipped = (style & FONT_FLIP_VERT) != 0;
  const int size = fonts.lf->size;
  if (style & FONT_UNDERLINE) {
    const int y = flipped ? baseline + 2 * fonts.descent + 1 - size : baseline;
    drawHorizontalLine(dc, x0, x1, y);
  }
  if (style & FONT_STRUCKOUT) {
    const int y = baseline + fonts.descent - size / 2 + (flipped ? 1 : 0);
    drawHorizontalLine(dc, x0, x1, y);
  }
}

// Draws one character of the string and moves the pen; its byte count, 0
// when no charset takes the bytes.
int drawNextChar(StringBracket& bracket, DC* dc, const StringFonts& fonts, const unsigned char* s,
                 int len, int* penX, int baseline) {
  LogFont* lf = fonts.lf;
  const mbtext::FirstChar c = mbtext::TakeFirstChar(lf, s, len);
  if (c.len < 1) return 0;
  const bool multi = lf->multiByteDevFont && c.charset == mbtext::MultiByteCharset(lf);
  drawOneChar(bracket, dc, lf, multi ? lf->multiByteDevFont : lf->singleByteDevFont,
              multi ? fonts.multiId : fonts.singleId, multi ? fonts.multi : fonts.single, penX,
              baseline, s, c.len);
  *penX = gui::dc::ClampToInt(int64_t{*penX} + dc->charExtra);
  return c.len;
}

}  // namespace

int DrawTextString(DC* dc, int x, int y, const char* text, int len) {
  LogFont* lf = dc->font;
  if (!lf || !text || len < 1) return 0;
  const StringFonts fonts(lf);
  const int baseline = y + dc->aboveLineExtra + fonts.ascent;
  int penX = x;
  {
    std::lock_guard<std::mutex> hold(GlyphBufferLock());
    StringBracket bracket(dc);
    StartStringOutputHeld(lf);
    const unsigned char* s = mbtext::Bytes(text);
    while (len > 0) {
      const int n = drawNextChar(bracket, dc, fonts, s, len, &penX, baseline);
      if (n < 1) break;
      s += n;
      len -= n;
    }
  }
  drawDecorations(dc, fonts, x, penX, baseline);
  return gui::dc::ClampToInt(int64_t{penX} - x);
}

int TabbedTextOutInternal(DC* dc, int x, int y, const char* text, int len) {
  LogFont* lf = dc->font;
  if (!lf || !text || len < 1) return 0;
  const StringFonts fonts(lf);
  const int tabWidth = TabWidthOf(dc, lf, dc->tabStop);
  const int lineHeight = LineHeight(dc, lf);
  int baseline = y + dc->aboveLineExtra + fonts.ascent;
  int penX = x, widest = x;
  std::unique_lock<std::mutex> hold(GlyphBufferLock());
  StringBracket bracket(dc);
  StartStringOutputHeld(lf);
  const unsigned char* s = mbtext::Bytes(text);
  while (len > 0) {
    int n = 1;
    if (*s == '\t') {
      penX = gui::dc::ClampToInt(int64_t{penX} + tabWidth);
      StartStringOutputHeld(lf);
    } else if (*s == '\n' || *s == '\r') {
      bracket.Close();
      hold.unlock();
      drawDecorations(dc, fonts, x, penX, baseline);
      hold.lock();
      widest = std::max(widest, penX);
      penX = x;
      if (*s == '\n') baseline = gui::dc::ClampToInt(int64_t{baseline} + lineHeight);
    } else {
      n = drawNextChar(bracket, dc, fonts, s, len, &penX, baseline);
      if (n < 1) break;
    }
    s += n;
    len -= n;
  }
  bracket.Close();
  hold.unlock();
  drawDecorations(dc, fonts, x, penX, baseline);
  return gui::dc::ClampToInt(int64_t{std::max(widest, penX)} - x);
}

}  // namespace textrender
