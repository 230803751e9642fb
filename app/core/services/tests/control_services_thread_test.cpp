// Controls the pages build alike, on a started toolkit: a control and its
// label from one rectangle, and the channel check-box block with its "all"
// boxes, filtered by the user's rights.
#include <algorithm>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/layout.h"
#include "gui/static.h"
#include "gui/window.h"

namespace {

constexpr uint32_t kBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;

using livetest::LiveGui;

// A page that hands its channel boxes' clicks on, as the recorder's pages do.
LResult PageProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_COMMAND) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    if (id == CHANBOX_ALL_ANALOG || id == CHANBOX_ALL_IP)
      onChanAllCheckBox(hwnd, id);
    else if (id >= CHANBOX_ANALOG_FIRST && id < CHANBOX_IP_FIRST + 64)
      onChanCheckBox(hwnd, id);
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// A combo box that keeps what it is told: items (data, text) and the three
// parts of a time field; as a date field it shows 29 February 2024.
struct Combo {
  std::vector<std::pair<WParam, std::string>> items;
  int parts[4] = {0, 0, 0, 0};
};
std::map<WindowHandle, Combo>& Combos() {
  static std::map<WindowHandle, Combo> combos;
  return combos;
}
LResult ComboProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  Combo& c = Combos()[hwnd];
  switch (msg) {
    case 0xF143:
    case 0xF16A:
      c.items.emplace_back(wParam, reinterpret_cast<const char*>(lParam));
      return 0;
    case 0xF183:
      c.items.clear();
      return 0;
    case 0xF187:
      if (wParam >= 1 && wParam <= 3) c.parts[wParam] = static_cast<int>(lParam);
      return 0;
    case 0xF186:
      return wParam >= 1 && wParam <= 3 ? c.parts[wParam] : 0;
    case 0xF173:
      return 2024;
    case 0xF174:
      return 2;
    case 0xF175:
      return 29;
    default:
      return DefaultControlProc(hwnd, msg, wParam, lParam);
  }
}

// A list whose rows 1, 3 and 17 are checked; row r's key is 40 - r.
LResult ListProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == 0xF12A) return wParam == 1 || wParam == 3 || wParam == 17 ? 1 : 0;
  if (msg == 0xF144) return 40 - static_cast<LResult>(wParam);
  return DefaultControlProc(hwnd, msg, wParam, lParam);
}

void TestClass(const char* name, WindowProc proc) {
  if (FindControlClass(name)) return;
  WndClassInfo info{};
  info.className = name;
  info.windowProc = proc;
  RegisterWindowClass(&info);
}

class ControlServices : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    page_ = Main({0, 0, 800, 600}, PageProc);
  }
  Rect At(int id) {
    Rect r{};
    GetWindowRect(GetDlgItem(page_, id), &r);
    return r;
  }
  bool Exists(int id) {
    const WindowHandle h = GetDlgItem(page_, id);
    return IsValidHandle(h);
  }
  int State(int id) { return static_cast<int>(SendDlgItemMessage(page_, id, BM_GETCHECK, 0, 0)); }
  WindowHandle page_ = 0;
};

TEST_F(ControlServices, LabelTakesItsShareOfTheRectangleAndTheControlTheRest) {
  setCtrlScale(3, 7);
  // A check box with the corners on both sides and a placed left edge.
  constexpr uint32_t kCorners = EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPLEFT;
  const WindowHandle edit = createLabeledCtrl("button", "Name", WS_VISIBLE | WS_DISABLED | BS_CHECKBOX,
                                              kCorners | WS_EX_PLACE_X, 40, 10, 20, 300, 24, page_, 0);
  ASSERT_NE(edit, GUI_INVALID_HANDLE);
  const WindowHandle label = GetDlgItem(page_, 40 + 256);
  Rect l{}, c{};
  GetWindowRect(label, &l);
  GetWindowRect(edit, &c);
  EXPECT_EQ(l.left, 10);
  EXPECT_EQ(l.right - l.left, 90);
  EXPECT_EQ(c.left, 100);
  EXPECT_EQ(c.right - c.left, 210);
  EXPECT_STREQ(GetWindowCaption(label), "Name");
  // The label follows the control's visibility and enabling bits; its
  // extended style takes the corner bits over.
  constexpr uint32_t kLabelBits = WS_VISIBLE | WS_DISABLED | SS_NOTIFY | SS_GRAYTEXT;
  EXPECT_EQ(GetWindowStyle(label) & kLabelBits, kLabelBits);
  constexpr uint32_t kLabelEx = WS_EX_PLACE_X | WS_EX_PLACE_W | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPLEFT;
  EXPECT_EQ(GetWindowExStyle(label) & kLabelEx, kLabelEx);
  EXPECT_EQ(GetWindowExStyle(edit) & (EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPLEFT), 0u);
  enableLabeledCtrl(page_, 40, 1);
  showLabeledCtrl(page_, 40, 0);
  EXPECT_FALSE(IsWindowVisible(label));
  EXPECT_FALSE(IsWindowVisible(edit));
}

TEST_F(ControlServices, ChannelBoxesFillTheGridAndTheAllBoxesFollowTheirGroup) {
  // Without a filter too, only the IP cameras the device has get boxes.
  createChanCheckBoxes(page_, "copychan", "all_analog", "all_ipc", "chan_item", kBoxStyle, 0, 2, 8, 0);
  EXPECT_TRUE(Exists(4192 + 15));
  EXPECT_FALSE(Exists(4224));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page_, 4177)));
  DestroyAllControls(page_);

  const uint64_t ipMask = 1;
  device_seam::overrideAnswer(getIpChannelNum, 1, &ipMask, sizeof ipMask);
  const int bottom = createChanCheckBoxes(page_, "copychan", "all_analog", "all_ipc", "chan_item", kBoxStyle, 0, 2,
                                          8, 0);
  // 16 analog boxes in two rows of 8 cells of 60 x 26 from (20, 70) under
  // their "all" box at (20, 40); the IP block 8 pixels below them, its grid
  // as far under its "all" box.
  ASSERT_TRUE(Exists(4176));
  EXPECT_EQ(At(4192 + 9).left, 80);
  EXPECT_EQ(At(4192 + 9).top, 96);
  EXPECT_STREQ(GetWindowCaption(GetDlgItem(page_, 4192 + 15)), "A16");
  EXPECT_EQ(At(4177).top, 130);
  EXPECT_EQ(At(4224).top, 160);
  EXPECT_STREQ(GetWindowCaption(GetDlgItem(page_, 4224)), "D1");
  EXPECT_EQ(bottom, 186);
  // No box covers another: each is there for a click.
  std::vector<int> ids = {4176, 4177, 4224};
  for (int id = 4192; id < 4208; ++id) ids.push_back(id);
  for (size_t a = 0; a < ids.size(); ++a)
    for (size_t b = a + 1; b < ids.size(); ++b) {
      const Rect p = At(ids[a]), q = At(ids[b]);
      EXPECT_TRUE(p.right <= q.left || q.right <= p.left || p.bottom <= q.top || q.bottom <= p.top)
          << ids[a] << " overlaps " << ids[b];
    }

  setChanCheckBoxes(page_, 0xFFFFull | (1ull << 16));
  EXPECT_EQ(State(4176), 1);
  EXPECT_EQ(State(4177), 1);
  EXPECT_EQ(getCheckedChanMask(page_), 0x1FFFFull);
  // A channel unticked unticks its group's "all" box; that box ticks or
  // unticks its whole group.
  livetest::Click(page_, 4192 + 3);
  EXPECT_EQ(getCheckedChanMask(page_), 0x1FFF7ull);
  EXPECT_EQ(State(4176), 0);
  EXPECT_EQ(State(4177), 1);
  livetest::Click(page_, 4176);
  EXPECT_EQ(getCheckedChanMask(page_), 0x1FFFFull);
  livetest::Click(page_, 4177);
  EXPECT_EQ(getCheckedChanMask(page_), 0xFFFFull);
  EXPECT_EQ(State(4176), 1);
  livetest::Click(page_, 4224);
  EXPECT_EQ(getCheckedChanMask(page_), 0x1FFFFull);
  setAllChanCheckBoxes(page_, 0);
  EXPECT_EQ(getCheckedChanMask(page_), 0u);
}

TEST_F(ControlServices, BoxesLeaveOutChannelsTheUserMayNotUse) {
  setLoginState(3, 1, 0);  // the guest: no recording right on any channel
  createChanCheckBoxes(page_, "copychan", "all_analog", "all_ipc", "chan_item", kBoxStyle, 0, 2, 8, 1);
  EXPECT_FALSE(Exists(4192));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page_, 4176)));
  EXPECT_FALSE(Exists(4224));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page_, 4177)));
  EXPECT_EQ(createChanCheckBoxes(page_, "copychan", nullptr, nullptr, "no_such_item", 0, 0, 2, 8, 1), -1);
}

TEST_F(ControlServices, ChannelCombosAndDateTimeRowsWorkThroughTheirMessages) {
  // The services find their fields by id only: a recording class of the
  // test's own stands in for the toolkit's combo boxes.
  TestClass("recordingcombo", ComboProc);
  const WindowHandle combo = CreateWindowEx("recordingcombo", "", 0, 0, 50, 0, 0, 100, 20, page_, 0);
  const uint64_t ipMask = 1;
  device_seam::overrideAnswer(getIpChannelNum, 0, &ipMask, sizeof ipMask);
  Combos()[combo].items.emplace_back(99, "left over");
  EXPECT_EQ(addChanComboItems(page_, 50, 0), 1);
  const auto& items = Combos()[combo].items;
  ASSERT_EQ(items.size(), 17u);
  EXPECT_EQ(items[0], (std::pair<WParam, std::string>{1, "Analog 1"}));
  EXPECT_EQ(items[16], (std::pair<WParam, std::string>{17, "IP Camera 1"}));
  setLoginState(3, 1, 0);  // the guest may record on no channel
  EXPECT_EQ(addPermittedChanItems(page_, 50, 0, 2), -1);
  EXPECT_TRUE(Combos()[combo].items.empty());

  // Date-time rows: the end time starts at 23:59:59; the row reads back as
  // the local time of its fields.
  CreateWindowEx("recordingcombo", "", 0, 0, 4644, 0, 0, 100, 20, page_, 0);
  const WindowHandle end = CreateWindowEx("recordingcombo", "", 0, 0, 4645, 0, 0, 100, 20, page_, 0);
  initTimeField(page_, 4645);
  EXPECT_EQ(Combos()[end].parts[1], 23);
  EXPECT_EQ(Combos()[end].parts[3], 59);
  std::tm tm{};
  tm.tm_year = 124, tm.tm_mon = 1, tm.tm_mday = 29, tm.tm_hour = 23, tm.tm_min = 59, tm.tm_sec = 59, tm.tm_isdst = -1;
  EXPECT_EQ(getDateTimeRow(page_, 0), static_cast<int64_t>(std::mktime(&tm)));
}

TEST_F(ControlServices, CheckedRowsOfChannelAndAlarmListsBecomeMasks) {
  TestClass("recordinglist", ListProc);
  const WindowHandle list = CreateWindowEx("recordinglist", "", 0, 0, 60, 0, 0, 100, 100, page_, 0);
  // Channel rows carry their bit as key: rows 1, 3 and 17 give bits 39, 37, 23.
  EXPECT_EQ(getListCheckedChanMask(list), (1ull << 39) | (1ull << 37) | (1ull << 23));
  const auto inputs = device_seam::mutableAbility()->alarmInNum;
  device_seam::mutableAbility()->alarmInNum = 16;
  uint64_t mask = 7;
  uint8_t bytes[IP_CHANNEL_BOUND] = {0xFF};
  getCheckedAlarmIns(list, &mask, bytes);
  device_seam::mutableAbility()->alarmInNum = inputs;
  EXPECT_EQ(mask, 0xAull);  // row 17 belongs to no camera: the cameras report no alarm rows
  EXPECT_EQ(bytes[0], 0);
}

TEST_F(ControlServices, PicturesOfListsAndEmptyWindowsComeFromTheLayout) {
  EXPECT_EQ(loadListViewBitmaps(), LISTVIEW_ICON_COUNT);
  for (const Bitmap& icon : getListViewBitmaps()->icons) EXPECT_EQ(icon.bmWidth, 16u);
  Bitmap add{};
  EXPECT_TRUE(GetWinBitmap("preview", "add_ipc_hover_bmp", &add));
  EXPECT_TRUE(GetWinBitmap("startmenu", "video_small_bmp", &add));
}

// Cell text of a list row, read back through the list's own message.
std::string CellText(WindowHandle list, HLVROW row, int column) {
  char text[128] = {0};
  ListViewSubItemInfo info{};
  info.column = column;
  info.text = text;
  info.bufferSize = sizeof text;
  SendMessage(list, LVM_GETSUBITEMTEXT, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&info));
  return text;
}

TEST_F(ControlServices, ListColumnsComeFromTheLayoutAndEachSortsByItsOwnOrder) {
  const WindowHandle list = CreateWindowEx("ListView", "", WS_VISIBLE, 0, 70, 0, 0, 500, 300, page_, 0);
  const ListColumnDesc columns[] = {{"all_analog", 0, compareListText},
                                    {"all_ipc", 0, compareListNumber},
                                    {"no_such_key", 0, compareListChanName},
                                    {"chan_item", 0, compareListConvText}};
  ASSERT_EQ(addListViewColumns(page_, 70, "copychan", columns, 4), 4);
  const int widths[] = {120, 120, -1, 60};  // a width of 0 gets the list's least width
  const char* captions[] = {"Analog", "IP Camera", "", ""};
  for (int c = 0; c < 4; ++c) {
    char caption[64] = "unset";
    ListViewColumnInfo info{};
    info.text = caption;
    info.textSize = sizeof caption;
    ASSERT_EQ(SendMessage(list, LVM_GETCOLUMN, static_cast<WParam>(c), reinterpret_cast<LParam>(&info)), 0);
    if (widths[c] >= 0) {
      EXPECT_EQ(info.width, widths[c]) << c;
    }
    EXPECT_STREQ(caption, captions[c]) << c;
  }

  // Each column orders the rows differently from plain text order; ties
  // fall back to the list's own text order of column 1.
  const char model[4][4][128] = {
      {"delta", "10", "D1", "b"}, {"alpha", "9", "A12", "a"}, {"charlie", "100", "A3", "c"}, {"bravo", "25", "A16", "b"}};
  std::vector<HLVROW> rows;
  for (int r = 0; r < 4; ++r) rows.push_back(addListViewItems(list, r, 4, model[r][0]));
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) ASSERT_EQ(CellText(list, rows[r], c), model[r][c]) << r << "," << c;
  const auto chan = [](const char* t) { return std::atoi(t + 1) + (t[0] == 'D' ? getAnalogChanNum() : 0); };
  const std::function<int(int, int)> order[4] = {
      [&](int a, int b) { return std::strcmp(model[a][0], model[b][0]); },
      [&](int a, int b) { return std::atoi(model[a][1]) - std::atoi(model[b][1]); },
      [&](int a, int b) { return chan(model[a][2]) - chan(model[b][2]); },
      [&](int a, int b) { return std::strcmp(model[a][3], model[b][3]); }};
  for (int c = 0; c < 4; ++c) {
    std::vector<int> want = {0, 1, 2, 3};
    std::sort(want.begin(), want.end(), [&](int a, int b) {
      const int r = order[c](a, b);
      return r != 0 ? r < 0 : std::strcmp(model[a][1], model[b][1]) < 0;
    });
    ASSERT_EQ(SendMessage(list, LVM_COLSORT, static_cast<WParam>(c), 0), 0);
    for (int i = 0; i < 4; ++i) {
      const HLVROW row = reinterpret_cast<HLVROW>(SendMessage(list, LVM_GETITEMBYINDEX, static_cast<WParam>(i), 0));
      EXPECT_EQ(CellText(list, row, 0), model[want[i]][0]) << "column " << c << " position " << i;
    }
  }
  ListViewSortInfo info{0, 0, list};  // "delta" and "alpha" name no channel
  EXPECT_EQ(compareListChanName(list, rows[0], rows[1], &info), -1);
  EXPECT_EQ(compareListChanName(list, rows[1], rows[0], &info), -1);
}

TEST_F(ControlServices, RoundFrameIsDrawnAroundTheScaledRectangle) {
  const int w = 120, h = 90;
  const HDC dc = CreateCompatibleDCEx(HDC_SCREEN, w, h);
  SetDCAttr(dc, DC_ATTR_BRUSH_COLOR, 0);
  FillBox(dc, 0, 0, w, h);
  const uint32_t exStyle = 0x90011u | 0x500000u;
  Rect rect{10, 8, 70, 48};
  int x = 10, y = 8, rw = 60, rh = 40;
  ScaleWindowRect(exStyle, 0, &x, &y, &rw, &rh);
  ASSERT_EQ(drawRoundFrame(dc, exStyle, &rect), 0);
  ASSERT_EQ(rect.left, x);
  ASSERT_EQ(rect.right, x + rw);
  const Bitmap* corner = GetEditBitmap(TRUE, FALSE);
  const int hw = static_cast<int>(corner->bmWidth) / 2, hh = static_cast<int>(corner->bmHeight) / 2;
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px) {
      const bool inside = px >= rect.left && px < rect.right && py >= rect.top && py < rect.bottom;
      const bool nearX = px < rect.left + hw || px >= rect.right - hw, nearY = py < rect.top + hh || py >= rect.bottom - hh;
      if (inside && nearX && nearY) continue;  // the corner skin's own pixels
      const bool border = px < rect.left + 2 || px >= rect.right - 2 || py < rect.top + 2 || py >= rect.bottom - 2;
      ASSERT_EQ(GetPixel(dc, px, py), !inside ? 0 : border ? WinElementColors[WEC_FRAME_CONTROL_DISABLED] : WinElementColors[WEC_BKC_CONTROL_NORMAL]) << px << "," << py;
    }
  DeleteMemDC(dc);
}

TEST_F(ControlServices, StackedDateTimeRowPutsTheTimeUnderTheDate) {
  // Records: label (20, 40, 120 x 26), date (20, 70, 60 x 26), time (290, 210, 100 x 30).
  EXPECT_EQ(createDateTimeRowAt(page_, "copychan", "all_analog", "chan_item", "ok", 100, 0, 0, 0, 1), 126);
  EXPECT_EQ(At(4640).top, 100);
  EXPECT_EQ(At(4641).top, 170);
  EXPECT_EQ(At(4642).left, 290);
  EXPECT_EQ(At(4642).top, 196);
  // Without a label the row ends with the date field; without a date field nothing is made.
  EXPECT_EQ(createDateTimeRowAt(page_, "copychan", "no_such_label", "chan_item", "ok", 0, 0, 0, 0, 0), 96);
  EXPECT_FALSE(Exists(4643));
  EXPECT_EQ(createDateTimeRowAt(page_, "copychan", "all_analog", "no_such_date", "ok", 5, 0, 0, 0, 0), 5);
}

TEST(Calendar, MonthLengthsAndLeapYears) {
  EXPECT_EQ(daysInMonth(2000, 2), 29);
  EXPECT_EQ(daysInMonth(1900, 2), 28);
  EXPECT_EQ(daysInMonth(2024, 2), 29);
  EXPECT_EQ(daysInMonth(2023, 4), 30);
  EXPECT_EQ(daysInMonth(2023, 13), -1);
  EXPECT_EQ(daysInMonth(2023, 0), -1);
}

}  // namespace
