/* The mouse cursor the toolkit draws into the screen's frame buffer: cursor
 * files, the system cursors, the current cursor, its show count, position
 * and clip rectangle, and the output logo rectangles. */
#ifndef GUI_CURSOR_H
#define GUI_CURSOR_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define CURSOR_SIZE 32
#define MAX_SYSCURSORINDEX 21
/* System cursors the pages switch between: the arrow and the busy (wait) cursor. */
#define SYSCURSOR_NORMAL 0
#define SYSCURSOR_BUSY 13

typedef struct Cursor {
  int32_t xHotspot;
  int32_t yHotspot;
  int32_t width;
  int32_t height;
  uint8_t* andBits; /* a 32 x 32 box in the screen's pixel format */
  uint8_t* xorBits;
} Cursor;
typedef uintptr_t HCURSOR;

/* Start-up and shut-down: 1 on success, 0 (everything freed) on failure. */
int InitCursors(void);
void TermCursors(void);

/* A cursor from a cursor file, or 0. */
HCURSOR LoadCursorFile(const char* fileName);
/* Only 32 x 32 cursors of 1 or 4 bits per pixel; 0 otherwise. */
HCURSOR MakeCursor(int xHotspot, int yHotspot, int width, int height, const uint8_t* andBits,
                   const uint8_t* xorBits, int colorCount);

/* 0 for an index outside 0..20. */
HCURSOR GetSystemCursor(int index);
HCURSOR GetDefaultCursor(void);
HCURSOR GetCurrentCursor(void);
int GetCurrentCursorIndex(void);
/* The previous current cursor, or with setDefault the previous default. */
HCURSOR SetCursorEx(HCURSOR cursor, BOOL setDefault);
#define SetCursor(cursor) SetCursorEx((cursor), FALSE)
#define SetDefaultCursor(cursor) SetCursorEx((cursor), TRUE)

/* The new show count; the cursor is drawn while it is 0 or more. */
int ShowCursor(BOOL show);
void GetCursorPos(Point* point);
void SetCursorPos(int x, int y);
/* 1 when the position changed; the event layer calls it. */
int UpdateCursorFromMouse(int* x, int* y, int* buttons);
/* Null: the whole screen. */
void ClipCursor(const Rect* rect);
void GetClipCursor(Rect* rect);

/* The screen pixel saved under the drawn cursor at (x, y) and its address
 * in the save-under buffer, or null when the cursor does not cover it. */
uint8_t* GetPixelUnderCursor(int x, int y, GalPixel* pixel);

/* Places the logo rectangle of an output (index 4..11); 1. */
int SetOutLogoIdx(int output, int index);

GUI_EXTERN_C_END

#endif
