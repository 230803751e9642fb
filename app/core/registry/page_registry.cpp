// The table of menu items and their pages, filled once by the page libraries'
// registration calls and read by the menus on the desktop thread.
#include "app/page_registry.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

#include "app/app_registry.h"
#include "app/login_rights.h"
#include "app/pages_calls.h"
#include "gui/startup.h"

namespace {

constexpr size_t kMaxEntries = 96;

struct Entry {
  int menu = -1;
  std::string item;
  PageOpener open = nullptr;
};

struct Table {
  std::mutex lock;
  std::array<Entry, kMaxEntries> entries;
  size_t used = 0;
};

Table& table() {
  static Table t;
  return t;
}

std::atomic<ShutdownHintOpener> g_hint{nullptr};
std::atomic<DiskFormatOpener> g_format{nullptr};
std::atomic<PageOpener> g_login{nullptr};
std::atomic<PageOpener> g_language{nullptr};
std::atomic<PageOpener> g_guide{nullptr};

bool validMenu(int menu) { return menu >= APP_MENU_MAIN && menu < APP_MENU_COUNT; }

Entry* find(Table& t, int menu, const char* item) {
  for (size_t i = 0; i < t.used; ++i)
    if (t.entries[i].menu == menu && t.entries[i].item == item) return &t.entries[i];
  return nullptr;
}

}  // namespace

extern "C" {

int registerPage(int menu, const char* item, PageOpener open) {
  if (!validMenu(menu) || !item || !open) return -1;
  Table& t = table();
  std::lock_guard<std::mutex> hold(t.lock);
  if (Entry* e = find(t, menu, item)) {
    e->open = open;
    return 0;
  }
  if (t.used == kMaxEntries) return -1;
  t.entries[t.used++] = Entry{menu, item, open};
  return 0;
}

PageOpener findPage(int menu, const char* item) {
  if (!validMenu(menu) || !item) return nullptr;
  Table& t = table();
  std::lock_guard<std::mutex> hold(t.lock);
  const Entry* e = find(t, menu, item);
  return e ? e->open : nullptr;
}

int openMenuPage(int menu, const char* item, WindowHandle owner) {
  if (PageOpener open = findPage(menu, item)) return open(owner);
  return openPlaceholderPage(menu, item, owner);
}

int registeredPageAt(int index, int* menu, char* item, int itemSize) {
  if (index < 0 || !menu || !item || itemSize < 1) return -1;
  Table& t = table();
  std::lock_guard<std::mutex> hold(t.lock);
  if (static_cast<size_t>(index) >= t.used) return -1;
  const Entry& e = t.entries[static_cast<size_t>(index)];
  *menu = e.menu;
  std::snprintf(item, static_cast<size_t>(itemSize), "%s", e.item.c_str());
  return 0;
}

void clearPageRegistry(void) {
  Table& t = table();
  std::lock_guard<std::mutex> hold(t.lock);
  t.entries.fill(Entry{});
  t.used = 0;
  g_hint.store(nullptr);
  g_login.store(nullptr);
  g_language.store(nullptr);
}

void registerShutdownHint(ShutdownHintOpener open) { g_hint.store(open); }

int openShutdownHint(WindowHandle owner, int kind) {
  if (ShutdownHintOpener open = g_hint.load()) return open(owner, kind);
  // Without the system pages a shutdown still ends the program cleanly.
  if (kind == 0) RequestQuit();
  return 0;
}

void registerDiskFormat(DiskFormatOpener open) { g_format.store(open); }

int openDiskFormat(int output, int count, const int* disks) {
  DiskFormatOpener open = g_format.load();
  if (!open || !disks || count < 1 || count > 32) return -1;
  return open(output, count, disks);
}

void registerLoginDialog(PageOpener open) { g_login.store(open); }

void registerLanguageDialog(PageOpener open) { g_language.store(open); }

int createLangSelWindow(WindowHandle owner) {
  const PageOpener open = g_language.load();
  return open ? open(owner) : 0;
}

void registerStartGuide(PageOpener open) { g_guide.store(open); }

int createStartGuideWindow(WindowHandle owner) {
  const PageOpener open = g_guide.load();
  return open ? open(owner) : 0;
}

int createLoginWindow(WindowHandle owner) {
  if (PageOpener open = g_login.load()) return open(owner);
  // Without the system pages the output is taken as the administrator's.
  const int output = getCurOutput();
  setLoginState(output, 0, 0);
  setLoginFlag(output, 1);
  setOutputRelogin(output, 0);
  return 0;
}

}  // extern "C"
