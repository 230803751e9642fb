// The application's copy of the device's configuration. The toolkit's
// threads read words of it as they run (gui/app_hooks.h) while the
// application's threads change it, so every access is a relaxed atomic:
// each word the toolkit reads at its own width, every other byte alone.
// Writers take one lock, so a change is made on the copy as it stands, and
// store only what differs.
#include <cstdint>
#include <cstring>
#include <mutex>

#include "app/app_registry.h"

namespace {

alignas(uint32_t) DeviceConfig g_config;
std::mutex g_writers;

struct Word {
  size_t offset, size;
};
// The words the toolkit reads that are wider than a byte.
constexpr Word kWideWords[] = {
    {GUI_DEVCFG_LANGUAGE_OFFSET, sizeof(uint32_t)},  {GUI_DEVCFG_IDLE_INDEX(0), sizeof(uint16_t)},
    {GUI_DEVCFG_IDLE_INDEX(1), sizeof(uint16_t)}, {GUI_DEVCFG_IDLE_INDEX(2), sizeof(uint16_t)},
    {GUI_DEVCFG_IDLE_INDEX(3), sizeof(uint16_t)},
};

size_t widthAt(size_t offset) {
  for (const Word& w : kWideWords)
    if (w.offset == offset) return w.size;
  return 1;
}

uint8_t* shared() { return reinterpret_cast<uint8_t*>(&g_config); }

template <typename T>
void load(const uint8_t* from, uint8_t* to) {
  const T v = __atomic_load_n(reinterpret_cast<const T*>(from), __ATOMIC_RELAXED);
  std::memcpy(to, &v, sizeof v);
}

template <typename T>
void store(const uint8_t* from, uint8_t* to) {
  T v;
  std::memcpy(&v, from, sizeof v);
  if (__atomic_load_n(reinterpret_cast<T*>(to), __ATOMIC_RELAXED) != v)
    __atomic_store_n(reinterpret_cast<T*>(to), v, __ATOMIC_RELAXED);
}

// Calls `step` with each word's offset and width, in order.
template <typename Step>
void eachWord(Step step) {
  for (size_t i = 0; i < sizeof(DeviceConfig);) {
    const size_t width = widthAt(i);
    step(i, width);
    i += width;
  }
}

// Calls `op` with a value of the unsigned type as wide as `width`.
template <typename Op>
void byWidth(size_t width, Op op) {
  if (width == sizeof(uint32_t))
    op(uint32_t{});
  else if (width == sizeof(uint16_t))
    op(uint16_t{});
  else
    op(uint8_t{});
}

void storeLocked(const DeviceConfig& config) {
  const auto* from = reinterpret_cast<const uint8_t*>(&config);
  eachWord([from](size_t i, size_t width) {
    byWidth(width, [&](auto type) { store<decltype(type)>(from + i, shared() + i); });
  });
}

}  // namespace

extern "C" {

DeviceConfig cachedDeviceConfig(void) {
  DeviceConfig copy;
  auto* to = reinterpret_cast<uint8_t*>(&copy);
  eachWord([to](size_t i, size_t width) {
    byWidth(width, [&](auto type) { load<decltype(type)>(shared() + i, to + i); });
  });
  return copy;
}

void storeCachedDeviceConfig(const DeviceConfig* config) {
  if (!config) return;
  std::lock_guard<std::mutex> hold(g_writers);
  storeLocked(*config);
}

void changeCachedDeviceConfig(void (*change)(DeviceConfig* config, void* context), void* context) {
  if (!change) return;
  std::lock_guard<std::mutex> hold(g_writers);
  DeviceConfig config = cachedDeviceConfig();
  change(&config, context);
  storeLocked(config);
}

void* cachedDeviceConfigAddress(void) { return &g_config; }

}  // extern "C"
