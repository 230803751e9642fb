// The storage windows on screen, compared with reference pictures at zero
// tolerance (GUI_UPDATE_REFERENCES=1 writes them).
#include <cstdio>
#include <functional>
#include <string>

#include "app/testing/page_harness.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/record/storage/format_seam.h"
#include "app/record/storage/tests/storage_test_support.h"
#include "app/storage_pages.h"
#include "gui/message.h"

namespace {

using livetest::LiveGui;

void Shot(WindowHandle window, const std::string& name) {
  desktest::Drain();
  Rect r{};
  GetWindowRect(window, &r);
  livetest::MatchesReference(__FILE__, name.c_str(), livetest::SettledGrab(r));
}

DiskInfo Row(int bus, int port, uint32_t capacity, uint32_t type, uint32_t status) {
  DiskInfo d{};
  d.bus = static_cast<uint16_t>(bus);
  d.port = static_cast<uint16_t>(port);
  d.capacity = capacity;
  d.freeSpace = capacity / 3;
  d.type = type;
  d.status = status;
  d.group = 1;
  return d;
}

class StorageScreen : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    static DiskInfo rows[3] = {Row(0, 0, 2000000, 1, 0), Row(0, 1, 1000000, 7, 13), Row(9, 1, 500000, 4, 0)};
    rows[0].readOnly = 1;
    device_seam::overrideAnswer(getDiskList, 3, rows, sizeof rows);
    storagetest::GiveDisks({1, 2}, FORMAT_TYPE_DISKS);
  }
};

TEST_F(StorageScreen, StorageMenuWithTheDiskList) {
  RunInLoop(showDiskMenu, [] {
    desktest::Drain();
    Shot(getDiskMenuWnd(), "storage_disk_list");
    SendMessage(getDiskMenuWnd(), MSG_CLOSE, 0, 0);
  });
}

TEST_F(StorageScreen, ConfirmationOfEachKind) {
  for (int kind : {FORMAT_TYPE_DISKS, FORMAT_TYPE_USB, FORMAT_TYPE_EXPAND}) {
    setFormatType(kind);
    RunInLoop(showFormatDialog, [kind] {
      const WindowHandle dlg = GetActiveWindow();
      Shot(dlg, "format_kind" + std::to_string(kind));
      SendMessage(dlg, MSG_CLOSE, 0, 0);
    });
  }
}

TEST_F(StorageScreen, ProgressRunningAndFinished) {
  setFormatType(FORMAT_TYPE_EXPAND);
  storage_seam::holdFormatWorker(true);
  WindowHandle dlg = GUI_INVALID_HANDLE;
  bool running = false, finished = false;
  std::function<void()> step = [&] {
    if (dlg == GUI_INVALID_HANDLE) dlg = GetActiveWindow();
    if (!running) {
      if (!storage_seam::formatWorkerHeld()) return (void)PostMessage(GetHosting(dlg), livetest::kRunSteps, 0, 0);
      Shot(dlg, "formating_running");
      running = true;
      storage_seam::holdFormatWorker(false);
    }
    if (!finished && IsWindowVisible(GetDlgItem(dlg, 2))) {
      Shot(dlg, "formating_finished");
      finished = true;
    }
    if (finished) SendMessage(dlg, MSG_CLOSE, 0, 0);
    if (IsWindow(dlg)) PostMessage(GetHosting(dlg), livetest::kRunSteps, 0, 0);
  };
  RunInLoop(showFormatingDialog, step);
  EXPECT_TRUE(running);
  EXPECT_TRUE(finished);
}

TEST_F(StorageScreen, BothDiskDialogs) {
  uint8_t groupMode[4] = {1, 0, 0, 0};
  device_seam::overrideAnswer(getStorageMode, 0, groupMode, sizeof groupMode);
  RunInLoop([](WindowHandle owner) { return showLocalHdSetDialog(owner, 0); }, [] {
    const WindowHandle dlg = GetActiveWindow();
    Shot(dlg, "disk_localhdset");
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  });
  ASSERT_TRUE(storagetest::KeepNas20());
  RunInLoop([](WindowHandle owner) { return showNetHdSetDialog(owner, 2); }, [] {
    const WindowHandle dlg = GetActiveWindow();
    Shot(dlg, "disk_nethdset");
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  });
  RunInLoop([](WindowHandle owner) { return showNetHdAddDialog(owner, -1); }, [] {
    const WindowHandle dlg = GetActiveWindow();
    Shot(dlg, "disk_nethdadd");
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  });
}

}  // namespace
