#include "app/core/liveview/color_session.h"

#include <cstring>

#include "app/color_panel.h"
#include "app/device_backend.h"
#include "app/login_rights.h"

namespace colorpanel {

namespace {

constexpr int kColourFirst = 4, kColourCount = 4;     // brightness .. saturation
constexpr int kAnalogFirst = 36, kAnalogCount = 8;    // sharpness .. byte 43
constexpr int kLastAnalog = 16;

bool InRange(int channel) { return channel >= 1 && channel <= getChannelNum(); }

}  // namespace

Session& ActiveSession() {
  static Session session;
  return session;
}

void Session::Clear() {
  for (Entry& e : saved_) e.touched = false;
}

// Channels past the table have nothing to undo into; a 64-bit copy mask
// must not write past its 32 entries.
void Session::Touch(int channel) {
  if (channel < 1 || channel > kSavedChannels || !InRange(channel)) return;
  saved_[channel].touched = true;
  std::memcpy(saved_[channel].bytes, &current_, kSavedBytes);
}

bool Session::Touched(int channel) const {
  return channel >= 1 && channel <= kSavedChannels && saved_[channel].touched;
}

void Session::Begin(int output, int channel) {
  output_ = output;
  channel_ = channel;
  Clear();
  current_ = ChannelConfig{};
  if (channel <= 0) return;
  getChannelConfig(getOutputLogin(output), channel, &current_);
  Touch(channel);
}

void Session::Apply() { setColorParam(channel_, &current_); }

void Session::CopyTo(uint64_t mask) {
  const int count = getChannelNum();
  // A channel past the table could not be put back on closing: not copied.
  for (int channel = 1; channel <= count && channel <= kSavedChannels; ++channel) {
    if (!(mask >> (channel - 1) & 1)) continue;
    Touch(channel);
    setColorParam(channel, &current_);
  }
}

int Session::Save() {
  int refused = 0;
  Touch(channel_);
  OutputLogin* login = getOutputLogin(output_);
  for (int channel = 1; channel <= kSavedChannels && channel <= getChannelNum(); ++channel) {
    if (!saved_[channel].touched) continue;
    ChannelConfig stored{};
    if (getChannelConfig(login, channel, &stored) != 0) continue;
    auto* bytes = reinterpret_cast<uint8_t*>(&stored);
    std::memcpy(bytes + kColourFirst, saved_[channel].bytes + kColourFirst, kColourCount);
    if (channel <= kLastAnalog)
      std::memcpy(bytes + kAnalogFirst, saved_[channel].bytes + kAnalogFirst, kAnalogCount);
    const int rc = setChannelConfig(login, channel, &stored, 0);
    if (refused == 0) refused = rc;
  }
  const int kept = saveDeviceParams();
  Clear();
  return refused != 0 ? refused : kept;
}

void Session::Restore() {
  OutputLogin* login = getOutputLogin(output_);
  for (int channel = 1; channel <= kSavedChannels && channel <= getChannelNum(); ++channel) {
    if (!saved_[channel].touched) continue;
    ChannelConfig stored{};
    if (getChannelConfig(login, channel, &stored) == 0) setColorParam(channel, &stored);
  }
  Clear();
}

}  // namespace colorpanel
