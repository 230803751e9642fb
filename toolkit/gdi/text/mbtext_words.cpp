// Cutting a text into words: runs of multibyte characters are cut by the
// multibyte charset (one character per word for the double-byte ones), the
// bytes between them by the single-byte word scan.
#include "gdi/text/mbtext_walk.h"

using mbtext::Bytes;
using mbtext::MultiByteCharset;
using mbtext::SingleByteCharset;

namespace {

// Receives the words as they are cut.
class WordSink {
 public:
  WordSink(int* positions, WordInfo* infos) : positions_(positions), infos_(infos) {}
  void Add(int pos, const WordInfo& info) {
    if (positions_) positions_[count_] = pos;
    if (infos_) infos_[count_] = info;
    ++count_;
  }
  int count() const { return count_; }

 private:
  int* positions_;
  WordInfo* infos_;
  int count_ = 0;
};

// Cuts words with one charset's word scan over len bytes from start; the
// bytes consumed.
int CutWords(const CharsetOps* ops, const unsigned char* text, int start, int len, WordSink& sink) {
  int used = 0;
  while (used < len) {
    WordInfo info{0, 0, 0};
    if (!ops->get_next_word(text + start + used, len - used, &info)) break;
    int step = info.len + info.nr_delimiters;
    if (step <= 0) break;
    sink.Add(start + used, info);
    used += step;
  }
  return used;
}

int WordBytes(const unsigned char* end, const WordInfo& info) {
  return end ? info.len + info.nr_delimiters : 0;
}

}  // namespace

extern "C" int GetTextWordInfo(const LogFont* logfont, const char* mstr, int len, int* pos_words,
                               WordInfo* info_words) {
  const CharsetOps* sb = SingleByteCharset(logfont);
  const CharsetOps* mb = MultiByteCharset(logfont);
  if (!mstr || !sb) return 0;
  const unsigned char* text = Bytes(mstr);
  WordSink sink(pos_words, info_words);
  int pos = 0;
  while (pos < len) {
    int limit = len - pos;
    if (mb) {
      int first = mb->pos_first_char(text + pos, len - pos);
      if (first == 0) {
        int run = mb->len_first_substr(text + pos, len - pos);
        int used = run > 0 ? CutWords(mb, text, pos, run, sink) : 0;
        if (used > 0) {
          pos += used;
          continue;
        }
      } else if (first > 0) {
        limit = first;
      }
    }
    int used = CutWords(sb, text, pos, limit, sink);
    if (used <= 0) break;
    pos += used;
  }
  return sink.count();
}

extern "C" int GetFirstWord(const LogFont* logfont, const char* mstr, int len, WordInfo* word_info) {
  WordInfo scratch{0, 0, 0};
  WordInfo& info = word_info ? *word_info : scratch;
  info = WordInfo{0, 0, 0};
  const CharsetOps* sb = SingleByteCharset(logfont);
  const CharsetOps* mb = MultiByteCharset(logfont);
  if (!mstr || !sb || len <= 0) return 0;
  const unsigned char* text = Bytes(mstr);
  int limit = len;
  if (mb) {
    int first = mb->pos_first_char(text, len);
    if (first == 0) {
      int run = mb->len_first_substr(text, len);
      return WordBytes(mb->get_next_word(text, run, &info), info);
    }
    if (first > 0) limit = first;
  }
  return WordBytes(sb->get_next_word(text, limit, &info), info);
}
