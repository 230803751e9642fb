/* Window layouts: the records of every window and control of the menu, read
 * per display from the layout file and labelled from the language files. */
#ifndef GUI_LAYOUT_H
#define GUI_LAYOUT_H

#include "gui/bitmap.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define LAYOUT_MAX_WINDOWS 256
#define LAYOUT_MAX_CONTROLS 65536
#define LAYOUT_MAX_BITMAPS 1024
#define LAYOUT_NAME_SIZE 128
#define LAYOUT_KIND_SIZE 64
#define LAYOUT_MAX_LANGUAGES 19

/* Words of SystemInfo and AUX_SysInfo. */
enum {
  SYSINFO_LANGUAGE = 0,
  SYSINFO_MANUFACTOR = 1,
  SYSINFO_WIN_NUMBER = 2,
  SYSINFO_MENU_X = 3,
  SYSINFO_MENU_Y = 4,
  SYSINFO_MENU_WIDTH = 5,
  SYSINFO_MENU_HEIGHT = 6,
  SYSINFO_BKCOLOR = 7,
  SYSINFO_WORDS = 8
};
extern int32_t SystemInfo[SYSINFO_WORDS];
extern int32_t AUX_SysInfo[SYSINFO_WORDS];
/* The language word of SystemInfo. The language switch writes it while
 * controls on other threads read it, so every write and every read goes
 * through these (relaxed atomic access). The other words are set while
 * the layouts load at start-up, before any thread reads them. */
int32_t GetSysInfoLanguage(void);
void SetSysInfoLanguage(int32_t id);

typedef struct WinResInfo {
  int32_t controlNumber;
  int32_t bmpNumber;
  char caption[LAYOUT_NAME_SIZE];
} WinResInfo;

/* One control. The caption is in the current language (null when none).
 * Records handed out are never changed: a language switch publishes new
 * records, and the ones handed out before stay readable, with the old
 * captions, until TerminateLayout. */
typedef struct CtrlResInfo {
  char name[LAYOUT_NAME_SIZE];
  char kind[LAYOUT_KIND_SIZE];
  char* caption;
  int32_t x, y, w, h;
} CtrlResInfo;

typedef struct WinBmpInfo {
  char name[LAYOUT_NAME_SIZE];
  Bitmap bitmap;
} WinBmpInfo;

/* Key positions of the soft keyboards; unused entries are all ones. */
typedef struct SkbKeyPos {
  int32_t x, y, w;
} SkbKeyPos;
#define SKB_POS_ENTRIES 50 /* 600 bytes a table */
#define CHSKB_KEYS 42
#define NUSKB_KEYS 15

extern int g_chSkb_num, g_chSkb_charh, g_aux_chSkb_charh;
extern SkbKeyPos g_chSkb_Pos[SKB_POS_ENTRIES], g_aux_chSkb_Pos[SKB_POS_ENTRIES];
extern int g_nuSkb_num, g_nuSkb_charh, g_aux_nuSkb_charh;
extern SkbKeyPos g_nuSkb_Pos[SKB_POS_ENTRIES], g_aux_nuSkb_Pos[SKB_POS_ENTRIES];

BOOL LoadLayoutRes(void);
void TerminateLayout(void);
/* Main display; case-insensitive names. On failure *record is the first
 * record of the table (a zero record when the table is empty) and 0 is
 * returned. */
BOOL GetCtrlResInfo(const char* window, const char* control, CtrlResInfo** record);
/* Auxiliary display; control names case-sensitive; record untouched on failure. */
BOOL GetCtrlResInfoAux(const char* window, const char* control, CtrlResInfo** record);
BOOL GetWinBitmap(const char* window, const char* name, Bitmap* bitmap);
BOOL GetWinBitmapAux(const char* window, const char* name, Bitmap* bitmap);
/* The picture of language index `slot` (0 .. LAYOUT_MAX_LANGUAGES - 1): the
 * bitmap "lang_bmp<slot>" of the window LAYOUT_LANG_WINDOW on the main
 * display; 0 for another slot, a missing entry or a file that did not load. */
#define LAYOUT_LANG_WINDOW "langsel"
BOOL GetLayoutBitmap(int slot, Bitmap* bitmap);
void ClearCtrlResInfo(CtrlResInfo* records, int n);
BOOL IsLangSelCtrl(const CtrlResInfo* record);

/* Set once the main control records are read; steers where by-path reads
 * take captions from. */
BOOL IsLayoutLoadDone(void);
/* Set when the device's language needs a language text file. */
BOOL IsStringTableWanted(void);

/* Language texts. */
#define STRING_FILE_DIR "../guiRes/rirurRes/string/"
#define STRING_FILE_PREFIX "gui_value"
BOOL LoadStrings(void);
int LoadWindowCaptions(const char* path, const char* section, int count, WinResInfo* windows);
int LoadControlCaptions(const char* path, const char* window, int count, CtrlResInfo* records);

GUI_EXTERN_C_END

#endif
