// Message boxes titled and texted from the language file.
#include "app/msgbox.h"

#include <atomic>
#include <cstdio>

#include "app/core/toolkit_calls.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/format_text.h"
#include "app/formatting.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/layout.h"

namespace {

constexpr int kTitleSize = 128;
constexpr int kTextSize = 128;
constexpr int kValueTextSize = 256;
constexpr int kNameSize = 64;
constexpr int kNameHintSize = 256;
constexpr int kNoBox = -1;

std::atomic<msgbox_seam::BoxFunction> g_box{MessageBox};
std::atomic<msgbox_seam::KeyObserver> g_keyObserver{nullptr};

// The (section, key) of the text the box on this thread is about to show.
struct BoxKey {
  const char* section = nullptr;
  const char* key = nullptr;
};
thread_local BoxKey t_boxKey;

struct NamedBox {
  NamedBox(const char* section, const char* key) { t_boxKey = {section, key}; }
  ~NamedBox() { t_boxKey = {}; }
};

int openBox(WindowHandle owner, const char* text, const char* title, int style) {
  if (msgbox_seam::KeyObserver observe = g_keyObserver.load()) observe(t_boxKey.section, t_boxKey.key);
  return g_box.load()(owner, text, title, static_cast<uint32_t>(style));
}

// The title of every box; false (and an empty title) when it is missing.
bool boxTitle(char (&title)[kTitleSize]) {
  const char* text = lookupText("commons", "attention");
  std::snprintf(title, sizeof title, "%s", text ? text : "");
  return text != nullptr;
}

// The caption of (section, key) in `size` bytes; a missing one is empty.
template <size_t N>
const char* itemText(const char* section, const char* key, char (&out)[N]) {
  const char* text = lookupText(section, key);
  std::snprintf(out, N, "%s", text ? text : "");
  return out;
}

// An information box of a "commons" hint that names one item.
template <size_t N>
int showItemHint(WindowHandle owner, const char* item, const char* hintKey, char (&text)[N]) {
  formatChecked(text, N, lookupText("commons", hintKey), "s", item);
  return showMsgBoxText(owner, text, MSGBOX_INFO);
}

}  // namespace

namespace msgbox_seam {
void setBoxFunction(BoxFunction box) { g_box.store(box ? box : MessageBox); }
void setKeyObserver(KeyObserver observe) { g_keyObserver.store(observe); }
}  // namespace msgbox_seam

extern "C" {

const char* lookupText(const char* section, const char* key) {
  CtrlResInfo* record = nullptr;
  if (!section || !key || !GetCtrlResInfo(section, key, &record) || !record) return nullptr;
  return record->caption;
}

int showMsgBox(WindowHandle owner, const char* section, const char* key, int style) {
  const NamedBox named(section, key);
  char title[kTitleSize];
  boxTitle(title);
  const char* text = lookupText(section, key);
  if (!text) return 0;
  return openBox(owner, text, title, style);
}

int showMsgBoxText(WindowHandle owner, const char* text, int style) {
  char title[kTitleSize];
  if (!boxTitle(title) || !text) return 0;
  return openBox(owner, text, title, style);
}

int showMsgBoxValueName(WindowHandle owner, const char* section, const ValueKeyRow* table, int count, int value,
                        int style) {
  char title[kTitleSize];
  if (!boxTitle(title)) return 0;
  char text[kValueTextSize];
  formatValueText(section, table, count, value, text, sizeof text);
  return openBox(owner, text, title, style);
}

int askMsgBox(WindowHandle owner, const char* section, const char* key) {
  const NamedBox named(section, key);
  char title[kTitleSize];
  boxTitle(title);
  const char* text = lookupText(section, key);
  if (!text) return kNoBox;
  return openBox(owner, text, title, MSGBOX_QUESTION);
}

int askQuestionText(WindowHandle owner, const char* text) {
  char title[kTitleSize];
  if (!boxTitle(title) || !text) return kNoBox;
  return openBox(owner, text, title, MSGBOX_QUESTION);
}

int showRangeHintText(WindowHandle owner, const char* section, const char* key, const char* minText,
                      const char* maxText) {
  char item[kTextSize];
  itemText(section, key, item);
  const char* low = minText ? minText : "";
  const char* high = maxText ? maxText : "";
  char text[kTextSize] = "";
  const char* hint = lookupText("commons", "exceedrange_hint");
  // Right to left the range reads from its far end.
  if (isRightToLeftLang())
    formatChecked(text, sizeof text, hint, "sss", high, low, item);
  else
    formatChecked(text, sizeof text, hint, "sss", item, low, high);
  showMsgBoxText(owner, text, MSGBOX_INFO);
  return 0;
}

int showRangeHint(WindowHandle owner, const char* section, const char* key, int min, int max) {
  if (min > max) return kNoBox;
  char low[16], high[16];
  std::snprintf(low, sizeof low, "%d", min);
  std::snprintf(high, sizeof high, "%d", max);
  return showRangeHintText(owner, section, key, low, high);
}

int showPortRangeHint(WindowHandle owner, int kind, const char* section, const char* key) {
  return showRangeHint(owner, section, key, kind == 1 ? 2000 : 1, 65535);
}

int showNameHint(WindowHandle owner, const char* section, const char* key) {
  char name[kNameSize];
  char text[kNameHintSize];
  return showItemHint(owner, itemText(section, key, name), "name_hint", text);
}

int showValidWantedHint(WindowHandle owner, const char* section, const char* key) {
  char item[kTextSize];
  char text[kTextSize];
  return showItemHint(owner, itemText(section, key, item), "validwanted", text);
}

int showMsgBoxNum(WindowHandle owner, const char* section, const char* key, int number) {
  const NamedBox named(section, key);
  char text[kTextSize];
  formatChecked(text, sizeof text, lookupText(section, key), "d", number);
  return showMsgBoxText(owner, text, MSGBOX_ERROR);
}

int confirmMsgBox(WindowHandle owner, const char* section, const char* key) {
  SetPowerKeyDownFlag(1);
  const bool yes = askMsgBox(owner, section, key) == IDYES;
  if (!yes) SetPowerKeyDownFlag(0);
  return yes ? 1 : 0;
}

int showChanNotAvailable(WindowHandle owner) {
  uint64_t ipMask = 0;
  const bool hasChannels = hasAnalogChan() || getIpChannelNum(&ipMask) > 0;
  showMsgBox(owner, "mainmenu", hasChannels ? "noavailablechan" : "addipc_hint", MSGBOX_INFO);
  return 0;
}

int showNoPermission(WindowHandle owner) {
  SetPowerKeyDownFlag(0);
  return showMsgBox(owner, "commons", "permission", MSGBOX_INFO);
}

int askShutdown(WindowHandle owner) { return askMsgBox(owner, "commons", "shutdownhint"); }

}  // extern "C"
