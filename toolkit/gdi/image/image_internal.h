// What the image decoders, the file-type table and the bitmap module share.
#ifndef GDI_IMAGE_IMAGE_INTERNAL_H
#define GDI_IMAGE_IMAGE_INTERNAL_H

#include <cstdint>

#include "gui/image.h"

namespace gui::image {

// Largest width or height a decoder accepts, and largest frame in bytes:
// hostile headers must not make the loaders allocate gigabytes or wrap the
// 32-bit size fields.
constexpr uint32_t kMaxImageSide = 16384;
constexpr uint64_t kMaxImageBytes = 1u << 28;

// Fills the image's width, height, depth, pitch (aligned to 4) and size;
// false when the sizes are zero or beyond the limits above.
bool DescribeImage(MyBitmap* image, uint32_t width, uint32_t height, int depth);

// In scan-line mode the decoders decode every row into the one-row buffer.
inline bool OneRowMode(const MyBitmap* image) { return image->flags & MYBMP_LOAD_ONE_ROW; }
inline uint8_t* RowOf(MyBitmap* image, uint32_t row) {
  return OneRowMode(image) ? image->bits : image->bits + static_cast<uint64_t>(row) * image->pitch;
}

// The built-in decoders: init, load, cleanup, save and check of each row.
void* BmpInit(GUI_RWops* source, MyBitmap* image, GalColor* palette);
int BmpLoad(GUI_RWops* source, void* state, MyBitmap* image, GuiImageLineCallback cb, void* ctx);
void BmpCleanup(void* state);
int BmpSave(GUI_RWops* destination, MyBitmap* image, GalColor* palette);
BOOL BmpCheck(GUI_RWops* source);

void* GifInit(GUI_RWops* source, MyBitmap* image, GalColor* palette);
int GifLoad(GUI_RWops* source, void* state, MyBitmap* image, GuiImageLineCallback cb, void* ctx);
void GifCleanup(void* state);
BOOL GifCheck(GUI_RWops* source);

void* JpegInit(GUI_RWops* source, MyBitmap* image, GalColor* palette);
int JpegLoad(GUI_RWops* source, void* state, MyBitmap* image, GuiImageLineCallback cb, void* ctx);
void JpegCleanup(void* state);
BOOL JpegCheck(GUI_RWops* source);

void* PngInit(GUI_RWops* source, MyBitmap* image, GalColor* palette);
int PngLoad(GUI_RWops* source, void* state, MyBitmap* image, GuiImageLineCallback cb, void* ctx);
void PngCleanup(void* state);
BOOL PngCheck(GUI_RWops* source);

// The type after the last dot of a file name, or null.
const char* ExtensionOf(const char* fileName);

}  // namespace gui::image

#endif
