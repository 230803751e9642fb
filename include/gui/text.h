/* System fonts, language maps, character-width caches and text output.
 *
 * Every output and measuring call takes the DC first (0 is the screen DC)
 * and works in the DC's current logical font and attributes. Lengths are
 * byte counts; a negative length runs up to the terminating zero byte. */
#ifndef GUI_TEXT_H
#define GUI_TEXT_H

#include "gui/common.h"
#include "gui/font.h"

GUI_EXTERN_C_BEGIN

/* ---- System fonts and the language maps ---- */

#define LANG_INDEX_COUNT 19
#define LANG_CHARSET_BUFFER 16

/* One logical font per language index, for the language-selection list. */
extern LogFont* langbox_font[LANG_INDEX_COUNT];

/* Language ids of the device and language indexes 0..18: an unknown index
 * gives id 1, an unknown id index 0. */
int LanguageIdFromLangIndex(int index);
int LangIndexFromLanguageId(int languageId);
/* Writes the index's charset name into a zero-filled 16-byte buffer. */
void CharsetOfLangIndex(int index, char* charset);
BOOL IsMultiByteLangIndex(int index);

/* 1 on success, 0 on failure (with a diagnostic; nothing is left created). */
int CreateSysLogFonts(void);
void DestroySysLogFonts(void);
void DestroyUniqueSysLogFonts(void);
int InitLangBoxFont(void);

/* Start-up: width caches, device fonts, system fonts, language-list fonts;
 * FALSE at the first failure. Shut-down frees all of them again. */
BOOL InitTextAndFonts(void);
void TerminateTextAndFonts(void);

/* Null for multiByte without a multibyte system font. */
const char* GetSysCharset(BOOL multiByte);
int GetSysCharWidth(void);
int GetSysCCharWidth(void);
int GetSysCharHeight(void);
int GetSysFontHeight(int slot);
int GetSysFontMaxWidth(int slot);
int GetSysFontAveWidth(int slot);

/* ---- Character widths ---- */

/* Fills the caches from the system fonts that text is measured in (codes
 * 0..255 when all is non-zero, else 128..255). */
void PreloadCharWidthCache(BOOL all);
void ResetCharWidthCaches(void);
void ClearHighCharWidthCache(void);
void FreeGlyphBuffers(void);

/* ---- Text output and measurement ---- */

/* DrawTextEx2 format bits. */
#define DT_CENTER 0x00000001u
#define DT_RIGHT 0x00000002u
#define DT_VCENTER 0x00000004u
#define DT_BOTTOM 0x00000008u
#define DT_WORDBREAK 0x00000010u
#define DT_SINGLELINE 0x00000020u
#define DT_EXPANDTABS 0x00000040u
#define DT_TABSTOP 0x00000080u
#define DT_NOCLIP 0x00000100u
#define DT_CALCRECT 0x00000400u
#define DT_CHARBREAK 0x00002000u

/* What DrawTextEx2 reports about the first line when asked. */
typedef struct TextParam {
  int32_t bytes;
  int32_t x, y;
  int32_t width;
  int32_t lineHeight;
} TextParam;

int GetFontHeight(HDC hdc);
int GetMaxFontWidth(HDC hdc);
int GetTextExtentEx(HDC hdc, const char* text, int len, Size* size, int outputId);
int GetTabbedTextExtent(HDC hdc, const char* text, int len, Size* size);
int GetLastTextOutPos(HDC hdc, Point* pt);

int TextOutLen(HDC hdc, int x, int y, const char* text, int len);
int TabbedTextOutLen(HDC hdc, int x, int y, const char* text, int len);
int TabbedTextOutEx(HDC hdc, int x, int y, const char* text, int len, int tabCount,
                    const int* tabPositions, int startX);

/* Returns the bytes that fit in maxExtent (no limit when it is below 1). */
int GetTextExtentPoint(HDC hdc, const char* text, int len, int maxExtent, int* fitChars,
                       int* posChars, int* dxChars, Size* size);
int GetTabbedTextExtentPoint(HDC hdc, const char* text, int len, int maxExtent, int* fitChars,
                             int* posChars, int* dxChars, Size* size);

int TextOutOmitted(HDC hdc, int x, int y, const char* text, int len, int maxWidth);
int DrawTextEx2(HDC hdc, const char* text, int len, Rect* rect, int indent, uint32_t format,
                TextParam* param);
int DrawTextOmitted(HDC hdc, const char* text, int len, Rect* rect, uint32_t format, int maxWidth);

/* Copies the DC's current logical font (defined with the DC attributes). */
void GetLogFontInfo(HDC hdc, LogFont* logfont);

GUI_EXTERN_C_END

#endif
