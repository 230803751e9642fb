// Shared set-up of the application service tests: the device in its first
// state, outputs 3 (main) and 1 (auxiliary), the application's call-backs
// installed, and message boxes recorded instead of shown.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/program_pages.h"
#include "app/app_callbacks.h"
#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "gui/app_hooks.h"

namespace services_test {

struct Box {
  WindowHandle owner;
  std::string text;
  std::string title;
  uint32_t type;
};

// Boxes opened since the last Take; every box answers `answer`.
struct BoxLog {
  std::vector<Box> boxes;
  int answer = 1;
  static BoxLog& Instance() {
    static BoxLog log;
    return log;
  }
  static int Open(WindowHandle owner, const char* text, const char* caption, uint32_t type) {
    Instance().boxes.push_back({owner, text ? text : "<null>", caption ? caption : "<null>", type});
    return Instance().answer;
  }
  std::vector<Box> Take() { return std::move(boxes); }
};

class ServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registerAppPages();
    device_seam::resetAll();
    initDeviceAbility();
    setMainOutput(3);
    setAuxOutput(1);
    setCurOutput(3);
    for (int output : {3, 1}) {
      setOutputState(output, OUTSTATE_LIVEVIEW);
      setLiveViewActive(output, 1);
      setLoginState(output, 0, -1);
      setLoginFlag(output, 0);
      setOutputRelogin(output, 0);
    }
    DeviceConfig english{};
    english.language = 1;
    storeCachedDeviceConfig(&english);
    setDateFormat(0);
    installAppCallbacks();
    BoxLog::Instance() = BoxLog{};
    msgbox_seam::setBoxFunction(BoxLog::Open);
  }
  void TearDown() override {
    msgbox_seam::setBoxFunction(nullptr);
    SetAppCallbacks(nullptr);
    device_seam::resetAll();
    std::remove(DroppedLayoutPath().c_str());
  }

  // The layout the program ships, with the `drop` keys renamed away.
  static void LoadShippedLayout(const std::vector<std::string>& drop = {});
  // Where LoadShippedLayout writes the layout with keys dropped: a file of
  // this process's own, removed after each test.
  static std::string DroppedLayoutPath() {
    return "/tmp/services_test_layout_" + std::to_string(::getpid()) + ".cfg";
  }
  static void UseLanguage(int languageId);
  static BoxLog& Boxes() { return BoxLog::Instance(); }
};

}  // namespace services_test
