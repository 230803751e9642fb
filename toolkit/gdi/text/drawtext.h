// Formatting text into a rectangle: measuring one line at a time, forwards
// or, for right-to-left text that is centred or right-aligned, from the end
// of the text backwards.
#ifndef TOOLKIT_GDI_TEXT_DRAWTEXT_H
#define TOOLKIT_GDI_TEXT_DRAWTEXT_H

#include "gdi/text/textout.h"

namespace drawtext {

struct LineContext {
  DC* dc = nullptr;
  LogFont* lf = nullptr;
  uint32_t format = 0;
  int tabWidth = 0;
  bool reversed = false;  // lines are taken from the end of the text
};

struct LineMeasure {
  int bytes = 0;
  int width = 0;
};

// The next line of text[0..len): from its start, or from its end when
// reversed; avail is the width it may take.
LineMeasure MeasureTextLine(const LineContext& ctx, const char* text, int len, int avail);

// Width of a run of bytes as CalcTextExtent measures it.
int RunWidth(const LineContext& ctx, const char* text, int len);

}  // namespace drawtext

#endif
