#include "core/config/etc_store.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "gui/fixstr.h"

namespace etc {
namespace {

struct LoadedText {
  const EtcFile* owner;
  std::unique_ptr<char[]> bytes;
  size_t size;

  bool Holds(const char* p) const { return p >= bytes.get() && p < bytes.get() + size; }
};

// The texts of the loaded objects of every thread; a handful at a time.
struct LoadedTexts {
  std::mutex lock;
  std::vector<LoadedText> texts;
};

LoadedTexts& Loaded() {
  static LoadedTexts loaded;
  return loaded;
}

bool InLoadedText(const char* p) {
  LoadedTexts& loaded = Loaded();
  std::lock_guard<std::mutex> hold(loaded.lock);
  for (const LoadedText& text : loaded.texts)
    if (text.Holds(p)) return true;
  return false;
}

// Takes the object's text out of the table; an empty one when it has none.
LoadedText TakeText(const EtcFile& file) {
  LoadedTexts& loaded = Loaded();
  std::lock_guard<std::mutex> hold(loaded.lock);
  for (auto it = loaded.texts.begin(); it != loaded.texts.end(); ++it) {
    if (it->owner != &file) continue;
    LoadedText taken = std::move(*it);
    loaded.texts.erase(it);
    return taken;
  }
  return LoadedText{&file, nullptr, 0};
}

// Frees a string of the object being deleted: its own text is known.
void FreeOwnText(const LoadedText& own, char* text) {
  if (!own.Holds(text)) FreeText(text);
}

void ClearOwnSection(EtcSection& section, const LoadedText& own) {
  for (int i = 0; i < section.keyCount; ++i) {
    FreeOwnText(own, section.keys[i]);
    FreeOwnText(own, section.values[i]);
  }
  std::free(section.keys);
  std::free(section.values);
  FreeOwnText(own, section.name);
  section = EtcSection{};
}

template <typename T>
bool GrowArray(T*& array, int oldCount, int newCount) {
  void* grown = std::realloc(array, sizeof(T) * static_cast<size_t>(newCount));
  if (grown == nullptr) return false;
  array = static_cast<T*>(grown);
  std::memset(array + oldCount, 0, sizeof(T) * static_cast<size_t>(newCount - oldCount));
  return true;
}

bool GiveKeyArrays(EtcSection& section, int capacity) {
  char** keys = nullptr;
  char** values = nullptr;
  if (!GrowArray(keys, 0, capacity) || !GrowArray(values, 0, capacity)) {
    std::free(keys);
    std::free(values);
    return false;
  }
  section.keys = keys;
  section.values = values;
  section.keyCapacity = capacity;
  section.keyCount = 0;
  return true;
}

// The first capacity of `initial` grown by `step` that holds `count`.
int StepCapacity(int initial, int step, int count) {
  if (count <= initial) return initial;
  return initial + (count - initial + step - 1) / step * step;
}

bool GrowSections(EtcFile& file, int capacity) {
  if (capacity <= file.sectionCapacity) return true;
  if (!GrowArray(file.sections, file.sectionCapacity, capacity)) return false;
  file.sectionCapacity = capacity;
  return true;
}

int LastFreeSlot(const EtcFile& file) {
  for (int i = file.sectionCount - 1; i >= 0; --i)
    if (file.sections[i].name == nullptr) return i;
  return -1;
}

EtcSection* AppendSlot(EtcFile& file) {
  if (file.sectionCount >= file.sectionCapacity &&
      !GrowSections(file, file.sectionCapacity + kSectionGrowth))
    return nullptr;
  return &file.sections[file.sectionCount++];
}

EtcSection* SlotForNewSection(EtcFile& file) {
  int slot = LastFreeSlot(file);
  return slot >= 0 ? &file.sections[slot] : AppendSlot(file);
}

}  // namespace

char* DupText(std::string_view text) {
  if (text.empty()) return FixStrAlloc(0);  // the shared empty string: never written
  if (text.size() >= static_cast<size_t>(INT_MAX)) return nullptr;  // beyond the heap's int lengths
  char* copy = FixStrAlloc(static_cast<int>(text.size()));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}

EtcFile* NewEtcFile() {
  auto* file = static_cast<EtcFile*>(std::calloc(1, sizeof(EtcFile)));
  if (file == nullptr) return nullptr;
  if (!GrowArray(file->sections, 0, kInitialSections)) {
    std::free(file);
    return nullptr;
  }
  file->sectionCapacity = kInitialSections;
  return file;
}

void DeleteEtcFile(EtcFile* file) {
  if (file == nullptr) return;
  const LoadedText own = TakeText(*file);
  for (int i = 0; i < file->sectionCount; ++i) ClearOwnSection(file->sections[i], own);
  std::free(file->sections);
  std::free(file);
}

void AdoptText(const EtcFile& file, std::unique_ptr<char[]> text, size_t size) {
  LoadedTexts& loaded = Loaded();
  std::lock_guard<std::mutex> hold(loaded.lock);
  loaded.texts.push_back(LoadedText{&file, std::move(text), size});
}

void FreeText(char* text) {
  if (text != nullptr && !InLoadedText(text)) FreeFixStr(text);
}

bool ReserveSections(EtcFile& file, int count) {
  return GrowSections(file, StepCapacity(kInitialSections, kSectionGrowth, count));
}

EtcSection* AddSection(EtcFile& file, std::string_view name) {
  char* copy = DupText(name);
  if (copy == nullptr) return nullptr;
  EtcSection fresh{};
  if (!GiveKeyArrays(fresh, kInitialKeys)) {
    FreeFixStr(copy);
    return nullptr;
  }
  EtcSection* slot = SlotForNewSection(file);
  if (slot == nullptr) {
    FreeFixStr(copy);
    ClearSection(fresh);
    return nullptr;
  }
  fresh.name = copy;
  *slot = fresh;
  return slot;
}

void ClearSection(EtcSection& section) {
  for (int i = 0; i < section.keyCount; ++i) {
    FreeText(section.keys[i]);
    FreeText(section.values[i]);
  }
  std::free(section.keys);
  std::free(section.values);
  FreeText(section.name);
  section = EtcSection{};
}

bool AppendLoadedSection(EtcFile& file, char* name, char* const* keys, char* const* values, int count) {
  EtcSection fresh{};
  if (!GiveKeyArrays(fresh, StepCapacity(kInitialKeys, kKeyGrowth, count))) return false;
  EtcSection* slot = AppendSlot(file);
  if (slot == nullptr) {
    ClearSection(fresh);
    return false;
  }
  if (count > 0) {
    std::memcpy(fresh.keys, keys, sizeof(char*) * static_cast<size_t>(count));
    std::memcpy(fresh.values, values, sizeof(char*) * static_cast<size_t>(count));
  }
  fresh.keyCount = count;
  fresh.name = name;
  *slot = fresh;
  return true;
}

EtcSection* LookupSection(const EtcFile& file, std::string_view name) {
  for (int i = 0; i < file.sectionCount; ++i) {
    EtcSection& section = file.sections[i];
    if (section.name != nullptr && name == section.name) return &section;
  }
  return nullptr;
}

int LookupKey(const EtcSection& section, std::string_view key) {
  for (int i = 0; i < section.keyCount; ++i)
    if (section.keys[i] != nullptr && key == section.keys[i]) return i;
  return -1;
}

bool AppendKey(EtcSection& section, std::string_view key, std::string_view value) {
  if (section.keyCount >= section.keyCapacity) {
    int grown = section.keyCapacity + kKeyGrowth;
    // Grow both arrays before recording the new capacity, so a failure in
    // the second leaves the section consistent.
    if (!GrowArray(section.keys, section.keyCapacity, grown)) return false;
    if (!GrowArray(section.values, section.keyCapacity, grown)) return false;
    section.keyCapacity = grown;
  }
  char* keyCopy = DupText(key);
  char* valueCopy = keyCopy ? DupText(value) : nullptr;
  if (valueCopy == nullptr) {
    FreeFixStr(keyCopy);
    return false;
  }
  section.keys[section.keyCount] = keyCopy;
  section.values[section.keyCount] = valueCopy;
  ++section.keyCount;
  return true;
}

bool ReplaceValue(EtcSection& section, int index, std::string_view value) {
  char* copy = DupText(value);
  if (copy == nullptr) return false;
  FreeText(section.values[index]);
  section.values[index] = copy;
  return true;
}

void CopyValueOut(const char* stored, char* value, int len) {
  std::strncpy(value, stored, static_cast<size_t>(len));
  value[len - 1] = '\0';
}

int TextToInt(const char* text, int* value) {
  errno = 0;
  long number = std::strtol(text, nullptr, 0);
  if ((number == LONG_MIN || number == LONG_MAX) && errno == ERANGE) return ETC_INT_OUT_OF_RANGE;
  if (number < INT_MIN || number > INT_MAX) return ETC_INT_OUT_OF_RANGE;
  *value = static_cast<int>(number);
  return ETC_OK;
}

}  // namespace etc
