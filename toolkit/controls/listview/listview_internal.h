// Inside the list view: its record, rows, cells and columns, and the steps
// the message, painting and input files share.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/bitmap.h"
#include "gui/listview.h"

struct ListViewCell {
  int column = 0;
  uint32_t flags = 0;
  bool hasText = false;
  std::string text;
  GalPixel barColor = 0;
  int barStart = 0, barEnd = 0;
  GalPixel textColor = 0;
  uintptr_t image = 0;
};

struct ListViewRow {
  std::vector<ListViewCell> cells;
  uint32_t flags = 0;
  int height = 0;
  int depth = 0;
  uint32_t checked = 0;
  uint32_t enabled = 1;
  int key = 0;
  ListViewRow* nextSibling = nullptr;
  ListViewRow* firstChild = nullptr;
  ListViewRow* lastChild = nullptr;  // appending walks no siblings
  int childCount = 0;
  ListViewRow* parent = nullptr;
  int descendants = 0;
  uintptr_t addData = 0;
  GuiListItem* item = nullptr;
};

struct ListViewColumn {
  int x = 0;
  int width = 0;
  uint32_t sortState = 2;
  bool hasText = false;
  std::string text;
  ListViewCompare compare = nullptr;
  uint32_t headerCheck = 2;
  uintptr_t image = 0;
  uint32_t flags = 0;
};

// Mouse flags.
constexpr uint32_t kDragBorder = 0x01, kHeadPressed = 0x02, kInPressed = 0x04, kRowPressed = 0x08;
constexpr uint32_t kCaptured = 0x10, kFocusEmpty = 0x20;

struct ListViewData {
  ScrollViewData sv;  // first: the scroll view's functions work on it unchanged
  int headerHeight = 0;
  int totalWidth = 0;
  GalPixel focusColor = 0;
  int resizeColumn = -1;
  int pressedColumn = -1;
  uint32_t mouseFlags = 0;
  std::vector<std::unique_ptr<ListViewColumn>> columns;
  WindowHandle hwnd = 0;
  ListViewTextCompare textCmp = nullptr;
  ListViewCompare sortCmp = nullptr;
  int sortDir = 2;
  int sortColumn = 0;
  ListViewRow root;
  ListViewHeaderProcs headerProcs{};
  uint32_t lockA = 0, lockB = 0;
  int curColumn = 0, caretOffset = 0;
  int fontHeight = 0;
  GuiListItem* paintItem = nullptr;  // the last row painted and its index: striping without a walk
  int paintIndex = -1;
  uint32_t paintVersion = 0;
};

namespace listview {

ListViewData* DataOf(WindowHandle hwnd);
ListViewRow* RowOf(GuiListItem* item);
GuiList* ListOf(ListViewData* lv);
int ColumnCount(const ListViewData* lv);
ListViewColumn* Column(ListViewData* lv, int index);
// The row named by lParam, else the row at list index wParam.
ListViewRow* RowArg(ListViewData* lv, WParam index, LParam row);
ListViewRow* RowAtIndex(ListViewData* lv, int index);
int RowIndex(ListViewData* lv, ListViewRow* row);
ListViewCell* CellAt(ListViewRow* row, int column);
void ResetRoot(ListViewData* lv);

// The row tree (listview_rows.cpp).
ListViewRow* AddRow(ListViewData* lv, ListViewRow* parent, const ListViewItemInfo* info);
int DeleteRow(ListViewData* lv, ListViewRow* row);
void DeleteAllRows(ListViewData* lv);
int AddColumn(ListViewData* lv, ListViewColumnInfo* info);
int DeleteColumn(ListViewData* lv, int index);
void SetColumnWidth(ListViewData* lv, int index, int width);
int SetCell(ListViewData* lv, ListViewRow* row, const ListViewSubItemInfo* info);
int Sort(ListViewData* lv, ListViewCompare cmp, int direction, int column);
ListViewRow* FindRow(ListViewData* lv, ListViewRow* parent, const ListViewFindInfo* info);
int Fold(ListViewData* lv, ListViewRow* row, bool fold);
bool HasFoldedAncestor(const ListViewRow* row);
void SetRowHeight(ListViewData* lv, ListViewRow* row, int height);
void FreeRowItem(WindowHandle hwnd, GuiListItem* item);
void RefreshRow(ListViewData* lv, ListViewRow* row);

// Painting and input (listview_paint.cpp, listview_input.cpp).
void DrawRow(WindowHandle hwnd, GuiListItem* item, HDC hdc, Rect* rc);
void PaintHeader(ListViewData* lv, HDC hdc);
void PaintFocus(ListViewData* lv, HDC hdc);
void RepaintHeader(ListViewData* lv);
LResult HandleInput(ListViewData* lv, int message, WParam wParam, LParam lParam, bool* handled);
const Bitmap* CheckBoxBitmap();
const Bitmap* FoldBitmap();
void LoadFoldBitmaps();

}  // namespace listview
