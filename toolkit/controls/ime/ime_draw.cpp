// Drawing of the input-method window (status line, separator, candidate
// line with its page arrows and hit rectangles) and its mouse handling.
#include <cstdio>
#include <cstring>
#include <string>

#include "controls/ime/ime_toolkit.h"
#include "controls/ime/ime_window.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/font.h"
#include "gui/gal.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window.h"

namespace ime {
namespace {

// Arrow images of the status bitmap: '+' is background, '.' the arrow.
const char* const kArrowPatterns[4][kStatusBitmapHeight] = {
    {// previous page, live
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "+++++++++++.++++++",
     "+++++++++...++++++",
     "++++++++....++++++",
     "+++++++.....++++++",
     "++++++......++++++",
     "+++++.......++++++",
     "+++++.......++++++",
     "++++++......++++++",
     "+++++++.....++++++",
     "++++++++....++++++",
     "+++++++++...++++++",
     "+++++++++++.++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
    },
    {// previous page, dead
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "+++++++++++.++++++",
     "+++++++++.+.++++++",
     "++++++++.++.++++++",
     "+++++++.+++.++++++",
     "++++++.++++.++++++",
     "+++++.+++++.++++++",
     "+++++.+++++.++++++",
     "++++++.++++.++++++",
     "+++++++.+++.++++++",
     "++++++++.++.++++++",
     "+++++++++.+.++++++",
     "+++++++++++.++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
    },
    {// next page, live
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++.+++++++++++",
     "++++++...+++++++++",
     "++++++....++++++++",
     "++++++.....+++++++",
     "++++++......++++++",
     "++++++.......+++++",
     "++++++.......+++++",
     "++++++......++++++",
     "++++++.....+++++++",
     "++++++....++++++++",
     "++++++...+++++++++",
     "++++++.+++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
    },
    {// next page, dead
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++.+++++++++++",
     "++++++.+.+++++++++",
     "++++++.++.++++++++",
     "++++++.+++.+++++++",
     "++++++.++++.++++++",
     "++++++.+++++.+++++",
     "++++++.+++++.+++++",
     "++++++.++++.++++++",
     "++++++.+++.+++++++",
     "++++++.++.++++++++",
     "++++++.+.+++++++++",
     "++++++.+++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
     "++++++++++++++++++",
    },
};

constexpr int kPrevChar = 21, kNextChar = 22;

struct Metrics {
  int spaceW, spaceH, charH, fontH, width;
};

LogFont* WindowFont(const ImeWindowState& w) {
  if (w.font) return w.font;
  const bool aux = getCurOutputHook() == getAuxOutputHook() && getAuxOutputHook() != getMainOutputHook();
  return g_SysLogFont[aux ? 6 : 1];
}

int TextWidth(HDC hdc, const std::string& text) {
  Size size{0, 0};
  GetTextExtentPoint(hdc, text.data(), static_cast<int>(text.size()), 0, nullptr, nullptr, nullptr, &size);
  return size.cx;
}

void PutPixel(Bitmap* b, int x, int y, GalPixel pixel) {
  uint8_t* p = b->bmBits + y * b->bmPitch + x * b->bmBytesPerPixel;
  for (int i = 0; i < b->bmBytesPerPixel; ++i) p[i] = static_cast<uint8_t>(pixel >> (8 * i));
}

// The status line: table name and the names of the typed keys, with "-"
// after the keys the candidates match.
std::string StatusLine(const Engine& e) {
  const Table* t = e.Tables().CurrentTable();
  std::string line(t->header.displayName, strnlen(t->header.displayName, sizeof t->header.displayName));
  for (int i = 0; i < e.KeyCount(); ++i) {
    if (i == e.Page().matched && e.KeyCount() > e.Page().matched && e.Page().matched > 0) line += '-';
    line += e.Symbol() ? ' ' : t->header.keyNames[e.Keys()[i] & 0x3F];
  }
  return line;
}

std::string SymbolEntry(const Engine& e, int i) {
  const PunctRow& row = kPunctTable[Engine::SymbolRow(e.Page().first, i)];
  char entry[16];
  if (e.Punct())
    std::snprintf(entry, sizeof entry, "%d%.2s", i + 1, reinterpret_cast<const char*>(row.bytes));
  else
    std::snprintf(entry, sizeof entry, "%d%c", i + 1, row.key);
  return entry;
}

std::string CandidateEntry(const Engine& e, int i) {
  const Table* t = e.Tables().CurrentTable();
  return std::string(1, t->header.selectKeys[i]) + e.Page().slots[i];
}

void DrawArrows(HDC hdc, ImeWindowState& w, const Metrics& m) {
  const CandidatePage& page = w.engine.Page();
  w.prevLive = page.more && page.first != page.rangeStart && !page.noMatch;
  w.nextLive = page.more && page.nextStart != page.rangeStart && !page.noMatch;
  if (!w.status.bmBits) return;
  const GalPixel plus = ime_toolkit::ElementColor(w.self, WEC_BKC_CONTROL_NORMAL), dot = SysPixelIndex[SYSPIXEL_WHITE];
  PaintArrowPattern(&w.status, w.prevLive ? 0 : 1, plus, dot);
  ime_toolkit::RefreshYuvCopy(&w.status);
  ime_toolkit::DrawBitmap(hdc, m.width - (2 * kStatusBitmapWidth + 2), 2, &w.status);
  PaintArrowPattern(&w.status, w.nextLive ? 2 : 3, plus, dot);
  ime_toolkit::RefreshYuvCopy(&w.status);
  ime_toolkit::DrawBitmap(hdc, m.width - kStatusBitmapWidth - 2, 2, &w.status);
}

// The candidate line, its hit rectangles and the highlighted entry.
void DrawCandidates(HDC hdc, ImeWindowState& w, const Metrics& m) {
  const Engine& e = w.engine;
  DrawArrows(hdc, w, m);
  const int gap = e.Symbol() ? (e.Punct() ? 2 : 3) : 1;
  const int top = m.spaceH + 4;
  std::string entries[kHitRects];
  int left = 2 * m.spaceW + 2;
  for (int i = 0; i < kHitRects; ++i) {
    const bool present = i < e.Page().count && (e.Symbol() || e.Page().slots[i][0]);
    if (!present) {
      w.hits[i] = Rect{0, 0, 0, 0};
      continue;
    }
    entries[i] = e.Symbol() ? SymbolEntry(e, i) : CandidateEntry(e, i);
    const int width = TextWidth(hdc, entries[i]);
    w.hits[i] = Rect{left, top, left + width, top + m.charH};
    SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, ime_toolkit::ElementColor(w.self, WEC_FC_CONTROL_NORMAL));
    TextOutLen(hdc, left, top, entries[i].data(), static_cast<int>(entries[i].size()));
    left += width + gap * m.spaceW;
  }
  const int h = e.Highlight();
  if (h < 0 || h >= kHitRects || entries[h].empty()) return;
  const Rect& r = w.hits[h];
  const int boxRight = h + 1 < kHitRects && !entries[h + 1].empty() ? w.hits[h + 1].left : r.right + gap * m.spaceW;
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, ime_toolkit::ElementColor(w.self, WEC_BKC_CONTROL_HILITE));
  ime_toolkit::FillBoxInBrush(hdc, r.left, r.top, boxRight - r.left, m.charH);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, ime_toolkit::ElementColor(w.self, WEC_FC_CONTROL_HILITE));
  TextOutLen(hdc, r.left, r.top, entries[h].data(), static_cast<int>(entries[h].size()));
}

}  // namespace

void PaintArrowPattern(Bitmap* bitmap, int pattern, GalPixel plus, GalPixel dot) {
  for (int y = 0; y < kStatusBitmapHeight; ++y)
    for (int x = 0; x < kStatusBitmapWidth; ++x)
      PutPixel(bitmap, x, y, kArrowPatterns[pattern][y][x] == '.' ? dot : plus);
}

void DrawImeWindow(WindowHandle hwnd, ImeWindowState& w) {
  Engine& e = w.engine;
  HDC hdc = BeginPaint(hwnd);
  SelectFont(hdc, WindowFont(w));
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, ime_toolkit::ElementColor(hwnd, WEC_BKC_CONTROL_NORMAL));
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, ime_toolkit::ElementColor(hwnd, WEC_FC_CONTROL_NORMAL));
  Size space{0, 0};
  GetTextExtentPoint(hdc, " ", 1, 0, nullptr, nullptr, nullptr, &space);
  const Metrics m{space.cx, space.cy, GetSysCharHeight(), GetFontHeight(hdc), ime_toolkit::ClientRect(hwnd).right};
  if (e.Tables().CurrentTable()) {
    if (!e.Chinese()) {
      TextOutLen(hdc, 2, 2, "[ En ]", 6);
      e.DropPunct();
      if (e.Symbol()) DrawCandidates(hdc, w, m);
    } else {
      const std::string status = StatusLine(e);
      TextOutLen(hdc, 2, 2, status.data(), static_cast<int>(status.size()));
      DrawCandidates(hdc, w, m);
    }
  }
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, SysPixelIndex[SYSPIXEL_WHITE]);
  MoveTo(hdc, 0, m.fontH + 2);
  LineTo(hdc, m.width - 1, m.fontH + 2);
  EndPaint(hwnd, hdc);
}

LResult ImeMouseDown(WindowHandle hwnd, ImeWindowState& w, int x, int y, WParam wParam, LParam lParam) {
  Engine& e = w.engine;
  w.lastClick = Point{x, y};
  const int right = ime_toolkit::ClientRect(hwnd).right;
  if (e.Chinese() || e.Symbol()) {
    if (y >= 3 && y <= 21 && right - 38 < x && x < right - 20 && w.prevLive) {
      PostMessage(hwnd, MSG_CHAR, kPrevChar, 0);
      return 0;
    }
    if (y >= 3 && y <= 21 && right - 20 < x && x < right - 2 && w.nextLive) {
      PostMessage(hwnd, MSG_CHAR, kNextChar, 0);
      return 0;
    }
    for (int i = 0; i < kHitRects; ++i) {
      const Rect& r = w.hits[i];
      if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) continue;
      if (e.Symbol()) {
        e.ChooseSymbol(i);
      } else {
        PostMessage(hwnd, MSG_CHAR, '1' + i, 0);
      }
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
  }
  ime_toolkit::CaptureMouse(hwnd);
  w.dragStart = ime_toolkit::ClientToScreenPoint(hwnd, x, y);
  w.dragging = true;
  return DefaultMainWinProc(hwnd, MSG_LBUTTONDOWN, wParam, lParam);
}

}  // namespace ime
