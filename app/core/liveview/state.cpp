// The live view's state: per output (selected channel and window, pop-up
// flag, zoom overview) and shared (hit window, zoom, drag, smart-search grid).
#include <algorithm>
#include <mutex>

#include "app/app_registry.h"
#include "app/playback.h"
#include "app/liveview.h"
#include "app/pages_calls.h"
#include "app/core/services/per_output.h"
#include "gui/app_hooks.h"
#include "gui/paint.h"

namespace {

app::PerOutput<int> g_selChan(-2);
app::PerOutput<int> g_menuChan(1);
app::PerOutput<int> g_popup(0);
app::PerOutput<int> g_selWin(0);
app::Word<int> g_hitWin(0);
app::Word<int> g_zoomChan(0);
app::Word<WindowHandle> g_addButton(0);
app::Word<int> g_audioChan(0);

// Rectangles are several words; the live view's thread owns them, but the
// PTZ panel and the pages read them from theirs.
std::mutex g_lock;
Rect g_overview[2]{};
Rect g_zoomRect{};
int g_zoomDragging = 0;
PreviewDrag g_drag{};

struct SmartSearch {
  int rows = 18;
  int pictureHeight = 576;
  uint32_t grid[32][3]{};
  int rectCount = 1;
  int32_t rects[8][7]{};
  Rect dragRect{};
  int dragInProgress = 0;
};
SmartSearch g_smart;

int slotOf(int output) { return output == getMainOutput() ? 0 : 1; }

void overviewFor(int output, Rect* out) {
  const int W = getScreenWidth(output), H = getScreenHeight(output);
  *out = Rect{3 * W / 4 - 8, 3 * H / 4 - 2, W, H};
}

void repaintLiveView() {
  const WindowHandle hwnd = getTopMainWindow();
  if (IsValidHandle(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
}

// Cells from (c0, r0) up to (c1, r1), ends exclusive, set or cleared.
void changeCells(int c0, int r0, int c1, int r1, bool set) {
  std::lock_guard<std::mutex> hold(g_lock);
  c0 = std::max(c0, 0);
  r0 = std::max(r0, 0);
  c1 = std::min(c1, SMART_GRID_COLS);
  r1 = std::min(r1, g_smart.rows);
  for (int r = r0; r < r1; ++r)
    for (int c = c0; c < c1; ++c) {
      if (set) g_smart.grid[r][0] |= 1u << c;
      else g_smart.grid[r][0] &= ~(1u << c);
    }
  g_smart.dragInProgress = 0;
}

// Marking and clearing take the same cells: those the area touches.
void changeArea(const Rect* a, int W, int H, bool set) {
  const int rows = getSmartGridRows();
  const int cw = W / SMART_GRID_COLS, ch = H / rows;
  if (!a || cw <= 0 || ch <= 0) return;
  changeCells(a->left / cw, a->top / ch, (a->right + cw - 1) / cw, (a->bottom + ch - 1) / ch, set);
}

void fillGrid(uint32_t value) {
  {
    std::lock_guard<std::mutex> hold(g_lock);
    for (auto& row : g_smart.grid) row[0] = 0;
    for (int r = 0; r < g_smart.rows; ++r) g_smart.grid[r][0] = value;
    g_smart.dragInProgress = 0;
  }
  repaintLiveView();
}

}  // namespace

extern "C" {

void setPreviewSelChan(int output, int channel) { g_selChan.setStrict(output, channel); }
int getPreviewSelChan(int output) { return g_selChan.get(output); }
void setPreviewMenuChan(int output, int channel) { g_menuChan.setStrict(output, channel); }
int getPreviewMenuChan(int output) { return g_menuChan.get(output); }
void setLiveViewPopup(int output, int on) { g_popup.setStrict(output, on); }
int getLiveViewPopup(int output) { return g_popup.get(output); }
void setPreviewSelWin(int output, int index) { g_selWin.setStrict(output, index); }
int getPreviewSelWin(int output) { return g_selWin.get(output); }

void setZoomOverviewRect(int output, const Rect* rect) {
  if (!rect || !app::isKnownOutput(output)) return;
  std::lock_guard<std::mutex> hold(g_lock);
  g_overview[slotOf(output)] = *rect;
}

void getZoomOverviewRect(int output, Rect* out) {
  if (!out) return;
  std::lock_guard<std::mutex> hold(g_lock);
  *out = g_overview[slotOf(output)];
}

void setPreviewHitWin(int index) { g_hitWin.set(index); }
int getPreviewHitWin(void) { return g_hitWin.get(); }
void setLiveZoomChannel(int channel) { g_zoomChan.set(channel); }
int getLiveZoomChannel(void) { return g_zoomChan.get(); }
void setAddChanButton(WindowHandle button) { g_addButton.set(button); }
WindowHandle getAddChanButton(void) { return g_addButton.get(); }
void setLiveAudioChannel(int channel) { g_audioChan.set(channel); }
int getLiveAudioChannel(void) { return g_audioChan.get(); }

void setLiveZoomRect(const Rect* rect, int dragging) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (rect) g_zoomRect = *rect;
  g_zoomDragging = dragging;
}

void getLiveZoomRect(Rect* out, int* dragging) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (out) *out = g_zoomRect;
  if (dragging) *dragging = g_zoomDragging;
}

void resetPreviewDrag(void) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_drag = PreviewDrag{};
}
int* getPreviewDragState(void) { return &g_drag.active; }
PreviewDrag* getPreviewDrag(void) { return &g_drag; }

int getVideoPictureHeight(void) { return isVideoStandard(1) ? 480 : 576; }

void resetSmartSearchState(void) {
  std::lock_guard<std::mutex> hold(g_lock);
  const bool ntsc = isVideoStandard(1) != 0;
  g_smart.pictureHeight = ntsc ? 480 : 576;
  g_smart.rows = ntsc ? 15 : 18;
  g_smart.rectCount = 1;
  for (auto& rect : g_smart.rects)
    for (auto& word : rect) word = 0;
  g_smart.dragRect = Rect{};
  g_smart.dragInProgress = 0;
}

void initLiveViewState(void) {
  resetSmartSearchState();
  {
    std::lock_guard<std::mutex> hold(g_lock);
    for (auto& row : g_smart.grid) row[0] = 0;
    g_drag = PreviewDrag{};
  }
  for (int output : {getMainOutput(), getAuxOutput()}) {
    Rect overview{};
    overviewFor(output, &overview);
    setZoomOverviewRect(output, &overview);
  }
  g_zoomChan.set(0);
}

void resetSmartSearch(WindowHandle hwnd) {
  resetSmartSearchState();
  if (getSmartSearchCount(getCurOutput()) == 0) {
    std::lock_guard<std::mutex> hold(g_lock);
    for (auto& row : g_smart.grid) row[0] = 0;
  }
  if (IsValidHandle(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
}

int getSmartGridRows(void) {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_smart.rows;
}

uint32_t getSmartGridRow(int row) {
  std::lock_guard<std::mutex> hold(g_lock);
  return row >= 0 && row < 32 ? g_smart.grid[row][0] : 0;
}

void markSmartGrid(const Rect* a, int W, int H) { changeArea(a, W, H, true); }
void clearSmartGrid(const Rect* a, int W, int H) { changeArea(a, W, H, false); }

int isSmartCellMarked(int x, int y, int W, int H) {
  const int rows = getSmartGridRows();
  const int cw = W / SMART_GRID_COLS, ch = H / rows;
  if (cw <= 0 || ch <= 0 || x < 0 || y < 0) return 0;
  const int c = x / cw, r = y / ch;
  if (c >= SMART_GRID_COLS || r >= rows) return 0;
  return (getSmartGridRow(r) >> c) & 1u;
}

void setSmartAreaAll(void) { fillGrid(SMART_GRID_ALL); }
void clearSmartArea(void) { fillGrid(0); }

void clearSmartAreaRects(void) {
  {
    std::lock_guard<std::mutex> hold(g_lock);
    for (auto& rect : g_smart.rects)
      for (auto& word : rect) word = 0;
    g_smart.dragInProgress = 0;
  }
  repaintLiveView();
}

void setSmartDragRect(const Rect* rect, int inProgress) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (rect) g_smart.dragRect = *rect;
  g_smart.dragInProgress = inProgress;
}

void getSmartDragRect(Rect* out, int* inProgress) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (out) *out = g_smart.dragRect;
  if (inProgress) *inProgress = g_smart.dragInProgress;
}

void setSmartRect(int index, const Rect* rect, int inUse) {
  if (!rect || index < 0 || index >= 8) return;
  std::lock_guard<std::mutex> hold(g_lock);
  int32_t* words = g_smart.rects[index];
  words[0] = inUse;
  words[2] = rect->left;
  words[3] = rect->top;
  words[4] = rect->right;
  words[5] = rect->bottom;
  g_smart.rectCount = std::max(g_smart.rectCount, index + 1);
}

int getSmartRect(int index, Rect* out) {
  if (index < 0 || index >= 8) return 0;
  std::lock_guard<std::mutex> hold(g_lock);
  const int32_t* words = g_smart.rects[index];
  if (out) *out = Rect{words[2], words[3], words[4], words[5]};
  return words[0];
}

int getSmartRectCount(void) {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_smart.rectCount;
}

int startLiveViewZoom(WindowHandle hwnd) {
  const int output = getCurOutput();
  if (getPreviewSelChan(output) == -2) return -1;
  const int W = getScreenWidth(output), H = getScreenHeight(output);
  Rect overview{};
  overviewFor(output, &overview);
  setZoomOverviewRect(output, &overview);
  setOutputState(output, OUTSTATE_ZOOM);
  setLiveViewActive(output, 0);
  setLiveZoomChannel(getPreviewSelChan(output));
  const Rect zoom{3 * W / 4, 3 * H / 4, 7 * W / 8, 7 * H / 8};
  setLiveZoomRect(&zoom, 0);
  if (IsValidHandle(hwnd)) InvalidateRect(hwnd, &overview, TRUE);
  return 0;
}

}  // extern "C"
