// The zone editor with the toolkit running: stored zones survive loading,
// building and storing unchanged for random capabilities, views and zones;
// and the mouse draws, resizes, moves and drops zones as the rules say.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/alarmnet/zones/zone_editor.h"
#include "app/app_registry.h"
#include "app/testing/page_harness.h"
#include "gui/gal.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/paint.h"
#include "gui/message.h"
#include "gui/window.h"

namespace {

using Zones = std::vector<std::vector<int>>;

constexpr int kColours[] = {SYSPIXEL_YELLOW, SYSPIXEL_GREEN, SYSPIXEL_BLUE, SYSPIXEL_LIGHTGREY};
constexpr int kFirstTool = 19255, kClearAll = 19254;
constexpr int kUnaligned = 17;  // a channel whose zones are not aligned to 8

zones::ZoneEditorSetup EditorSetup(const AreaCaps& caps, Rect view, int count) {
  zones::ZoneEditorSetup s;
  s.view = view;
  s.output = 3;
  s.caps = caps;
  s.zoneCount = count;
  s.firstToolId = kFirstTool;
  s.clearAllId = kClearAll;
  s.colours = kColours;
  return s;
}

void Put(uint32_t* area, const Zones& zones) {
  for (size_t k = 0; k < zones.size(); ++k)
    for (int i = 0; i < 6; ++i) {
      const uint16_t v = static_cast<uint16_t>(zones[k][i]);
      std::memcpy(reinterpret_cast<uint8_t*>(area) + k * 12 + i * 2, &v, 2);
    }
}
Zones Get(const uint32_t* area, size_t count) {
  Zones out(count, std::vector<int>(6));
  for (size_t k = 0; k < count; ++k)
    for (int i = 0; i < 6; ++i) {
      uint16_t v = 0;
      std::memcpy(&v, reinterpret_cast<const uint8_t*>(area) + k * 12 + i * 2, 2);
      out[k][i] = v;
    }
  return out;
}

class ZoneEditor : public livetest::LiveGui {};

// Load, build and store without a change keeps every stored value: free
// drawing at any coordinates (aligned ones for the first sixteen channels),
// grids whose steps are whole pixels, corners on the capability's edges.
TEST_F(ZoneEditor, StoringUnchangedZonesKeepsEveryValue) {
  std::mt19937 rng(48);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int mw = 1 + 600 * 32 / getScreenWidth(3), mh = 1 + 600 * 32 / getScreenHeight(3);
  for (int i = 0; i < 600; ++i) {
    AreaCaps caps{};
    caps.zoneCount = static_cast<uint16_t>(pick(1, 4));
    caps.areaMode = 2;
    const bool grid = pick(0, 1);
    const int channel = pick(0, 1) ? kUnaligned : pick(1, 16);
    int sx = 1, sy = 1, px = 1, py = 1, cols = pick(60, 700), rows = pick(60, 600);
    if (grid) sx = pick(2, 16), sy = pick(2, 16), px = pick(1, 6), py = pick(1, 6), cols = pick(12, 80), rows = pick(12, 80);
    // The first sixteen channels store x on multiples of 8 and y even.
    const bool aligned = !grid && channel <= 16;
    if (aligned) cols &= ~7, rows &= ~1;
    const int W = sx * cols, H = sy * rows;
    const Rect view{pick(0, 300), pick(0, 200), 0, 0};
    const int w = grid ? px * cols : pick(64, 600), h = grid ? py * rows : pick(64, 500);
    if (W > 65535 || H > 65535) continue;
    const int minX = grid ? sx * pick(0, 2) : pick(0, 20) & (aligned ? ~7 : ~0);
    const int minY = grid ? sy * pick(0, 2) : pick(0, 20) & (aligned ? ~1 : ~0);
    caps.grid = ZoneGrid{static_cast<uint16_t>(W), static_cast<uint16_t>(H), static_cast<uint16_t>(minX),
                         static_cast<uint16_t>(minY), static_cast<uint16_t>(W), static_cast<uint16_t>(H),
                         0, 0, static_cast<uint16_t>(grid ? sx : pick(0, 1)), static_cast<uint16_t>(grid ? sy : pick(0, 1))};
    if (grid && pick(0, 1)) caps.grid.minWidth = static_cast<uint16_t>(sx), caps.grid.minHeight = static_cast<uint16_t>(sy);
    const Rect v{view.left, view.top, view.left + w, view.top + h};
    // A value on the axis: on a step with a grid, aligned for the first
    // sixteen channels without one.
    const auto value = [&](int lo, int hi, int step, int align) {
      int val = pick(lo, hi);
      if (step > 1) val = val / step * step;
      if (step <= 1 && channel <= 16) val &= ~(align - 1);
      return std::max(val, 0);
    };
    Zones zones(static_cast<size_t>(caps.zoneCount), std::vector<int>(6, 0));
    for (auto& z : zones) {
      if (pick(0, 4) == 0) continue;  // an empty zone, stored as zeros
      for (int tries = 0; tries < 50; ++tries) {
        const int x1 = pick(0, 3) == 0 ? minX : value(minX, W, sx, 8), x2 = pick(0, 3) == 0 ? W : value(minX, W, sx, 8);
        const int y1 = pick(0, 3) == 0 ? minY : value(minY, H, sy, 2), y2 = pick(0, 3) == 0 ? H : value(minY, H, sy, 2);
        // Wide enough in pixels not to be widened to the smallest zone.
        if (static_cast<long>(x2 - x1) * w / W <= mw + sx * px || static_cast<long>(y2 - y1) * h / H <= mh + sy * py) continue;
        z = {x1, y1, x2, y2, pick(0, 65535), pick(0, 65535)};
        break;
      }
    }
    uint32_t area[MOTION_AREA_ROWS][3]{};
    Put(area[0], zones);
    auto editor = zones::makeZoneEditor(EditorSetup(caps, v, caps.zoneCount));
    editor->load(area[0]);
    uint32_t out[MOTION_AREA_ROWS][3]{};
    Put(out[0], Zones(zones.size(), std::vector<int>{1, 2, 3, 4, 5, 6}));
    std::memcpy(out, area, sizeof out);
    editor->store(out[0], channel);
    ASSERT_EQ(Get(out[0], zones.size()), zones) << "case " << i << " grid " << grid << " channel " << channel;
  }
}

// Free drawing on a 352 x 288 view of a 704 x 576 picture: each picture
// unit is half a pixel.
class FreeZones : public ZoneEditor {
 protected:
  void SetUp() override {
    ZoneEditor::SetUp();
    AreaCaps caps{1, 2, 2, ZoneGrid{704, 576, 0, 0, 704, 576, 0, 0, 1, 1}};
    editor_ = zones::makeZoneEditor(EditorSetup(caps, view_, 2));
    editor_->load(area_[0]);
  }
  void Drag(int x0, int y0, int x1, int y1) {
    editor_->onMouse(MSG_MOUSEMOVE, x0, y0);
    EXPECT_TRUE(editor_->onMouse(MSG_LBUTTONDOWN, x0, y0));
    if (x1 != x0 || y1 != y0) editor_->onMouse(MSG_MOUSEMOVE, x1, y1);
    EXPECT_TRUE(editor_->onMouse(MSG_LBUTTONUP, x1, y1));
  }
  Zones Stored() {
    editor_->store(area_[0], kUnaligned);
    return Get(area_[0], 2);
  }
  const Rect view_{100, 100, 452, 388};
  uint32_t area_[MOTION_AREA_ROWS][3]{};
  std::unique_ptr<zones::ZoneEditor> editor_;
};

TEST_F(FreeZones, DrawResizeDropAndClear) {
  const std::vector<int> none(6, 0);
  Drag(120, 120, 200, 180);
  EXPECT_EQ(Stored(), (Zones{{40, 40, 200, 160, 0, 0}, none}));
  // Drawn backwards from the bottom-right: ordered on release.
  Drag(300, 300, 250, 260);
  EXPECT_EQ(Stored(), (Zones{{40, 40, 200, 160, 0, 0}, {300, 320, 400, 400, 0, 0}}));
  // Without a grid the inside of a zone starts a new rectangle, which finds
  // no free zone; a click without a drag leaves everything as it was.
  Drag(160, 150, 400, 350);
  Drag(420, 120, 420, 120);
  EXPECT_EQ(Stored(), (Zones{{40, 40, 200, 160, 0, 0}, {300, 320, 400, 400, 0, 0}}));
  // The right edge follows the pointer; the left edge stops the smallest
  // zone (32 screen pixels on the view, plus a step) short of it.
  Drag(200, 150, 260, 150);
  EXPECT_EQ(Stored()[0], (std::vector<int>{40, 40, 320, 160, 0, 0}));
  const int smallest = 352 * 32 / getScreenWidth(3) + 1;
  Drag(120, 150, 440, 150);
  EXPECT_EQ(Stored()[0], (std::vector<int>{(260 - smallest - 100) * 2, 40, 320, 160, 0, 0}));
  // A press outside the view is not the editor's; a release without a
  // press neither.
  EXPECT_FALSE(editor_->onMouse(MSG_LBUTTONDOWN, 460, 120));
  EXPECT_FALSE(editor_->onMouse(MSG_LBUTTONUP, 460, 120));
  // The tool of zone 2 clears it; a click then leaves it empty.
  EXPECT_TRUE(editor_->onTool(kFirstTool + 1));
  Drag(420, 120, 420, 120);
  EXPECT_EQ(Stored()[1], none);
  EXPECT_FALSE(editor_->onTool(kFirstTool + 2));  // no third zone
  EXPECT_TRUE(editor_->onTool(kClearAll));
  EXPECT_EQ(Stored(), (Zones{none, none}));
}

// A grid of 16 picture units (8 pixels): the tool toggles a default zone,
// the inside moves the zone by whole steps, and no new zone is drawn.
TEST_F(ZoneEditor, GridZonesToggleAndMoveByWholeSteps) {
  AreaCaps caps{1, 1, 2, ZoneGrid{704, 576, 0, 0, 704, 576, 0, 0, 16, 16}};
  const Rect view{100, 100, 452, 388};
  // The zone tool on a page: its caption offers what a press does, read
  // from the shared zone captions.
  const WindowHandle page = Main({0, 0, 500, 400}, DefaultMainWinProc);
  CreateWindowEx("button", "", WS_CHILD | WS_VISIBLE, 0, kFirstTool, 0, 0, 100, 30, page, 0);
  const auto caption = [page] {
    char text[64] = "";
    GetDlgItemText(page, kFirstTool, text, sizeof text);
    return std::string(text);
  };
  zones::ZoneEditorSetup setup = EditorSetup(caps, view, 1);
  setup.page = page;
  setup.addKey = "addzone%d";
  setup.clearKey = "clearzone%d";
  auto editor = zones::makeZoneEditor(setup);
  uint32_t area[MOTION_AREA_ROWS][3]{};
  editor->load(area[0]);
  EXPECT_EQ(caption(), "Add Zone 1");
  const auto stored = [&] {
    editor->store(area[0], 1);
    return Get(area[0], 1)[0];
  };
  editor->onMouse(MSG_LBUTTONDOWN, 150, 150);
  editor->onMouse(MSG_MOUSEMOVE, 250, 250);
  editor->onMouse(MSG_LBUTTONUP, 250, 250);
  EXPECT_EQ(stored(), std::vector<int>(6, 0));
  EXPECT_TRUE(editor->onTool(kFirstTool));
  EXPECT_EQ(stored(), (std::vector<int>{0, 0, 80, 64, 0, 0}));
  EXPECT_EQ(caption(), "Clear Zone 1");
  // Pressed at (120, 116) inside the 40 x 32 pixel zone, moved by 13 and 7
  // pixels: the zone stops on whole steps, 16 and 8 pixels on.
  editor->onMouse(MSG_LBUTTONDOWN, 120, 116);
  editor->onMouse(MSG_MOUSEMOVE, 133, 123);
  editor->onMouse(MSG_LBUTTONUP, 133, 123);
  EXPECT_EQ(stored(), (std::vector<int>{32, 16, 112, 80, 0, 0}));
  EXPECT_TRUE(editor->onTool(kFirstTool));
  EXPECT_EQ(stored(), std::vector<int>(6, 0));
  EXPECT_EQ(caption(), "Add Zone 1");
}

// Four zones painted last to first, two pixels wide in their colours, so
// that zone 1 lies on top where they cross; a zone being dragged is drawn
// red and its own colour is not painted meanwhile.
zones::ZoneEditor* g_painted = nullptr;
LResult PaintZonesProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message != MSG_PAINT) return DefaultMainWinProc(hwnd, message, wParam, lParam);
  const HDC hdc = BeginPaint(hwnd);
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, SysPixelIndex[SYSPIXEL_BLACK]);
  FillBox(hdc, 0, 0, 480, 400);
  if (g_painted) g_painted->paint(hdc);
  EndPaint(hwnd, hdc);
  return 0;
}

TEST_F(ZoneEditor, FourZonesAndADrawnRectangleOnScreen) {
  const WindowHandle page = Main({0, 0, 480, 400}, PaintZonesProc);
  AreaCaps caps{1, 4, 2, ZoneGrid{704, 576, 0, 0, 704, 576, 0, 0, 1, 1}};
  zones::ZoneEditorSetup setup = EditorSetup(caps, Rect{20, 20, 372, 308}, 4);
  setup.page = page;
  auto editor = zones::makeZoneEditor(setup);
  uint32_t area[MOTION_AREA_ROWS][3]{};
  Put(area[0], Zones{{40, 40, 300, 240, 0, 0}, {200, 160, 500, 400, 0, 0}, {400, 40, 700, 300, 0, 0},
                     {100, 300, 600, 576, 0, 0}});
  editor->load(area[0]);
  g_painted = editor.get();
  // A press on the top edge of zone 3 drags that edge down.
  editor->onMouse(MSG_LBUTTONDOWN, 330, 40);
  editor->onMouse(MSG_MOUSEMOVE, 360, 80);
  InvalidateRect(page, nullptr, FALSE);
  UpdateWindow(page, TRUE);
  desktest::Drain();
  Rect r{};
  GetWindowRect(page, &r);
  livetest::MatchesReference(__FILE__, "four_zones", livetest::SettledGrab(r));
  g_painted = nullptr;
}

}  // namespace
