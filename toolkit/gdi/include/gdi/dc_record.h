// The device context record and the internal calls every drawing function
// goes through: resolve and lock a DC, convert coordinates, bracket the
// drawing with the display lock and the cursor guard.
#ifndef GDI_DC_DC_RECORD_H
#define GDI_DC_DC_RECORD_H

#include <algorithm>
#include <cstdint>
#include <mutex>

#include "gui/common.h"
#include "gui/gal.h"
#include "gui/region.h"

struct LogFont;
struct GlobalClipInfo;
struct DC;

using SetPixelOp = void (*)(DC* dc);
using SetSpanOp = void (*)(DC* dc, int count);
using PutSpanOp = void (*)(DC* dc, const uint8_t* source, int count);
using MoveToOp = void (*)(DC* dc, int x, int y);
using StepOp = void (*)(DC* dc, int count);

constexpr uint16_t kDcDataType = 8;
enum DcType : uint16_t { kScreenDC = 129, kWindowDC = 130, kMemoryDC = 131 };
constexpr int kTextColorSlots = 17;

struct DC {
  uint16_t dataType = kDcDataType;
  uint16_t dcType = kScreenDC;
  uint32_t inUse = 0;
  WindowHandle hwnd = 0;
  GalSurface* surface = nullptr;

  GalPixel bkColor = 0;
  int32_t bkMode = 0;  // 1: transparent
  GalPixel penColor = 0;
  GalPixel brushColor = 0;
  GalPixel textColor = 0;
  int32_t tabStop = 8;
  int32_t charExtra = 0;
  int32_t aboveLineExtra = 0;
  int32_t belowLineExtra = 0;
  int32_t mapMode = 0;

  Point penPos{};
  Point textPos{};
  LogFont* font = nullptr;
  Point viewOrigin{};
  Point viewExtent{1, 1};
  Point windowOrigin{};
  Point windowExtent{1, 1};

  int32_t rop = 0;
  int32_t step = 1;
  uint8_t* curDst = nullptr;
  GalPixel skipPixel = 0;
  GalPixel curPixel = 0;
  ClipRect* curClipBand = nullptr;
  Rect rcOutput{};
  // Within rcOutput, what the drawing in progress leaves alone (an
  // outline's inside), so that the cursor there need not be hidden; empty
  // outside that drawing.
  Rect rcOutputHole{};

  SetPixelOp setPixel = nullptr;
  SetSpanOp setSpan = nullptr;
  PutSpanOp putSpan = nullptr;
  MoveToOp moveTo = nullptr;
  StepOp stepOp = nullptr;

  GalPixel textColors[kTextColorSlots]{};
  GalPixel textColors2[kTextColorSlots]{};
  GalPixelFormat* alphaFormat = nullptr;
  // The tables (and the alpha format they may need) of a fresh DC are built
  // on first use from the colours and font it was set up with: most DCs
  // never draw text.
  bool textTablesPending = false;
  GalPixel pendingBkColor = 0;
  GalPixel pendingTextColor = 0;
  LogFont* pendingFont = nullptr;

  ClipRgn localClip{};
  ClipRgn effClip{};
  uint32_t client = 0;
  Rect devRect{};
  GlobalClipInfo* clipInfo = nullptr;
  uint32_t age = 0;
  // A clip call cut the local region down to nothing: the window DC then
  // draws nowhere, where an empty local region alone means "no clipping".
  bool localCutToNothing = false;

  // The geometry of the DC's display (main or auxiliary) that the pixel
  // operations address, and the display lock held while drawing.
  uint8_t* geomPixels = nullptr;
  int32_t geomPitch = 0;
  std::mutex* heldLock = nullptr;
  int32_t heldDisplay = 0;
  // A paint DC shows what it drew once, when it is released: the host
  // copies once a present anyway. `unshown` is the bound of the drawing
  // not shown yet, on display `unshownDisplay`.
  bool showOnRelease = false;
  Rect unshown{};
  int32_t unshownDisplay = 0;
};

namespace gui::dc {

constexpr int kDcPoolSize = 16;

// The screen DC (HDC 0) and a DC record from a handle: null for the
// all-ones handle and for anything that is not a DC.
DC* ScreenDC();
DC* DcFromHandle(HDC hdc);
inline HDC HandleOfDC(DC* dc) { return reinterpret_cast<HDC>(dc); }
bool IsPoolDC(const DC* dc);

// The surface window DCs draw into (the one the screen DC was set up on).
GalSurface* CurrentScreenSurface();

// The GDI lock of a display: the main one for the main output id, else the
// auxiliary one. Memory DC surfaces are made under the main one.
std::mutex& GdiLockOfDisplay(int display);
std::mutex& MainGdiLock();
std::mutex& AuxGdiLock();

// Points the DC's geometry at its display and returns the display.
int RefreshDCGeometry(DC* dc);
int RefreshDCGeometryOf(DC* dc, int display);

void InitScreenDC(DC* dc, GalSurface* surface);
// clipLater: the effective region is built by the next clip selection or
// drawing instead of now (a paint DC sets its own clip straight away).
void SetupWindowDC(DC* dc, WindowHandle hwnd, bool client, bool clipLater = false);
// A client DC of the pool for painting: its clip is built once, from the
// first clip selected on it (or from the window's region at its first
// drawing), and what it draws is shown when it is released.
HDC GetClientDCClipLater(WindowHandle hwnd);
int RefreshDCClipRgn(DC* dc, bool forced);
void ClipRectToAncestors(Rect* rect, WindowHandle control);
int GetDCDisplay(const DC* dc);

// Null when nothing may be drawn; a window DC comes back with its window's
// clip information locked (release it with UnlockDCClipInfo).
DC* CheckAndLockDC(HDC hdc);
void UnlockDCClipInfo(DC* dc);

int BeginDCDrawing(DC* dc);
void BeginDCDrawingUnclipped(DC* dc);
void EndDCDrawing(DC* dc);

// Whether a window DC's local region limits its drawing.
inline bool LocalClipApplies(const DC* dc) {
  return dc->localCutToNothing || !IsEmptyClipRgn(&dc->localClip);
}

// A screen DC of the caller's own, for drawing whose pen and raster
// operation must not leak into the shared screen DC other threads use.
// Empty (false) before the screen exists.
class OwnScreenDC {
 public:
  OwnScreenDC();
  ~OwnScreenDC();
  OwnScreenDC(const OwnScreenDC&) = delete;
  OwnScreenDC& operator=(const OwnScreenDC&) = delete;
  explicit operator bool() const { return dc_.surface != nullptr; }
  HDC handle() { return HandleOfDC(&dc_); }

 private:
  DC dc_;
};

// A coordinate worked out in 64 bits, stopped at the ends of the int range:
// a far point stays far on the same side.
inline int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Logical to screen coordinates, worked out in 64 bits and clamped.
void LogicalToDevice(const DC* dc, int* x, int* y);

// Coordinates of boxes and clip rectangles kept within +-(2^30 - 1), far
// outside any surface: a box's width and height then fit an int, and so
// does a corner moved by a DC's origin.
inline int FarCoord(int64_t v) {
  constexpr int64_t kFar = (int64_t{1} << 30) - 1;
  return static_cast<int>(std::clamp(v, -kFar, kFar));
}

// The two brackets as scopes: a locked DC and a drawing in progress.
class LockedDC {
 public:
  explicit LockedDC(HDC hdc) : dc_(CheckAndLockDC(hdc)) {}
  ~LockedDC() {
    if (dc_) UnlockDCClipInfo(dc_);
  }
  LockedDC(const LockedDC&) = delete;
  LockedDC& operator=(const LockedDC&) = delete;
  DC* get() const { return dc_; }
  DC* operator->() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  DC* dc_;
};

class DrawingScope {
 public:
  explicit DrawingScope(DC* dc) : dc_(dc), drawing_(BeginDCDrawing(dc) == 0) {}
  ~DrawingScope() {
    if (drawing_) EndDCDrawing(dc_);
  }
  DrawingScope(const DrawingScope&) = delete;
  DrawingScope& operator=(const DrawingScope&) = delete;
  explicit operator bool() const { return drawing_; }

 private:
  DC* dc_;
  bool drawing_;
};

}  // namespace gui::dc

#endif
