// Windows built by hand from their records, owned by the thread that makes
// them, with a window procedure that records what it receives.
#pragma once

#include <pthread.h>

#include <memory>
#include <mutex>
#include <vector>

#include "core/message/msg_queue.h"
#include "core/message/tests/message_log.h"
#include "core/window/window_record.h"
#include "gui/message.h"

using Seen = SeenMessage;

// Every recording procedure writes here; answers message + 1000.
class Recorder : public MessageLog<Recorder, Seen> {
 public:
  static LResult Proc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
    Instance().Add({hwnd, msg, wParam, lParam});
    return msg + 1000;
  }
  MessageSequence TakeMessages() {
    MessageSequence out;
    for (const Seen& s : Take()) out.push_back(s.message);
    return out;
  }
};

// The calling thread's queue record for the life of the object.
class ThreadQueue {
 public:
  ThreadQueue() : info_(AllocThreadMsgQueue()) {}
  ~ThreadQueue() { FreeThreadMsgQueue(info_); }
  ThreadMsgInfo* info() const { return info_; }
  MsgQueue* queue() const { return info_->queue; }

 private:
  ThreadMsgInfo* info_;
};

inline std::unique_ptr<MainWinRecord> MakeMainWindow(ThreadMsgInfo* info, WindowProc proc = Recorder::Proc) {
  auto win = std::make_unique<MainWinRecord>();
  win->windowType = kWindowMain;
  win->procedure = proc;
  win->mainWindow = win.get();
  win->queue = info->queue;
  win->thread = info->thread;
  win->threadInfo = info;
  if (!info->mainWindow) info->mainWindow = win.get();
  return win;
}

inline std::unique_ptr<ControlRecord> MakeControl(WindowRecord* parent, int id, WindowProc proc = Recorder::Proc) {
  auto ctl = std::make_unique<ControlRecord>();
  ctl->windowType = kWindowControl;
  ctl->procedure = proc;
  ctl->id = id;
  ctl->parent = parent;
  ctl->mainWindow = parent->mainWindow;
  ctl->nextSibling = static_cast<ControlRecord*>(parent->firstChild);
  parent->firstChild = ctl.get();
  return ctl;
}

inline WindowHandle H(const WindowRecord* win) { return HandleOf(win); }
inline WindowHandle H(const std::unique_ptr<MainWinRecord>& win) { return HandleOf(win.get()); }
inline WindowHandle H(const std::unique_ptr<ControlRecord>& win) { return HandleOf(win.get()); }

// Reads and dispatches everything waiting for the calling thread.
inline int DrainQueue(WindowHandle hwnd) {
  int count = 0;
  Message msg;
  while (PeekMessage(&msg, hwnd, 0, 0, TRUE)) {
    DispatchMessage(&msg);
    ++count;
  }
  return count;
}

// Marks a window destroyed the way window destruction does: messages thrown
// away, then the data type changed under the queue lock.
inline void DestroyByHand(WindowRecord* win) {
  ThrowAwayMessages(HandleOf(win));
  std::lock_guard<std::mutex> hold(win->mainWindow->queue->lock);
  win->dataType = kWindowDestroyed;
}
