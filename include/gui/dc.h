/* Device contexts and the pen, pixel and polygon drawing on them.
 *
 * Every drawing function takes the DC first and accepts HDC_SCREEN (0) for
 * the screen DC. Drawing through a DC that cannot be drawn (its window or an
 * ancestor is hidden, or the DC is HDC_INVALID) is a silent no-op. */
#ifndef GUI_DC_H
#define GUI_DC_H

#include "gui/common.h"
#include "gui/gal.h"
#include "gui/bitmap.h"
#include "gui/font.h"
#include "gui/region.h"

GUI_EXTERN_C_BEGIN

/* Raster operations. */
#define ROP_SET 0
#define ROP_AND 1
#define ROP_OR 2
#define ROP_XOR 3

/* Background modes. */
#define BM_OPAQUE 0
#define BM_TRANSPARENT 1

/* Start-up: the GDI locks, the DC pool and the screen DC on `screen`.
 * False only for a null surface. */
BOOL InitGDI(GalSurface* screen);
void TerminateGDI(void);

/* Window DCs. GetDC covers the whole window, GetClientDC the client area.
 * Both answer HDC_INVALID (with a diagnostic) when the sixteen pool DCs are
 * all taken or the window is not a live window. */
HDC GetDC(WindowHandle hwnd);
HDC GetClientDC(WindowHandle hwnd);
void ReleaseDC(HDC hdc);
/* Heap-allocated window DCs; 0 when memory runs out or the window is not
 * a live window. */
HDC CreatePrivateDC(WindowHandle hwnd);
HDC CreatePrivateClientDC(WindowHandle hwnd);
void DeletePrivateDC(HDC hdc);
HDC GetPrivateClientDC(WindowHandle hwnd);

/* Raster operations: values outside 0..3 change nothing. */
int SetRasterOperation(HDC hdc, int rop);
int GetRasterOperation(HDC hdc);

/* Pixels, in logical coordinates. */
void SetPixel(HDC hdc, int x, int y, GalPixel pixel);
GalPixel SetPixelRGB(HDC hdc, int x, int y, uint8_t r, uint8_t g, uint8_t b);
GalPixel SetPixelRGBA(HDC hdc, int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
/* 0 outside the DC's device rectangle. */
GalPixel GetPixel(HDC hdc, int x, int y);
GalPixel GetPixelRGB(HDC hdc, int x, int y, uint8_t* r, uint8_t* g, uint8_t* b);
GalPixel GetPixelRGBA(HDC hdc, int x, int y, uint8_t* r, uint8_t* g, uint8_t* b, uint8_t* a);
GalPixel RGB2Pixel(HDC hdc, uint8_t r, uint8_t g, uint8_t b);
GalPixel RGBA2Pixel(HDC hdc, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
void Pixel2RGB(HDC hdc, GalPixel pixel, uint8_t* r, uint8_t* g, uint8_t* b);
void Pixel2RGBA(HDC hdc, GalPixel pixel, uint8_t* r, uint8_t* g, uint8_t* b, uint8_t* a);

/* Pen drawing, in logical coordinates with the pen colour. */
void MoveTo(HDC hdc, int x, int y);
/* The pen position itself is not drawn; (x, y) is. */
void LineTo(HDC hdc, int x, int y);
void PolyLineTo(HDC hdc, const Point* points, int count);
/* Outline with both corners included. */
void Rectangle(HDC hdc, int x0, int y0, int x1, int y1);
/* Dotted outline drawn with xor: drawing it twice restores the pixels. */
void FocusRect(HDC hdc, int x0, int y0, int x1, int y1);
void DrawHVDotLine(HDC hdc, int x, int y, int length, BOOL horizontal);
/* Cubic Bezier curve through four control points, drawn as a poly-line. */
void SplineTo(HDC hdc, const Point points[4]);

/* Fills with the brush colour. False for fewer than 3 points or when memory
 * runs out; true otherwise, also when nothing could be drawn. */
BOOL FillPolygon(HDC hdc, const Point* points, int count);

/* ---- DC attributes, fonts and clipping ---- */

/* Attribute indices of GetDCAttr/SetDCAttr. */
#define DC_ATTR_BK_COLOR 0
#define DC_ATTR_BK_MODE 1
#define DC_ATTR_PEN_COLOR 2
#define DC_ATTR_BRUSH_COLOR 3
#define DC_ATTR_TEXT_COLOR 4
#define DC_ATTR_TAB_STOP 5
#define DC_ATTR_CHAR_EXTRA 6
#define DC_ATTR_ALINE_EXTRA 7
#define DC_ATTR_BLINE_EXTRA 8
#define DC_ATTR_MAP_MODE 9

/* 0 for an index outside 0..9. */
uint32_t GetDCAttr(HDC hdc, int index);
/* The previous value; an index outside 0..9 changes nothing and gives 0.
 * Setting the text colour rebuilds the DC's text-colour tables. */
uint32_t SetDCAttr(HDC hdc, int index, uint32_t value);
/* Null selects the system font. Returns the previous font. */
LogFont* SelectFont(HDC hdc, LogFont* logfont);
LogFont* GetCurFont(HDC hdc);
/* Makes the first system font the screen DC's font again (language change). */
void ResetScreenDCFont(void);

/* Clipping, rectangles in the DC's own coordinates. An empty rectangle
 * changes nothing; SelectClipRect with none clips to the whole DC. */
void SelectClipRect(HDC hdc, const Rect* rect);
void IncludeClipRect(HDC hdc, const Rect* rect);
void ExcludeClipRect(HDC hdc, const Rect* rect);
void ClipRectIntersect(HDC hdc, const Rect* rect);
void SelectClipRegion(HDC hdc, const ClipRgn* region);
void GetBoundsRect(HDC hdc, Rect* bounds);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const Rect* rect);

/* ---- Memory DCs, direct pixel access and capabilities ---- */

/* Memory DCs own their surface; 0 when it cannot be made. A width or height
 * below 1 takes the source DC's size. */
HDC CreateCompatibleDCEx(HDC hdc, int width, int height);
HDC CreateMemDC(int width, int height, int depth, uint32_t flags, uint32_t rMask, uint32_t gMask,
                uint32_t bMask, uint32_t aMask);
/* Over the bitmap's or image's own pixels, which stay the caller's. */
HDC CreateMemDCFromBitmap(HDC hdc, const Bitmap* bitmap);
HDC CreateMemDCFromMyBitmap(const MyBitmap* image, const GalColor* palette);
/* 1 when the memory DC now has the reference DC's pixel format, 0 (and the
 * DC untouched) when the conversion failed. */
int ConvertMemDC(HDC memDC, HDC refDC, uint32_t flags);
BOOL SetMemDCAlpha(HDC memDC, uint32_t flags, uint8_t alpha);
BOOL SetMemDCColorKey(HDC memDC, uint32_t flags, uint32_t colorKey);
void DeleteMemDC(HDC memDC);

/* A screen-type DC on a second video device; 0 when it cannot be opened. */
HDC InitSlaveScreen(const char* engineName, const char* mode);
void TerminateSlaveScreen(HDC hdc);

/* The address of the first pixel of rect (the whole DC with none), with the
 * display held locked until UnlockDC; 0 (nothing held) when nothing of it
 * can be drawn. */
uint8_t* LockDC(HDC hdc, const Rect* rect, int* width, int* height, int* pitch);
void UnlockDC(HDC hdc);

/* GetGDCapability indices. */
#define GDCAP_COLORNUM 0
#define GDCAP_HPIXEL 1
#define GDCAP_VPIXEL 2
#define GDCAP_MAXX 3
#define GDCAP_MAXY 4
#define GDCAP_DEPTH 5
#define GDCAP_BPP 6
#define GDCAP_BITSPP 7
#define GDCAP_RMASK 8
#define GDCAP_GMASK 9
#define GDCAP_BMASK 10

/* 0xFFFFFFFF for an unknown index. */
uint32_t GetGDCapability(HDC hdc, int index);

GUI_EXTERN_C_END

#endif
