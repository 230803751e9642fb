// Track bar skins, pixel ranges, rectangles and the time bar's arithmetic
// between marker columns and times of day.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/trackbar/trackbar_internal.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/font.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace controls::track {

namespace {

constexpr int kSpans[] = {24, 6, 1};
constexpr int kScaleSteps = 120;
constexpr int kMarkerWidth = 2;

Skins g_skins{};

Rect Client(WindowHandle hwnd) {
  Rect r{};
  GetClientRect(hwnd, &r);
  return r;
}

struct Track {
  int start, length;
};

Track HorizontalTrack(WindowHandle hwnd, const Rect& c) {
  const int tw = Width(g_skins.hslider);
  Track t{tw / 2 + 2, c.right - c.left - 3 - tw};
  if (GetWindowStyle(hwnd) & TBS_INSET) {
    t.length -= 20;
    t.start += 6;
    if (t.length < 1) t.length += 12;
  }
  return t;
}

int Digits(const char* s, int at) {
  if (!s[at] || !s[at + 1]) return 0;
  return (s[at] - '0') * 10 + (s[at + 1] - '0');
}

}  // namespace

const Skins& LoadSkins() {
  static const char* const kNames[] = {"trackbar_vbg",     "trackbar_vslider", "timebar_bk",    "timebar_hour",
                                       "timebar_min",      "zoom_bk_normal",   "zoom_bk_hover", "zoomin_fg_normal",
                                       "zoomin_fg_dis",    "zoomout_fg_normal", "zoomout_fg_dis"};
  const Bitmap** slots[] = {&g_skins.vbg,          &g_skins.vslider,    &g_skins.timebarBk,  &g_skins.hour,
                            &g_skins.minute,       &g_skins.zoomBkNormal, &g_skins.zoomBkHover, &g_skins.zoomInFg,
                            &g_skins.zoomInDis,    &g_skins.zoomOutFg,  &g_skins.zoomOutDis};
  g_skins = Skins{};
  g_skins.hslider = GetStockBitmap("trackbar_hslider", 0, 15);
  if (!g_skins.hslider) return g_skins;
  for (size_t i = 0; i < sizeof kNames / sizeof kNames[0]; ++i) {
    *slots[i] = GetStockBitmap(kNames[i], 0, 0);
    if (!*slots[i] && slots[i] != &g_skins.timebarBk) break;  // a missing background still lets the rest load
  }
  return g_skins;
}

const Skins& CurrentSkins() { return g_skins; }

int ZoomSpan(int level) { return kSpans[std::clamp(level, 0, 2)]; }
int TipValue(const char* tip) { return std::atoi(tip); }

int ZoomArea(uint32_t style, bool left, const Skins& skins) {
  const uint32_t side = left ? TBS_ZOOM_LEFT : TBS_ZOOM_RIGHT;
  return (style & side) ? 2 * Width(skins.zoomBkNormal) + 2 : 0;
}

PixelRange TimeBarRange(int clientLeft, int clientRight, uint32_t style, const Skins& skins) {
  const int zl = ZoomArea(style, true, skins), zr = ZoomArea(style, false, skins);
  const int w = clientRight - clientLeft - zl - zr;
  const int g = (w % kScaleSteps) / 2;
  PixelRange r{};
  r.minimum = clientLeft + zl + g - Width(skins.hour);
  const int end = clientRight - g - zr;
  r.maximum = end - ((end - r.minimum) % kScaleSteps);
  return r;
}

bool IsTimeOfDay(const char* text) {
  for (int i = 0; i < 8; ++i) {
    const bool colon = i == 2 || i == 5;
    if (colon ? text[i] != ':' : (text[i] < '0' || text[i] > '9')) return false;
  }
  return text[8] == '\0' && Digits(text, 0) < 24 && Digits(text, 3) < 60 && Digits(text, 6) < 60;
}

int SecondsOfText(const char* time) {
  const char* colon1 = std::strchr(time, ':');
  const char* colon2 = colon1 ? std::strchr(colon1 + 1, ':') : nullptr;
  const int h = Digits(time, 0), m = colon1 ? Digits(colon1, 1) : 0, s = colon2 ? Digits(colon2, 1) : 0;
  return (h * 60 + m) * 60 + s;
}

void TimeOfPosition(const TrackData& d, int position, char out[32]) {
  const int64_t span = static_cast<int64_t>(ZoomSpan(d.zoom)) * 3600;
  const int64_t range = Span(d);
  int64_t seconds = range > 0 ? span * (static_cast<int64_t>(position) - d.minimum) / range : 0;
  if (position == d.maximum && seconds >= 1) seconds -= 1;
  const int64_t hours = TipValue(d.startTip) + seconds / 3600;
  std::snprintf(out, 32, "%02d:%02d:%02d", static_cast<int>(hours), static_cast<int>(seconds % 3600 / 60),
                static_cast<int>(seconds % 60));
}

int PositionOfTime(const TrackData& d, const char* time) {
  const int h = Digits(time, 0), h0 = TipValue(d.startTip), span = ZoomSpan(d.zoom);
  if (h < h0) return d.minimum;
  if (h > int64_t{h0} + span) return d.maximum;
  const int64_t offset = SecondsOfText(time) - static_cast<int64_t>(h0) * 3600;
  const int64_t position = d.minimum + offset * Span(d) / (static_cast<int64_t>(span) * 3600);
  return static_cast<int>(std::clamp<int64_t>(position, d.minimum, d.maximum));
}

Rect TrackRect(WindowHandle hwnd, const TrackData& d) {
  const Rect c = Client(hwnd);
  const uint32_t style = GetWindowStyle(hwnd);
  if (IsTimeBar(style)) return Rect{Pixel(d.minimum), c.top, Pixel(int64_t{d.maximum} + 1), c.bottom};
  if (style & TBS_VERTICAL) {
    const int th = Height(g_skins.vslider);
    return Rect{c.left, c.top + th / 2, c.right, c.bottom - th / 2};
  }
  const Track t = HorizontalTrack(hwnd, c);
  return Rect{c.left + t.start, c.top, c.left + t.start + t.length, c.bottom};
}

Rect ThumbRect(WindowHandle hwnd, const TrackData& d, int position) {
  const Rect c = Client(hwnd);
  const uint32_t style = GetWindowStyle(hwnd);
  const int64_t range = std::max<int64_t>(1, Span(d));
  if (IsTimeBar(style)) return Rect{Pixel(position), c.top + 2, Pixel(position) + kMarkerWidth, c.bottom - 2};
  if (style & TBS_VERTICAL) {
    const int tw = Width(g_skins.vslider), th = Height(g_skins.vslider);
    const double along = static_cast<double>(int64_t{d.maximum} - position) * (c.bottom - c.top - th) / range;
    const int top = Pixel(static_cast<int64_t>(along));
    const int left = (c.right - c.left - tw) / 2;
    return Rect{left, top, left + tw, top + th};
  }
  const Track t = HorizontalTrack(hwnd, c);
  const int tw = Width(g_skins.hslider), th = Height(g_skins.hslider);
  // In double: a client of any size times a range of 2^32 leaves 64 bits.
  const double along = static_cast<double>(int64_t{position} - d.minimum) * t.length / range;
  const int left = Pixel(static_cast<int64_t>(along) - tw / 2 + t.start);
  const int top = (c.bottom - c.top - th) / 2;
  return Rect{left, top, left + tw, top + th};
}

Rect TimeTextRect(WindowHandle hwnd, const TrackData& d, int position, const char* text) {
  const Rect c = Client(hwnd);
  HDC hdc = GetClientDC(hwnd);
  Size size{};
  int fontH = GetSysCharHeight();
  if (hdc != HDC_INVALID && hdc != 0) {
    SelectFont(hdc, GetWindowFont(hwnd));
    GetTextExtentEx(hdc, text, -1, &size, 0);
    fontH = GetFontHeight(hdc);
    ReleaseDC(hdc);
  }
  int left = Pixel(int64_t{position} + kMarkerWidth + 2);
  if (left + size.cx > c.right - kMarkerWidth) left = c.right - kMarkerWidth - size.cx;
  int top;
  if (GetWindowStyle(hwnd) & TBS_TIMEBAR_TOP) {
    top = fontH + Height(g_skins.hour) + 2;
    if (top + fontH > c.bottom) top = c.bottom - fontH;
  } else {
    top = std::max(0, c.bottom - 2 * (fontH + 1) - Height(g_skins.hour));
  }
  return Rect{left, top, left + size.cx, top + std::max(fontH, static_cast<int>(size.cy))};
}

int PositionOfPoint(WindowHandle hwnd, const TrackData& d, int x, int y) {
  const Rect c = Client(hwnd);
  const uint32_t style = GetWindowStyle(hwnd);
  const int64_t range = Span(d);
  if (IsTimeBar(style)) return std::clamp(x, d.minimum, d.maximum);
  if (style & TBS_SEGMENTED) {
    const int cell = range > 0 ? static_cast<int>((c.right - c.left - 2) / range) : 0;
    if (x < c.left || cell <= 0) return d.minimum;
    if (x > c.right - 2) return d.maximum;
    const int offset = x - 2;
    return static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(d.minimum) + offset / cell + (offset % cell > 0 ? 1 : 0),
                                                d.minimum, d.maximum));
  }
  if (style & TBS_VERTICAL) {
    const int th = Height(g_skins.vslider), span = c.bottom - c.top - th;
    if (span <= 0) return d.minimum;
    const int offset = std::clamp(c.bottom - th / 2 - y, 0, span);
    return static_cast<int>(d.minimum + std::llround(static_cast<double>(range) * offset / span));
  }
  const int tw = Width(g_skins.hslider), span = c.right - c.left - tw;
  if (span <= 0) return d.minimum;
  const int offset = std::clamp(x - tw / 2, 0, span);
  return static_cast<int>(d.minimum + std::llround(static_cast<double>(range) * offset / span));
}

}  // namespace controls::track
