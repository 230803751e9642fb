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

GUI_EXTERN_C_END

#endif
