// The core's side of the playback and camera windows: each call forwards to
// what the window's library registered.
#include "app/window_calls.h"

#include <atomic>

#include "app/camera.h"
#include "app/playback.h"

namespace {

#define SLOT(result, name, params, args, unfilled) std::atomic<result(*) params> name{nullptr};
struct PlaybackSlots {
  PLAYBACK_WINDOW_CALLS(SLOT)
};
struct CameraSlots {
  CAMERA_WINDOW_CALLS(SLOT)
};
#undef SLOT

PlaybackSlots g_playback;
CameraSlots g_camera;

}  // namespace

#define STORE(result, name, params, args, unfilled) slots.name.store(calls ? calls->name : nullptr);
#define FORWARD(table, result, name, params, args, unfilled) \
  result name params {                                       \
    auto call = table.name.load();                           \
    return call ? call args : unfilled;                      \
  }
#define FORWARD_PLAYBACK(...) FORWARD(g_playback, __VA_ARGS__)
#define FORWARD_CAMERA(...) FORWARD(g_camera, __VA_ARGS__)

extern "C" {

void registerPlaybackWindows(const PlaybackWindowCalls* calls) {
  PlaybackSlots& slots = g_playback;
  PLAYBACK_WINDOW_CALLS(STORE)
}

void registerCameraWindows(const CameraWindowCalls* calls) {
  CameraSlots& slots = g_camera;
  CAMERA_WINDOW_CALLS(STORE)
}

PLAYBACK_WINDOW_CALLS(FORWARD_PLAYBACK)
CAMERA_WINDOW_CALLS(FORWARD_CAMERA)

}  // extern "C"
