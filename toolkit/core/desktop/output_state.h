// What the application shows on an output, as getOutputStateHook answers it,
// and the other output of the pair.
#pragma once

#include "gui/app_hooks.h"

namespace outstate {

constexpr int kLive = 0;
constexpr int kMenu = 1;
constexpr int kPtz = 2;
constexpr int kPlayback = 9;
constexpr int kIdleReturned = 11;

}  // namespace outstate

// The main output for the auxiliary one and the auxiliary for any other.
inline int OtherOutput(int output) {
  return output == getMainOutputHook() ? getAuxOutputHook() : getMainOutputHook();
}
