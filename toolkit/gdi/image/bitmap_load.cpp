// Device-dependent bitmaps made from images: preparation for a DC's format,
// expansion, loading from files and memory, zooming and unloading.
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>

#include "gdi/dc_record.h"
#include "gdi/image/bitmap_internal.h"
#include "gdi/image/image_internal.h"
#include "gui/display.h"

namespace gui::image {
namespace {

uint32_t g_placeholder = 0;

constexpr int kYuvModes = 16;

bool YuvMode() { return GetDeviceColorDepth() >= kYuvModes; }

size_t YuvBytes(uint32_t w, uint32_t h) {
  return size_t{w} * h + size_t{w / 2} * (h / 2) * 2;
}

// A key colour that no other palette entry maps to, so that only the
// transparent index disappears.
GalColor UniqueKeyColor(const GalPixelFormat* f, const GalColor* palette, int entries, int key) {
  GalPixel mapped[256];
  for (int i = 0; i < entries; ++i) mapped[i] = GAL_MapRGB(f, palette[i].r, palette[i].g, palette[i].b);
  auto clashes = [&](GalPixel p, int except) {
    for (int i = 0; i < entries; ++i)
      if (i != except && mapped[i] == p) return true;
    return false;
  };
  if (!clashes(mapped[key], key)) return palette[key];
  std::minstd_rand random(static_cast<unsigned>(std::time(nullptr)));
  for (int attempt = 0; attempt < 256; ++attempt) {
    GalColor c{static_cast<uint8_t>(random() & 0xFF), static_cast<uint8_t>(random() & 0xFF),
               static_cast<uint8_t>(random() & 0xFF), 0};
    if (!clashes(GAL_MapRGB(f, c.r, c.g, c.b), -1)) return c;
  }
  return palette[key];
}

// The format of per-pixel-alpha pixels stored at the DC's own depth: the
// bits hold bytes-per-pixel of the DC, so a 32-bit format would be read past
// them on 16- and 24-bit DCs.
GalPixelFormat* AlphaFormatFor(const GalPixelFormat* f) {
  const int bits = f->bitsPerPixel;
  if (f->aMask) return GAL_AllocFormat(bits, f->rMask, f->gMask, f->bMask, f->aMask);
  switch (bits) {
    case 16: return GAL_AllocFormat(bits, 0xF000, 0x0F00, 0x00F0, 0x000F);
    case 24: return GAL_AllocFormat(bits, 0xFC0000, 0x3F000, 0xFC0, 0x3F);
    case 32: return GAL_AllocFormat(bits, 0xFF000000u, 0xFF0000, 0xFF00, 0xFF);
    default: return nullptr;
  }
}

void SetKeyColor(const GalPixelFormat* f, Bitmap* bitmap, const MyBitmap& image, GalColor* palette) {
  bitmap->bmType |= BMP_TYPE_COLORKEY;
  GalColor key;
  const uint32_t t = image.transparent;
  if (!palette || image.depth > 8) {
    const bool bgr = (image.flags & MYBMP_TYPE_MASK) == MYBMP_TYPE_BGR;
    const uint8_t b0 = t & 0xFF, b1 = (t >> 8) & 0xFF, b2 = (t >> 16) & 0xFF;
    key = bgr ? GalColor{b2, b1, b0, 0} : GalColor{b0, b1, b2, 0};
  } else {
    const int entries = 1 << image.depth;
    const int index = static_cast<int>(t & 0xFF) % entries;
    key = image.depth >= 2 ? UniqueKeyColor(f, palette, entries, index) : palette[index];
    palette[index] = key;
  }
  bitmap->bmColorKey = GAL_MapRGB(f, key.r, key.g, key.b);
}

}  // namespace

uint8_t* YuvPlaceholder() { return reinterpret_cast<uint8_t*>(&g_placeholder); }

GalSurface* SurfaceOfDC(HDC hdc) {
  DC* dc = gui::dc::DcFromHandle(hdc);
  return dc && dc->surface && dc->surface->format ? dc->surface : nullptr;
}

int PrepareBitmapFromMyBitmap(HDC hdc, Bitmap* bitmap, const MyBitmap& image, GalColor* palette,
                              uint32_t width, uint32_t height, bool oneRow) {
  GalSurface* surface = SurfaceOfDC(hdc);
  if (!surface) return ERR_BMP_OTHER;
  const GalPixelFormat* f = surface->format;
  *bitmap = Bitmap{};
  bitmap->bmBitsPerPixel = f->bitsPerPixel;
  bitmap->bmBytesPerPixel = f->bytesPerPixel;
  uint32_t pitch = 0;
  const int bytes = GAL_GetBoxSize(surface, width, oneRow ? 1 : height, &pitch);
  if (bytes < 0) return ERR_BMP_MEM;
  // Zeroed: rows a broken file does not reach show black, not old memory.
  bitmap->bmBits = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(bytes > 0 ? bytes : 1)));
  if (!bitmap->bmBits) return ERR_BMP_MEM;
  bitmap->bmPitch = pitch;
  bitmap->bmWidth = width;
  bitmap->bmHeight = height;
  if (image.flags & MYBMP_TRANSPARENT) SetKeyColor(f, bitmap, image, palette);
  if (image.flags & MYBMP_ALPHA) {
    bitmap->bmType |= BMP_TYPE_ALPHACHANNEL;
    bitmap->bmAlpha = image.alpha;
  }
  if ((image.flags & MYBMP_ALPHACHANNEL) && image.depth == 32) {
    if (f->bitsPerPixel <= 8) {
      bitmap->bmAlphaPixelFormat = const_cast<GalPixelFormat*>(f);
    } else {
      bitmap->bmAlphaPixelFormat = AlphaFormatFor(f);
      if (!bitmap->bmAlphaPixelFormat) {
        std::free(bitmap->bmBits);
        bitmap->bmBits = nullptr;
        return ERR_BMP_MEM;
      }
      bitmap->bmType |= BMP_TYPE_ALPHA | BMP_TYPE_PRIV_PIXEL;
    }
  }
  return 0;
}

bool ConvertRows(HDC hdc, Bitmap* bitmap, uint32_t firstRow, const MyBitmap& image,
                 const RowSource& from, const GalColor* palette) {
  GalSurface* surface = SurfaceOfDC(hdc);
  if (!surface || firstRow + from.rows > bitmap->bmHeight) return false;
  const RowTarget to{bitmap->bmBits + size_t{firstRow} * bitmap->bmPitch, bitmap->bmPitch,
                     surface->format};
  const GalPixelFormat* alpha = (bitmap->bmType & BMP_TYPE_ALPHA) ? bitmap->bmAlphaPixelFormat : nullptr;
  return ConvertImageRows(to, image, from, palette, alpha);
}

int FinishLoadedBitmap(Bitmap* bitmap, bool keepBits) {
  if (!YuvMode()) {
    bitmap->bmYPlane = bitmap->bmUPlane = bitmap->bmVPlane = YuvPlaceholder();
    return 0;
  }
  bitmap->bmYPlane =
      static_cast<uint8_t*>(std::malloc(YuvBytes(bitmap->bmWidth, bitmap->bmHeight)));
  if (!bitmap->bmYPlane) return ERR_BMP_MEM;
  LoadGetYUVFromBitmap(bitmap);
  if (!keepBits) {
    std::free(bitmap->bmBits);
    bitmap->bmBits = YuvPlaceholder();
  }
  return 0;
}

}  // namespace gui::image

using namespace gui::image;

namespace {

bool SupportedDepth(int depth) {
  return depth == 1 || depth == 4 || depth == 8 || depth == 24 || depth == 32;
}

struct LoadContext {
  HDC hdc;
  Bitmap* bitmap;
  const GalColor* palette;
};

void ConvertDecodedRow(void* context, MyBitmap* image, int row) {
  auto* c = static_cast<LoadContext*>(context);
  if (row < 0 || static_cast<uint32_t>(row) >= c->bitmap->bmHeight) return;
  const RowSource from{image->bits, image->pitch, image->w, 1, false};
  ConvertRows(c->hdc, c->bitmap, static_cast<uint32_t>(row), *image, from, c->palette);
}

void FreeBitmap(Bitmap* bitmap) {
  DeleteBitmapAlphaPixel(bitmap);
  if (OwnsBuffer(bitmap->bmBits)) std::free(bitmap->bmBits);
  if (OwnsBuffer(bitmap->bmYPlane)) std::free(bitmap->bmYPlane);
  *bitmap = Bitmap{};
}

int LoadFromSource(HDC hdc, Bitmap* bitmap, GUI_RWops* source, const char* ext, bool keepBits) {
  int result = LoadBitmapEx(hdc, bitmap, source, ext);
  if (result == 0) {
    result = FinishLoadedBitmap(bitmap, keepBits);
    if (result != 0) FreeBitmap(bitmap);
  }
  return result;
}

}  // namespace

extern "C" {

BOOL InitBitmap(HDC hdc, uint32_t width, uint32_t height, uint32_t pitch, uint8_t* bits,
                Bitmap* bitmap) {
  GalSurface* surface = SurfaceOfDC(hdc);
  if (!surface || !bitmap || width == 0 || height == 0) return FALSE;
  const GalPixelFormat* f = surface->format;
  Bitmap b{};
  b.bmBitsPerPixel = f->bitsPerPixel;
  b.bmBytesPerPixel = f->bytesPerPixel;
  b.bmWidth = width;
  b.bmHeight = height;
  if (bits) {
    const uint32_t least = f->bytesPerPixel * width;
    if (pitch == 0) pitch = least;
    if (pitch < least) return FALSE;
    b.bmPitch = pitch;
    b.bmBits = bits;
  } else {
    uint32_t boxPitch = 0;
    const int bytes = GAL_GetBoxSize(surface, width, height, &boxPitch);
    if (bytes < 0) return FALSE;
    b.bmBits = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(bytes)));
    if (!b.bmBits) return FALSE;
    b.bmPitch = boxPitch;
    if (GetDeviceColorDepth() >= 16) {
      b.bmYPlane = static_cast<uint8_t*>(std::malloc(size_t{width} * height +
                                                     size_t{width / 2} * (height / 2) * 2));
      if (!b.bmYPlane) {
        std::free(b.bmBits);
        return FALSE;
      }
    }
  }
  *bitmap = b;
  return TRUE;
}

BOOL InitBitmapPixelFormat(HDC hdc, Bitmap* bitmap) {
  GalSurface* surface = SurfaceOfDC(hdc);
  if (!surface || !bitmap) return FALSE;
  const GalPixelFormat* f = surface->format;
  bitmap->bmBitsPerPixel = f->bitsPerPixel;
  bitmap->bmBytesPerPixel = f->bytesPerPixel;
  if (!(bitmap->bmType & BMP_TYPE_ALPHA)) return TRUE;
  if (f->aMask || f->bitsPerPixel <= 8) {
    bitmap->bmAlphaPixelFormat = const_cast<GalPixelFormat*>(f);
    return TRUE;
  }
  GalPixelFormat* own = AlphaFormatFor(f);
  if (!own) return FALSE;
  bitmap->bmAlphaPixelFormat = own;
  bitmap->bmType |= BMP_TYPE_PRIV_PIXEL;
  return TRUE;
}

void DeleteBitmapAlphaPixel(Bitmap* bitmap) {
  if (!bitmap || !(bitmap->bmType & BMP_TYPE_PRIV_PIXEL)) return;
  GAL_FreeFormat(bitmap->bmAlphaPixelFormat);
  bitmap->bmAlphaPixelFormat = nullptr;
  bitmap->bmType &= ~BMP_TYPE_PRIV_PIXEL;
}

int ExpandMyBitmap(HDC hdc, Bitmap* bitmap, const MyBitmap* image, const GalColor* palette,
                   int frame) {
  auto* copy = static_cast<GalColor*>(std::calloc(256, sizeof(GalColor)));
  if (!copy) return ERR_BMP_MEM;
  if (palette) std::memcpy(copy, palette, 256 * sizeof(GalColor));
  int result = PrepareBitmapFromMyBitmap(hdc, bitmap, *image, palette ? copy : nullptr, image->w,
                                         image->h, false);
  if (result == 0 && !SupportedDepth(image->depth)) {
    FreeBitmap(bitmap);
    result = ERR_BMP_NOT_SUPPORTED;
  }
  if (result == 0) {
    if (frame <= 0 || static_cast<uint32_t>(frame) >= image->frames) frame = 0;
    const RowSource from{image->bits + size_t{image->size} * static_cast<uint32_t>(frame),
                         image->pitch, image->w, image->h, (image->flags & MYBMP_FLOW_UP) != 0};
    ConvertRows(hdc, bitmap, 0, *image, from, palette ? copy : nullptr);
  }
  std::free(copy);
  return result;
}

int LoadBitmapEx(HDC hdc, Bitmap* bitmap, GUI_RWops* source, const char* ext) {
  MyBitmap image{};
  GalColor palette[256] = {};
  void* handle = InitMyBitmapSL(source, ext, &image, palette);
  if (!handle) return ERR_BMP_SL_START;
  int result = PrepareBitmapFromMyBitmap(hdc, bitmap, image, palette, image.w, image.h, false);
  if (result == 0 && !SupportedDepth(image.depth)) {
    FreeBitmap(bitmap);
    result = ERR_BMP_NOT_SUPPORTED;
  }
  if (result == 0) {
    LoadContext context{hdc, bitmap, palette};
    result = LoadMyBitmapSL(source, handle, &image, ConvertDecodedRow, &context);
    // A load that failed leaves nothing for the caller to free.
    if (result != 0) FreeBitmap(bitmap);
  }
  CleanupMyBitmapSL(&image, handle);
  return result;
}

int LoadBitmapFromFile(HDC hdc, Bitmap* bitmap, const char* fileName) {
  const char* ext = ExtensionOf(fileName);
  if (!ext) return ERR_BMP_UNKNOWN_TYPE;
  GUI_RWops* source = GUI_RWFromFile(fileName, "rb");
  if (!source) return ERR_BMP_FILEIO;
  const int result = LoadFromSource(hdc, bitmap, source, ext, false);
  GUI_RWclose(source);
  return result;
}

int LoadBitmapFromMem(HDC hdc, Bitmap* bitmap, const void* mem, int size, const char* ext) {
  GUI_RWops* source = GUI_RWFromMem(const_cast<void*>(mem), size);
  if (!source) return ERR_BMP_MEM;
  const int result = LoadFromSource(hdc, bitmap, source, ext, true);
  GUI_RWclose(source);
  return result;
}

int ZoomBitmapFromMem(HDC hdc, Bitmap* bitmap, const void* mem, int size, const char* ext,
                      uint32_t width, uint32_t height, BOOL allocate, uint32_t* imageWidth,
                      uint32_t* imageHeight) {
  if (width == 0 || height == 0) return ERR_BMP_ERROR_SIZE;
  GalSurface* surface = SurfaceOfDC(hdc);
  GUI_RWops* source = GUI_RWFromMem(const_cast<void*>(mem), size);
  if (!source) return ERR_BMP_MEM;
  Bitmap temp{};
  int result = surface ? LoadBitmapEx(hdc, &temp, source, ext) : ERR_BMP_OTHER;
  GUI_RWclose(source);
  if (result != 0) return result;
  if (imageWidth) *imageWidth = temp.bmWidth;
  if (imageHeight) *imageHeight = temp.bmHeight;
  uint32_t pitch = 0;
  const int bytes = GAL_GetBoxSize(surface, width, height, &pitch);
  if (bytes < 0) {
    FreeBitmap(&temp);
    return ERR_BMP_MEM;
  }
  uint8_t* bits = bitmap->bmBits;
  if (allocate) bits = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(bytes)));
  if (!bits) {
    FreeBitmap(&temp);
    return ERR_BMP_MEM;
  }
  *bitmap = temp;
  bitmap->bmWidth = width;
  bitmap->bmHeight = height;
  bitmap->bmPitch = pitch;
  bitmap->bmBits = bits;
  ScaleBitmap(bitmap, &temp);
  std::free(temp.bmBits);
  result = FinishLoadedBitmap(bitmap, !allocate);
  if (result != 0) {
    DeleteBitmapAlphaPixel(bitmap);
    if (allocate) std::free(bitmap->bmBits);
    bitmap->bmBits = nullptr;
  }
  return result;
}

// Frees what the bitmap owns, in every mode: in the YUV modes a bitmap may
// still own its bits besides the YUV copy.
int UnloadBitmap(Bitmap* bitmap) {
  if (!bitmap) return 0;
  DeleteBitmapAlphaPixel(bitmap);
  if (OwnsBuffer(bitmap->bmYPlane)) std::free(bitmap->bmYPlane);
  if (OwnsBuffer(bitmap->bmBits)) std::free(bitmap->bmBits);
  bitmap->bmBits = nullptr;
  bitmap->bmYPlane = nullptr;
  return 0;
}

}  // extern "C"
