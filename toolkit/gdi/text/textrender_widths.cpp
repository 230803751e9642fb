// Character-width caches. Measuring a TrueType character would rasterise its
// outline, so advances are kept once computed, keyed by the device font's
// identity (face, charset, pixel size, rotation) and by the whole character,
// so that neither two fonts nor two characters under one lead byte can
// share a width.
#include <mutex>
#include <string>
#include <unordered_map>

#include "gdi/text/textrender.h"
#include "gdi/text/textrender_buffer.h"
#include "gdi/text/textrender_glyphcache.h"
#include "gdi/text/truetype_font.h"
#include "gui/app_hooks.h"

namespace textrender {
namespace {

constexpr int kMaxCharBytes = 4;
constexpr int kPreloadSlots[] = {4, 7, 8, 9, 6};
// Bounds: every character of every size would otherwise stay for good.
constexpr size_t kMaxWidths = 1 << 14;
constexpr size_t kMaxFontIds = 1 << 10;
constexpr uint32_t kFontIdMask = (1u << 29) - 1;  // what the key holds above bit 35

class WidthCache {
 public:
  // Ids are never handed out twice: a walk that took its id before a
  // clear must not store its widths under another font's id.
  uint32_t FontId(const std::string& identity) {
    std::lock_guard<std::mutex> hold(lock_);
    auto it = fontIds_.find(identity);
    if (it != fontIds_.end()) return it->second;
    if (fontIds_.size() >= kMaxFontIds) {
      fontIds_.clear();
      widths_.clear();
    }
    nextId_ = (nextId_ & kFontIdMask) + 1;
    fontIds_.emplace(identity, nextId_);
    return nextId_;
  }
  bool Find(uint64_t key, int* width) {
    std::lock_guard<std::mutex> hold(lock_);
    auto it = widths_.find(key);
    if (it == widths_.end()) return false;
    *width = it->second;
    return true;
  }
  void Store(uint64_t key, int width) {
    std::lock_guard<std::mutex> hold(lock_);
    if (widths_.size() >= kMaxWidths && widths_.find(key) == widths_.end()) widths_.clear();
    widths_[key] = width;
  }
  size_t Entries() {
    std::lock_guard<std::mutex> hold(lock_);
    return widths_.size();
  }
  void Clear() {
    std::lock_guard<std::mutex> hold(lock_);
    widths_.clear();
    fontIds_.clear();
  }
  // Entries whose character starts with a byte of 128 or more.
  void ClearHigh() {
    std::lock_guard<std::mutex> hold(lock_);
    for (auto it = widths_.begin(); it != widths_.end();)
      it = FirstByteOf(it->first) >= 128 ? widths_.erase(it) : std::next(it);
  }

  static uint64_t Key(uint32_t fontId, const unsigned char* mchar, int len) {
    uint32_t code = 0;
    for (int i = 0; i < len && i < kMaxCharBytes; ++i) code = code << 8 | mchar[i];
    const uint64_t bytes = static_cast<uint64_t>(len < kMaxCharBytes ? len : kMaxCharBytes);
    return static_cast<uint64_t>(fontId) << 35 | bytes << 32 | code;
  }
  static unsigned FirstByteOf(uint64_t key) {
    const unsigned bytes = static_cast<unsigned>(key >> 32) & 7;
    return bytes ? static_cast<unsigned>(key >> (8 * (bytes - 1))) & 0xFF : 0;
  }

 private:
  std::mutex lock_;
  std::unordered_map<std::string, uint32_t> fontIds_;
  uint32_t nextId_ = 0;
  std::unordered_map<uint64_t, int> widths_;
};

WidthCache& Cache() {
  static WidthCache cache;
  return cache;
}

bool HasBoundingBox(const DevFont* df) { return df && df->fontOps && df->fontOps->charBoundingBox; }

// The raw advance from the font: box at pen (0, 0), then the advance. The
// font's glyph state is shared with drawing, hence the glyph-buffer lock.
int MeasureAdvance(LogFont* lf, DevFont* df, const unsigned char* mchar, int len) {
  std::lock_guard<std::mutex> hold(GlyphBufferLock());
  const FontOps* ops = df->fontOps;
  int x = 0, y = 0, w = 0, h = 0;
  ops->charBoundingBox(lf, df, mchar, len, &x, &y, &w, &h);
  if (!ops->charAdvance) return w;
  int penX = 0, penY = 0;
  ops->charAdvance(lf, df, mchar, len, &penX, &penY);
  return penX;
}

void PreloadFrom(LogFont* lf, int first) {
  if (!lf) return;
  DevFont* df = lf->singleByteDevFont;
  const uint32_t id = WidthFontId(lf, df);
  if (!id) return;
  for (int code = first; code < 256; ++code) {
    const unsigned char byte = static_cast<unsigned char>(code);
    ComputeCharWidth(lf, df, id, &byte, 1);
  }
}

}  // namespace

size_t CharWidthCacheEntries() { return Cache().Entries(); }

uint32_t WidthFontId(LogFont* lf, DevFont* df) {
  // A kerned advance depends on the character before it, so it is measured
  // afresh every time, in the same order as it is drawn.
  if (!HasBoundingBox(df) || (lf->style & FONT_OTHER_KERNING)) return 0;
  std::string identity = df->name;
  identity += '|';
  if (df->charsetOps) identity += df->charsetOps->name;
  if (truetype::TrueTypeInstance* inst = truetype::InstanceOf(df)) {
    const FT_Size_Metrics& m = inst->size->metrics;
    identity += '|' + std::to_string(m.x_ppem) + 'x' + std::to_string(m.y_ppem) + '@' +
                std::to_string(inst->rotation);
  } else {
    identity += '|' + std::to_string(lf->size) + '@' + std::to_string(lf->rotation);
  }
  return Cache().FontId(identity);
}

int ComputeCharWidth(LogFont* lf, DevFont* df, uint32_t fontId, const unsigned char* mchar,
                     int len) {
  const int advance = MeasureAdvance(lf, df, mchar, len);
  if (fontId) Cache().Store(WidthCache::Key(fontId, mchar, len), advance);
  return advance + AddedBold(lf, df);
}

int GetCachedCharWidth(LogFont* lf, DevFont* df, uint32_t fontId, const unsigned char* mchar,
                       int len) {
  if (!df || !mchar || len < 1) return 0;
  if (!HasBoundingBox(df)) return df->fontOps->charWidth(lf, df, mchar, len) + AddedBold(lf, df);
  int width = 0;
  if (fontId && Cache().Find(WidthCache::Key(fontId, mchar, len), &width))
    return width + AddedBold(lf, df);
  return ComputeCharWidth(lf, df, fontId, mchar, len);
}

int GetCachedCharWidth(LogFont* lf, DevFont* df, const unsigned char* mchar, int len) {
  return GetCachedCharWidth(lf, df, WidthFontId(lf, df), mchar, len);
}

CharMeasurer::CharMeasurer(LogFont* lf) : lf_(lf) {
  if (!lf) return;
  singleId_ = WidthFontId(lf, lf->singleByteDevFont);
  multiId_ = WidthFontId(lf, lf->multiByteDevFont);
}

int CharMeasurer::Next(const unsigned char* s, int len, int* width) {
  *width = 0;
  if (!lf_) return 0;
  const mbtext::FirstChar c = mbtext::TakeFirstChar(lf_, s, len);
  if (c.len < 1) return 0;
  const bool multi = lf_->multiByteDevFont && c.charset == mbtext::MultiByteCharset(lf_);
  DevFont* df = multi ? lf_->multiByteDevFont : lf_->singleByteDevFont;
  *width = GetCachedCharWidth(lf_, df, multi ? multiId_ : singleId_, s, c.len);
  return c.len;
}

}  // namespace textrender

extern "C" {

// The output ids do not split the caches: a width depends only on the font
// and the character, which the keys hold whole.
void PreloadCharWidthCache(BOOL all) {
  const int first = all ? 0 : 128;
  for (int slot : textrender::kPreloadSlots) textrender::PreloadFrom(g_SysLogFont[slot], first);
}

// Font identities are handed out afresh, so the kept glyphs go as well.
void ResetCharWidthCaches(void) {
  std::lock_guard<std::mutex> hold(textrender::GlyphBufferLock());
  textrender::Cache().Clear();
  textrender::ClearGlyphCache();
}

void ClearHighCharWidthCache(void) { textrender::Cache().ClearHigh(); }

}  // extern "C"
