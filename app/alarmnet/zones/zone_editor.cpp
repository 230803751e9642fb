// The free-zone editor: zones built from picture coordinates into view
// pixels, hovered, pressed, dragged and released with the mouse, changed by
// the zone tools, stored back and painted.
#include "app/alarmnet/zones/zone_editor.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "app/alarmnet/zones/zone_area.h"
#include "app/alarmnet/zones/zone_geometry.h"
#include "app/alarmnet/zones/zone_rules.h"
#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/page_frame.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/gal.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace zones {
namespace {

using I64 = int64_t;
constexpr int kMaxZones = 4;
constexpr int kZoneWords = 6;  // first corner, second corner, two carried
constexpr int kAlignedChannels = 16;
constexpr const char* kZoneCaptionSection = "zonecaptions";
// The smallest zone is this many screen pixels scaled onto the view.
constexpr I64 kMinZoneScreenPixels = 32;
constexpr int kSysPixels = static_cast<int>(sizeof SysPixelIndex / sizeof SysPixelIndex[0]);

using Stored = std::array<uint16_t, kZoneWords>;

struct Zone {
  bool used = false;
  bool drawn = false;
  Rect rect{};
  int colour = 0;
};

I64 floorDiv(I64 a, I64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }
uint16_t toU16(I64 v) { return static_cast<uint16_t>(std::clamp<I64>(v, 0, UINT16_MAX)); }

class Editor final : public ZoneEditor {
 public:
  explicit Editor(const ZoneEditorSetup& setup) : s_(setup), count_(std::clamp(setup.zoneCount, 0, kMaxZones)) {
    const ZoneGrid& g = s_.caps.grid;
    pictureW_ = g.pictureWidth ? g.pictureWidth : 704;
    pictureH_ = g.pictureHeight ? g.pictureHeight : (isVideoStandard(1) ? 480 : 576);
    resetColours();
  }

  void load(const uint32_t* area) override {
    for (int k = 0; k < count_; ++k) stored_[k] = area ? readZone(area, k) : Stored{};
    for (int k = 0; k < count_; ++k) buildZone(k);
    finishBuild();
  }

  void store(uint32_t* area, int channel) override {
    if (!area) return;
    for (int k = 0; k < count_; ++k) {
      if (zones_[k].used) {
        zones_[k].drawn = true;
        storeZone(k, channel);
      } else {
        stored_[k] = Stored{};
      }
      std::memcpy(reinterpret_cast<uint8_t*>(area) + k * sizeof(Stored), stored_[k].data(), sizeof(Stored));
    }
  }

  bool onMouse(int message, int x, int y) override { return count_ != 0 && routeAreaMouse(*this, message, x, y); }

  bool onTool(int id) override {
    if (s_.clearAllId != 0 && id == s_.clearAllId) {
      for (int k = 0; k < count_; ++k) {
        clearZone(k);
        if (grid()) setCaption(k, false);
      }
      endDrag();
      changed();
      return true;
    }
    const int k = id - s_.firstToolId;
    if (s_.firstToolId == 0 || k < 0 || k >= count_) return false;
    if (!grid() || zones_[k].used) {
      clearZone(k);
      endDrag();
      if (grid()) setCaption(k, false);
      changed();
      return true;
    }
    defaultZone(k);
    buildZone(k);
    finishBuild();
    enableApply(s_.page, 0, 0);
    return true;
  }

  void paint(HDC hdc) override {
    for (int k = count_ - 1; k >= 0; --k) {
      const Zone& z = zones_[k];
      if (!z.used || !intersectsView(z.rect)) continue;
      frame(hdc, z.rect, z.colour);
    }
    if (dragging_ && drag_.right > drag_.left && drag_.bottom > drag_.top) frame(hdc, drag_, SYSPIXEL_RED);
  }

 private:
  template <class Area>
  friend bool zones::routeAreaMouse(Area& area, int message, int x, int y);
  bool dragging() const { return dragging_; }
  bool move(int x, int y) {
    if (dragging_)
      drag(x, y);
    else
      hover(x, y);
    return true;
  }

  // View geometry.
  I64 vx() const { return s_.view.left; }
  I64 vy() const { return s_.view.top; }
  I64 vw() const { return std::max<I64>(0, I64{s_.view.right} - s_.view.left); }
  I64 vh() const { return std::max<I64>(0, I64{s_.view.bottom} - s_.view.top); }
  bool inView(int x, int y) const { return inArea(s_.view, x, y); }
  bool intersectsView(const Rect& r) const {
    return r.left < s_.view.right && r.right > s_.view.left && r.top < s_.view.bottom && r.bottom > s_.view.top;
  }
  bool grid() const { return s_.caps.grid.stepX > 1 || s_.caps.grid.stepY > 1; }
  bool fullGrid() const { return s_.caps.grid.stepX > 1 && s_.caps.grid.stepY > 1; }

  struct Base {
    I64 x0, y0, w0, h0;
  };
  Base base() const {
    int x = s_.view.left, y = s_.view.top, w = static_cast<int>(vw()), h = static_cast<int>(vh());
    zoneCellsToRect(s_.caps.grid, &x, &y, &w, &h);
    return {x, y, w, h};
  }
  void pixelSteps(int* sx, int* sy) const {
    getZoneMinSize(s_.caps.grid, s_.view.left, s_.view.top, s_.view.right, s_.view.bottom, sx, sy);
  }
  void minSizes(int* mw, int* mh) const {
    const I64 sw = std::max(1, getScreenWidth(s_.output)), sh = std::max(1, getScreenHeight(s_.output));
    *mw = static_cast<int>(vw() * kMinZoneScreenPixels / sw);
    *mh = static_cast<int>(vh() * kMinZoneScreenPixels / sh);
    snapZoneSize(s_.caps.grid, s_.view.left, s_.view.top, s_.view.right, s_.view.bottom, mw, mh);
  }

  static Stored readZone(const uint32_t* area, int k) {
    Stored z{};
    std::memcpy(z.data(), reinterpret_cast<const uint8_t*>(area) + k * sizeof(Stored), sizeof(Stored));
    return z;
  }

  // Picture to view: the capability's corners map onto the base
  // rectangle's edges, anything else by the plain scale from the view's
  // origin, as storing maps back.
  I64 toPixelX(uint16_t v, const Base& b) const {
    const ZoneGrid& g = s_.caps.grid;
    if (v == g.rowsOrMinX) return b.x0;
    if (v == g.maxX) return b.x0 + b.w0;
    return vx() + I64{v} * vw() / pictureW_;
  }
  I64 toPixelY(uint16_t v, const Base& b) const {
    const ZoneGrid& g = s_.caps.grid;
    if (v == g.colsOrMinY) return b.y0;
    if (v == g.maxY) return b.y0 + b.h0;
    return vy() + I64{v} * vh() / pictureH_;
  }

  void buildZone(int k) {
    const Stored& z = stored_[k];
    Zone& zone = zones_[k];
    if (z[0] == z[2] || z[1] == z[3]) {
      zone.used = zone.drawn = false;
      zone.rect = Rect{};
      setCaption(k, !grid());
      return;
    }
    const Base b = base();
    I64 l = toPixelX(z[0], b), t = toPixelY(z[1], b), r = toPixelX(z[2], b), bo = toPixelY(z[3], b);
    int sx = 1, sy = 1, mw = 0, mh = 0;
    pixelSteps(&sx, &sy);
    minSizes(&mw, &mh);
    const ZoneGrid& g = s_.caps.grid;
    const auto snap = [](I64 v, I64 origin, I64 step) { return origin + floorDiv(v - origin + step / 2, step) * step; };
    if (g.stepX > 1) {
      l = snap(l, b.x0, sx);
      if (r < b.x0 + b.w0) r = snap(r, b.x0, sx);
    }
    if (g.stepY > 1) {
      t = snap(t, b.y0, sy);
      if (bo < b.y0 + b.h0) bo = snap(bo, b.y0, sy);
    }
    if (g.minWidth != 0 && r - l < mw) r = l + mw;
    if (g.minHeight != 0 && bo - t < mh) bo = t + mh;
    zone.used = zone.drawn = true;
    zone.rect = Rect{clampInt(l), clampInt(t), clampInt(r), clampInt(bo)};
    setCaption(k, true);
  }
  static int32_t clampInt(I64 v) { return static_cast<int32_t>(std::clamp<I64>(v, INT32_MIN, INT32_MAX)); }

  void finishBuild() {
    resetColours();
    endDrag();
    invalidate();
  }

  // View to picture, keeping a stored value that already maps onto the
  // pixel.
  uint16_t backX(I64 pixel, uint16_t old, const Base& b) const {
    if (toPixelX(old, b) == pixel || (vx() + I64{old} * vw() / pictureW_) == pixel) return old;
    return vw() ? toU16(floorDiv((pixel - vx()) * pictureW_, vw())) : old;
  }
  uint16_t backY(I64 pixel, uint16_t old, const Base& b) const {
    if (toPixelY(old, b) == pixel || (vy() + I64{old} * vh() / pictureH_) == pixel) return old;
    return vh() ? toU16(floorDiv((pixel - vy()) * pictureH_, vh())) : old;
  }

  void storeZone(int k, int channel) {
    Stored& z = stored_[k];
    const Rect& r = zones_[k].rect;
    const Base b = base();
    uint16_t x1 = backX(r.left, z[0], b), y1 = backY(r.top, z[1], b);
    uint16_t x2 = backX(r.right, z[2], b), y2 = backY(r.bottom, z[3], b);
    const ZoneGrid& g = s_.caps.grid;
    if (fullGrid()) {
      const auto round = [](uint16_t v, I64 step) { return toU16((I64{v} + step / 2) / step * step); };
      x1 = round(x1, g.stepX), x2 = round(x2, g.stepX), y1 = round(y1, g.stepY), y2 = round(y2, g.stepY);
      if (g.minWidth != 0 && I64{x2} - x1 < g.minWidth) x2 = toU16(I64{x1} + g.minWidth);
      if (g.minHeight != 0 && I64{y2} - y1 < g.minHeight) y2 = toU16(I64{y1} + g.minHeight);
    } else if (channel <= kAlignedChannels) {
      alignVideoRect(&x1, &y1, &x2, &y2);
    }
    z[0] = x1, z[1] = y1, z[2] = x2, z[3] = y2;
  }

  void defaultZone(int k) {
    const ZoneGrid& g = s_.caps.grid;
    const auto size = [](uint16_t minimum, I64 picture, uint16_t step) {
      if (minimum) return I64{minimum};
      const I64 st = std::max<I64>(step, 1);
      return picture / st / 8 * st;
    };
    stored_[k] = Stored{g.rowsOrMinX, g.colsOrMinY, toU16(size(g.minWidth, pictureW_, g.stepX)),
                        toU16(size(g.minHeight, pictureH_, g.stepY)), 0, 0};
  }

  void clearZone(int k) {
    stored_[k] = Stored{};
    zones_[k] = Zone{};
    resetColours();
  }

  // Mouse.
  int tolerance(int divisor) const { return std::max(0, getOutputFontHeight(s_.output)) / divisor; }

  void hover(int x, int y) {
    for (int k = 0; k < count_; ++k) {
      if (!zones_[k].used) continue;
      const ZoneHit hit = hitZone(zones_[k].rect, x, y, tolerance(3), grid());
      if (hit.cursor == 0) continue;
      SetCursor(GetSystemCursor(hit.cursor));
      mode_ = hit.mode;
      return;
    }
  }

  void press(int x, int y) {
    drag_ = Rect{x, y, x, y};
    dragging_ = true;
    mode_ = ZONE_DRAG_NEW;
    target_ = -1;
    for (int k = 0; k < count_; ++k) {
      Zone& z = zones_[k];
      if (!z.used) continue;
      const ZoneHit hit = hitZone(z.rect, x, y, tolerance(2), grid());
      if (hit.cursor == 0) continue;
      SetCursor(GetSystemCursor(hit.cursor));
      mode_ = hit.mode;
      target_ = k;
      drag_ = z.rect;
      z.used = false;  // free while it is dragged
      if (mode_ == ZONE_DRAG_MOVE)
        offsets_ = {x - z.rect.left, y - z.rect.top, z.rect.right - x, z.rect.bottom - y};
      return;
    }
  }

  void drag(int x, int y) {
    int sx = 1, sy = 1, mw = 0, mh = 0;
    pixelSteps(&sx, &sy);
    minSizes(&mw, &mh);
    const auto run = [&](int mode) {
      return dragZoneRect(mode, x, y, sx, sy, mw + sx, mh + sy, s_.view.left, s_.view.top, s_.view.right,
                          s_.view.bottom, offsets_.data(), &drag_) != 0;
    };
    if (mode_ != ZONE_DRAG_NEW) {
      if (mode_ == ZONE_DRAG_MOVE && !grid()) return;
      if (run(mode_)) invalidate();
    } else if (!grid()) {
      if (run(ZONE_DRAG_NEW) && x % 2 == 0 && y % 2 == 0) invalidate();
    }
  }

  void release() {
    dragging_ = false;
    int k = target_;
    if (k < 0)
      for (int i = 0; i < count_ && k < 0; ++i)
        if (!zones_[i].used) k = i;
    if (k >= 0) {
      Rect r{std::min(drag_.left, drag_.right), std::min(drag_.top, drag_.bottom), std::max(drag_.left, drag_.right),
             std::max(drag_.top, drag_.bottom)};
      if (r.right == r.left || r.bottom == r.top) {
        zones_[k] = Zone{};
        resetColours();
      } else {
        zones_[k].used = true;
        zones_[k].rect = r;
      }
    }
    target_ = -1;
    changed();
  }

  void endDrag() {
    drag_ = Rect{};
    dragging_ = false;
  }

  void changed() { markAreaChanged(s_.page, s_.view, false); }

  void invalidate() const {
    if (s_.page == GUI_INVALID_HANDLE) return;
    const Rect r = s_.view;
    InvalidateRect(s_.page, &r, FALSE);
  }

  void resetColours() {
    for (int k = 0; k < count_; ++k) {
      const int c = s_.colours ? s_.colours[k] : SYSPIXEL_RED;
      zones_[k].colour = c >= 0 && c < kSysPixels ? c : SYSPIXEL_RED;
    }
  }

  void setCaption(int k, bool clear) const {
    const char* key = clear ? s_.clearKey : s_.addKey;
    if (!key || s_.firstToolId == 0 || s_.page == GUI_INVALID_HANDLE) return;
    std::string name(key);
    const size_t at = name.find("%d");
    if (at != std::string::npos) name.replace(at, 2, std::to_string(k + 1));
    // The numbered zone captions are shared by the pages in a section of
    // their own; a page's section may carry its own.
    CtrlResInfo* info = nullptr;
    if (!s_.section || !GetCtrlResInfo(s_.section, name.c_str(), &info) || !info || !info->caption) {
      info = nullptr;
      if (!GetCtrlResInfo(kZoneCaptionSection, name.c_str(), &info) || !info || !info->caption) return;
    }
    SetDlgItemText(s_.page, s_.firstToolId + k, info->caption);
  }

  static void frame(HDC hdc, const Rect& r, int colour) {
    SetDCAttr(hdc, DC_ATTR_PEN_COLOR, SysPixelIndex[colour]);
    Rectangle2(hdc, r.left, r.top, r.right, r.bottom);
  }

  ZoneEditorSetup s_;
  int count_;
  I64 pictureW_ = 704, pictureH_ = 576;
  std::array<Zone, kMaxZones> zones_{};
  std::array<Stored, kMaxZones> stored_{};
  Rect drag_{};
  bool dragging_ = false;
  int mode_ = ZONE_DRAG_NEW;
  int target_ = -1;
  std::array<int, 4> offsets_{};
};

}  // namespace

std::unique_ptr<ZoneEditor> makeZoneEditor(const ZoneEditorSetup& setup) { return std::make_unique<Editor>(setup); }

}  // namespace zones
