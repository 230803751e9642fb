/* Reading and changing a window after creation: visibility, enabling,
 * geometry and coordinates, text, style, colours, fonts, cursors, data,
 * focus, activation and capture, classes and the desktop's hooks. An
 * invalid handle answers 0 unless stated. */
#ifndef GUI_WINDOW_ATTR_H
#define GUI_WINDOW_ATTR_H

#include "gui/common.h"
#include "gui/control_class.h"
#include "gui/desktop.h"
#include "gui/font.h"

GUI_EXTERN_C_BEGIN

/* ShowWindow commands. */
#define SW_HIDE 0
#define SW_SHOW 16
#define SW_SHOWNORMAL 256

#define MSG_FONTCHANGING 304
#define MSG_FONTCHANGED 305
#define MSG_GETTEXTLENGTH 306
#define MSG_GETTEXT 307
#define MSG_SETTEXT 308
#define MSG_ENABLE 309

BOOL ShowWindow(WindowHandle hwnd, int command);
BOOL EnableWindow(WindowHandle hwnd, BOOL enable); /* the previous state */
BOOL IsWindowEnabled(WindowHandle hwnd);
BOOL IsWindowVisible(WindowHandle hwnd);

BOOL MoveWindow(WindowHandle hwnd, int x, int y, int w, int h, BOOL repaint);
BOOL GetWindowRect(WindowHandle hwnd, Rect* rect);
BOOL GetClientRect(WindowHandle hwnd, Rect* rect);
void ScreenToClient(WindowHandle hwnd, int* x, int* y);
void ClientToScreen(WindowHandle hwnd, int* x, int* y);
void ScreenToWindow(WindowHandle hwnd, int* x, int* y);
void WindowToScreen(WindowHandle hwnd, int* x, int* y);

const char* GetWindowCaption(WindowHandle hwnd);
BOOL SetWindowCaption(WindowHandle hwnd, const char* text);
int GetWindowTextLength(WindowHandle hwnd); /* -1 invalid */
int GetWindowText(WindowHandle hwnd, char* buffer, int size); /* -1 invalid */
BOOL SetWindowText(WindowHandle hwnd, const char* text);

uint32_t GetWindowStyle(WindowHandle hwnd);
uint32_t GetWindowExStyle(WindowHandle hwnd);
BOOL IncludeWindowStyle(WindowHandle hwnd, uint32_t bits);
BOOL ExcludeWindowStyle(WindowHandle hwnd, uint32_t bits);
BOOL IncludeWindowExStyle(WindowHandle hwnd, uint32_t bits);
BOOL ExcludeWindowExStyle(WindowHandle hwnd, uint32_t bits);

GalPixel GetWindowBkColor(WindowHandle hwnd);
GalPixel SetWindowBkColor(WindowHandle hwnd, GalPixel pixel);
GalPixel GetControlBkColor(WindowHandle hwnd);
GalPixel SetControlBkColor(WindowHandle hwnd, GalPixel pixel);
LogFont* GetWindowFont(WindowHandle hwnd);
LogFont* SetWindowFont(WindowHandle hwnd, LogFont* font);
uintptr_t GetWindowCursor(WindowHandle hwnd);
uintptr_t SetWindowCursor(WindowHandle hwnd, uintptr_t cursor);
LParam GetWindowAdditionalData(WindowHandle hwnd);
LParam SetWindowAdditionalData(WindowHandle hwnd, LParam data);
LParam GetWindowAdditionalData2(WindowHandle hwnd);
LParam SetWindowAdditionalData2(WindowHandle hwnd, LParam data);
WindowProc GetWindowCallbackProc(WindowHandle hwnd);
WindowProc SetWindowCallbackProc(WindowHandle hwnd, WindowProc proc);
typedef void (*NotifyCallback)(WindowHandle control, int id, int code, LParam addData);
NotifyCallback SetNotificationCallback(WindowHandle hwnd, NotifyCallback callback);
NotifyCallback GetNotificationCallback(WindowHandle hwnd);
const char* GetClassName(WindowHandle hwnd);
uintptr_t GetWindowClassAdditionalData(WindowHandle hwnd);
uintptr_t SetWindowClassAdditionalData(WindowHandle hwnd, uintptr_t data);

WindowHandle SetFocusChild(WindowHandle hwnd); /* all ones when refused */
WindowHandle GetFocusChild(WindowHandle hwnd);
WindowHandle SetNullFocus(WindowHandle hwnd);
WindowHandle SetActiveWindow(WindowHandle hwnd);
WindowHandle GetActiveWindow(void);
WindowHandle SetCapture(WindowHandle hwnd);
WindowHandle ReleaseCapture(void);
WindowHandle GetCapture(void);

BOOL RegisterWindowClass(const WndClassInfo* info);
BOOL UnregisterWindowClass(const char* className);
BOOL GetWindowClassInfo(WndClassInfo* info);
BOOL SetWindowClassInfo(const WndClassInfo* info);
MsgHook RegisterKeyMsgHook(WindowHandle context, MsgHook hook);
MsgHook RegisterMouseMsgHook(WindowHandle context, MsgHook hook);
int RegisterIMEWindow(WindowHandle hwnd);
int UnregisterIMEWindow(WindowHandle hwnd);
int GetIMEStatus(int kind);
int SetIMEStatus(int kind, int value);

GUI_EXTERN_C_END

#endif
