#include "core/window/window_record.h"

namespace {

constexpr size_t kRegionHeapBlocks = 8192;

BlockDataHeap* MakeHeap(BlockDataHeap* storage) {
  InitBlockDataHeap(storage, sizeof(ClipRect), kRegionHeapBlocks);
  return storage;
}

}  // namespace

BlockDataHeap* WindowClipHeap() {
  static BlockDataHeap storage;
  static BlockDataHeap* const heap = MakeHeap(&storage);
  return heap;
}

BlockDataHeap* InvalidRegionHeap() {
  static BlockDataHeap storage;
  static BlockDataHeap* const heap = MakeHeap(&storage);
  return heap;
}

MainWinRecord* ValidMainWindow(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  return win && win->windowType == kWindowMain ? static_cast<MainWinRecord*>(win) : nullptr;
}

ControlRecord* ValidControl(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  return win && win->windowType == kWindowControl ? static_cast<ControlRecord*>(win) : nullptr;
}

WindowRecord* ValidWindow(WindowHandle hwnd) {
  if (!IsValidHandle(hwnd)) return nullptr;
  WindowRecord* win = WindowOf(hwnd);
  return win->dataType == kWindowValid ? win : nullptr;
}

MainWinRecord* MainWindowOf(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  return win ? win->mainWindow : nullptr;
}

bool HasInvalidArea(WindowRecord* win) {
  std::lock_guard<std::mutex> hold(win->invalid.lock);
  return !IsEmptyClipRgn(&win->invalid.region);
}

bool WindowBelongsTo(WindowHandle w, WindowHandle target) {
  if (w == target) return true;
  WindowRecord* win = ValidWindow(w);
  if (!win || win->windowType != kWindowControl) return false;
  for (WindowRecord* up = win->parent; up; up = up->parent)
    if (HandleOf(up) == target) return true;
  return false;
}
