/* The controls' shared drawing: 3D and flat frames, gradients, two-colour
 * bars, three-part bitmap boxes, the skinned edit frame, the background
 * painters that answer the erase message, the font choice by extended
 * style, and the default procedures of pages and containers.
 *
 * Frame flags: the low four bits choose the look (0 raised), bit 0x10
 * fills the inside with the fill colour. */
#ifndef GUI_CONTROL_PAINT_H
#define GUI_CONTROL_PAINT_H

#include "gui/bitmap.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define FRAME_LOOK_MASK 0x0Fu
#define FRAME_FILL 0x10u

/* Corner flags of the edit frame; a control passes its extended style. */
#define EDIT_CORNER_TOPLEFT 0x00001u
#define EDIT_CORNER_BOTTOMLEFT 0x00010u
#define EDIT_CORNER_TOPRIGHT 0x10000u
#define EDIT_CORNER_BOTTOMRIGHT 0x80000u

void Draw3DThickFrameEx(HDC hdc, WindowHandle hwnd, int l, int t, int r, int b, uint32_t flags, GalPixel fill);
void Draw3DThinFrameEx(HDC hdc, WindowHandle hwnd, int l, int t, int r, int b, uint32_t flags, GalPixel fill);
void Draw3DBorderEx(HDC hdc, WindowHandle hwnd, int l, int t, int r, int b);
int DisabledTextOutEx(HDC hdc, WindowHandle hwnd, int x, int y, const char* text);
void Draw3DControlFrameEx(HDC hdc, WindowHandle hwnd, int x0, int y0, int x1, int y1, uint32_t flags,
                          GalPixel fill);
void DrawFlatControlFrameEx(HDC hdc, WindowHandle hwnd, int x0, int y0, int x1, int y1, int corner,
                            uint32_t flags, GalPixel fill);
void DrawBoxFromBitmap(HDC hdc, const Rect* rect, const Bitmap* bitmap, BOOL horizontal, BOOL clip);
/* 0, or -1 without a rectangle or bitmap. */
int DrawBoxWithBitmapCombine(HDC hdc, const Rect* rect, const Bitmap* bitmap);

/* Direction 0: rows, the gradient running from the bottom up; otherwise
 * columns from left to right. Rounded ends lose their corner pixels. */
void DrawGradientBox(HDC hdc, GalPixel start, GalPixel end, int l, int t, int r, int b, BOOL roundStart,
                     BOOL roundEnd, int direction);
/* Red, green and blue increments per step in 16.16 fixed point. */
void GradientSteps(HDC hdc, GalPixel start, GalPixel end, int steps, int32_t increments[3]);
void DrawTwoColorBar(HDC hdc, GalPixel first, GalPixel second, int l, int t, int r, int b, int value, int maximum,
                     BOOL horizontal);

/* -1 without a rectangle or without the corner skin, else 0. */
int DrawEditFrame(HDC hdc, uint32_t style, uint32_t corners, const Rect* rect, BOOL fill, BOOL rightEdge,
                  GalPixel fillColor);
/* "edit_bk"/"edit_bk_dis" with the background flag, else the corner skins;
 * the enabled flag picks the plain or the disabled one. */
const Bitmap* GetEditBitmap(BOOL enabled, BOOL background);

/* Background painters: DC and clip rectangle may be null; each answers 0
 * and does nothing for a transparent window (extended style 0x20). */
int EraseDefControlBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseTwoToneBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseTwoToneBkgndCaret(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseTrackBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseControlBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseEditFrameBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseEditFrameBkgndCaret(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseStaticFrameBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseSLEditBkgnd(WindowHandle hwnd, HDC hdc, const Rect* clip, const Rect* box);
int DrawFocusEditFrame(WindowHandle hwnd, HDC hdc, const Rect* rect, BOOL focus);

/* Extended style 0x200 font 7, else 0x8000 font 8, else 0x02000000 font 9,
 * else font 5. */
void SetControlFontByStyle(WindowHandle hwnd);

LResult DefaultPageProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);
LResult ContainerDialogProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);

GUI_EXTERN_C_END

#endif
