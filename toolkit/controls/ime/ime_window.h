// The input-method window's state shared by its procedure, its drawing and
// its mouse handling. One per process; only the window's thread touches it
// once the window exists.
#pragma once

#include "controls/ime/ime_engine.h"
#include "gui/bitmap.h"
#include "gui/common.h"
#include "gui/font.h"

namespace ime {

constexpr int kStatusBitmapWidth = 18;
constexpr int kStatusBitmapHeight = 20;
constexpr int kHitRects = 5;

class WindowHost : public EngineHost {
 public:
  void PostToReceiver(WindowHandle receiver, int msg, WParam wParam, LParam lParam) override;
  void CloseAfterSymbol() override;
};

struct ImeWindowState {
  WindowHost host;
  Engine engine{&host};
  WindowHandle self = 0;
  Bitmap status{};
  LogFont* font = nullptr;  // GB2312 at the system font's height
  Rect hits[kHitRects] = {};
  bool prevLive = false, nextLive = false;
  Point lastClick{0, 0};
  bool dragging = false;
  Point dragStart{0, 0};

  // A new window starts from the initial state.
  void Reset() {
    engine = Engine(&host);
    status = Bitmap{};
    font = nullptr;
    for (Rect& r : hits) r = Rect{0, 0, 0, 0};
    prevLive = nextLive = dragging = false;
  }
};

ImeWindowState& TheWindow();

// Paints the whole window (MSG_PAINT).
void DrawImeWindow(WindowHandle hwnd, ImeWindowState& w);
// Draws arrow pattern 0..3 into the status bitmap.
void PaintArrowPattern(Bitmap* bitmap, int pattern, GalPixel plus, GalPixel dot);
// Left button down at a client point; the answer of MSG_LBUTTONDOWN.
LResult ImeMouseDown(WindowHandle hwnd, ImeWindowState& w, int x, int y, WParam wParam, LParam lParam);

}  // namespace ime
