// The grid's edits against a reference that keeps a type per minute: over
// random days and drags, painting and erasing must give the reference's
// minutes with exactly the segments the rules leave, change nothing when a
// ninth segment would be needed, and leave the days outside the drag alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>

#include "app/record/schedule/schedule_week.h"
#include "app/time_segments.h"

namespace {

using schedule::Day;
using schedule::Grid;
using schedule::Week;

using Minutes = std::array<int, schedule::kDayMinutes>;
const Grid kGrid{Rect{100, 50, 100 + 24 * 20, 50 + 8 * 30}, 20, 30};

RecordSchedSegment Seg(int a, int b, int type) {
  RecordSchedSegment s{};
  s.time = TimeSegment{uint8_t(a / 60), uint8_t(a % 60), uint8_t(b / 60), uint8_t(b % 60)};
  s.type = uint8_t(type);
  s.reserved[0] = 0x5A;  // carried through every edit
  return s;
}

Minutes MinutesOf(const Day& d) {
  Minutes m;
  m.fill(d.allDay ? d.allDayType : -1);
  if (d.allDay) return m;
  for (const auto& s : d.seg)
    for (int i = schedule::startMinute(s.time); i < schedule::endMinute(s.time); ++i) m[i] = s.type;
  return m;
}

int Used(const Day& d) {
  return static_cast<int>(std::count_if(std::begin(d.seg), std::end(d.seg), schedule::used));
}

// A valid day: all-day, or up to eight disjoint segments (touching allowed)
// in random slots.
Day RandomDay(std::mt19937& rng) {
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  Day d{};
  if (pick(5) == 0) {
    d.allDay = 1;
    d.allDayType = uint8_t(pick(5));
    d.seg[pick(8)] = Seg(60, 120, 3);  // kept under the all-day head
    return d;
  }
  std::vector<int> cuts;
  for (int i = 0, n = pick(17); i < n; ++i) cuts.push_back(pick(25) * 60 - (pick(3) == 0 ? 30 : 0));
  for (int& c : cuts) c = std::max(0, c);
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  std::vector<RecordSchedSegment> segs;
  for (size_t i = 0; i + 1 < cuts.size() && segs.size() < 8; ++i)
    if (pick(3) != 0) segs.push_back(Seg(cuts[i], cuts[i + 1], pick(5)));
  std::vector<int> slots{0, 1, 2, 3, 4, 5, 6, 7};
  std::shuffle(slots.begin(), slots.end(), rng);
  for (size_t i = 0; i < segs.size(); ++i) d.seg[slots[i]] = segs[i];
  return d;
}

// How many segments the rules leave: untouched ones, the parts of others
// outside the drag, and (painting) the one new segment.
int ExpectedCount(const Day& d, int s, int e, int pen) {
  if (d.allDay) return (pen == schedule::kEraser ? 0 : 1) + (s > 0) + (e < schedule::kDayMinutes);
  int n = pen == schedule::kEraser ? 0 : 1;
  for (const auto& seg : d.seg) {
    if (!schedule::used(seg)) continue;
    const int a = schedule::startMinute(seg.time), b = schedule::endMinute(seg.time);
    const bool touches = pen == schedule::kEraser ? (b > s && a < e) : (b >= s && a <= e);
    if (!touches) {
      ++n;
    } else if (pen == schedule::kEraser || seg.type != pen) {
      if (!(a >= s && b <= e)) n += (a < s) + (b > e);
    }
  }
  return n;
}

TEST(ScheduleWeek, PaintingAndErasingFollowTheMinuteReference) {
  std::mt19937 rng(41);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  int unchangedForRoom = 0, changed = 0;
  for (int round = 0; round < 4000; ++round) {
    Week week{};
    for (Day& d : week.days) d = RandomDay(rng);
    const Week before = week;
    const int pen = pick(6) == 5 ? schedule::kEraser : pick(5);
    const int d0 = pick(8), d1 = pick(8), h0 = pick(24), h1 = pick(24);
    // Any pixel of the first and last cells, the corners in either order.
    Rect drag{kGrid.area.left + h0 * 20 + pick(20), kGrid.area.top + d0 * 30 + pick(30),
              kGrid.area.left + h1 * 20 + pick(20), kGrid.area.top + d1 * 30 + pick(30)};
    const int first = std::min(d0, d1), last = std::max(d0, d1);
    const int s = std::min(h0, h1) * 60, e = (std::max(h0, h1) + 1) * 60;
    const int rc = pen == schedule::kEraser ? schedule::eraseScheduleDrag(&week, drag, kGrid)
                                            : schedule::applyScheduleDrag(&week, drag, kGrid, pen);
    ASSERT_EQ(rc, 0);
    schedule::sortDraggedDays(&week, drag, kGrid);
    for (int d = 0; d < schedule::kDays; ++d) {
      const Day& was = before.days[d];
      const Day& now = week.days[d];
      SCOPED_TRACE(testing::Message() << "round " << round << " day " << d << " pen " << pen << " [" << s << ","
                                      << e << ")");
      const bool inDrag = d >= first && d <= last;
      const bool sameAllDay = was.allDay && pen == was.allDayType;
      const int count = inDrag ? ExpectedCount(was, s, e, pen) : 0;
      if (!inDrag || sameAllDay || count > schedule::kSegments) {
        if (inDrag && !sameAllDay) ++unchangedForRoom;
        if (!inDrag) {
          ASSERT_EQ(std::memcmp(&now, &was, sizeof now), 0);
        } else {
          // Unchanged, but its rows are sorted after every drag.
          Day sorted = was;
          schedule::sortDay(&sorted);
          ASSERT_EQ(std::memcmp(&now, &sorted, sizeof now), 0);
        }
        continue;
      }
      ++changed;
      Minutes want = MinutesOf(was);
      std::fill(want.begin() + s, want.begin() + e, pen == schedule::kEraser ? -1 : pen);
      ASSERT_EQ(now.allDay, 0);
      ASSERT_EQ(MinutesOf(now), want);
      ASSERT_EQ(Used(now), count);
      int32_t starts[8], ends[8];
      for (int k = 0; k < 8; ++k) {
        starts[k] = schedule::startMinute(now.seg[k].time);
        ends[k] = schedule::endMinute(now.seg[k].time);
        if (k > 0 && schedule::used(now.seg[k])) {
          ASSERT_LE(starts[k - 1], starts[k]) << "sorted";
          ASSERT_TRUE(schedule::used(now.seg[k - 1])) << "unused last";
        }
      }
      ASSERT_EQ(checkTimeSegments(8, starts, ends), 0);
      if (!was.allDay)
        for (const auto& seg : now.seg)
          if (schedule::used(seg)) {
            ASSERT_TRUE(seg.reserved[0] == 0x5A || seg.reserved[0] == 0);
          }
    }
  }
  // Both outcomes were reached often enough to mean something.
  EXPECT_GT(unchangedForRoom, 50);
  EXPECT_GT(changed, 5000);
}

TEST(ScheduleWeek, DragsOutsideTheCellsOrWithoutAPenChangeNothing) {
  Week week{};
  week.days[2].seg[0] = Seg(0, 1440, 0);
  const Week before = week;
  const Rect inside{kGrid.area.left + 5, kGrid.area.top + 5, kGrid.area.left + 5, kGrid.area.top + 5};
  EXPECT_EQ(schedule::applyScheduleDrag(&week, inside, kGrid, -1), -1);
  const Rect wide{kGrid.area.left + 5, kGrid.area.top + 5, kGrid.area.left + 24 * 20, kGrid.area.top + 5};
  EXPECT_EQ(schedule::applyScheduleDrag(&week, wide, kGrid, 1), -1);
  const Rect low{kGrid.area.left, kGrid.area.top + 8 * 30, kGrid.area.left, kGrid.area.top + 8 * 30};
  EXPECT_EQ(schedule::eraseScheduleDrag(&week, low, kGrid), -1);
  const Rect above{kGrid.area.left, kGrid.area.top - 1, kGrid.area.left, kGrid.area.top};
  EXPECT_EQ(schedule::eraseScheduleDrag(&week, above, kGrid), -1);
  const Rect huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  EXPECT_EQ(schedule::applyScheduleDrag(&week, huge, kGrid, 1), -1);
  EXPECT_EQ(schedule::applyScheduleDrag(&week, inside, Grid{kGrid.area, 0, 30}, 1), -1);
  EXPECT_EQ(schedule::applyScheduleDrag(nullptr, inside, kGrid, 1), -1);
  EXPECT_EQ(std::memcmp(&week, &before, sizeof week), 0);
  // A click in one cell gives that hour; on 00:00-24:00 of another type the
  // day splits into three, sorted.
  const Rect click{kGrid.area.left + 10 * 20 + 3, kGrid.area.top + 2 * 30 + 3, kGrid.area.left + 10 * 20 + 3,
                   kGrid.area.top + 2 * 30 + 3};
  ASSERT_EQ(schedule::applyScheduleDrag(&week, click, kGrid, 1), 0);
  schedule::sortDraggedDays(&week, click, kGrid);
  const Day& d = week.days[2];
  EXPECT_EQ(Used(d), 3);
  EXPECT_EQ(schedule::endMinute(d.seg[0].time), 600);
  EXPECT_EQ(schedule::startMinute(d.seg[1].time), 600);
  EXPECT_EQ(schedule::endMinute(d.seg[1].time), 660);
  EXPECT_EQ(d.seg[1].type, 1);
  EXPECT_EQ(schedule::startMinute(d.seg[2].time), 660);
}

TEST(ScheduleWeek, RecordsRoundTripThroughTheWeek) {
  std::mt19937 rng(7);
  schedule::ChanRecordSched chan{};
  CaptureConfig capture{};
  auto* bytes = reinterpret_cast<uint8_t*>(&chan);
  for (size_t i = 0; i < sizeof chan; ++i) bytes[i] = uint8_t(rng());
  auto* cbytes = reinterpret_cast<uint8_t*>(&capture);
  for (size_t i = 0; i < sizeof capture; ++i) cbytes[i] = uint8_t(rng());
  schedule::ChanRecordSched copy = chan;
  CaptureConfig ccopy = capture;
  schedule::storeWeek(schedule::weekOf(chan), &copy);
  schedule::storeWeek(schedule::weekOf(capture), &ccopy);
  EXPECT_EQ(std::memcmp(&copy, &chan, sizeof chan), 0);
  EXPECT_EQ(std::memcmp(&ccopy, &capture, sizeof capture), 0);
}

}  // namespace
