// Cursor files and cursors made from AND and XOR bit arrays, in the screen's
// pixel format.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/cursor/cursor_internal.h"
#include "gdi/readable_file.h"
#include "gdi/startup_report.h"
#include "gdi/dc_record.h"
#include "gdi/row_convert.h"
#include "gui/gal.h"
#include "gui/gui_etc.h"

namespace cursor {
namespace {

constexpr size_t kMaxCursorFile = 1u << 20;
constexpr uint32_t kMaskBytes = 128;  // 32 rows of 4 bytes

uint32_t Le(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint32_t{p[i]} << (8 * i);
  return v;
}

GalSurface* Screen() {
  GalSurface* s = gui::dc::CurrentScreenSurface();
  return s ? s : GAL_GetVideoSurface();
}

}  // namespace

HCURSOR ParseCursorFile(const uint8_t* data, size_t size) {
  if (!data || size < 22 || Le(data + 2, 2) != 2) return 0;
  if (data[6] != CURSOR_SIZE || data[7] != data[6]) return 0;
  const int hotX = static_cast<int>(Le(data + 10, 2)), hotY = static_cast<int>(Le(data + 12, 2));
  const size_t header = Le(data + 18, 4);
  if (header > size || size - header < 40) return 0;
  const uint8_t* h = data + header;
  const uint32_t bits = Le(h + 14, 2);
  // Only the depths the row converters know; anything else is hostile.
  if (Le(h + 12, 2) != 1 || (bits != 1 && bits != 4)) return 0;
  const size_t imageBytes = Le(h + 20, 4);
  const size_t xorAt = header + 40 + 4 * (size_t{1} << bits);
  const size_t xorBytes = size_t{CURSOR_SIZE} * (bits == 1 ? 4 : 16);
  if (imageBytes < xorBytes + kMaskBytes || xorAt > size || imageBytes > size - xorAt) return 0;
  const uint8_t* image = data + xorAt;
  return MakeCursor(hotX, hotY, CURSOR_SIZE, CURSOR_SIZE, image + imageBytes - kMaskBytes, image,
                    1 << bits);
}

void FreeCursor(HCURSOR handle) {
  auto* c = reinterpret_cast<Cursor*>(handle);
  if (!c) return;
  std::free(c->andBits);
  std::free(c->xorBits);
  std::free(c);
}

HCURSOR LoadSystemCursorFile(int n) {
  char path[1024] = "", name[256] = "", key[16];
  std::snprintf(key, sizeof key, "cursor%d", n);
  if (GetGuiEtcValue("cursorinfo", "cursorpath", path, sizeof path) != ETC_OK ||
      GetGuiEtcValue("cursorinfo", key, name, sizeof name) != ETC_OK)
    return 0;
  const std::string file = std::string(path) + name;
  HCURSOR cursor = LoadCursorFile(file.c_str());
  if (!cursor)
    ReportStartupProblem("cursor file \"%s\" ([cursorinfo] %s) is missing or not a 32 x 32 cursor",
                         ShownPath(file.c_str()).c_str(), key);
  return cursor;
}

}  // namespace cursor

using namespace gui::image;

extern "C" {

HCURSOR LoadCursorFile(const char* fileName) {
  files::ReadableFile file(fileName, cursor::kMaxCursorFile);
  files::FileText data;
  if (!file.ReadWhole(data)) return 0;
  return cursor::ParseCursorFile(reinterpret_cast<const uint8_t*>(data.bytes.get()), data.size);
}

HCURSOR MakeCursor(int xHotspot, int yHotspot, int width, int height, const uint8_t* andBits,
                   const uint8_t* xorBits, int colorCount) {
  GalSurface* screen = cursor::Screen();
  if (!screen || width != CURSOR_SIZE || height != CURSOR_SIZE || !andBits || !xorBits) return 0;
  if (colorCount != 2 && colorCount != 16) return 0;
  auto* c = static_cast<Cursor*>(std::calloc(1, sizeof(Cursor)));
  if (!c) return 0;
  uint32_t pitch = 0;
  const int bytes = GAL_GetBoxSize(screen, CURSOR_SIZE, CURSOR_SIZE, &pitch);
  c->andBits = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(bytes)));
  c->xorBits = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(bytes)));
  if (!c->andBits || !c->xorBits) {
    cursor::FreeCursor(reinterpret_cast<HCURSOR>(c));
    return 0;
  }
  c->xHotspot = xHotspot;
  c->yHotspot = yHotspot;
  c->width = c->height = CURSOR_SIZE;
  const GalPixelFormat* f = screen->format;
  const GalPixel black = GAL_MapRGB(f, 0, 0, 0), white = GAL_MapRGB(f, 255, 255, 255);
  // Rows are stored bottom-up, as in the host's device-independent bitmaps.
  ExpandMonoBitmapRows(RowTarget{c->andBits, pitch, f}, RowSource{andBits, 4, CURSOR_SIZE, CURSOR_SIZE, true},
                       black, white);
  const RowTarget xorTarget{c->xorBits, pitch, f};
  if (colorCount == 2)
    ExpandMonoBitmapRows(xorTarget, RowSource{xorBits, 4, CURSOR_SIZE, CURSOR_SIZE, true}, black, white);
  else
    Expand16ColorBitmapRows(xorTarget, RowSource{xorBits, 16, CURSOR_SIZE, CURSOR_SIZE, true}, nullptr);
  return reinterpret_cast<HCURSOR>(c);
}

}  // extern "C"
