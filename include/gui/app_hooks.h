/* The call-back table between the toolkit and the application that runs on it.
 *
 * The toolkit never links against the application. Everything it asks of the
 * application (output ids, output states, device configuration, windows the
 * application owns, questions put to the user) goes through this table of
 * call-backs, which the application installs with SetAppCallbacks before
 * InitGUI. A field left null keeps the toolkit's default, which answers as a
 * device with fixed defaults would. Tests install fakes. */
#ifndef GUI_APP_HOOKS_H
#define GUI_APP_HOOKS_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* What is open over an output's live view (getOutputStateHook). */
enum {
  OUTSTATE_LIVEVIEW = 0, /* nothing open over the live view */
  OUTSTATE_MENU = 1, /* a menu, dialog or wizard page is open */
  OUTSTATE_PTZ = 2, /* the PTZ control panel is open */
  OUTSTATE_COLORPANEL = 3, /* the colour panel is open over the live view */
  /* Further busy states of the live view, set by no page of this system;
   * the toolkit still treats them as busy. */
  OUTSTATE_BUSY4 = 4,
  OUTSTATE_BUSY6 = 6,
  OUTSTATE_BUSY7 = 7,
  OUTSTATE_BUSY8 = 8,
  OUTSTATE_PLAYBACK = 9, /* playback, search results or logs */
  OUTSTATE_ZOOM = 10, /* digital zoom on the live view */
  OUTSTATE_RETURNED = 11, /* the output returned to the live view */
  OUTSTATE_SMARTSEARCH = 13, /* smart (motion-area) search on the live view */
  OUTSTATE_OUTMODE = 17, /* the output-mode dialog is open */
  OUTSTATE_COPYCHAN = 18, /* the channel copy dialog is open */
  OUTSTATE_STRATEGY = 19, /* the preview strategy dialog is open */
};

/* The toolkit's view of the device configuration record: it touches only the
 * words below, each read as one relaxed atomic of its width while the
 * application's threads change them the same way; the application's record
 * must be at least this large and aligned for its 32-bit words. */
#define GUI_DEVICE_CONFIG_SIZE 256
#define GUI_DEVCFG_LANGUAGE_OFFSET 4          /* 32-bit word 1 */
#define GUI_DEVCFG_WORD10_OFFSET 40           /* 32-bit word 10 */
#define GUI_DEVCFG_OUTPUT_BLOCK(n) (44 + 32 * (n))       /* first byte: TV standard */
#define GUI_DEVCFG_MENU_ALPHA(n) (45 + 32 * (n))         /* menu transparency */
#define GUI_DEVCFG_IDLE_INDEX(n) (46 + 32 * (n))         /* 16-bit idle time-out index */
#define GUI_DEVCFG_RESOLUTION(n) (172 + 16 * ((n) > 0 ? (n) - 1 : 0)) /* resolution code */

/* Logo rectangle handed to the device layer. */
typedef struct OutputLogoRect {
  int32_t x, y, width, height;
  int32_t reserved[4];
  int32_t enabled;
} OutputLogoRect;

typedef struct GuiAppCallbacks {
  /* Output ids. */
  int (*getCurOutput)(void);
  int (*getMainOutput)(void);
  int (*getAuxOutput)(void);
  void (*setCurOutput)(int outputId);
  int (*getDisplayOutputIds)(int* mainId, int* auxId);
  int (*getDisplayOutputType)(int outputId, int* type);
  int (*getVideoOutNum)(void);
  void (*getOutputResolution)(int code, int* width, int* height);
  int (*getOutputScreenSize)(int outputId, Size* size);

  /* Device capability and configuration. */
  int (*getVideoOutputCount)(uint8_t* count);
  int (*getColorDepthCode)(uint8_t* code);
  int (*hasLiveVideoAreaCapability)(void);
  int (*gui_get_galengin)(void);
  void* (*getCachedDeviceConfig)(void);
  void* (*getOutputLogin)(int outputId);
  int (*getDeviceConfig)(void* device, void* config);
  int (*setOutputLogoRect)(int outputId, const OutputLogoRect* logo, int index, int kind);
  int* (*getLongOpState)(void); /* its first word is read as an atomic */
  int (*isDispSwitchEnabled)(void);
  int (*getSessionFlag)(void);
  int (*isRightToLeftLang)(void);

  /* Output states and the windows the application keeps per output. */
  int (*getOutputState)(int outputId);
  void (*setOutputState)(int state, int outputId);
  int (*isLiveViewActive)(int outputId);
  WindowHandle (*getPlaybackWnd)(int outputId);
  WindowHandle (*getSideBarWnd)(void);
  WindowHandle (*getPlaybackExtraWnd)(void);
  WindowHandle (*getPreviewExtraWnd)(void);
  WindowHandle (*getOutputExtraWnd)(int outputId);
  WindowHandle (*getLoginWnd)(void);
  int (*isLoginFlag)(void);
  void (*setLoginFlag)(int value);
  WindowHandle (*getPtzPlayWindow)(void);
  int (*GetMouseState)(void);
  int (*isResolutionChangePending)(void);

  /* Actions and questions put to the user. */
  void (*logoutOutput)(int outputId);
  void (*stopPlayback)(int outputId);
  int (*confirmOutputSwitch)(WindowHandle hwnd);
  int (*askShutdown)(WindowHandle hwnd);
  void (*openShutdownWnd)(WindowHandle hwnd);
  int (*showNoPermission)(WindowHandle hwnd);
  int (*isNumKeyA)(int key);
  int (*isNumKeyB)(int key);

  /* Date format of the controls' date fields: 0 year-month-day, 1 month-
   * day-year, 2 day-month-year. */
  int (*getDateFormat)(void);
} GuiAppCallbacks;

/* Installs the application's call-backs; null fields keep the defaults.
 * Passing null restores every default. */
void SetAppCallbacks(const GuiAppCallbacks* callbacks);
/* The table in force (never null). */
const GuiAppCallbacks* GuiApp(void);

/* Forwarders the toolkit calls by name. */
int getCurOutputHook(void);
int getMainOutputHook(void);
int getAuxOutputHook(void);
void setCurOutputHook(int outputId);
void* getDeviceConfigHook(void);
void* getOutputLoginHook(int outputId);
int getOutputStateHook(int outputId);
void setOutputStateHook(int state, int outputId);
int isLiveViewActiveHook(int outputId);
WindowHandle getPlaybackWndHook(int outputId);
WindowHandle getSideBarWndHook(void);
WindowHandle getPlaybackExtraWndHook(void);
WindowHandle getPreviewExtraWndHook(void);
WindowHandle getOutputExtraWndHook(int outputId);
WindowHandle getLoginWndHook(void);
int isLoginFlagHook(void);
void setLoginFlagHook(int value);
void logoutOutputHook(int outputId);
void stopPlaybackHook(int outputId);
int confirmOutputSwitchHook(WindowHandle hwnd);
int askShutdownHook(WindowHandle hwnd);
void openShutdownWndHook(WindowHandle hwnd);
int showNoPermissionHook(WindowHandle hwnd);
int getOutputScreenSizeHook(int outputId, Size* size);
int isNumKeyAHook(int key);
int isNumKeyBHook(int key);
int getDateFormatHook(void);
WindowHandle getTopMainWindowHook(void);
WindowHandle getPtzPlayWindowHook(void);
int getSessionFlagHook(void);
int isResolutionChangePendingHook(void);
int isDispSwitchEnabledHook(void);
int* getLongOpStateHook(void);
int isRightToLeftLangHook(void);

/* Where the device layer would act on live-video areas: nothing is done and
 * the answer is 0. */
int returnZero(void);
void emptyStub(void);
void zeroFill(void* buffer, size_t size);

/* Typed reads of the application's device configuration copy. */
int DeviceConfigLanguageId(void);
int DeviceConfigTvStandard(int outputId);
int DeviceConfigMenuAlpha(int outputId);
int DeviceConfigIdleIndex(int outputId);
int DeviceConfigResolutionCode(int outputId);

GUI_EXTERN_C_END

#endif
