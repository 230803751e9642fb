// Mouse acceleration: only a few (scale, threshold) pairs are meaningful to
// the input layer; anything else falls back to the default pair.

#include "gui/gui_etc.h"

namespace {

struct MousePair {
  int scale;
  int threshold;
};

constexpr MousePair kDefaultPair{2, 3};
constexpr MousePair kAcceptedPairs[] = {{1, 0}, {3, 5}, {4, 7}, {6, 10}};

MousePair g_pair = kDefaultPair;

bool IsAccepted(MousePair pair) {
  for (const MousePair& accepted : kAcceptedPairs)
    if (accepted.scale == pair.scale && accepted.threshold == pair.threshold) return true;
  return false;
}

}  // namespace

extern "C" {

void LoadMouseSettings(void) {
  MousePair read{};
  const bool found = GetGuiEtcIntValue("mouse", "mou_scale", &read.scale) == ETC_OK &&
                     GetGuiEtcIntValue("mouse", "mou_thresh", &read.threshold) == ETC_OK;
  g_pair = found && IsAccepted(read) ? read : kDefaultPair;
}

BOOL SetMouseScale(int scale, int threshold) {
  const MousePair pair{scale, threshold};
  if (!IsAccepted(pair)) return FALSE;
  g_pair = pair;
  return TRUE;
}

BOOL GetMouseScale(int* scale, int* threshold) {
  const bool accepted = IsAccepted(g_pair);
  const MousePair out = accepted ? g_pair : kDefaultPair;
  if (scale) *scale = out.scale;
  if (threshold) *threshold = out.threshold;
  return accepted;
}

}  // extern "C"
