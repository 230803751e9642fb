// What the maintenance pages share: their bottom buttons, the reboot hint
// with the menu disabled, the busy cursor, and the pages' result boxes.
#pragma once

#include "app/page_building.h"
#include "app/value_texts.h"
#include "gui/common.h"

namespace maintenance {

// A button of the section on the page's bottom row, at its layout x and
// size; hidden when `visible` is false.
WindowHandle bottomButton(WindowHandle page, const char* section, const char* key, int id, bool visible = true);

// The hint window of `kind` (1 reboot, 2 reboot after upgrade) over the
// maintenance menu, which is disabled meanwhile; the power-key flag is set
// first and stays set, as the recorder reboots.
void announceReboot(int kind);

// The busy system cursor while it lives.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// The row key of `code` shown from `section` (style 16 for `errorCode`,
// else 64); a code no row knows shows ("commons", "savefailed_code").
void showResultBox(WindowHandle owner, const char* section, const ValueKeyRow* rows, int count, int code,
                   int errorCode);

constexpr int kRebootHint = 1, kUpgradeRebootHint = 2;

// The page hook of the pages that choose a USB device: the panel's play and
// action keys go to the device list's key handler.
bool usbdevKeys(WindowHandle page, int message, WParam wParam, LParam lParam, LResult* answer);

}  // namespace maintenance
