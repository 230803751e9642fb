// The desktop thread and the part of the desktop procedure that the queues,
// timers and start-up rely on. Window management and input routing are added
// to DesktopWinProc as they are built.
#include <atomic>
#include <memory>

#include "core/desktop/desktop.h"
#include "core/desktop/zorder.h"
#include "core/message/msg_queue.h"
#include "core/startup/thread_start.h"
#include "gui/app_hooks.h"
#include "gui/control_class.h"
#include "gui/display.h"
#include "gui/timer.h"

namespace {

constexpr uint32_t kTopmostStyle = 0x00000008;
char g_desktopCaption[] = "THE DESKTOP WINDOW";

MainWinRecord g_desktop;
std::atomic<ThreadMsgInfo*> g_desktopInfo{nullptr};

// The desktop's own record: never entered in the queue registry.
ThreadMsgInfo* MakeDesktopQueue() {
  std::unique_ptr<ThreadMsgInfo> info(new (std::nothrow) ThreadMsgInfo);
  std::unique_ptr<MsgQueue> queue(new (std::nothrow) MsgQueue);
  if (!info || !queue || !InitMsgQueue(queue.get(), 0)) return nullptr;
  info->queue = queue.release();
  info->thread = pthread_self();
  info->mainWindow = &g_desktop;
  return info.release();
}

void FreeDesktopQueue(ThreadMsgInfo* info) {
  std::unique_ptr<MsgQueue> queue(info->queue);
  std::unique_ptr<ThreadMsgInfo> owned(info);
  DestroyMsgQueue(queue.get());
}

void FillDesktopRecord(ThreadMsgInfo* info) {
  g_desktop.dataType = kWindowValid;
  g_desktop.windowType = kWindowDesktop;
  g_desktop.caption = g_desktopCaption;
  g_desktop.procedure = DesktopWinProc;
  g_desktop.mainWindow = &g_desktop;
  g_desktop.queue = info->queue;
  g_desktop.thread = info->thread;
  g_desktop.threadInfo = info;
}

int PostToMainWindows(const ZOrderList& list, const Message& notice) {
  int count = 0;
  for (const ZOrderNode* node = list.head; node; node = node->next) {
    WindowRecord* win = ValidWindow(node->hwnd);
    if (!win || win->windowType == kWindowControl) continue;
    PostMessage(node->hwnd, notice.message, notice.wParam, notice.lParam);
    ++count;
  }
  return count;
}

// Each list once, whichever display is current.
int Broadcast(const Message* notice) {
  if (!notice) return 0;
  return PostToMainWindows(TopmostList(), *notice) + PostToMainWindows(MainDisplayList(), *notice) +
         PostToMainWindows(AuxDisplayList(), *notice);
}

LResult EndDesktop() {
  ZOrderList* current = CurrentDisplayList();
  if (TopmostList().head || (current && current->head)) return 0;
  PostQuitMessage(__gui_hwnd_desktop);
  return 1;
}

}  // namespace

WindowHandle __gui_hwnd_desktop = reinterpret_cast<WindowHandle>(&g_desktop);

MainWinRecord* DesktopRecord() { return g_desktopInfo.load() ? &g_desktop : nullptr; }
ThreadMsgInfo* DesktopThreadInfo() { return g_desktopInfo.load(); }

bool BecomeDesktopThread() {
  ThreadMsgInfo* info = MakeDesktopQueue();
  if (!info) return false;
  FillDesktopRecord(info);
  g_desktopInfo = info;
  return true;
}

void LeaveDesktopThread() {
  ThreadMsgInfo* info = g_desktopInfo.exchange(nullptr);
  if (!info) return;
  g_desktop.queue = nullptr;
  FreeDesktopQueue(info);
}


extern "C" {

LResult DesktopWinProc(WindowHandle, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case kDesktopEnd:
      return EndDesktop();
    case kDesktopIdleBroadcast:
      return BroadcastMessage(MSG_BROADCAST_NOTICE, wParam, 0);
    case kDesktopTick:
      TimerTick(1);
      return 0;
    case kDesktopBroadcast:
      return Broadcast(reinterpret_cast<const Message*>(lParam));
    case kDesktopAddClass:
      return AddNewControlClass(reinterpret_cast<const WndClassInfo*>(lParam));
    case kDesktopDeleteClass:
      return DeleteControlClass(reinterpret_cast<const char*>(lParam));
    case kDesktopFindClass:
      return reinterpret_cast<LResult>(FindControlClass(reinterpret_cast<const char*>(lParam)));
    case kDesktopClassInfo:
      return ControlClassInfoOp(static_cast<int>(wParam), reinterpret_cast<WndClassInfo*>(lParam));
    default:
      return 0;
  }
}

void* DesktopMain(void* arg) {
  auto* start = static_cast<ThreadStart*>(arg);
  RecordThreadProcessId(kDesktopThread);
  if (!BecomeDesktopThread()) {
    start->Failed();
    return nullptr;
  }
  SendMessage(__gui_hwnd_desktop, kDesktopInit, 0, 0);
  PostMessage(__gui_hwnd_desktop, kDesktopBackground, 0, 0);
  start->Started();

  Message msg;
  while (GetMessage(&msg, __gui_hwnd_desktop)) {
    LResult result = DesktopWinProc(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    if (SyncMsgRecord* sync = msg.pAdd) {
      sync->result = result;
      sync->done.Post();
    }
  }
  LeaveDesktopThread();
  return nullptr;
}

int GetWindowDisplay(WindowHandle hwnd) {
  int current = getCurOutputHook();
  if (hwnd == 0 || hwnd == GUI_INVALID_HANDLE || hwnd == __gui_hwnd_desktop || !HasAuxOutput()) return current;
  MainWinRecord* main = MainWindowOf(hwnd);
  if (!main) return current;
  ZOrderList* currentList = CurrentDisplayList();
  if ((main->exStyle & kTopmostStyle) || (currentList && ListHolds(*currentList, HandleOf(main)))) return current;
  return current == getMainOutputHook() ? getAuxOutputHook() : getMainOutputHook();
}

}  // extern "C"
