// Output ids, output states and the window handles of the application.
#include "app/app_registry.h"

#include "app/core/services/per_output.h"

namespace {

using app::PerOutput;
using app::Word;

constexpr WindowHandle kNone = GUI_INVALID_HANDLE;

Word<int> g_curOutput{3};
Word<int> g_mainOutput{3};
Word<int> g_auxOutput{1};
PerOutput<int> g_outputState{0};
PerOutput<int> g_liveViewActive{1};

PerOutput<WindowHandle> g_loginWnd{kNone};
PerOutput<WindowHandle> g_leftMenuWnd{kNone};
PerOutput<WindowHandle> g_instantPlayWnd{kNone};
PerOutput<WindowHandle> g_playbackWnd{kNone};
PerOutput<WindowHandle> g_sideBarWnd{kNone};
std::atomic<WindowHandle> g_ptzStatusWnd[4] = {};

// Written by windows that register themselves; kept so a debugger finds them.
enum { kSearchResult, kEventResult, kEventDetail, kPicResult, kResolution, kUsbClient, kPreviewSmall, kUnread };
std::atomic<WindowHandle> g_unreadWnd[kUnread] = {kNone, kNone, kNone, kNone, kNone, kNone, kNone};

#define APP_SINGLE_SLOT(Name) Word<WindowHandle> g_##Name{kNone};
APP_SINGLE_WINDOWS(APP_SINGLE_SLOT)
#undef APP_SINGLE_SLOT

bool isPtzSlot(int output) { return output >= 0 && output <= 3; }

}  // namespace

extern "C" {

void setCurOutput(int id) { g_curOutput.set(id); }
int getCurOutput(void) { return g_curOutput.get(); }
void setMainOutput(int id) { g_mainOutput.set(id); }
int getMainOutput(void) { return g_mainOutput.get(); }
void setAuxOutput(int id) { g_auxOutput.set(id); }
int getAuxOutput(void) { return g_auxOutput.get(); }

void setOutputState(int output, int state) { g_outputState.setStrict(output, state); }
int getOutputState(int output) { return app::isKnownOutput(output) ? g_outputState.get(output) : 0; }
void setLiveViewActive(int output, int on) { g_liveViewActive.setLoose(output, on); }
int isLiveViewActive(int output) { return g_liveViewActive.get(output); }

void setLoginWnd(int output, WindowHandle hwnd) { g_loginWnd.setStrict(output, hwnd); }
WindowHandle getLoginWnd(int output) { return g_loginWnd.get(output); }
void setLeftMenuWnd(int output, WindowHandle hwnd) { g_leftMenuWnd.setStrict(output, hwnd); }
WindowHandle getLeftMenuWnd(int output) { return g_leftMenuWnd.get(output); }
void setInstantPlayWnd(int output, WindowHandle hwnd) { g_instantPlayWnd.setLoose(output, hwnd); }
WindowHandle getInstantPlayWnd(int output) { return g_instantPlayWnd.get(output); }
void setPlaybackWnd(int output, WindowHandle hwnd) { g_playbackWnd.setLoose(output, hwnd); }
WindowHandle getPlaybackWnd(int output) { return g_playbackWnd.get(output); }
void setSideBarWnd(int output, WindowHandle hwnd) { g_sideBarWnd.setLoose(output, hwnd); }
WindowHandle getSideBarWnd(int output) { return g_sideBarWnd.get(output); }

void setPtzStatusWnd(int output, WindowHandle hwnd) {
  if (isPtzSlot(output)) g_ptzStatusWnd[output].store(hwnd, std::memory_order_relaxed);
}
WindowHandle getPtzStatusWnd(int output) {
  return isPtzSlot(output) ? g_ptzStatusWnd[output].load(std::memory_order_relaxed) : kNone;
}

WindowHandle getPreviewExtraWnd(int) { return kNone; }
WindowHandle getOutputExtraWnd(int) { return kNone; }
WindowHandle getPlaybackExtraWnd(int) { return kNone; }

#define APP_SINGLE_ACCESSORS(Name)                                \
  void set##Name##Wnd(WindowHandle hwnd) { g_##Name.set(hwnd); } \
  WindowHandle get##Name##Wnd(void) { return g_##Name.get(); }
APP_SINGLE_WINDOWS(APP_SINGLE_ACCESSORS)
#undef APP_SINGLE_ACCESSORS

void setSearchResultWnd(WindowHandle hwnd) { g_unreadWnd[kSearchResult] = hwnd; }
void setEventResultWnd(WindowHandle hwnd) { g_unreadWnd[kEventResult] = hwnd; }
void setEventDetailWnd(WindowHandle hwnd) { g_unreadWnd[kEventDetail] = hwnd; }
void setPicResultWnd(WindowHandle hwnd) { g_unreadWnd[kPicResult] = hwnd; }
void setResolutionWnd(WindowHandle hwnd) { g_unreadWnd[kResolution] = hwnd; }
void setUsbClientWnd(WindowHandle hwnd) { g_unreadWnd[kUsbClient] = hwnd; }
void setPreviewSmallWnd(WindowHandle hwnd) { g_unreadWnd[kPreviewSmall] = hwnd; }

}  // extern "C"
