// The cell-grid area of a detection page: rows of cells over the live
// picture, one bit per cell in the first word of each row, set or cleared
// by dragging a rectangle with the left button.
#pragma once

#include <array>
#include <cstdint>

#include "app/device_records.h"
#include "gui/common.h"

namespace zones {

struct CellGridSetup {
  WindowHandle page = GUI_INVALID_HANDLE;  // invalidated on change; its Apply enabled
  Rect view{};
  int rows = 18;
  int cols = 22;
};

class CellGrid {
 public:
  explicit CellGrid(const CellGridSetup& setup);

  // The first word of each row of `area` (64 rows of three words).
  void load(const uint32_t* area);
  void store(uint32_t* area) const;
  // Press, move and release; true when the grid took the message.
  bool onMouse(int message, int x, int y);
  // Every cell of the grid's rows, or none (at least the first 18 rows).
  void selectAll();
  void clearAll();
  void paint(HDC hdc) const;
  bool dragging() const { return dragging_; }

 private:
  int cellWidth() const;
  int cellHeight() const;
  Rect cell(int r, int c) const;
  bool inView(int x, int y) const;
  bool onSelectedCell(int x, int y) const;
  void press(int x, int y);
  bool move(int x, int y);
  void release();
  template <class Area>
  friend bool routeAreaMouse(Area& area, int message, int x, int y);
  void changed(bool erase);

  CellGridSetup s_;
  std::array<uint32_t, MOTION_AREA_ROWS> rows_{};
  Rect drag_{};
  Point start_{};
  bool dragging_ = false;
  bool clearing_ = false;
};

}  // namespace zones
