// The sheet's geometry: header placement, tab widths in the three layouts
// and the first visible tab of the scrollable layout.
#include <algorithm>

#include "controls/painters/ctrl_text.h"
#include "controls/propsheet/propsheet_internal.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/propsheet.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace propsheet {
namespace {

constexpr int kMinTab = 10, kShrinkStep = 2;

int MeasureSystemFont(WindowHandle hwnd, const char* text) {
  HDC hdc = GetClientDC(hwnd);
  if (hdc == HDC_INVALID) return 0;
  SelectFont(hdc, nullptr);
  Size size{};
  GetTextExtentEx(hdc, text, -1, &size, 0);
  ReleaseDC(hdc);
  return size.cx;
}

int MeasureTitle(WindowHandle hwnd, const char* text) {
  HDC hdc = GetClientDC(hwnd);
  if (hdc == HDC_INVALID) return 0;
  SelectFont(hdc, GetWindowFont(hwnd));
  Size size{};
  GetTextExtentEx(hdc, text, -1, &size, 0);
  ReleaseDC(hdc);
  return size.cx;
}

}  // namespace

Layout LayoutOf(uint32_t style) {
  if ((style & 0x0Fu) == PSS_SCROLLABLE) return Layout::kScrollable;
  return (style & PSS_COMPACT) ? Layout::kCompact : Layout::kEqual;
}

Header HeaderOf(uint32_t style) {
  switch (style & 0xF0u) {
    case PSS_BOTTOM: return Header::kBottom;
    case PSS_NOHEADER: return Header::kNone;
    default: return Header::kTop;
  }
}

int SbWidth() { return WinMainMetrics[WEM_SB_WIDTH]; }

const Bitmap* IconBitmap(uint32_t icon) {
  if (!icon) return nullptr;
  const Bitmap* b = GetSystemBitmap(static_cast<int>(icon));
  return b && b->bmBits ? b : nullptr;
}

int ScrollLimit(const Sheet* s) { return s->headRight - 2 * SbWidth() - s->headLeft; }

int TabWidth(WindowHandle hwnd, const Page& page, int limit) {
  int w = 0;
  if (page.title) w = MeasureTitle(hwnd, page.title) + 8 + (Skinned() ? 0 : 20);
  if (const Bitmap* icon = IconBitmap(page.icon)) w += static_cast<int>(icon->bmWidth) + 2;
  w = std::max(w, kMinTab);
  return limit > 0 ? std::min(w, limit) : w;
}

void PlaceHeader(WindowHandle hwnd, Sheet* s, int width, int height) {
  const uint32_t style = GetWindowStyle(hwnd);
  s->headRight = width;
  s->headLeft = 0;
  const char* caption = GetWindowCaption(hwnd);
  if (!Skinned() && caption && *caption) {
    const int w = MeasureSystemFont(hwnd, caption);
    if (w > 0 && w < width - 20) s->headLeft = w + 10;
  }
  const int icony = WinMainMetrics[WEM_ICONY];
  const Bitmap* light = LightSkin();
  switch (HeaderOf(style)) {
    case Header::kNone: s->headTop = s->headBottom = 0; break;
    case Header::kBottom:
      s->headTop = height - (Skinned() ? static_cast<int>(light->bmHeight) : icony + 8);
      s->headBottom = height;
      break;
    case Header::kTop: {
      const bool aux = getCurOutputHook() != getMainOutputHook();
      const int font = GetSysFontHeight(aux ? 6 : 5);
      s->headTop = 0;
      s->headBottom = Skinned() ? static_cast<int>(light->bmHeight) : ((std::max(font, icony) + 9) & ~1);
      break;
    }
  }
  if (LayoutOf(style) == Layout::kScrollable) {
    s->tabSum = s->headRight - s->headLeft;
    for (auto& p : s->pages) p->width = TabWidth(hwnd, *p, ScrollLimit(s));
    RecalcFirstVisible(s);
  } else {
    RecalcWidths(hwnd, s);
  }
}

void RecalcWidths(WindowHandle hwnd, Sheet* s) {
  if (s->pages.empty()) return;
  const int avail = s->headRight - s->headLeft, count = s->Count();
  if (LayoutOf(GetWindowStyle(hwnd)) == Layout::kEqual) {
    int w = avail * 8 / (count * 10);
    if (w < kMinTab) w = avail / count;
    for (auto& p : s->pages) p->width = w;
    s->tabSum = w * count;
    return;
  }
  int sum = 0;
  for (auto& p : s->pages) sum += (p->width = TabWidth(hwnd, *p, 0));
  while (sum > avail) {
    bool shrunk = false;
    sum = 0;
    for (auto& p : s->pages) {
      if (p->width - kShrinkStep >= kMinTab) {
        p->width -= kShrinkStep;
        shrunk = true;
      }
      sum += p->width;
    }
    if (!shrunk) break;
  }
  s->tabSum = sum;
}

void RecalcFirstVisible(Sheet* s) {
  if (!s->scrollable) return;  // only scrollable tabs have a first visible one
  if (s->pages.empty()) {
    s->firstVisible = -1;
    return;
  }
  if (!s->Valid(s->firstVisible)) s->firstVisible = 0;
  s->overflow = false;
  const int limit = ScrollLimit(s);
  int sum = 0;
  for (auto& p : s->pages) {
    sum += p->width;
    if (sum > limit) {
      s->overflow = true;
      s->tabSum = limit;
      break;
    }
  }
  if (!s->overflow) {
    s->firstVisible = 0;
    // Tabs that fit again start from the header's left edge.
    s->tabSum = s->headRight - s->headLeft;
    return;
  }
  if (s->active < 0) return;
  if (s->active < s->firstVisible) s->firstVisible = s->active;
  while (s->firstVisible < s->active) {
    int run = 0;
    for (int i = s->firstVisible; i <= s->active; ++i) run += s->pages[i]->width;
    if (run <= s->tabSum) break;
    ++s->firstVisible;
  }
}

void MovePages(WindowHandle hwnd, Sheet* s) {
  Rect rc{};
  GetClientRect(hwnd, &rc);
  const int w = rc.right, h = rc.bottom;
  const bool bottom = HeaderOf(GetWindowStyle(hwnd)) == Header::kBottom;
  for (int i = 0; i < s->Count(); ++i) {
    const Page& p = *s->pages[i];
    if (bottom)
      MoveWindow(p.hwnd, 0, 0, w, s->headTop, FALSE);
    else
      MoveWindow(p.hwnd, 0, s->headBottom, w, s->headTop + h - s->headBottom, FALSE);
    ShowWindow(p.hwnd, i == s->active ? SW_SHOW : SW_HIDE);
  }
}

}  // namespace propsheet
