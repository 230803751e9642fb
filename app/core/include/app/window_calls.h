/* The playback and camera windows the live view and the menus open. Their
 * libraries lie above the core, so the core reaches them through this table,
 * which each library fills from its registration call; an unfilled entry
 * answers 0 (an invalid handle, an empty mask) and does nothing. */
#ifndef APP_WINDOW_CALLS_H
#define APP_WINDOW_CALLS_H

#include "gui/common.h"

/* X(result, name, parameters, arguments, answer when unfilled) */
#define PLAYBACK_WINDOW_CALLS(X)                                                                     \
  X(int, runPlaybackDialog, (WindowHandle owner), (owner), 0)                                        \
  X(int, runInstantPlaybackDialog, (WindowHandle host), (host), 0)                                   \
  X(int, canSwitchPlaybackChannel, (int output), (output), 0)                                        \
  X(void, switchPlaybackChannel, (int output, WindowHandle window, int channel), (output, window, channel), \
    void())                                                                                          \
  X(void, startChannelPlayback, (int output, WindowHandle window, int channel), (output, window, channel), \
    void())                                                                                          \
  X(int, searchInstantPlayback, (int output, int channel), (output, channel), 0)                     \
  X(int, startInstantPlayback, (int output), (output), 0)                                            \
  X(void, stopPlayback, (int output), (output), void())                                              \
  X(void, showPlaybackWindow, (int output, int show), (output, show), void())                        \
  X(void, restoreInstantPlaybackWindow, (int output), (output), void())                              \
  X(int, toggleSingleViewAt, (int output, WindowHandle window, WParam wParam, LParam lParam),        \
    (output, window, wParam, lParam), 0)                                                             \
  X(int, searchLogPlayback, (int output, int channel, int64_t start, int64_t end), (output, channel, start, end), -1) \
  X(int, startSmallPlayback, (int output), (output), -1)                                             \
  X(int, runSmallPlaybackDialog, (WindowHandle owner), (owner), 0)                                   \
  X(int, showExportDialog, (WindowHandle owner), (owner), 0)

#define CAMERA_WINDOW_CALLS(X)                                                                       \
  X(int, showImageCopyChanDialog, (WindowHandle host, int sourceChannel, int mode), (host, sourceChannel, mode), 0) \
  X(uint64_t, getImageCopyChanMask, (void), (), 0)                                                   \
  X(void, getImageCopyChanRect, (Rect * out), (out), void())                                         \
  X(WindowHandle, getPtzPlayWindow, (void), (), GUI_INVALID_HANDLE)                                  \
  X(int, showPtzPlayDialog, (WindowHandle owner), (owner), 0)                                        \
  X(int, showCameraMenu, (WindowHandle owner), (owner), 0)                                           \
  X(int, showAddIpcDialog, (WindowHandle owner), (owner), 0)

#define APP_WINDOW_CALL_FIELD(result, name, params, args, unfilled) result(*name) params;
typedef struct PlaybackWindowCalls {
  PLAYBACK_WINDOW_CALLS(APP_WINDOW_CALL_FIELD)
} PlaybackWindowCalls;
typedef struct CameraWindowCalls {
  CAMERA_WINDOW_CALLS(APP_WINDOW_CALL_FIELD)
} CameraWindowCalls;
#undef APP_WINDOW_CALL_FIELD

GUI_EXTERN_C_BEGIN

/* Fill the table (a null argument empties it). */
void registerPlaybackWindows(const PlaybackWindowCalls* calls);
void registerCameraWindows(const CameraWindowCalls* calls);

GUI_EXTERN_C_END

#endif
