// Stand-in for the toolkit's message box until it lands: answers as a box
// dismissed with Escape would (1 for an OK box, 2 for any other).
#include <cstdio>

#include "app/core/toolkit_calls.h"

extern "C" int MessageBox(WindowHandle, const char* text, const char* caption, uint32_t type) {
  std::printf("MessageBox [%s] %s\n", caption ? caption : "", text ? text : "");
  return (type & 0x0F) == 0 ? 1 : 2;
}
