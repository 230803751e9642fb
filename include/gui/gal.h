/* Graphics abstraction layer: pixel formats, palettes, the video device with
 * its screen surface, memory surfaces, blit maps and fills. */
#ifndef GUI_GAL_H
#define GUI_GAL_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

typedef struct GalColor {
  uint8_t r, g, b;
  uint8_t unused;
} GalColor;

typedef struct GalPalette {
  int32_t ncolors;
  GalColor* colors;
} GalPalette;

typedef struct GalPixelFormat {
  GalPalette* palette;
  int32_t isGeneratedPalette; /* 1 while the palette is the generated 3-3-2 one */
  uint8_t bitsPerPixel;
  uint8_t bytesPerPixel;
  uint8_t yuvStep; /* luma sample size in the YUV frame-buffer modes */
  uint8_t rLoss, gLoss, bLoss, aLoss;
  uint8_t rShift, gShift, bShift, aShift;
  uint32_t rMask, gMask, bMask, aMask;
  uint32_t colorKey;
  uint8_t alpha;
} GalPixelFormat;

typedef struct GalRect {
  int32_t x, y, w, h;
} GalRect;

typedef struct GalSurface GalSurface;
typedef struct GalVideoDevice GalVideoDevice;
typedef struct GalBlitInfo GalBlitInfo;

/* A surface-to-surface blit on already clipped rectangles. */
typedef int (*GalBlitFunc)(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect);
/* One row loop of the software blitter. */
typedef void (*GalRowBlit)(GalBlitInfo* info);

/* Filled by the blit selection: the row loop and its auxiliary data. */
typedef struct GalSoftBlitData {
  GalRowBlit blit;
  void* auxData;
} GalSoftBlitData;

typedef struct GalBlitMap {
  GalSurface* dst; /* null: the map is invalid */
  int32_t identity;
  uint8_t* table;
  GalBlitFunc hwBlit;
  GalBlitFunc swBlit;
  uint32_t reserved;
  GalSoftBlitData* swData;
  uint32_t formatVersion; /* (uint32_t)-1: invalid */
} GalBlitMap;

struct GalBlitInfo {
  uint8_t* srcPixels;
  int32_t srcWidth, srcHeight, srcSkip;
  uint8_t* dstPixels;
  int32_t dstWidth, dstHeight, dstSkip;
  void* auxData;
  GalPixelFormat* srcFormat;
  uint8_t* table;
  GalPixelFormat* dstFormat;
  /* Sources under 8 bits per pixel: bits to skip in each row's first byte. */
  int32_t srcBitOffset;
};

/* Surface flags. */
#define GAL_HWSURFACE 0x00000001u
#define GAL_HWACCEL 0x00000100u
#define GAL_SRCCOLORKEY 0x00001000u
#define GAL_RLEACCELOK 0x00002000u
#define GAL_RLEACCEL 0x00004000u
#define GAL_SRCALPHA 0x00010000u
#define GAL_PREALLOC 0x01000000u
#define GAL_ANYFORMAT 0x10000000u
#define GAL_HWPALETTE 0x20000000u

/* GAL_SetPalette targets. */
#define GAL_LOGPAL 0x01
#define GAL_PHYSPAL 0x02

struct GalSurface {
  uint32_t flags;
  GalPixelFormat* format;
  GalVideoDevice* video;
  /* Main-output geometry. */
  int32_t w, h, pitch;
  uint32_t lumaPitch;
  /* Auxiliary-output geometry. */
  int32_t auxW, auxH, auxPitch;
  uint32_t auxLumaPitch;
  uint8_t* pixels;
  uint8_t* auxPixels;
  uint32_t offset;
  uint32_t spare;
  GalRect clipRect;
  GalBlitMap* map;
  uint32_t formatVersion;
  int32_t refcount;
};

/* Device capability flags. */
#define GAL_CAP_BLIT_HW 0x200u
#define GAL_CAP_BLIT_HW_CC 0x400u
#define GAL_CAP_BLIT_HW_A 0x800u
#define GAL_CAP_BLIT_SW 0x1000u
#define GAL_CAP_BLIT_SW_CC 0x2000u
#define GAL_CAP_BLIT_SW_A 0x4000u
#define GAL_CAP_BLIT_FILL 0x8000u

/* List-modes answer meaning "every size". */
#define GAL_ANY_MODE ((GalRect**)(intptr_t)-1)

struct GalPrivateVideoData;

struct GalVideoDevice {
  const char* name;
  int (*VideoInit)(GalVideoDevice* device, GalPixelFormat* suggested);
  GalRect** (*ListModes)(GalVideoDevice* device, GalPixelFormat* format, uint32_t flags);
  GalSurface* (*SetVideoMode)(GalVideoDevice* device, GalSurface* current, int width, int height,
                              int bpp, uint32_t flags);
  void* unusedSlot1;
  void* unusedSlot2;
  int (*SetColors)(GalVideoDevice* device, int first, int count, GalColor* colors);
  void (*UpdateRects)(GalVideoDevice* device, int count, GalRect* rects);
  void (*VideoQuit)(GalVideoDevice* device);
  uint32_t capabilities;
  uint32_t spare;
  GalPixelFormat* displayFormat;
  int (*AllocHWSurface)(GalVideoDevice* device, GalSurface* surface);
  int (*CheckHWBlit)(GalVideoDevice* device, GalSurface* src, GalSurface* dst);
  int (*FillHWRect)(GalVideoDevice* device, GalSurface* dst, GalRect* rect, uint32_t color);
  int (*SetHWColorKey)(GalVideoDevice* device, GalSurface* surface, uint32_t key);
  int (*SetHWAlpha)(GalVideoDevice* device, GalSurface* surface, uint8_t value);
  void (*FreeHWSurface)(GalVideoDevice* device, GalSurface* surface);
  GalSurface* screen;
  GalPalette* physpal;
  int32_t offsetX, offsetY;
  int32_t acceptAnySize;
  struct GalPrivateVideoData* hidden;
  void (*FreeDevice)(GalVideoDevice* device);
  /* Update of rectangles drawn on one output (main or auxiliary); when
   * empty, UpdateRects serves every output. */
  void (*UpdateOutputRects)(GalVideoDevice* device, int output, int count, GalRect* rects);
  /* For a device that opens its window in the background after VideoInit:
   * waits until it is open; 0, or negative when it could not be opened.
   * Empty for devices that are ready once VideoInit returns. */
  int (*VideoReady)(GalVideoDevice* device);
};

typedef struct GalBootstrap {
  const char* name;
  const char* desc;
  int (*available)(void);
  GalVideoDevice* (*create)(int index);
} GalBootstrap;

/* The bitmap box GAL_GetBox fills (gui/bitmap.h). */
struct Bitmap;

/* Pixel formats and palettes. */
GalPixelFormat* GAL_AllocFormat(int bpp, uint32_t rMask, uint32_t gMask, uint32_t bMask,
                                uint32_t aMask);
void GAL_FreeFormat(GalPixelFormat* format);
uint16_t GAL_CalculatePitch(GalSurface* surface);
void MakeRGB332Palette(GalColor* colors, int bpp);
uint8_t GAL_FindColor(GalPalette* palette, uint8_t r, uint8_t g, uint8_t b);
GalPixel GAL_MapRGB(const GalPixelFormat* format, uint8_t r, uint8_t g, uint8_t b);
GalPixel GAL_MapRGBA(const GalPixelFormat* format, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
void GAL_GetRGBA(GalPixel pixel, const GalPixelFormat* format, uint8_t* r, uint8_t* g, uint8_t* b,
                 uint8_t* a);
void GAL_GetRGB(GalPixel pixel, const GalPixelFormat* format, uint8_t* r, uint8_t* g, uint8_t* b);
void RGBToYUV(uint8_t r, uint8_t g, uint8_t b, uint8_t* y, uint8_t* u, uint8_t* v);
void PixelToYUV(GalPixel pixel, const GalPixelFormat* format, uint8_t* y, uint8_t* u, uint8_t* v);
uint32_t ReadPixelValue(const uint8_t* address, int bytesPerPixel);
int GAL_SetPalette(GalSurface* surface, int which, GalColor* colors, int first, int count);
int GAL_SetColors(GalSurface* surface, GalColor* colors, int first, int count);

/* Video device and modes. */
extern GalPixel SysPixelIndex[17];
/* Entries of SysPixelIndex the controls draw with. */
#define SYSPIXEL_KEY 0 /* the transparent key */
#define SYSPIXEL_DARKBLUE 1
#define SYSPIXEL_DARKGREEN 2
#define SYSPIXEL_DARKCYAN 3
#define SYSPIXEL_DARKRED 4
#define SYSPIXEL_DARKMAGENTA 5
#define SYSPIXEL_DARKYELLOW 6
#define SYSPIXEL_GREY 7 /* RGB(128, 128, 128) */
#define SYSPIXEL_LIGHTGREY 8
#define SYSPIXEL_BLUE 9
#define SYSPIXEL_GREEN 10
#define SYSPIXEL_CYAN 11
#define SYSPIXEL_RED 12
#define SYSPIXEL_MAGENTA 13
#define SYSPIXEL_YELLOW 14
#define SYSPIXEL_WHITE 15
#define SYSPIXEL_BLACK 16
int InitGAL(void);
int GAL_GetEngineName(char* buffer); /* buffer of at least 11 bytes */
int GAL_VideoInit(const char* engineName);
void GAL_VideoQuit(void);
GalVideoDevice* GAL_GetVideoDevice(void);
GalSurface* GAL_GetVideoSurface(void);
GalRect** GAL_ListVideoModes(GalPixelFormat* format, uint32_t flags);
int GAL_CheckVideoMode(int width, int height, int bpp, uint32_t flags);
int GAL_PickVideoMode(int width, int height, int* bpp, uint32_t flags);
GalSurface* GAL_SetVideoMode(int width, int height, int bpp, uint32_t flags);
void GAL_UpdateRects(GalSurface* screen, int count, GalRect* rects);
void GAL_UpdateRect(GalSurface* screen, int32_t x, int32_t y, int32_t w, int32_t h);
GalSurface* OpenSlaveVideo(const char* engineName, const char* modeText);
void CloseSlaveVideo(GalVideoDevice* device);

/* Surfaces. */
GalSurface* GAL_CreateRGBSurface(uint32_t flags, int width, int height, int bpp, uint32_t rMask,
                                 uint32_t gMask, uint32_t bMask, uint32_t aMask);
GalSurface* GAL_CreateRGBSurfaceFrom(void* pixels, int width, int height, int bpp, int pitch,
                                     uint32_t rMask, uint32_t gMask, uint32_t bMask,
                                     uint32_t aMask);
void GAL_FreeSurface(GalSurface* surface);
int GAL_SetColorKey(GalSurface* surface, uint32_t flags, uint32_t key);
int GAL_SetAlpha(GalSurface* surface, uint32_t flags, uint8_t alpha);
int GAL_SetClipRect(GalSurface* surface, const GalRect* rect);
int GAL_BlitSurface(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect);
int GAL_LowerBlit(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect);
int GAL_MapSurface(GalSurface* src, GalSurface* dst);
void GAL_InvalidateMap(GalBlitMap* map);
int GAL_FillRect(GalSurface* dst, const GalRect* rect, GalPixel color, int output);
/* Bytes of a width x height box in the surface's format (pitch out); -1 and
 * pitch 0 when the pitch or the size would not fit in an int. */
int GAL_GetBoxSize(GalSurface* surface, uint32_t width, uint32_t height, uint32_t* pitch);
int GAL_GetBox(GalSurface* surface, const GalRect* rect, struct Bitmap* box);
GalSurface* GAL_ConvertSurface(GalSurface* surface, GalPixelFormat* format, uint32_t flags);

/* Puts a bitmap box at rect (none: the surface's origin), clipped to the
 * surface's clip rectangle, into the geometry of `output`: packed pixels,
 * colour key, constant or per-pixel alpha, or the box's YUV copy in the YUV
 * output modes. 0, or -1 when an alpha box meets a 1-byte surface. */
int GAL_PutBox(GalSurface* surface, const GalRect* rect, const struct Bitmap* box, int output);

/* Run-length form: encode (0 or -1), take off (rebuilding the pixels when
 * keepContents is set), and the colour-keyed and per-pixel-alpha blits. */
int GAL_RLESurface(GalSurface* surface);
void GAL_UnRLESurface(GalSurface* surface, int keepContents);
int GAL_RLEBlit(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect);
int GAL_RLEAlphaBlit(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect);

/* Blit selection and the plain copy loops. */
int GAL_CalculateBlit(GalSurface* surface);
int GAL_SoftBlit(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect);
void GAL_BlitCopy(GalBlitInfo* info);
void GAL_BlitCopyOverlap(GalBlitInfo* info);
/* The row loop for a source and blit index (bit 0 colour key, bit 1 alpha),
 * or null when the pair has none. */
GalRowBlit GAL_ChooseBlit1Bit(GalSurface* surface, int index);
GalRowBlit GAL_ChooseBlit8Bit(GalSurface* surface, int index);
GalRowBlit GAL_ChooseBlitNByte(GalSurface* surface, int index);
GalRowBlit GAL_ChooseAlphaBlit(GalSurface* surface, int index);

GUI_EXTERN_C_END

#endif
