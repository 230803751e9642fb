// Painting images straight into a DC as their rows are decoded, at their
// own size or stretched, without keeping a bitmap of the whole image.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gdi/bitmap/box_drawing.h"
#include "gdi/image/bitmap_internal.h"
#include "gdi/image/image_internal.h"

using namespace gui::image;

namespace {

// Destination rows of each image row when the heights differ: image row r
// goes to rows map[r] .. map[r + 1] - 1.
std::vector<uint32_t> RowMap(uint32_t imageHeight, uint32_t height) {
  std::vector<uint32_t> map(imageHeight + 1, 0);
  const uint32_t step = static_cast<uint32_t>((uint64_t{imageHeight} << 16) / height);
  uint32_t s = 0, d = 0, acc = 0;
  while (d < height) {
    if (s <= imageHeight) map[s] = d;
    ++d;
    while (d < height) {
      const uint32_t before = acc >> 16;
      acc += step;
      if ((acc >> 16) != before) break;
      if (s <= imageHeight) map[s] = d;
      ++d;
    }
    s = acc >> 16;
  }
  map[0] = 0;
  map[imageHeight] = height;
  uint32_t last = 0;
  for (uint32_t r = 0; r < imageHeight; ++r) {
    if (map[r] == 0)
      map[r] = last;
    else
      last = map[r];
  }
  return map;
}

struct Painter {
  HDC hdc = 0;
  DC* dc = nullptr;
  Bitmap* row = nullptr;  // one row of the destination width
  const GalColor* palette = nullptr;
  int x = 0, y = 0;
  uint32_t width = 0, height = 0;
  // Stretching aids; empty when the size is the image's own.
  Bitmap line{};
  std::vector<uint32_t> map;

  void Put(uint32_t destRow) {
    gui::dc::PutClippedBox(dc, x, y + static_cast<int>(destRow), static_cast<int>(width), 1, row);
  }

  void Convert(MyBitmap* image) {
    const RowSource from{image->bits, image->pitch, image->w, 1, false};
    if (!line.bmBits) {
      ConvertRows(hdc, row, 0, *image, from, palette);
      return;
    }
    ConvertRows(hdc, &line, 0, *image, from, palette);
    const int bpp = row->bmBytesPerPixel;
    const uint32_t step = static_cast<uint32_t>((uint64_t{image->w} << 16) / width);
    uint32_t acc = 0;
    for (uint32_t i = 0; i < width; ++i, acc += step) {
      uint32_t source = acc >> 16;
      if (source >= image->w) source = image->w - 1;
      std::memcpy(row->bmBits + size_t{i} * bpp, line.bmBits + size_t{source} * bpp, bpp);
    }
  }

  static void OnRow(void* context, MyBitmap* image, int r) {
    auto* p = static_cast<Painter*>(context);
    if (r < 0 || static_cast<uint32_t>(r) >= image->h) return;
    const uint32_t n = static_cast<uint32_t>(r);
    if (p->map.empty()) {
      p->Convert(image);
      p->Put(n);
      return;
    }
    if (n > 0 && p->map[n + 1] == p->map[n]) return;
    p->Convert(image);
    for (uint32_t d = p->map[n]; d < p->map[n + 1] && d < p->height; ++d) p->Put(d);
  }
};

// w, h below 1: the image's own size.
int Paint(HDC hdc, int x, int y, int w, int h, GUI_RWops* source, const char* ext) {
  MyBitmap image{};
  GalColor palette[256] = {};
  void* handle = InitMyBitmapSL(source, ext, &image, palette);
  if (!handle) return ERR_BMP_SL_START;
  const bool stretched = w > 0 && h > 0;
  const uint32_t width = stretched ? static_cast<uint32_t>(w) : image.w;
  const uint32_t height = stretched ? static_cast<uint32_t>(h) : image.h;
  Bitmap row{};
  int result = PrepareBitmapFromMyBitmap(hdc, &row, image, palette, width, height, true);
  Painter painter;
  painter.hdc = hdc;
  painter.row = &row;
  painter.palette = palette;
  painter.width = width;
  painter.height = height;
  if (result == 0 && width != image.w)
    result = PrepareBitmapFromMyBitmap(hdc, &painter.line, image, nullptr, image.w, 1, true);
  if (result == 0 && height != image.h) painter.map = RowMap(image.h, height);
  if (result == 0) {
    gui::dc::BoxDrawing drawing(hdc, &row, x, y, static_cast<int>(width), static_cast<int>(height));
    if (!drawing.drawing()) {
      result = ERR_BMP_OTHER;
    } else {
      row.bmHeight = 1;
      painter.dc = drawing.dc();
      painter.x = drawing.box().left;
      painter.y = drawing.box().top;
      LoadMyBitmapSL(source, handle, &image, Painter::OnRow, &painter);
    }
  }
  // Every path, the refused ones too, ends the loading and frees the rows.
  CleanupMyBitmapSL(&image, handle);
  UnloadBitmap(&painter.line);
  UnloadBitmap(&row);
  return result;
}

template <typename Run>
int OverFile(const char* fileName, Run run) {
  const char* ext = ExtensionOf(fileName);
  if (!ext) return ERR_BMP_UNKNOWN_TYPE;
  GUI_RWops* source = GUI_RWFromFile(fileName, "rb");
  if (!source) return ERR_BMP_FILEIO;
  const int result = run(source, ext);
  GUI_RWclose(source);
  return result;
}

template <typename Run>
int OverMem(const void* mem, int size, const char* ext, Run run) {
  GUI_RWops* source = GUI_RWFromMem(const_cast<void*>(mem), size);
  if (!source) return ERR_BMP_MEM;
  const int result = run(source, ext);
  GUI_RWclose(source);
  return result;
}

}  // namespace

extern "C" {

int PaintImageEx(HDC hdc, int x, int y, GUI_RWops* source, const char* ext) {
  return Paint(hdc, x, y, 0, 0, source, ext);
}

int PaintImageFromFile(HDC hdc, int x, int y, const char* fileName) {
  return OverFile(fileName, [&](GUI_RWops* s, const char* e) { return Paint(hdc, x, y, 0, 0, s, e); });
}

int PaintImageFromMem(HDC hdc, int x, int y, const void* mem, int size, const char* ext) {
  return OverMem(mem, size, ext, [&](GUI_RWops* s, const char* e) { return Paint(hdc, x, y, 0, 0, s, e); });
}

int StretchPaintImageEx(HDC hdc, int x, int y, int w, int h, GUI_RWops* source, const char* ext) {
  if (w < 1 || h < 1) return 0;
  return Paint(hdc, x, y, w, h, source, ext);
}

int StretchPaintImageFromFile(HDC hdc, int x, int y, int w, int h, const char* fileName) {
  return OverFile(fileName,
                  [&](GUI_RWops* s, const char* e) { return StretchPaintImageEx(hdc, x, y, w, h, s, e); });
}

int StretchPaintImageFromMem(HDC hdc, int x, int y, int w, int h, const void* mem, int size,
                             const char* ext) {
  return OverMem(mem, size, ext,
                 [&](GUI_RWops* s, const char* e) { return StretchPaintImageEx(hdc, x, y, w, h, s, e); });
}

}  // extern "C"
