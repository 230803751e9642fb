// Charset table of the toolkit: the built-in CharsetOps records in search
// order. The records and lookups themselves are declared in gui/charset.h.
#ifndef TOOLKIT_GDI_TEXT_CHARSET_H
#define TOOLKIT_GDI_TEXT_CHARSET_H

#include "gui/charset.h"

namespace charset {

constexpr int kCharsetCount = 26;

// The records in the order in which GetCharsetOps tries them.
const CharsetOps* const* SearchTable();

}  // namespace charset

#endif
