// PNG files through libpng 1.6: every colour type and bit depth becomes
// 8-bit r, g, b or r, g, b, alpha rows; library errors come back as failed
// calls instead of ending the process.
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <new>

#include <png.h>

#include "gdi/image/image_internal.h"

namespace gui::image {
namespace {

constexpr double kScreenGamma = 2.2;
constexpr double kDefaultFileGamma = 0.45455;

struct PngState {
  png_structp png = nullptr;
  png_infop info = nullptr;
  int passes = 1;
};

void ReadData(png_structp png, png_bytep data, png_size_t length) {
  auto* source = static_cast<GUI_RWops*>(png_get_io_ptr(png));
  if (length > 0x7FFFFFFF || GUI_RWread(source, data, 1, static_cast<int>(length)) !=
                                 static_cast<int>(length))
    png_error(png, "Read Error");
}

// Errors jump back to the caller's set-jump point without printing.
void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

void ChooseTransforms(png_structp png, png_infop info, bool* alpha) {
  png_uint_32 w, h;
  int depth, color, interlace;
  png_get_IHDR(png, info, &w, &h, &depth, &color, &interlace, nullptr, nullptr);
  if (depth == 16) png_set_strip_16(png);
  if (depth < 8) png_set_packing(png);
  if (color == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  // Grey with alpha is widened too: the row converters take 3 or 4 bytes.
  if (color == PNG_COLOR_TYPE_GRAY || color == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (color == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  *alpha = (color & PNG_COLOR_MASK_ALPHA) != 0;
  if (png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
    *alpha = true;
  }
  double gamma = kDefaultFileGamma;
  if (!png_get_valid(png, info, PNG_INFO_sRGB)) png_get_gAMA(png, info, &gamma);
  if (gamma <= 0) gamma = kDefaultFileGamma;
  png_set_gamma(png, kScreenGamma, gamma);
}

bool ReadHeader(PngState* s, GUI_RWops* source, MyBitmap* image) {
  if (setjmp(png_jmpbuf(s->png))) return false;
  png_set_read_fn(s->png, source, ReadData);
  png_set_sig_bytes(s->png, 8);
  // Hostile sizes fail here before any row buffer is sized from them.
  png_set_user_limits(s->png, kMaxImageSide, kMaxImageSide);
  png_read_info(s->png, s->info);
  bool alpha = false;
  ChooseTransforms(s->png, s->info, &alpha);
  s->passes = png_set_interlace_handling(s->png);
  png_read_update_info(s->png, s->info);
  const int bits = png_get_channels(s->png, s->info) * png_get_bit_depth(s->png, s->info);
  if (bits != 24 && bits != 32) return false;
  if (!DescribeImage(image, png_get_image_width(s->png, s->info),
                     png_get_image_height(s->png, s->info), bits))
    return false;
  if (png_get_rowbytes(s->png, s->info) > image->pitch) return false;
  image->frames = 1;
  image->flags |= alpha ? MYBMP_TYPE_RGBA | MYBMP_ALPHACHANNEL | MYBMP_FLOW_DOWN
                        : MYBMP_TYPE_RGB | MYBMP_FLOW_DOWN;
  image->flags |= bits == 24 ? MYBMP_RGBSIZE_3 : MYBMP_RGBSIZE_4;
  return true;
}

int ReadPlain(PngState* s, MyBitmap* image, GuiImageLineCallback cb, void* ctx) {
  if (setjmp(png_jmpbuf(s->png))) return ERR_BMP_OTHER;
  for (uint32_t n = 0; n < image->h; ++n) {
    png_read_row(s->png, RowOf(image, n), nullptr);
    if (cb) cb(ctx, image, static_cast<int>(n));
  }
  png_read_end(s->png, nullptr);
  return 0;
}

int ReadPasses(PngState* s, uint8_t* buffer, uint32_t pitch, uint32_t height) {
  if (setjmp(png_jmpbuf(s->png))) return ERR_BMP_OTHER;
  for (int pass = 0; pass < s->passes; ++pass)
    for (uint32_t n = 0; n < height; ++n) png_read_row(s->png, buffer + size_t{pitch} * n, nullptr);
  png_read_end(s->png, nullptr);
  return 0;
}

int ReadInterlaced(PngState* s, MyBitmap* image, GuiImageLineCallback cb, void* ctx) {
  auto* buffer = static_cast<uint8_t*>(std::calloc(image->h, image->pitch));
  if (!buffer) return ERR_BMP_OTHER;
  const int result = ReadPasses(s, buffer, image->pitch, image->h);
  if (result == 0) {
    if (cb) {
      uint8_t* own = image->bits;
      for (uint32_t n = 0; n < image->h; ++n) {
        image->bits = buffer + size_t{image->pitch} * n;
        cb(ctx, image, static_cast<int>(n));
      }
      image->bits = own;
    } else {
      std::memcpy(image->bits, buffer, size_t{image->pitch} * image->h);
    }
  }
  std::free(buffer);
  return result;
}

}  // namespace

BOOL PngCheck(GUI_RWops* source) {
  png_byte sig[8];
  if (GUI_RWread(source, sig, 1, 8) != 8) return FALSE;
  return png_sig_cmp(sig, 0, 8) == 0;
}

void* PngInit(GUI_RWops* source, MyBitmap* image, GalColor*) {
  if (!PngCheck(source)) return nullptr;
  auto* s = new (std::nothrow) PngState{};
  if (!s) return nullptr;
  s->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (s->png) s->info = png_create_info_struct(s->png);
  if (!s->info || !ReadHeader(s, source, image)) {
    PngCleanup(s);
    return nullptr;
  }
  return s;
}

int PngLoad(GUI_RWops*, void* state, MyBitmap* image, GuiImageLineCallback cb, void* ctx) {
  auto* s = static_cast<PngState*>(state);
  return s->passes > 1 ? ReadInterlaced(s, image, cb, ctx) : ReadPlain(s, image, cb, ctx);
}

void PngCleanup(void* state) {
  auto* s = static_cast<PngState*>(state);
  if (s->png) png_destroy_read_struct(&s->png, s->info ? &s->info : nullptr, nullptr);
  delete s;
}

}  // namespace gui::image
