// Per-window overrides of single element metrics and colours: a circular
// list with a head node hung on the window record, made on first use and
// freed with the window.
#include "core/element/element_attrs.h"

#include <new>

#include "core/desktop/desktop.h"
#include "gui/element.h"

namespace {

enum AttrKind : uint16_t { kMetric = 1, kColor = 2 };

struct AttrNode {
  AttrNode* next;
  AttrNode* prev;
  uint16_t kind;
  uint16_t index;
  uint32_t value;
};

AttrNode* Head(WindowRecord* win) { return static_cast<AttrNode*>(win->attributes); }

// 0 found (value filled), -2 no list, -3 no such node.
int Lookup(WindowRecord* win, uint16_t kind, uint16_t index, uint32_t* value) {
  AttrNode* head = Head(win);
  if (!head) return -2;
  for (AttrNode* n = head->next; n != head; n = n->next) {
    if (n->kind == kind && n->index == index) {
      *value = n->value;
      return 0;
    }
  }
  return -3;
}

// 0 stored (old value returned through value), 1 a new node, 2 unchanged,
// -4 no memory.
int Store(WindowRecord* win, uint16_t kind, uint16_t index, uint32_t* value) {
  AttrNode* head = Head(win);
  if (!head) {
    head = new (std::nothrow) AttrNode{};
    if (!head) return -4;
    head->next = head->prev = head;
    win->attributes = head;
  }
  for (AttrNode* n = head->next; n != head; n = n->next) {
    if (n->kind != kind || n->index != index) continue;
    if (n->value == *value) return 2;
    uint32_t old = n->value;
    n->value = *value;
    *value = old;
    return 0;
  }
  AttrNode* node = new (std::nothrow) AttrNode{head, head->prev, kind, index, *value};
  if (!node) return -4;
  head->prev->next = node;
  head->prev = node;
  return 1;
}

bool IsGlobal(WindowHandle hwnd) { return hwnd == 0 || hwnd == __gui_hwnd_desktop; }

template <typename T>
T Get(WindowHandle hwnd, uint16_t kind, int index, int count, const T* global, T failure) {
  if (index < 0 || index >= count) return failure;
  WindowRecord* win = IsGlobal(hwnd) ? nullptr : ValidWindow(hwnd);
  uint32_t value = 0;
  if (win && Lookup(win, kind, static_cast<uint16_t>(index), &value) == 0) return static_cast<T>(value);
  return global[index];
}

template <typename T>
T Set(WindowHandle hwnd, uint16_t kind, int index, int count, T* global, T value, T failure) {
  if (index < 0 || index >= count) return failure;
  if (IsGlobal(hwnd)) {
    T old = global[index];
    global[index] = value;
    return old;
  }
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return failure;
  uint32_t stored = static_cast<uint32_t>(value);
  int rc = Store(win, kind, static_cast<uint16_t>(index), &stored);
  if (rc < 0) return failure;
  return rc == 0 ? static_cast<T>(stored) : value;
}

}  // namespace

void FreeElementAttributes(WindowRecord* win) {
  AttrNode* head = Head(win);
  if (!head) return;
  for (AttrNode* n = head->next; n != head;) {
    AttrNode* next = n->next;
    delete n;
    n = next;
  }
  delete head;
  win->attributes = nullptr;
}

extern "C" {

int32_t GetWindowElementMetricsEx(WindowHandle hwnd, int index) {
  return Get<int32_t>(hwnd, kMetric, index, WE_METRIC_COUNT, WinMainMetrics, -1);
}

int32_t SetWindowElementMetricsEx(WindowHandle hwnd, int index, int32_t value) {
  return Set<int32_t>(hwnd, kMetric, index, WE_METRIC_COUNT, WinMainMetrics, value, -1);
}

GalPixel GetWindowElementColorEx(WindowHandle hwnd, int index) {
  return Get<GalPixel>(hwnd, kColor, index, WE_COLOR_COUNT, WinElementColors, 0);
}

GalPixel SetWindowElementColorEx(WindowHandle hwnd, int index, GalPixel value) {
  return Set<GalPixel>(hwnd, kColor, index, WE_COLOR_COUNT, WinElementColors, value, 0);
}

}  // extern "C"
