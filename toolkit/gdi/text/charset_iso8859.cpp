// US-ASCII and the ISO 8859 parts. The parts whose upper half follows a
// simple offset convert by rule; the others through the generated tables.
#include "gdi/text/charset_ops.h"
#include "gdi/text/charset_tables.h"

namespace charset {

namespace {

using charset_tables::kIso8859UpperHalf;
using charset_tables::kIsoUpperHalf;

// Conversions from UCS-2 answer only bytes that convert back to the same
// code, so that a byte the part assigns elsewhere is never produced; a code
// up to 0xFF is tried as its own byte.
template <Uchar16 (*ToUcs2)(unsigned char)>
int Verified(int candidate, Uchar16 wc, unsigned char* out) {
  if (candidate < 0 || candidate > 0xFF || ToUcs2(static_cast<unsigned char>(candidate)) != wc)
    return 0;
  *out = static_cast<unsigned char>(candidate);
  return 1;
}

template <Uchar16 (*ToUcs2)(unsigned char)>
Uchar16 ConvTo(const unsigned char* s, int len) {
  return len >= 1 ? ToUcs2(s[0]) : 0;
}

// --- US-ASCII ---------------------------------------------------------------

Uchar16 AsciiToUcs2(unsigned char b) { return b < 0x80 ? b : kQuestionMark; }

int AsciiFromUcs2(Uchar16 wc, unsigned char* out) {
  if (wc >= 0x80) return 0;
  *out = static_cast<unsigned char>(wc);
  return 1;
}

int AsciiName(const char* name) { return NameHasAll(name, {"ASCII"}); }

// --- parts converted by table ----------------------------------------------

template <int Part>
Uchar16 TableToUcs2(unsigned char b) {
  if (b < 0xA1) return b;
  if (Part == 7 && b >= 0xBE && b <= 0xFE) return static_cast<Uchar16>(b + 0x2D0);
  return kIso8859UpperHalf[Part][b - 0xA1];
}

template <int Part>
int TableFromUcs2(Uchar16 wc, unsigned char* out) {
  if (wc < 0xA1) return Verified<TableToUcs2<Part>>(wc, wc, out);
  if (Part == 7 && wc >= 0x38E && wc <= 0x3CE) return Verified<TableToUcs2<Part>>(wc - 0x2D0, wc, out);
  for (int i = 0; i < kIsoUpperHalf; ++i)
    if (kIso8859UpperHalf[Part][i] == wc && Verified<TableToUcs2<Part>>(0xA1 + i, wc, out)) return 1;
  return 0;
}

// --- parts converted by rule ------------------------------------------------

Uchar16 Latin1ToUcs2(unsigned char b) { return b; }

int Latin1FromUcs2(Uchar16 wc, unsigned char* out) { return Verified<Latin1ToUcs2>(wc, wc, out); }

Uchar16 CyrillicToUcs2(unsigned char b) {
  if (b < 0xA1 || b == 0xAD) return b;
  if (b == 0xF0) return 0x2116;
  if (b == 0xFD) return 0xA7;
  return static_cast<Uchar16>(b + 0x360);
}

int CyrillicFromUcs2(Uchar16 wc, unsigned char* out) {
  int candidate = -1;
  if (wc == 0xA7) candidate = 0xFD;
  else if (wc == 0x2116) candidate = 0xF0;
  else if (wc >= 0x401 && wc <= 0x45F) candidate = wc - 0x360;
  else candidate = wc;
  return Verified<CyrillicToUcs2>(candidate, wc, out);
}

Uchar16 ArabicToUcs2(unsigned char b) {
  if (b >= 0xC1 && b <= 0xF2) return static_cast<Uchar16>(b + 0x560);
  if (b == 0xAC) return 0x060C;
  if (b == 0xBB) return 0x061B;
  if (b == 0xBF) return 0x061F;
  return b;
}

int ArabicFromUcs2(Uchar16 wc, unsigned char* out) {
  int candidate = -1;
  if (wc == 0x060C) candidate = 0xAC;
  else if (wc == 0x061B) candidate = 0xBB;
  else if (wc == 0x061F) candidate = 0xBF;
  else if (wc >= 0x621 && wc <= 0x652) candidate = wc - 0x560;
  else candidate = wc;
  return Verified<ArabicToUcs2>(candidate, wc, out);
}

Uchar16 HebrewToUcs2(unsigned char b) {
  if (b >= 0xE0 && b <= 0xFA) return static_cast<Uchar16>(b + 0x4F0);
  switch (b) {
    case 0xAA: return 0xD7;
    case 0xBA: return 0xF7;
    case 0xDF: return 0x2017;
    case 0xFD: return 0x200E;
    case 0xFE: return 0x200F;
    default: return b;
  }
}

int HebrewFromUcs2(Uchar16 wc, unsigned char* out) {
  int candidate = -1;
  switch (wc) {
    case 0xD7: candidate = 0xAA; break;
    case 0xF7: candidate = 0xBA; break;
    case 0x2017: candidate = 0xDF; break;
    case 0x200E: candidate = 0xFD; break;
    case 0x200F: candidate = 0xFE; break;
    default:
      candidate = wc >= 0x5D0 && wc <= 0x5EA ? wc - 0x4F0 : wc;
  }
  return Verified<HebrewToUcs2>(candidate, wc, out);
}

// --- name matching ----------------------------------------------------------

template <int Part>
int IsoName(const char* name) {
  static const char* const kAliases[17][2] = {
      {nullptr, nullptr}, {"LATIN1", nullptr}, {"LATIN2", nullptr}, {"LATIN3", nullptr},
      {"LATIN4", nullptr}, {"CYRILLIC", nullptr}, {"ARABIC", nullptr}, {"GREEK", nullptr},
      {"HEBREW", nullptr}, {"LATIN5", nullptr}, {"LATIN6", nullptr}, {"TIS", "620"},
      {nullptr, nullptr}, {"LATIN7", nullptr}, {"LATIN8", nullptr}, {"LATIN", "9"},
      {"LATIN", "10"}};
  static const std::string kNumber = "8859-" + std::to_string(Part);
  std::string upper = UpperName(name);
  if (upper.empty()) return 1;
  if (Contains(upper, "ISO") && Contains(upper, kNumber.c_str())) return 0;
  const char* const* alias = kAliases[Part];
  if (alias[0] && Contains(upper, alias[0]) && (!alias[1] || Contains(upper, alias[1]))) return 0;
  return 1;
}

constexpr CharsetOps SingleByte(int chars, const char* name, int (*nameMatch)(const char*),
                                Uchar16 (*to)(const unsigned char*, int),
                                int (*from)(Uchar16, unsigned char*)) {
  return CharsetOps{chars,           1,          1,         name,         {0x20, 0},
                    SbLenFirstChar,  SbGlyphValue, SbNrChars, nameMatch, SbLenFirstSubstr,
                    SbNextWord,      SbPosFirstChar, to,       from};
}

template <int Part>
constexpr CharsetOps TablePart(const char* name) {
  return SingleByte(256, name, IsoName<Part>, ConvTo<TableToUcs2<Part>>, TableFromUcs2<Part>);
}

}  // namespace

const CharsetOps kUsAscii = SingleByte(128, "US-ASCII", AsciiName, ConvTo<AsciiToUcs2>, AsciiFromUcs2);

const CharsetOps kIso8859[17] = {
    {},
    SingleByte(256, "ISO8859-1", IsoName<1>, ConvTo<Latin1ToUcs2>, Latin1FromUcs2),
    TablePart<2>("ISO8859-2"),
    TablePart<3>("ISO8859-3"),
    TablePart<4>("ISO8859-4"),
    SingleByte(256, "ISO8859-5", IsoName<5>, ConvTo<CyrillicToUcs2>, CyrillicFromUcs2),
    SingleByte(256, "ISO8859-6", IsoName<6>, ConvTo<ArabicToUcs2>, ArabicFromUcs2),
    TablePart<7>("ISO8859-7"),
    SingleByte(256, "ISO8859-8", IsoName<8>, ConvTo<HebrewToUcs2>, HebrewFromUcs2),
    TablePart<9>("ISO8859-9"),
    TablePart<10>("ISO8859-10"),
    TablePart<11>("ISO8859-11"),
    {},
    TablePart<13>("ISO8859-13"),
    TablePart<14>("ISO8859-14"),
    TablePart<15>("ISO8859-15"),
    TablePart<16>("ISO8859-16"),
};

}  // namespace charset
