#include "core/window/child_walk.h"

#include <atomic>
#include <mutex>

#include "core/caret/caret.h"
#include "core/desktop/zorder.h"
#include "core/window/kept_records.h"
#include "gui/window.h"

namespace {

std::atomic<int> g_walks{0};
std::mutex g_retiredLock;
std::vector<ControlRecord*> g_retired;

// The record itself is kept a while (a page's whole set of controls goes in
// one batch); never destroyed, as controls may go while the process ends.
void FreeControl(ControlRecord* control) {
  static auto* const kept = new KeptRecords<ControlRecord, 1024>;
  FreeCaretOf(control);  // a walk's erase may still look at it until now
  if (control->exStyle & WS_EX_OWN_CLIPINFO) {
    delete control->clipInfo;
    delete control->zorderNode;
    control->clipInfo = nullptr;
    control->zorderNode = nullptr;
  }
  kept->Keep(control);
}

}  // namespace

ChildWalk::ChildWalk() { g_walks.fetch_add(1); }

// The last walk out frees what was retired meanwhile.
ChildWalk::~ChildWalk() {
  if (g_walks.fetch_sub(1) == 1) ReclaimRetiredControls();
}

std::vector<ChildView> ChildWalk::Children(const WindowRecord* parent) const {
  std::vector<ChildView> out;
  GeometryReadLock hold;  // the rectangles: the desktop thread reads them here too
  for (WindowRecord* child = parent->firstChild; child; child = static_cast<ControlRecord*>(child)->nextSibling)
    out.push_back(ChildView{child, child->window, child->client, child->style, child->exStyle, child->id});
  return out;
}

void RetireControl(ControlRecord* control) {
  {
    std::lock_guard<std::mutex> hold(g_retiredLock);
    g_retired.push_back(control);
  }
  ReclaimRetiredControls();
}

// Checked under the list's lock: a walk counted after this check took its
// snapshot after these controls left their lists, so it cannot hold one.
size_t ReclaimRetiredControls() {
  std::vector<ControlRecord*> freeing;
  {
    std::lock_guard<std::mutex> hold(g_retiredLock);
    if (g_walks.load() != 0) return g_retired.size();
    freeing.swap(g_retired);
  }
  for (ControlRecord* control : freeing) FreeControl(control);
  return 0;
}
