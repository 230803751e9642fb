// Shared by the property sheet's files: its pages, geometry and the steps
// that change the active page.
#pragma once

#include <memory>
#include <vector>

#include "gui/bitmap.h"
#include "gui/common.h"

namespace propsheet {

struct Page {
  char* title = nullptr;  // fixed string, owned
  uint32_t icon = 0;
  int width = 0;
  WindowHandle hwnd = 0;
  WindowProc proc = nullptr;
  bool disabled = false;
};

struct Sheet {
  int headLeft = 0, headTop = 0, headRight = 0, headBottom = 0;
  int tabSum = 0;
  int active = -1, firstVisible = -1;
  bool overflow = false;
  bool scrollable = false;  // the layout, fixed at creation
  std::vector<std::unique_ptr<Page>> pages;

  int Count() const { return static_cast<int>(pages.size()); }
  bool Valid(int i) const { return i >= 0 && i < Count(); }
};

enum class Layout { kEqual, kCompact, kScrollable };
enum class Header { kTop, kBottom, kNone };

Layout LayoutOf(uint32_t style);
Header HeaderOf(uint32_t style);
Sheet* SheetOf(WindowHandle hwnd);

// Process-wide skins; the sheet is skinned while the light one is set.
const Bitmap* LightSkin();
const Bitmap* DarkSkin();
bool Skinned();
void LoadSkins(bool plain);

int SbWidth();
const Bitmap* IconBitmap(uint32_t icon);

// Geometry.
void PlaceHeader(WindowHandle hwnd, Sheet* s, int width, int height);
void RecalcWidths(WindowHandle hwnd, Sheet* s);
int TabWidth(WindowHandle hwnd, const Page& page, int limit);
int ScrollLimit(const Sheet* s);
void RecalcFirstVisible(Sheet* s);
void MovePages(WindowHandle hwnd, Sheet* s);

// Steps.
void ShowPage(const Page& page, bool show);
void Activate(WindowHandle hwnd, Sheet* s, int index);
void ForwardStep(WindowHandle hwnd, Sheet* s, bool wrap);
void BackwardStep(WindowHandle hwnd, Sheet* s);
void Click(WindowHandle hwnd, Sheet* s, int x, int y);
// Where a click finds tab `index`: [left, right) in the sheet's client
// coordinates, between header top and bottom; false when it is not shown.
bool TabSpan(const Sheet* s, int index, int* left, int* right);
// The switch key's request that the next forward step wraps from the
// last page.
void RequestSwitch();
// -1 when no other page is enabled.
int NextEnabledWrapping(const Sheet* s);
int NearestEnabledBefore(const Sheet* s, int index);

void Paint(WindowHandle hwnd, Sheet* s);

}  // namespace propsheet
