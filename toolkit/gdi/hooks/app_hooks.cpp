// Default answers of the application call-back table: those of a device with fixed
// defaults, used until the application installs its own call-backs.
#include "gui/app_hooks.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<int> g_curOutput{3};
alignas(uint32_t) uint8_t g_storedConfig[GUI_DEVICE_CONFIG_SIZE];
alignas(uint32_t) uint8_t g_cachedConfig[GUI_DEVICE_CONFIG_SIZE];
struct OutputLogin {
  int outputId;
};
OutputLogin g_logins[4] = {{0}, {1}, {2}, {3}};
int g_longOpState[4];
std::atomic<int> g_outputState[2];
std::atomic<int> g_loginFlag{0};

int defCurOutput() { return g_curOutput.load(std::memory_order_relaxed); }
int defMainOutput() { return 3; }
int defAuxOutput() { return 1; }
void defSetCurOutput(int id) { g_curOutput.store(id, std::memory_order_relaxed); }

int defDisplayOutputIds(int* mainId, int* auxId) {
  if (!mainId || !auxId) return 2;
  *mainId = 3;
  *auxId = 1;
  return 0;
}
int defDisplayOutputType(int, int* type) {
  if (type) *type = 1;
  return 0;
}
int defVideoOutNum() { return 3; }

void defOutputResolution(int code, int* width, int* height) {
  int w = 1024, h = 768;
  switch (code & 0xFF) {
    case 1: case 2: case 101: case 102: w = 800; h = 600; break;
    case 5: case 12: case 105: w = 1280; h = 1024; break;
    case 13: case 109: case 110: case 111: case 112: case 113: case 114: case 115:
      w = 1920; h = 1080; break;
    case 107: case 108: w = 1280; h = 720; break;
    case 116: case 117: w = 1600; h = 1200; break;
    default: break;
  }
  if (width) *width = w;
  if (height) *height = h;
}

int defOutputScreenSize(int outputId, Size* size) {
  if (!size) return 0;
  if (outputId == 2 || outputId == 3) {
    int w = 0, h = 0;
    GuiApp()->getOutputResolution(DeviceConfigResolutionCode(outputId), &w, &h);
    size->cx = w;
    size->cy = h;
  } else {
    size->cx = 704;
    size->cy = DeviceConfigTvStandard(outputId) == 1 ? 480 : 576;
  }
  return 0;
}

// The simulated device has one output and a packed-RGB colour depth.
int defVideoOutputCount(uint8_t* count) {
  if (!count) return -1;
  *count = 1;
  return 0;
}
int defColorDepthCode(uint8_t* code) {
  if (!code) return -1;
  *code = 0;
  return 0;
}
int defZero() { return 0; }
int defGalEngine() { return 2; }
void* defCachedConfig() { return g_cachedConfig; }
void* defOutputLogin(int id) {
  if (id < 0 || id > 3) id = GuiApp()->getCurOutput();
  if (id < 0 || id > 3) id = 0;
  return &g_logins[id];
}

uint32_t readWord(const uint8_t* p, size_t offset) {
  uint32_t v;
  std::memcpy(&v, p + offset, sizeof v);
  return v;
}
void writeWord(uint8_t* p, size_t offset, uint32_t v) { std::memcpy(p + offset, &v, sizeof v); }

int defGetDeviceConfig(void*, void* config) {
  if (!config) return 0;
  auto* out = static_cast<uint8_t*>(config);
  std::memcpy(out, g_storedConfig, sizeof g_storedConfig);
  if (readWord(out, GUI_DEVCFG_LANGUAGE_OFFSET) == 0) writeWord(out, GUI_DEVCFG_LANGUAGE_OFFSET, 1);
  if (readWord(out, GUI_DEVCFG_WORD10_OFFSET) == 0) writeWord(out, GUI_DEVCFG_WORD10_OFFSET, 255);
  writeWord(out, 0, 0);
  return 0;
}
int defSetLogoRect(int, const OutputLogoRect*, int, int) { return 0; }
int* defLongOpState() { return g_longOpState; }

int outputSlot(int outputId) {
  if (outputId == GuiApp()->getMainOutput()) return 0;
  if (outputId == GuiApp()->getAuxOutput()) return 1;
  return -1;
}
int defOutputState(int outputId) {
  int slot = outputSlot(outputId);
  return slot < 0 ? 0 : g_outputState[slot].load(std::memory_order_relaxed);
}
void defSetOutputState(int state, int outputId) {
  int slot = outputSlot(outputId);
  if (slot >= 0) g_outputState[slot].store(state, std::memory_order_relaxed);
}
int defLiveViewActive(int outputId) { return defOutputState(outputId) == 0 ? 1 : 0; }
WindowHandle defNoWindowFor(int) { return GUI_INVALID_HANDLE; }
WindowHandle defNoWindow() { return GUI_INVALID_HANDLE; }
int defLoginFlag() { return g_loginFlag.load(std::memory_order_relaxed); }
void defSetLoginFlag(int v) { g_loginFlag.store(v, std::memory_order_relaxed); }
int defOne() { return 1; }
void defNoActionFor(int) {}
int defConfirmSwitch(WindowHandle) { return 0; }
int defAskShutdown(WindowHandle) { return -1; }
void defOpenShutdown(WindowHandle) {}
int defNoPermission(WindowHandle) { return 0; }
// Arabic and Hebrew (language ids 31 and 56) read from right to left.
int defRightToLeft() {
  const int id = DeviceConfigLanguageId();
  return id == 31 || id == 56 ? 1 : 0;
}
int defNumKeyA(int key) { return key >= 131 && key <= 146 ? 1 : 0; }
int defNumKeyB(int key) { return key >= 194 && key <= 203 ? 1 : 0; }

constexpr GuiAppCallbacks kDefaults = {
    defCurOutput, defMainOutput, defAuxOutput, defSetCurOutput, defDisplayOutputIds,
    defDisplayOutputType, defVideoOutNum, defOutputResolution, defOutputScreenSize,
    defVideoOutputCount, defColorDepthCode, defZero, defGalEngine, defCachedConfig,
    defOutputLogin, defGetDeviceConfig, defSetLogoRect, defLongOpState, defZero, defZero,
    defRightToLeft, defOutputState, defSetOutputState, defLiveViewActive, defNoWindowFor, defNoWindow,
    defNoWindow, defNoWindow, defNoWindowFor, defNoWindow, defLoginFlag, defSetLoginFlag,
    defNoWindow, defOne, defZero, defNoActionFor, defNoActionFor, defConfirmSwitch,
    defAskShutdown, defOpenShutdown, defNoPermission, defNumKeyA, defNumKeyB,
    defZero,
};

GuiAppCallbacks g_table = kDefaults;

// Copies every non-null field of `from` over `to`. The table is a plain
// record of function pointers, so it is walked as an array of them.
void overlay(GuiAppCallbacks& to, const GuiAppCallbacks& from) {
  using Fn = void (*)();
  static_assert(sizeof(GuiAppCallbacks) % sizeof(Fn) == 0, "table holds only function pointers");
  constexpr size_t n = sizeof(GuiAppCallbacks) / sizeof(Fn);
  Fn src[n];
  Fn dst[n];
  std::memcpy(src, &from, sizeof src);
  std::memcpy(dst, &to, sizeof dst);
  for (size_t i = 0; i < n; ++i)
    if (src[i]) dst[i] = src[i];
  std::memcpy(&to, dst, sizeof dst);
}

const uint8_t* configBytes() {
  return static_cast<const uint8_t*>(g_table.getCachedDeviceConfig());
}

// The application writes its cached configuration on its own threads while
// the toolkit's threads read it: both sides take each word as one relaxed
// atomic of its width (the record is aligned for its 32-bit words).
template <typename T>
T sharedWord(const uint8_t* p, size_t offset) {
  return __atomic_load_n(reinterpret_cast<const T*>(p + offset), __ATOMIC_RELAXED);
}

}  // namespace

extern "C" {

void SetAppCallbacks(const GuiAppCallbacks* callbacks) {
  g_table = kDefaults;
  if (callbacks) overlay(g_table, *callbacks);
}

const GuiAppCallbacks* GuiApp(void) { return &g_table; }

int getCurOutputHook(void) { return g_table.getCurOutput(); }
int getMainOutputHook(void) { return g_table.getMainOutput(); }
int getAuxOutputHook(void) { return g_table.getAuxOutput(); }
void setCurOutputHook(int outputId) { g_table.setCurOutput(outputId); }
void* getDeviceConfigHook(void) { return g_table.getCachedDeviceConfig(); }
void* getOutputLoginHook(int outputId) { return g_table.getOutputLogin(outputId); }
int getOutputStateHook(int outputId) { return g_table.getOutputState(outputId); }
void setOutputStateHook(int state, int outputId) { g_table.setOutputState(state, outputId); }
int isLiveViewActiveHook(int outputId) { return g_table.isLiveViewActive(outputId); }
WindowHandle getPlaybackWndHook(int outputId) { return g_table.getPlaybackWnd(outputId); }
WindowHandle getSideBarWndHook(void) { return g_table.getSideBarWnd(); }
WindowHandle getPlaybackExtraWndHook(void) { return g_table.getPlaybackExtraWnd(); }
WindowHandle getPreviewExtraWndHook(void) { return g_table.getPreviewExtraWnd(); }
WindowHandle getOutputExtraWndHook(int outputId) { return g_table.getOutputExtraWnd(outputId); }
WindowHandle getLoginWndHook(void) { return g_table.getLoginWnd(); }
int isLoginFlagHook(void) { return g_table.isLoginFlag(); }
void setLoginFlagHook(int value) { g_table.setLoginFlag(value); }
void logoutOutputHook(int outputId) { g_table.logoutOutput(outputId); }
void stopPlaybackHook(int outputId) { g_table.stopPlayback(outputId); }
int confirmOutputSwitchHook(WindowHandle hwnd) { return g_table.confirmOutputSwitch(hwnd); }
int askShutdownHook(WindowHandle hwnd) { return g_table.askShutdown(hwnd); }
void openShutdownWndHook(WindowHandle hwnd) { g_table.openShutdownWnd(hwnd); }
int showNoPermissionHook(WindowHandle hwnd) { return g_table.showNoPermission(hwnd); }
int getOutputScreenSizeHook(int outputId, Size* size) { return g_table.getOutputScreenSize(outputId, size); }
int isNumKeyAHook(int key) { return g_table.isNumKeyA(key); }
int isNumKeyBHook(int key) { return g_table.isNumKeyB(key); }
int getDateFormatHook(void) { return g_table.getDateFormat(); }
WindowHandle getPtzPlayWindowHook(void) { return g_table.getPtzPlayWindow(); }
int getSessionFlagHook(void) { return g_table.getSessionFlag(); }
int isResolutionChangePendingHook(void) { return g_table.isResolutionChangePending(); }
int isDispSwitchEnabledHook(void) { return g_table.isDispSwitchEnabled(); }
int* getLongOpStateHook(void) { return g_table.getLongOpState(); }
int isRightToLeftLangHook(void) { return g_table.isRightToLeftLang(); }

int returnZero(void) { return 0; }
void emptyStub(void) {}
void zeroFill(void* buffer, size_t size) {
  if (buffer && size) std::memset(buffer, 0, size);
}

int DeviceConfigLanguageId(void) {
  const uint8_t* p = configBytes();
  return p ? static_cast<int>(sharedWord<uint32_t>(p, GUI_DEVCFG_LANGUAGE_OFFSET)) : 1;
}

// Output blocks exist for ids 0..3; other ids read nothing.
static bool validOutput(int outputId) { return outputId >= 0 && outputId <= 3; }

int DeviceConfigTvStandard(int outputId) {
  const uint8_t* p = configBytes();
  return p && validOutput(outputId) ? sharedWord<uint8_t>(p, GUI_DEVCFG_OUTPUT_BLOCK(outputId)) : 0;
}
int DeviceConfigMenuAlpha(int outputId) {
  const uint8_t* p = configBytes();
  return p && validOutput(outputId) ? sharedWord<uint8_t>(p, GUI_DEVCFG_MENU_ALPHA(outputId)) : 0;
}
int DeviceConfigIdleIndex(int outputId) {
  const uint8_t* p = configBytes();
  if (!p || !validOutput(outputId)) return 0;
  return sharedWord<uint16_t>(p, GUI_DEVCFG_IDLE_INDEX(outputId));
}
int DeviceConfigResolutionCode(int outputId) {
  const uint8_t* p = configBytes();
  return p && validOutput(outputId) ? sharedWord<uint8_t>(p, GUI_DEVCFG_RESOLUTION(outputId)) : 0;
}

}  // extern "C"
