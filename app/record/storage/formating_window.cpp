// The progress window of disk work and its worker thread. The worker does
// the work and reports through sends, which cross to the window's thread;
// the window reads the shared words on its timer. The state goes to 2 as
// the worker's last write, and only then may the window close.
#include <atomic>
#include <chrono>
#include <thread>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/format_text.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/playback.h"
#include "app/record/storage/format_seam.h"
#include "app/record/storage/storage_internal.h"
#include "app/storage_pages.h"
#include "gui/button.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/progressbar.h"
#include "gui/timer.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace storage {
DlgTemplate formatTemplate(const char* section);
}

namespace {

constexpr const char* kSection = "formating";
constexpr const char* kCaptions = "format";
constexpr int kLabel = 19856, kBar = 19857;
constexpr int kTimer = 8198, kPeriod = 10;
constexpr int kIdle = 0, kRunning = 1, kFinished = 2;
constexpr uint32_t kStaticStyle = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kHiddenButton = WS_CHILD | BS_AUTOSIZE;
constexpr int kListSize = 256, kPartSize = 384, kResultSize = 512;

std::atomic<WindowHandle> g_window{GUI_INVALID_HANDLE};
std::atomic<int> g_state{kIdle};
std::atomic<int> g_index{0};
std::atomic<int> g_lastStep{-1};
std::atomic<bool> g_holdWorker{false};
std::atomic<bool> g_workerHeld{false};
// The window's copy of the disks, taken before the worker starts: the
// worker writes the shared record's flags while the timer still ticks.
FormatDiskArg g_disks{};

const char* hintKey() {
  switch (getFormatType()) {
    case FORMAT_TYPE_USB: return usbdevIsCd() ? "formating_hint_erase" : "formating_hint_format";
    case FORMAT_TYPE_EXPAND: return "formating_hint_expand";
    default: return "initing";
  }
}

// The hint of kind 1 is the window's own key; the others are format keys.
const char* hintText() {
  const char* key = hintKey();
  return storage::caption(std::strcmp(key, "initing") == 0 ? kSection : kCaptions, key);
}

void stepLabel(WindowHandle window, const char* hint, int step, int count) {
  char text[kResultSize];
  std::snprintf(text, sizeof text, "%s %d/%d:", hint, step, count);
  storage::setText(window, kLabel, text);
}

// "<disk> 1  2  " lists of the done and the failed disks, each followed by
// its result caption.
std::string diskResult(const FormatDiskArg& arg, bool expand) {
  std::string done, failed;
  const std::string prefix = storage::caption(kSection, "disk");
  for (uint32_t i = 0; i < arg.count && i < FORMAT_DISK_MAX; ++i) {
    std::string& list = arg.results[i] ? done : failed;
    char number[16];
    std::snprintf(number, sizeof number, "%u  ", arg.disks[i]);
    if (list.empty()) list = prefix;
    if (list.size() + std::strlen(number) < kListSize) list += number;
  }
  std::string result;
  auto add = [&result](const std::string& list, const char* key) {
    if (list.empty()) return;
    std::string part = list + storage::caption(kCaptions, key);
    if (part.size() >= kPartSize) part.resize(kPartSize - 1);
    result += part;
  };
  add(done, expand ? "expand_success" : "format_success");
  add(failed, expand ? "expand_fail" : "format_fail");
  if (result.size() >= kResultSize) result.resize(kResultSize - 1);
  return result;
}

std::string usbResult(bool ok) {
  const bool cd = usbdevIsCd() != 0;
  const char* key = ok ? (cd ? "format_success_cd" : "format_success_usb") : (cd ? "format_err_cd" : "format_err_usb");
  return storage::caption(kCaptions, key);
}

void workDisks(WindowHandle window, FormatDiskArg& arg, bool expand) {
  const int count = arg.count < FORMAT_DISK_MAX ? static_cast<int>(arg.count) : FORMAT_DISK_MAX;
  const char* hint = storage::caption(expand ? kCaptions : kSection, expand ? "formating_hint_expand" : "initing");
  const int login = getLoginId(getMainOutput());
  for (int i = 0; i < count; ++i) {
    g_index = i;
    stepLabel(window, hint, i + 1, count);
    const int n = static_cast<int>(arg.disks[i]);
    const int answer = expand ? expandDisk(login, storage::busOf(n), storage::portOf(n))
                              : formatDisk(login, 0, storage::busOf(n), storage::portOf(n));
    if (answer != 0) arg.results[i] = 0;
  }
}

int usbFormat() {
  const int sub = getUsbdevSubId();
  return usbdevFormat(getUsbdevId(), sub, getFormatFsChoice());
}

std::string runWork(WindowHandle window) {
  FormatDiskArg arg{};
  getFormatDiskArg(&arg);
  g_state = kRunning;
  const int kind = getFormatType();
  if (kind == FORMAT_TYPE_USB) return usbResult(usbFormat() >= 0);
  workDisks(window, arg, kind == FORMAT_TYPE_EXPAND);
  setFormatDiskArg(arg);
  return diskResult(arg, kind == FORMAT_TYPE_EXPAND);
}

void* worker(void*) {
  const WindowHandle window = g_window;
  SetPowerKeyDownFlag(1);
  setDispSwitchEnabled(0);
  const std::string result = runWork(window);
  while (g_holdWorker) {
    g_workerHeld = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  g_workerHeld = false;
  // The window marks the run finished as it shows the result, on its own
  // thread: its shown button never meets a refused close.
  SendMessage(window, MSG_FORMATDONE, 0, reinterpret_cast<LParam>(result.c_str()));
  // Given back also when the window went another way before the result.
  SetPowerKeyDownFlag(0);
  setDispSwitchEnabled(1);
  return nullptr;
}

// A worker that cannot start: every disk (or the device) failed.
std::string failedResult() {
  if (getFormatType() == FORMAT_TYPE_USB) return usbResult(false);
  FormatDiskArg arg{};
  getFormatDiskArg(&arg);
  for (uint32_t& r : arg.results) r = 0;
  setFormatDiskArg(arg);
  return diskResult(arg, getFormatType() == FORMAT_TYPE_EXPAND);
}

void showResult(WindowHandle window, const char* text) {
  storage::setText(window, kLabel, text);
  ShowWindow(GetDlgItem(window, kBar), SW_HIDE);
  const WindowHandle button = GetDlgItem(window, IDCANCEL);
  ShowWindow(button, SW_SHOWNORMAL);
  SetFocusChild(button);
}

void finish(WindowHandle window) {
  KillTimer(window, kTimer);
  storage::showCursor(storage::kCursorArrow);
}

void init(WindowHandle window) {
  g_window = window;
  g_state = kIdle;
  g_index = 0;
  g_lastStep = -1;
  getFormatDiskArg(&g_disks);
  pageframe::createFromKey(window, kSection, {"static", "initing", kStaticStyle, WS_EX_TRANSPARENT, kLabel, false});
  storage::setText(window, kLabel, "");
  pageframe::createFromKey(window, kSection, {"progressbar", "prog", kStaticStyle, 0, kBar, false});
  SendDlgItemMessage(window, kBar, PBM_SETRANGE, 0, 100);
  SendDlgItemMessage(window, kBar, PBM_SETPOS, 0, 0);
  pageframe::createFromKey(window, kSection, {"button", "ok_cancel", kHiddenButton, 0, IDCANCEL, false},
                           pageframe::bottomRow(window));
  storage::setText(window, kLabel, hintText());
  SetTimer(window, kTimer, kPeriod);
  storage::showCursor(storage::kCursorBusy);
  if (createDetachedThread(nullptr, 50, 4096, worker, nullptr) != 0) {
    // Without its worker the run ends at once, failed, and may be closed.
    showResult(window, failedResult().c_str());
    finish(window);
    g_state = kFinished;
  }
}

int percent(int value) { return value < 0 ? 0 : value > 100 ? 100 : value; }

void tick(WindowHandle window) {
  const int state = g_state;
  if (state == kFinished) return finish(window);
  if (state != kRunning) return;
  int progress = 0;
  if (getFormatType() == FORMAT_TYPE_USB) {
    FormatProgress record{};
    progress = getFormatProgress(getUsbdevId(), getFormatFsChoice(), &record);
    const int step = static_cast<int>(record.step);
    if (step != g_lastStep) {
      g_lastStep = step;
      stepLabel(window, hintText(), step, static_cast<int>(record.stepCount));
    }
  } else {
    const int i = g_index;
    const int n = i >= 0 && i < FORMAT_DISK_MAX ? static_cast<int>(g_disks.disks[i]) : 0;
    progress = getDiskFormatProgress(storage::busOf(n), storage::portOf(n));
  }
  SendDlgItemMessage(window, kBar, PBM_SETPOS, static_cast<WParam>(percent(progress)), 0);
}

void close(WindowHandle window) {
  if (g_state != kFinished) return;  // the worker still reports to the window
  g_window = GUI_INVALID_HANDLE;
  KillTimer(window, kTimer);
  EndDialog(window, 0);
  setFormatOwnerWnd(GUI_INVALID_HANDLE);
  SetPowerKeyDownFlag(0);
  setDispSwitchEnabled(1);
  storage::showCursor(storage::kCursorArrow);
}

void command(WindowHandle window, int id, int) {
  if (id == IDCANCEL) SendMessage(window, MSG_CLOSE, 0, 0);
}

void timer(WindowHandle window, int id) {
  if (id == kTimer) tick(window);
}

bool other(WindowHandle window, int message, WParam, LParam lParam, LResult*) {
  if (message != MSG_FORMATDONE) return false;
  showResult(window, reinterpret_cast<const char*>(lParam));
  g_state = kFinished;  // the worker touches the window no more: it may close
  return true;
}

const pageframe::DialogHooks kHooks{init, pageframe::takesAll<command>, paintSmallDialogBackground, close, timer, other};

}  // namespace

namespace storage_seam {
void holdFormatWorker(bool hold) { g_holdWorker = hold; }
bool formatWorkerHeld() { return g_workerHeld; }
}  // namespace storage_seam

extern "C" int showFormatingDialog(WindowHandle parent) {
  const DlgTemplate tmpl = storage::formatTemplate(kSection);
  return pageframe::runDialog(tmpl, parent, pageframe::dialogProc<kHooks>);
}
