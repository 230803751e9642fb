/* What the live view and the menus use of playback, search and backup: the
 * playback type and the words the pages leave for each other, the playback
 * windows, the search, its error boxes and a list painter. */
#ifndef APP_PLAYBACK_H
#define APP_PLAYBACK_H

#include "gui/bitmap.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Playback type of an output: 0 idle, 1 instant playback, 14 the small
 * playback around a log entry. */
#define PLAYBACK_TYPE_LOG 14
void setPlaybackType(int output, int type);
int getPlaybackType(int output);
/* Play state word of an output; 6 once stopped. */
void setPlayState(int output, int state);
int getPlayState(int output);
/* Whether the playback window was opened from the main menu (output 0..3). */
void setPlaybackFromMenu(int output, int flag);
int getPlaybackFromMenu(int output);
/* The playback's video area: the whole screen (1) or its window (0). */
void setPlaybackVideoArea(int output, int whole);
int getPlaybackVideoArea(int output);
void setSearchForBackup(int flag);
int getSearchForBackup(void);
void setSearchGenReopened(int flag);
int getSearchGenReopened(void);
void setSearchKind(int output, int kind);
int getSearchKind(int output);
/* 0 or -1 take the start of the search range. */
void setPlaybackTime(int output, int time);
int getPlaybackTime(int output);
/* The day-playback search channel (0 for a channel below 1). */
void resetPlaybackSearch(int output, int channel);
int getPlaybackSearchChannel(int output);
void setZoomChannel(int output, int channel);
int getZoomChannel(int output);
/* Playback's digital zoom: 1 while the user picks the window to zoom; it
 * runs while the output's zoom channel is set. */
void setZoomSelecting(int output, int on);
int isZoomSelecting(int output);
/* How many channels the output's playback shows at once (0 or 1: one). */
void setPlaybackWinCount(int output, int count);
int getPlaybackWinCount(int output);
/* Playback's window (1-based) under a point of the output's screen, -1 none. */
int getPlaybackWinAtPoint(int output, int x, int y);
/* Results of the last smart search on an output. */
int getSmartSearchCount(int output);

/* The playback window of the main output, modal; ends with reshowMainMenu. */
int runPlaybackDialog(WindowHandle owner);
/* The instant playback window over the live view, modal. */
int runInstantPlaybackDialog(WindowHandle host);
/* 1 while the output's playback window is open. */
int canSwitchPlaybackChannel(int output);
void switchPlaybackChannel(int output, WindowHandle window, int channel);
void setPlaybackChannel(int output, int channel);
int getPlaybackChannel(int output);
void startChannelPlayback(int output, WindowHandle window, int channel);
/* 0 or a search code (105 more than a page; 101, 102 and others errors). */
int searchInstantPlayback(int output, int channel);
int startInstantPlayback(int output);
/* Stops the output's playback: play state 6, zoom ended, windows closed. */
void stopPlayback(int output);
void showPlaybackWindow(int output, int show);
void restoreInstantPlaybackWindow(int output);
int toggleSingleViewAt(int output, WindowHandle window, WParam wParam, LParam lParam);

/* The recordings of one channel from `start` to `end` (seconds since 1970)
 * on the output: 0 or 105 found, any other code none. */
int searchLogPlayback(int output, int channel, int64_t start, int64_t end);
/* The small playback of what the last search found, and its window (modal). */
int startSmallPlayback(int output);
int runSmallPlaybackDialog(WindowHandle owner);
/* The export dialog (modal); export modes 2 and 4 export logs. */
int showExportDialog(WindowHandle owner);

int showInstantSearchError(WindowHandle owner, int code);
int showPlaybackError(int output, WindowHandle owner, int code);

/* Bitmaps of the playback control bar (main and auxiliary output) and of the
 * result pages, loaded once when the live view is created. */
void loadPlaybackBarBitmaps(void);
void loadPlaybackBarBitmapsAux(void);
void loadResultPageBitmaps(void);
/* What those loaders kept: null for a key the layout does not have. */
const Bitmap* getPlaybackBarBitmap(int aux, const char* key);
const Bitmap* getResultPageBitmap(const char* key);

/* The divider line under a list row of w x h at (x, y). */
void drawListRowDivider(HDC hdc, int x, int y, int w, int h, int flag);

/* The removable backup device: its identifiers (second one 0: none), whether
 * it is an optical disc, and its format (file system 12 FAT32 or 7 NTFS;
 * negative on failure). No removable device is present. */
int getUsbdevId(void);
int getUsbdevSubId(void);
int usbdevIsCd(void);
int usbdevFormat(int deviceId, int subId, int fileSystem);
/* The progress window's background: the body in the SystemInfo background
 * colour, the bottom 50 pixels RGB(28,26,27). */
void paintSmallDialogBackground(WindowHandle window, WParam hdc, LParam rect);

GUI_EXTERN_C_END

#endif
