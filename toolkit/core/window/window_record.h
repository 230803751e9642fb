// Window records. A window handle is the address of its record; the record's
// data type word tells a live window from a destroyed one. Main windows and
// controls share the head; each adds its own tail.
#pragma once

#include <pthread.h>

#include <atomic>
#include <cstdint>
#include <mutex>

#include "gui/common.h"
#include "gui/message.h"
#include "gui/region.h"
#include "gui/window.h"

struct ZOrderNode;
struct ControlClass;
struct LogFont;
struct MainWinRecord;

enum WindowDataType : uint16_t {
  kWindowValid = 1,
  kWindowDestroyed = 241,
};

enum WindowKind : uint16_t {
  kWindowMain = 17,
  kWindowControl = 18,
  kWindowDesktop = 19,
};

// Node pools of the desktop's regions: one for the visible regions of the
// windows and the desktop, one for the windows' invalid regions. They live
// as long as the process, so a record outliving a shut-down keeps valid
// nodes.
BlockDataHeap* WindowClipHeap();
BlockDataHeap* InvalidRegionHeap();

// Damage waiting to be painted, in client coordinates.
struct InvalidRegion {
  std::mutex lock;
  ClipRgn region{};
  int paintCount = 0;
  bool frameAndErase = false;  // owed by another thread's damage, done at the next BeginPaint
  // Set under the lock whenever damage is added, cleared under it only by a
  // paint search that found the region empty: false means nothing to paint,
  // so the search passes the window without its lock.
  std::atomic<bool> mayHoldDamage{false};
  InvalidRegion() { InitClipRgn(&region, InvalidRegionHeap()); }
  ~InvalidRegion() { EmptyClipRgn(&region); }
  InvalidRegion(const InvalidRegion&) = delete;
  InvalidRegion& operator=(const InvalidRegion&) = delete;
};

// The part of the screen a main window (or a control with a node of its
// own) may draw on, kept by the desktop. Every change raises the age so
// that device contexts rebuild their clipping.
struct GlobalClipInfo {
  std::mutex lock;
  ClipRgn region{};
  std::atomic<uint32_t> age{0};
  GlobalClipInfo() { InitClipRgn(&region, WindowClipHeap()); }
  ~GlobalClipInfo() { EmptyClipRgn(&region); }
  GlobalClipInfo(const GlobalClipInfo&) = delete;
  GlobalClipInfo& operator=(const GlobalClipInfo&) = delete;
};

// Each word atomic: the desktop thread draws a main window's bars when it
// uncovers them while the window's own thread may be scrolling.
struct ScrollBarInfo {
  std::atomic<int32_t> minPos{0}, maxPos{0}, curPos{0}, pageStep{0};
  std::atomic<int32_t> thumbStart{0}, thumbLength{0};
  std::atomic<uint8_t> status{0};
  void Reset(int32_t min, int32_t max, int32_t thumb, uint8_t state) {
    minPos = min, maxPos = max, curPos = 0, pageStep = 0, thumbStart = 0, thumbLength = thumb, status = state;
  }
};

typedef void (*NotificationCallback)(WindowHandle control, int id, int code, LParam addData);

// Who guards what, as zorder.h says:
// - the rectangles, the parent and child links (and a main window's hosted
//   chain and hosting pointer): the stack lock; readers on other threads
//   take it shared (GeometryOf, StackReadLock) or copy under it;
// - the style words: atomic, since the desktop thread and the window's own
//   thread both change bits of them (visible, disabled, modal host) and any
//   thread reads them (activation, hit tests, clipping, painting); single
//   bits change through SetStyleBits, so that no writer loses another's bit;
// - the data type: atomic;
// - the procedure, additional data, background, cursor and menu bar:
//   atomic, since the desktop thread calls a main window's procedure to
//   draw its frame and erase it (a procedure finds its state in the
//   additional data), reads its cursor and draws its bar while its own
//   thread may change them;
// - a main window's caption: replaced under the stack lock (its frame is
//   drawn by the desktop thread too), read there under GeometryReadLock;
// - the scroll bars: each word atomic, as ScrollBarInfo says;
// - the focus, pointer and primitive children and the other words: the
//   thread that runs the window (a main window's SetWindowText reaches it
//   by message).
struct WindowRecord {
  std::atomic<uint16_t> dataType{kWindowValid};  // read by any thread that holds a handle
  uint16_t windowType = kWindowMain;
  Rect window{};
  Rect client{};
  std::atomic<uint32_t> style{0};
  std::atomic<uint32_t> exStyle{0};
  std::atomic<GalPixel> background{0};
  std::atomic<uintptr_t> menu{0};
  uintptr_t accelerators = 0;
  std::atomic<uintptr_t> cursor{0};
  uintptr_t icon = 0;
  uintptr_t systemMenu = 0;
  LogFont* font = nullptr;
  HDC privateDC = 0;
  InvalidRegion invalid;
  GlobalClipInfo* clipInfo = nullptr;
  ZOrderNode* zorderNode = nullptr;
  void* caret = nullptr;
  std::atomic<LParam> additionalData{0};
  std::atomic<LParam> additionalData2{0};
  std::atomic<WindowProc> procedure{nullptr};
  char* caption = nullptr;
  int id = 0;
  ScrollBarInfo vscroll;
  ScrollBarInfo hscroll;
  MainWinRecord* mainWindow = nullptr;
  WindowRecord* parent = nullptr;
  WindowRecord* firstChild = nullptr;
  WindowRecord* activeChild = nullptr;
  WindowRecord* childUnderPointer = nullptr;
  WindowRecord* primitiveChild = nullptr;
  NotificationCallback notification = nullptr;
  void* attributes = nullptr;
  const struct Bitmap* skins[3][2] = {};  // foreground, background of slots 1..3
};

struct ControlRecord : WindowRecord {
  ControlRecord* nextSibling = nullptr;
  ControlRecord* prevSibling = nullptr;
  ControlClass* controlClass = nullptr;
};

struct MainWinRecord : WindowRecord {
  MainWinRecord* hosting = nullptr;
  MainWinRecord* firstHosted = nullptr;
  MainWinRecord* nextHosted = nullptr;
  MsgQueue* queue = nullptr;
  pthread_t thread{};
  GlobalClipInfo ownClip;
  ThreadMsgInfo* threadInfo = nullptr;  // null when the queue is borrowed
  int repaintWord = 0;
  int reservedWord = 0;
  std::atomic<int> refreshMark{0};  // set by the display layer, consumed by the refresh list
  int previewSlot = -1;
};

// Sets or clears bits of a style word in one atomic step.
inline void SetStyleBits(std::atomic<uint32_t>& word, uint32_t bits, bool set) {
  if (set)
    word.fetch_or(bits);
  else
    word.fetch_and(~bits);
}

inline WindowRecord* WindowOf(WindowHandle hwnd) { return reinterpret_cast<WindowRecord*>(hwnd); }
inline WindowHandle HandleOf(const WindowRecord* win) { return reinterpret_cast<WindowHandle>(win); }

// The record of a live window (the desktop included), or null.
WindowRecord* ValidWindow(WindowHandle hwnd);
// The main window whose queue a window's messages go to, or null.
MainWinRecord* MainWindowOf(WindowHandle hwnd);
inline bool IsControlRecord(const WindowRecord* win) { return win->windowType == kWindowControl; }
inline bool IsMainRecord(const WindowRecord* win) { return win->windowType == kWindowMain; }
inline bool IsVisibleRecord(const WindowRecord* win) { return (win->style & WS_VISIBLE) != 0; }
// The record of a valid main window (not the desktop), or null.
MainWinRecord* ValidMainWindow(WindowHandle hwnd);
// The record of a valid control, or null.
ControlRecord* ValidControl(WindowHandle hwnd);
// Whether the painting code holds damage for the window.
bool HasInvalidArea(WindowRecord* win);
// Whether w is target itself or lies below it (a control of it, at any depth).
bool WindowBelongsTo(WindowHandle w, WindowHandle target);
