// The calendar driven by random messages, arrow clicks, day clicks and
// keys, checked after each step against a small date model of its own
// (month lengths, weekdays, clamps and the ends of the year range), with
// the notifications each step must send.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "controls/monthcalendar/monthcalendar_internal.h"
#include "controls/monthcalendar/tests/calendar_fixture.h"
#include "gui/dialog.h"
#include "gui/window_attr.h"

namespace {

int Length(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : kDays[m - 1];
}

// Weekday by Sakamoto's method, independent of the C library.
int Weekday(int y, int m, int d) {
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (m < 3) --y;
  return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

struct Model {
  int lo = 1970, hi = 2037, y = 2026, m = 3, d = 19, cy = 2026, cm = 3, cd = 19;
  unsigned focus = 0;
  bool noneCell = false;
  std::vector<int> sent;

  int len() const { return Length(y, m); }
  int first() const { return Weekday(y, m, 1); }
  void fit() { d = std::clamp(d, 1, len()); }
  void confirm() { cy = y, cm = m, cd = d; }
  bool month(int delta) {
    int nm = m + delta, ny = y;
    if (nm > 12) nm = 1, ++ny;
    if (nm < 1) nm = 12, --ny;
    if (ny < lo || ny > hi) return false;
    m = nm, y = ny;
    fit();
    return true;
  }
  bool year(int delta) {
    if (y + delta < lo || y + delta > hi) return false;
    y += delta;
    fit();
    return true;
  }
  void arrow(int i) {
    if (!noneCell) focus = i < 2 ? 1 : 2;
    if (i < 2 ? month(i % 2 ? 1 : -1) : year(i % 2 ? 1 : -1)) sent.push_back(1);
  }
  void cell(int index, bool inNone) {
    const int day = index - first() + 1;
    if (day >= 1 && day <= len()) {
      if (focus == 3) focus = 0;
      if (day == d) return sent.push_back(3);
      d = day;
      confirm();
      sent.insert(sent.end(), {1, 2});
      return;
    }
    if (day > len() && inNone) {
      focus = 3;
      return sent.push_back(1);
    }
    const bool forward = day > len();
    const int before = len();
    if (!month(forward ? 1 : -1)) return;
    d = forward ? day - before : len() + day;
    fit();
    confirm();
    sent.insert(sent.end(), {1, 6});
  }
  void key(int scan) {
    if (scan == 147) {
      if (!noneCell) focus = (focus + 1) % 3;
      return;
    }
    const int sign = scan == 103 || scan == 105 ? -1 : 1;
    if (focus == 1 || focus == 2) {
      if (focus == 1 ? month(sign) : year(sign)) sent.push_back(1);
      return;
    }
    int day = d + sign * (scan == 103 || scan == 108 ? 7 : 1);
    if (day > len()) {
      const int over = day - len();
      if (!month(1)) return;
      day = over;
    } else if (day < 1) {
      if (!month(-1)) return;
      day += len();
    }
    d = day;
    confirm();
    sent.push_back(5);
  }
};

class CalendarNavigation : public caltest::CalendarGui, public ::testing::WithParamInterface<uint32_t> {
 protected:
  LResult Send(int msg, WParam w = 0, LParam l = 0) { return SendMessage(cal_, msg, w, l); }
  LParam At(const Rect& r) { return ((r.top + r.bottom) / 2) << 16 | ((r.left + r.right) / 2); }
  monthcalendar::Geometry Geometry() {
    HDC hdc = GetClientDC(cal_);
    monthcalendar::Geometry g = monthcalendar::Measure(cal_, *monthcalendar::Record(cal_), hdc);
    ReleaseDC(hdc);
    return g;
  }
  std::vector<int> Notices() {
    std::vector<int> codes;
    for (const SeenMessage& m : Received(host_, MSG_COMMAND)) codes.push_back(static_cast<int>(m.wParam >> 16));
    return codes;
  }
  void Check(const Model& model, const std::string& step) {
    SCOPED_TRACE(step);
    ASSERT_EQ(Send(MCM_GETYEAR), model.y);
    ASSERT_EQ(Send(MCM_GETMONTH), model.m);
    ASSERT_EQ(Send(MCM_GETDAY), model.d);
    ASSERT_EQ(Send(MCM_GETMONTHDAYS), model.len());
    ASSERT_EQ(Send(MCM_GETFIRSTWEEKDAY), model.first());
    ASSERT_EQ(Send(MCM_GETWEEKDAY), Weekday(model.y, model.m, model.d));
    ASSERT_EQ(Send(MCM_GETFOCUSPART) & 3, static_cast<LResult>(model.focus));
    const monthcalendar::Data& data = *monthcalendar::Record(cal_);
    ASSERT_EQ(data.confYear * 10000 + data.confMonth * 100 + data.confDay, model.cy * 10000 + model.cm * 100 + model.cd);
    ASSERT_EQ(Notices(), model.sent);
  }
  WindowHandle cal_ = 0;
};

TEST_P(CalendarNavigation, FollowsTheDateModel) {
  const uint32_t style = GetParam();
  cal_ = Control("monthcalendar", MCS_NOTIFY | style, 10, 10, 280, 200);
  ASSERT_NE(cal_, GUI_INVALID_HANDLE);
  // The model reads no pixels: with its host hidden the calendar takes the
  // same steps without painting after each one (the screen test looks at
  // the pixels), which keeps the run short under the thread sanitizer.
  ShowWindow(host_, SW_HIDE);
  Model model;
  model.noneCell = style & MCS_NONECELL;
  Check(model, "created on today");
  std::mt19937 rng(2026 + style);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int step = 0; step < 3000; ++step) {
    model.sent.clear();
    std::string what;
    switch (pick(0, 11)) {
      case 0: {
        const int v = pick(-1, 14);
        Send(MCM_SETMONTH, static_cast<WParam>(v));
        model.m = std::clamp(v, 1, 12), model.fit();
        what = "month " + std::to_string(v);
        break;
      }
      case 1: {
        const int v = pick(1965, 2037);
        Send(MCM_SETYEAR, static_cast<WParam>(v));
        model.y = std::max(v, model.lo), model.fit();
        what = "year " + std::to_string(v);
        break;
      }
      case 2: {
        const int v = pick(-1, 33);
        Send(MCM_SETDAY, static_cast<WParam>(v));
        model.d = std::clamp(v, 1, model.len()), model.confirm();
        what = "day " + std::to_string(v);
        break;
      }
      case 3: {
        MonthCalDate date{pick(1960, 2037), pick(0, 13), pick(0, 32), 0};
        Send(MCM_SETCURDATE, 0, reinterpret_cast<LParam>(&date));
        model.y = std::max(date.year, model.lo), model.m = std::clamp(date.month, 1, 12);
        model.d = std::max(date.day, 1), model.fit(), model.confirm();
        what = "date " + std::to_string(date.year) + "-" + std::to_string(date.month) + "-" + std::to_string(date.day);
        break;
      }
      case 4: {
        // Mostly the whole range, now and then one year or a narrow one.
        const int lo = pick(0, 3) ? 1970 : pick(1968, 2030), hi = pick(0, 3) ? 2037 : lo + pick(-1, 3);
        Send(MCM_SETYEARRANGE, static_cast<WParam>(lo), hi);
        if (lo <= hi) {
          if (lo >= 1970 && lo <= 2037) model.lo = lo;
          if (hi >= 1970 && hi <= 2037) model.hi = hi;
        }
        if (model.y < model.lo || model.y > model.hi) {  // the caller brings the date inside
          MonthCalDate date{model.lo, 1, 1, 0};
          Send(MCM_SETCURDATE, 0, reinterpret_cast<LParam>(&date));
          model.y = model.lo, model.m = 1, model.d = 1, model.confirm();
        }
        what = "range " + std::to_string(lo) + ".." + std::to_string(hi);
        break;
      }
      case 5:
      case 6: {
        const monthcalendar::Geometry g = Geometry();
        const int arrow = pick(0, 3);
        if (arrow >= g.arrowCount) continue;
        Send(1, 0, At(g.arrows[arrow]));
        Send(2, 0, At(g.arrows[arrow]));
        model.arrow(arrow);
        what = "arrow " + std::to_string(arrow);
        break;
      }
      case 7:
      case 8: {
        const monthcalendar::Geometry g = Geometry();
        const int index = pick(0, 41);
        const Rect r = monthcalendar::CellRect(g, index);
        const Rect none = monthcalendar::NoneCellRect(*monthcalendar::Record(cal_), g);
        const bool inNone = model.noneCell && r.left >= none.left && r.right <= none.right && r.top == none.top;
        Send(1, 0, At(r));
        model.cell(index, inNone);
        what = "cell " + std::to_string(index);
        break;
      }
      default: {
        static const int kKeys[] = {147, 103, 105, 106, 108, 108, 106};
        const int scan = kKeys[pick(0, 6)];
        Send(MSG_KEYDOWN, static_cast<WParam>(scan));
        model.key(scan);
        what = "key " + std::to_string(scan);
      }
    }
    Check(model, "step " + std::to_string(step) + ": " + what);
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, CalendarNavigation, ::testing::Values(0u, MCS_NONECELL));

class CalendarMessages : public caltest::CalendarGui {};

TEST_F(CalendarMessages, ClampsSizesColoursKindsAndMonthLengths) {
  WindowHandle cal = Control("monthcalendar", 0, 0, 0, 50, 40);
  ASSERT_NE(cal, GUI_INVALID_HANDLE);
  Rect r{};
  GetWindowRect(cal, &r);
  EXPECT_GE(r.right - r.left, MCM_MINWIDTH);
  const monthcalendar::Data& data = *monthcalendar::Record(cal);
  const int rows = static_cast<int>(data.skins.year->bmHeight + data.skins.week->bmHeight + 6 * data.skins.day->bmHeight);
  EXPECT_EQ(r.bottom - r.top, rows);
  MoveWindow(cal, 0, 0, 300, 500, FALSE);
  GetWindowRect(cal, &r);
  EXPECT_EQ(r.bottom - r.top, rows) << "the height follows the skins after a size change";
  EXPECT_EQ(SendMessage(cal, MCM_GETMINWIDTH, 0, 0), MCM_MINWIDTH);
  EXPECT_EQ(SendMessage(cal, MCM_GETMINHEIGHT, 0, 0), MCM_MINHEIGHT);

  struct Case { int year, month, day, wantYear, wantMonth, wantDay; } cases[] = {
      {2026, 13, 5, 2026, 12, 5}, {2026, 4, 31, 2026, 4, 30}, {1950, 2, 29, 1970, 2, 28},
      {2000, 2, 30, 2000, 2, 29}, {2026, 0, 0, 2026, 1, 1}};
  for (const Case& c : cases) {
    MonthCalDate date{c.year, c.month, c.day, 0}, back{};
    SendMessage(cal, MCM_SETCURDATE, 0, reinterpret_cast<LParam>(&date));
    SendMessage(cal, MCM_GETCURDATE, 0, reinterpret_cast<LParam>(&back));
    EXPECT_EQ(back.year * 10000 + back.month * 100 + back.day, c.wantYear * 10000 + c.wantMonth * 100 + c.wantDay)
        << c.year << "-" << c.month << "-" << c.day;
  }
  EXPECT_EQ(SendMessage(cal, MCM_GETDAYSOFMONTH, 2000, 2), 29);
  EXPECT_EQ(SendMessage(cal, MCM_GETDAYSOFMONTH, 2100, 2), 28);
  EXPECT_EQ(SendMessage(cal, MCM_GETDAYSOFMONTH, 2100, 13), -1);
  MonthCalDate today{};
  SendMessage(cal, MCM_GETTODAY, 0, reinterpret_cast<LParam>(&today));
  EXPECT_EQ(today.year * 10000 + today.month * 100 + today.day, 20260319);
  EXPECT_EQ(today.weekday, 4);

  SendMessage(cal, MCM_SETDATEKIND, 0 << 16 | 5, MCK_ALARM);
  SendMessage(cal, MCM_SETDATEKIND, 13u << 16 | 5, MCK_ALARM);
  SendMessage(cal, MCM_SETDATEKIND, 3u << 16 | 40, MCK_PLAN);
  int marked = 0;
  for (const auto& month : data.kinds)
    for (int kind : month) marked += kind != 0;
  EXPECT_EQ(marked, 1);
  EXPECT_EQ(data.kinds[2][30], MCK_PLAN) << "day clamped to 31";

  MonthCalColors before{}, patch{}, after{};
  SendMessage(cal, MCM_GETCOLOR, 0, reinterpret_cast<LParam>(&before));
  for (GalPixel& p : patch.pixel) p = static_cast<GalPixel>(-1);
  patch.pixel[1] = 0x123456;
  patch.pixel[9] = 0x654321;
  SendMessage(cal, MCM_SETCOLOR, 0, reinterpret_cast<LParam>(&patch));
  SendMessage(cal, MCM_GETCOLOR, 0, reinterpret_cast<LParam>(&after));
  for (int i = 0; i < MC_COLOR_COUNT; ++i)
    EXPECT_EQ(after.pixel[i], i == 1 ? 0x123456u : i == 9 ? 0x654321u : before.pixel[i]) << "entry " << i;

  int lo = 0, hi = 0;
  SendMessage(cal, MCM_SETYEARRANGE, 2030, 2020);
  SendMessage(cal, MCM_SETYEARRANGE, 1960, 2030);
  SendMessage(cal, MCM_GETYEARRANGE, reinterpret_cast<WParam>(&lo), reinterpret_cast<LParam>(&hi));
  EXPECT_EQ(lo * 10000 + hi, 1970 * 10000 + 2030) << "only values inside 1970..2037 are stored";

  EXPECT_EQ(SendMessage(cal, MSG_GETDLGCODE, 0, 0), 19);
  SendMessage(cal, MSG_KEYDOWN, 28, 0);
  EXPECT_EQ(SendMessage(cal, MSG_GETDLGCODE, 0, 0), 23);
  SendMessage(cal, MSG_KEYDOWN, 28, 0);
  EXPECT_EQ(SendMessage(cal, MSG_GETDLGCODE, 0, 0), 19);
}

}  // namespace
