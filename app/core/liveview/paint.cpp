// What the live-view window draws over the video: the video background, and
// by the output's state the selection frames, the smart-search grid, the
// digital-zoom rectangle and the PTZ drag rectangle.
#include <algorithm>

#include "app/app_registry.h"
#include "app/playback.h"
#include "app/camera.h"
#include "app/liveview.h"
#include "app/liveview_dialogs.h"
#include "app/pages_calls.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/gal.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/window_attr.h"

namespace {

constexpr int kGreen = 10, kRed = 12, kYellow = 14;
constexpr int kMinDrag = 32;

Rect normalised(const Rect& r) {
  return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

bool empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

void pen(HDC hdc, int sysPixel) { SetDCAttr(hdc, DC_ATTR_PEN_COLOR, static_cast<uint32_t>(SysPixelIndex[sysPixel])); }

// A one-pixel outline of a rectangle whose right and bottom are exclusive.
void frame(HDC hdc, const Rect& r, int sysPixel) {
  pen(hdc, sysPixel);
  Rectangle(hdc, r.left, r.top, r.right - 1, r.bottom - 1);
}

void frameWindow(HDC hdc, int index, int sysPixel) {
  Rect video{};
  if (getPreviewVideoRect(index, &video, nullptr) == 0) frame(hdc, video, sysPixel);
}

void paintSelection(HDC hdc, int output) {
  int split = 1;
  getLiveSplitOf(output, &split, nullptr);
  if (split == 1) return;
  const WindowHandle button = getAddChanButton();
  if (getLiveViewPopup(output))
    frameWindow(hdc, getPreviewSelWin(output), kYellow);
  else if (IsValidHandle(button) && IsWindowVisible(button))
    frameWindow(hdc, getPreviewHitWin(), kGreen);
}

}  // namespace

extern "C" void drawSmartGrid(HDC hdc, int W, int H) {
  const int rows = getSmartGridRows();
  const int cw = W / SMART_GRID_COLS, ch = H / rows;
  for (int r = 0; r < rows; ++r) {
    const uint32_t mask = getSmartGridRow(r);
    for (int c = 0; c < SMART_GRID_COLS; ++c)
      if ((mask >> c) & 1u) frame(hdc, Rect{c * cw, r * ch, (c + 1) * cw, (r + 1) * ch}, kRed);
  }
  Rect drag{};
  int inProgress = 0;
  getSmartDragRect(&drag, &inProgress);
  drag = normalised(drag);
  if (inProgress && drag.right - drag.left >= kMinDrag && drag.bottom - drag.top >= kMinDrag) {
    SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, static_cast<uint32_t>(SysPixelIndex[kRed]));
    FillBox(hdc, drag.left, drag.top, drag.right - drag.left, drag.bottom - drag.top);
  }
}

namespace {

void paintZoom(HDC hdc) {
  Rect zoom{};
  getLiveZoomRect(&zoom, nullptr);
  zoom = normalised(zoom);
  // Even coordinates: the video planes take even positions only.
  zoom = Rect{zoom.left & ~1, zoom.top & ~1, zoom.right & ~1, zoom.bottom & ~1};
  if (empty(zoom)) return;
  pen(hdc, kRed);
  Rectangle2(hdc, zoom.left, zoom.top, zoom.right, zoom.bottom);
}

void paintPtzDrag(HDC hdc) {
  const PreviewDrag* drag = getPreviewDrag();
  const Rect r = normalised(Rect{drag->start.x, drag->start.y, drag->end.x, drag->end.y});
  if (!empty(r)) frame(hdc, r, kRed);
}

// Looked up on each paint: the layout owns the bits and may be reloaded.
void fillBackground(HDC hdc, const Rect& client) {
  Bitmap bitmap{};
  if (GetWinBitmap("startmenu", "video_bmp", &bitmap) && bitmap.bmBits) {
    FillBoxWithBitmap(hdc, client.left, client.top, client.right - client.left, client.bottom - client.top, &bitmap);
    return;
  }
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, static_cast<uint32_t>(SysPixelIndex[SYSPIXEL_KEY]));
  FillBox(hdc, client.left, client.top, client.right - client.left, client.bottom - client.top);
}

}  // namespace

extern "C" {

void paintVideoArea(HDC hdc, int x, int y, int w, int h) {
  SetPreviewViewRect(hdc, x, y, w, h);
  fillBackground(hdc, Rect{x, y, x + w, y + h});
}

void paintLiveView(WindowHandle hwnd, HDC hdc) {
  Rect client{};
  GetClientRect(hwnd, &client);
  fillBackground(hdc, client);
  const int output = getCurOutput();
  switch (getOutputState(output)) {
    case OUTSTATE_LIVEVIEW:
    case OUTSTATE_COLORPANEL:
      paintSelection(hdc, output);
      break;
    case OUTSTATE_PLAYBACK:
      // Playback's digital zoom runs while its zoom channel is set.
      if (getZoomChannel(output) > 0) paintZoom(hdc);
      else if (getPlaybackType(output) == 1) paintSelection(hdc, output);
      break;
    case OUTSTATE_SMARTSEARCH:
      drawSmartGrid(hdc, getScreenWidth(output), getScreenHeight(output));
      break;
    case OUTSTATE_ZOOM:
      paintZoom(hdc);
      break;
    case OUTSTATE_PTZ:
      if (getPtzMouseMode() != 0) paintPtzDrag(hdc);
      break;
    default:
      break;
  }
}

void eraseLiveView(WindowHandle hwnd, HDC hdc, const Rect* screenRect) {
  liveview_dialogs::eraseWith(hwnd, static_cast<WParam>(hdc), reinterpret_cast<LParam>(screenRect), fillBackground);
}

}  // extern "C"
