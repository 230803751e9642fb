#include "core/desktop/clip_info.h"

#include "core/desktop/desktop_state.h"
#include "core/livevideo/display_switch.h"
#include "core/window/window_damage.h"
#include "gdi/dc/dc_window.h"

namespace {

Rect g_screen{0, 0, 1024, 768};
GlobalClipInfo g_desktopClip;

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
  ZOrderList* own = ListHolding(HandleOf(win));
  std::lock_guard<std::mutex> hold(win->clipInfo->lock);
  ClipRgn* region = &win->clipInfo->region;
  Rect rect = ScreenRectOf(win);
  Rect cut;
  if (IntersectRect(&cut, &rect, &g_screen))
    SetClipRgn(region, &cut);
  else
    EmptyClipRgn(region);
  if (own != &TopmostList()) SubtractVisibleWindows(region, TopmostList(), nullptr);
  if (own) SubtractVisibleWindows(region, *own, win);
  SubtractPopups(region);
  win->clipInfo->age++;
}

void RebuildDesktopClip() {
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
