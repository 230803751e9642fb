#include <cstring>
#include <functional>

#include "app/formatting.h"
#include "app/numkeys.h"
#include "gui/app_hooks.h"
#include "services_test_helpers.h"

namespace services_test {
namespace {

enum Kind { kStrict, kLoose };

struct PerOutputRow {
  const char* name;
  Kind kind;
  std::function<void(int, int)> set;
  std::function<int(int)> get;
};

std::vector<PerOutputRow> PerOutputRows() {
  auto handle = [](void (*set)(int, WindowHandle)) {
    return [set](int output, int v) { set(output, static_cast<WindowHandle>(v)); };
  };
  auto read = [](WindowHandle (*get)(int)) { return [get](int output) { return static_cast<int>(get(output)); }; };
  return {
      {"OutputState", kStrict, setOutputState, getOutputState},
      {"LiveViewActive", kLoose, setLiveViewActive, isLiveViewActive},
      {"LoginWnd", kStrict, handle(setLoginWnd), read(getLoginWnd)},
      {"LeftMenuWnd", kStrict, handle(setLeftMenuWnd), read(getLeftMenuWnd)},
      {"InstantPlayWnd", kLoose, handle(setInstantPlayWnd), read(getInstantPlayWnd)},
      {"PlaybackWnd", kLoose, handle(setPlaybackWnd), read(getPlaybackWnd)},
      {"SideBarWnd", kLoose, handle(setSideBarWnd), read(getSideBarWnd)},
      {"LoginFlag", kLoose, setLoginFlag, isLoginFlag},
      {"Relogin", kLoose, setOutputRelogin, getOutputRelogin},
      {"LoginUser", kLoose, [](int o, int v) { setLoginState(o, v, 0); }, getLoginUserIndex},
  };
}

// Main 3, auxiliary 1, and 2 which is neither.
TEST_F(ServicesTest, PerOutputSettersKeepTheirKind) {
  for (const auto& row : PerOutputRows()) {
    SCOPED_TRACE(row.name);
    row.set(3, 30);
    row.set(1, 10);
    row.set(2, 20);
    EXPECT_EQ(row.get(3), 30);
    EXPECT_EQ(row.get(1), row.kind == kStrict ? 10 : 20);
    // The output state alone answers 0 for an id that is neither output.
    const int other = std::strcmp(row.name, "OutputState") == 0 ? 0 : row.get(1);
    EXPECT_EQ(row.get(2), other);
  }
}

TEST_F(ServicesTest, EqualOutputIdsShareOneValue) {
  setMainOutput(2);
  setAuxOutput(2);
  for (const auto& row : PerOutputRows()) {
    SCOPED_TRACE(row.name);
    row.set(2, 7);
    EXPECT_EQ(row.get(2), 7);
    row.set(2, 8);
    EXPECT_EQ(row.get(2), 8);
  }
}

TEST_F(ServicesTest, PtzStatusSlotsByOutputIdZeroToThree) {
  setPtzStatusWnd(4, 99);
  setPtzStatusWnd(2, 42);
  EXPECT_EQ(getPtzStatusWnd(2), 42u);
  for (int id : {4, -1}) EXPECT_EQ(getPtzStatusWnd(id), GUI_INVALID_HANDLE);
}

TEST_F(ServicesTest, ScreenSizeOfEachOutputFollowsTheConfiguration) {
  struct Row {
    int output, code, standard, cx, cy;
  } rows[] = {
      {2, 1, 0, 800, 600},    {3, 105, 0, 1280, 1024}, {3, 113, 0, 1920, 1080}, {2, 108, 0, 1280, 720},
      {3, 117, 0, 1600, 1200}, {3, 0, 0, 1024, 768},    {1, 13, 1, 704, 480},    {1, 13, 2, 704, 576},
      {0, 0, 1, 704, 480},    {7, 0, 1, 704, 576},
  };
  for (const Row& r : rows) {
    DeviceConfig config{};
    if (r.output == 2 || r.output == 3) config.resolutions[r.output - 1].code = static_cast<uint8_t>(r.code);
    if (r.output <= 3) config.outputs[r.output].videoStandard = static_cast<uint8_t>(r.standard);
    Size size{};
    EXPECT_EQ(getOutputScreenSize(r.output, config, &size), 0);
    EXPECT_EQ(size.cx, r.cx) << r.output << "/" << r.code;
    EXPECT_EQ(size.cy, r.cy) << r.output << "/" << r.code;
  }
  EXPECT_EQ(getOutputScreenSize(3, DeviceConfig{}, nullptr), -1);
}

// The toolkit, through its forwarders, and the application read and write
// the same words once the table is installed.
TEST_F(ServicesTest, ToolkitAndApplicationShareOneState) {
  setOutputState(3, 5);
  setOutputStateHook(OUTSTATE_LIVEVIEW, 3);  // state first, output second
  EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
  setOutputState(1, OUTSTATE_PLAYBACK);
  EXPECT_EQ(getOutputStateHook(1), OUTSTATE_PLAYBACK);
  EXPECT_EQ(getOutputStateHook(2), OUTSTATE_LIVEVIEW);

  setCurOutputHook(1);
  EXPECT_EQ(getCurOutput(), 1);
  setSideBarWnd(1, 77);
  EXPECT_EQ(getSideBarWndHook(), 77u);
  setLoginFlagHook(1);
  EXPECT_EQ(isLoginFlag(1), 1);
  EXPECT_EQ(isLoginFlag(3), 0);

  EXPECT_EQ(getDeviceConfigHook(), cachedDeviceConfigAddress());
  EXPECT_EQ(getOutputLoginHook(2), static_cast<void*>(getOutputLogin(2)));
  setDateFormat(2);
  EXPECT_EQ(getDateFormatHook(), 2);
  setSessionFlag(1);
  EXPECT_EQ(getSessionFlagHook(), 1);
  EXPECT_EQ(getLongOpStateHook(), getLongOpState());
  EXPECT_EQ(isNumKeyAHook(146), 1);
  EXPECT_EQ(isNumKeyAHook(147), 0);
  EXPECT_EQ(isNumKeyBHook(203), 1);
  for (int output : {1, 2, 3}) EXPECT_EQ(getOutputExtraWndHook(output), GUI_INVALID_HANDLE);
  EXPECT_EQ(getPlaybackExtraWndHook(), GUI_INVALID_HANDLE);
  EXPECT_EQ(getPreviewExtraWndHook(), GUI_INVALID_HANDLE);

  changeCachedDeviceConfig([](DeviceConfig& config) { config.resolutions[2].code = 109; });
  Size size{};
  EXPECT_EQ(getOutputScreenSizeHook(3, &size), 0);
  EXPECT_EQ(size.cx, 1920);
}

// Start-up reads the device configuration into the application's copy:
// the whole record, not just the part the toolkit itself reads.
TEST_F(ServicesTest, StartUpFetchFillsTheWholeConfiguration) {
  DeviceConfig config;
  std::memset(&config, 0xCC, sizeof config);
  storeCachedDeviceConfig(&config);
  ASSERT_EQ(GuiApp()->getDeviceConfig(getOutputLoginHook(getCurOutputHook()), getDeviceConfigHook()), 0);
  config = cachedDeviceConfig();
  EXPECT_EQ(config.language, 1);
  EXPECT_EQ(config.reserved[sizeof config.reserved - 1], 0);
  EXPECT_EQ(DeviceConfigLanguageId(), 1);
}

TEST_F(ServicesTest, IdleLogoutOnlyWhenLoginsAreRequired) {
  setLoginState(3, 4, 12);
  logoutOutputHook(3);
  EXPECT_EQ(getLoginUserIndex(3), 4) << "the device requires no login";

  DeviceConfig required{};
  required.loginRequired = 1;
  device_seam::overrideAnswer(getDeviceConfig, 0, &required, sizeof required);
  setLoginState(1, 5, 13);
  logoutOutputHook(1);  // one video output: the auxiliary id is no output
  EXPECT_EQ(getLoginUserIndex(1), 5);

  device_seam::startCallLog();
  logoutOutputHook(3);
  EXPECT_EQ(getLoginUserIndex(3), -2);
  EXPECT_EQ(getLoginId(3), -2);
  EXPECT_EQ(getOutputRelogin(3), 1);
  bool loggedOut = false;
  for (const auto& call : device_seam::callLog()) loggedOut = loggedOut || call.op == "logoutDevice";
  EXPECT_TRUE(loggedOut);
}

}  // namespace
}  // namespace services_test
