// Kept records and the test seam of the simulated device.
#include "app/core/device/sim_state.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <stdexcept>
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
  // Every operation of the seam and its name, noted before main runs.
  std::map<OpKey, const char*> operations;
  std::map<OpKey, Override> overrides;
  // Answers for calls whose leading arguments match.
  std::map<std::pair<OpKey, std::vector<int64_t>>, Override> argOverrides;
  std::vector<device_seam::Call> log;
  bool logging = false;
};

State& state() {
  static State s;
  return s;
}

// Lets the common path skip the lock while no test uses the seam.
std::atomic<bool> g_seamInUse{false};

// Changes of saved records so far, and the counts the last image tried and
// the last image written held; equal counts mean the file is up to date.
std::atomic<uint64_t> g_changes{0};
std::atomic<uint64_t> g_tried{0};
std::atomic<uint64_t> g_written{0};

// The kept set is what the file holds (just loaded, or a fresh device).
void settingsInStep() {
  g_tried = g_changes.load();
  g_written = g_changes.load();
}

// Caller holds the lock. A set that leaves the bytes as they were is no
// change: a page that applies every record rewrites nothing.
void store(std::vector<uint8_t>& slot, Kind kind, const uint8_t* bytes, size_t size) {
  if (slot.size() == size && std::equal(bytes, bytes + size, slot.begin())) return;
  slot.assign(bytes, bytes + size);
  if (isSavedKind(kind)) ++g_changes;
}

void refreshSeamInUse(const State& s) {
  g_seamInUse.store(s.logging || !s.overrides.empty() || !s.argOverrides.empty(), std::memory_order_release);
}

constexpr char kMagic[8] = {'N', 'V', 'R', 'P', 'A', 'R', 'A', 'M'};
constexpr uint32_t kVersion = 1;
// Bounds that no record of this device comes near; a file beyond them is
// damaged, and they keep a hostile file from asking for memory.
constexpr size_t kMaxRecordSize = 1u << 20;
constexpr size_t kMaxNameSize = 64;

uint32_t crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int b = 0; b < 8; ++b) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Reads the image front to back; every read is bounds-checked.
struct Reader {
  const uint8_t* p;
  size_t left;
  bool take(void* to, size_t n) {
    if (n > left) return false;
    // An empty record has no buffer to copy into.
    if (n != 0) std::memcpy(to, p, n);
    p += n;
    left -= n;
    return true;
  }
  bool u32(uint32_t& v) {
    uint8_t b[4];
    if (!take(b, 4)) return false;
    v = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
    return true;
  }
};

bool kindByName(const std::string& name, Kind* out) {
  for (int k = 0; const char* known = kindName(static_cast<Kind>(k)); ++k)
    if (name == known) {
      *out = static_cast<Kind>(k);
      return true;
    }
  return false;
}

}  // namespace

int64_t digest(const void* data, size_t size) {
  if (!data) return -1;
  return crc32(static_cast<const uint8_t*>(data), size);
}

namespace {
// Caller holds the lock.
void eraseSettings(State& s) {
  for (auto it = s.kept.begin(); it != s.kept.end();)
    it = isSavedKind(it->first.first) ? s.kept.erase(it) : std::next(it);
}
}  // namespace

void forgetSettings() {
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  eraseSettings(s);
  ++g_changes;
}

void restoreFactoryState() {
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  s.kept.clear();
  ++g_changes;
}

void noteSettingsWrite(uint64_t changes, bool written) {
  g_tried = changes;
  if (written) g_written = changes;
}

bool settingsWriteDue(bool retryFailed) {
  return g_changes.load() != (retryFailed ? g_written.load() : g_tried.load());
}

std::vector<uint8_t> serializeSettings(uint64_t* changes) {
  std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
  putU32(out, kVersion);
  putU32(out, 0);  // the count, written below
  uint32_t count = 0;
  {
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    if (changes) *changes = g_changes.load();
    for (const auto& [key, bytes] : s.kept) {
      if (!isSavedKind(key.first)) continue;
      const char* name = kindName(key.first);
      out.push_back(static_cast<uint8_t>(std::strlen(name)));
      out.insert(out.end(), name, name + std::strlen(name));
      putU32(out, static_cast<uint32_t>(key.second));
      putU32(out, static_cast<uint32_t>(bytes.size()));
      out.insert(out.end(), bytes.begin(), bytes.end());
      ++count;
    }
  }
  for (int i = 0; i < 4; ++i) out[12 + i] = static_cast<uint8_t>(count >> (8 * i));
  putU32(out, crc32(out.data(), out.size()));
  return out;
}

bool parseSettings(const uint8_t* data, size_t size, std::string* why) {
  auto refuse = [why](const char* reason) {
    if (why) *why = reason;
    return false;
  };
  if (!data || size < sizeof kMagic + 12) return refuse("too short");
  if (std::memcmp(data, kMagic, sizeof kMagic) != 0) return refuse("not a parameter file");
  Reader trailer{data + size - 4, 4};
  uint32_t stored = 0;
  trailer.u32(stored);
  if (stored != crc32(data, size - 4)) return refuse("checksum mismatch");
  Reader in{data + sizeof kMagic, size - sizeof kMagic - 4};
  uint32_t version = 0, count = 0;
  in.u32(version);
  in.u32(count);
  if (version != kVersion) return refuse("unknown version");
  std::map<std::pair<Kind, int>, std::vector<uint8_t>> read;
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t nameSize = 0;
    char name[kMaxNameSize];
    uint32_t index = 0, recordSize = 0;
    if (!in.take(&nameSize, 1) || nameSize == 0 || nameSize > kMaxNameSize || !in.take(name, nameSize) ||
        !in.u32(index) || !in.u32(recordSize) || recordSize > kMaxRecordSize || recordSize > in.left)
      return refuse("truncated record");
    std::vector<uint8_t> bytes(recordSize);
    in.take(bytes.data(), recordSize);
    Kind kind;
    // A kind this program does not know, or does not save, is passed over.
    if (!kindByName(std::string(name, nameSize), &kind) || !isSavedKind(kind)) continue;
    if (recordSize != savedSize(kind, static_cast<int>(index))) {
      if (why)
        *why = std::string(kindName(kind)) + " record of " + std::to_string(recordSize) + " bytes, not " +
               std::to_string(savedSize(kind, static_cast<int>(index)));
      return false;
    }
    if (!read.emplace(std::make_pair(kind, static_cast<int>(index)), std::move(bytes)).second)
      return refuse("a record appears twice");
  }
  if (in.left != 0) return refuse("data after the last record");
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  eraseSettings(s);
  for (auto& [key, bytes] : read) s.kept[key] = std::move(bytes);
  settingsInStep();
  return true;
}

void keep(Kind kind, int index, const void* data, size_t size) {
  assert(!isSavedKind(kind) || size == savedSize(kind, index));
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  store(s.kept[{kind, index}], kind, static_cast<const uint8_t*>(data), size);
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
  if (s.kept.erase({kind, index}) != 0 && isSavedKind(kind)) ++g_changes;
}

void forgetAll() {
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  s.kept.clear();
  settingsInStep();
}

void updateRaw(Kind kind, int index, void* value, size_t size,
               const std::function<void(void*)>& change) {
  assert(!isSavedKind(kind) || size == savedSize(kind, index));
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  std::vector<uint8_t>& slot = s.kept[{kind, index}];
  if (slot.size() == size) std::memcpy(value, slot.data(), size);
  change(value);
  store(slot, kind, static_cast<const uint8_t*>(value), size);
}

bool noteOperation(OpKey op, const char* name) {
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  s.operations[op] = name;
  return true;
}

std::optional<int64_t> enter(OpKey op, const char* name, std::initializer_list<int64_t> args, void* out,
                             size_t outSize) {
  if (!g_seamInUse.load(std::memory_order_acquire)) return std::nullopt;
  State& s = state();
  std::lock_guard<std::mutex> hold(s.lock);
  // An entry that names another function would answer that one's overrides.
  auto known = s.operations.find(op);
  if (known == s.operations.end() || std::strcmp(known->second, name) != 0) {
    std::fprintf(stderr, "device seam: %s enters as another operation\n", name);
    std::abort();
  }
  if (s.logging) s.log.push_back({name, std::vector<int64_t>(args)});
  const Override* found = nullptr;
  for (const auto& [key, answer] : s.argOverrides)
    if (key.first == op && key.second.size() <= args.size() &&
        std::equal(key.second.begin(), key.second.end(), args.begin())) {
      found = &answer;
      break;
    }
  if (!found) {
    auto it = s.overrides.find(op);
    if (it == s.overrides.end()) return std::nullopt;
    found = &it->second;
  }
  if (out && !found->out.empty()) std::memcpy(out, found->out.data(), std::min(outSize, found->out.size()));
  return found->answer;
}

}  // namespace devsim

namespace device_seam {

namespace {
// Caller holds the lock.
void requireOperation(const devsim::State& s, Op op) {
  if (s.operations.count(op.key()) == 0)
    throw std::invalid_argument("device seam: an override of a function that does not enter the seam changes nothing");
}
}  // namespace

Op Op::named(const std::string& name) {
  auto& s = devsim::state();
  std::lock_guard<std::mutex> hold(s.lock);
  for (const auto& [key, known] : s.operations)
    if (name == known) return Op(key);
  throw std::invalid_argument("device seam: no operation is named " + name);
}

std::string Op::name() const {
  auto& s = devsim::state();
  std::lock_guard<std::mutex> hold(s.lock);
  auto it = s.operations.find(key_);
  return it != s.operations.end() ? it->second : "(not an operation of the device)";
}

void overrideAnswer(Op op, int64_t answer, const void* out, size_t size) {
  auto& s = devsim::state();
  std::lock_guard<std::mutex> hold(s.lock);
  requireOperation(s, op);
  const auto* bytes = static_cast<const uint8_t*>(out);
  s.overrides[op.key()] = {answer, bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>()};
  devsim::refreshSeamInUse(s);
}

void overrideAnswerFor(Op op, const std::vector<int64_t>& leadingArgs, int64_t answer, const void* out, size_t size) {
  auto& s = devsim::state();
  std::lock_guard<std::mutex> hold(s.lock);
  requireOperation(s, op);
  const auto* bytes = static_cast<const uint8_t*>(out);
  s.argOverrides[{op.key(), leadingArgs}] = {answer, bytes ? std::vector<uint8_t>(bytes, bytes + size)
                                                           : std::vector<uint8_t>()};
  devsim::refreshSeamInUse(s);
}

void clearOverrides() {
  auto& s = devsim::state();
  std::lock_guard<std::mutex> hold(s.lock);
  s.overrides.clear();
  s.argOverrides.clear();
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
  devsim::settingsInStep();
  s.overrides.clear();
  s.argOverrides.clear();
  s.log.clear();
  s.logging = false;
  devsim::refreshSeamInUse(s);
}

}  // namespace device_seam
