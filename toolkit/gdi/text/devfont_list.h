// Internal helpers shared by the device-font code.
#ifndef TOOLKIT_GDI_TEXT_DEVFONT_LIST_H
#define TOOLKIT_GDI_TEXT_DEVFONT_LIST_H

#include "gui/font.h"

namespace devfont {

// A device font belongs to the multi-byte list when its charset has
// characters longer than one byte.
inline bool IsMultiByteCharset(const CharsetOps* ops) { return ops && ops->bytes_maxlen_char > 1; }

// Appends to the list the charset's byte width selects.
void AppendToItsList(DevFont* df);

int SingleByteCount();
int MultiByteCount();
DevFont* SingleByteHead();
DevFont* MultiByteHead();

}  // namespace devfont

#endif
