// A page switch as the user sees it: every item of every sub-menu's column
// clicked through the host's input while every picture the host window
// shows is kept. Beside the menu, each picture shows the old page or the
// new one whole, never what lies between (the bare menu, half a page, the
// menu's caption over the page).
#include <algorithm>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "app/core/liveview/tests/host_input.h"
#include "app/core/menus/submenu.h"
#include "app/device_backend.h"
#include "app/menus.h"
#include "app/testing/page_harness.h"
#include "core/driver/host_thread.h"
#include "gui/host.h"

namespace {

using livetest::LiveGui;
using menus::SubMenu;

// The pictures shown since the last Take, each the whole window.
class Shown {
 public:
  Shown() {
    host::ObservePresents([this](int slot, const std::vector<uint32_t>& image, int width, int) {
      if (slot != host::kMainSlot) return;
      std::lock_guard<std::mutex> guard(lock_);
      width_ = width;
      pictures_.push_back(image);
    });
  }
  ~Shown() { host::ObservePresents(nullptr); }
  Shown(const Shown&) = delete;
  Shown& operator=(const Shown&) = delete;

  // What the window shows now: every pixel presented afresh.
  std::vector<uint32_t> Now() {
    host::RepaintAll();
    HostFlush();
    std::lock_guard<std::mutex> guard(lock_);
    return pictures_.empty() ? std::vector<uint32_t>{} : pictures_.back();
  }
  // The pictures the host showed by itself since the last Take, once it
  // has shown all that was drawn.
  std::vector<std::vector<uint32_t>> Take() {
    livetest::PumpUntil([] { return !host::PresentPending(); });
    std::lock_guard<std::mutex> guard(lock_);
    return std::move(pictures_);
  }
  int Width() {
    std::lock_guard<std::mutex> guard(lock_);
    return width_;
  }

 private:
  std::mutex lock_;
  int width_ = 0;
  std::vector<std::vector<uint32_t>> pictures_;
};

// Whether two pictures agree inside `r` (screen coordinates).
bool SameIn(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int width, const Rect& r) {
  if (a.size() != b.size() || width <= 0) return false;
  const int height = static_cast<int>(a.size() / static_cast<size_t>(width));
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y)
    for (int x = std::max(r.left, 0); x < std::min(r.right, width); ++x) {
      const size_t at = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
      if (a[at] != b[at]) return false;
    }
  return true;
}

Rect Union(const Rect& a, const Rect& b) {
  return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

bool Valid(WindowHandle hwnd) { return IsValidHandle(hwnd) && IsWindow(hwnd); }

WindowHandle (*MenuGetter(SubMenu which))() {
  switch (which) {
    case SubMenu::kExport: return getExportMenuWnd;
    case SubMenu::kManual: return getManualMenuWnd;
    case SubMenu::kRecord: return getRecordMenuWnd;
    case SubMenu::kSystem: return getSystemMenuWnd;
    case SubMenu::kMaintenance: return getMaintenanceMenuWnd;
    case SubMenu::kStorage: return getDiskMenuWnd;
    default: return getCameraMenuWnd;
  }
}

// Each sub-menu on its own: a walk of all of them outlasts a loaded run's
// time limit.
class SubMenuSwitch : public LiveGui, public ::testing::WithParamInterface<SubMenu> {
 protected:
  // A hold lets presents go after a time limit so that a hung painter
  // cannot freeze the screen; here the pictures are looked at, not the
  // time, so a slow run may take its time.
  static constexpr int kPatientHoldMs = 60000;
  void SetUp() override {
    LiveGui::SetUp();
    host::SetMaxPresentHoldMs(kPatientHoldMs);
    // Pages that show the device clock keep one picture.
    const DeviceTime clock{2026, 3, 14, 9, 26, 53, 8, 0};
    device_seam::overrideAnswer(getDeviceTime, 1, &clock, sizeof clock);
  }
  void TearDown() override {
    host::SetMaxPresentHoldMs(0);
    LiveGui::TearDown();
  }
  inputtest::SingleClicks singleClicks_;
};

// The first picture of `pictures` that shows neither `before` nor `after`
// inside `r`, described; empty when there is none.
std::string FirstStrayPicture(const std::vector<std::vector<uint32_t>>& pictures, const std::vector<uint32_t>& before,
                              const std::vector<uint32_t>& after, int width, const Rect& r) {
  for (size_t i = 0; i < pictures.size(); ++i)
    if (!SameIn(pictures[i], before, width, r) && !SameIn(pictures[i], after, width, r)) {
      std::ostringstream out;
      out << "picture " << i + 1 << " of " << pictures.size() << " shows neither page";
      return out.str();
    }
  return "";
}

// Where the menu's caption lies over its page (screen coordinates).
Rect CaptionOverPage(WindowHandle dlg, WindowHandle page) {
  Rect menu{}, pageRect{}, band{};
  GetWindowRect(dlg, &menu);
  GetWindowRect(page, &pageRect);
  int left = 0, clientTop = 0;
  ClientToScreen(dlg, &left, &clientTop);
  const Rect caption{menu.left, menu.top, menu.right, clientTop};
  return IntersectRect(&band, &caption, &pageRect) ? band : Rect{};
}

bool LiesAbove(WindowHandle upper, WindowHandle lower) {
  for (WindowHandle h = GetNextMainWindow(0); h; h = GetNextMainWindow(h)) {
    if (h == upper) return true;
    if (h == lower) return false;
  }
  return false;
}

// Each item clicked in turn: beside the column, every picture the host
// shows from the release on is the old page or the new one whole, and the
// last it shows by itself is the new page. The item then clicked again leaves the page in
// front of its menu, the menu's caption never over the page's top.
TEST_P(SubMenuSwitch, EveryItemShowsItsPageWholeWithNothingBetween) {
  Shown shown;
  const SubMenu which = GetParam();
  const menus::SubMenuFamily& family = menus::subMenuFamily(which);
  RunInLoop([&](WindowHandle owner) { return menus::runSubMenu(family, owner); }, [&] {
    const WindowHandle dlg = MenuGetter(which)();
    ASSERT_TRUE(Valid(dlg)) << family.section;
    for (int i = 0; i < family.count; ++i) {
      const int id = family.firstId + i;
      const WindowHandle item = GetDlgItem(dlg, id);
      if (!family.items[i].opens || !Valid(item) || !IsWindowEnabled(item)) continue;
      SCOPED_TRACE(std::string(family.section) + " " + family.items[i].key);
      ASSERT_TRUE(livetest::PumpUntil([&] { return Valid(family.getPageWnd()); }));
      const WindowHandle old = family.getPageWnd();
      Rect oldRect{}, newRect{};
      GetWindowRect(old, &oldRect);
      // The switch starts at the release: the old page as the press left
      // it is what the pictures begin from.
      std::vector<uint32_t> before;
      livetest::ClickItem(dlg, id, [&] {
        if (GetCapture() != item) return false;
        before = shown.Now();
        shown.Take();
        return true;
      });
      ASSERT_TRUE(livetest::PumpUntil([&] { return Valid(family.getPageWnd()) && family.getPageWnd() != old; }));
      desktest::AwaitInputHandled();
      desktest::Drain();
      const WindowHandle page = family.getPageWnd();
      GetWindowRect(page, &newRect);
      const std::vector<std::vector<uint32_t>> during = shown.Take();
      const std::vector<uint32_t> after = shown.Now();
      const Rect beside = Union(oldRect, newRect);
      EXPECT_EQ(FirstStrayPicture(during, before, after, shown.Width(), beside), "");
      ASSERT_FALSE(during.empty());
      EXPECT_TRUE(SameIn(during.back(), after, shown.Width(), beside)) << "the host's last picture lacks the page";

      const Rect band = CaptionOverPage(dlg, page);
      livetest::ClickItem(dlg, id, [] { return true; });
      desktest::AwaitInputHandled();
      desktest::Drain();
      const std::vector<std::vector<uint32_t>> again = shown.Take();
      EXPECT_EQ(FirstStrayPicture(again, after, after, shown.Width(), band), "") << "chosen again";
      EXPECT_TRUE(SameIn(shown.Now(), after, shown.Width(), band)) << "chosen again";
      EXPECT_TRUE(LiesAbove(page, dlg)) << "chosen again";
    }
    SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
  });
}

INSTANTIATE_TEST_SUITE_P(EachSubMenu, SubMenuSwitch,
                         ::testing::Values(SubMenu::kExport, SubMenu::kManual, SubMenu::kRecord, SubMenu::kSystem,
                                           SubMenu::kMaintenance, SubMenu::kStorage, SubMenu::kCamera),
                         [](const ::testing::TestParamInfo<SubMenu>& info) {
                           return std::string(menus::subMenuFamily(info.param).section);
                         });

}  // namespace
