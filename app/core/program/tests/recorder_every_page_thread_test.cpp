// Every page of the page registry as a user with a mouse alone reaches and
// uses it on the running recorder: through the main menu and its sub-menus,
// each tab shown by a click on its header, each visible, enabled control
// clicked at its centre (press and release with no pause), and its reaction
// as its class reacts read back. Nothing is sent to a page or a control: the
// clicks go in through the host window, and state is only read.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <linux/input-event-codes.h>

#include "app/app_registry.h"
#include "app/core/menus/menu_rules.h"
#include "app/core/menus/submenu.h"
#include "app/core/program/program_seam.h"
#include "app/core/program/tests/recorder_driver.h"
#include "app/core/program/tests/tab_point.h"
#include "app/device_test_seam.h"
#include "app/page_frame.h"
#include "app/page_keys.h"
#include "app/page_registry.h"
#include "controls/skb/skb_keys.h"
#include "controls/sledit/entry_common.h"
#include "core/desktop/tests/desktop_fixture.h"
#include "core/input/tests/key_tap.h"
#include "core/message/notify_seam.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/cursor.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/listbox.h"
#include "gui/listview.h"
#include "gui/propsheet.h"

namespace {

using programtest::Driver;
using programtest::Open;
using programtest::RunWithScript;

constexpr char kPassword[] = "73916";
// Buttons of a page's own that close it and its menu as Exit does: the
// network detection page's three tabs each have one.
struct Closer {
  const char* page;
  int id;
};
constexpr Closer kClosers[] = {{"maintenance/netda", 20998}, {"maintenance/netda", 21017}, {"maintenance/netda", 21106}};

// ---------------------------------------------------------------------------
// What the controls told their parents, heard on the GUI's threads.
struct Heard {
  WindowHandle control;
  int code;
};
std::mutex g_heardLock;
std::vector<Heard> g_heard;

void Hear(WindowHandle control, int, int code) {
  std::lock_guard<std::mutex> hold(g_heardLock);
  g_heard.push_back({control, code});
}
size_t HeardCount() {
  std::lock_guard<std::mutex> hold(g_heardLock);
  return g_heard.size();
}
// Whether `control` notified `code` (any code for -1) since `mark`.
bool HeardSince(size_t mark, WindowHandle control, int code) {
  std::lock_guard<std::mutex> hold(g_heardLock);
  for (size_t i = mark; i < g_heard.size(); ++i)
    if (g_heard[i].control == control && (code < 0 || g_heard[i].code == code)) return true;
  return false;
}

// Waits for `ready` up to `ms` milliseconds, polling without settling.
bool Until(const std::function<bool()>& ready, int ms = 3000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!ready()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// ---------------------------------------------------------------------------
// The walk's record: where it is, and every step that failed.
struct Where {
  std::string page;  // registry menu and item
  int tab = -1;
  int id = 0;
  std::string what;  // the control's class
};
std::string Name(const Where& w) {
  char text[200];
  std::snprintf(text, sizeof text, "page %s, tab %d, control %d (%s)", w.page.c_str(), w.tab, w.id, w.what.c_str());
  return text;
}
std::vector<std::string> g_failures;
int g_clicked = 0;

std::string Scene() {
  std::string text = "active";
  for (WindowHandle w = GetActiveWindow(); IsValidHandle(w) && w != 0; w = GetHosting(w)) {
    char part[120];
    std::snprintf(part, sizeof part, " <%s \"%s\"%s>", GetClassName(w) ? GetClassName(w) : "?",
                  GetWindowCaption(w) ? GetWindowCaption(w) : "", Open(w) ? "" : " hidden");
    text += part;
  }
  return text;
}

void Fail(const Where& w, const std::string& why) {
  const std::string line = Name(w) + ": " + why + " [" + Scene() + "]";
  std::fprintf(stderr, "EveryPage: %s\n", line.c_str());
  g_failures.push_back(line);
}

// ---------------------------------------------------------------------------
// Clicks and what a click left open.
bool NoCapture() {
  const WindowHandle c = GetCapture();
  return c == 0 || c == GUI_INVALID_HANDLE;
}

// The page's thread has handled what earlier clicks caused (a choice that
// lays the page out anew, a window opened), so a control is found where it
// now stands and what a click opened is up.
void Settle(WindowHandle home) { Driver::AwaitHandled(home, std::chrono::steady_clock::now() + std::chrono::seconds(3)); }

// A click at a point of the screen. The last click's release is read
// before the hand moves on, as a hand is slower than any page: a control
// still holding the capture for it would take this move and press.
void Press(int x, int y) {
  Until(NoCapture);
  HostInjectMouseMove(x, y);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
}

void Centre(WindowHandle w, int* x, int* y) {
  Rect r{};
  GetClientRect(w, &r);
  *x = (r.left + r.right) / 2;
  *y = (r.top + r.bottom) / 2;
  ClientToScreen(w, x, y);
}


// The main windows shown now.
std::vector<WindowHandle> Shown() {
  std::vector<WindowHandle> shown;
  for (WindowHandle w = GetNextMainWindow(0); IsValidHandle(w) && w != 0; w = GetNextMainWindow(w))
    if (Open(w)) shown.push_back(w);
  return shown;
}
std::vector<WindowHandle> g_shownBefore;

// A window shown since the page was walked into that is still open: a
// dialog, a box or a soft keyboard a click opened.
bool Opened(WindowHandle home) {
  const WindowHandle active = GetActiveWindow();
  if (active != home && Open(active)) return true;
  for (WindowHandle w : Shown())
    if (w != home && std::find(g_shownBefore.begin(), g_shownBefore.end(), w) == g_shownBefore.end()) return true;
  return false;
}

// The soft keyboard an edit's click opened ends the typing by a click on
// its own Enter key (Escape on the real keyboard is the page's: it closes
// it). The board shown is not known from outside: the character board's
// Enter is tried first, then the number board's.
bool CloseKeyboard() {
  const WindowHandle skb = entry::LiveSoftKeyboard();
  if (!Open(skb)) return true;
  for (skb::Board board : {skb::kCharBoard, skb::kNumBoard}) {
    const skb::KeyTable table = skb::TableOf(board, false);
    for (int k = 0; k < table.count; ++k) {
      if (skb::ScanCode(board, k) != KEY_ENTER) continue;
      const Rect r = skb::KeyRect(table, k);
      int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
      ClientToScreen(skb, &x, &y);
      Press(x, y);
      if (Until([&] { return !Open(skb); }, 1000)) return true;
    }
  }
  return !Open(skb);
}

// Closes every window a click opened over `home`, the way a user leaves
// each: the soft keyboard by its Enter key, the rest with Escape, the
// newest first, or by its Cancel when Escape does not close it (named in
// `stuck`); false when one stays.
bool CloseOver(Driver& d, WindowHandle home, std::string* stuck = nullptr) {
  int escapes = 0;
  for (int tries = 0; tries < 6; ++tries) {
    if (!Open(home)) return true;  // the page itself went: the caller tells
    if (!Opened(home)) return true;
    if (Open(entry::LiveSoftKeyboard())) {
      CloseKeyboard();
      continue;
    }
    const std::vector<WindowHandle> shown = Shown();
    const WindowHandle active = GetActiveWindow();
    d.Key(KEY_ESC);
    if (Until([&] { return GetActiveWindow() != active || Shown() != shown; }, 2000)) continue;
    // The first Escape may only end the typing in a field.
    const WindowHandle cancel = GetDlgItem(active, IDCANCEL);
    if (++escapes < 2 || active == home || !Open(cancel)) continue;
    if (stuck) *stuck += std::string(" \"") + (GetWindowCaption(active) ? GetWindowCaption(active) : "") + "\"";
    d.ClickItem(active, IDCANCEL);
    Until([&] { return GetActiveWindow() != active; }, 2000);
  }
  return !Opened(home);
}

// ---------------------------------------------------------------------------
// Per class: the reaction a click must bring, checked in one place.

bool IsButtonCheck(uint32_t type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
         type == BS_AUTO3STATESWITCH || type == BS_ONOFF;
}
bool IsRadio(uint32_t type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool IsEditClass(const std::string& cls) {
  return cls == "sledit" || cls == "edit" || cls == "ipedit" || cls == "textedit" || cls == "medit";
}
// Class names are kept in capitals.
std::string ClassOf(WindowHandle c) {
  std::string cls = GetClassName(c) ? GetClassName(c) : "";
  for (char& ch : cls) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return cls;
}
LResult Checked(WindowHandle b) { return SendMessage(b, BM_GETCHECK, 0, 0) & (BST_CHECKED | BST_INDETERMINATE); }

// Whether the focus of `parent`'s chain reaches `control` or a child of it.
bool Focused(WindowHandle control) {
  const WindowHandle parent = GetParent(control);
  WindowHandle f = GetFocusChild(parent);
  for (int depth = 0; depth < 4 && IsValidHandle(f); ++depth) {
    if (f == control) return true;
    f = GetParent(f);
  }
  return false;
}

class Walker {
 public:
  explicit Walker(Driver& d) : d_(d) {}

  // One control clicked at its centre and its reaction checked; the window
  // that holds the page is `home`, which the click must leave open.
  void ClickControl(WindowHandle home, WindowHandle c, Where w) {
    const std::string cls = ClassOf(c);
    w.id = GetDlgCtrlID(c);
    w.what = cls;
    ++g_clicked;
    if (!CloseOver(d_, home)) Fail(w, "what an earlier click opened does not close");
    Settle(home);
    int x = 0, y = 0;
    Centre(c, &x, &y);
    const size_t mark = HeardCount();
    bool reacted = true;
    std::string expected;
    if (cls == "button") {
      const uint32_t type = GetWindowStyle(c) & BS_TYPEMASK;
      if (IsButtonCheck(type)) {
        const LResult before = Checked(c);
        Press(x, y);
        expected = "toggles";
        reacted = Until([&] { return Open(home) && Checked(c) != before; });
      } else if (IsRadio(type)) {
        Press(x, y);
        expected = "is chosen";
        reacted = Until([&] { return Open(home) && Checked(c) == BST_CHECKED; });
      } else {
        Press(x, y);
        expected = "notifies";
        reacted = Until([&] { return HeardSince(mark, c, BN_CLICKED) || !Open(home); });
        // What the button opens is up once its page has handled it.
        if (reacted) Settle(home);
      }
    } else if (cls == "combobox") {
      reacted = ClickCombo(home, c, x, y, &expected);
    } else if (IsEditClass(cls)) {
      Press(x, y);
      expected = "takes the focus";
      reacted = Until([&] { return Open(home) && Focused(c); });
      // The soft keyboard it opens comes from a thread of its own.
      if (reacted) Until([] { return Open(entry::LiveSoftKeyboard()); }, 200);
    } else if (cls == "listview") {
      reacted = ClickList(home, c, w, &expected);
    } else {
      // No reaction of its own to look for: it is clicked all the same, and
      // the capture and the page must come through.
      Press(x, y);
      Until([&] { return HeardSince(mark, c, -1); }, 300);
    }
    if (!reacted) Fail(w, "no reaction to a click (expected: " + expected + ")");
    if (!Until(NoCapture)) Fail(w, "a window keeps the capture after the click");
    std::string stuck;
    if (Open(home) && !CloseOver(d_, home, &stuck)) Fail(w, "what the click opened does not close");
    if (!stuck.empty()) Fail(w, "Escape does not close" + stuck + " (its Cancel does)");
    if (!Open(home) && !Leaves(w.page, w.id)) Fail(w, "the click, or Escape on what it opened, left the page");
  }

  // A drop-down list opens and a click on another row chooses it; a spin
  // box takes the focus; a date or time box opens its helper.
  bool ClickCombo(WindowHandle home, WindowHandle c, int x, int y, std::string* expected) {
    const uint32_t kind = GetWindowStyle(c) & CBS_TYPEMASK;
    WindowHandle edit = 0, list = 0;
    SendMessage(c, CB_GETCHILDREN, reinterpret_cast<WParam>(&edit), reinterpret_cast<LParam>(&list));
    const size_t mark = HeardCount();
    Press(x, y);
    if (kind == CBS_DATE || kind == CBS_TIME) {
      const int helper = kind == CBS_DATE ? CB_CALENDAR_ID : CB_SPINTIME_ID;
      *expected = kind == CBS_DATE ? "opens its calendar" : "opens its time spinner";
      if (!Until([&] { return Open(home) && Open(GetDlgItem(c, helper)); })) return false;
      // Escape closes the open helper and leaves the page as it is.
      d_.Key(KEY_ESC);
      *expected = kind == CBS_DATE ? "closes its calendar on Escape" : "closes its time spinner on Escape";
      // A control is asked about only while its page stands: a gone
      // page's controls are freed.
      return Until([&] { return !Open(home) || !Open(GetDlgItem(c, helper)); }) && Open(home);
    }
    if (kind != CBS_DROPDOWNLIST) {
      *expected = "notifies";
      return Until([&] { return HeardSince(mark, c, CBN_CLICKED); });
    }
    *expected = "opens its list";
    if (!Until([&] { return Open(home) && Open(list); })) return false;
    const int count = static_cast<int>(SendMessage(c, CB_GETCOUNT, 0, 0));
    const int before = static_cast<int>(SendMessage(c, CB_GETCURSEL, 0, 0));
    if (count < 2) {
      d_.Key(KEY_ESC);
      return Until([&] { return !Open(list); });
    }
    const int top = static_cast<int>(SendMessage(list, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
    Rect lr{};
    GetClientRect(list, &lr);
    const int shown = height > 0 ? (lr.bottom - lr.top) / height : 0;
    // The row after the chosen one when it is in view, else the first shown.
    int row = before + 1 < count && before + 1 - top < shown ? before + 1 : top;
    if (row == before) row = top + 1 < count ? top + 1 : top;
    int rx = (lr.left + lr.right) / 2, ry = (row - top) * height + height / 2;
    ClientToScreen(list, &rx, &ry);
    Until(NoCapture);
    HostInjectMouseMove(rx, ry);  // the pointer moves onto the list before it clicks
    Until([&] { return !Open(list); }, 100);
    const size_t chooseMark = HeardCount();
    Press(rx, ry);
    // The box tells its page of the new row, and shows it unless the page
    // refuses it (a grid list lays its rows out in columns: another cell is
    // chosen, wherever it lies).
    *expected = "chooses the row clicked in its list";
    const bool chosen = Until([&] {
      return Open(home) && !Open(list) &&
             (SendMessage(c, CB_GETCURSEL, 0, 0) != before || HeardSince(chooseMark, c, CBN_SELCHANGE));
    });
    if (!chosen) {
      // What the failure report needs: where the click was aimed, and how
      // the list stands now.
      Rect now{};
      GetClientRect(list, &now);
      int nx = now.left, ny = now.top;
      ClientToScreen(list, &nx, &ny);
      *expected += " (row " + std::to_string(row) + " of " + std::to_string(count) + " at " + std::to_string(rx) + "," +
                   std::to_string(ry) + ", top " + std::to_string(top) + ", chosen before " + std::to_string(before) +
                   "; now " + std::to_string(SendMessage(c, CB_GETCURSEL, 0, 0)) + ", list " +
                   (Open(list) ? "open" : "closed") + " at " + std::to_string(nx) + "," + std::to_string(ny) + ", top " +
                   std::to_string(SendMessage(list, LB_GETTOPINDEX, 0, 0)) + ")";
      if (Open(home) && Open(list)) d_.Key(KEY_ESC);
      return false;
    }
    return true;
  }

  // A click on the first row selects it; a click on each of its other
  // cells notifies that cell.
  bool ClickList(WindowHandle home, WindowHandle c, const Where& w, std::string* expected) {
    const int rows = static_cast<int>(SendMessage(c, LVM_GETITEMCOUNT, 0, 0));
    Rect rc{};
    GetClientRect(c, &rc);
    if (rows < 1) {
      int x = 0, y = 0;
      Centre(c, &x, &y);
      const size_t mark = HeardCount();
      Press(x, y);
      *expected = "notifies";
      return Until([&] { return HeardSince(mark, c, -1); });
    }
    // Rows start under the header, whose height is its stock picture's.
    const Bitmap* head = GetStockBitmap("listv_head", 0, 0);
    ListViewItemInfo info{};
    info.index = 0;
    SendMessage(c, LVM_GETITEM, 0, reinterpret_cast<LParam>(&info));
    const int top = (head ? static_cast<int>(head->bmHeight) : 0) + 1;
    const int columns = static_cast<int>(SendMessage(c, LVM_GETCOLUMNCOUNT, 0, 0));
    int left = 1;
    for (int n = 0; n < columns; ++n) {
      const int width = static_cast<int>(SendMessage(c, LVM_GETCOLUMNWIDTH, n, 0));
      int x = left + width / 2, y = top + info.height / 2;
      left += width;
      if (x >= rc.right) break;
      ClientToScreen(c, &x, &y);
      const size_t mark = HeardCount();
      Press(x, y);
      if (n == 0) {
        *expected = "selects its row";
        if (!Until([&] { return Open(home) && SendMessage(c, LVM_GETSELECTEDITEM, 0, 0) != 0; })) return false;
      }
      Where cell = w;
      cell.what = "listview cell " + std::to_string(n);
      if (n > 0 && !Until([&] { return HeardSince(mark, c, LVN_CELLCLICK + n); }))
        Fail(cell, "a click on the first row's cell does not notify");
      // What an icon cell opens is up once the page has handled it.
      else if (n > 0) Settle(home);
      if (!Until(NoCapture)) Fail(cell, "a window keeps the capture after the click");
      std::string stuck;
      if (Open(home) && !CloseOver(d_, home, &stuck)) Fail(cell, "what the click opened does not close");
      if (!stuck.empty()) Fail(cell, "Escape does not close" + stuck + " (its Cancel does)");
      if (!Open(home)) return true;
    }
    return true;
  }

  // The controls of `parent` that a user can click, in creation order, with
  // the sheets apart.
  static void Controls(WindowHandle parent, std::vector<WindowHandle>* controls, std::vector<WindowHandle>* sheets) {
    for (WindowHandle c = GetNextChild(parent, 0); IsValidHandle(c) && c != 0; c = GetNextChild(parent, c)) {
      if (IsWindowVisible(c) != TRUE || IsWindowEnabled(c) != TRUE) continue;
      const std::string cls = ClassOf(c);
      if (cls == "propsheet")
        sheets->push_back(c);
      else if (cls != "static")
        controls->push_back(c);
    }
  }

  // The buttons that leave the page and its menu, and those that leave
  // the page only; they are clicked once the rest is walked.
  static bool LeavesMenu(const std::string& page, int id) {
    return id == PAGE_ID_EXIT || std::any_of(std::begin(kClosers), std::end(kClosers), [&](const Closer& c) {
             return page == c.page && id == c.id;
           });
  }
  static bool Leaves(const std::string& page, int id) {
    return id == IDCANCEL || id == PAGE_ID_OK || LeavesMenu(page, id);
  }

  // Each control of a window in turn; the controls that leave the page are
  // handed back for last.
  void WalkControls(WindowHandle home, WindowHandle window, const Where& where, std::vector<WindowHandle>* leaving) {
    std::vector<WindowHandle> controls, sheets;
    Controls(window, &controls, &sheets);
    for (WindowHandle sheet : sheets) WalkSheet(home, sheet, where, leaving);
    for (WindowHandle c : controls) {
      if (!Open(home)) return;
      Settle(home);
      if (IsWindowVisible(c) != TRUE || IsWindowEnabled(c) != TRUE) continue;  // an earlier click hid it
      const int id = GetDlgCtrlID(c);
      if (Leaves(where.page, id)) {
        leaving->push_back(c);
        continue;
      }
      if (const char* why = Skipped(where.page, id)) {
        std::fprintf(stderr, "EveryPage: %s: control %d skipped: %s\n", where.page.c_str(), id, why);
        continue;
      }
      ClickControl(home, c, where);
    }
  }

  // Every tab of a sheet shown by a click on its header, its controls walked.
  void WalkSheet(WindowHandle home, WindowHandle sheet, Where where, std::vector<WindowHandle>* leaving) {
    const int count = static_cast<int>(SendMessage(sheet, PSM_GETPAGECOUNT, 0, 0));
    const bool header = (GetWindowStyle(sheet) & 0xF0u) != PSS_NOHEADER;
    for (int tab = 0; tab < count && Open(home); ++tab) {
      where.tab = tab;
      const WindowHandle page = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, tab, 0));
      if (SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0) != tab) {
        if (!header) continue;
        CloseOver(d_, home);
        int x = 0, y = 0;
        if (!programtest::TabHeaderPoint(sheet, tab, &x, &y)) {
          Fail(where, "its tab header is not in view");
          continue;
        }
        Press(x, y);
        Where w = where;
        w.id = GetDlgCtrlID(sheet);
        w.what = "tab header";
        if (!Until([&] { return Open(home) && SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0) == tab && Open(page); })) {
          Fail(w, "a click on the tab header does not show its page");
          continue;
        }
        if (!Until(NoCapture)) Fail(w, "a window keeps the capture after the click");
      }
      WalkControls(home, page, where, leaving);
    }
  }

  // The controls that leave the page, in order, until the page is gone;
  // the id of the one that left it, or 0.
  int Leave(WindowHandle home, const std::vector<WindowHandle>& leaving, Where where) {
    for (WindowHandle c : leaving) {
      if (!Open(home)) return 0;
      if (IsWindowVisible(c) != TRUE || IsWindowEnabled(c) != TRUE) continue;
      if (const char* why = Skipped(where.page, GetDlgCtrlID(c))) {
        std::fprintf(stderr, "EveryPage: %s: control %d skipped: %s\n", where.page.c_str(), GetDlgCtrlID(c), why);
        continue;
      }
      const int id = GetDlgCtrlID(c);
      ClickControl(home, c, where);
      if (!Open(home)) return id;
    }
    return 0;
  }

  static const char* Skipped(const std::string& page, int id);

 private:
  Driver& d_;
};

// Controls whose click would end the program or wipe the device under the
// walk: they are not clicked.
struct Skip {
  const char* page;
  int id, last;  // the ids from id to last; 0 every control of the page
  const char* why;
};
const Skip kSkips[] = {
    {"main/shutdown", 0, 0, "its buttons log out, reboot or shut the recorder down"},
    {"maintenance/default", PAGE_ID_OK, PAGE_ID_OK, "restores the factory settings and restarts the recorder"},
    // Not a button's reaction: the page takes the legend's presses itself.
    {"record/scheduleset", 18963, 18968, "the record legend: a press picks the grid's pen, shown only in the picture"},
    {"record/scheduleset", 19011, 19016, "the capture legend: a press picks the grid's pen, shown only in the picture"},
};

const char* Walker::Skipped(const std::string& page, int id) {
  for (const Skip& s : kSkips)
    if (page == s.page && (s.id == 0 || (id >= s.id && id <= s.last))) return s.why;
  return nullptr;
}

// ---------------------------------------------------------------------------
// The way to each registered item: the main-menu button that opens its menu.
struct Route {
  int menu;
  int button;
  menus::SubMenu sub;
};
const Route kRoutes[] = {
    {APP_MENU_EXPORT, menus::kMainBackup, menus::SubMenu::kExport},
    {APP_MENU_MANUAL, menus::kMainManual, menus::SubMenu::kManual},
    {APP_MENU_RECORD, menus::kMainRecord, menus::SubMenu::kRecord},
    {APP_MENU_SYSTEM, menus::kMainSystem, menus::SubMenu::kSystem},
    {APP_MENU_MAINTENANCE, menus::kMainMaintenance, menus::SubMenu::kMaintenance},
    {APP_MENU_STORAGE, menus::kMainStorage, menus::SubMenu::kStorage},
    {APP_MENU_CAMERA, menus::kMainCamera, menus::SubMenu::kCamera},
};
// The main menu's own items: two open sub-menus (walked through their
// items), the shutdown button opens a page.
struct MainItem {
  const char* item;
  int button;
  bool page;
};
const MainItem kMainItems[] = {
    {"disk", menus::kMainStorage, false},
    {"cameraconfig", menus::kMainCamera, false},
    {"shutdown", menus::kMainShutdown, true},
};

const char* MenuName(int menu) {
  static const char* const kNames[] = {"main", "export", "manual", "record", "system", "maintenance", "storage", "camera"};
  return menu >= 0 && menu < APP_MENU_COUNT ? kNames[menu] : "?";
}

struct Entry {
  int menu;
  std::string item;
};

std::vector<Entry> Registered() {
  std::vector<Entry> entries;
  char item[64];
  int menu = 0;
  for (int i = 0; registeredPageAt(i, &menu, item, sizeof item) == 0; ++i) entries.push_back({menu, item});
  return entries;
}

}  // namespace

namespace {

bool MenuUp() { return IsMenuPopup(GetWindowDisplay(FirstPreviewWindow(getMainOutput()))) != 0; }

// Back to the live view: Escape until nothing is open over it.
// The main menu is gone, not just hidden under a page it runs.
bool LiveViewBack() {
  const WindowHandle menu = getMainMenuWnd();
  return (!IsValidHandle(menu) || IsWindow(menu) != 1) && getOutputState(getMainOutput()) == OUTSTATE_LIVEVIEW;
}

bool BackToLiveView(Driver& d) {
  for (int tries = 0; tries < 8; ++tries) {
    if (LiveViewBack()) return true;
    const WindowHandle active = GetActiveWindow();
    if (Open(getMainMenuWnd()) && active == getMainMenuWnd())
      d.ClickItem(getMainMenuWnd(), menus::kMainExit);
    else
      d.Key(KEY_ESC);
    Until([&] { return GetActiveWindow() != active || LiveViewBack(); }, 2000);
  }
  return Until(LiveViewBack, 2000);
}

// The open window a menu column hosts: the page of its selected item.
WindowHandle HostedPage(WindowHandle column) {
  for (WindowHandle w = GetFirstHosted(column); IsValidHandle(w) && w != 0; w = GetNextHosted(column, w))
    if (Open(w)) return w;
  return 0;
}

// The main menu open and taking clicks: the one shown again when a
// sub-menu closed, or a new one from the live view.
bool EnsureMainMenu(Driver& d) {
  const auto ready = [] {
    const WindowHandle menu = getMainMenuWnd();
    return Open(menu) && IsWindowEnabled(menu) && GetActiveWindow() == menu;
  };
  if (Open(getMainMenuWnd()) && Until(ready, 2000)) return true;
  if (!BackToLiveView(d)) {
    std::fprintf(stderr, "EveryPage: the live view does not come back [%s]\n", Scene().c_str());
    return false;
  }
  if (d.OpenMainMenu()) return true;
  std::fprintf(stderr, "EveryPage: the main menu does not open from the live view [%s]\n", Scene().c_str());
  return false;
}

// A main-menu button clicked, with the login it may ask for.
void ClickMain(Driver& d, int button) {
  d.ClickItem(getMainMenuWnd(), button);
  d.LogInIfAsked(kPassword);
}

// The column of the route's sub-menu: the window, the active one or one
// that hosts it, that shows the item and the exit button.
WindowHandle Column(const menus::SubMenuFamily& family, int position) {
  for (WindowHandle w = GetActiveWindow(); IsValidHandle(w) && w != 0; w = GetHosting(w))
    if (Open(GetDlgItem(w, family.firstId + position)) && Open(GetDlgItem(w, family.exitId))) return w;
  return 0;
}

// The item's page opened by clicks: the main menu's button when the
// sub-menu is not open, then the item in its column. The page is the window
// the column hosts once the item is the one selected (its button disabled);
// 0 when it does not come.
WindowHandle OpenItem(Driver& d, const Route& route, int position) {
  const menus::SubMenuFamily& family = menus::subMenuFamily(route.sub);
  WindowHandle column = Column(family, position);
  if (!column) {
    if (!EnsureMainMenu(d)) return 0;
    const WindowHandle menu = getMainMenuWnd();
    const size_t mark = HeardCount();
    ClickMain(d, route.button);
    if (!Until([&] { return (column = Column(family, position)) != 0; }, 10000)) {
      // Whether the button heard the click tells a lost click from one the
      // menu did not act on.
      std::fprintf(stderr, "EveryPage: the main menu's button %d %s its click (enabled %d, capture %s) [%s]\n",
                   route.button, HeardSince(mark, GetDlgItem(menu, route.button), -1) ? "heard" : "never heard",
                   IsWindowEnabled(GetDlgItem(menu, route.button)) ? 1 : 0, NoCapture() ? "none" : "held",
                   Scene().c_str());
      return 0;
    }
    Until([&] { return HostedPage(column) != 0; }, 2000);  // the sub-menu's first page
  }
  const int id = family.firstId + position;
  if (IsWindowEnabled(GetDlgItem(column, id))) {
    d.ClickItem(column, id);
    d.LogInIfAsked(kPassword);
  }
  WindowHandle home = 0;
  if (!Until([&] { return (home = HostedPage(column)) != 0 && !IsWindowEnabled(GetDlgItem(column, id)); }, 5000))
    return 0;
  return home;
}

// Whether the item at `position` of the route's column is a registered page.
bool IsRegistered(const std::vector<Entry>& entries, const Route& route, int position) {
  const std::string key = menus::subMenuFamily(route.sub).items[position].key;
  return std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.menu == route.menu && e.item == key; });
}

std::string PageName(const Route& route, int position) {
  return std::string(MenuName(route.menu)) + "/" + menus::subMenuFamily(route.sub).items[position].key;
}

// A walk's device on a parameter file of its own, its failures cleared,
// the live view telling where its tabs are.
// The walk's parameter file lives as long as `params`.
void BeginWalk(const programtest::OwnTempFile& params) {
  device_seam::resetAll();
  device_seam::setSettingsFile(params.path());
  g_failures.clear();
  program_seam::setLiveViewProc(programtest::TabPointLiveProc);
}

TEST(RecorderEveryPage, EveryRegisteredPageIsUsedByTheMouseAlone) {
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the walk of every page takes too long under ThreadSanitizer; the menu walks cover its threads";
#endif
  const programtest::OwnTempFile params("recorder_every_page_params.dat");
  BeginWalk(params);
  g_clicked = 0;
  notify_seam::setWatch(Hear);
  const auto started = std::chrono::steady_clock::now();
  int walked = 0;
  const int code = RunWithScript([&](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    ASSERT_TRUE(d.LeaveWizard());
    ASSERT_TRUE(Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); }));
    Walker walker(d);
    const std::vector<Entry> entries = Registered();
    ASSERT_FALSE(entries.empty());
    // Grouped by menu, so that each sub-menu opens once and its column takes
    // the clicks from one item to the next.
    for (const Route& route : kRoutes) {
      const menus::SubMenuFamily& family = menus::subMenuFamily(route.sub);
      for (int position = 0; position < family.count; ++position) {
        if (!IsRegistered(entries, route, position)) continue;
        Where where;
        where.page = PageName(route, position);
        if (menus::isItemLeftOut(route.sub, position)) {
          std::fprintf(stderr, "EveryPage: %s: not offered by this device\n", where.page.c_str());
          continue;
        }
        WindowHandle home = OpenItem(d, route, position);
        if (!home) {
          Fail(where, "the menu column does not open the item");
          // Once more from a fresh menu, so that the walk goes on.
          if (!BackToLiveView(d) || !(home = OpenItem(d, route, position))) {
            Fail(where, "the item does not open from a fresh menu either");
            ASSERT_TRUE(BackToLiveView(d)) << where.page << ": the live view does not come back";
            continue;
          }
        }
        Until([&] { return GetActiveWindow() == home; }, 2000);
        std::fprintf(stderr, "EveryPage: walking %s\n", where.page.c_str());
        ++walked;
        g_shownBefore = Shown();
        std::vector<WindowHandle> leaving;
        walker.WalkControls(home, home, where, &leaving);
        // A page's Exit closes its sub-menu too; its other ways out give
        // the column back.
        const WindowHandle column = GetHosting(home);
        const int left = walker.Leave(home, leaving, where);
        where.id = left;
        where.what = "button";
        const bool menuToo = Walker::LeavesMenu(where.page, left);
        if (left && menuToo && !Until([&] { return !Open(column); }))
          Fail(where, "Exit leaves the menu open");
        else if (left && !menuToo && !Until([&] { return GetActiveWindow() == column; }))
          Fail(where, "leaving the page does not give the menu column back");
        if (::testing::Test::HasFatalFailure()) return;
      }
    }
    // The main menu's own page.
    for (const Entry& e : entries) {
      if (e.menu != APP_MENU_MAIN) continue;
      const MainItem* main = nullptr;
      for (const MainItem& m : kMainItems)
        if (e.item == m.item) main = &m;
      Where where;
      where.page = "main/" + e.item;
      if (!main) {
        Fail(where, "no way to it is known to the walk");
        continue;
      }
      if (!main->page) continue;
      // Opened from the main menu and walked; what it holds is left with
      // Escape.
      if (!EnsureMainMenu(d)) {
        Fail(where, "the main menu does not open");
        continue;
      }
      const WindowHandle menu = getMainMenuWnd();
      ClickMain(d, main->button);
      WindowHandle home = 0;
      if (!Until([&] { return (home = GetActiveWindow()) != menu && Open(home); })) {
        Fail(where, "the main menu's button does not open it");
        continue;
      }
      ++walked;
      g_shownBefore = Shown();
      std::vector<WindowHandle> leaving;
      walker.WalkControls(home, home, where, &leaving);
      for (WindowHandle c : leaving)
        if (!Walker::Skipped(where.page, GetDlgCtrlID(c))) walker.ClickControl(home, c, where);
      if (Open(home)) d.Key(KEY_ESC);
      if (!Until([&] { return !Open(home); })) Fail(where, "Escape does not close it");
    }
    // A page registered where no menu column offers it cannot be reached.
    for (const Entry& e : entries) {
      if (e.menu == APP_MENU_MAIN) continue;
      const Route* route = nullptr;
      for (const Route& r : kRoutes)
        if (r.menu == e.menu) route = &r;
      const menus::SubMenuFamily* family = route ? &menus::subMenuFamily(route->sub) : nullptr;
      const bool offered = family && std::any_of(family->items, family->items + family->count,
                                                 [&](const menus::SubMenuItem& i) { return e.item == i.key; });
      if (!offered) Fail(Where{std::string(MenuName(e.menu)) + "/" + e.item}, "no menu column offers it");
    }
    ASSERT_TRUE(BackToLiveView(d));
    d.Click(300, 200, HOST_BUTTON_RIGHT);
    EXPECT_TRUE(Driver::WaitFor(MenuUp)) << "the live view's pop-up menu does not open after the walk";
    d.Key(KEY_ESC);
    Driver::WaitFor([] { return !MenuUp(); });
    d.CloseHostWindow();
  });
  notify_seam::setWatch(nullptr);
  program_seam::setLiveViewProc(nullptr);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::fprintf(stderr, "EveryPage: %d pages, %d controls clicked in %.1f s\n", walked, g_clicked, seconds);
  for (const std::string& f : g_failures) ADD_FAILURE() << f;
  EXPECT_EQ(code, 0);
  device_seam::setSettingsFile("");
  device_seam::resetAll();
}

}  // namespace

namespace {

// ---------------------------------------------------------------------------
// Every registered page walked by the keys alone once it is open: from the
// control that has the focus when it opens, Tab goes round the page's tab
// stops and back, Down and Up reach every control a user can use, and
// Escape leaves the page.

// The controls of the page a key walk must reach: the window's own and
// those of each sheet's shown tab.
void KeyTargets(WindowHandle window, std::vector<WindowHandle>* targets) {
  std::vector<WindowHandle> controls, sheets;
  Walker::Controls(window, &controls, &sheets);
  targets->insert(targets->end(), controls.begin(), controls.end());
  for (WindowHandle sheet : sheets) {
    const WindowHandle page = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0));
    if (IsValidHandle(page) && page != 0) KeyTargets(page, targets);
  }
}

// Controls that answer as statics, which the group walk passes by: no key
// reaches them.
const Skip kNoKeys[] = {
    {"record/scheduleset", 18963, 18968, "the record legend picks the grid's pen by a press alone"},
    {"record/scheduleset", 19011, 19016, "the capture legend picks the grid's pen by a press alone"},
};

bool KeysPassBy(const std::string& page, int id) {
  return std::any_of(std::begin(kNoKeys), std::end(kNoKeys),
                     [&](const Skip& s) { return page == s.page && id >= s.id && id <= s.last; });
}

// The target the focus chain from `home` ends in, or 0.
WindowHandle FocusedTarget(WindowHandle home, const std::vector<WindowHandle>& targets) {
  WindowHandle f = GetFocusChild(home);
  for (int depth = 0; depth < 6 && IsValidHandle(f) && f != 0; ++depth) {
    if (std::find(targets.begin(), targets.end(), f) != targets.end()) return f;
    f = GetFocusChild(f);
  }
  return 0;
}

// A key pressed and released, then read by the page: the desktop reads its
// input in order, so once a pointer move sent after the key is seen, the
// key waits in the page's queue, and the page has read it once that is
// empty. The pointer stays in the screen's corner, off every control.
void KeyRead(Driver& d, WindowHandle home, int key, bool shift = false) {
  static int mark = 0;
  const int x = 1 + (++mark % 2);
  if (shift)
    inputtest::TapKey(key, KEY_LEFTSHIFT);
  else
    d.Key(key);
  HostInjectMouseMove(x, 1);
  Until([x] {
    Point at{};
    GetCursorPos(&at);
    return at.x == x;
  });
  desktest::AwaitRouted();
  Settle(home);
}

// Pages whose every step of the arrow walk is also read back from the
// screen.
const char* const kFocusPictures[] = {"system/userset", "system/netset", "maintenance/log", "record/holidayset"};

// The focus as the screen shows it along a walk: each target's picture
// after each step. A control the focus stood on must look unlike itself
// without the focus, and every target without the focus alike at every
// step: only the focused control shows the focus.
struct FocusPictures {
  std::vector<WindowHandle> focused;
  std::vector<std::vector<guitest::Picture>> shots;

  // The page read until two reads in a row agree (it paints on its own
  // thread), each target cut from it.
  void Take(WindowHandle home, const std::vector<WindowHandle>& targets, WindowHandle f) {
    Rect page{};
    GetWindowRect(home, &page);
    guitest::Picture last = guitest::Grab(page);
    for (int i = 0, agreeing = 0; i < 40 && agreeing < 2; ++i) {
      Settle(home);
      guitest::Picture now = guitest::Grab(page);
      agreeing = now.rgb == last.rgb ? agreeing + 1 : 0;
      last = std::move(now);
    }
    focused.push_back(f);
    shots.emplace_back();
    for (WindowHandle c : targets) {
      Rect r{};
      GetWindowRect(c, &r);  // in its parent's client area
      int x = r.left, y = r.top;
      ClientToScreen(GetParent(c), &x, &y);
      shots.back().push_back(Cut(last, page, Rect{x, y, x + r.right - r.left, y + r.bottom - r.top}));
    }
  }
  static guitest::Picture Cut(const guitest::Picture& whole, const Rect& at, const Rect& r) {
    guitest::Picture part;
    const int left = std::max(r.left, at.left), right = std::min(r.right, at.right);
    const int top = std::max(r.top, at.top), bottom = std::min(r.bottom, at.bottom);
    part.width = std::max(0, right - left);
    part.height = std::max(0, bottom - top);
    for (int y = top; y < bottom; ++y) {
      const auto row = whole.rgb.begin() + (static_cast<size_t>(y - at.top) * whole.width + (left - at.left)) * 3;
      part.rgb.insert(part.rgb.end(), row, row + static_cast<size_t>(part.width) * 3);
    }
    return part;
  }
  void Check(const std::vector<WindowHandle>& targets, const Where& where) const {
    for (size_t t = 0; t < targets.size(); ++t) {
      Where w = where;
      w.id = GetDlgCtrlID(targets[t]);
      w.what = ClassOf(targets[t]);
      const guitest::Picture* plain = nullptr;
      const guitest::Picture* lit = nullptr;
      for (size_t s = 0; s < shots.size(); ++s) {
        if (focused[s] == targets[t]) {
          lit = &shots[s][t];
        } else if (!plain) {
          plain = &shots[s][t];
        } else if (shots[s][t].rgb != plain->rgb) {
          Fail(w, "looks otherwise without the focus after key " + std::to_string(s));
          break;
        }
      }
      if (lit && plain && lit->rgb == plain->rgb) Fail(w, "looks the same with and without the focus");
    }
  }
};

// Tab from the control the page opened with comes back to it through each
// of the page's tab stops once; Shift+Tab walks the same ring backwards.
void WalkTheTabRing(Driver& d, WindowHandle home, const Where& where, const std::vector<WindowHandle>& targets) {
  const WindowHandle start = FocusedTarget(home, targets);
  Where at = where;
  const auto fail = [&](WindowHandle c, const std::string& why) {
    at.id = GetDlgCtrlID(c);
    at.what = ClassOf(c);
    Fail(at, why);
  };
  if (!start) return;
  std::vector<WindowHandle> ring{start};
  for (size_t n = 0; n <= targets.size() && Open(home); ++n) {
    KeyRead(d, home, KEY_TAB);
    const WindowHandle f = FocusedTarget(home, targets);
    if (f == start) break;
    if (!f) return fail(ring.back(), "Tab from it leaves the page's controls");
    if (std::find(ring.begin(), ring.end(), f) != ring.end())
      return fail(ring.back(), "Tab from it goes back into the ring short of where Tab began");
    ring.push_back(f);
  }
  if (!Open(home)) return Fail(where, "Tab left the page");
  if (FocusedTarget(home, targets) != start) return fail(start, "Tab never comes back to where it began");
  for (size_t k = ring.size(); k-- > 0;) {
    KeyRead(d, home, KEY_TAB, true);
    const WindowHandle f = FocusedTarget(home, targets);
    if (f != ring[k]) return fail(ring[(k + 1) % ring.size()], "Shift+Tab from it does not walk back the way Tab came");
  }
}

// The Tab ring; then Down, then Up, each pressed until the focus went
// round (the Down walk read back from the screen on the pages of
// kFocusPictures); the targets the focus never stood on are failed.
void WalkByKeys(Driver& d, WindowHandle home, const Where& where) {
  std::vector<WindowHandle> targets;
  KeyTargets(home, &targets);
  WalkTheTabRing(d, home, where, targets);
  std::vector<WindowHandle> reached;
  const bool pictures = std::any_of(std::begin(kFocusPictures), std::end(kFocusPictures),
                                    [&](const char* p) { return where.page == p; });
  FocusPictures seen;
  const auto note = [&](bool shot) {
    Settle(home);
    const WindowHandle f = FocusedTarget(home, targets);
    if (shot) seen.Take(home, targets, f);
    if (f && std::find(reached.begin(), reached.end(), f) == reached.end()) reached.push_back(f);
  };
  note(pictures);
  const size_t presses = 2 * targets.size() + 2;
  for (int key : {KEY_DOWN, KEY_UP}) {
    const bool shot = pictures && key == KEY_DOWN;
    for (size_t n = 0; n < presses && Open(home); ++n) {
      if (shot)
        KeyRead(d, home, key);
      else
        d.Key(key);
      note(shot);
    }
  }
  if (pictures && Open(home)) seen.Check(targets, where);
  if (!Open(home)) {
    Fail(where, "an arrow key left the page");
    return;
  }
  for (WindowHandle c : targets) {
    if (std::find(reached.begin(), reached.end(), c) != reached.end() || KeysPassBy(where.page, GetDlgCtrlID(c)))
      continue;
    Where w = where;
    w.id = GetDlgCtrlID(c);
    w.what = ClassOf(c);
    Fail(w, "the arrow keys never reach it");
  }
}

TEST(RecorderEveryPage, EveryRegisteredPageIsUsedByTheKeysAlone) {
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the walk of every page takes too long under ThreadSanitizer; the menu walks cover its threads";
#endif
  const programtest::OwnTempFile params("recorder_key_walk_params.dat");
  BeginWalk(params);
  int walked = 0;
  const int code = RunWithScript([&](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    ASSERT_TRUE(d.LeaveWizard());
    ASSERT_TRUE(Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); }));
    const std::vector<Entry> entries = Registered();
    for (const Route& route : kRoutes) {
      const menus::SubMenuFamily& family = menus::subMenuFamily(route.sub);
      for (int position = 0; position < family.count; ++position) {
        if (!IsRegistered(entries, route, position) || menus::isItemLeftOut(route.sub, position)) continue;
        Where where;
        where.page = PageName(route, position);
        const WindowHandle home = OpenItem(d, route, position);
        if (!home) {
          Fail(where, "the menu column does not open the item");
          ASSERT_TRUE(BackToLiveView(d)) << where.page << ": the live view does not come back";
          continue;
        }
        Until([&] { return GetActiveWindow() == home; }, 2000);
        ++walked;
        WalkByKeys(d, home, where);
        const WindowHandle column = GetHosting(home);
        if (Open(home)) d.Key(KEY_ESC);
        if (!Until([&] { return !Open(home); })) {
          Fail(where, "Escape does not leave the page");
          ASSERT_TRUE(BackToLiveView(d)) << where.page << ": the live view does not come back";
        }
        // Escape may close the column too, its page first: the next item is
        // looked for once the column has handled the close, never in a
        // column about to go.
        Driver::AwaitHandled(column, std::chrono::steady_clock::now() + std::chrono::seconds(10));
      }
    }
    ASSERT_TRUE(BackToLiveView(d));
    d.CloseHostWindow();
  });
  program_seam::setLiveViewProc(nullptr);
  std::fprintf(stderr, "KeyWalk: %d pages walked\n", walked);
  for (const std::string& f : g_failures) ADD_FAILURE() << f;
  EXPECT_EQ(code, 0);
  device_seam::setSettingsFile("");
  device_seam::resetAll();
}

}  // namespace
