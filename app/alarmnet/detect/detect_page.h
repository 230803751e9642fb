// What the video loss and tamper pages share: the per-channel edit cache
// and its save sequence, the view area with the channel's live picture, the
// page background, the event handling and copy buttons, and the window that
// hosts the page's property sheet beside the camera menu.
#pragma once

#include <array>
#include <cstdint>

#include "app/device_backend.h"
#include "app/device_backend_net.h"
#include "app/layout_bitmaps.h"
#include "app/page_building.h"
#include "gui/common.h"

namespace detect {

constexpr int kCacheSlots = 32;

// The edits of one channel kept until Apply.
struct ChanEditSlot {
  uint32_t cached;
  uint32_t spare;
  ChannelConfig record;
  TimeSegment holiday[HOLIDAY_SEGMENTS];
};

// The block of the channel record a page edits, and where the device keeps
// its holiday segments.
struct Block {
  int holidayKind;
  void (*copy)(ChannelConfig* to, const ChannelConfig& from);
};

// A page's working record and cache. Every channel is numbered from 1;
// channels beyond the cache are edited but not kept over a switch.
class ChannelEdits {
 public:
  explicit ChannelEdits(const Block& block) : block_(block) {}

  ChannelConfig record{};
  TimeSegment holiday[HOLIDAY_SEGMENTS]{};
  int channel = 0;

  void clearSlots();
  // Page start: an empty cache, the channel box filled for `support`, its
  // first channel current and read (an unreadable one shows its hint).
  void start(WindowHandle page, int comboId, int support);
  // From the channel's slot when it holds edits, else from the device: the
  // read's code (the record then stays zeroed).
  int load(int channel);
  // The working record and holidays into the current channel's slot.
  void cache();
  // The block of the working record into a fresh read of `current`, then of
  // every other cached channel from its slot, each with its holidays. The
  // first failing read or write stops with its code and keeps the cache.
  int apply(int current);
  // Every channel of the mask (bit n - 1 for channel n, analog channels then
  // IP channels) takes the whole working record and the holidays.
  void copyTo(uint64_t mask);
  bool cached(int ch) const { return slotOf(ch) != nullptr && slotOf(ch)->cached != 0; }

 private:
  ChanEditSlot* slotOf(int ch);
  const ChanEditSlot* slotOf(int ch) const;
  int writeOne(int ch, const ChannelConfig& from, const TimeSegment* days);

  Block block_;
  std::array<ChanEditSlot, kCacheSlots> slots_{};
};

OutputLogin* login();

// The view: "viewpos" of the section, the output's video area size, x and
// width aligned to 8; in the page's client co-ordinates, or the screen's.
Rect viewRect(WindowHandle page, const char* section, bool screen = false);
// Shows the channel's live picture at the view.
void showLivePicture(WindowHandle page, const char* section, int channel);
// MSG_ERASEBKGND: grey page with the edit frame round "viewbg".
void eraseWithViewFrame(WindowHandle page, const char* section, WParam wParam, LParam lParam);
// The view lets the video through; a box shown over it is repainted. The
// DC is the page's painting DC.
void paintView(WindowHandle page, const char* section, HDC hdc);

// The handle button's three bitmaps of the section, loaded when the page
// opens and kept while it is open.
struct HandleBitmaps {
  NamedBitmap items[3] = {{"handle_bg_bmp", {}, 0}, {"handle_bmp", {}, 0}, {"handle_dis_bmp", {}, 0}};
};
void loadHandleBitmaps(const char* section, HandleBitmaps* bitmaps);
void applyHandleBitmaps(WindowHandle button, const HandleBitmaps& bitmaps);

// The event handling sheet for `source` over the page with the camera menu
// disabled; the holidays pass through the sheet's exchange buffer. True
// when the sheet changed the page's record or its holidays.
bool runHandleSheet(WindowHandle page, int source, TimeSegment holiday[HOLIDAY_SEGMENTS]);
// The copy-to-channels dialog with the camera menu disabled; its mask.
uint64_t chooseCopyChannels(WindowHandle page, int channel);

// The channel box's value, and selecting one.
LResult exitCameraMenu(void);

// The camera menu's page slot: the page owns the live view while it is
// open, gives it back when closed, and is left registered when destroyed
// with the menu.
extern const pageframe::PageSlot kCameraSlot;
// The `after` hook of the window beside the camera menu holding the page's
// sheet: scaled for a low-resolution output once the sheet exists.
void scaleOnceBuilt(WindowHandle window, int message, WParam wParam, LParam lParam);
// The active page of the window's sheet, or GUI_INVALID_HANDLE.
WindowHandle activeSheetPage(WindowHandle window);

}  // namespace detect
