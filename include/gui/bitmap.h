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

GUI_EXTERN_C_END

#endif
