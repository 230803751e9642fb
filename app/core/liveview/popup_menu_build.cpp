// Building an output's pop-up menu: one kind for the main output, one for
// the auxiliary output, rebuilt for every right click and kept per output
// until the next one.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/app_registry.h"
#include "app/core/liveview/popup_menu.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/liveview_menu.h"
#include "app/login_rights.h"
#include "gui/display.h"

namespace popup_menu {
namespace {

// The kept menus, main and auxiliary slot: written on the live view's
// thread, one word each.
std::atomic<MenuHandle> g_menus[2];

std::atomic<MenuHandle>& slotOf(int output) { return g_menus[output == getMainOutput() ? 0 : 1]; }

// A popup whose empty head is stripped once its items are in.
class MenuBuilder {
 public:
  MenuBuilder() {
    MenuItemInfo head{};
    head.mask = MIIM_TYPE;
    head.type = MFT_STRING;
    head.typeData = const_cast<char*>("");
    menu_ = CreatePopupMenu(&head);
  }
  ~MenuBuilder() {
    if (menu_) DestroyMenu(menu_);
  }
  bool ok() const { return menu_ != 0; }
  void add(const MenuItemInfo& info) {
    if (menu_) InsertMenuItem(menu_, count_++, TRUE, &info);
  }
  void add(int id, const char* captionKey, const char* pictureKey, MenuHandle sub = 0) {
    add(itemInfo(id, caption(captionKey), picture(pictureKey), sub));
  }
  // The finished menu, which the caller owns from now on; 0 for none.
  MenuHandle take() {
    MenuHandle done = menu_ ? StripPopupHead(menu_) : 0;
    menu_ = 0;
    return done;
  }

 private:
  MenuHandle menu_ = 0;
  int count_ = 0;
};

// "%s %d" of the layout's word, or the built-in words without it.
std::string fallbackName(const char* key, const char* builtIn, int number) {
  char text[96];
  if (const char* word = caption(key))
    std::snprintf(text, sizeof text, "%s %d", word, number);
  else
    std::snprintf(text, sizeof text, builtIn, number);
  return text;
}

std::string channelName(int channel, const char* key, const char* builtIn, int number) {
  ChannelConfig config{};
  if (getChannelConfig(getOutputLogin(getCurOutput()), channel, &config) == 0 && config.name[0])
    return std::string(config.name, strnlen(config.name, sizeof config.name));
  return fallbackName(key, builtIn, number);
}

void addChannel(MenuBuilder& menu, int id, const std::string& name) {
  menu.add(itemInfo(id, name.c_str(), Picture{nullptr, nullptr}, 0));
}

MenuHandle channelMenu() {
  MenuBuilder menu;
  const int analog = getAnalogChanNum();
  for (int n = 1; n <= analog; ++n) addChannel(menu, kChannelBase + n, channelName(n, "chan_analog", "Camera %d", n));
  uint64_t mask = 0;
  getIpChannelNum(&mask);
  for (int i = 0; i < 64; ++i) {
    if (!((mask >> i) & 1u)) continue;
    addChannel(menu, kChannelBase + 1 + analog + i, channelName(analog + i + 1, "chan_ipc", "IPCamera %d", i + 1));
  }
  return menu.take();
}

MenuHandle splitMenu() {
  static const struct {
    int windows;
    const char* caption;
    const char* picture;
  } kSplits[] = {{4, "mode_screen4", "submenu_4div_bmp"},
                 {6, "mode_screen6", "submenu_6div_bmp"},
                 {8, "mode_screen8", "submenu_8div_bmp"},
                 {9, "mode_screen9", "submenu_9div_bmp"},
                 {16, "mode_screen16", "submenu_16div_bmp"}};
  MenuBuilder menu;
  for (size_t i = 0; i < sizeof kSplits / sizeof kSplits[0]; ++i)
    if (isSplitModeSupported(kSplits[i].windows))
      menu.add(kSplit4 + static_cast<int>(i), kSplits[i].caption, kSplits[i].picture);
  return menu.take();
}

MenuHandle recordMenu() {
  MenuBuilder menu;
  menu.add(kRecordTiming, "startrec_time", "menu_startrec_time_bmp");
  menu.add(kRecordMotion, "startrec_motion", "menu_startrec_motion_bmp");
  return menu.take();
}

MenuHandle build(int output) {
  const bool mainOutput = output == getMainOutput();
  MenuBuilder menu;
  if (!menu.ok()) return 0;
  if (mainOutput) menu.add(kMainMenu, "mainmenu", "menu_mainmenu_bmp");
  menu.add(kSingle, "single", "menu_singlepic_bmp", channelMenu());
  menu.add(kMulti, "multi", "menu_multipic_bmp", splitMenu());
  menu.add(kPrevScreen, "prevscreen", "menu_prevscr_bmp");
  menu.add(kNextScreen, "nextscreen", "menu_nextscr_bmp");
  if (mainOutput) {
    const char *captionKey, *pictureKey;
    sequenceItemText(getLiveSequenceState(output) == 1, &captionKey, &pictureKey);
    menu.add(kSequence, captionKey, pictureKey);
    menu.add(kRecord, "startrecord", "menu_startrecord_bmp", recordMenu());
  }
  menu.add(kPlayAllDay, "playallday", "menu_playallday_bmp");
  if (hasMainOutSwitch()) menu.add(kOutputMode, "outputmode", "menu_outputmode_bmp");
  if (mainOutput && HasAuxOutput() && isDispSwitchEnabled())
    menu.add(kOtherOutput, "viceout", "menu_auxvout_bmp");
  else if (!mainOutput && HasAuxOutput())
    menu.add(kOtherOutput, "mainout", "menu_auxvout_bmp");
  return menu.take();
}

}  // namespace
}  // namespace popup_menu

extern "C" {

MenuHandle buildLiveViewMenu(int output) {
  std::atomic<MenuHandle>& slot = popup_menu::slotOf(output);
  if (MenuHandle old = slot.exchange(0)) DestroyMenu(old);
  const MenuHandle menu = popup_menu::build(output);
  slot = menu;
  return menu;
}

MenuHandle getLiveViewMenu(int output) { return popup_menu::slotOf(output).load(); }

void releaseLiveViewMenus(void) {
  for (std::atomic<MenuHandle>& slot : popup_menu::g_menus)
    if (MenuHandle old = slot.exchange(0)) DestroyMenu(old);
  popup_menu::unloadResources();
}

}  // extern "C"
