// The live view's pop-up menu inside the application: item ids, the items'
// captions and pictures, and the one item the sequence command changes.
#pragma once

#include "gui/bitmap.h"
#include "gui/menu.h"

namespace popup_menu {

// Main items: position k has id kFirstItem + k.
constexpr int kFirstItem = 12304;
constexpr int kMainMenu = 12304, kSingle = 12305, kMulti = 12306, kPrevScreen = 12307, kNextScreen = 12308,
              kSequence = 12309, kRecord = 12310, kPlayAllDay = 12311, kOutputMode = 12312, kOtherOutput = 12313;
// Split sub-menu: 4, 6, 8, 9 and 16 windows; 12334 asks for the single view.
constexpr int kSplit4 = 12320, kSplit16 = 12324, kSplitSingle = 12334;
// Channel sub-menu: analog channel n is kChannelBase + n.
constexpr int kChannelBase = 12335;
// Record sub-menu.
constexpr int kRecordTiming = 12432, kRecordMotion = 12433;

// One menu picture: its normal and selected bitmap (null when the layout
// has none).
struct Picture {
  const Bitmap* normal;
  const Bitmap* selected;
};

// The caption of a "rightmenu" item as loaded (null when the layout has
// none); loads the captions and pictures first when nobody has.
const char* caption(const char* key);
// The picture of section "rightmenu" key `key` (ending in "_bmp").
Picture picture(const char* key);
// Drops what was loaded (the layout it came from is going away).
void unloadResources();

// A picture-and-text item (text only when the picture is missing).
MenuItemInfo itemInfo(int id, const char* text, Picture pic, MenuHandle subMenu);

// The sequence item as the output's sequence state shows it.
void sequenceItemText(int running, const char** captionKey, const char** pictureKey);

}  // namespace popup_menu
