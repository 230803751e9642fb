// DrawTextEx2: text formatted into a rectangle line by line, aligned,
// clipped and drawn, or only measured.
#include <algorithm>

#include "gdi/text/drawtext.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"

namespace drawtext {
namespace {

int FloorDiv2(int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

// Draws one line at (x, y) inside clip; tabs advance by the tab width when
// they are expanded.
void DrawTextLine(const LineContext& ctx, int x, int y, const char* line, int len, const Rect& clip) {
  DC* dc = ctx.dc;
  const Rect saved = dc->rcOutput;
  dc->rcOutput = clip;
  if (ctx.format & DT_EXPANDTABS) {
    int start = 0;
    for (int i = 0; i <= len; ++i) {
      if (i < len && line[i] != '\t') continue;
      x += textrender::DrawTextString(dc, x, y, line + start, i - start);
      if (i < len) x += ctx.tabWidth;
      start = i + 1;
    }
  } else {
    textrender::DrawTextString(dc, x, y, line, len);
  }
  dc->rcOutput = saved;
}

struct Layout {
  LineContext ctx;
  Rect box{};  // the formatting rectangle, device coordinates
  int indent = 0;
  int lineHeight = 0;
  bool draw = false;
  bool calcRect = false;
};

struct Progress {
  int lines = 0;
  int lastX = 0, lastY = 0, lastWidth = 0;
  Rect bound{};
  bool haveBound = false;
};

int AlignedX(const Layout& l, int width, bool first) {
  int x = l.box.left;
  if (l.ctx.format & DT_RIGHT)
    x = l.box.right - width;
  else if (l.ctx.format & DT_CENTER)
    x = l.box.left + (l.box.right - l.box.left - width) / 2;
  return x + (first ? l.indent : 0);
}

void NoteLine(Progress* p, const Rect& line) {
  if (!p->haveBound) {
    p->bound = line;
    p->haveBound = true;
  } else {
    GetBoundRect(&p->bound, &p->bound, &line);
  }
}

// Lays out (and draws) every line; stops after the first with a TextParam.
void RunLines(const Layout& l, const char* text, int len, int y, TextParam* param, Progress* p) {
  const uint32_t format = l.ctx.format;
  bool first = true;
  const char* rest = text;
  int remaining = len;
  while (remaining > 0) {
    const int avail = l.box.right - l.box.left - (first ? l.indent : 0);
    if (avail < 1) {
      if (!first) break;
      y += l.lineHeight;
      first = false;
      continue;
    }
    textrender::StartStringOutput(l.ctx.lf);
    LineMeasure line = MeasureTextLine(l.ctx, rest, remaining, avail);
    if (line.bytes < 1) break;
    const char* bytes = l.ctx.reversed ? rest + remaining - line.bytes : rest;
    if (first && (format & DT_WORDBREAK) && (format & DT_VCENTER) && line.bytes == remaining)
      y = l.box.top + (l.box.bottom - l.box.top - l.ctx.lf->size) / 2;
    if ((format & DT_SINGLELINE) && (bytes[line.bytes - 1] == '\n' || bytes[line.bytes - 1] == '\r'))
      line.width += RunWidth(l.ctx, bytes + line.bytes - 1, 1);
    const int x = AlignedX(l, line.width, first);
    p->lastX = x;
    p->lastY = y;
    p->lastWidth = line.width;
    if (param) {
      *param = TextParam{line.bytes, x, y, line.width, l.lineHeight};
      return;
    }
    const Rect lineRect{x, y, x + line.width, y + l.lineHeight};
    if (l.calcRect) NoteLine(p, lineRect);
    if (l.draw && line.width >= 1) {
      if (l.ctx.reversed) {
        int skip = (bytes[0] == '\n' || bytes[0] == '\r') ? 1 : 0;
        DrawTextLine(l.ctx, x, y, bytes + skip, line.bytes - skip, lineRect);
      } else {
        Rect clip = lineRect;
        if (!(format & DT_NOCLIP) && !IntersectRect(&clip, &lineRect, &l.box)) clip = Rect{};
        if (!IsRectEmpty(&clip)) DrawTextLine(l.ctx, x, y, bytes, line.bytes, clip);
      }
    }
    if (!l.ctx.reversed) rest += line.bytes;
    remaining -= line.bytes;
    y += l.lineHeight;
    ++p->lines;
    first = false;
  }
}

Rect ToDevice(const DC* dc, const Rect& r) {
  Rect d = r;
  gui::dc::LogicalToDevice(dc, &d.left, &d.top);
  gui::dc::LogicalToDevice(dc, &d.right, &d.bottom);
  NormalizeRect(&d);
  return d;
}

Rect ToLogical(const DC* dc, const Rect& r) {
  Rect l = r;
  textout::DeviceToLogical(dc, &l.left, &l.top);
  textout::DeviceToLogical(dc, &l.right, &l.bottom);
  return l;
}

}  // namespace
}  // namespace drawtext

using namespace drawtext;

extern "C" {

int DrawTextEx2(HDC hdc, const char* text, int len, Rect* rect, int indent, uint32_t format,
                TextParam* param) {
  if (!text || len == 0 || !rect) return -1;
  len = textout::ByteLength(text, len);
  if (len == 0 || rect->left == rect->right || rect->top == rect->bottom) return -1;
  DC* dc = textout::DcOf(hdc);
  LogFont* lf = textout::FontOf(dc);
  if (!dc || !lf) return -1;

  Layout l;
  l.ctx.dc = dc;
  l.ctx.lf = lf;
  l.ctx.format = format;
  const int tabStop = (format & DT_TABSTOP) ? static_cast<int>(format >> 16) : dc->tabStop;
  l.ctx.tabWidth = textrender::TabWidthOf(dc, lf, tabStop);
  l.ctx.reversed = GuiApp()->isRightToLeftLang() && (format & (DT_CENTER | DT_RIGHT));
  l.indent = std::max(0, indent);
  l.lineHeight = textrender::LineHeight(dc, lf);
  l.box = ToDevice(dc, *rect);
  l.calcRect = (format & DT_CALCRECT) != 0;

  int y = l.box.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_BOTTOM)
      y = l.box.bottom - lf->size;
    else if (format & DT_VCENTER)
      y = l.box.top + FloorDiv2(l.box.bottom - l.box.top - lf->size);
  }

  Progress progress;
  {
    gui::dc::LockedDC locked(hdc);
    l.draw = locked && !l.calcRect && !param;
    LogFont* const entryFont = dc->font;
    dc->font = lf;
    RunLines(l, text, len, y, param, &progress);
    dc->font = entryFont;
  }

  if (param) {
    textout::DeviceToLogical(dc, &param->x, &param->y);
    return 0;
  }
  if (l.calcRect) {
    if (progress.haveBound) *rect = ToLogical(dc, progress.bound);
  } else {
    Point pos{progress.lastX + progress.lastWidth, progress.lastY};
    textout::DeviceToLogical(dc, &pos.x, &pos.y);
    dc->textPos = pos;
  }
  return l.lineHeight * progress.lines;
}

}  // extern "C"
