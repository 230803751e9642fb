// Copies of a layout window's bitmaps, looked up by key.
#include "app/layout_bitmaps.h"

#include <cstring>

#include "gui/layout.h"

extern "C" {

int loadNamedBitmaps(const char* window, NamedBitmap* items, int count, int aux) {
  if (!window || !items) return 0;
  int loaded = 0;
  for (int i = 0; i < count; ++i) {
    NamedBitmap& item = items[i];
    Bitmap found{};
    item.loaded = item.key && (aux ? GetWinBitmapAux(window, item.key, &found) : GetWinBitmap(window, item.key, &found));
    item.bitmap = item.loaded ? found : Bitmap{};
    loaded += item.loaded;
  }
  return loaded;
}

const Bitmap* findNamedBitmap(const NamedBitmap* items, int count, const char* key) {
  if (!items || !key) return nullptr;
  for (int i = 0; i < count; ++i)
    if (items[i].loaded && items[i].key && std::strcmp(items[i].key, key) == 0) return &items[i].bitmap;
  return nullptr;
}

}  // extern "C"
