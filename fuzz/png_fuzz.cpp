// Arbitrary bytes through the png loader, as an image, a bitmap and painted.
#include "image_fuzz_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzImageLoaders(data, size, "png");
  return 0;
}
