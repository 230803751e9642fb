// Arbitrary bytes as an icon file: every image index, drawn at its own size
// and scaled.
#include "gdi/image/icon_internal.h"
#include "image_fuzz_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImageFuzzScreen();
  for (int which = 0; which < 3; ++which) {
    HICON icon = gui::image::LoadIconFromBytes(HDC_SCREEN, data, size, which);
    if (!icon) continue;
    DrawIcon(HDC_SCREEN, -4, 3, 0, 0, icon);
    DrawIcon(HDC_SCREEN, 10, 10, 24, 9, icon);
    DestroyIcon(icon);
  }
  return 0;
}
