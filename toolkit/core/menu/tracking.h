// An open popup menu: its tracking record, kept by the desktop in its
// popup chain and driven by the desktop's messages. Everything here runs
// on the desktop thread, except the start calls, which build a record and
// hand it to the desktop.
#pragma once

#include "core/menu/menu_records.h"
#include "gui/desktop.h"

namespace menu {

struct TrackingRecord {
  PopupMenuHead head{};  // the popup rectangle and the owner, read by the desktop
  Rect topBox{}, bottomBox{}, frame{}, itemRect{};
  ItemRecord* firstShown = nullptr;
  ItemRecord* popup = nullptr;
  BarRecord* bar = nullptr;
  bool bottomShown = false, topShown = false, rehighlight = false;
  int barIndex = -1;
  ItemRecord* selected = nullptr;
  uint32_t flags = 0;
  TrackingRecord* parent = nullptr;
  TrackingRecord* child = nullptr;
  int videoSlot = -1;
  int rows = 0;  // per popup, so a parent keeps its own layout under a child
};

TrackingRecord* NewTracking(ItemRecord* popup, int x, int y, WindowHandle owner, uint32_t flags);
void FreeTracking(TrackingRecord* t);
// The tracker the desktop tells of chain changes and routes input to.
void InstallTracker();
void RemoveTracker();

// The outermost and innermost open popups (desktop thread).
TrackingRecord* FirstPopup();
TrackingRecord* InnermostPopup();

// Layout and drawing of one popup.
void LayoutPopupMenu(TrackingRecord* t);
int DrawPopupMenu(TrackingRecord* t);
void DrawPopupMenuItem(TrackingRecord* t, ItemRecord* item, bool highlighted);
void DrawPopupFrame(const Rect& frame, uint32_t type);
// Records of a popup: the first after a record, and how many columns a
// record's column bits ask for.
ItemRecord* ListAfter(const ItemRecord* record);
int ColumnsOf(const ItemRecord* record);
int Halve(int value);  // the drawing value of a metric on a halved output
int ScreenHeight();
int ScreenWidth();

// Scrolling and selection movement.
ItemRecord* NextSelectableItem(TrackingRecord* t, ItemRecord* item);
ItemRecord* PrevSelectableItem(TrackingRecord* t, ItemRecord* item);
void DrawScrolledPopupMenu(TrackingRecord* t);
void DrawScrollBox(const TrackingRecord* t, bool down);
// Hover over a scroll box at a point: true when the point was in one; the
// record under the point afterwards goes to *under.
bool HoverScrollBox(TrackingRecord* t, int x, int y, ItemRecord** under, bool* done);
// The pointer moved over an open popup: closes its sub-popups, scrolls
// over a box, moves the selection and opens a sub-menu.
void HoverPopup(TrackingRecord* t, int x, int y);
void MoveSelectionDown(TrackingRecord* t, ItemRecord* selected);
void MoveSelectionUp(TrackingRecord* t, ItemRecord* selected);
// Selects and highlights an item, drawing the old one plain.
void Select(TrackingRecord* t, ItemRecord* item);

// Hit test, sub-popups, repaint and the live-video slot.
ItemRecord* PopupItemFromPoint(TrackingRecord* t, int x, int y);
int ItemTop(const TrackingRecord* t, const ItemRecord* item);
int OpenSubPopup(TrackingRecord* t, ItemRecord* item);
void RepaintUnderSubPopup(TrackingRecord* closing);
void ClaimPopupVideoArea(TrackingRecord* t);
void ReleasePopupVideoArea(TrackingRecord* t);

// Keys and mouse input of the tracker: non-zero when kept.
LResult TrackKey(int msg, WParam wParam, LParam lParam);
LResult TrackMouse(int msg, WParam wParam, LParam lParam);
// Ends all tracking (the desktop's 252) and closes the innermost popup.
void EndTracking(LParam how);
void CloseInnermost();
// Any thread, before records of a menu are freed or unlinked: when the open
// popups read them, the desktop thread ends all tracking first.
void EndTrackingOf(MenuHandle menu);

}  // namespace menu
