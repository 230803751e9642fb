// Choosing a popup item for an owner that runs on a thread of its own: the
// owner reads the closing and the choice in queue order before it paints
// what the popup uncovered, and no present shows the uncovered area's erase
// before the owner has painted it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/driver/host_thread.h"
#include "core/menu/popup_bands.h"
#include "core/menu/tracking.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/desktop.h"
#include "gui/menu.h"
#include "gui/message.h"
#include "gui/window_attr.h"

namespace {

constexpr int kChosenId = 101;

struct Seen {
  std::mutex lock;
  MessageSequence order;        // messages the owner's thread dispatched, as it dispatched them
  int erasesWithoutHold = 0;    // erases done while presents could go
  std::atomic<bool> chosen{false};
};
Seen* g_seen = nullptr;

LResult OwnerProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_ERASEBKGND && host::HeldPresents() == 0) {
    std::lock_guard<std::mutex> hold(g_seen->lock);
    ++g_seen->erasesWithoutHold;
  }
  const bool kept = msg == MSG_MENUCLOSED || msg == MSG_DT_ENDTRACKMENU || msg == MSG_COMMAND ||
                    msg == MSG_MENUHIDDEN || msg == MSG_PAINT;
  if (kept) {
    std::lock_guard<std::mutex> hold(g_seen->lock);
    g_seen->order.push_back(msg);
  }
  if (msg == MSG_COMMAND && wParam == kChosenId) g_seen->chosen = true;
  if (DestroyAndQuitOnClose(hwnd, msg)) return 0;
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

class MenuChoice : public guitest::StartedGui {};

TEST_F(MenuChoice, TheOwnerReadsTheChoiceBeforeItPaintsAndNoHalfFrameShows) {
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    Seen seen;
    g_seen = &seen;
    std::atomic<WindowHandle> owner{0};
    std::thread ownerThread([&] {
      MainWinCreate create = MainWindowCreation({50, 40, 400, 360}, OwnerProc, "owner", WS_VISIBLE | WS_BORDER);
      create.iBkColor = guitest::Rgb(40, 40, 40);  // not the live video's key: the owner takes no video slot
      const WindowHandle hwnd = CreateMainWindow(&create);
      owner = hwnd;
      if (hwnd != GUI_INVALID_HANDLE) RunMainWindow(hwnd);
    });
    while (owner.load() == 0) std::this_thread::yield();
    ASSERT_NE(owner.load(), GUI_INVALID_HANDLE);

    MenuItemInfo head{};
    head.typeData = const_cast<char*>("Head");
    MenuHandle popup = CreatePopupMenu(&head);
    const char* names[] = {"Main menu", "Record"};
    for (int i = 0; i < 2; ++i) {
      MenuItemInfo item{};
      item.type = MFT_STRING;
      item.id = kChosenId + i;
      item.typeData = const_cast<char*>(names[i]);
      ASSERT_EQ(InsertMenuItem(popup, -1, TRUE, &item), 0);
    }
    ASSERT_EQ(TrackPopupMenu(popup, 0, 120, 90, owner.load()), 0);
    Point at{-1, -1};
    desktest::Request(MSG_DT_GETACTIVEMAIN);  // the desktop has laid the popup out
    const menu::TrackingRecord* t = menu::InnermostPopup();
    ASSERT_NE(t, nullptr);
    menu::WalkBands(t, [&](const menu::ItemRecord* r, int c, int y) {
      if (c != 1) return true;
      at = Point{t->frame.left + 12, y + r->measure / 2};
      return false;
    });
    // Whatever the owner's showing and the popup held back has gone out.
    for (int i = 0; i < 5000 && host::HeldPresents() != 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(host::HeldPresents(), 0);
    {
      std::lock_guard<std::mutex> hold(seen.lock);
      seen.order.clear();
      seen.erasesWithoutHold = 0;
    }
    desktest::Input(MSG_MOUSEMOVE, 0, desktest::PointParam(at.x, at.y));
    desktest::Input(MSG_LBUTTONDOWN, 0, desktest::PointParam(at.x, at.y));
    desktest::Input(MSG_LBUTTONUP, 0, desktest::PointParam(at.x, at.y));
    // Settled once the owner has painted after the posted notice.
    auto settled = [&] {
      std::lock_guard<std::mutex> hold(seen.lock);
      auto hidden = std::find(seen.order.begin(), seen.order.end(), MSG_MENUHIDDEN);
      return hidden != seen.order.end() && std::find(hidden, seen.order.end(), MSG_PAINT) != seen.order.end();
    };
    for (int i = 0; i < 5000 && !settled(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(settled());
    EXPECT_TRUE(seen.chosen.load());
    {
      std::lock_guard<std::mutex> hold(seen.lock);
      const MessageSequence first(seen.order.begin(), seen.order.begin() + std::min<size_t>(4, seen.order.size()));
      EXPECT_EQ(first, (MessageSequence{MSG_MENUCLOSED, MSG_DT_ENDTRACKMENU, MSG_COMMAND, MSG_MENUHIDDEN}));
      EXPECT_EQ(seen.erasesWithoutHold, 0);
    }
    SendNotifyMessage(owner.load(), MSG_CLOSE, 0, 0);
    ownerThread.join();
    DestroyMenu(popup);
    g_seen = nullptr;
  }
}

}  // namespace
