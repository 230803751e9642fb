// The control class registry: 26 lists, one per first letter, each in
// registration order. Records are owned by the lists; the `next` links of
// the exported records mirror the list order. Classes are added and removed
// on the desktop thread; every thread creating a control looks its class up,
// so the lists are read under a shared lock instead of through the desktop.
#include "controls/registry/control_registry.h"

#include <array>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <shared_mutex>
#include <string>
#include <vector>

namespace {

using ClassList = std::vector<std::unique_ptr<ControlClass>>;

std::array<ClassList, 26> g_lists;
std::shared_mutex g_listsLock;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char ToUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The registry's form of a name: at most 15 characters, upper-cased; empty
// when the name cannot be a class name.
std::string LookupKey(const char* name) {
  if (name == nullptr || !IsAsciiLetter(name[0])) return {};
  std::string key(name, strnlen(name, CONTROL_CLASS_NAME_MAX));
  for (char& c : key) c = ToUpper(c);
  return key;
}

ClassList& ListOf(const std::string& key) { return g_lists[static_cast<size_t>(key[0] - 'A')]; }

ClassList::iterator FindIn(ClassList& list, const std::string& key) {
  for (auto it = list.begin(); it != list.end(); ++it)
    if (key == (*it)->name) return it;
  return list.end();
}

ControlClass* FindClass(const char* className) {
  std::string key = LookupKey(className);
  if (key.empty()) return nullptr;
  ClassList& list = ListOf(key);
  auto it = FindIn(list, key);
  return it == list.end() ? nullptr : it->get();
}

void Relink(ClassList& list) {
  for (size_t i = 0; i < list.size(); ++i) list[i]->next = i + 1 < list.size() ? list[i + 1].get() : nullptr;
}

// WndClassInfo and ControlClass name their shared fields alike, so one copy
// serves both directions.
template <typename From, typename To>
void CopyClassFields(const From& from, uint32_t mask, To& to) {
  if (mask & CLASS_INFO_STYLE) {
    to.style = from.style;
    to.exStyle = from.exStyle;
  }
  if (mask & CLASS_INFO_CURSOR) to.cursor = from.cursor;
  if (mask & CLASS_INFO_BACKGROUND) to.backgroundColor = from.backgroundColor;
  if (mask & CLASS_INFO_PROCEDURE) to.windowProc = from.windowProc;
  if (mask & CLASS_INFO_ADDITIONAL_DATA) to.additionalData = from.additionalData;
}

constexpr uint32_t kAllFields = CLASS_INFO_STYLE | CLASS_INFO_CURSOR | CLASS_INFO_BACKGROUND |
                                CLASS_INFO_PROCEDURE | CLASS_INFO_ADDITIONAL_DATA;

}  // namespace

namespace controls {

BOOL RegisterBuiltinClass(const char* name, uintptr_t cursor, GalPixel background, WindowProc proc) {
  WndClassInfo info{};
  info.className = name;
  info.cursor = cursor;
  info.backgroundColor = background;
  info.windowProc = proc;
  return AddNewControlClass(&info) == 0;
}

bool RegisterControlClasses(const std::vector<RegisterClassFn>& table) {
  TerminateControlClass();
  for (RegisterClassFn registerClass : table)
    if (!registerClass()) return false;
  return true;
}

}  // namespace controls

extern "C" BOOL InitControlClass(void) {
  return controls::RegisterControlClasses(controls::BuiltinControlClasses()) ? TRUE : FALSE;
}

extern "C" void TerminateControlClass(void) {
  std::unique_lock<std::shared_mutex> hold(g_listsLock);
  for (ClassList& list : g_lists) list.clear();
}

extern "C" int AddNewControlClass(const WndClassInfo* info) {
  if (info == nullptr || info->className == nullptr || !IsAsciiLetter(info->className[0]))
    return CONTROL_CLASS_INVALID;
  if (strnlen(info->className, CONTROL_CLASS_NAME_MAX + 1) > CONTROL_CLASS_NAME_MAX)
    return CONTROL_CLASS_NAME_TOO_LONG;
  std::string key = LookupKey(info->className);
  std::unique_lock<std::shared_mutex> hold(g_listsLock);
  ClassList& list = ListOf(key);
  if (FindIn(list, key) != list.end()) return CONTROL_CLASS_INVALID;

  std::unique_ptr<ControlClass> cls(new (std::nothrow) ControlClass{});
  if (!cls) return CONTROL_CLASS_NO_MEMORY;
  std::memcpy(cls->name, key.c_str(), key.size() + 1);
  CopyClassFields(*info, kAllFields, *cls);
  try {
    list.push_back(std::move(cls));
  } catch (const std::bad_alloc&) {
    return CONTROL_CLASS_NO_MEMORY;
  }
  Relink(list);
  return 0;
}

extern "C" int DeleteControlClass(const char* className) {
  std::string key = LookupKey(className);
  if (key.empty()) return CONTROL_CLASS_INVALID;
  std::unique_lock<std::shared_mutex> hold(g_listsLock);
  ClassList& list = ListOf(key);
  auto it = FindIn(list, key);
  if (it == list.end() || __atomic_load_n(&(*it)->usageCount, __ATOMIC_RELAXED) != 0) return CONTROL_CLASS_INVALID;
  list.erase(it);
  Relink(list);
  return 0;
}

extern "C" ControlClass* FindControlClass(const char* className) {
  std::shared_lock<std::shared_mutex> hold(g_listsLock);
  return FindClass(className);
}

extern "C" int ControlClassInfoOp(int operation, WndClassInfo* info) {
  if (info == nullptr) return CONTROL_CLASS_INVALID;
  std::unique_lock<std::shared_mutex> hold(g_listsLock);
  ControlClass* cls = FindClass(info->className);
  if (cls == nullptr) return CONTROL_CLASS_INVALID;
  if (operation == CLASS_INFO_READ)
    CopyClassFields(*cls, info->opMask, *info);
  else
    CopyClassFields(*info, info->opMask, *cls);
  return 0;
}
