// The box and focus of a refused encoding check or write.
#include <cstdio>

#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/format_text.h"
#include "app/formatting.h"
#include "app/msgbox.h"
#include "app/record/encode/encode.h"
#include "gui/dialog.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace encode {
namespace {

struct ErrorRow {
  int code;
  const char* key;  // null: the bit-rate-over box of the group
  int focus;        // 0: none; for bit rate the group's index
  int groupIndex;
};

constexpr ErrorRow kErrors[] = {
    {ENCODE_ERR_STREAM, "save_stream_failed", 0, -1},
    {ENCODE_ERR_BANDWIDTH, "save_netwidth_over", 0, -1},
    {ENCODE_ERR_MAIN_RESOLUTION, "save_reso_failed", 18444, -1},
    {ENCODE_ERR_MAIN_FRAME_RATE, "save_frame_failed", 18447, -1},
    {ENCODE_ERR_MAIN_BITRATE, nullptr, 0, kNormal},
    {ENCODE_ERR_EVENT_RESOLUTION, "save_reso_failed", 18453, -1},
    {ENCODE_ERR_EVENT_FRAME_RATE, "save_frame_failed", 18456, -1},
    {ENCODE_ERR_EVENT_BITRATE, nullptr, 0, kEvent},
    {ENCODE_ERR_SUB_RESOLUTION, "save_reso_failed", 18498, -1},
    {ENCODE_ERR_SUB_FRAME_RATE, "save_frame_failed", 18501, -1},
    {ENCODE_ERR_SUB_BITRATE, nullptr, 0, kSub},
};

void showBitrateOver(WindowHandle page, int groupIndex, int channel) {
  const Group& g = group(groupIndex);
  int low = 0, high = 0;
  const int resolution = comboValue(page, g.resolution());
  const char* format = lookupText("commons", "save_bitrate_over");
  if (format && getBitrateLimits(&low, &high, channel, g.type, resolution) != 0) {
    char text[128];
    const bool reversed = isRightToLeftLang() != 0;
    if (formatChecked(text, sizeof text, format, "dd", reversed ? high : low, reversed ? low : high) >= 0)
      showMsgBoxText(page, text, MSGBOX_INFO);
  }
  SetFocusChild(GetDlgItem(page, pageState().custom[groupIndex] ? g.edit : g.rate()));
}

}  // namespace

void showSaveError(WindowHandle page, int code, int recordChannel, int subChannel) {
  for (const ErrorRow& row : kErrors) {
    if (row.code != code) continue;
    if (!row.key) {
      showBitrateOver(page, row.groupIndex, row.groupIndex == kSub ? subChannel : recordChannel);
      return;
    }
    showMsgBox(page, "commons", row.key, MSGBOX_INFO);
    if (row.focus) SetFocusChild(GetDlgItem(page, row.focus));
    return;
  }
  showMsgBox(page, "commons", "savefailed", MSGBOX_ERROR);
}

}  // namespace encode
