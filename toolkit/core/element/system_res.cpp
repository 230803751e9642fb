// The skins of each display: 70 named stock bitmaps cached on first use,
// the system bitmaps (caption buttons, scroll arrows) and the system icons.
// Loads happen under one lock, so two threads asking for the same skin
// never see a half-written record.
#include "core/element/system_res.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gdi/load_failure.h"
#include "gdi/readable_file.h"
#include "gdi/startup_report.h"
#include "gui/cursor.h"
#include "gui/image.h"
#include "gui/app_hooks.h"
#include "gui/element.h"
#include "gui/gui_etc.h"

namespace {

const char* const kStockNames[STOCK_BITMAP_COUNT] = {
    "caption", "corners", "calendar_alarm", "calendar_plan", "calendar_record", "calendar_bk_year",
    "calendar_bk_week", "calendar_bk_day", "calendar_year", "calendar_week", "calendar_day", "calendar_focus",
    "SKBctrlbtn_chr", "SKBctrlbtn_num", "switch_chinese", "switch_punc", "capslock_skb", "switch_chrl",
    "switch_chrh", "switch_num", "button", "pushbutton", "pushbutton_hilite", "checkbox", "radiobutton", "onoff",
    "onoffSel", "button_arrow", "onoff3state", "downarrow", "date", "updownarrow", "leftrightarrow", "checkmark",
    "trackbar_hslider", "trackbar_vbg", "trackbar_vslider", "segrate_arrow", "lvfold", "lvunfold", "IMEctrlbtn",
    "framebutton", "framebutton_hilite", "framebutton_disable", "rirur_menu", "editcorner", "editcorner_dis",
    "edit_bk", "edit_bk_dis", "winextra_caption", "trackbar", "timebar_bk", "timebar_hour", "timebar_min",
    "zoom_bk_normal", "zoom_bk_hover", "zoomin_fg_normal", "zoomin_fg_dis", "zoomout_fg_normal", "zoomout_fg_dis",
    "listv_head", "ed", "time", "spin_updown_arrow", "propsheet_h_light", "propsheet_h_dark", "slider_h",
    "slider_v", "slider_h_bk", "slider_v_bk",
};

constexpr int kKeyChars = 256;
constexpr int kPathChars = 1024;

// Pixels the loader made are freed here; skins a test put in place are
// its own.
struct DisplayResources {
  Bitmap stock[STOCK_BITMAP_COUNT]{};
  bool stockLoaded[STOCK_BITMAP_COUNT]{};
  Bitmap system[SYSBMP_COUNT]{};
  bool systemLoaded[SYSBMP_COUNT]{};
};

std::mutex g_lock;
// Stock bitmaps that did not load, held until start-up knows whether a
// stage refused for want of one; afterwards each is warned of at once.
// Under g_lock.
struct NotLoaded {
  std::string path;
  std::string said;
};
std::vector<NotLoaded> g_stockNotLoaded;
bool g_startUpWarned = false;
DisplayResources g_main, g_aux;
uintptr_t g_largeIcons[SYSICON_COUNT], g_smallIcons[SYSICON_COUNT];

bool AuxCurrent() { return getCurOutputHook() != getMainOutputHook(); }
DisplayResources& Current() { return AuxCurrent() ? g_aux : g_main; }

bool Loaded(const Bitmap& b) { return b.bmWidth != 0 && b.bmHeight != 0; }

// Painters look a stock bitmap up by name on every paint: hashed once.
int FindStock(const char* name) {
  static const std::unordered_map<std::string_view, int> kIndex = [] {
    std::unordered_map<std::string_view, int> index;
    for (int i = 0; i < STOCK_BITMAP_COUNT; ++i) index.emplace(kStockNames[i], i);
    return index;
  }();
  const auto it = kIndex.find(name);
  return it == kIndex.end() ? -1 : it->second;
}

// The current display's configuration file: the loaded object during
// start-up, else the file.
int ReadCurrent(const char* section, const char* key, char* value, int len, bool auxiliary = AuxCurrent()) {
  if (auxiliary) return GetAuxGuiEtcValue(section, key, value, len);
  return GetGuiEtcValue(section, key, value, len);
}

bool JoinPath(char* out, size_t size, const char* dir, const char* file) {
  return std::snprintf(out, size, "%s%s", dir, file) < static_cast<int>(size);
}

void Unload(Bitmap* bitmap, bool* loaded) {
  if (*loaded && bitmap->bmBits) UnloadBitmap(bitmap);
  *bitmap = Bitmap{};
  *loaded = false;
}

void UnloadAll(Bitmap* bitmaps, bool* loaded, int count) {
  for (int i = 0; i < count; ++i) Unload(&bitmaps[i], &loaded[i]);
}

const char* EtcPathOf(bool auxiliary) { return auxiliary ? AUXSETCFILEPATH : ETCFILEPATH; }

// How a skin that does not load is said, with its file and key: a stock
// bitmap is remembered, so that a stage that then fails for want of it
// names them; a system bitmap, which start-up does without, is warned of.
enum class Missing { kReported, kWarned };

// Called with the lock held.
int SkinFailed(Missing said, int code, const char* path, const char* key) {
  const std::string named = "bitmap file \"" + ShownPath(path) + "\" ([bitmapinfo] " + key + ") " +
                            gui::image::LoadFailure(path, code);
  if (said == Missing::kReported && !g_startUpWarned) {
    ReportStartupProblem("%s", named.c_str());
    g_stockNotLoaded.push_back(NotLoaded{path, named});
  } else {
    WarnOfFallbackOnce(path, "%s; it stays undrawn instead", named.c_str());
  }
  return 0;
}

// Called with the lock held.
int LoadLocked(Bitmap* bitmap, const char* key, int x, int y, bool auxiliary = AuxCurrent(),
               Missing said = Missing::kReported) {
  char value[kKeyChars] = {0}, dir[kPathChars] = {0}, path[kPathChars + kKeyChars];
  if (ReadCurrent("bitmapinfo", key, value, sizeof value, auxiliary) != ETC_OK) return 0;
  if (ReadCurrent("bitmapinfo", "bitmappath", dir, sizeof dir, auxiliary) != ETC_OK) return 0;
  if (std::strcmp(value, "none") == 0) {
    *bitmap = Bitmap{};
    return 1;
  }
  // A value that filled its buffer was cut: it names no file.
  const bool dirCut = std::strlen(dir) + 1 >= sizeof dir;
  if (dirCut || std::strlen(value) + 1 >= sizeof value || !JoinPath(path, sizeof path, dir, value)) {
    ReportStartupProblem("configuration file \"%s\" has a [bitmapinfo] %s longer than a path can be",
                         ShownPath(EtcPathOf(auxiliary)).c_str(), dirCut ? "bitmappath" : key);
    return 0;
  }
  Bitmap loaded{};
  if (const int rc = LoadBitmapFromFile(HDC_SCREEN, &loaded, path); rc < 0) return SkinFailed(said, rc, path, key);
  if (x >= 0 && y >= 0 && x < static_cast<int>(loaded.bmWidth) && y < static_cast<int>(loaded.bmHeight)) {
    loaded.bmType = BMP_TYPE_COLORKEY;
    uint32_t key32 = 0;
    std::memcpy(&key32, loaded.bmBits + y * loaded.bmPitch + x * loaded.bmBytesPerPixel, loaded.bmBytesPerPixel);
    loaded.bmColorKey = key32;
  }
  *bitmap = loaded;
  return 1;
}

// An icon that does not load is left out, and said once.
uintptr_t LoadIconLocked(const char* key, int which) {
  char value[kKeyChars] = {0}, dir[kPathChars] = {0}, path[kPathChars + kKeyChars];
  if (GetGuiEtcValue("iconinfo", key, value, sizeof value) != ETC_OK) return 0;
  if (GetGuiEtcValue("iconinfo", "iconpath", dir, sizeof dir) != ETC_OK) return 0;
  if (!JoinPath(path, sizeof path, dir, value)) return 0;
  const uintptr_t icon = LoadIconFromFile(HDC_SCREEN, path, which);
  if (icon == 0) {
    const files::ReadableFile file(path, files::kMaxBinaryFile);
    WarnOfFallbackOnce(path, "icon file \"%s\" ([iconinfo] %s) %s; the icon is left out instead",
                       ShownPath(path).c_str(), key, file.IsOpen() ? "is damaged or no icon" : file.Why().c_str());
  }
  return icon;
}

}  // namespace

const Bitmap* GetDisplayStockBitmap(bool auxiliary, const char* name, int x, int y) {
  if (!name || !name[0]) return nullptr;
  int index = FindStock(name);
  if (index < 0) return nullptr;
  std::lock_guard<std::mutex> hold(g_lock);
  DisplayResources& res = auxiliary ? g_aux : g_main;
  Bitmap* entry = &res.stock[index];
  if (Loaded(*entry)) return entry;
  if (!LoadLocked(entry, name, x, y, auxiliary)) return nullptr;
  res.stockLoaded[index] = entry->bmBits != nullptr;
  return entry;
}

void PreloadStockBitmaps() {
  for (const char* name : kStockNames) GetStockBitmap(name, -1, -1);
}

void WarnOfStockBitmapsNotLoaded() {
  std::lock_guard<std::mutex> hold(g_lock);
  for (const NotLoaded& skin : g_stockNotLoaded)
    WarnOfFallbackOnce(skin.path.c_str(), "%s; it stays undrawn instead", skin.said.c_str());
  g_stockNotLoaded.clear();
  g_startUpWarned = true;
}

int LoadSystemResources() {
  std::lock_guard<std::mutex> hold(g_lock);
  int count = 0;
  char text[16] = {0};
  if (ReadCurrent("bitmapinfo", "bitmapnumber", text, sizeof text) != ETC_OK) return 0;
  count = std::atoi(text);
  if (count < 1 || count > SYSBMP_COUNT) {
    const std::string file = ShownPath(EtcPathOf(AuxCurrent()));
    if (count < 1) {
      WarnOfFallback("configuration file \"%s\" has [bitmapinfo] bitmapnumber=%s; no system bitmaps are loaded "
                     "instead (caption buttons and scroll arrows stay undrawn)", file.c_str(), text);
      return 0;
    }
    WarnOfFallback("configuration file \"%s\" has [bitmapinfo] bitmapnumber=%s; all %d system bitmaps are "
                   "loaded instead", file.c_str(), text, SYSBMP_COUNT);
    count = SYSBMP_COUNT;
  }
  // One file that does not load leaves its own part undrawn, not the rest.
  bool all = true;
  DisplayResources& res = Current();
  for (int n = 0; n < count; ++n) {
    char key[24];
    std::snprintf(key, sizeof key, "bitmap%d", n);
    Unload(&res.system[n], &res.systemLoaded[n]);
    res.systemLoaded[n] = LoadLocked(&res.system[n], key, -1, -1, AuxCurrent(), Missing::kWarned) != 0;
    all = all && res.systemLoaded[n];
  }
  int icons = 0;
  if (GetGuiEtcIntValue("iconinfo", "iconnumber", &icons) != ETC_OK) return 0;
  if (icons < 0) {
    // Both displays' loads read this key: said once.
    const std::string file = ShownPath(ETCFILEPATH);
    WarnOfFallbackOnce((file + " [iconinfo] iconnumber").c_str(),
                       "configuration file \"%s\" has [iconinfo] iconnumber=%d; no icons are loaded instead",
                       file.c_str(), icons);
    return 0;
  }
  // The icons serve both displays: the second display's load keeps the
  // first's (overwriting them leaked every icon).
  for (int i = 0; i < icons && i < SYSICON_COUNT; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "icon%d", i);
    if (!g_largeIcons[i]) g_largeIcons[i] = LoadIconLocked(key, 1);
    if (!g_smallIcons[i]) g_smallIcons[i] = LoadIconLocked(key, 0);
    all = all && g_largeIcons[i] && g_smallIcons[i];
  }
  return all ? 1 : 0;
}

// Everything loaded goes, stock bitmaps of both displays included, so a
// restart loads afresh.
void UnloadSystemResources() {
  std::lock_guard<std::mutex> hold(g_lock);
  g_stockNotLoaded.clear();
  g_startUpWarned = false;
  for (DisplayResources* res : {&g_main, &g_aux}) {
    UnloadAll(res->system, res->systemLoaded, SYSBMP_COUNT);
    UnloadAll(res->stock, res->stockLoaded, STOCK_BITMAP_COUNT);
  }
  for (int i = 0; i < SYSICON_COUNT; ++i) {
    if (g_largeIcons[i]) DestroyIcon(g_largeIcons[i]);
    if (g_smallIcons[i]) DestroyIcon(g_smallIcons[i]);
    g_largeIcons[i] = g_smallIcons[i] = 0;
  }
}

void PutStockBitmapForTest(const char* name, bool auxiliary, const Bitmap& bitmap) {
  int index = FindStock(name);
  if (index < 0) return;
  std::lock_guard<std::mutex> hold(g_lock);
  DisplayResources& res = auxiliary ? g_aux : g_main;
  Unload(&res.stock[index], &res.stockLoaded[index]);
  res.stock[index] = bitmap;
}

void PutSystemBitmapForTest(int n, bool auxiliary, const Bitmap& bitmap) {
  if (n < 0 || n >= SYSBMP_COUNT) return;
  std::lock_guard<std::mutex> hold(g_lock);
  DisplayResources& res = auxiliary ? g_aux : g_main;
  Unload(&res.system[n], &res.systemLoaded[n]);
  res.system[n] = bitmap;
}

extern "C" {

const Bitmap* GetStockBitmap(const char* name, int x, int y) { return GetDisplayStockBitmap(AuxCurrent(), name, x, y); }

int LoadSystemBitmapEx(Bitmap* bitmap, const char* key, int x, int y) {
  if (!bitmap || !key) return 0;
  std::lock_guard<std::mutex> hold(g_lock);
  return LoadLocked(bitmap, key, x, y);
}

uintptr_t LoadSystemIcon(const char* key, int which) {
  if (!key) return 0;
  return LoadIconLocked(key, which);
}

const Bitmap* GetSystemBitmap(int n) {
  if (n < 0 || n >= SYSBMP_COUNT) return nullptr;
  std::lock_guard<std::mutex> hold(g_lock);
  const Bitmap* b = &Current().system[n];
  return Loaded(*b) ? b : nullptr;
}

uintptr_t GetLargeSystemIcon(int n) { return n >= 0 && n < SYSICON_COUNT ? g_largeIcons[n] : 0; }
uintptr_t GetSmallSystemIcon(int n) { return n >= 0 && n < SYSICON_COUNT ? g_smallIcons[n] : 0; }

}  // extern "C"
