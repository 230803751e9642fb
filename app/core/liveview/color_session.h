// What the colour panel changed while it is open: the selected channel's
// record the controls edit, and for each channel whose picture was changed
// on the device the copy to store with OK or to undo on closing.
#pragma once

#include <cstdint>

#include "app/device_records.h"

namespace colorpanel {

constexpr int kSavedChannels = 32;
constexpr int kSavedBytes = 172;

class Session {
 public:
  // Forgets every change and reads the channel's record (none below 1).
  void Begin(int output, int channel);
  ChannelConfig& Current() { return current_; }
  int Channel() const { return channel_; }
  // Applies the current colours to the selected channel.
  void Apply();
  // Applies the current colours to every channel of the mask (bit i is
  // channel i + 1) and marks them changed.
  void CopyTo(uint64_t mask);
  // Stores the colours of every changed channel, then forgets them: 0, or
  // the first refusal of the device.
  int Save();
  // Puts every changed channel's stored colours back on the device.
  void Restore();
  bool Touched(int channel) const;

 private:
  struct Entry {
    uint8_t bytes[kSavedBytes];
    bool touched;
  };
  void Touch(int channel);
  void Clear();

  int output_ = 0;
  int channel_ = 0;
  ChannelConfig current_{};
  Entry saved_[kSavedChannels + 1]{};
};

// The one panel, shared by both outputs.
Session& ActiveSession();

}  // namespace colorpanel
