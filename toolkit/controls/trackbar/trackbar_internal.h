// Inside the track bar: its record, its skins and the geometry and time
// arithmetic the procedure and the painter share.
#pragma once

#include <algorithm>
#include <cstdint>

#include "gui/bitmap.h"
#include "gui/common.h"
#include "gui/trackbar.h"

namespace controls::track {

struct TrackData {
  int32_t minimum = 0, maximum = 10, position = 0, lineSize = 1, pageSize = 5;
  char startTip[32] = "0";
  char endTip[32] = "24";
  char timeText[32] = "00:00:00";
  int32_t zoom = 0;
  WindowHandle zoomOut = 0, zoomIn = 0;
  // Damage whose erase the next paint does on its own DC (client
  // coordinates; empty when none is owed).
  Rect owedErase{};
};

// The range's width, in 64 bits: INT_MIN..INT_MAX does not fit an int.
inline int64_t Span(const TrackData& d) { return static_cast<int64_t>(d.maximum) - d.minimum; }

// A pixel worked out in 64 bits from a range of any ints, kept far enough
// inside int for the drawing calls to add to it.
inline int Pixel(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -(int64_t{1} << 29), int64_t{1} << 29)); }

struct Skins {
  const Bitmap *hslider, *vbg, *vslider, *timebarBk, *hour, *minute, *zoomBkNormal, *zoomBkHover, *zoomInFg,
      *zoomInDis, *zoomOutFg, *zoomOutDis;
};

// The skins of the current display, loaded again at each creation.
const Skins& LoadSkins();
const Skins& CurrentSkins();

inline bool IsTimeBar(uint32_t style) { return (style & (0x200u | 0x800u)) != 0; }
inline int Width(const Bitmap* b) { return b ? static_cast<int>(b->bmWidth) : 0; }
inline int Height(const Bitmap* b) { return b ? static_cast<int>(b->bmHeight) : 0; }

// Hours the time bar shows per zoom level.
int ZoomSpan(int level);
int TipValue(const char* tip);

// The time bar's pixel range for a client width: a whole multiple of 120
// columns between the zoom areas.
struct PixelRange {
  int minimum, maximum;
};
PixelRange TimeBarRange(int clientLeft, int clientRight, uint32_t style, const Skins& skins);
// Width of the zoom-button area at the left and at the right.
int ZoomArea(uint32_t style, bool left, const Skins& skins);

// Time text of a marker column, and the column of a time text.
void TimeOfPosition(const TrackData& d, int position, char out[32]);
int PositionOfTime(const TrackData& d, const char* time);
// Whether the text is a time of day, "HH:MM:SS" in digits.
bool IsTimeOfDay(const char* text);
int SecondsOfText(const char* time);

// Rectangles in client coordinates.
Rect ThumbRect(WindowHandle hwnd, const TrackData& d, int position);
Rect TrackRect(WindowHandle hwnd, const TrackData& d);
Rect TimeTextRect(WindowHandle hwnd, const TrackData& d, int position, const char* text);
int PositionOfPoint(WindowHandle hwnd, const TrackData& d, int x, int y);

// Paints the face; what lies wholly outside `limit` (client coordinates,
// the paint DC's clip box) may be skipped.
void Paint(WindowHandle hwnd, HDC hdc, const TrackData& d, const Rect& limit);

}  // namespace controls::track
