// The "trackbar" procedure: range and position messages, the time bar's
// window of hours and zoom, keys, mouse, wheel and focus.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <linux/input-event-codes.h>

#include "controls/barkit/ctl_util.h"
#include "controls/registry/control_registry.h"
#include "gui/control_paint.h"
#include "controls/trackbar/trackbar_class.h"
#include "controls/trackbar/trackbar_internal.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/dc.h"
#include "gui/paint.h"
#include "gui/region.h"
#include "gui/trackbar.h"

namespace controls {

namespace {

using namespace barkit;
using track::TrackData;

constexpr uint32_t kNoFocusRepaint = 0x100 | TBS_TIMEBAR_BOTTOM | TBS_TIMEBAR_TOP;
constexpr int kZoomLevels = 3;

bool Has(WindowHandle hwnd, uint32_t bits) { return (GetWindowStyle(hwnd) & bits) != 0; }
bool TimeBar(WindowHandle hwnd) { return track::IsTimeBar(GetWindowStyle(hwnd)); }

void Notify(WindowHandle hwnd, int code) {
  if (Has(hwnd, TBS_NOTIFY)) NotifyParentEx(hwnd, code, 0);
}

Rect Union(const Rect& a, const Rect& b) {
  return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

// The rectangle `owed` and `more` make together, when they make one.
bool JoinOwed(const Rect& owed, const Rect& more, Rect* joined) {
  if (IsCovered(&more, &owed)) return *joined = owed, true;
  if (IsCovered(&owed, &more)) return *joined = more, true;
  return UnionRect(joined, &owed, &more) != 0;
}

// Invalidates a rectangle of a slider with erase. The erase is left to the
// next paint, on the paint's own DC, while everything owed makes one
// rectangle (the paint then erases exactly what was invalidated: a
// slider's background does not depend on where the erased rectangle
// lies); anything else is erased at once. A transparent bar's parent
// erases for it.
void Repaint(WindowHandle hwnd, TrackData* d, const Rect& rect) {
  Rect area{}, cut{}, joined{};
  GetClientRect(hwnd, &area);
  bool deferred = IntersectRect(&cut, &rect, &area) && !(GetWindowExStyle(hwnd) & WS_EX_TRANSPARENT);
  if (deferred && IsRectEmpty(&d->owedErase))
    joined = cut;
  else if (deferred)
    deferred = JoinOwed(d->owedErase, cut, &joined);
  if (!deferred) {
    InvalidateRect(hwnd, &rect, TRUE);
    return;
  }
  if (InvalidateRect(hwnd, &rect, FALSE))
    d->owedErase = joined;
  else
    CallWindowProcDirect(hwnd, MSG_ERASEBKGND, 0, reinterpret_cast<LParam>(&cut));
}

// The old and new thumb together when they make one rectangle, as they do
// for every step shorter than the thumb.
void RepaintPair(WindowHandle hwnd, TrackData* d, const Rect& before, const Rect& after) {
  Rect both{};
  if (UnionRect(&both, &before, &after)) return Repaint(hwnd, d, both);
  Repaint(hwnd, d, before);
  Repaint(hwnd, d, after);
}

// Clamps and stores a position with the notifications of a non-time bar,
// repainting only what moved unless the style asks for everything.
void SetPosition(WindowHandle hwnd, TrackData* d, int64_t asked, const char* oldTime = nullptr) {
  const int position = static_cast<int>(std::clamp<int64_t>(asked, d->minimum, d->maximum));
  const bool whole = Has(hwnd, TBS_FULLREPAINT | TBS_SEGMENTED);
  if (position == d->position) {
    if (Has(hwnd, TBS_SEGMENTED)) InvalidateRect(hwnd, nullptr, TRUE);
    return;
  }
  const int old = d->position;
  d->position = position;
  if (!TimeBar(hwnd) && Has(hwnd, TBS_NOTIFY)) {
    NotifyParentEx(hwnd, TBN_CHANGE, 0);
    if (position == d->maximum) {
      if (std::strcmp(d->endTip, "24") == 0) NotifyParentEx(hwnd, TBN_PASSMIDNIGHT, 0);
      NotifyParentEx(hwnd, TBN_REACHMAX, 0);
    } else if (position == d->minimum) {
      if (std::strcmp(d->startTip, "0") == 0) NotifyParentEx(hwnd, TBN_BACKMIDNIGHT, 0);
      NotifyParentEx(hwnd, TBN_REACHMIN, 0);
    }
  }
  if (whole) {
    InvalidateRect(hwnd, nullptr, TRUE);
    return;
  }
  const Rect before = track::ThumbRect(hwnd, *d, old), after = track::ThumbRect(hwnd, *d, position);
  if (!TimeBar(hwnd)) return RepaintPair(hwnd, d, before, after);
  // The time bar's background skin is laid from the left of each erased
  // rectangle: each one is erased as it is.
  const Rect t0 = track::TimeTextRect(hwnd, *d, old, oldTime ? oldTime : d->timeText);
  const Rect t1 = track::TimeTextRect(hwnd, *d, position, d->timeText);
  for (const Rect* r : {&before, &after, &t0, &t1}) InvalidateRect(hwnd, r, TRUE);
}

// 0xF092 and the steps: a time bar writes the time of the new column first.
// Positions come in 64 bits (a step added to the current one) and are
// clamped before anything else.
void MoveTo(WindowHandle hwnd, TrackData* d, int64_t position) {
  if (!TimeBar(hwnd)) return SetPosition(hwnd, d, position);
  char old[32];
  std::memcpy(old, d->timeText, sizeof old);
  track::TimeOfPosition(*d, static_cast<int>(std::clamp<int64_t>(position, d->minimum, d->maximum)), d->timeText);
  SetPosition(hwnd, d, position, old);
}

void SetTimeBarRange(WindowHandle hwnd, TrackData* d) {
  Rect c{};
  GetClientRect(hwnd, &c);
  const track::PixelRange r = track::TimeBarRange(c.left, c.right, GetWindowStyle(hwnd), track::CurrentSkins());
  d->minimum = r.minimum;
  d->maximum = std::max(r.maximum, r.minimum + 1);
}

void EnableZoomButtons(TrackData* d) {
  if (d->zoomIn) SendMessage(d->zoomIn, MSG_ENABLE, d->zoom < kZoomLevels - 1, 0);
  if (d->zoomOut) SendMessage(d->zoomOut, MSG_ENABLE, d->zoom > 0, 0);
}

void WriteTips(TrackData* d, int start, int end) {
  std::snprintf(d->startTip, sizeof d->startTip, "%d", start);
  std::snprintf(d->endTip, sizeof d->endTip, "%d", end);
}

// The window of hours starts at the current time's hour for the zoom span.
void WindowAtCurrentHour(WindowHandle hwnd, TrackData* d) {
  const int span = track::ZoomSpan(d->zoom);
  int start = track::SecondsOfText(d->timeText) / 3600, end = start + span;
  if (end > 24) start = 24 - span, end = 24;
  WriteTips(d, start, end);
  d->position = std::clamp(track::PositionOfTime(*d, d->timeText), d->minimum, d->maximum);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Zoom(WindowHandle hwnd, TrackData* d, int id) {
  if (!Has(hwnd, TBS_ZOOM_LEFT | TBS_ZOOM_RIGHT)) return;
  d->zoom = std::clamp(d->zoom + (id == TB_ZOOMIN_ID ? 1 : -1), 0, kZoomLevels - 1);
  EnableZoomButtons(d);
  WindowAtCurrentHour(hwnd, d);
  const int start = track::TipValue(d->startTip), end = track::TipValue(d->endTip);
  NotifyParentEx(hwnd, TBN_ZOOM, (static_cast<LParam>(end) << 16) | start);
}

LResult SetTime(WindowHandle hwnd, TrackData* d, const char* text, LParam seconds) {
  // Only a time of day is taken: anything else would move the window of
  // hours past the day's end.
  if (text ? !track::IsTimeOfDay(text) : (seconds < 0 || seconds >= 86400)) return -1;
  const int before = track::SecondsOfText(d->timeText);
  if (text) {
    std::snprintf(d->timeText, sizeof d->timeText, "%s", text);
  } else if (TimeBar(hwnd)) {
    const int s = static_cast<int>(seconds);
    std::snprintf(d->timeText, sizeof d->timeText, "%02d:%02d:%02d", s / 3600, s % 3600 / 60, s % 60);
  }
  const int now = track::SecondsOfText(d->timeText), hour = now / 3600, span = track::ZoomSpan(d->zoom);
  int start = track::TipValue(d->startTip), end = track::TipValue(d->endTip);
  int moved = 0;
  if (hour < start) {
    start = hour, end = start + span;
    if (end > 24) start = 24 - span, end = 24;
    moved = TBN_REACHMIN;
  } else if (hour >= end) {
    // A later time moves the window later: 3 then 2, not 1.
    end = hour + 1, start = end - span;
    if (start < 0) start = 0, end = span;
    moved = TBN_REACHMAX;
  }
  if (moved) {
    WriteTips(d, start, end);
    Notify(hwnd, TBN_CHANGE);
    Notify(hwnd, moved);
  }
  if (now == 0 && before == 86399) NotifyParentEx(hwnd, TBN_PASSMIDNIGHT, 0);
  if (now == 86399 && before == 0) NotifyParentEx(hwnd, TBN_BACKMIDNIGHT, 0);
  const int old = d->position;
  d->position = std::clamp(track::PositionOfTime(*d, d->timeText), d->minimum, d->maximum);
  if (moved) {
    InvalidateRect(hwnd, nullptr, TRUE);
  } else {
    const Rect area = Union(Union(track::TimeTextRect(hwnd, *d, old, d->timeText), track::ThumbRect(hwnd, *d, old)),
                            Union(track::TimeTextRect(hwnd, *d, d->position, d->timeText),
                                  track::ThumbRect(hwnd, *d, d->position)));
    InvalidateRect(hwnd, &area, TRUE);
  }
  return 0;
}

LResult SetTips(WindowHandle hwnd, TrackData* d, const char* start, const char* end) {
  if (start) std::snprintf(d->startTip, sizeof d->startTip, "%s", start);
  if (end) std::snprintf(d->endTip, sizeof d->endTip, "%s", end);
  const int s = track::TipValue(d->startTip), e = track::TipValue(d->endTip);
  if (s < 0 || e < 0 || s > e) return -1;
  for (int level = 0; level < kZoomLevels; ++level) {
    if (e - s != track::ZoomSpan(level)) continue;
    d->zoom = level;
    EnableZoomButtons(d);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
  }
  return -1;
}

LResult SetZoom(WindowHandle hwnd, TrackData* d, int level) {
  if (TimeBar(hwnd)) {
    // Only three spans exist: other levels would index past them.
    d->zoom = std::clamp(level, 0, kZoomLevels - 1);
    EnableZoomButtons(d);
    WindowAtCurrentHour(hwnd, d);
    return 0;
  }
  d->zoom = static_cast<int>(std::max<int64_t>(1, std::min<int64_t>(level, track::Span(*d))));
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LResult SetRange(WindowHandle hwnd, TrackData* d, int one, int other) {
  if (one == other) return -1;
  if (TimeBar(hwnd)) {
    SetTimeBarRange(hwnd, d);
  } else {
    d->minimum = std::min(one, other);
    d->maximum = std::max(one, other);
  }
  const int keep = d->position;
  // The range moved: set the position afresh from one it cannot keep (an
  // end other than the one it clamps to; below the minimum may not exist).
  const int clamped = std::clamp(keep, d->minimum, d->maximum);
  d->position = clamped == d->minimum ? d->maximum : d->minimum;
  InvalidateRect(hwnd, nullptr, TRUE);
  MoveTo(hwnd, d, keep);
  return 0;
}

LResult SetBound(WindowHandle hwnd, TrackData* d, bool minimum, int value) {
  const uint32_t v = static_cast<uint32_t>(value);
  if (minimum ? (value == d->minimum || v >= static_cast<uint32_t>(d->maximum))
              : (value == d->maximum || v <= static_cast<uint32_t>(d->minimum)))
    return -1;
  (minimum ? d->minimum : d->maximum) = value;
  InvalidateRect(hwnd, nullptr, TRUE);
  if (minimum ? d->position < value : d->position > value) MoveTo(hwnd, d, value);
  return 0;
}

LResult SetStep(TrackData* d, int32_t* field, WParam size) {
  if (static_cast<uint32_t>(size) > static_cast<uint64_t>(track::Span(*d))) return -1;
  *field = static_cast<int32_t>(size);
  return 0;
}

LResult GetTime(TrackData* d, char* buffer, int* seconds) {
  if (buffer) {
    std::memcpy(buffer, d->timeText, sizeof d->timeText);
    buffer[sizeof d->timeText] = '\0';
  }
  if (seconds) *seconds = track::SecondsOfText(d->timeText);
  return 32;
}

void Layout(WindowHandle hwnd, TrackData* d) {
  const Bitmap* bk = track::CurrentSkins().zoomBkNormal;
  if (!bk || !(d->zoomIn || d->zoomOut)) return;
  Rect c{};
  GetClientRect(hwnd, &c);
  const int w = track::Width(bk), h = track::Height(bk), top = std::max(0, c.bottom - h);
  int xIn = 0, xOut = w + 2;
  if (Has(hwnd, TBS_ZOOM_RIGHT)) xIn = c.right - (2 * w + 2), xOut = c.right - w;
  if (d->zoomIn) MoveWindow(d->zoomIn, xIn, top, w, h, TRUE);
  if (d->zoomOut) MoveWindow(d->zoomOut, xOut, top, w, h, TRUE);
}

WindowHandle ZoomButton(WindowHandle hwnd, const char* caption, uint32_t style, int id, const Bitmap* fg,
                        const Bitmap* fgDisabled) {
  WindowHandle b = CreateWindowEx("button", caption, style, 0, id, 0, 0, 10, 10, hwnd, 0);
  if (b == GUI_INVALID_HANDLE) return 0;
  const track::Skins& s = track::CurrentSkins();
  if (fg) SetCtrlBitmaps(b, fg, s.zoomBkNormal, 1);
  if (fg) SetCtrlBitmaps(b, fg, s.zoomBkHover, 2);
  if (fgDisabled) SetCtrlBitmaps(b, fgDisabled, s.zoomBkNormal, 3);
  return b;
}

LResult Create(WindowHandle hwnd) {
  TrackData* d = NewData<TrackData>(hwnd);
  if (!d) return -1;
  const track::Skins& s = track::LoadSkins();
  if (!TimeBar(hwnd)) return 0;
  SetTimeBarRange(hwnd, d);
  d->position = d->minimum;
  if (Has(hwnd, TBS_ZOOM_LEFT | TBS_ZOOM_RIGHT)) {
    d->zoomIn = ZoomButton(hwnd, "ZoomIn", 0x4800005a, TB_ZOOMIN_ID, s.zoomInFg, s.zoomInDis);
    d->zoomOut = ZoomButton(hwnd, "ZoomOut", 0x4c00005a, TB_ZOOMOUT_ID, s.zoomOutFg, s.zoomOutDis);
    Layout(hwnd, d);
  }
  return 0;
}

bool OnZoomButton(TrackData* d, int x, int y) {
  for (WindowHandle b : {d->zoomIn, d->zoomOut}) {
    Rect r{};
    if (b && GetWindowRect(b, &r) && Contains(r, x, y)) return true;
  }
  return false;
}

LResult Key(WindowHandle hwnd, TrackData* d, WParam wParam, LParam lParam) {
  if (Disabled(hwnd)) return 0;
  const int line = d->lineSize, page = d->pageSize;
  switch (static_cast<int>(wParam)) {
    case KEY_HOME: MoveTo(hwnd, d, d->minimum); break;
    case KEY_END: MoveTo(hwnd, d, d->maximum); break;
    case KEY_UP: case KEY_LEFT: MoveTo(hwnd, d, int64_t{d->position} - line); break;
    case KEY_RIGHT: case KEY_DOWN: MoveTo(hwnd, d, int64_t{d->position} + line); break;
    case KEY_PAGEUP: MoveTo(hwnd, d, int64_t{d->position} + page); break;
    case KEY_PAGEDOWN: MoveTo(hwnd, d, int64_t{d->position} - page); break;
    default: return Default(hwnd, MSG_KEYDOWN, wParam, lParam);
  }
  Notify(hwnd, TBN_STEPPED);
  return 0;
}

void Mouse(WindowHandle hwnd, TrackData* d, int msg, LParam lParam) {
  const bool captured = GetCapture() == hwnd;
  int x = LowX(lParam), y = HighY(lParam);
  switch (msg) {
    case MSG_LBUTTONDOWN:
      if (captured || Disabled(hwnd) || OnZoomButton(d, x, y)) return;
      SetCapture(hwnd);
      NotifyParentEx(hwnd, TBN_STARTDRAG, 0);
      MoveTo(hwnd, d, track::PositionOfPoint(hwnd, *d, x, y));
      Notify(hwnd, TBN_DRAGGED);
      return;
    case MSG_MOUSEMOVE: {
      if (!captured || Disabled(hwnd) || Has(hwnd, TBS_SEGMENTED)) return;
      if (!Contains(track::TrackRect(hwnd, *d), x, y)) return;
      MoveTo(hwnd, d, track::PositionOfPoint(hwnd, *d, x, y));
      Notify(hwnd, TBN_DRAGGED);
      return;
    }
    case MSG_LBUTTONUP:
      if (!captured) return;
      ReleaseCapture();
      NotifyParentEx(hwnd, TBN_STOPDRAG, 0);
      return;
    default:  // the wheel
      if (!Has(hwnd, TBS_ACTIVE) || Disabled(hwnd)) return;
      MoveTo(hwnd, d, int64_t{d->position} + (msg == MSG_MOUSEWHEELDOWN ? d->lineSize : -int64_t{d->lineSize}));
      Notify(hwnd, TBN_STEPPED);
  }
}

void Focus(WindowHandle hwnd, bool gained) {
  Notify(hwnd, gained ? TBN_FOCUS : TBN_BLUR);
  if (gained)
    IncludeWindowStyle(hwnd, TBS_FOCUSED);
  else
    ExcludeWindowStyle(hwnd, TBS_FOCUSED | TBS_ACTIVE);
  if (!Has(hwnd, kNoFocusRepaint)) InvalidateRect(hwnd, nullptr, TRUE);
}

// MSG_MOUSEENTER. The focus change itself sends MSG_SETFOCUS or
// MSG_KILLFOCUS, which notify TBN_FOCUS or TBN_BLUR: sending them again here
// would tell the parent twice.
void Activate(WindowHandle hwnd, bool on) {
  if (!on) {
    ExcludeWindowStyle(hwnd, TBS_ACTIVE);
    SendMessage(hwnd, MSG_KILLFOCUS, 0, 0);
    return;
  }
  const WindowHandle parent = GetParent(hwnd);
  const WindowHandle other = GetFocusChild(parent);
  if (IsValidHandle(other) && other != hwnd) {
    SendMessage(other, MSG_KILLFOCUS, 0, 0);
    SendMessage(other, MSG_MOUSEENTER, 0, 0);
  }
  IncludeWindowStyle(hwnd, TBS_ACTIVE);
  if (GetFocusChild(parent) == hwnd)
    SendMessage(hwnd, MSG_SETFOCUS, 0, 0);
  else
    SetFocusChild(hwnd);
}

LResult Erase(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  if (Has(hwnd, TBS_INSET)) return EraseEditFrameBkgnd(hwnd, hdc, clip);
  if (TimeBar(hwnd)) return EraseTrackBkgnd(hwnd, hdc, clip);
  if (Has(hwnd, TBS_SEGMENTED)) return 0;
  return EraseTwoToneBkgnd(hwnd, hdc, clip);
}

// The erase owed by Repaint, then the face. The erase handler narrows a
// DC it is given to the rectangle it is given: it gets the paint DC only
// when the paint's clip lies inside the owed rectangle, else it erases
// that rectangle on a DC of its own.
LResult OnPaint(WindowHandle hwnd, TrackData* d) {
  HDC hdc = BeginPaint(hwnd);
  Rect limit{};
  GetBoundsRect(hdc, &limit);
  if (!IsRectEmpty(&d->owedErase)) {
    const Rect owed = d->owedErase;
    d->owedErase = Rect{};
    const bool inside = !IsRectEmpty(&limit) && IsCovered(&limit, &owed);
    CallWindowProcDirect(hwnd, MSG_ERASEBKGND, inside ? reinterpret_cast<WParam>(hdc) : 0,
                         reinterpret_cast<LParam>(&owed));
  }
  if (IsRectEmpty(&limit)) GetClientRect(hwnd, &limit);
  track::Paint(hwnd, hdc, *d, limit);
  EndPaint(hwnd, hdc);
  return 0;
}

LResult TrackProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) return Create(hwnd);
  TrackData* d = Data<TrackData>(hwnd);
  if (!d) return Default(hwnd, msg, wParam, lParam);
  const int w = static_cast<int>(wParam), l = static_cast<int>(lParam);
  switch (msg) {
    case MSG_DESTROY:
      FreeData<TrackData>(hwnd);
      return Default(hwnd, msg, wParam, lParam);
    case TBM_SETRANGE: return SetRange(hwnd, d, w, l);
    case TBM_GETMIN: return d->minimum;
    case TBM_SETPOS: MoveTo(hwnd, d, w); return 0;
    case TBM_GETPOS: return d->position;
    case TBM_SETLINESIZE: return SetStep(d, &d->lineSize, wParam);
    case TBM_GETLINESIZE: return d->lineSize;
    case TBM_SETPAGESIZE: return SetStep(d, &d->pageSize, wParam);
    case TBM_GETPAGESIZE: return d->pageSize;
    case TBM_SETTIP:
      return SetTips(hwnd, d, reinterpret_cast<const char*>(wParam), reinterpret_cast<const char*>(lParam));
    case TBM_SETTIME: return SetTime(hwnd, d, reinterpret_cast<const char*>(wParam), lParam);
    case TBM_GETTIP:
      if (wParam) *reinterpret_cast<int*>(wParam) = track::TipValue(d->startTip);
      if (lParam) *reinterpret_cast<int*>(lParam) = track::TipValue(d->endTip);
      return 0;
    case TBM_SETZOOM: return SetZoom(hwnd, d, w);
    case TBM_GETZOOM: return d->zoom;
    case TBM_SETMIN: return SetBound(hwnd, d, true, w);
    case TBM_SETMAX: return SetBound(hwnd, d, false, w);
    case TBM_GETMAX: return d->maximum;
    case TBM_GETTIME: return GetTime(d, reinterpret_cast<char*>(wParam), reinterpret_cast<int*>(lParam));
    case TBM_SETZOOMTEXT:
      if (!wParam || !lParam) return 0;
      if (d->zoomIn) SendMessage(d->zoomIn, MSG_SETTEXT, 0, static_cast<LParam>(wParam));
      if (d->zoomOut) SendMessage(d->zoomOut, MSG_SETTEXT, 0, lParam);
      return 0;
    case MSG_GETTEXTLENGTH: case MSG_GETTEXT: case MSG_SETTEXT: return -1;
    case MSG_GETDLGCODE: return 0x11;
    case MSG_FONTCHANGED: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case MSG_ENABLE:
      if (ApplyEnable(hwnd, wParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case MSG_NCPAINT: return 0;
    case MSG_ERASEBKGND: return Erase(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
    case MSG_PAINT: return OnPaint(hwnd, d);
    case MSG_COMMAND:
      if ((wParam >> 16) == 0 && ((wParam & 0xFFFF) == TB_ZOOMIN_ID || (wParam & 0xFFFF) == TB_ZOOMOUT_ID))
        Zoom(hwnd, d, w & 0xFFFF);
      return 0;
    case MSG_KEYDOWN: return Key(hwnd, d, wParam, lParam);
    case MSG_LBUTTONDOWN: case MSG_LBUTTONDBLCLK: case MSG_LBUTTONUP: case MSG_MOUSEMOVE: case MSG_MOUSEWHEELDOWN:
    case MSG_MOUSEWHEELUP:
      Mouse(hwnd, d, PressOf(msg), ClientPosition(hwnd, wParam, lParam));
      return 0;
    case MSG_SETFOCUS: Focus(hwnd, true); return 0;
    case MSG_KILLFOCUS: Focus(hwnd, false); return 0;
    case MSG_MOUSEENTER: Activate(hwnd, wParam != 0); return 0;
    case MSG_CALCCLIENTRECT: Layout(hwnd, d); return 0;
    default: return Default(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

BOOL RegisterTrackBarControl() {
  track::LoadSkins();
  return RegisterBuiltinClass("trackbar", 0, Color(WEC_BKC_CONTROL_NORMAL), TrackProc);
}

}  // namespace controls
