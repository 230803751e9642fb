/* The live view: how an output is split into video windows, which window
 * and channel lie under a point, where the side menu goes, the live view's
 * per-output state, the smart-search grid, the digital zoom and painting. */
#ifndef APP_LIVEVIEW_H
#define APP_LIVEVIEW_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* ---- Geometry on a screen of w x h with preview cells of cw x ch ---- */
typedef struct LiveScreen {
  int width, height;   /* the output's screen */
  int cellW, cellH;    /* the device's preview cell (splits 6 and 9) */
} LiveScreen;

/* Window `index` of a split; an index outside the split gives window 0. */
void liveWindowRect(const LiveScreen* screen, int split, int index, Rect* out);
/* The side menu of mw x mh beside a window of the split. */
void liveMenuRect(const LiveScreen* screen, int split, int index, const Rect* video, int mw, int mh,
                  Rect* out);
/* Window under a point, before the channel-slot check; -1 for a point
 * outside every window. */
int liveWindowAtPoint(const LiveScreen* screen, int split, int x, int y);

/* The current output's screen and preview cell. */
void getLiveScreen(int output, LiveScreen* out);
/* Split count and first window of an output (1 and 1 when the device has none). */
void getLiveSplitOf(int output, int* split, int* first);

int getPreviewVideoRect(int index, Rect* video, Rect* menu);
/* -1 for a point outside every window, -2 for a window past the slots. */
int getPreviewWinAtPoint(int output, int x, int y);
/* Channel from 1; -2 for an empty window, -1 for no window or no live view. */
int getPreviewChanAtPoint(int output, int x, int y);

/* ---- Per-output state ---- */
void setPreviewSelChan(int output, int channel);
int getPreviewSelChan(int output);
void setPreviewMenuChan(int output, int channel);
int getPreviewMenuChan(int output);
void setLiveViewPopup(int output, int on);
int getLiveViewPopup(int output);
void setPreviewSelWin(int output, int index);
int getPreviewSelWin(int output);
void setZoomOverviewRect(int output, const Rect* rect);
void getZoomOverviewRect(int output, Rect* out);

/* ---- Shared state ---- */
void setPreviewHitWin(int index);
int getPreviewHitWin(void);
void setLiveZoomChannel(int channel);
int getLiveZoomChannel(void);
void setLiveZoomRect(const Rect* rect, int dragging);
void getLiveZoomRect(Rect* out, int* dragging);
/* The add-channel button of the current live-view window (0 when none). */
void setAddChanButton(WindowHandle button);
WindowHandle getAddChanButton(void);
/* The channel whose live audio is open (0 none); the side menu keeps it. */
void setLiveAudioChannel(int channel);
int getLiveAudioChannel(void);

typedef struct PreviewDrag {
  Point start, end;
  int active;        /* the flag word handed to the PTZ panel */
  int repaintPending;
} PreviewDrag;
void resetPreviewDrag(void);
int* getPreviewDragState(void);
PreviewDrag* getPreviewDrag(void);

/* Start-up of the live view's state on both outputs (and MSG_SMARTRESET's reset). */
void initLiveViewState(void);
void resetSmartSearchState(void);
int getVideoPictureHeight(void);

/* ---- Smart-search grid: 22 columns, 15 (NTSC) or 18 rows ---- */
#define SMART_GRID_COLS 22
#define SMART_GRID_ALL 0x3FFFFFu
int getSmartGridRows(void);
uint32_t getSmartGridRow(int row);
void markSmartGrid(const Rect* area, int screenW, int screenH);
void clearSmartGrid(const Rect* area, int screenW, int screenH);
int isSmartCellMarked(int x, int y, int screenW, int screenH);
void setSmartAreaAll(void);
void clearSmartArea(void);
void clearSmartAreaRects(void);
/* The rectangle being dragged and whether a drag runs. */
void setSmartDragRect(const Rect* rect, int inProgress);
void getSmartDragRect(Rect* out, int* inProgress);

int startLiveViewZoom(WindowHandle hwnd);

/* The stored smart-search rectangle `index` (0..7) and whether it is in use;
 * the setter keeps it, the count of stored rectangles is at least 1. */
void setSmartRect(int index, const Rect* rect, int inUse);
int getSmartRect(int index, Rect* out);
int getSmartRectCount(void);
/* The edge or corner of `rect` within `reach` pixels of (x, y): 1 right,
 * 2 left, 3 bottom, 4 top, 5 top-left, 6 top-right, 7 bottom-left,
 * 8 bottom-right; 0 none. A corner wins over an edge. */
int smartGrabAt(const Rect* rect, int x, int y, int reach);

/* A zoom rectangle dragged in the overview of a W x H screen, given the
 * screen's proportions and minimum size and kept inside the overview. */
void fitLiveZoomRect(const Rect* dragged, int W, int H, Rect* out);
/* The overview rectangle `zoom` as an area of a 704 x pictureH picture. */
void liveZoomToPicture(const Rect* zoom, int W, int H, int pictureH, Rect* out);
/* Playback's digital zoom of its window `channel` (1-based): the device is
 * handed the overview; 0 when it accepted. */
int startDigitalZoom(int output, WindowHandle hwnd, int channel);

/* ---- Painting (MSG_PAINT and MSG_ERASEBKGND of the live-view window) ---- */
void paintLiveView(WindowHandle hwnd, HDC hdc);
/* Records the area where a page shows a channel's picture and paints it as
 * the live view paints its own: no video plane lies behind the key colour,
 * so the live view's dark background stands in. */
void paintVideoArea(HDC hdc, int x, int y, int w, int h);
void eraseLiveView(WindowHandle hwnd, HDC hdc, const Rect* screenRect);
/* The marked cells and the drag rectangle of the smart search on a screen of W x H. */
void drawSmartGrid(HDC hdc, int W, int H);
/* MSG_SMARTRESET: the smart-search state afresh, the grid cleared when the
 * current output has no search results, and the window repainted. */
void resetSmartSearch(WindowHandle hwnd);

/* ---- The side menu over the selected window ---- */
void showLiveViewPopup(WindowHandle hwnd, int show);
void closeLiveViewPopup(WindowHandle hwnd);
void refreshLeftMenuState(WindowHandle menu, int output);

GUI_EXTERN_C_END

#endif
