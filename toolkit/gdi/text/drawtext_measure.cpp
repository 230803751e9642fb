// Line measurement for DrawTextEx2: words, delimiters and single characters
// taken until the line is full, broken or ends in a line feed.
#include <algorithm>

#include "gdi/text/drawtext.h"

namespace drawtext {
namespace {

bool isDelimiter(unsigned char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }
bool isBreak(unsigned char c) { return c == '\n' || c == '\r'; }

// The text still to lay out seen from the side lines are taken from.
class Cursor {
 public:
  Cursor(const LineContext& ctx, const char* text, int len) : ctx_(ctx), text_(text), len_(len) {}

  int remaining() const { return len_ - taken_; }
  // The bytes n already-taken and n to take next cover, as a run of text.
  const char* RunOf(int n) const {
    return ctx_.reversed ? text_ + len_ - taken_ - n : text_ + taken_;
  }
  unsigned char NextByte() const {
    return static_cast<unsigned char>(ctx_.reversed ? text_[len_ - taken_ - 1] : text_[taken_]);
  }
  void Take(int n) { taken_ += n; }
  int taken() const { return taken_; }

  // Bytes of the next word (no delimiters).
  int WordBytes() const {
    if (ctx_.reversed) return BackwardWord();
    const unsigned char* s = mbtext::Bytes(text_ + taken_);
    int limit = remaining();
    if (const CharsetOps* mb = mbtext::MultiByteCharset(ctx_.lf)) {
      const int pos = mb->pos_first_char(s, limit);
      if (pos == 0) {
        WordInfo info{};
        mb->get_next_word(s, limit, &info);
        return info.len;
      }
      if (pos > 0) limit = pos;
    }
    WordInfo info{};
    const CharsetOps* sb = mbtext::SingleByteCharset(ctx_.lf);
    if (sb) sb->get_next_word(s, limit, &info);
    return info.len;
  }

  // One character: the first one, or the last one when reversed.
  int CharBytes() const {
    const char* run = text_ + (ctx_.reversed ? 0 : taken_);
    const int n = ctx_.reversed ? GetLastMCharLen(ctx_.lf, run, remaining())
                                : GetFirstMCharLen(ctx_.lf, run, remaining());
    return std::max(1, std::min(n, remaining()));
  }

 private:
  // Bytes before the first delimiter, walking back from the end.
  int BackwardWord() const {
    int n = 0;
    const int end = len_ - taken_;
    while (n < end && !isDelimiter(static_cast<unsigned char>(text_[end - 1 - n]))) ++n;
    return n;
  }

  const LineContext& ctx_;
  const char* text_;
  int len_;
  int taken_ = 0;
};

// A word wider than the room left: the bytes of it that fit.
int FittingPart(const LineContext& ctx, const Cursor& cur, int wordBytes, int room) {
  if (ctx.reversed) {
    // Characters from the end of the word while they fit.
    int bytes = 0, width = 0;
    const char* word = cur.RunOf(wordBytes);
    while (bytes < wordBytes) {
      const int n = std::max(1, GetLastMCharLen(ctx.lf, word, wordBytes - bytes));
      const int w = RunWidth(ctx, word + wordBytes - bytes - n, n);
      if (room < 1 || width + w > room) break;
      bytes += n;
      width += w;
    }
    return bytes;
  }
  Size size{};
  return textout::FitText(ctx.dc, ctx.lf, cur.RunOf(wordBytes), wordBytes, std::max(room, 1),
                          nullptr, nullptr, &size)
      .bytes;
}

class LineBuilder {
 public:
  LineBuilder(const LineContext& ctx, const char* text, int len, int avail)
      : ctx_(ctx), cur_(ctx, text, len), avail_(avail) {}

  LineMeasure Build() {
    const bool charBreak = (ctx_.format & DT_CHARBREAK) != 0;
    while (cur_.remaining() > 0) {
      if (charBreak ? !TakeCharacter() : !TakeWord()) break;
      if (ended_ || width_ > avail_) break;
    }
    return LineMeasure{cur_.taken(), width_};
  }

 private:
  void Add(int bytes) {
    width_ += RunWidth(ctx_, cur_.RunOf(bytes), bytes);
    cur_.Take(bytes);
  }

  // A delimiter after a word or character: false when there is none.
  bool TakeDelimiter() {
    if (cur_.remaining() < 1) return false;
    const unsigned char c = cur_.NextByte();
    if (!isDelimiter(c)) return false;
    if (c == '\t' && (ctx_.format & DT_EXPANDTABS)) {
      width_ += ctx_.tabWidth;
      cur_.Take(1);
    } else {
      Add(1);
    }
    if (isBreak(c)) ended_ = true;
    return true;
  }

  // Character break: a character that overflows goes to the next line,
  // unless it is the line's only one.
  bool TakeCharacter() {
    if (TakeDelimiter()) return true;
    const int n = cur_.CharBytes();
    const int w = RunWidth(ctx_, cur_.RunOf(n), n);
    if (cur_.taken() > 0 && width_ + w > avail_) return false;
    width_ += w;
    cur_.Take(n);
    return true;
  }

  bool TakeWord() {
    const int wordBytes = cur_.WordBytes();
    if (wordBytes > 0) {
      const int wordWidth = RunWidth(ctx_, cur_.RunOf(wordBytes), wordBytes);
      if (ctx_.format & DT_WORDBREAK) {
        if (wordWidth > avail_) return SplitLongWord(wordBytes);
        if (cur_.taken() > 0 && width_ + wordWidth > avail_) return false;
      }
      width_ += wordWidth;
      cur_.Take(wordBytes);
    }
    if (TakeDelimiter() || wordBytes > 0) return true;
    Add(cur_.CharBytes());
    return true;
  }

  // A word wider than the whole line fills what is left of this one; an
  // empty line takes at least one character of it.
  bool SplitLongWord(int wordBytes) {
    int fit = FittingPart(ctx_, cur_, wordBytes, avail_ - width_);
    if (fit < 1) {
      if (cur_.taken() > 0) return false;
      fit = cur_.CharBytes();
    }
    Add(fit);
    ended_ = true;
    return true;
  }

  const LineContext& ctx_;
  Cursor cur_;
  int avail_;
  int width_ = 0;
  bool ended_ = false;
};

}  // namespace

int RunWidth(const LineContext& ctx, const char* text, int len) {
  if (len < 1) return 0;
  Size size{};
  textrender::CalcTextExtent(ctx.dc, ctx.lf, text, len, &size);
  return size.cx;
}

LineMeasure MeasureTextLine(const LineContext& ctx, const char* text, int len, int avail) {
  if (ctx.format & DT_SINGLELINE) {
    Size size{};
    if (ctx.format & DT_EXPANDTABS)
      textrender::CalcTabbedTextExtent(ctx.dc, ctx.lf, ctx.tabWidth, text, len, &size, nullptr);
    else
      textrender::CalcTextExtent(ctx.dc, ctx.lf, text, len, &size);
    return LineMeasure{len, size.cx};
  }
  return LineBuilder(ctx, text, len, avail).Build();
}

}  // namespace drawtext
