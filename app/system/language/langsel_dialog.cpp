// The first-start language dialog: the device's languages in a list; Next
// saves a changed language and switches the interface to it.
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/page_building.h"
#include "app/page_registry.h"
#include "app/system/language/language_list.h"
#include "app/system_pages.h"
#include "gui/app_hooks.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "langsel";
constexpr int kLanguage = 16384;
constexpr uint32_t kDialogStyle = WS_VISIBLE | WS_CAPTION | WS_BORDER;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;

void init(WindowHandle dlg) {
  setOutputState(getMainOutput(), OUTSTATE_MENU);
  setSessionFlag(1);
  pageframe::createFromKey(dlg, kSection,
                           {"combobox", "language", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY | CBS_ITEMFONT,
                            WS_EX_PLACE_X | WS_EX_PLACE_W, kLanguage, true});
  pageframe::createFromKey(dlg, kSection, {"button", "guide_nextstep", kButtonStyle, 0, PAGE_ID_NEXT, false});
  pageframe::createFromKey(dlg, kSection, {"button", "guide_cancel", kButtonStyle, 0, IDCANCEL, false});
  language::fillLanguageList(dlg, kLanguage, kSection);
  language::selectLanguage(dlg, kLanguage, cachedDeviceConfig().language);
  SetFocusChild(GetDlgItem(dlg, PAGE_ID_NEXT));
}

void next(WindowHandle dlg) {
  const int chosen = language::selectedLanguageId(dlg, kLanguage);
  if (chosen > 0 && chosen != cachedDeviceConfig().language) {
    DeviceConfig record = cachedDeviceConfig();
    record.language = static_cast<decltype(record.language)>(chosen);
    // The interface and the application's copy follow only a language the
    // device took; a refusal is shown and the interface stays as it is.
    if (const int rc = setDeviceConfig(getOutputLogin(getMainOutput()), &record, 1)) {
      reportSaveFailed(dlg, rc);
    } else {
      changeCachedDeviceConfig([&record](DeviceConfig& cached) { cached.language = record.language; });
      if (const int kept = saveDeviceParams()) reportSaveFailed(dlg, kept);
      beginLangSwitch();
    }
  }
  SendMessage(dlg, MSG_CLOSE, 0, 0);
}

void command(WindowHandle dlg, int id, int) {
  if (id == PAGE_ID_NEXT) next(dlg);
  if (id == IDCANCEL) SendMessage(dlg, MSG_CLOSE, 0, 0);
}

void close(WindowHandle dlg) {
  EndDialog(dlg, 0);
  if (isLangSwitchPending()) finishLangSwitch();
}

bool other(WindowHandle, int message, WParam, LParam, LResult*) { return message == MSG_NCLBUTTONDBLCLK; }

const pageframe::DialogHooks kHooks{init, pageframe::takesAll<command>, nullptr, close, nullptr, other};

}  // namespace

extern "C" int showLangSelDialog(WindowHandle owner) {
  DlgTemplate tmpl = pageframe::dialogTemplate(kSection);
  tmpl.dwStyle = kDialogStyle;
  return pageframe::runDialog(tmpl, owner, pageframe::dialogProc<kHooks>);
}
