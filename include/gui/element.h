/* Window element colours and metrics, per-window overrides of them, and the
 * skins of each display: stock bitmaps, system bitmaps and icons.
 *
 * The three arrays are filled once at start-up from the main configuration
 * file and read by fixed indexes everywhere windows are drawn. */
#ifndef GUI_ELEMENT_H
#define GUI_ELEMENT_H

#include "gui/bitmap.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define WE_COLOR_COUNT 87
#define WE_EXTRA_COLOR_COUNT 56
#define WE_METRIC_COUNT 31

/* [windowelementcolors], [extracolors] as pixels of the screen; sizes of
 * [mainwinmetrics] in pixels. */
extern GalPixel WinElementColors[WE_COLOR_COUNT];
extern GalPixel szExtraColors[WE_EXTRA_COLOR_COUNT];
extern int32_t WinMainMetrics[WE_METRIC_COUNT];

/* Indexes of the colours the window module draws with. */
#define WEC_FC_CAPTION_NORMAL 0
#define WEC_BKC_WIN_NORMAL 16
#define WEC_BKC_DLG_NORMAL 18
#define WEC_BKC_CAPTION_NORMAL 19
#define WEC_BKC_CAPTION_HILITE 20
#define WEC_BKC_SCROLL_HILITE 40
#define WEC_BKC_SCROLL_SPIN 41
#define WEC_BKC_SCROLL_SPIN1 42
#define WEC_BKC_SCROLL_SPIN2 43
#define WEC_FRAME_WIN_NORMAL 62
#define WEC_FRAME_WIN_HILITE 63
#define WEC_FRAME_CONTROL_DISABLED 67
#define WEC_FRAME_BORDER 74
#define WEC_FRAME_BORDER_INNER 75
#define WEC_FRAME_BORDER_OUTER 76

/* Indexes of the metrics. */
#define WEM_MINWIDTH 0
#define WEM_MINHEIGHT 1
#define WEM_BORDER 2
#define WEM_THICKFRAME 3
#define WEM_THINFRAME 4
#define WEM_CAPTIONY 5
#define WEM_ICONX 6
#define WEM_ICONY 7
#define WEM_MENUBARY 8
#define WEM_MENUBAROFFX 9
#define WEM_MENUBAROFFY 10
#define WEM_SB_HEIGHT 22
#define WEM_SB_WIDTH 23
#define WEM_SB_INTERX 24
#define WEM_CXVSCROLL 25
#define WEM_CYVSCROLL 26
#define WEM_CXHSCROLL 27
#define WEM_CYHSCROLL 28
#define WEM_MINBARLEN 29
#define WEM_DEFBARLEN 30

/* Start-up loaders: 1, or 0 at the first missing or bad key (the entries
 * before it stay filled). */
int InitWindowElementColors(void);
int InitExtraColors(void);
int InitMainWinMetrics(void);

/* szExtraColors entry, or -1 (all ones) for an index of 56 or more. */
GalPixel GetExtraColorEx(int index);

/* Per-window overrides. Window 0 or the desktop changes the global entry.
 * Metrics fail with -1, colours with 0. */
int32_t GetWindowElementMetricsEx(WindowHandle hwnd, int index);
int32_t SetWindowElementMetricsEx(WindowHandle hwnd, int index, int32_t value);
GalPixel GetWindowElementColorEx(WindowHandle hwnd, int index);
GalPixel SetWindowElementColorEx(WindowHandle hwnd, int index, GalPixel value);

/* Skins of the current display. GetStockBitmap answers the cached bitmap
 * (loaded on first use; x, y inside it pick the colour key) or null. */
#define STOCK_BITMAP_COUNT 70
#define SYSBMP_COUNT 8
#define SYSICON_COUNT 5
const Bitmap* GetStockBitmap(const char* name, int x, int y);
/* [bitmapinfo] key of the current display into bitmap: 1 or 0. */
int LoadSystemBitmapEx(Bitmap* bitmap, const char* key, int x, int y);
/* [iconinfo] key of the main display: an icon handle, or 0. */
uintptr_t LoadSystemIcon(const char* key, int which);
/* System bitmap n (0 caption buttons, 1 scroll arrows) of the current
 * display; null when not loaded. */
const Bitmap* GetSystemBitmap(int n);
/* System icon n of the large (which 1) or small (which 0) table, or 0. */
uintptr_t GetLargeSystemIcon(int n);
uintptr_t GetSmallSystemIcon(int n);

GUI_EXTERN_C_END

#endif
