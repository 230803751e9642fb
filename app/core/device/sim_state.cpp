// Kept records and the test seam of the simulated device.
#include "app/core/device/sim_state.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/device_test_seam.h"

namespace devsim {
namespace {

struct Override {
  int64_t answer;
  std::vector<uint8_t> out;
};

struct State {
  std::mutex lock;
  std::map<std::pair<Kind, int>, std::vector<uint8_t>> kept;
  std::map<std::string, Override> overrides;
  std::vector<device_seam::Call> log;
  bool logging = false;
};

State& state() {
  static State s;
  return s;
}

// Lets the common path skip the lock while no test uses the seam.
std::atomic<bool> g_seamInUse{false};

void refreshSeamInUse(const State& s) {
  g_seamInUse.store(s.logging || !s.overrides.empty(), std::memory_order_release);
}

}  // namespace

void keep(Kind kind, int index, const void* data, size_t size) {
  State& s = state();
  const auto* bytes = static_cast<const uint8_t*>(data);
  std::lock_guard<std::mutex> hold(s.lock);
  s.kept[{kind, index}].assign(bytes, bytes + size);
}

bool fetch(Kind kind, int index, void* out, size_t size) {
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  auto it = s.kept.find({kind, index});
  if (it == s.kept.end()) return false;
  std::memcpy(out, it->second.data(), std::min(size, it->second.size()));
  return true;
}

void forget(Kind kind, int index) {
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  s.kept.erase({kind, index});
}

void forgetAll() {
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  s.kept.clear();
}

void updateRaw(Kind kind, int index, void* value, size_t size,
               const std::function<void(void*)>& change) {
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  std::vector<uint8_t>& slot = s.kept[{kind, index}];
  if (slot.size() == size) std::memcpy(value, slot.data(), size);
  change(value);
  const auto* bytes = static_cast<const uint8_t*>(value);
  slot.assign(bytes, bytes + size);
}

std::optional<int64_t> enter(const char* op, std::initializer_list<int64_t> args, void* out,
                             size_t outSize) {
  if (!g_seamInUse.load(std::memory_order_acquire)) return std::nullopt;
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  if (s.logging) s.log.push_back({op, std::vector<int64_t>(args)});
  auto it = s.overrides.find(op);
  if (it == s.overrides.end()) return std::nullopt;
  if (out && !it->second.out.empty())
    std::memcpy(out, it->second.out.data(), std::min(outSize, it->second.out.size()));
  return it->second.answer;
}

}  // namespace devsim

namespace device_seam {

void overrideAnswer(const std::string& op, int64_t answer, const void* out, size_t size) {
  auto& s = devsim::state();
  std::lock_guard<std::mutex> hold(s.lock);
  const auto* bytes = static_cast<const uint8_t*>(out);
  s.overrides[op] = {answer, bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>()};
  devsim::refreshSeamInUse(s);
}

void clearOverrides() {
  auto& s = devsim::state();
  std::lock_guard<std::mutex> hold(s.lock);
  s.overrides.clear();
  devsim::refreshSeamInUse(s);
}

void startCallLog() {
  auto& s = devsim::state();
  std::lock_guard<std::mutex> hold(s.lock);
  s.log.clear();
  s.logging = true;
  devsim::refreshSeamInUse(s);
}

std::vector<Call> callLog() {
  auto& s = devsim::state();
  std::lock_guard<std::mutex> hold(s.lock);
  return s.log;
}

bool appliedColor(int channel, ColorSetRecord* out) {
  return devsim::fetch(devsim::Kind::AppliedColor, channel, out, sizeof *out);
}

void resetKeptRecords() { devsim::forgetAll(); }

void resetAll() {
  auto& s = devsim::state();
  std::lock_guard<std::mutex> hold(s.lock);
  s.kept.clear();
  s.overrides.clear();
  s.log.clear();
  s.logging = false;
  devsim::refreshSeamInUse(s);
}

}  // namespace device_seam
