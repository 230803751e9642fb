/* Device-dependent bitmaps: pixels in the pixel format of the DC they were
 * made for. */
#ifndef GUI_BITMAP_H
#define GUI_BITMAP_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

struct GalPixelFormat;

/* Type flags. */
#define BMP_TYPE_RLE 0x01
#define BMP_TYPE_ALPHA 0x02
#define BMP_TYPE_ALPHACHANNEL 0x04
#define BMP_TYPE_COLORKEY 0x10
#define BMP_TYPE_PRIV_PIXEL 0x20

typedef struct Bitmap {
  uint8_t bmType;
  uint8_t bmBitsPerPixel;
  uint8_t bmBytesPerPixel;
  uint8_t bmAlpha;
  uint32_t bmColorKey;
  uint32_t bmWidth;
  uint32_t bmHeight;
  uint32_t bmPitch;
  uint8_t* bmBits;
  uint8_t* bmYPlane;
  uint8_t* bmUPlane;
  uint8_t* bmVPlane;
  struct GalPixelFormat* bmAlphaPixelFormat;
} Bitmap;

/* A device-independent image as the loaders deliver it; its palette (1 <<
 * depth GalColor entries) travels beside it. */
#define MYBMP_TYPE_MASK 0x0000000Fu
#define MYBMP_TYPE_RGB 3u
#define MYBMP_TYPE_BGR 4u
#define MYBMP_TYPE_RGBA 5u
#define MYBMP_FLOW_DOWN 0x00000010u
#define MYBMP_FLOW_UP 0x00000020u
#define MYBMP_TRANSPARENT 0x00000100u
#define MYBMP_ALPHA 0x00000200u
#define MYBMP_ALPHACHANNEL 0x00000400u
#define MYBMP_RGBSIZE_3 0x00001000u
#define MYBMP_RGBSIZE_4 0x00002000u
#define MYBMP_LOAD_ONE_ROW 0x00020000u

typedef struct MyBitmap {
  uint32_t flags;
  uint32_t frames;
  uint8_t depth;
  uint8_t alpha;
  uint8_t reserved[2];
  uint32_t transparent;
  uint32_t w;
  uint32_t h;
  uint32_t pitch;
  uint32_t size;
  uint8_t* bits;
} MyBitmap;

/* ---- Fills, bitmap drawing and blits through device contexts ----
 * Coordinates are logical coordinates of the DC; HDC_SCREEN (0) is the
 * screen DC. */

/* Fills the box with the DC's brush colour through its raster operation;
 * nothing when w or h is below 1. */
void FillBox(HDC hdc, int x, int y, int w, int h);
/* Reads the box of the DC's surface into bitmap (bits allocated with malloc
 * when it has none). */
BOOL GetBitmapFromDC(HDC hdc, int x, int y, int w, int h, Bitmap* bitmap);
/* Draws bitmap with its top-left corner at (x, y); w or h below 1 take the
 * bitmap's own size, any other size scales it. 0 for a bitmap without size
 * or bits, an invalid DC, or no memory; else 1. */
BOOL FillBoxWithBitmap(HDC hdc, int x, int y, int w, int h, const Bitmap* bitmap);
/* Draws the w x h part at (xo, yo) of bitmap as it looks scaled to bw x bh
 * (below 1: its own size) into the box at (x, y). 0 when the part leaves the
 * nominal size, for a run-length bitmap, or no memory; 1 otherwise (also for
 * an invalid DC). */
BOOL FillBoxWithBitmapPart(HDC hdc, int x, int y, int w, int h, int bw, int bh,
                           const Bitmap* bitmap, int xo, int yo);
/* Three-part skin fill: head, repeated middle and tail thirds of bitmap
 * along the fill (downward when vertical, else rightward). */
BOOL FillBoxWithBitampCombineEx(HDC hdc, int x, int y, int w, int h, const Bitmap* bitmap,
                                BOOL head, BOOL tail, BOOL vertical);
/* Copies the sw x sh box at (sx, sy) of hdcSrc to (dx, dy) of hdcDst with
 * the source surface's colour key and alpha; sw or sh below 1 take the
 * source DC's size. Overlapping copies on one surface are safe. rop is not
 * used. */
void BitBlt(HDC hdcSrc, int sx, int sy, int sw, int sh, HDC hdcDst, int dx, int dy, uint32_t rop);
/* Copies the source box scaled to the destination box through the
 * destination's raster operation; only between DCs of equal bits per pixel. */
void StretchBlt(HDC hdcSrc, int sx, int sy, int sw, int sh, HDC hdcDst, int dx, int dy, int dw,
                int dh);

/* ---- Scaling, pixel access and the YUV copy ---- */

/* Line call-backs of the scalers: the buffer for destination row y, and the
 * filled row handed over. */
typedef void* (*BitmapGetLineFunc)(void* context, int y);
typedef void (*BitmapPutLineFunc)(void* context, void* line, int y);

/* Nearest-neighbour scaling of bitmap (1..4 bytes per pixel) to w x h, one
 * destination row at a time; rows mapping to one source row share the
 * buffer. 0 when w or h is below 1. The second walks from the last row up
 * (for overlapping source and destination) and answers 1 for w or h of 0. */
BOOL BitmapDDAScaler(void* context, const Bitmap* bitmap, int w, int h,
                     BitmapGetLineFunc getLine, BitmapPutLineFunc putLine);
BOOL BitmapDDAScaler2(void* context, const Bitmap* bitmap, int w, int h,
                      BitmapGetLineFunc getLine, BitmapPutLineFunc putLine);
/* Scales src into dst at dst's width and height; false when their bytes per
 * pixel differ, true (nothing done) when dst has no width or height. */
BOOL ScaleBitmap(Bitmap* dst, const Bitmap* src);
/* 0 outside the bitmap. */
GalPixel GetPixelInBitmap(const Bitmap* bitmap, int x, int y);
BOOL SetPixelInBitmap(const Bitmap* bitmap, int x, int y, GalPixel pixel);
/* Every pixel equal to oldPixel becomes newPixel; the pixel size is that of
 * the DC's format. */
void ReplaceBitmapColor(HDC hdc, Bitmap* bitmap, GalPixel oldPixel, GalPixel newPixel);
/* Through a caller's buffer of one row. */
void MirrorBitmapHorizontally(Bitmap* bitmap, uint8_t* lineBuffer);
void FlipBitmapVertically(Bitmap* bitmap, uint8_t* lineBuffer);
/* The YUV copy for YUV video outputs (colour depth 16 and above; 17 with
 * interleaved chroma): into the bitmap's own Y plane buffer, or into a
 * caller's buffer of w * h + (w / 2) * (h / 2) * 2 bytes. */
void LoadGetYUVFromBitmap(Bitmap* bitmap);
void GetYUVFromBitmap(const Bitmap* bitmap, uint8_t* buffer);

GUI_EXTERN_C_END

#endif
