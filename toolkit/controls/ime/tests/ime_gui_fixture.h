// A started toolkit with the input-method window on its own thread and a
// plain receiver window on the test thread that logs what it gets.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "controls/ime/ime_search.h"
#include "core/desktop/tests/desktop_fixture.h"
#include "core/window/tests/main_window_creation.h"
#include "core/window/window_record.h"
#include "gui/desktop.h"
#include "gui/ime.h"
#include "gui/message.h"
#include "gui/startup.h"

namespace imetest {

class ReceiverLog : public MessageLog<ReceiverLog, SeenMessage> {};

inline LResult ReceiverProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_KEYDOWN || msg == MSG_CHAR || msg == MSG_KEYUP || msg == MSG_EDITSKBMODE)
    ReceiverLog::Instance().Add({hwnd, msg, wParam, lParam});
  return DefaultWindowProc(hwnd, msg, wParam, lParam);
}

class ImeOnGui : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAppCallbacks(nullptr);
    ASSERT_EQ(InitGUI(0, nullptr), 0);
    MainWinCreate create = MainWindowCreation({10, 10, 300, 200}, ReceiverProc, "receiver");
    receiver_ = CreateMainWindow(&create);
    ASSERT_NE(receiver_, GUI_INVALID_HANDLE);
    ReceiverLog::Instance().Take();
  }

  void TearDown() override {
    CloseIme();
    DestroyMainWindow(receiver_);
    MainWindowThreadCleanup(receiver_);
    TerminateGUI(0);
  }

  void OpenIme() {
    ime_ = GBIMEWindow(0);
    ASSERT_NE(ime_, 0u);
    ASSERT_NE(ime_, GUI_INVALID_HANDLE);
    // Ready once the desktop's close sent at registration has cleared the
    // shown flag that loading the tables set.
    for (int i = 0; i < 500 && SendMessage(ime_, MSG_DT_IMEQUERY, 5, 0) != 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }

  void CloseIme() {
    if (!ime_ || ime_ == GUI_INVALID_HANDLE) return;
    PostMessage(ime_, MSG_CLOSE, 0, 0);
    WaitMainWindowClose(ime_, nullptr);
    ime_ = 0;
  }

  // What the receiver got, waiting until `count` messages came (or 5 s).
  std::vector<SeenMessage> Received(size_t count) {
    std::vector<SeenMessage> got;
    for (int i = 0; i < 500 && got.size() < count; ++i) {
      desktest::Drain();
      for (const SeenMessage& m : ReceiverLog::Instance().Take()) got.push_back(m);
      if (got.size() < count) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return got;
  }

  // Returns once the window has painted everything invalid and read what
  // was queued for it: it answers a sent message only between dispatches.
  // The desktop goes first: a show it has not yet routed exposes the window
  // only afterwards.
  void AwaitPainted() {
    for (int round = 0; round < 100; ++round) {
      for (int i = 0; i < 1000 && HavePendingMessage(__gui_hwnd_desktop); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      SendMessage(__gui_hwnd_desktop, MSG_DT_GETACTIVEMAIN, 0, 0);
      for (int i = 0; i < 500 && HasInvalidArea(WindowOf(ime_)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      SendMessage(ime_, MSG_DT_IMEQUERY, 1, 0);
      if (!HasInvalidArea(WindowOf(ime_)) && !HavePendingMessage(ime_)) return;
    }
  }

  WindowHandle receiver_ = 0;
  WindowHandle ime_ = 0;
};

// The candidate page the generated pinyin table gives for the letters, and
// the table's selection keys; false when the table does not load.
inline bool PageOf(const char* letters, ime::CandidatePage* page, std::string* selectKeys = nullptr) {
  auto table = ime::LoadTable("../guiRes/rirurRes/ime/pinyin.tab");
  if (!table) return false;
  uint8_t keys[ime::kMaxKeys];
  int n = 0;
  for (const char* p = letters; *p; ++p) keys[n++] = static_cast<uint8_t>(*p - 'a' + 1);
  for (int i = 1; i <= n; ++i) ime::SearchAndFill(*table, keys, i, page);
  if (selectKeys) selectKeys->assign(table->header.selectKeys, ime::kSelectKeyBytes);
  return true;
}

// GB2312 first candidate of the pinyin keys, as the generated table gives it.
inline uint16_t FirstCandidate(const char* letters) {
  ime::CandidatePage page;
  if (!PageOf(letters, &page)) return 0;
  return static_cast<uint16_t>(static_cast<uint8_t>(page.slots[0][0]) | static_cast<uint8_t>(page.slots[0][1]) << 8);
}

}  // namespace imetest
