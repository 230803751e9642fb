// The captions and pictures of the live view's pop-up menus, loaded once
// (when the live view is created) and kept until the menus are released.
#include <array>
#include <cstring>
#include <string>

#include "app/core/liveview/popup_menu.h"
#include "app/liveview_menu.h"
#include "app/msgbox.h"
#include "gui/layout.h"

namespace popup_menu {
namespace {

constexpr const char* kWindow = "rightmenu";

constexpr std::array<const char*, 28> kCaptionKeys = {
    "mainmenu",        "single",          "multi",        "prevscreen",   "nextscreen",
    "startturn",       "startrecord",     "playallday",   "outputmode",   "viceout",
    "stopturn",        "startrec_time",   "startrec_motion", "chan_analog", "chan_ipc",
    "mainout",         "mode_screen4",    "mode_screen6", "mode_screen8", "mode_screen9",
    "mode_screen16",   "playback_rmenu_chan", "playback_rmenu_search", "playback_rmenu_zoomin",
    "playback_rmenu_smartsearch", "playback_rmenu_controlpanel", "playback_rmenu_exit", nullptr};

constexpr std::array<const char*, 24> kPictureKeys = {
    "menu_mainmenu_bmp",        "menu_singlepic_bmp",     "menu_multipic_bmp",   "menu_prevscr_bmp",
    "menu_nextscr_bmp",         "menu_startcruise_bmp",   "menu_startrecord_bmp", "menu_playallday_bmp",
    "menu_outputmode_bmp",      "menu_auxvout_bmp",       "menu_stopcruise_bmp", "submenu_4div_bmp",
    "submenu_6div_bmp",         "submenu_8div_bmp",       "submenu_9div_bmp",    "submenu_16div_bmp",
    "menu_startrec_time_bmp",   "menu_startrec_motion_bmp", "menu_chan_bmp",     "menu_search_bmp",
    "menu_zoomin_bmp",          "menu_smartsearch_bmp",   "menu_panel_bmp",      "menu_exit_bmp"};

struct LoadedPicture {
  Bitmap normal{};
  Bitmap selected{};
  bool hasNormal = false;
  bool hasSelected = false;
};

struct Resources {
  bool loaded = false;
  int language = 0;  // whose captions are loaded
  std::array<std::string, kCaptionKeys.size()> captions;
  std::array<bool, kCaptionKeys.size()> hasCaption{};
  std::array<LoadedPicture, kPictureKeys.size()> pictures;
};

// Touched on the live view's thread only.
Resources& res() {
  static Resources r;
  return r;
}

template <size_t N>
int indexOf(const std::array<const char*, N>& keys, const char* key) {
  for (size_t i = 0; i < N; ++i)
    if (keys[i] && key && std::strcmp(keys[i], key) == 0) return static_cast<int>(i);
  return -1;
}

std::string selectedKey(const char* key) {
  std::string name(key);
  return name.substr(0, name.size() - 4) + "_sel_bmp";
}

void load() {
  Resources& r = res();
  for (size_t i = 0; kCaptionKeys[i]; ++i) {
    // The split captions are the live view settings' when the menu has none.
    const char* text = lookupText(kWindow, kCaptionKeys[i]);
    if (!text && std::strncmp(kCaptionKeys[i], "mode_screen", 11) == 0) text = lookupText("previewset", kCaptionKeys[i]);
    r.hasCaption[i] = text != nullptr;
    r.captions[i] = text ? text : "";
  }
  for (size_t i = 0; i < kPictureKeys.size(); ++i) {
    LoadedPicture& p = r.pictures[i];
    p.hasNormal = GetWinBitmap(kWindow, kPictureKeys[i], &p.normal) && p.normal.bmBits;
    p.hasSelected = GetWinBitmap(kWindow, selectedKey(kPictureKeys[i]).c_str(), &p.selected) && p.selected.bmBits;
  }
  r.loaded = true;
  r.language = GetSysInfoLanguage();
}

// The captions follow a change of the interface language.
void ensureLoaded() {
  if (!res().loaded || res().language != GetSysInfoLanguage()) load();
}

}  // namespace

const char* caption(const char* key) {
  ensureLoaded();
  const int i = indexOf(kCaptionKeys, key);
  return i >= 0 && res().hasCaption[i] ? res().captions[i].c_str() : nullptr;
}

Picture picture(const char* key) {
  ensureLoaded();
  const int i = indexOf(kPictureKeys, key);
  if (i < 0) return {nullptr, nullptr};
  const LoadedPicture& p = res().pictures[i];
  return {p.hasNormal ? &p.normal : nullptr, p.hasSelected ? &p.selected : nullptr};
}

void unloadResources() { res() = Resources{}; }

MenuItemInfo itemInfo(int id, const char* text, Picture pic, MenuHandle subMenu) {
  MenuItemInfo info{};
  info.mask = MIIM_TYPE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS;
  info.type = pic.normal ? MFT_BMPSTRING : MFT_STRING;
  info.id = id;
  info.subMenu = subMenu;
  info.uncheckedBmp = pic.normal;
  info.checkedBmp = pic.selected ? pic.selected : pic.normal;
  info.typeData = const_cast<char*>(text ? text : "");
  info.textLength = static_cast<uint32_t>(std::strlen(static_cast<const char*>(info.typeData)));
  return info;
}

void sequenceItemText(int running, const char** captionKey, const char** pictureKey) {
  *captionKey = running ? "stopturn" : "startturn";
  *pictureKey = running ? "menu_stopcruise_bmp" : "menu_startcruise_bmp";
}

}  // namespace popup_menu

extern "C" void loadLiveViewMenuRes(void) {
  popup_menu::unloadResources();
  popup_menu::caption("mainmenu");
}
