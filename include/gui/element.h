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

/* Indexes of [windowelementcolors], in the file's order. */
#define WEC_FC_CAPTION_NORMAL 0
#define WEC_FC_CAPTION_HILITE 1
#define WEC_FC_CAPTION_DISABLED 2
#define WEC_FC_CAPTION_SELECTED 3
#define WEC_FC_CONTROL_NORMAL 4
#define WEC_FC_CONTROL_HILITE 5
#define WEC_FC_CONTROL_DISABLED 6
#define WEC_FC_CONTROL_SELECTED 7
#define WEC_FC_MENUITEM_NORMAL 8
#define WEC_FC_MENUITEM_HILITE 9
#define WEC_FC_MENUITEM_DISABLED 10
#define WEC_FC_MENUITEM_SELECTED 11
#define WEC_FC_PROP_NORMAL 12
#define WEC_FC_PROP_HILITE 13
#define WEC_FC_PROP_DISABLED 14
#define WEC_FC_PROP_SELECTED 15
#define WEC_BKC_WIN_NORMAL 16
#define WEC_BKC_TIP_NORMAL 17
#define WEC_BKC_DLG_NORMAL 18
#define WEC_BKC_CAPTION_NORMAL 19
#define WEC_BKC_CAPTION_HILITE 20
#define WEC_BKC_CAPTION_DISABLED 21
#define WEC_BKC_CAPTION_SELECTED 22
#define WEC_BKC_CONTROL_NORMAL 23
#define WEC_BKC_CONTROL_HILITE 24
#define WEC_BKC_CONTROL_DISABLED 25
#define WEC_BKC_CONTROL_SELECTED 26
#define WEC_BKC_MENUITEM_NORMAL 27
#define WEC_BKC_MENUITEM_HILITE 28
#define WEC_BKC_MENUITEM_DISABLED 29
#define WEC_BKC_MENUITEM_SELECTED 30
#define WEC_BKC_PROP_NORMAL 31
#define WEC_BKC_PROP_HILITE 32
#define WEC_BKC_PROP_DISABLED 33
#define WEC_BKC_PROP_SELECTED 34
#define WEC_BKC_DEFCONTROL_NORMAL 35
#define WEC_BKC_DEFCONTROL_SELECTED 36
#define WEC_BKC_ONERASE_TOP 37
#define WEC_BKC_ONERASE_BOTTOM 38
#define WEC_BKC_SCROLL_NORMAL 39
#define WEC_BKC_SCROLL_HILITE 40
#define WEC_BKC_SCROLL_SPIN 41
#define WEC_BKC_SCROLL_SPIN1 42
#define WEC_BKC_SCROLL_SPIN2 43
#define WEC_BKC_RECTTRACKBAR_NORMAL 44
#define WEC_BKC_RECTTRACKBAR_HILITE 45
#define WEC_BKC_RECTTRACKBAR_DISABLED 46
#define WEC_BKC_RECTTRACKBAR_SELECTED 47
#define WEC_BKC_TIMETAGTRACK_NORMAL 48
#define WEC_FGC_TIMETAGTRACK_NORMAL 49
#define WEC_BKC_LBSMATRIX_NORMAL_STYLE1_TOP 50
#define WEC_BKC_LBSMATRIX_NORMAL_STYLE1_BOTTOM 51
#define WEC_BKC_LBSMATRIX_NORMAL_STYLE2_TOP 52
#define WEC_BKC_LBSMATRIX_NORMAL_STYLE2_BOTTOM 53
#define WEC_BKC_LBSMATRIX_NORMAL_STYLE3_TOP 54
#define WEC_BKC_LBSMATRIX_NORMAL_STYLE3_BOTTOM 55
#define WEC_BKC_LBSMATRIX_SELECTED_STYLE1_TOP 56
#define WEC_BKC_LBSMATRIX_SELECTED_STYLE1_BOTTOM 57
#define WEC_BKC_LBSMATRIX_SELECTED_STYLE2_TOP 58
#define WEC_BKC_LBSMATRIX_SELECTED_STYLE2_BOTTOM 59
#define WEC_BKC_LBSMATRIX_SELECTED_STYLE3_TOP 60
#define WEC_BKC_LBSMATRIX_SELECTED_STYLE3_BOTTOM 61
#define WEC_FRAME_WIN_NORMAL 62
#define WEC_FRAME_WIN_HILITE 63
#define WEC_FRAME_WIN_DISABLED 64
#define WEC_FRAME_CONTROL_NORMAL 65
#define WEC_FRAME_CONTROL_HILITE 66
#define WEC_FRAME_CONTROL_DISABLED 67
#define WEC_FRAME_MENUITEM_NORMAL 68
#define WEC_FRAME_MENUITEM_HILITE 69
#define WEC_FRAME_MENUITEM_DISABLED 70
#define WEC_FRAME_PROP_NORMAL 71
#define WEC_FRAME_PROP_HILITE 72
#define WEC_FRAME_PROP_DISABLED 73
#define WEC_FRAME_BORDER 74
#define WEC_FRAME_BORDER_INNER 75
#define WEC_FRAME_BORDER_OUTER 76
#define WEC_FGC_CONTROL_DIV_H 77
#define WEC_FGC_CONTROL_DIV_V 78
#define WEC_3DBOX_NORMAL 79
#define WEC_3DBOX_REVERSE 80
#define WEC_3DBOX_LIGHT 81
#define WEC_3DBOX_DARK 82
#define WEC_BKC_PUSHBUTTON_START_NORMAL 83
#define WEC_BKC_PUSHBUTTON_END_NORMAL 84
#define WEC_BKC_PUSHBUTTON_START_PUSHED 85
#define WEC_BKC_PUSHBUTTON_END_PUSHED 86

/* Indexes of [extracolors] (GetExtraColorEx). */
#define WEC_EX_FC_CONTROL_SELDISABLE 0
#define WEC_EX_FC_LBIF_STYLE2 1
#define WEC_EX_FC_LBIF_STYLE3 2
#define WEC_EX_BKC_HINT 3
#define WEC_EX_BKC_SYSWIN 4
#define WEC_EX_BKC_SYSWIN_DIVRECT 5
#define WEC_EX_BKC_SYSWIN_DIVLINE 6
#define WEC_EX_BKC_STATIC 7
#define WEC_EX_BKC_CONTROL_HILIGHT_LV 8
#define WEC_EX_BKC_CONTROL_SELECTED_LV 9
#define WEC_EX_BKC_CONTROL_NORMAL_LV 10
#define WEC_EX_BKC_CONTROL_FILL0_LV 11
#define WEC_EX_BKC_RECORD_NORMAL 12
#define WEC_EX_BKC_RECORD_EVENT 13
#define WEC_EX_BKC_RECORD_SMART 14
#define WEC_EX_BKC_RECORD_TIME 15
#define WEC_EX_BKC_RECORD_MOTION 16
#define WEC_EX_BKC_RECORD_ALARM 17
#define WEC_EX_BKC_RECORD_MOTIONORALARM 18
#define WEC_EX_BKC_RECORD_MOTIONANDALARM 19
#define WEC_EX_BKC_DISK_NORMAL 20
#define WEC_EX_BKC_DISK_DRAWFRAME 21
#define WEC_EX_BKC_DISK_PICTURE 22
#define WEC_EX_BKC_DISK_SUCCESS 23
#define WEC_EX_BKC_DISK_FAIL 24
#define WEC_EX_BKC_DISK_UNTESTED 25
#define WEC_EX_BKC_VD_ALLOC 26
#define WEC_EX_BKC_VD_UNALLOC 27
#define WEC_EX_BKC_MOTION_FILL 28
#define WEC_EX_BKC_SELECTED_FRAME 29
#define WEC_EX_BKC_SELECTED_SMARTFRAME 30
#define WEC_EX_FGC_MOTION_SCOPE_COLOR 31
#define WEC_EX_FGC_DISK_DETECT_COLOR 32
#define WEC_EX_FGC_VD_BORDER_COLOR 33
#define WEC_EX_FGC_NETDA_UPLOAD_COLOR 34
#define WEC_EX_FGC_NETDA_DOWNLOAD_COLOR 35
#define WEC_EX_FGC_OSD_DATEPOS_COLOR 36
#define WEC_EX_FGC_OSD_TITLEPOS_COLOR 37
#define WEC_EX_FGC_PREVIEW_LEFT_COLOR 38
#define WEC_EX_FGC_PREVIEW_RECT_COLOR 39
#define WEC_EX_FGC_CAMERA_SHELTER_COLOR1 40
#define WEC_EX_FGC_CAMERA_SHELTER_COLOR2 41
#define WEC_EX_FGC_CAMERA_SHELTER_COLOR3 42
#define WEC_EX_FGC_CAMERA_SHELTER_COLOR4 43
#define WEC_EX_FGC_SCHEDULE_SNAPSHOT_COLOR 44
#define WEC_EX_EDIT_FILL_START 45
#define WEC_EX_EDIT_FILL_END 46
#define WEC_EX_LISTBOX_BKGND_FILL 47
#define WEC_EX_LISTBOX_COMM_FILL0 48
#define WEC_EX_LISTBOX_COMM_FILL1 49
#define WEC_EX_LISTBOX_MATRIX_FILL0_START 50
#define WEC_EX_LISTBOX_MATRIX_FILL0_END 51
#define WEC_EX_LISTBOX_MATRIX_FILL1_START 52
#define WEC_EX_LISTBOX_MATRIX_FILL1_END 53
#define WEC_EX_VSCROLL_FILL_START 54
#define WEC_EX_VSCROLL_FILL_END 55

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
