// Helpers the output, measuring and formatting calls share.
#ifndef TOOLKIT_GDI_TEXT_TEXTOUT_H
#define TOOLKIT_GDI_TEXT_TEXTOUT_H

#include <cstring>

#include "gdi/dc_record.h"
#include "gdi/text/textrender.h"

namespace textout {

// The DC record (0 is the screen DC); null for what is no DC.
DC* DcOf(HDC hdc);
// The DC's font, falling back on the default system font.
LogFont* FontOf(const DC* dc);

inline int ByteLength(const char* text, int len) {
  return len < 0 ? static_cast<int>(std::strlen(text)) : len;
}

// Device pixels to logical units along x (map mode other than 0).
int WidthToLogical(const DC* dc, int width);
void DeviceToLogical(const DC* dc, int* x, int* y);

// The walk of GetTextExtentPoint: bytes that fit in maxExtent (no limit when
// it is below 1), with the character count, positions, offsets and size.
struct FitResult {
  int bytes = 0;
  int chars = 0;
};
FitResult FitText(DC* dc, LogFont* lf, const char* text, int len, int maxExtent, int* posChars,
                  int* dxChars, Size* size);

}  // namespace textout

#endif
