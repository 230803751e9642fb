#include "core/layout/window_bitmap.h"

#include "gui/image.h"

void LoadWindowBitmap(const char* file, Bitmap* bitmap) {
  if (!bitmap) return;
  *bitmap = Bitmap{};
  if (!file || LoadBitmapFromFile(HDC_SCREEN, bitmap, file) != 0) *bitmap = Bitmap{};
}

void UnloadWindowBitmaps(std::vector<WinBmpInfo>& table) {
  for (WinBmpInfo& entry : table) {
    UnloadBitmap(&entry.bitmap);
    entry.bitmap = Bitmap{};
  }
}
