// Tabbed output with explicit tab positions, and the tabbed fit walk.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "gdi/text/textout.h"

namespace {

// Tab stops counted from the start x: the listed distances, then the
// default width over and over. Found by arithmetic in 64 bits, so that
// narrow stops far from the start cost nothing and nothing overflows.
class TabStops {
 public:
  TabStops(int startX, const int* distances, int count, int defaultWidth)
      : startX_(startX), distances_(distances), count_(distances ? count : 0),
        defaultWidth_(std::max(1, defaultWidth)) {}

  // The k-th stop beyond x (k from 1), held to the int range.
  int After(int x, int k) const {
    int64_t stop = startX_;
    int i = 0;
    while (i < count_ && stop <= x) stop += Listed(i++);
    if (stop <= x) stop += ((static_cast<int64_t>(x) - stop) / defaultWidth_ + 1) * defaultWidth_;
    int64_t further = std::max(k, 1) - 1;
    for (; further > 0 && i < count_; --further) stop += Listed(i++);
    stop += further * defaultWidth_;
    return static_cast<int>(std::min<int64_t>(stop, std::numeric_limits<int>::max()));
  }

 private:
  int64_t Listed(int i) const { return std::max(1, distances_[i]); }

  int startX_;
  const int* distances_;
  int count_;
  int defaultWidth_;
};

}  // namespace

extern "C" {

int TabbedTextOutEx(HDC hdc, int x, int y, const char* text, int len, int tabCount,
                    const int* tabPositions, int startX) {
  DC* dc = textout::DcOf(hdc);
  LogFont* lf = textout::FontOf(dc);
  if (!dc || !lf || !text || len == 0) return 0;
  len = textout::ByteLength(text, len);
  const bool listed = tabCount > 0 && tabPositions;
  const int defaultWidth = listed ? tabPositions[tabCount - 1]
                                  : textrender::TabWidthOf(dc, lf, dc->tabStop);
  const TabStops stops(startX, tabPositions, listed ? tabCount : 0, defaultWidth);
  const int lineHeight = textrender::LineHeight(dc, lf);

  int penX = x, penY = y + dc->aboveLineExtra, widest = x;
  int i = 0;
  while (i < len) {
    int end = i;
    while (end < len && text[end] != '\t' && text[end] != '\n') ++end;
    if (end > i) penX += TextOutLen(hdc, penX, penY, text + i, end - i);
    int tabs = 0, feeds = 0;
    while (end < len && text[end] == '\t') ++tabs, ++end;
    if (tabs) penX = stops.After(penX, tabs);
    while (end < len && text[end] == '\n') ++feeds, ++end;
    if (feeds) {
      widest = std::max(widest, penX);
      penX = x;
      penY += feeds * lineHeight;
    }
    i = end;
  }
  const int64_t extent = static_cast<int64_t>(std::max(widest, penX)) - x;
  return static_cast<int>(std::min<int64_t>(extent, std::numeric_limits<int>::max()));
}

int GetTabbedTextExtentPoint(HDC hdc, const char* text, int len, int maxExtent, int* fitChars,
                             int* posChars, int* dxChars, Size* size) {
  DC* dc = textout::DcOf(hdc);
  LogFont* lf = textout::FontOf(dc);
  if (fitChars) *fitChars = 0;
  if (!dc || !lf || !text) return 0;
  Size local{};
  Size* out = size ? size : &local;
  const int lineHeight = textrender::LineHeight(dc, lf);
  const int tabWidth = textrender::TabWidthOf(dc, lf, dc->tabStop);
  // A text without line feeds is one line high.
  *out = Size{0, lineHeight};
  if (len < 1) return 0;
  textrender::StartStringOutput(lf);  // kerning starts afresh, whatever was drawn before
  textrender::CharMeasurer measure(lf);
  const unsigned char* s = mbtext::Bytes(text);
  int bytes = 0, chars = 0;
  int64_t x = 0, widest = 0;
  while (bytes < len) {
    int width = 0;
    const int n = measure.Next(s + bytes, len - bytes, &width);
    if (n < 1) break;
    if (posChars) posChars[chars] = bytes;
    if (dxChars) dxChars[chars] = gui::dc::ClampToInt(x);
    const unsigned char c = s[bytes];
    const int64_t cell = c == '\t' ? tabWidth : (c == '\n' || c == '\r') ? 0 : int64_t{width} + dc->charExtra;
    if (maxExtent > 0 && x + cell > maxExtent) break;
    if (c == '\n' || c == '\r') {
      widest = std::max(widest, x);
      x = 0;
      if (c == '\n') out->cy = gui::dc::ClampToInt(int64_t{out->cy} + lineHeight);
    } else {
      x += cell;
    }
    bytes += n;
    ++chars;
  }
  out->cx = gui::dc::ClampToInt(std::max(widest, x));
  if (fitChars) *fitChars = chars;
  return bytes;
}

}  // extern "C"
