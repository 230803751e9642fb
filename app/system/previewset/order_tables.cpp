// The channel-order edits of the live view settings page.
#include "app/system/previewset/order_tables.h"

#include <cstring>

namespace order_tables {
namespace {

constexpr int kSixteen = 6;

bool validEntry(int entry, int slots) { return entry >= 0 && entry < slots && entry < PREVIEW_ORDER_SLOTS; }

int bounded(int slots) { return slots < PREVIEW_ORDER_SLOTS ? slots : PREVIEW_ORDER_SLOTS; }

Rect box(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }

// A grid of n x n cells, row by row.
Rect gridCell(const Rect& a, int n, int slot) {
  const int w = (a.right - a.left) / n, h = (a.bottom - a.top) / n;
  return box(a.left + (slot % n) * w, a.top + (slot / n) * h, w, h);
}

// One large window at the top left spanning (n-1) x (n-1) cells, the others
// down the right column, then along the bottom row.
Rect largeFirst(const Rect& a, int n, int slot) {
  const int w = (a.right - a.left) / n, h = (a.bottom - a.top) / n;
  const int W = a.right - a.left, H = a.bottom - a.top;
  if (slot == 0) return box(a.left, a.top, W * (n - 1) / n, H * (n - 1) / n);
  if (slot < n) return box(a.left + W * (n - 1) / n, a.top + (slot - 1) * h, w, h);
  return box(a.left + (slot - n) * w, a.top + H * (n - 1) / n, w, h);
}

}  // namespace

int windowsOf(int mode) {
  static const int kWindows[kModes] = {1, 4, 6, 8, 9, 16};
  return mode >= 1 && mode <= kModes ? kWindows[mode - 1] : 0;
}

int pageCount(int mode, int slots) {
  const int w = windowsOf(mode);
  if (w == 0 || slots <= 0) return 1;
  return (slots + w - 1) / w;
}

int entryOf(int mode, int page, int slot) { return (page - 1) * windowsOf(mode) + slot; }

Rect slotRect(int mode, int slot, const Rect& area) {
  switch (mode) {
    case 1: return area;
    case 2: return gridCell(area, 2, slot);
    case 3: return largeFirst(area, 3, slot);
    case 4: return largeFirst(area, 4, slot);
    case 5: return gridCell(area, 3, slot);
    default: return gridCell(area, 4, slot);
  }
}

void fillInSequence(PreviewConfig& config, const std::vector<int>& channels) {
  for (int m = 1; m <= kEditedModes; ++m)
    for (int k = 0; k < PREVIEW_ORDER_SLOTS; ++k)
      config.order[m][k] = k < static_cast<int>(channels.size()) ? static_cast<uint8_t>(channels[k])
                                                                : PREVIEW_EMPTY_WINDOW;
}

void emptyAll(PreviewConfig& config) {
  for (int m = 1; m <= kEditedModes; ++m) std::memset(config.order[m], PREVIEW_EMPTY_WINDOW, PREVIEW_ORDER_SLOTS);
}

void emptyEntry(PreviewConfig& config, int entry, int slots) {
  if (!validEntry(entry, slots)) return;
  for (int m = 1; m <= kEditedModes; ++m) config.order[m][entry] = PREVIEW_EMPTY_WINDOW;
}

void assign(PreviewConfig& config, int entry, int channel, int slots) {
  if (!validEntry(entry, slots) || channel < 0 || channel >= PREVIEW_EMPTY_WINDOW) return;
  const auto value = static_cast<uint8_t>(channel);
  for (int m = 1; m <= kEditedModes; ++m) {
    uint8_t* table = config.order[m];
    if (table[entry] == value) {
      table[entry] = PREVIEW_EMPTY_WINDOW;
      continue;
    }
    table[entry] = value;
    for (int k = 0; k < bounded(slots); ++k)
      if (k != entry && table[k] == value) {
        table[k] = PREVIEW_EMPTY_WINDOW;
        break;
      }
  }
}

bool placed(const PreviewConfig& config, int mode, int channel, int slots) {
  if (mode < 0 || mode >= PREVIEW_ORDER_MODES) return false;
  for (int k = 0; k < bounded(slots); ++k)
    if (config.order[mode][k] == channel) return true;
  return false;
}

int checkDuplicates(const PreviewConfig& config, int mode, int slots) {
  if (mode < 0 || mode >= PREVIEW_ORDER_MODES) return 0;
  bool seen[PREVIEW_EMPTY_WINDOW] = {};
  for (int k = 0; k < bounded(slots); ++k) {
    const uint8_t channel = config.order[mode][k];
    if (channel >= PREVIEW_EMPTY_WINDOW) continue;
    if (seen[channel]) return kSameChannel;
    seen[channel] = true;
  }
  return 0;
}

void spreadSixteen(PreviewConfig& config, int channelBound) {
  uint8_t order[PREVIEW_ORDER_SLOTS];
  for (int k = 0; k < PREVIEW_ORDER_SLOTS; ++k) {
    const uint8_t channel = config.order[kSixteen][k];
    order[k] = channel == channelBound ? PREVIEW_EMPTY_WINDOW : channel;
  }
  for (int m = 1; m <= kEditedModes; ++m) std::memcpy(config.order[m], order, sizeof order);
}

}  // namespace order_tables
