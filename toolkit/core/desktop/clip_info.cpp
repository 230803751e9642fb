#include "core/desktop/clip_info.h"

#include "core/desktop/desktop_state.h"
#include "core/livevideo/display_switch.h"
#include "core/window/window_damage.h"
#include "gdi/dc_window.h"

namespace {

Rect g_screen{0, 0, 1024, 768};
GlobalClipInfo g_desktopClip;
// The display list the desktop region was last built for: after a display
// switch it is built afresh rather than changed step by step.
const ZOrderList* g_desktopClipOf = nullptr;

void SubtractVisibleWindows(ClipRgn* region, const ZOrderList& list, const WindowRecord* stopAt) {
  for (const ZOrderNode* node = list.head; node; node = node->next) {
    WindowRecord* other = RecordOfNode(node);
    if (other == stopAt) return;
    if (!other || !IsVisibleRecord(other)) continue;
    Rect r = ScreenRectOf(other);
    SubtractClipRect(region, &r);
  }
}

void SubtractPopups(ClipRgn* region) {
  for (const PopupMenuHead* menu : Desk().popups) SubtractClipRect(region, &menu->rect);
}

void RebuildList(const ZOrderList& list) {
  ForEachInList(list, [](WindowRecord* win) {
    if (IsVisibleRecord(win)) RebuildWindowClip(win);
    return true;
  });
}

// A region of the window clip heap for the length of one change.
class ScratchRegion {
 public:
  ScratchRegion() { InitClipRgn(&region_, WindowClipHeap()); }
  ~ScratchRegion() { EmptyClipRgn(&region_); }
  ScratchRegion(const ScratchRegion&) = delete;
  ScratchRegion& operator=(const ScratchRegion&) = delete;
  ClipRgn* get() { return &region_; }

 private:
  ClipRgn region_;
};

// What the window may draw on while visible: its screen rectangle on the
// screen, minus the visible topmost windows (for a window that is not
// topmost), the visible windows above it in its own list and the open
// popup menus.
void ComputeWindowClip(WindowRecord* win, ClipRgn* region) {
  ZOrderList* own = ListHolding(HandleOf(win));
  Rect rect = ScreenRectOf(win);
  Rect cut;
  if (IntersectRect(&cut, &rect, &g_screen))
    SetClipRgn(region, &cut);
  else
    EmptyClipRgn(region);
  if (own != &TopmostList()) SubtractVisibleWindows(region, TopmostList(), nullptr);
  if (own) SubtractVisibleWindows(region, *own, win);
  SubtractPopups(region);
}

// Hands fn(window, reach, its screen rectangle) every visible window from
// `from` on whose rectangle may meet what is left of `reach`, and narrows
// reach by each visible window passed: a window further down lies under
// that one wherever they overlap, so it already lacks that part.
template <typename Fn>
void NarrowingWalk(const ZOrderNode* from, ClipRgn* reach, Fn fn) {
  for (const ZOrderNode* node = from; node && !IsEmptyClipRgn(reach); node = node->next) {
    WindowRecord* other = RecordOfNode(node);
    if (!other || !IsVisibleRecord(other)) continue;
    Rect rect = ScreenRectOf(other);
    if (other->clipInfo && DoesIntersect(&rect, &reach->rcBound)) fn(other, *reach, rect);
    SubtractClipRect(reach, &rect);
  }
}

// The windows below `win` with their share of `reach`: the rest of its own
// list; for a topmost window then the other display's list (apart, with a
// copy) and the current display's. fn's last argument tells whether the
// window is on the current display or in the window's own list. Answers
// whether what is left of reach bears on the desktop region.
template <typename Fn>
bool WalkBelow(WindowRecord* win, ClipRgn* reach, Fn fn) {
  const WindowHandle hwnd = HandleOf(win);
  ZOrderList* own = ListHolding(hwnd);
  if (!own) return false;
  const ZOrderNode* node = own->head;
  while (node && node->hwnd != hwnd) node = node->next;
  auto shown = [&fn](WindowRecord* other, const ClipRgn& left, const Rect& rect) { fn(other, left, rect, true); };
  NarrowingWalk(node ? node->next : nullptr, reach, shown);
  if (own != &TopmostList()) return own == CurrentDisplayList();
  ZOrderList* current = CurrentDisplayList();
  ZOrderList* other = OtherDisplayList();
  if (other && other != current) {
    ScratchRegion aside;
    ClipRgnCopy(aside.get(), reach);
    NarrowingWalk(other->head, aside.get(),
                  [&fn](WindowRecord* w, const ClipRgn& left, const Rect& rect) { fn(w, left, rect, false); });
  }
  if (current) NarrowingWalk(current->head, reach, shown);
  return true;
}

}  // namespace

const Rect& ScreenRect() { return g_screen; }
void SetScreenRect(const Rect& rect) { g_screen = rect; }
GlobalClipInfo& DesktopClip() { return g_desktopClip; }

void ResetClip(GlobalClipInfo* info, const Rect& rect) {
  std::lock_guard<std::mutex> hold(info->lock);
  Rect cut;
  if (IntersectRect(&cut, &rect, &g_screen))
    SetClipRgn(&info->region, &cut);
  else
    EmptyClipRgn(&info->region);
  info->age++;
}

void RebuildWindowClip(WindowRecord* win) {
  if (!win->clipInfo) return;
  std::lock_guard<std::mutex> hold(win->clipInfo->lock);
  ComputeWindowClip(win, &win->clipInfo->region);
  win->clipInfo->age++;
}

void CutFromClip(WindowRecord* win, const Rect& rect) {
  if (!win->clipInfo) return;
  std::lock_guard<std::mutex> hold(win->clipInfo->lock);
  SubtractClipRect(&win->clipInfo->region, &rect);
  win->clipInfo->age++;
}

void ClipWindowsBelow(WindowRecord* win) {
  ScratchRegion reach;
  ComputeWindowClip(win, reach.get());
  if (win->clipInfo) {
    std::lock_guard<std::mutex> hold(win->clipInfo->lock);
    ClipRgnCopy(&win->clipInfo->region, reach.get());
    win->clipInfo->age++;
  }
  const bool desktop = WalkBelow(win, reach.get(), [](WindowRecord* other, const ClipRgn& part, const Rect&, bool) {
    std::lock_guard<std::mutex> hold(other->clipInfo->lock);
    SubtractRegion(&other->clipInfo->region, &other->clipInfo->region, &part);
    other->clipInfo->age++;
  });
  if (!desktop) return;
  if (g_desktopClipOf != CurrentDisplayList()) return RebuildDesktopClip();
  std::lock_guard<std::mutex> hold(g_desktopClip.lock);
  SubtractRegion(&g_desktopClip.region, &g_desktopClip.region, reach.get());
  g_desktopClip.age++;
}

void UnclipWindowsBelow(WindowRecord* win, std::vector<GainedPart>* gained) {
  ScratchRegion reach;
  ComputeWindowClip(win, reach.get());
  ScratchRegion part, under;
  const bool desktop = WalkBelow(win, reach.get(), [&](WindowRecord* other, const ClipRgn& left, const Rect& rect, bool shown) {
    // Only the part of reach under the window is built, not a copy of all
    // of it cut down.
    SetClipRgn(under.get(), &rect);
    ClipRgnIntersect(part.get(), &left, under.get());
    if (IsEmptyClipRgn(part.get())) return;
    {
      std::lock_guard<std::mutex> hold(other->clipInfo->lock);
      UnionRegion(&other->clipInfo->region, &other->clipInfo->region, part.get());
      other->clipInfo->age++;
    }
    if (shown && gained) gained->push_back(GainedPart{other, part.get()->rcBound});
  });
  if (!desktop) return;
  if (g_desktopClipOf != CurrentDisplayList()) return RebuildDesktopClip();
  std::lock_guard<std::mutex> hold(g_desktopClip.lock);
  UnionRegion(&g_desktopClip.region, &g_desktopClip.region, reach.get());
  g_desktopClip.age++;
}

void RebuildDesktopClip() {
  g_desktopClipOf = CurrentDisplayList();
  std::lock_guard<std::mutex> hold(g_desktopClip.lock);
  ClipRgn* region = &g_desktopClip.region;
  SetClipRgn(region, &g_screen);
  SubtractVisibleWindows(region, TopmostList(), nullptr);
  if (ZOrderList* current = CurrentDisplayList()) SubtractVisibleWindows(region, *current, nullptr);
  SubtractPopups(region);
  g_desktopClip.age++;
}

void RebuildAllClips() {
  DisplaySwitchHold hold;  // a switch would change the lists being clipped
  RebuildList(TopmostList());
  if (ZOrderList* current = CurrentDisplayList()) RebuildList(*current);
  if (ZOrderList* other = OtherDisplayList()) RebuildList(*other);
  RebuildDesktopClip();
}

void InstallClipInfoOps() {
  static const gui::dc::ClipInfoOps ops = {
      [](GlobalClipInfo* info) { info->lock.lock(); },
      [](GlobalClipInfo* info) { info->lock.unlock(); },
      [](const GlobalClipInfo* info) { return info->age.load(); },
      [](const GlobalClipInfo* info) -> const ClipRgn* { return &info->region; },
  };
  gui::dc::SetClipInfoOps(&ops);
}
