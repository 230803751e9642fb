// The channel order of a live-view configuration: which channel each window
// of each layout mode shows, edited the way the settings page edits it.
// Entries hold a 0-based channel or PREVIEW_EMPTY_WINDOW; only the first
// `slots` entries of a table are in use.
#ifndef APP_CORE_PREVIEWSET_ORDER_TABLES_H
#define APP_CORE_PREVIEWSET_ORDER_TABLES_H

#include <vector>

#include "app/device_records.h"
#include "gui/common.h"

namespace order_tables {

constexpr int kModes = 6;         // layout modes 1..6 shown on the page
constexpr int kEditedModes = 7;   // tables 1..7 follow every edit
constexpr int kSameChannel = 0x200113;

// Windows of layout mode 1..6 (1, 4, 6, 8, 9, 16), 0 for any other.
int windowsOf(int mode);
// Pages of a mode: enough to reach every used entry.
int pageCount(int mode, int slots);
// Entry of window `slot` (0-based) on page `page` (from 1).
int entryOf(int mode, int page, int slot);
// Place of window `slot` (0-based) of the mode inside `area`.
Rect slotRect(int mode, int slot, const Rect& area);

// Window k of every edited table shows the k-th of `channels`; the rest
// are emptied.
void fillInSequence(PreviewConfig& config, const std::vector<int>& channels);
void emptyAll(PreviewConfig& config);
void emptyEntry(PreviewConfig& config, int entry, int slots);
// Puts the channel into the entry of every edited table: a table whose entry
// already holds it empties the entry instead, any other keeps the channel
// only there.
void assign(PreviewConfig& config, int entry, int channel, int slots);
// Whether a channel stands in the mode's table (first `slots` entries).
bool placed(const PreviewConfig& config, int mode, int channel, int slots);
// 0, or kSameChannel when a channel stands twice in the mode's table.
int checkDuplicates(const PreviewConfig& config, int mode, int slots);
// The sixteen-window order becomes the order of every edited table;
// entries naming `channelBound` are emptied.
void spreadSixteen(PreviewConfig& config, int channelBound);

}  // namespace order_tables

#endif
