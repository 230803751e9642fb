// The two lists of loaded device fonts, appended at the tail.
#include "gdi/text/devfont_list.h"

namespace {

struct DevFontList {
  DevFont* head = nullptr;
  DevFont* tail = nullptr;
  int count = 0;
};

DevFontList g_singleByte;
DevFontList g_multiByte;

template <DevFont* DevFont::*next>
void append(DevFontList& list, DevFont* df) {
  if (!df) return;
  df->*next = nullptr;
  if (list.tail)
    list.tail->*next = df;
  else
    list.head = df;
  list.tail = df;
  ++list.count;
}

}  // namespace

namespace devfont {

void AppendToItsList(DevFont* df) {
  if (IsMultiByteCharset(df->charsetOps))
    AppendMultiByteDevFont(df);
  else
    AppendSingleByteDevFont(df);
}

int SingleByteCount() { return g_singleByte.count; }
int MultiByteCount() { return g_multiByte.count; }
DevFont* SingleByteHead() { return g_singleByte.head; }
DevFont* MultiByteHead() { return g_multiByte.head; }

}  // namespace devfont

extern "C" {

void AppendSingleByteDevFont(DevFont* df) { append<&DevFont::nextSingleByte>(g_singleByte, df); }

void AppendMultiByteDevFont(DevFont* df) { append<&DevFont::nextMultiByte>(g_multiByte, df); }

void ClearDevFontLists(void) {
  g_singleByte = DevFontList{};
  g_multiByte = DevFontList{};
}

// Walks the single-byte list, then the multi-byte list. The list a font is
// on is told by its charset's longest character, the same rule that put it
// there, so a font of a one-byte-wide charset with longer characters is
// followed along the multi-byte list and the walk always ends.
DevFont* GetNextDevFont(DevFont* df) {
  if (!df) return g_singleByte.head ? g_singleByte.head : g_multiByte.head;
  if (devfont::IsMultiByteCharset(df->charsetOps)) return df->nextMultiByte;
  return df->nextSingleByte ? df->nextSingleByte : g_multiByte.head;
}

}  // extern "C"
