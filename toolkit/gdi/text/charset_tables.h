// Conversion tables of the multibyte and ISO 8859 charsets. They are
// generated at build time from the C library's converters (the generator
// lives in tools/charset_tables) and compiled into the charset_tables library.
// An entry of 0 marks a position without a character.
#ifndef TOOLKIT_GDI_TEXT_CHARSET_TABLES_H
#define TOOLKIT_GDI_TEXT_CHARSET_TABLES_H

#include <cstdint>

namespace charset_tables {

// 94 x 94 tables indexed by (b0 - 0xA1) * 94 + (b1 - 0xA1).
constexpr int kEuc94x94Size = 94 * 94;
extern const uint16_t kGb2312ToUcs2[kEuc94x94Size];
extern const uint16_t kEucKrToUcs2[kEuc94x94Size];
extern const uint16_t kEucJisX0208ToUcs2[kEuc94x94Size];

// Indexed by the Shift-JIS glyph index (189 trail bytes per lead byte).
constexpr int kShiftJisSize = 46 * 189;
extern const uint16_t kShiftJisToUcs2[kShiftJisSize];

// Indexed by the Big5 glyph index: the 0xA1..0xFE trail bytes first, then the
// 0x40..0x7E ones.
constexpr int kBig5Size = 94 * 94 + 94 * 63;
extern const uint16_t kBig5ToUcs2[kBig5Size];

// Indexed by (b0 - 0x81) * 192 + (b1 - 0x40).
constexpr int kGbkSize = 126 * 192;
extern const uint16_t kGbkToUcs2[kGbkSize];

// Two-byte codes as GBK's layout, then the four-byte codes of the basic
// multilingual plane by their linear index.
constexpr int kGb18030FourByteBmp = 39420;
constexpr int kGb18030Size = kGbkSize + kGb18030FourByteBmp;
extern const uint16_t kGb18030ToUcs2[kGb18030Size];

// Upper halves 0xA1..0xFF of ISO 8859 part n at row n; positions a part
// leaves unassigned hold their own byte value.
constexpr int kIsoUpperHalf = 95;
extern const uint16_t kIso8859UpperHalf[17][kIsoUpperHalf];

// UCS-2 to GB2312, as ranges of consecutive codes sorted by code.
struct DbcsRange {
  uint16_t first;
  uint16_t last;
  const unsigned char* bytes;  // (last - first + 1) pairs
};
extern const DbcsRange kUcs2ToGb2312Ranges[];
extern const int kUcs2ToGb2312RangeCount;

}  // namespace charset_tables

#endif
