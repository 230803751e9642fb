/* Logical fonts (what a DC draws with) and the device fonts they bind to:
 * raw bitmap fonts and TrueType fonts, loaded from the configuration into a
 * single-byte and a multi-byte list. */
#ifndef GUI_FONT_H
#define GUI_FONT_H

#include "gui/charset.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

typedef struct DevFont DevFont;
typedef struct LogFont LogFont;

/* Longest type, family and charset name kept in a LogFont (plus the zero). */
#define FONT_FIELD_LEN 15
/* Longest charset list of a font name (plus the zero). */
#define FONT_CHARSET_LIST_LEN 79
#define DEVFONT_NAME_SIZE 128

/* Font type ids. */
#define FONT_TYPE_RAW_BITMAP 1
#define FONT_TYPE_VAR_BITMAP 2
#define FONT_TYPE_TRUETYPE 16
#define FONT_TYPE_TYPE1 17
#define FONT_TYPE_ANY 0xFFFF

/* Style bits, from the six style letters of a font name. */
#define FONT_STYLE_INVALID 0xFFFFFFFFu
#define FONT_WEIGHT_C 0x00000001u
#define FONT_WEIGHT_BOLD 0x00000002u
#define FONT_WEIGHT_GREY 0x00000004u
#define FONT_WEIGHT_BOLD_GREY 0x00000006u
#define FONT_WEIGHT_OUTLINE 0x00000010u
#define FONT_WEIGHT_M 0x00000020u
#define FONT_SLANT_ITALIC 0x00000100u
#define FONT_SLANT_OBLIQUE 0x00000200u
#define FONT_SLANT_ANY 0x00000F00u
#define FONT_FLIP_HORZ 0x00001000u
#define FONT_FLIP_VERT 0x00002000u
#define FONT_FLIP_BOTH 0x00003000u
#define FONT_OTHER_SCALE 0x00010000u
#define FONT_OTHER_N 0x00020000u
#define FONT_OTHER_KERNING 0x00040000u
#define FONT_OTHER_R 0x00060000u
#define FONT_UNDERLINE 0x00100000u
#define FONT_UNDERLINE_ANY 0x00F00000u
#define FONT_STRUCKOUT 0x01000000u
#define FONT_STRUCKOUT_ANY 0x0F000000u

/* A logical font: a request bound at creation to one single-byte device font
 * and at most one multi-byte device font. */
struct LogFont {
  char type[FONT_FIELD_LEN + 1];
  char family[FONT_FIELD_LEN + 1];
  char charset[FONT_FIELD_LEN + 1];
  uint32_t style;
  int32_t size;
  int32_t rotation; /* tenths of a degree */
  uint16_t multiByteScale;
  uint16_t singleByteScale;
  DevFont* singleByteDevFont; /* never null for a live LogFont */
  DevFont* multiByteDevFont;  /* null for single-byte text only */
};

/* Operations of one device-font type. An absent operation is null. */
typedef struct FontOps {
  int (*charWidth)(LogFont* lf, DevFont* df, const unsigned char* mchar, int len);
  int (*averageWidth)(LogFont* lf, DevFont* df);
  int (*maxWidth)(LogFont* lf, DevFont* df);
  int (*fontHeight)(LogFont* lf, DevFont* df);
  /* The size the font gives for the requested one; may set the LogFont's
   * scale. */
  int (*fontSize)(LogFont* lf, DevFont* df, int expect);
  int (*ascent)(LogFont* lf, DevFont* df);
  int (*descent)(LogFont* lf, DevFont* df);
  const unsigned char* (*charBitmap)(LogFont* lf, DevFont* df, const unsigned char* mchar, int len,
                                     unsigned short* scale);
  const unsigned char* (*charGreyPixmap)(LogFont* lf, DevFont* df, const unsigned char* mchar,
                                         int len, int* pitch, unsigned short* scale);
  void (*startStringOutput)(LogFont* lf, DevFont* df);
  void (*charBoundingBox)(LogFont* lf, DevFont* df, const unsigned char* mchar, int len, int* x,
                          int* y, int* w, int* h);
  void (*charAdvance)(LogFont* lf, DevFont* df, const unsigned char* mchar, int len, int* x,
                      int* y);
  DevFont* (*newInstance)(LogFont* lf, DevFont* df, BOOL singleByte);
  void (*deleteInstance)(LogFont* lf, DevFont* df);
} FontOps;

/* A loaded font resource. */
struct DevFont {
  char name[DEVFONT_NAME_SIZE];
  uint32_t style; /* style bits of the name's own style field */
  const FontOps* fontOps;
  const CharsetOps* charsetOps;
  DevFont* nextSingleByte;
  DevFont* nextMultiByte;
  void* data; /* the font type's private record */
};

typedef struct FontMetrics {
  int32_t fontHeight;
  int32_t ascent;
  int32_t descent;
  int32_t maxWidth;
  int32_t averageWidth;
} FontMetrics;

/* One glyph, 1 bit per pixel, rows padded to whole bytes, most significant
 * bit first. The bits belong to the device font and stay valid until its next
 * glyph request. */
typedef struct GlyphBitmap {
  int32_t bboxX, bboxY, bboxW, bboxH;
  int32_t advanceX, advanceY;
  int32_t bitmapSize;
  int32_t bitmapPitch;
  const unsigned char* bits;
} GlyphBitmap;

/* The system logical fonts; slot 0 is the default system font, whose
 * single-byte device font is the last resort of font matching. */
#define SYS_LOGFONT_SLOTS 10
extern LogFont* g_SysLogFont[SYS_LOGFONT_SLOTS];

/* Font names: type-family-style-width-height-charset[,charset...]. String
 * readers return their output buffer, or null when the field is missing;
 * number readers return -1. */
char* fontGetTypeNameFromName(const char* name, char* type);
int fontGetTypeId(const char* type);
int fontGetTypeIdFromName(const char* name);
char* fontGetFamilyFromName(const char* name, char* family);
uint32_t fontConvertStyle(const char* styleLetters);
uint32_t fontGetStyleFromName(const char* name);
int fontGetWidthFromName(const char* name);
int fontGetHeightFromName(const char* name);
char* fontGetCharsetFromName(const char* name, char* charset);
char* fontGetCompatibleCharsetFromName(const char* name, char* charset);
char* fontGetCharsetListFromName(const char* name, char* charsetList);
int fontGetCharsetCount(const char* charsetList);
char* fontGetNthCharsetFromName(const char* charsetList, char* charset, int n);

/* Logical fonts. */
LogFont* CreateLogFont(const char* type, const char* family, const char* charset, char weight,
                       char slant, char flip, char other, char underline, char struckout, int size,
                       int rotation);
LogFont* CreateLogFontByName(const char* fontName);
LogFont* CreateLogFontIndirect(const LogFont* logfont);
void DestroyLogFont(LogFont* logfont);
void GetFontMetrics(LogFont* logfont, FontMetrics* metrics);
void GetGlyphBitmap(LogFont* logfont, const unsigned char* mchar, int len, GlyphBitmap* glyph);

/* Device-font lists. */
void AppendSingleByteDevFont(DevFont* devfont);
void AppendMultiByteDevFont(DevFont* devfont);
void ClearDevFontLists(void);
DevFont* GetNextDevFont(DevFont* devfont);
DevFont* MatchSingleByteDevFont(LogFont* logfont);
DevFont* MatchMultiByteDevFont(LogFont* logfont);

/* Device-font loading from the configuration ([rawbitmapfonts] and
 * [truetypefonts]); non-zero on success, 0 on failure. */
BOOL LoadRawBitmapFonts(void);
void UnloadRawBitmapFonts(void);
BOOL LoadTrueTypeFonts(void);
void UnloadTrueTypeFonts(void);

GUI_EXTERN_C_END

#endif
