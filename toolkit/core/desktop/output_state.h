// What the application shows on an output, as getOutputStateHook answers it,
// and the other output of the pair.
#pragma once

#include "gui/app_hooks.h"

// The main output for the auxiliary one and the auxiliary for any other.
inline int OtherOutput(int output) {
  return output == getMainOutputHook() ? getAuxOutputHook() : getMainOutputHook();
}
