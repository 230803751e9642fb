// Building blocks shared by the charset records: the single-byte operations,
// the word scan, name matching and the walks over a multibyte text that the
// double-byte records reuse.
#ifndef TOOLKIT_GDI_TEXT_CHARSET_OPS_H
#define TOOLKIT_GDI_TEXT_CHARSET_OPS_H

#include <initializer_list>
#include <string>

#include "gui/charset.h"

namespace charset {

// The records, defined beside their operations.
extern const CharsetOps kUsAscii;
extern const CharsetOps kIso8859[17];  // indexed by part; 0 and 12 unused
extern const CharsetOps kGb18030;
extern const CharsetOps kGbk;
extern const CharsetOps kGb2312;
extern const CharsetOps kBig5;
extern const CharsetOps kEucKr;
extern const CharsetOps kJisX0201Euc;
extern const CharsetOps kJisX0208Euc;
extern const CharsetOps kJisX0201;
extern const CharsetOps kJisX0208ShiftJis;
extern const CharsetOps kUtf8;

constexpr Uchar16 kQuestionMark = 0x3F;

inline bool InRange(unsigned char b, int low, int high) { return b >= low && b <= high; }

// Name matching works on the first 16 characters, upper-cased.
std::string UpperName(const char* name);
bool Contains(const std::string& upper, const char* part);
// 0 when the name holds every part, 1 otherwise (the records' convention).
int NameHasAll(const char* name, std::initializer_list<const char*> parts);

// Single-byte operations.
int SbLenFirstChar(const unsigned char* s, int len);
int SbGlyphValue(const unsigned char* s, int len);
int SbNrChars(const unsigned char* s, int len);
int SbLenFirstSubstr(const unsigned char* s, int len);
int SbPosFirstChar(const unsigned char* s, int len);
const unsigned char* SbNextWord(const unsigned char* s, int len, WordInfo* word);

using CharLenFn = int (*)(const unsigned char* s, int len);

// The word scan: bytes up to the first tab, line feed, carriage return or
// space form the word (a character of step bytes at a time), then the run of
// identical delimiters. Null for an empty text.
const unsigned char* ScanWord(const unsigned char* s, int len, WordInfo* word, CharLenFn step);

// Walks over the characters CharLen accepts.
int RunLength(const unsigned char* s, int len, CharLenFn charLen);
int FirstCharPosition(const unsigned char* s, int len, CharLenFn charLen);
int CountChars(const unsigned char* s, int len, CharLenFn charLen);

// One double-byte character per word, no delimiter; null below 2 bytes.
const unsigned char* DbNextWord(const unsigned char* s, int len, WordInfo* word);
int DbNrChars(const unsigned char* s, int len);

// For charsets that have no conversion from UCS-2.
int NoConvFromUc16(Uchar16 wc, unsigned char* out);

}  // namespace charset

#endif
