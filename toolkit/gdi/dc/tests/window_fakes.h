// Stand-ins for the desktop's side of window DCs: window records filled by
// hand and clip information records with their mutex, region and age.
#ifndef GDI_DC_TESTS_WINDOW_FAKES_H
#define GDI_DC_TESTS_WINDOW_FAKES_H

#include <memory>
#include <mutex>
#include <vector>

#include "core/window/window_record.h"
#include "gdi/dc/gdi_heap.h"
#include "gdi/dc_window.h"

namespace dctest {

struct FakeClipInfo {
  std::mutex lock;
  ClipRgn region{};
  uint32_t age = 0;
  FakeClipInfo() { InitClipRgn(&region, gui::GdiClipRectHeap()); }
  ~FakeClipInfo() { EmptyClipRgn(&region); }
  GlobalClipInfo* handle() { return reinterpret_cast<GlobalClipInfo*>(this); }
  // Replaces the visible region as the desktop would: under the mutex, with
  // a new age.
  void Set(const std::vector<Rect>& rects) {
    std::lock_guard<std::mutex> hold(lock);
    EmptyClipRgn(&region);
    for (const Rect& r : rects) AddClipRect(&region, &r);
    ++age;
  }
};

inline FakeClipInfo* FakeOf(const GlobalClipInfo* info) {
  return reinterpret_cast<FakeClipInfo*>(const_cast<GlobalClipInfo*>(info));
}

inline const gui::dc::ClipInfoOps* FakeClipInfoOps() {
  static const gui::dc::ClipInfoOps ops = {
      [](GlobalClipInfo* i) { FakeOf(i)->lock.lock(); },
      [](GlobalClipInfo* i) { FakeOf(i)->lock.unlock(); },
      [](const GlobalClipInfo* i) { return FakeOf(i)->age; },
      [](const GlobalClipInfo* i) -> const ClipRgn* { return &FakeOf(i)->region; },
  };
  return &ops;
}

constexpr uint32_t kVisible = WS_VISIBLE;

// A visible main window with the given window and client rectangles
// (screen coordinates), drawing within `clip`.
struct FakeMainWindow {
  MainWinRecord record;
  FakeClipInfo clip;

  FakeMainWindow(Rect window, Rect client) {
    record.dataType = kWindowValid;
    record.windowType = kWindowMain;
    record.window = window;
    record.client = client;
    record.style = kVisible;
    record.mainWindow = &record;
    record.clipInfo = clip.handle();
    clip.Set({window});
  }
  WindowHandle handle() { return HandleOf(&record); }
};

// A visible control of `parent`, rectangles in the parent's client
// coordinates, sharing its main window's clip information.
struct FakeControl {
  ControlRecord record;

  FakeControl(WindowRecord* parent, Rect window, Rect client) {
    record.dataType = kWindowValid;
    record.windowType = kWindowControl;
    record.window = window;
    record.client = client;
    record.style = kVisible;
    record.parent = parent;
    record.mainWindow = parent->mainWindow;
    record.clipInfo = parent->clipInfo;
  }
  WindowHandle handle() { return HandleOf(&record); }
};

}  // namespace dctest

#endif
