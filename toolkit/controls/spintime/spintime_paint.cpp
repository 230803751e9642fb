// Layout and painting of the time spinner: fields spread evenly over the
// width, each with its arrows at its right end and a separator in the gap
// before the next.
#include <atomic>
#include <cstdio>

#include "controls/spintime/spintime_internal.h"
#include "gui/app_hooks.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace spintime {
namespace {

constexpr int kWidths[TS_MAX_FIELDS + 1] = {0, 300, 150, 100, 80};
constexpr int kShrinkSpare = 50;
constexpr uint32_t kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// Shared by all spinners, as the combo box sizes them one at a time.
std::atomic<int> g_gap{0};
std::atomic<float> g_scale{1.0f};

int Scaled(int value) {
  ScaleHorzToScreen(nullptr, &value, getCurOutputHook());
  return value;
}

int FieldWidth(int count) { return static_cast<int>(Scaled(kWidths[count]) * g_scale.load()); }

int ArrowW(const Data& d) { return d.arrows ? static_cast<int>(d.arrows->bmWidth) : 0; }
int QuarterH(const Data& d) { return d.arrows ? static_cast<int>(d.arrows->bmHeight) / 4 : 0; }

void Separators(Data& d) {
  d.separatorMode = d.count <= 2 ? 1 : d.count == 3 ? 2 : 3;
  d.separators[0] = ':';
  d.separators[1] = d.separatorMode == 3 ? '-' : ':';
  d.separators[2] = ':';
}

void ArrowRow(HDC hdc, const Data& d, const Rect& r, int row) {
  if (!d.arrows) return;
  const int w = ArrowW(d), h = QuarterH(d);
  FillBoxWithBitmapPart(hdc, r.left, r.top, w, h, w, h * 4, d.arrows, 0, row * h);
}

Rect TextArea(const Field& f) { return Rect{f.field.left, f.up.top, f.up.left, f.down.bottom}; }

}  // namespace

void ResetScale() { g_scale.store(1.0f); }

void Layout(WindowHandle hwnd, Data& d, int clientWidth, int clientHeight) {
  Separators(d);
  const int n = d.count < 0 || d.count > TS_MAX_FIELDS ? 0 : d.count;
  int w = FieldWidth(n);
  int gap = clientWidth / 2;
  if (n > 0 && n * w < clientWidth) {
    gap = (clientWidth - n * w) / n;
  } else if (n > 0) {
    g_scale.store(static_cast<float>(clientWidth) / static_cast<float>(n * w + Scaled(kShrinkSpare)));
    w = FieldWidth(n);
    gap = (clientWidth - n * w) / n;
  }
  g_gap.store(gap);
  const int mid = clientHeight / 2, aw = ArrowW(d), ah = QuarterH(d);
  for (int i = 0; i < n; ++i) {
    Field& f = d.fields[i];
    const int x = gap / 2 + i * (w + gap);
    f.field = Rect{x, 0, x + w, clientHeight};
    f.up = Rect{x + w - aw, mid - ah, x + w, mid};
    f.down = Rect{x + w - aw, mid, x + w, mid + ah};
  }
}

void Paint(WindowHandle hwnd, HDC hdc, const Data& d) {
  Rect client{};
  GetClientRect(hwnd, &client);
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, GetWindowBkColor(hwnd));
  FillBox(hdc, 0, 0, client.right, client.bottom);
  const bool disabled = GetWindowStyle(hwnd) & WS_DISABLED;
  const Bitmap* ed = GetStockBitmap("ed", -1, -1);
  const int n = d.count < 0 || d.count > TS_MAX_FIELDS ? 0 : d.count;
  const int gap = g_gap.load(), ah = QuarterH(d);
  for (int i = 0; i < n; ++i) {
    const Field& f = d.fields[i];
    ArrowRow(hdc, d, f.up, f.flags & kUpMarked ? 0 : 1);
    ArrowRow(hdc, d, f.down, f.flags & kDownMarked ? 2 : 3);
    Rect text = TextArea(f);
    DrawBoxWithBitmapCombine(hdc, &text, ed);
    SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
    SetDCAttr(hdc, DC_ATTR_BK_COLOR, WinElementColors[disabled ? WEC_BKC_CAPTION_DISABLED : WEC_BKC_CONTROL_SELECTED]);
    SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, WinElementColors[WEC_FC_CONTROL_SELECTED]);
    DrawTextEx2(hdc, f.text, -1, &text, 0, kCentredLine, nullptr);
    if (i + 1 < n) {
      char sep[2] = {d.separators[i], 0};
      const int mid = client.bottom / 2;
      Rect r{f.field.right, mid - ah / 2, f.field.right + gap, mid + ah / 2};
      SetDCAttr(hdc, DC_ATTR_BK_COLOR, GetWindowBkColor(hwnd));
      SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, WinElementColors[WEC_FC_CONTROL_HILITE]);
      DrawTextEx2(hdc, sep, 1, &r, 0, kCentredLine, nullptr);
    }
  }
}

}  // namespace spintime
