// The first start-up page: whether the wizard opens at the next start. The
// flag is written at once on each click and saved with the device's
// parameters when the page moves on or the wizard is left.
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/system/users/users.h"
#include "app/system/wizard/wizard.h"
#include "gui/button.h"
#include "gui/control_paint.h"

namespace wizard {
namespace {

constexpr const char* kSection = "startguide";
constexpr int kShowAtStart = 16400;
constexpr uint32_t kBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr uint32_t kBoxExStyle = EDIT_CORNER_TOPLEFT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;

// Set by a click, cleared once the device's parameters are saved.
bool g_changed = false;

// True when nothing is left to save; a failed save is shown and tried
// again at the next step.
bool saveIfChanged(WindowHandle page) {
  if (!g_changed) return true;
  if (const int rc = saveDeviceParams()) {
    reportSaveFailed(page, rc);
    return false;
  }
  g_changed = false;
  return true;
}

void init(WindowHandle page) {
  g_changed = false;
  make(page, kSection, "button", "guide_static", kBoxStyle, kBoxExStyle, kShowAtStart, false);
  makeButtons(page, kSection, nullptr, 0, "guide_nextstep", PAGE_ID_NEXT, "guide_cancel");
  uint32_t flags[2] = {0, 0};
  getStartGuideFlag(login(), flags);
  if (flags[0] != 0) setSessionFlag(1);
  setChecked(page, kShowAtStart, flags[0] != 0);
  users::focusField(page, PAGE_ID_NEXT);
}

void command(WindowHandle page, int id, int) {
  if (id == kShowAtStart) {
    uint32_t flags[2] = {0, 0};
    getStartGuideFlag(login(), flags);
    const bool held = flags[0] != 0;
    flags[0] = isChecked(page, kShowAtStart) ? 1 : 0;
    // A refused flag is shown, and the box shows what the device holds.
    if (const int rc = setStartGuideFlag(login(), flags, 0)) {
      setChecked(page, kShowAtStart, held);
      reportSaveFailed(page, rc);
      return;
    }
    g_changed = true;
  } else if (id == PAGE_ID_NEXT) {
    if (saveIfChanged(page)) goOn(page, Step::Entry);
  }
}

void leaving(WindowHandle page) { saveIfChanged(page); }

const Page kPage{kSection, PAGE_ID_PREVIOUS, leaving, {init, pageframe::takesAll<command>}};

}  // namespace

int openEntryPage(WindowHandle owner) { return runPage<kPage>(owner); }

}  // namespace wizard
