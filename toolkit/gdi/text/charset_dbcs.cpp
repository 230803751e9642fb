// The double-byte charsets: GB2312, GBK, Big5, EUC-KR and JIS X 0208 in its
// EUC and Shift-JIS forms. Each is described by which byte pairs form a
// character and where a pair's glyph sits; the walks over a text are shared.
#include "gdi/text/charset_ops.h"
#include "gdi/text/charset_tables.h"

namespace charset {

namespace {

namespace tables = charset_tables;

// A pair of bytes of one charset: its validity and glyph index.
struct Euc94 {
  static bool IsChar(unsigned char b0, unsigned char b1) {
    return InRange(b0, 0xA1, 0xFE) && InRange(b1, 0xA1, 0xFE);
  }
  static int Glyph(unsigned char b0, unsigned char b1) { return (b0 - 0xA1) * 94 + (b1 - 0xA1); }
};

struct Gbk {
  static bool IsChar(unsigned char b0, unsigned char b1) {
    return InRange(b0, 0x81, 0xFE) && InRange(b1, 0x40, 0xFE) && b1 != 0x7F;
  }
  static int Glyph(unsigned char b0, unsigned char b1) {
    return (b0 - 0x81) * 190 + (b1 - 0x40) - (b1 > 0x7F ? 1 : 0);
  }
  static int TableIndex(unsigned char b0, unsigned char b1) { return (b0 - 0x81) * 192 + (b1 - 0x40); }
};

struct Big5 {
  static bool IsChar(unsigned char b0, unsigned char b1) {
    return InRange(b0, 0xA1, 0xFE) && (InRange(b1, 0x40, 0x7E) || InRange(b1, 0xA1, 0xFE));
  }
  static int Glyph(unsigned char b0, unsigned char b1) {
    if (b1 >= 0xA1) return (b0 - 0xA1) * 94 + (b1 - 0xA1);
    return 94 * 94 + (b0 - 0xA1) * 63 + (b1 - 0x40);
  }
};

struct ShiftJis {
  static bool IsChar(unsigned char b0, unsigned char b1) {
    return (InRange(b0, 0x81, 0x9F) || InRange(b0, 0xE0, 0xEE)) && InRange(b1, 0x40, 0xFC);
  }
  static int Glyph(unsigned char b0, unsigned char b1) {
    if (b0 < 0xA0) return (b0 - 0x81) * 189 + (b1 - 0x40);
    if (b0 >= 0xE0) return (b0 - 0xE0 + 31) * 189 + (b1 - 0x40);
    return 0;
  }
};

template <class Pair>
int LenFirstChar(const unsigned char* s, int len) {
  return len >= 2 && s[0] != 0 && Pair::IsChar(s[0], s[1]) ? 2 : 0;
}

template <class Pair>
int LenFirstSubstr(const unsigned char* s, int len) {
  return RunLength(s, len, LenFirstChar<Pair>);
}

template <class Pair>
int PosFirstChar(const unsigned char* s, int len) {
  return FirstCharPosition(s, len, LenFirstChar<Pair>);
}

// Bytes that form no character index the charset's default character, so
// that a glyph index is always inside the font.
template <class Pair, unsigned char Def0, unsigned char Def1>
int GlyphValue(const unsigned char* s, int len) {
  if (LenFirstChar<Pair>(s, len) == 0) return Pair::Glyph(Def0, Def1);
  return Pair::Glyph(s[0], s[1]);
}

// Code of the character by its glyph index; positions without one answer 0,
// or '?' where the charset asks for it.
template <class Pair, const uint16_t* Table, bool QuestionForNone>
Uchar16 ByGlyph(const unsigned char* s, int len) {
  if (LenFirstChar<Pair>(s, len) == 0) return 0;
  Uchar16 code = Table[Pair::Glyph(s[0], s[1])];
  return code == 0 && QuestionForNone ? kQuestionMark : code;
}

Uchar16 GbkToUcs2(const unsigned char* s, int len) {
  if (LenFirstChar<Gbk>(s, len) == 0) return 0;
  return tables::kGbkToUcs2[Gbk::TableIndex(s[0], s[1])];
}

int Gb2312FromUcs2(Uchar16 wc, unsigned char* out) {
  const unsigned char* bytes = UnicodeToDBCSLookup(wc);
  if (!bytes) return 0;
  out[0] = bytes[0];
  out[1] = bytes[1];
  return 2;
}

int GbkName(const char* name) {
  return NameHasAll(name, {"GBK"}) == 0 || NameHasAll(name, {"GB", "2312"}) == 0 ? 0 : 1;
}
int Gb2312Name(const char* name) { return NameHasAll(name, {"GB", "2312"}); }
int Big5Name(const char* name) { return NameHasAll(name, {"BIG5"}); }
int EucKrName(const char* name) {
  return NameHasAll(name, {"KSC5601", "-0"}) == 0 || NameHasAll(name, {"EUC", "KR"}) == 0 ? 0 : 1;
}
int JisX0208EucName(const char* name) {
  return NameHasAll(name, {"JISX0208", "-0"}) == 0 || NameHasAll(name, {"EUC", "JP"}) == 0 ? 0 : 1;
}
int ShiftJisName(const char* name) {
  return NameHasAll(name, {"JISX0208", "-1"}) == 0 || NameHasAll(name, {"SHIFT", "JIS"}) == 0 ? 0 : 1;
}

template <class Pair, unsigned char Def0, unsigned char Def1>
constexpr CharsetOps DoubleByte(int chars, const char* name, int (*nameMatch)(const char*),
                                Uchar16 (*to)(const unsigned char*, int),
                                int (*from)(Uchar16, unsigned char*)) {
  return CharsetOps{chars,
                    2,
                    2,
                    name,
                    {Def0, Def1},
                    LenFirstChar<Pair>,
                    GlyphValue<Pair, Def0, Def1>,
                    DbNrChars,
                    nameMatch,
                    LenFirstSubstr<Pair>,
                    DbNextWord,
                    PosFirstChar<Pair>,
                    to,
                    from};
}

}  // namespace

const CharsetOps kGbk = DoubleByte<Gbk, 0xA1, 0xA1>(24130, "GBK", GbkName, GbkToUcs2, NoConvFromUc16);

const CharsetOps kGb2312 = DoubleByte<Euc94, 0xA1, 0xA1>(
    8178, "GB2312-0", Gb2312Name, ByGlyph<Euc94, tables::kGb2312ToUcs2, false>, Gb2312FromUcs2);

const CharsetOps kBig5 = DoubleByte<Big5, 0xA1, 0x40>(
    14758, "BIG5", Big5Name, ByGlyph<Big5, tables::kBig5ToUcs2, true>, NoConvFromUc16);

const CharsetOps kEucKr = DoubleByte<Euc94, 0xA1, 0xA1>(
    8836, "EUC-KR", EucKrName, ByGlyph<Euc94, tables::kEucKrToUcs2, true>, NoConvFromUc16);

const CharsetOps kJisX0208Euc = DoubleByte<Euc94, 0xA1, 0xA1>(
    8836, "JISX0208-0", JisX0208EucName, ByGlyph<Euc94, tables::kEucJisX0208ToUcs2, true>,
    NoConvFromUc16);

const CharsetOps kJisX0208ShiftJis = DoubleByte<ShiftJis, 0x81, 0x40>(
    8694, "JISX0208-1", ShiftJisName, ByGlyph<ShiftJis, tables::kShiftJisToUcs2, true>,
    NoConvFromUc16);

}  // namespace charset
