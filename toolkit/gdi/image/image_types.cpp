// The bitmap file-type table and the device-independent loading API on it.
#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "gdi/image/image_internal.h"
#include "gui/dc.h"

using namespace gui::image;

namespace {

BitmapTypeInfo g_types[BITMAP_TYPE_ROWS] = {
    {"bmp", BmpInit, BmpLoad, BmpCleanup, BmpSave, BmpCheck},
    {"gif", GifInit, GifLoad, GifCleanup, nullptr, GifCheck},
    {"jpg", JpegInit, JpegLoad, JpegCleanup, nullptr, JpegCheck},
    {"jpeg", JpegInit, JpegLoad, JpegCleanup, nullptr, JpegCheck},
    {"png", PngInit, PngLoad, PngCleanup, nullptr, PngCheck},
};
// Registration may run while another thread loads an image.
std::mutex g_typesLock;

// A copy of the row, so that a registration running meanwhile cannot
// change the operations under a load.
bool FindType(const char* ext, BitmapTypeInfo* found) {
  if (!ext) return false;
  std::lock_guard<std::mutex> hold(g_typesLock);
  for (const BitmapTypeInfo& row : g_types)
    if (row.ext[0] && strcasecmp(row.ext, ext) == 0) {
      *found = row;
      return true;
    }
  return false;
}

// What every load starts with: a one-frame image of the screen's depth and,
// on palette screens, the screen's palette.
void PresetImage(MyBitmap* image, GalColor* palette, uint32_t flags) {
  image->flags = flags;
  image->frames = 1;
  image->bits = nullptr;
  uint32_t depth = GetGDCapability(HDC_SCREEN, GDCAP_DEPTH);
  if (depth == 0 || depth > 32) depth = 32;
  image->depth = static_cast<uint8_t>(depth);
  if (depth <= 8 && palette) GetPalette(HDC_SCREEN, 0, 256, palette);
}

struct ScanLineHandle {
  BitmapTypeInfo type;
  void* state;
};

}  // namespace

namespace gui::image {

bool DescribeImage(MyBitmap* image, uint32_t width, uint32_t height, int depth) {
  if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
  uint32_t pitch = 0;
  CalcMyBitmapPitch(depth, width, &pitch, TRUE);
  if (static_cast<uint64_t>(pitch) * height > kMaxImageBytes) return false;
  image->w = width;
  image->h = height;
  image->depth = static_cast<uint8_t>(depth);
  image->pitch = pitch;
  image->size = pitch * height;
  return true;
}

const char* ExtensionOf(const char* fileName) {
  const char* dot = fileName ? std::strrchr(fileName, '.') : nullptr;
  return dot ? dot + 1 : nullptr;
}

}  // namespace gui::image

extern "C" {

BOOL RegisterBitmapFileType(const char* ext, GuiImageInit init, GuiImageLoad load,
                            GuiImageCleanup cleanup, GuiImageSave save, GuiImageCheck check) {
  if (!ext) return FALSE;
  std::lock_guard<std::mutex> hold(g_typesLock);
  for (BitmapTypeInfo& row : g_types) {
    if (row.ext[0] && strcasecmp(row.ext, ext) != 0) continue;
    std::strncpy(row.ext, ext, BITMAP_EXT_LEN - 1);
    row.ext[BITMAP_EXT_LEN - 1] = '\0';
    row.init = init;
    row.load = load;
    row.cleanup = cleanup;
    row.save = save;
    row.check = check;
    return TRUE;
  }
  return FALSE;
}

const char* CheckBitmapType(GUI_RWops* source) {
  if (!source) return nullptr;
  const int start = GUI_RWtell(source);
  BitmapTypeInfo rows[BITMAP_TYPE_ROWS];
  {
    std::lock_guard<std::mutex> hold(g_typesLock);
    std::memcpy(rows, g_types, sizeof rows);
  }
  for (int i = 0; i < BITMAP_TYPE_ROWS; ++i) {
    const BitmapTypeInfo& row = rows[i];
    if (!row.ext[0] || !row.check) continue;
    const BOOL match = row.check(source);
    GUI_RWseek(source, start, GUI_RW_SEEK_SET);
    if (match) return g_types[i].ext;
  }
  return nullptr;
}

int CalcMyBitmapPitch(int depth, uint32_t width, uint32_t* pitch, BOOL align) {
  uint32_t bytes;
  int bpp;
  if (depth == 1) {
    bytes = (width + 7) / 8, bpp = 1;
  } else if (depth <= 4) {
    bytes = (width * 4 + 7) / 8, bpp = 1;
  } else if (depth <= 8) {
    bytes = width, bpp = 1;
  } else if (depth <= 16) {
    bytes = width * 2, bpp = 2;
  } else if (depth <= 24) {
    bytes = width * 3, bpp = 3;
  } else {
    bytes = width * 4, bpp = 4;
  }
  if (align) bytes = (bytes + 3) & ~3u;
  if (pitch) *pitch = bytes;
  return bpp;
}

int LoadMyBitmapEx(MyBitmap* image, GalColor* palette, GUI_RWops* source, const char* ext) {
  BitmapTypeInfo row;
  if (!FindType(ext, &row)) return ERR_BMP_UNKNOWN_TYPE;
  const BitmapTypeInfo* type = &row;
  PresetImage(image, palette, 0);
  void* state = type->init(source, image, palette);
  if (!state) return ERR_BMP_CANT_INIT;
  image->bits = static_cast<uint8_t*>(std::calloc(image->h, image->pitch));
  if (!image->bits) {
    type->cleanup(state);
    return ERR_BMP_MEM;
  }
  const int result = type->load(source, state, image, nullptr, nullptr);
  type->cleanup(state);
  return result;
}

int LoadMyBitmapFromFile(MyBitmap* image, GalColor* palette, const char* fileName) {
  const char* ext = ExtensionOf(fileName);
  if (!ext) return ERR_BMP_UNKNOWN_TYPE;
  GUI_RWops* source = GUI_RWFromFile(fileName, "rb");
  if (!source) return ERR_BMP_FILEIO;
  const int result = LoadMyBitmapEx(image, palette, source, ext);
  GUI_RWclose(source);
  return result;
}

int LoadMyBitmapFromMem(MyBitmap* image, GalColor* palette, const void* mem, int size,
                        const char* ext) {
  GUI_RWops* source = GUI_RWFromMem(const_cast<void*>(mem), size);
  if (!source) return ERR_BMP_MEM;
  const int result = LoadMyBitmapEx(image, palette, source, ext);
  GUI_RWclose(source);
  return result;
}

void UnloadMyBitmap(MyBitmap* image) {
  if (!image) return;
  std::free(image->bits);
  image->bits = nullptr;
}

void* InitMyBitmapSL(GUI_RWops* source, const char* ext, MyBitmap* image, GalColor* palette) {
  BitmapTypeInfo row;
  if (!FindType(ext, &row)) return nullptr;
  const BitmapTypeInfo* type = &row;
  auto* handle = static_cast<ScanLineHandle*>(std::calloc(1, sizeof(ScanLineHandle)));
  if (!handle) return nullptr;
  PresetImage(image, palette, MYBMP_LOAD_ONE_ROW);
  handle->type = row;
  handle->state = type->init(source, image, palette);
  if (!handle->state) {
    std::free(handle);
    return nullptr;
  }
  // Zeroed so that a row the decoder cannot fill never shows stale memory.
  image->bits = static_cast<uint8_t*>(std::calloc(1, image->pitch));
  if (!image->bits) {
    type->cleanup(handle->state);
    std::free(handle);
    return nullptr;
  }
  return handle;
}

int LoadMyBitmapSL(GUI_RWops* source, void* handle, MyBitmap* image,
                   GuiImageLineCallback lineCallback, void* context) {
  auto* h = static_cast<ScanLineHandle*>(handle);
  if (!h) return ERR_BMP_SL_START;
  return h->type.load(source, h->state, image, lineCallback, context);
}

int CleanupMyBitmapSL(MyBitmap* image, void* handle) {
  auto* h = static_cast<ScanLineHandle*>(handle);
  if (!h) return ERR_BMP_SL_START;
  std::free(image->bits);
  image->bits = nullptr;
  h->type.cleanup(h->state);
  std::free(h);
  return 0;
}

int SaveMyBitmapToFile(MyBitmap* image, GalColor* palette, const char* fileName) {
  BitmapTypeInfo row;
  if (!FindType(ExtensionOf(fileName), &row)) return ERR_BMP_UNKNOWN_TYPE;
  const BitmapTypeInfo* type = &row;
  if (!type->save) return ERR_BMP_CANT_SAVE;
  GUI_RWops* destination = GUI_RWFromFile(fileName, "wb+");
  if (!destination) return ERR_BMP_FILEIO;
  const int result = type->save(destination, image, palette);
  GUI_RWclose(destination);
  return result;
}

}  // extern "C"
