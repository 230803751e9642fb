/* Device contexts and the pen, pixel and polygon drawing on them.
 *
 * Every drawing function takes the DC first and accepts HDC_SCREEN (0) for
 * the screen DC. Drawing through a DC that cannot be drawn (its window or an
 * ancestor is hidden, or the DC is HDC_INVALID) is a silent no-op. */
#ifndef GUI_DC_H
#define GUI_DC_H

#include "gui/common.h"
#include "gui/gal.h"

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

GUI_EXTERN_C_END

#endif
