// The "newtoolbar" procedure: item messages, the size rule and the mouse
// with its hot item, checks, drop-down call-backs and click notifications.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "controls/barkit/ctl_util.h"
#include "controls/registry/control_registry.h"
#include "controls/toolbar/newtoolbar_internal.h"
#include "controls/toolbar/toolbar_class.h"
#include "gui/element.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace controls {

namespace {

using namespace barkit;
using ntb::BarData;
using ntb::Item;

int IndexOf(const BarData& d, WParam id) {
  for (size_t i = 0; i < d.items.size(); ++i)
    if (d.items[i].id == static_cast<int>(id)) return static_cast<int>(i);
  return -1;
}

void RepaintItem(WindowHandle hwnd, const BarData& d, int index) {
  if (index < 0) return;
  const Item& it = d.items[static_cast<size_t>(index)];
  const Rect r{it.rect.left - 1, it.rect.top - 1, std::max(it.rect.right, it.labelRect.right) + 1,
               std::max(it.rect.bottom, it.labelRect.bottom) + 1};
  InvalidateRect(hwnd, &r, TRUE);
}

void CopyTip(char out[256], const char* tip) { std::snprintf(out, 256, "%s", tip ? tip : ""); }

LResult AddItem(WindowHandle hwnd, BarData* d, const NtbItemInfo* info) {
  if (!info) return -1;
  Item it;
  it.flags = info->flags;
  it.id = static_cast<int>(info->id);
  it.row = static_cast<int>(info->row);
  ntb::CopyLabel(hwnd, it.label, info->text);
  CopyTip(it.tip, info->tip);
  it.hotspot = info->hotspot;
  it.arrow = info->arrow;
  it.addData = info->addData;
  try {
    d->items.push_back(it);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  ntb::Place(hwnd, d, d->items.size() - 1, false);
  RepaintItem(hwnd, *d, static_cast<int>(d->items.size() - 1));
  return 0;
}

LResult GetItem(BarData* d, WParam id, NtbItemInfo* info) {
  const int index = IndexOf(*d, id);
  if (!info || index < 0) return -1;
  const Item& it = d->items[static_cast<size_t>(index)];
  if (info->which & MTB_WHICH_FLAGS) info->flags = it.flags;
  if (info->which & MTB_WHICH_ID) info->id = it.id;
  if ((info->which & MTB_WHICH_TEXT) && info->text) std::snprintf(info->text, 16, "%s", it.label);
  if ((info->which & MTB_WHICH_TIP) && info->tip) std::snprintf(info->tip, 256, "%s", it.tip);
  if (info->which & MTB_WHICH_CELL) info->row = it.row;
  if (info->which & MTB_WHICH_HOTSPOT) info->hotspot = it.hotspot, info->arrow = it.arrow;
  if (info->which & MTB_WHICH_ADDDATA) info->addData = it.addData;
  return 0;
}

LResult SetItem(WindowHandle hwnd, BarData* d, WParam id, const NtbItemInfo* info) {
  const int index = IndexOf(*d, id);
  if (!info || index < 0) return -1;
  Item& it = d->items[static_cast<size_t>(index)];
  if (info->which & MTB_WHICH_FLAGS) it.flags = info->flags;
  if (info->which & MTB_WHICH_ID) it.id = static_cast<int>(info->id);
  if (info->which & MTB_WHICH_TIP) CopyTip(it.tip, info->tip);
  if (info->which & MTB_WHICH_CELL) it.row = static_cast<int>(info->row);
  if (info->which & MTB_WHICH_HOTSPOT) it.hotspot = info->hotspot, it.arrow = info->arrow;
  if (info->which & MTB_WHICH_ADDDATA) it.addData = info->addData;
  if (info->which & MTB_WHICH_TEXT) {
    ntb::CopyLabel(hwnd, it.label, info->text);
    if (d->style & NTBS_TEXTRIGHT) {
      ntb::Relayout(hwnd, d);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
  }
  RepaintItem(hwnd, *d, index);
  return 0;
}

int HitTest(const BarData& d, int x, int y) {
  for (size_t i = 0; i < d.items.size(); ++i) {
    const Item& it = d.items[i];
    if (!it.NewLine() && !it.Separator() && Contains(it.rect, x, y)) return static_cast<int>(i);
  }
  return -1;
}

void SetHot(WindowHandle hwnd, BarData* d, int index) {
  if (index == d->hot) return;
  RepaintItem(hwnd, *d, d->hot);
  d->hot = index;
  RepaintItem(hwnd, *d, index);
}

void Release(WindowHandle hwnd, BarData* d, bool right, int x, int y) {
  d->pressed = false;
  if (GetCapture() == hwnd) ReleaseCapture();
  const int index = HitTest(*d, x, y);
  if (index < 0 || index != d->hot) return SetHot(hwnd, d, -1);
  Item& it = d->items[static_cast<size_t>(index)];
  const Rect arrow{it.rect.left + it.arrow.left, it.rect.top + it.arrow.top, it.rect.left + it.arrow.right,
                   it.rect.top + it.arrow.bottom};
  if (it.Type() == NTBIF_HOTSPOTBUTTON && it.hotspot && Contains(arrow, x, y)) {
    Rect screen = it.rect;
    ClientToScreen(hwnd, &screen.left, &screen.top);
    ClientToScreen(hwnd, &screen.right, &screen.bottom);
    it.hotspot(hwnd, it.id, &screen, x, y);
  } else {
    if (it.Type() == NTBIF_CHECKBUTTON && !right) it.flags ^= NTBIF_CHECKED;
    NotifyParentEx(hwnd, right ? (it.id | NTB_RIGHT_CLICK) : it.id, 0);
  }
  RepaintItem(hwnd, *d, index);
}

void Mouse(WindowHandle hwnd, BarData* d, int msg, LParam lParam) {
  const int x = LowX(lParam), y = HighY(lParam);
  if (msg == MSG_LBUTTONDOWN || msg == MSG_RBUTTONDOWN) {
    const int index = HitTest(*d, x, y);
    if (index < 0 || d->items[static_cast<size_t>(index)].Disabled() || GetCapture() == hwnd) return;
    SetCapture(hwnd);
    d->pressed = true;
    SetHot(hwnd, d, index);
    RepaintItem(hwnd, *d, index);
  } else if (msg == MSG_MOUSEMOVE) {
    if (GetCapture() == hwnd) return;
    const int index = HitTest(*d, x, y);
    SetHot(hwnd, d, index >= 0 && !d->items[static_cast<size_t>(index)].Disabled() ? index : -1);
  } else {
    Release(hwnd, d, msg == MSG_RBUTTONUP, x, y);
  }
}

LResult Create(WindowHandle hwnd) {
  BarData* d = NewData<BarData>(hwnd);
  if (!d) return -1;
  d->style = GetWindowStyle(hwnd);
  const auto* data = reinterpret_cast<const NtbCreateData*>(GetWindowAdditionalData(hwnd));
  if (data) ntb::SetImage(d, data);
  return 0;
}

LResult NewToolBarProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) return Create(hwnd) < 0 ? -1 : Default(hwnd, msg, wParam, lParam);
  BarData* d = Data<BarData>(hwnd);
  switch (msg) {
    case NTBM_ADDITEM: return d ? AddItem(hwnd, d, reinterpret_cast<const NtbItemInfo*>(lParam)) : -1;
    case NTBM_GETITEM: return d ? GetItem(d, wParam, reinterpret_cast<NtbItemInfo*>(lParam)) : -1;
    case NTBM_SETITEM: return d ? SetItem(hwnd, d, wParam, reinterpret_cast<const NtbItemInfo*>(lParam)) : -1;
    case NTBM_ENABLEITEM: {
      const int index = d ? IndexOf(*d, wParam) : -1;
      if (index < 0) return -1;
      uint32_t& flags = d->items[static_cast<size_t>(index)].flags;
      flags = lParam ? (flags & ~NTBIF_DISABLED) : (flags | NTBIF_DISABLED);
      RepaintItem(hwnd, *d, index);
      return 0;
    }
    case NTBM_SETBITMAP:
      if (!d || !lParam) return -1;
      ntb::SetImage(d, reinterpret_cast<const NtbCreateData*>(lParam));
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case MSG_SIZECHANGING:
      if (d) ntb::SizeRule(hwnd, *d, reinterpret_cast<const Rect*>(wParam), reinterpret_cast<Rect*>(lParam));
      return 0;
    case MSG_PAINT: return PaintWith(hwnd, [&](HDC hdc) { if (d) ntb::Paint(hwnd, hdc, *d); });
    case MSG_NCPAINT: return 0;
    case MSG_DESTROY: FreeData<BarData>(hwnd); break;
    case MSG_FONTCHANGED:
      if (!d) break;
      ntb::Relayout(hwnd, d);
      {
        Rect r{};
        GetWindowRect(hwnd, &r);
        MoveWindow(hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
      }
      break;
    case MSG_MOUSEENTER:
      if (d && wParam == 0) SetHot(hwnd, d, -1);
      break;
    case MSG_LBUTTONDOWN: case MSG_LBUTTONDBLCLK: case MSG_LBUTTONUP: case MSG_MOUSEMOVE: case MSG_RBUTTONDOWN:
    case MSG_RBUTTONDBLCLK: case MSG_RBUTTONUP:
      if (d) Mouse(hwnd, d, PressOf(msg), ClientPosition(hwnd, wParam, lParam));
      break;
    default: break;
  }
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace

BOOL RegisterNewToolBarControl() {
  return RegisterBuiltinClass("newtoolbar", 0, Color(WEC_BKC_CONTROL_NORMAL), NewToolBarProc);
}

}  // namespace controls
