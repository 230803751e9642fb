/* Charsets: how to cut a byte string into characters and words, how to index
 * a character's glyph in a font, and how to convert between a charset's bytes
 * and UCS-2. Every charset is a constant CharsetOps record found by name. */
#ifndef GUI_CHARSET_H
#define GUI_CHARSET_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* One word cut from a text: its bytes, the delimiter that follows it (0 when
 * none) and how many identical delimiters follow in a row. */
typedef struct WordInfo {
  int len;
  unsigned char delimiter;
  int nr_delimiters;
} WordInfo;

typedef unsigned short Uchar16;

/* Operations of one charset. Byte strings come with their length; no
 * operation reads beyond it. */
typedef struct CharsetOps {
  int nr_chars;          /* size of the glyph index space */
  int bytes_per_char;    /* 1 single-byte, 2 double-byte (UTF-8 says 2) */
  int bytes_maxlen_char; /* longest character in bytes */
  const char* name;      /* canonical upper-case name */
  unsigned char def_char[2]; /* substitute for characters outside a font */

  /* Byte length of the first character; 0 when the bytes start none. */
  int (*len_first_char)(const unsigned char* mstr, int len);
  /* Glyph index of the character at mchar (len bytes available). */
  int (*char_glyph_value)(const unsigned char* mchar, int len);
  int (*nr_chars_in_str)(const unsigned char* mstr, int len);
  /* 0 when the name denotes this charset, non-zero otherwise. */
  int (*is_this_charset)(const char* name);
  /* Byte length of the leading run of characters of this charset. */
  int (*len_first_substr)(const unsigned char* mstr, int len);
  /* Cuts the next word into word_info; the position after it and its
   * delimiters, or null when nothing is cut. */
  const unsigned char* (*get_next_word)(const unsigned char* mstr, int len, WordInfo* word_info);
  /* Byte position of the first character of this charset; -1 when none. */
  int (*pos_first_char)(const unsigned char* mstr, int len);
  /* UCS-2 code of the first character. */
  Uchar16 (*conv_to_uc16)(const unsigned char* mchar, int len);
  /* Writes the character for a UCS-2 code (at most 4 bytes); its byte count,
   * 0 when the charset has no character for it. */
  int (*conv_from_uc16)(Uchar16 wc, unsigned char* mchar);
} CharsetOps;

/* The first charset, in search order, whose name match accepts name. */
const CharsetOps* GetCharsetOps(const char* name);
/* The charset whose canonical name equals name upper-cased. */
const CharsetOps* GetCharsetOpsEx(const char* name);
/* 1 when some charset that accepts name is ops, else 0. */
int CharsetNameMatchesOps(const char* name, const CharsetOps* ops);
/* The two GB2312 bytes for a UCS-2 code; null when there is none. */
const unsigned char* UnicodeToDBCSLookup(Uchar16 code);

GUI_EXTERN_C_END

#endif
