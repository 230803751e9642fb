// The "toolbar" control: picture buttons in a row; the item under a press
// reports its identifier when the button is released over it again.
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "controls/barkit/ctl_util.h"
#include "controls/registry/control_registry.h"
#include "controls/toolbar/toolbar_class.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/image.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/toolbar.h"

namespace controls {

namespace {

using namespace barkit;

struct ToolItem {
  int id = 0, index = 0;
  Rect rect{};
  Bitmap normal{}, hotOwn{}, pushedOwn{};
  const Bitmap *hot = &normal, *pushed = &normal;
  std::unique_ptr<ToolItem> next;

  ~ToolItem() {
    UnloadBitmap(&normal);  // hot and pushed share it unless loaded apart
    if (hot == &hotOwn) UnloadBitmap(&hotOwn);
    if (pushed == &pushedOwn) UnloadBitmap(&pushedOwn);
  }
};

struct ToolBarData {
  int count = 0, itemWidth = 0, itemHeight = 0;
  std::unique_ptr<ToolItem> first;
  ToolItem* last = nullptr;
  int pushed = -1, tracking = 0, hot = -1;
};

// A path is read only within its field; a picture that fails to load
// stays empty and draws nothing.
bool Load(HDC hdc, Bitmap* bitmap, const char* field) {
  const std::string path(field, strnlen(field, TOOLBAR_PATH_SIZE));
  if (path.empty()) return false;
  if (LoadBitmapFromFile(hdc, bitmap, path.c_str()) == 0) return true;
  *bitmap = Bitmap{};
  return true;
}

void Draw(HDC hdc, const ToolItem& item, const Bitmap* b) {
  if (b && b->bmBits) FillBoxWithBitmap(hdc, item.rect.left, item.rect.top, 0, 0, b);
}

template <typename Body>
void WithDC(WindowHandle hwnd, Body body) {
  HDC hdc = GetClientDC(hwnd);
  if (hdc == HDC_INVALID || hdc == 0) return;
  body(hdc);
  ReleaseDC(hdc);
}

void DrawAllNormal(WindowHandle hwnd, const ToolBarData& d) {
  WithDC(hwnd, [&](HDC hdc) {
    for (const ToolItem* i = d.first.get(); i; i = i->next.get()) Draw(hdc, *i, &i->normal);
  });
}

void DrawOne(WindowHandle hwnd, const ToolItem& item, const Bitmap* b) {
  WithDC(hwnd, [&](HDC hdc) { Draw(hdc, item, b); });
}

ToolItem* HitTest(const ToolBarData& d, int x, int y) {
  for (ToolItem* i = d.first.get(); i; i = i->next.get())
    if (Contains(i->rect, x, y)) return i;
  return nullptr;
}

void AddItem(WindowHandle hwnd, ToolBarData* d, const ToolbarItemInfo* info) {
  if (!info) return;
  auto item = std::unique_ptr<ToolItem>(new (std::nothrow) ToolItem);
  if (!item) return;
  item->id = info->id;
  item->index = d->count;
  const int left = d->last ? d->last->rect.right : 0;
  item->rect = Rect{left, 0, left + d->itemWidth, d->itemHeight};
  HDC hdc = GetClientDC(hwnd);
  Load(hdc, &item->normal, info->normalPath);
  if (Load(hdc, &item->hotOwn, info->hotPath)) item->hot = &item->hotOwn;
  if (Load(hdc, &item->pushedOwn, info->pushedPath)) item->pushed = &item->pushedOwn;
  if (hdc != HDC_INVALID && hdc != 0) ReleaseDC(hdc);
  ToolItem* raw = item.get();
  (d->last ? d->last->next : d->first) = std::move(item);
  d->last = raw;
  ++d->count;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void Mouse(WindowHandle hwnd, ToolBarData* d, int msg, LParam lParam) {
  int x = LowX(lParam), y = HighY(lParam);
  if (msg == MSG_LBUTTONDOWN) {
    if (GetCapture() == hwnd) return;
    SetCapture(hwnd);
    ToolItem* item = HitTest(*d, x, y);
    // A press off every item forgets the last pressed one, so a later
    // release cannot report an item that was not pressed.
    d->pushed = item ? item->index : -1;
    if (!item) return;
    d->tracking = 1;
    DrawOne(hwnd, *item, item->pushed);
    return;
  }
  if (msg == MSG_MOUSEMOVE) {
    ToolItem* item = HitTest(*d, x, y);
    if (!item) return DrawAllNormal(hwnd, *d);
    if (item->index != d->hot) {
      d->hot = item->index;
      DrawAllNormal(hwnd, *d);
    }
    if (d->tracking && item->index == d->pushed) DrawOne(hwnd, *item, item->pushed);
    else if (!d->tracking) DrawOne(hwnd, *item, item->hot);
    return;
  }
  d->tracking = 0;
  if (GetCapture() != hwnd) return;
  ReleaseCapture();
  ToolItem* item = HitTest(*d, x, y);
  if (!item) return DrawAllNormal(hwnd, *d);
  DrawOne(hwnd, *item, item->hot);
  InvalidateRect(hwnd, nullptr, FALSE);
  if (item->index == d->pushed) NotifyParentEx(hwnd, item->id, 0);
}

LResult ToolBarProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  ToolBarData* d = Data<ToolBarData>(hwnd);
  switch (msg) {
    case MSG_CREATE: {
      ToolBarData* fresh = NewData<ToolBarData>(hwnd);
      if (!fresh) return -1;
      const uintptr_t sizes = static_cast<uintptr_t>(GetWindowAdditionalData(hwnd));
      fresh->itemWidth = static_cast<int>((sizes >> 16) & 0xFFFF);
      fresh->itemHeight = static_cast<int>(sizes & 0xFFFF);
      break;
    }
    case MSG_DESTROY: FreeData<ToolBarData>(hwnd); break;
    case MSG_PAINT:
      return PaintWith(hwnd, [&](HDC hdc) {
        for (const ToolItem* i = d ? d->first.get() : nullptr; i; i = i->next.get()) Draw(hdc, *i, &i->normal);
      });
    case TOOLBAR_ADDITEM:
      if (d) AddItem(hwnd, d, reinterpret_cast<const ToolbarItemInfo*>(lParam));
      break;
    case MSG_LBUTTONDOWN: case MSG_LBUTTONDBLCLK: case MSG_LBUTTONUP: case MSG_MOUSEMOVE:
      if (d) Mouse(hwnd, d, PressOf(msg), ClientPosition(hwnd, wParam, lParam));
      break;
    case MSG_MOUSEENTER:
      if (d && wParam == 0) DrawAllNormal(hwnd, *d);
      break;
    default: break;
  }
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace

BOOL RegisterToolBarControl() {
  return RegisterBuiltinClass("toolbar", 0, Color(WEC_BKC_CONTROL_NORMAL), ToolBarProc);
}

}  // namespace controls
