// The colour records the panel and the camera image page exchange with the
// device: the applied set, the mode presets and the mode list.
#include <cstdint>

#include "app/color_panel.h"
#include "app/device_backend.h"
#include "app/msgbox.h"
#include "gui/combobox.h"
#include "gui/dialog.h"

namespace {

constexpr int kLastAnalog = 16;

struct ModeRow {
  const char* key;
  int value;
};
constexpr ModeRow kModes[] = {
    {"standard", COLOR_STANDARD}, {"indoor", COLOR_INDOOR},   {"night", COLOR_NIGHT},
    {"outdoor", COLOR_OUTDOOR},   {"custom", COLOR_CUSTOM},
};

bool InRange(int channel) { return channel >= 1 && channel <= getChannelNum(); }

}  // namespace

extern "C" {

void initColorTypeCombo(WindowHandle dialog, int channel, int comboId) {
  if (!InRange(channel)) return;
  SendDlgItemMessage(dialog, comboId, CB_DELETEALL, 0, 0);
  const bool ip = channel > kLastAnalog;
  for (const ModeRow& mode : kModes) {
    if ((mode.value == COLOR_CUSTOM) != ip) continue;
    const char* text = lookupText("typecfg", mode.key);
    if (!text) continue;
    SendDlgItemMessage(dialog, comboId, CB_ADDSTRING, static_cast<WParam>(mode.value),
                       reinterpret_cast<LParam>(text));
  }
}

void setColorParam(int channel, const ChannelConfig* record) {
  if (!record || !InRange(channel)) return;
  ColorSetRecord colour{record->brightness, record->contrast,   record->saturation, record->hue,
                        record->pictureExtra, record->colorMode, record->sharpness, record->denoise};
  // The live picture only: the panel's save keeps the record and answers.
  (void)setColorConfig(channel, &colour);
}

void getColorParam(int mode, ChannelConfig* record) {
  if (!record) return;
  uint8_t preset[8] = {};
  // A refused read leaves the colours as they are rather than zeroing them.
  if (getColorPreset(mode, preset) == 0) {
    record->brightness = preset[1];
    record->contrast = preset[2];
    record->hue = preset[3];
    record->saturation = preset[4];
    record->sharpness = preset[5];
    record->denoise = preset[6];
  }
  record->colorMode = static_cast<uint8_t>(mode);
}

}  // extern "C"
