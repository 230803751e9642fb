/* Multibyte text helpers: cut a text into characters and words and convert
 * between a logical font's charsets and UCS-2. A character is offered to the
 * charset of the font's multibyte device font first (when it has one), then
 * to its single-byte charset. Lengths are byte counts. */
#ifndef GUI_MBTEXT_H
#define GUI_MBTEXT_H

#include "gui/charset.h"
#include "gui/font.h"

GUI_EXTERN_C_BEGIN

/* Byte length of the first character; 0 when no charset of the font takes it. */
int GetFirstMCharLen(const LogFont* logfont, const char* mstr, int len);
/* Byte length of the last character; 0 for a length below 1. */
int GetLastMCharLen(const LogFont* logfont, const char* mstr, int len);
/* Number of characters; pos_chars[i] (may be null) receives the byte offset
 * of character i. */
int GetTextMCharInfo(const LogFont* logfont, const char* mstr, int len, int* pos_chars);
/* Number of words; pos_words and info_words (either may be null) receive each
 * word's byte offset and WordInfo. */
int GetTextWordInfo(const LogFont* logfont, const char* mstr, int len, int* pos_words,
                    WordInfo* info_words);
/* Bytes of the first word plus its delimiters. */
int GetFirstWord(const LogFont* logfont, const char* mstr, int len, WordInfo* word_info);

/* Byte length of the first character (0 when none); its UCS-2 code goes to
 * wc when wc is not null. */
int MB2WC(const LogFont* logfont, Uchar16* wc, const char* mstr, int len);
/* Bytes written for one code; 0 for a null output or code 0; -1 without a
 * multibyte device font or when neither charset has the code. */
int WC2MB(const LogFont* logfont, char* mchar, Uchar16 wc);
/* Codes converted (at most n); a terminating 0 follows when the whole text was
 * converted and room remains. A negative length runs to the zero byte. -1 for
 * a null text. */
int MBS2WCS(const LogFont* logfont, Uchar16* dest, const char* mstr, int len, int n);
/* Bytes written (at most n); -1 when a code cannot be converted or the font has
 * no multibyte device font. A negative length runs to the zero code. */
int WCS2MBS(const LogFont* logfont, char* dest, const Uchar16* wcs, int len, int n);

GUI_EXTERN_C_END

#endif
