// The view page's state and its slot and channel-list drawing, shared by
// the page procedure and the drawing code.
#ifndef APP_CORE_PREVIEWSET_VIEW_STATE_H
#define APP_CORE_PREVIEWSET_VIEW_STATE_H

#include <string>
#include <vector>

#include "app/system/previewset/previewset.h"
#include "gui/bitmap.h"

namespace previewset {

constexpr int kViewOutport = 20459, kChanList = 20460, kOrderText = 20461;
constexpr int kFirstModeButton = 20464, kLastModeButton = 20469;
constexpr int kPlay = 20470, kStop = 20471, kPrev = 20472, kNext = 20473;
constexpr int kFirstSlot = 20474, kSlotCount = 16;
constexpr int kNotPlaced = 255;

// One channel the page may place: its short name and its row in the
// channel list (kNotPlaced when the channel does not exist here).
struct OrderChan {
  std::string name;
  int row = kNotPlaced;
};

struct ViewState {
  int output = -1;
  PreviewConfig edit{};
  Stash stash;
  int mode = 1;   // layout mode shown, 1..6
  int page = 1;   // from 1
  int slot = 0;   // selected slot, 0..15
  int chanCount = 0;
  std::vector<OrderChan> chans;  // by 0-based channel
};
ViewState& viewState();

// Channels offered on the output and the list rows showing them.
void buildOrderChans(int output);
void refillChanList(WindowHandle page);
void markChanRow(WindowHandle page, int channel);
// The channel shown in the list's selected row, or -1.
int selectedChannel(WindowHandle page);

// Slots placed for the state's mode on page 1.
void arrangeSlots(WindowHandle page);
// Labels, channels and the paging buttons of the state's page.
void refreshSlots(WindowHandle page);
void selectSlot(WindowHandle page, int slot);
int slotPageCount();
int slotsInUse();

// The layout and order buttons' pictures; loaded once per page.
void loadViewBitmaps();
// A picture button from the layout record `key` with picture `index`.
void createPictureButton(WindowHandle page, const char* key, int id, int index);
void paintViewBackground(WindowHandle page, WParam wParam, LParam lParam);

}  // namespace previewset

#endif
